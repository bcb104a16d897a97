// The command line: what the game is asked to do, and what ends the process at once with which status.
#include <gtest/gtest.h>

#include "platform/CommandLine.hpp"

TEST(CommandLine, OptionsAndTheirFaults) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<int> exitCode;
        std::string messageHas;  // empty: no message
        GameOptions options{};
    };
    const Case cases[] = {
        {{}, std::nullopt, ""},
        {{"--help"}, 0, "--data-dir DIR"},
        {{"-h"}, 0, "Usage: glimmerduct"},
        {{"--version"}, 0, "glimmerduct " GAME_VERSION "\n"},
        {{"--check", "--data-dir", "/games/x", "--fullscreen"}, std::nullopt, "", {true, true, "/games/x"}},
        {{"--data-dir=rel dir"}, std::nullopt, "", {false, false, "rel dir"}},
        {{"--data-dir"}, 2, "--data-dir needs DIR"},
        {{"--fullscreen=yes"}, 2, "--fullscreen takes no value"},
        {{"level.json"}, 2, "unknown option level.json"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments[0]);
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.exitCode, c.exitCode);
        const std::string expected = c.messageHas + (c.exitCode == 2 ? "\n" + UsageText() : "");
        // Found in the message, and a refusal names its fault, then gives the whole usage.
        EXPECT_TRUE(c.messageHas.empty() ? line.message.empty()
                                         : line.message.find(expected) != std::string::npos)
            << line.message;
        EXPECT_EQ(std::tie(line.options.fullscreen, line.options.check, line.options.dataDir),
                  std::tie(c.options.fullscreen, c.options.check, c.options.dataDir));
    }
}
