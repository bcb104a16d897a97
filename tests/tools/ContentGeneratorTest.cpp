// The shipped content is what the generator makes afresh.
#include <gtest/gtest.h>

#include <algorithm>
#include <boost/filesystem.hpp>
#include <cstdlib>
#include <fstream>
#include <map>

#include "support/TempContent.hpp"

namespace fs = boost::filesystem;

namespace {

// Every file the generator makes (Levels and Config are written by hand) with its bytes.
std::map<std::string, std::string> Generated(const fs::path& top) {
    std::map<std::string, std::string> files;
    for (const char* folder : {"Textures", "Fonts", "Sound", "Music"}) {
        for (const auto& e : fs::recursive_directory_iterator(top / folder)) {
            if (!fs::is_regular_file(e.path())) continue;
            std::ifstream in(e.path().string(), std::ios::binary);
            files[fs::relative(e.path(), top).string()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return files;
}

}  // namespace

// Byte for byte: the generator and its libraries write the same files every time.
TEST(ContentGenerator, AFreshRunMakesTheCommittedContent) {
    TempContent fresh;
    ASSERT_EQ(
        std::system(("\"" CONTENTGEN_EXECUTABLE "\" \"" + (fresh.path() / "Out").string() + "\"").c_str()),
        0);
    const auto made = Generated(fresh.path() / "Out"),
               committed = Generated(fs::path(GAME_SOURCE_DIR) / "Content");
    ASSERT_EQ(made.size(), committed.size());
    for (const auto& [file, bytes] : made) {
        EXPECT_TRUE(committed.count(file) && committed.at(file) == bytes)
            << file << " differs: the committed Content/ is stale, run scripts/generate-content.sh";
    }
}
