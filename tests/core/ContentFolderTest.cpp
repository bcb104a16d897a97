// Where the game's content is looked for: the first candidate holding a Content folder wins.
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include "core/ContentFolder.hpp"
#include "support/TempContent.hpp"

namespace fs = boost::filesystem;

TEST(ContentLookup, FirstCandidateHoldingContentWinsAndAFailureNamesTheFoldersTried) {
    struct Case {
        std::vector<const char*> withContent;
        bool dataDirOption;  // names "given"
        const char* found;   // null: none; "work" is found as the relative path "Content"
    };
    const Case cases[] = {
        {{"work", "exe", "data"}, false, "work"},
        {{"exe", "data"}, false, "exe"},
        {{"data"}, false, "data"},
        {{}, false, nullptr},
        {{"work", "given"}, true, "given"},
        {{"work", "exe", "data"}, true, nullptr},
    };
    TempContent temp;
    const fs::path top = temp.path() / "candidates";
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        fs::remove_all(top);
        for (const char* folder : {"work", "exe", "data", "given"}) fs::create_directories(top / folder);
        for (const char* folder : c.withContent) fs::create_directories(top / folder / "Content");
        ContentSearch search{top / "work", top / "exe", top / "data", std::nullopt};
        if (c.dataDirOption) search.dataDirOption = top / "given";

        const ContentLookup lookup = FindContentFolder(search);
        if (c.found) {
            EXPECT_EQ(lookup.folder, std::string(c.found) == "work" ? "Content" : top / c.found / "Content");
            continue;
        }
        EXPECT_FALSE(lookup.folder);
        for (const char* folder : {"work", "exe", "data", "given"}) {
            const bool tried = c.dataDirOption == (std::string(folder) == "given");
            EXPECT_EQ(lookup.problem.find((top / folder).string()) != std::string::npos, tried)
                << lookup.problem;
        }
    }
}
