#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/ContentFolder.hpp"
#include "core/ErrorReport.hpp"
#include "game/BrowserPage.hpp"
#include "game/ContentCheck.hpp"
#include "game/Game.hpp"
#include "platform/CommandLine.hpp"
#include "platform/DesktopSession.hpp"
#include "platform/ErrorBox.hpp"
#include "platform/ProcessFolders.hpp"
#include "platform/SdlPlatform.hpp"

namespace {

// A content check's findings are its output: one line each on stdout, and 1 if there was any.
int PrintProblems(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
    return lines.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine command = ParseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
    if (command.exitCode) {
        std::fputs(command.message.c_str(), *command.exitCode == 0 ? stdout : stderr);
        return *command.exitCode;
    }
    const GameOptions& options = command.options;
    try {
#ifndef __EMSCRIPTEN__
        if (!options.check) RequireDesktopSession();
#endif
        const ContentLookup content = FindContentFolder(ThisProcessSearch(options.dataDir));
        if (!content.folder) throw std::runtime_error(content.problem);
        SetContentFolder(*content.folder, content.source);
        if (options.check) return PrintProblems(CheckContent());
        Game game(CreateSdlPlatform(SdlPlatformOptions{options.fullscreen}));
#ifdef __EMSCRIPTEN__
        AttachBrowserPage();
        game.Run();
        ShowGameEnded();
#else
        game.Run();
#endif
    } catch (const std::exception& e) {
        // Bad content (or a platform that cannot start): one line naming the file, then out.
        if (options.check) return PrintProblems({DescribeFatalError(e)});
        ReportError(DescribeFatalError(e));
        return 1;
    }
    return 0;
}
