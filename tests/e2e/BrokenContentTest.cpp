#include <gtest/gtest.h>

#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>
#include <chrono>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "support/GameProcess.hpp"
#include "support/TempContent.hpp"

namespace fs = boost::filesystem;

namespace {

// Every file below Content/ with a digest of its bytes, so any write, removal or stray
// file the game leaves shows up.
std::map<std::string, size_t> ContentDigest(const TempContent& content) {
    std::map<std::string, size_t> digest;
    const fs::path top = content.path() / "Content";
    if (!fs::exists(top)) return digest;
    for (const auto& entry : fs::recursive_directory_iterator(top)) {
        if (!fs::is_regular_file(entry.path())) continue;
        const std::string relative = fs::relative(entry.path(), content.path()).string();
        digest[relative] = std::hash<std::string>{}(content.Read(relative));
    }
    return digest;
}

// Replaces the first `from` in a content file; a case whose text is not there is a broken test.
void ReplaceFirst(const TempContent& content, const std::string& relative, const std::string& from,
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

const BrokenCase brokenCases[] = {
    {"NoContentFolder", [](const TempContent& c) { fs::remove_all(c.path() / "Content"); }, "Content",
     "No such file or directory"},
    {"NoTextureFolder", [](const TempContent& c) { fs::remove_all(c.path() / "Content/Textures/Main"); },
     "Content/Textures/Main", "cannot list the folder"},
    {"EmptyKeyMappings", [](const TempContent& c) { c.Write("Content/Config/KeyMappings.json", ""); },
     "Content/Config/KeyMappings.json", "line 1"},
    {"EmptyLevel", [](const TempContent& c) { c.Write("Content/Levels/Maze.json", ""); },
     "Content/Levels/Maze.json", "line 1"},
    {"TruncatedPicture",
     [](const TempContent& c) {
         const std::string png = c.Read("Content/Textures/Main/GutBackground.png");
         c.Write("Content/Textures/Main/GutBackground.png", png.substr(0, png.size() / 2));
     },
     "Content/Textures/Main/GutBackground.png", "could not be loaded"},
    {"FontAdvanceNotANumber",
     [](const TempContent& c) {
         ReplaceFirst(c, "Content/Fonts/Main/Title.fnt", "xadvance=\"6\"", "xadvance=\"x\"");
     },
     "Content/Fonts/Main/Title.fnt", "\"xadvance\""},
    {"LetterInTiles", [](const TempContent& c) { ReplaceFirst(c, "Content/Levels/Maze.json", "3,1,", "3,a,"); },
     "Content/Levels/Maze.json", "(\"a\") holds no number"},
    {"KeyMappingsNotJson", [](const TempContent& c) { c.Write("Content/Config/KeyMappings.json", "Up = Up\n"); },
     "Content/Config/KeyMappings.json", "line 1"},
    {"CueWithoutLayers",
     [](const TempContent& c) { c.Write("Content/Sound/Main/Click.json", "{\"LayerMode\": \"Randomized\"}"); },
     "Content/Sound/Main/Click.json", "Layers"},
    {"MusicWithoutLoopEnd",
     [](const TempContent& c) { c.Write("Content/Music/TorvelTheme.json", "{\"LoopStartSample\": 336000}"); },
     "Content/Music/TorvelTheme.json", "LoopEndSample"},
    {"NoLevelFile", [](const TempContent& c) { fs::remove(c.path() / "Content/Levels/Maze.json"); },
     "Content/Levels", "no level file"},
};

class BrokenContentTest : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenContentTest, StopsWithOneLineNamingTheFile) {
    const BrokenCase& broken = GetParam();
    TempContent content;
    content.CopyFromSource("Content", "Content");
    broken.breakContent(content);
    const auto before = ContentDigest(content);

    GameProcess game(content.path().string(),
                     {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy", "DISPLAY", "WAYLAND_DISPLAY"});
    ASSERT_TRUE(game.WaitForExit(std::chrono::seconds(10))) << "the game hung";
    const std::string err = game.StandardError();
    EXPECT_EQ(game.termSignal(), 0) << err;
    ASSERT_TRUE(game.exited()) << err;
    EXPECT_EQ(game.exitStatus(), 1) << err;

    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.back(), '\n');
    const std::string line = err.substr(0, err.find('\n'));
    EXPECT_EQ(line.size() + 1, err.size()) << "more than one line:\n" << err;
    EXPECT_EQ(line.rfind(broken.file, 0), 0u) << line;
    EXPECT_NE(line.find(broken.what, std::string(broken.file).size()), std::string::npos) << line;

    EXPECT_EQ(ContentDigest(content), before) << "the game changed its content";
}

INSTANTIATE_TEST_SUITE_P(Cases, BrokenContentTest, testing::ValuesIn(brokenCases),
                         [](const testing::TestParamInfo<BrokenCase>& info) { return info.param.name; });

}  // namespace
