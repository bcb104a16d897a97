#include <gtest/gtest.h>

#include <boost/filesystem/exception.hpp>

#include "core/ContentError.hpp"
#include "core/ErrorReport.hpp"

TEST(DescribeFatalError, IsOneLineThatStartsWithTheFileAtFault) {
    EXPECT_EQ(DescribeFatalError(std::runtime_error("two\nlines\r")), "two lines ");
    EXPECT_EQ(DescribeFatalError(boost::filesystem::filesystem_error(
                  "ignored", "Content/Levels",
                  boost::system::errc::make_error_code(boost::system::errc::permission_denied))),
              "Content/Levels: Permission denied");
    EXPECT_EQ(DescribeFatalError(ContentError("Content/A.json", "bad")).rfind("Content/A.json: bad", 0), 0u);
}
