// What only the real process shows: exit statuses, which stream a line goes to, and that the
// game started from another folder finds its content.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <boost/filesystem/operations.hpp>
#include <cstdlib>

#include "support/TempContent.hpp"

namespace fs = boost::filesystem;

TEST(CommandLineProcess, StatusAndOutputAsTheUserExpects) {
    const char* noDesktop = "-u SDL_VIDEODRIVER -u DISPLAY -u WAYLAND_DISPLAY";
    struct Case {
        const char* environment;  // for env(1), before the game; "@" is the temporary folder
        const char* arguments;
        int status;           // 124: still running when stopped after 2 s (the Content was found and loaded)
        const char* outHas;   // null: stdout stays empty
        const char* errLine;  // null: stderr stays empty; else its only line holds this
    };
    const Case cases[] = {
        {"SDL_VIDEODRIVER=dummy", "--help", 0, "Usage: glimmerduct", nullptr},
        {"SDL_VIDEODRIVER=dummy", "--bogus", 2, nullptr, "unknown option --bogus"},
        {noDesktop, "", 1, nullptr, "needs a desktop session"},
        {"SDL_VIDEODRIVER=dummy", "--data-dir @/data", 124, nullptr, nullptr},
        {"SDL_VIDEODRIVER=dummy", "--data-dir @/broken", 1, nullptr, "@/broken/Content/Levels: there is no level file"},
        // The check needs no desktop; its findings are its output.
        {noDesktop, "--check --data-dir @/data", 0, nullptr, nullptr},
        {noDesktop, "--check --data-dir @/broken", 1, "@/broken/Content/Levels: there is no level file", nullptr},
    };
    TempContent temp;
    const std::string at = temp.path().string();
    for (const char* folder : {"elsewhere", "home", "state", "share"})
        fs::create_directories(temp.path() / folder);
    temp.CopyFromSource("Content", "data/Content");
    temp.CopyFromSource("Content", "broken/Content");
    fs::remove_all(temp.path() / "broken/Content/Levels");
    fs::create_directories(temp.path() / "broken/Content/Levels");
    auto expand = [&](std::string text) {
        for (size_t i; (i = text.find('@')) != std::string::npos;) text.replace(i, 1, at);
        return text;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        // Started in a folder without Content, writing only into the test's own folders.
        const std::string command = "cd " + at + "/elsewhere && env " + expand(c.environment) +
                                    " HOME=" + at + "/home XDG_STATE_HOME=" + at +
                                    "/state XDG_DATA_HOME=" + at + "/share timeout 2 " GAME_EXECUTABLE " " +
                                    expand(c.arguments) + " >" + at + "/out 2>" + at + "/err";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        const std::string out = temp.Read("out"), err = temp.Read("err");
        EXPECT_EQ(WEXITSTATUS(status), c.status) << err;
        EXPECT_TRUE(c.outHas ? out.find(expand(c.outHas)) != std::string::npos : out.empty()) << out;
        EXPECT_TRUE(c.errLine ? err.find(expand(c.errLine)) != std::string::npos : err.empty()) << err;
        const std::string& told = c.errLine ? err : out;
        EXPECT_TRUE(c.status != 1 || told.find('\n') == told.size() - 1) << "one line: " << told;
    }
}
