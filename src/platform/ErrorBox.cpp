#include "platform/ErrorBox.hpp"

#include <cstdlib>
#include <cstring>

#include <SDL.h>

#include "core/ErrorReport.hpp"
#include "platform/DesktopSession.hpp"

namespace {

bool DisplayExists() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0)) {
        return false;
    }
    return DisplayNamed();
}

}  // namespace

void ReportError(const std::string& line) {
    ReportToLog(line);
    if (DisplayExists()) SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Game", line.c_str(), nullptr);
}
