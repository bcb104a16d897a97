// The game as a process, started with broken content: what only a process shows, its exit
// status and its one line on stderr.
#include <gtest/gtest.h>
#include <signal.h>

#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "support/GameProcess.hpp"
#include "support/TempContent.hpp"

namespace fs = boost::filesystem;

namespace {

// Replaces the first `from` in a content file; a case whose text is not there is a broken test.
void Replace(const TempContent& content, const std::string& relative, const std::string& from,
             const std::string& to) {
    std::string text = content.Read(relative);
    const size_t at = text.find(from);
    if (at == std::string::npos) throw std::runtime_error(relative + " holds no \"" + from + "\"");
    content.Write(relative, text.replace(at, from.size(), to));
}

struct BrokenCase {
    const char* name;
    std::function<void(const TempContent&)> breakContent;
    const char* file;  // named at the start of the line
    const char* what;  // a piece of the reason that follows
};

void PrintTo(const BrokenCase& c, std::ostream* out) { *out << c.name; }

const std::string keys = "Content/Config/KeyMappings.json", maze = "Content/Levels/Maze.json";
const BrokenCase brokenCases[] = {
    {"NoContentFolder", [](auto& c) { fs::remove_all(c.path() / "Content"); }, "Content",
     "No such file or directory"},
    {"KeyMappingsNotJson", [](auto& c) { c.Write(keys, "Up = Up\n"); }, keys.c_str(), "line 1"},
    {"LetterInTiles", [](auto& c) { Replace(c, maze, "3,1,", "3,a,"); }, maze.c_str(),
     "(\"a\") holds no number"},
    {"NoLevelFile", [](auto& c) { fs::remove(c.path() / maze); }, "Content/Levels", "no level file"},
    {"TruncatedPicture",
     [](auto& c) {
         const std::string png = c.Read("Content/Textures/Main/GutBackground.png");
         c.Write("Content/Textures/Main/GutBackground.png", png.substr(0, png.size() / 2));
     },
     "Content/Textures/Main/GutBackground.png", "could not be loaded"},
    {"FontAdvanceNotANumber",
     [](auto& c) { Replace(c, "Content/Fonts/Main/Title.fnt", "xadvance=\"6\"", "xadvance=\"x\""); },
     "Content/Fonts/Main/Title.fnt", "\"xadvance\""},
    {"CueWithoutLayers",
     [](auto& c) { c.Write("Content/Sound/Main/Click.json", "{\"LayerMode\": \"Randomized\"}"); },
     "Content/Sound/Main/Click.json", "Layers"},
    {"MusicWithoutLoopEnd",
     [](auto& c) { c.Write("Content/Music/TorvelTheme.json", "{\"LoopStartSample\": 336000}"); },
     "Content/Music/TorvelTheme.json", "LoopEndSample"},
};

class BrokenContent : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenContent, StopsTheGameWithStatusOneAndOneLineNamingTheFile) {
    const BrokenCase& broken = GetParam();
    TempContent content;
    content.CopyFromSource("Content", "Content");
    broken.breakContent(content);
    GameProcess game(content.path().string(),
                     {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy", "DISPLAY", "WAYLAND_DISPLAY"});
    ASSERT_TRUE(game.WaitForExit()) << "the game hung";
    const std::string err = game.StandardError();
    EXPECT_EQ(game.exitStatus(), 1) << "signal " << game.termSignal() << ": " << err;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << "not one line:\n" << err;
    EXPECT_EQ(err.rfind(broken.file, 0), 0u) << err;
    EXPECT_NE(err.find(broken.what, std::string(broken.file).size()), std::string::npos) << err;
}

INSTANTIATE_TEST_SUITE_P(Cases, BrokenContent, testing::ValuesIn(brokenCases),
                         [](const testing::TestParamInfo<BrokenCase>& info) { return info.param.name; });

}  // namespace
