// Where the game's content is looked for: the first candidate holding a Content folder wins.
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include "core/ContentFolder.hpp"
#include "support/TempContent.hpp"

namespace fs = boost::filesystem;

TEST(ContentLookup, FirstCandidateHoldingContentWinsAndSaysWhichAndAFailureNamesTheFoldersTried) {
    const char* folders[] = {"work", "exe", "data", "given"};  // in ContentSource's order
    struct Case {
        std::vector<const char*> withContent;
        bool dataDirOption;  // names "given"
        std::optional<ContentSource> found;
    };
    const Case cases[] = {
        {{"work", "exe", "data"}, false, ContentSource::WorkingFolder},
        {{"exe", "data"}, false, ContentSource::BesideExecutable},
        {{"data"}, false, ContentSource::Installed},
        {{}, false, std::nullopt},
        {{"work", "given"}, true, ContentSource::DataDirOption},
        {{"work", "exe", "data"}, true, std::nullopt},
    };
    TempContent temp;
    const fs::path top = temp.path() / "candidates";
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        fs::remove_all(top);
        for (const char* folder : folders) fs::create_directories(top / folder);
        for (const char* folder : c.withContent) fs::create_directories(top / folder / "Content");
        ContentSearch search{top / "work", top / "exe", top / "data", std::nullopt};
        if (c.dataDirOption) search.dataDirOption = top / "given";

        const ContentLookup lookup = FindContentFolder(search);
        if (c.found) {
            // Found in the working folder it is the relative path "Content", as it always was.
            const bool here = *c.found == ContentSource::WorkingFolder;
            EXPECT_EQ(lookup.folder, here ? "Content" : top / folders[int(*c.found)] / "Content");
            EXPECT_EQ(lookup.source, *c.found);
            continue;
        }
        EXPECT_FALSE(lookup.folder);
        for (const char* folder : folders) {
            const bool tried = c.dataDirOption == (std::string(folder) == "given");
            EXPECT_EQ(lookup.problem.find((top / folder).string()) != std::string::npos, tried) << lookup.problem;
        }
    }
}
