#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include "core/ContentError.hpp"
#include "core/FolderListing.hpp"
#include "support/TempContent.hpp"

// The file system's own order is a hash: the listing sorts by name whatever the case, ties in
// byte order.
TEST(ListFolder, SortsNamesCaseInsensitivelyWithTiesInByteOrder) {
    TempContent content;
    for (const char* name : {"b", "A", "_c", "a", "B1", "Ab"})
        content.Write(std::string("Content/Music/") + name, "");
    std::vector<std::string> names;
    for (const auto& entry : ListFolder("Content/Music")) names.push_back(entry.filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"_c", "A", "a", "Ab", "b", "B1"}));
    EXPECT_THROW(ListFolder("Content/Nowhere"), ContentError);
}
