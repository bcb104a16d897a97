#include "platform/DesktopSession.hpp"

#include <SDL_hints.h>

#include <cstdlib>
#include <stdexcept>

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

void RequireDesktopSession() {
    if (Set("SDL_VIDEODRIVER")) return;
    if (!DisplayNamed()) {
        throw std::runtime_error(
            "The game needs a desktop session: no X11 or Wayland display was found (DISPLAY and "
            "WAYLAND_DISPLAY are unset).");
    }
    // A display that cannot be reached must fail to start, not fall back to the off-screen driver.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,wayland");
}

bool DisplayNamed() { return Set("DISPLAY") || Set("WAYLAND_DISPLAY"); }
