// The command line: what runs the game, what ends the process at once and with which status.
#include <gtest/gtest.h>

#include "core/CommandLine.hpp"

namespace {

struct LineCase {
    const char* name;
    std::vector<std::string> arguments;
    std::optional<int> exitCode;
    const char* messageHas;  // in the message (usage or version), or null for none
    bool fullscreen = false;
    std::optional<std::string> dataDir = std::nullopt;
};

void PrintTo(const LineCase& c, std::ostream* out) { *out << c.name; }

class CommandLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLineTest, Parses) {
    const LineCase& c = GetParam();
    const CommandLine line = ParseCommandLine(c.arguments);
    EXPECT_EQ(line.exitCode, c.exitCode);
    if (c.messageHas) {
        EXPECT_NE(line.message.find(c.messageHas), std::string::npos) << line.message;
    } else {
        EXPECT_EQ(line.message, "");
    }
    // Refused lines name the fault first, then give the whole usage.
    if (c.exitCode == 2) {
        EXPECT_NE(line.message.find(UsageText()), std::string::npos) << line.message;
    }
    EXPECT_EQ(line.options.fullscreen, c.fullscreen);
    EXPECT_EQ(line.options.dataDir, c.dataDir);
}

INSTANTIATE_TEST_SUITE_P(
    Options, CommandLineTest,
    ::testing::Values(
        LineCase{"Nothing", {}, std::nullopt, nullptr},
        LineCase{"Help", {"--help"}, 0, "--data-dir DIR"},
        LineCase{"ShortHelp", {"-h"}, 0, "Usage: glimmerduct"},
        LineCase{"Version", {"--version"}, 0, "glimmerduct " GAME_VERSION "\n"},
        LineCase{"Fullscreen", {"--fullscreen"}, std::nullopt, nullptr, true},
        LineCase{
            "DataDir", {"--data-dir", "/games/x", "--fullscreen"}, std::nullopt, nullptr, true, "/games/x"},
        LineCase{"DataDirJoined", {"--data-dir=rel dir"}, std::nullopt, nullptr, false, "rel dir"},
        LineCase{"DataDirWithoutArgument", {"--data-dir"}, 2, "--data-dir needs DIR"},
        LineCase{"ValueForAFlag", {"--fullscreen=yes"}, 2, "--fullscreen takes no value"},
        LineCase{"Unknown", {"--fulscreen"}, 2, "unknown option --fulscreen"},
        LineCase{"NotAnOption", {"level.json"}, 2, "unknown option level.json"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
