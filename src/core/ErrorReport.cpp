#include "core/ErrorReport.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <SDL.h>
#include <boost/filesystem/exception.hpp>

#include "core/ContentError.hpp"
#include "platform/DesktopSession.hpp"

namespace {

bool DisplayExists() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0)) {
        return false;
    }
    return DisplayNamed();
}

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

}  // namespace

std::string DescribeFatalError(const std::exception& error) {
    if (auto* fs = dynamic_cast<const boost::filesystem::filesystem_error*>(&error)) {
        return OneLine(fs->path1().string() + ": " + fs->code().message());
    }
    return OneLine(error.what());
}

void ReportToLog(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

void ReportError(const std::string& line) {
    ReportToLog(line);
    if (DisplayExists()) SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Game", line.c_str(), nullptr);
}
