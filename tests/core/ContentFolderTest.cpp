// Where the game's content is looked for, first match wins.
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include "core/ContentFolder.hpp"
#include "support/TempContent.hpp"

namespace fs = boost::filesystem;

namespace {

struct LookupCase {
    const char* name;
    std::vector<const char*> withContent;  // of "work", "exe", "data", "given"
    bool dataDirOption;
    const char* found;  // below the temporary folder, "Content" for the relative result, null: none
    ContentSource source;
};

void PrintTo(const LookupCase& c, std::ostream* out) { *out << c.name; }

class ContentLookupTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ContentLookupTest, FirstCandidateHoldingContentWins) {
    const LookupCase& c = GetParam();
    TempContent temp;
    const fs::path top = temp.path() / "candidates";
    for (const char* folder : {"work", "exe", "data", "given"}) fs::create_directories(top / folder);
    for (const char* folder : c.withContent) fs::create_directories(top / folder / "Content");
    ContentSearch search{top / "work", top / "exe", top / "data", std::nullopt};
    if (c.dataDirOption) search.dataDirOption = top / "given";

    const ContentLookup lookup = FindContentFolder(search);
    if (!c.found) {
        ASSERT_FALSE(lookup.folder);
        EXPECT_EQ(lookup.problem.find('\n'), std::string::npos);
        // The line names every folder tried, and only those.
        for (const char* folder : {"work", "exe", "data", "given"}) {
            const bool tried = c.dataDirOption == (std::string(folder) == "given");
            EXPECT_EQ(lookup.problem.find((top / folder).string()) != std::string::npos, tried)
                << folder << ": " << lookup.problem;
        }
        return;
    }
    ASSERT_TRUE(lookup.folder) << lookup.problem;
    const fs::path expected =
        std::string(c.found) == "Content" ? fs::path("Content") : top / c.found / "Content";
    EXPECT_EQ(*lookup.folder, expected);
    EXPECT_EQ(lookup.source, c.source);
}

INSTANTIATE_TEST_SUITE_P(
    Candidates, ContentLookupTest,
    ::testing::Values(
        LookupCase{"WorkingFolderFirstAndRelative",
                   {"work", "exe", "data"},
                   false,
                   "Content",
                   ContentSource::WorkingFolder},
        LookupCase{"ThenBesideTheExecutable", {"exe", "data"}, false, "exe", ContentSource::ExecutableFolder},
        LookupCase{"ThenTheInstalledData", {"data"}, false, "data", ContentSource::DataFolder},
        LookupCase{"NoneFound", {}, false, nullptr, {}},
        LookupCase{"DataDirOverridesAll", {"work", "given"}, true, "given", ContentSource::DataDirOption},
        LookupCase{"DataDirWithoutContentFailsDespiteOthers", {"work", "exe", "data"}, true, nullptr, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
