#include <cstdio>
#include <exception>
#include <stdexcept>

#include "core/ContentFolder.hpp"
#include "core/ErrorReport.hpp"
#include "game/Game.hpp"
#include "platform/CommandLine.hpp"
#include "platform/DesktopSession.hpp"
#include "platform/ErrorBox.hpp"
#include "platform/ProcessFolders.hpp"
#include "platform/SdlPlatform.hpp"

int main(int argc, char** argv) {
    const CommandLine command = ParseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
    if (command.exitCode) {
        std::fputs(command.message.c_str(), *command.exitCode == 0 ? stdout : stderr);
        return *command.exitCode;
    }
    try {
        RequireDesktopSession();
        const ContentLookup content = FindContentFolder(ThisProcessSearch(command.options.dataDir));
        if (!content.folder) throw std::runtime_error(content.problem);
        SetContentFolder(*content.folder, content.source);
        Game game(CreateSdlPlatform(SdlPlatformOptions{command.options.fullscreen}));
        game.Run();
    } catch (const std::exception& e) {
        // Bad content (or a platform that cannot start): one line naming the file, then out.
        ReportError(DescribeFatalError(e));
        return 1;
    }
    return 0;
}
