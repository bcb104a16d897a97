#pragma once

#include <optional>
#include <string>
#include <vector>

// What the command line asks of a game that runs.
struct GameOptions {
    bool fullscreen = false;
    bool check = false;  // check the content and quit, instead of playing
    std::optional<std::string> dataDir;  // the folder that holds Content
};

struct CommandLine {
    GameOptions options;
    // Set when the process is to end at once: the text goes to stdout for 0, else to stderr.
    std::optional<int> exitCode;
    std::string message;
};

// The arguments after the program's name. --help and --version end the process with 0; an
// unknown option or one without its argument gives the usage and 2.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text, one option a line.
std::string UsageText();
