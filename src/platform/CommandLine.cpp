#include "platform/CommandLine.hpp"

#include <algorithm>

#include "platform/ProcessFolders.hpp"

namespace {

// One row per option; the usage is written from the same table.
struct OptionRow {
    const char* name;
    const char* shortName;  // null: none
    const char* argument;   // null: the option takes none
    const char* help;
    void (*apply)(CommandLine& line, const std::string& argument);
};

const OptionRow Options[] = {
    {"--help", "-h", nullptr, "show this text and quit",
     [](CommandLine& line, const std::string&) { line.exitCode = 0, line.message = UsageText(); }},
    {"--version", nullptr, nullptr, "show the name and version and quit",
     [](CommandLine& line, const std::string&) {
         line.exitCode = 0, line.message = std::string("glimmerduct ") + GAME_VERSION + "\n";
     }},
    {"--check", nullptr, nullptr, "check every content file, print each problem, quit",
     [](CommandLine& line, const std::string&) { line.options.check = true; }},
    {"--data-dir", nullptr, "DIR", "read the game's content from DIR/Content",
     [](CommandLine& line, const std::string& dir) { line.options.dataDir = dir; }},
    {"--fullscreen", nullptr, nullptr, "start in fullscreen (F11 or Alt+Enter switches)",
     [](CommandLine& line, const std::string&) { line.options.fullscreen = true; }},
};

CommandLine Refused(const std::string& why) {
    CommandLine line;
    line.exitCode = 2;
    line.message = "glimmerduct: " + why + "\n" + UsageText();
    return line;
}

}  // namespace

std::string UsageText() {
    std::string text = "Usage: glimmerduct [OPTION]...\nA maze game with its level editor built in.\n\n";
    for (const OptionRow& row : Options) {
        std::string left = std::string("  ") + (row.shortName ? std::string(row.shortName) + ", " : "    ") +
                           row.name + (row.argument ? std::string(" ") + row.argument : "");
        left.resize(std::max<size_t>(left.size() + 2, 24), ' ');
        text += left + row.help + "\n";
    }
    return text +
           "\nWithout --data-dir the content is read from ./Content, else from Content beside\n"
           "the program, else from " +
           (InstalledDataFolder() / "Content").string() +
           ".\n--check prints one line for each problem, naming its file, and exits with\n"
           "status 1 if there was any, 0 otherwise.\n";
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (size_t i = 0; i < arguments.size() && !line.exitCode; ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const size_t equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        const OptionRow* row = nullptr;
        for (const OptionRow& candidate : Options) {
            if (name == candidate.name || (candidate.shortName && name == candidate.shortName))
                row = &candidate;
        }
        if (!row) return Refused("unknown option " + arguments[i]);
        if (row->argument && !value) {
            if (i + 1 >= arguments.size()) return Refused(std::string(row->name) + " needs " + row->argument);
            value = arguments[++i];
        }
        if (!row->argument && value) return Refused(std::string(row->name) + " takes no value");
        row->apply(line, value.value_or(""));
    }
    return line;
}
