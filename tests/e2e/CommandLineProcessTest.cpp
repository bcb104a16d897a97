// What only the real process shows: exit statuses, which stream a line goes to, and that the
// game started from another folder finds its content.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <boost/filesystem/operations.hpp>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/TempContent.hpp"

namespace fs = boost::filesystem;
using namespace std::chrono_literals;

namespace {

struct Outcome {
    int status = -1;               // exit status; -1 when killed
    bool ranUntilStopped = false;  // still running when SIGTERM was sent
    std::string out, err;
};

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file.string());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the game in `folder` with `arguments`; `environment` as GameProcess takes it
// ("NAME=value" sets, "NAME" removes). A game still running after `stopAfter` gets SIGTERM.
Outcome RunGame(const fs::path& folder, const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment, std::chrono::milliseconds stopAfter) {
    const fs::path out = folder / ".stdout", err = folder / ".stderr";
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        for (const std::string& e : environment) {
            const size_t equals = e.find('=');
            if (equals == std::string::npos) {
                unsetenv(e.c_str());
            } else {
                setenv(e.substr(0, equals).c_str(), e.substr(equals + 1).c_str(), 1);
            }
        }
        std::vector<char*> argv{const_cast<char*>(GAME_EXECUTABLE)};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(GAME_EXECUTABLE, argv.data());
        _exit(127);
    }
    int status = 0;
    auto endedWithin = [&](std::chrono::milliseconds limit) {
        for (const auto end = std::chrono::steady_clock::now() + limit;
             waitpid(pid, &status, WNOHANG) == 0;) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(10ms);
        }
        return true;
    };
    Outcome outcome;
    bool ended = endedWithin(stopAfter);
    if (!ended) {
        outcome.ranUntilStopped = true;
        kill(pid, SIGTERM);
        ended = endedWithin(20s);
    }
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
    outcome.out = ReadFile(out);
    outcome.err = ReadFile(err);
    return outcome;
}

struct ProcessCase {
    const char* name;
    std::vector<std::string> arguments;  // "@" stands for the test's temporary folder
    std::vector<std::string> environment;
    int status;
    bool runs;            // keeps running until stopped
    const char* outHas;   // null: stdout stays empty
    const char* errLine;  // null: stderr stays empty; else its one line holds this
};

void PrintTo(const ProcessCase& c, std::ostream* out) { *out << c.name; }

class CommandLineProcess : public ::testing::TestWithParam<ProcessCase> {};

TEST_P(CommandLineProcess, ExitsAsTheUserExpects) {
    const ProcessCase& c = GetParam();
    TempContent temp;
    // The game starts in a folder without Content; "@/data" holds a copy of the shipped one.
    const fs::path elsewhere = temp.path() / "elsewhere";
    for (const char* folder : {"elsewhere", "home", "state", "share", "empty"})
        fs::create_directories(temp.path() / folder);
    temp.CopyFromSource("Content", "data/Content");
    std::vector<std::string> arguments;
    for (const std::string& a : c.arguments)
        arguments.push_back(a[0] == '@' ? temp.path().string() + a.substr(1) : a);
    std::vector<std::string> environment{"HOME=" + (temp.path() / "home").string(),
                                         "XDG_STATE_HOME=" + (temp.path() / "state").string(),
                                         "XDG_DATA_HOME=" + (temp.path() / "share").string()};
    environment.insert(environment.end(), c.environment.begin(), c.environment.end());

    const Outcome outcome = RunGame(elsewhere, arguments, environment, c.runs ? 1500ms : 20000ms);
    EXPECT_EQ(outcome.ranUntilStopped, c.runs) << outcome.err;
    EXPECT_EQ(outcome.status, c.status) << outcome.err;
    if (c.outHas) {
        EXPECT_NE(outcome.out.find(c.outHas), std::string::npos) << outcome.out;
    } else {
        EXPECT_EQ(outcome.out, "");
    }
    if (c.errLine) {
        EXPECT_NE(outcome.err.find(c.errLine), std::string::npos) << outcome.err;
        if (c.status == 1) {
            EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << "one line: " << outcome.err;
        }
    } else {
        EXPECT_EQ(outcome.err, "");
    }
}

const std::vector<std::string> Dummy{"SDL_VIDEODRIVER=dummy"};

INSTANTIATE_TEST_SUITE_P(
    Options, CommandLineProcess,
    ::testing::Values(
        ProcessCase{"Help", {"--help"}, Dummy, 0, false, "Usage: glimmerduct", nullptr},
        ProcessCase{"UnknownOption", {"--bogus"}, Dummy, 2, false, nullptr, "unknown option --bogus"},
        ProcessCase{"DataDirWithoutContent", {"--data-dir", "@/empty"}, Dummy, 1, false, nullptr, "/empty"},
        ProcessCase{"NoDisplay",
                    {"--data-dir", "@/data"},
                    {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"},
                    1,
                    false,
                    nullptr,
                    "needs a desktop session"},
        ProcessCase{"RunsFromAnotherFolder", {"--data-dir", "@/data"}, Dummy, 0, true, nullptr, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
