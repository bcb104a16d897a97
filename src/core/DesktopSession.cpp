#include "core/DesktopSession.hpp"

#include <SDL_hints.h>

#include <cstdlib>
#include <stdexcept>

namespace {

bool Set(const char* value) { return value && *value; }

}  // namespace

std::optional<std::string> DesktopSessionProblem(const char* videoDriver, const char* display,
                                                 const char* waylandDisplay) {
    if (Set(videoDriver) || Set(display) || Set(waylandDisplay)) return std::nullopt;
    return "The game needs a desktop session: no X11 or Wayland display was found (DISPLAY and "
           "WAYLAND_DISPLAY are unset).";
}

void RequireDesktopSession() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (auto problem =
            DesktopSessionProblem(driver, std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"))) {
        throw std::runtime_error(*problem);
    }
    // A display that cannot be reached must fail to start, not fall back to the off-screen driver.
    if (!Set(driver)) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,wayland");
}

bool DisplayNamed() { return Set(std::getenv("DISPLAY")) || Set(std::getenv("WAYLAND_DISPLAY")); }
