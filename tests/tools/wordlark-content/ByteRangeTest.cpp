// Range headers against a file of 1000 bytes: the part served, or the whole
// file when the header asks for something this server does not do.
#include "ByteRange.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    const char *Header;
    ByteRange::Kind Kind;
    qint64 First, Last;
};

class ByteRangeRows : public ::testing::TestWithParam<Row> {};

TEST_P(ByteRangeRows, ParsesAgainstTheFileSize)
{
    const Row row = GetParam();
    const ByteRange range = ByteRange::Parse(row.Header, 1000);
    EXPECT_EQ(range.Result, row.Kind);
    if (row.Kind != ByteRange::Kind::Unsatisfiable) {
        EXPECT_EQ(range.First, row.First);
        EXPECT_EQ(range.Last, row.Last);
    }
}

using K = ByteRange::Kind;
INSTANTIATE_TEST_SUITE_P(Headers, ByteRangeRows,
                         ::testing::Values(Row{"", K::Whole, 0, 999}, Row{"bytes=0-99", K::Part, 0, 99},
                                           Row{"bytes=500-", K::Part, 500, 999}, Row{"bytes=-100", K::Part, 900, 999},
                                           Row{"bytes=-5000", K::Part, 0, 999}, Row{"bytes=990-5000", K::Part, 990, 999},
                                           Row{" bytes=10-19 ", K::Part, 10, 19}, Row{"bytes = 10-19", K::Whole, 0, 999}, Row{"bytes=999-999", K::Part, 999, 999},
                                           Row{"bytes=1000-", K::Unsatisfiable, 0, 0},
                                           Row{"bytes=-0", K::Unsatisfiable, 0, 0}, Row{"bytes=5-1", K::Whole, 0, 999},
                                           Row{"bytes=0-1,5-6", K::Whole, 0, 999}, Row{"items=0-1", K::Whole, 0, 999},
                                           Row{"bytes=a-b", K::Whole, 0, 999}, Row{"bytes=-", K::Whole, 0, 999},
                                           Row{"bytes=+1-2", K::Whole, 0, 999},
                                           Row{"bytes=99999999999999999999-", K::Whole, 0, 999}));

TEST(ByteRange, ContentRangeNamesThePartAndTheSize)
{
    EXPECT_EQ(ByteRange::Parse("bytes=10-19", 1000).ContentRange(1000), "bytes 10-19/1000");
    EXPECT_EQ(ByteRange::Parse("bytes=2000-", 1000).ContentRange(1000), "bytes */1000");
}

TEST(ByteRange, AnEmptyFileHasNoPart)
{
    EXPECT_EQ(ByteRange::Parse("bytes=0-10", 0).Result, K::Unsatisfiable);
    EXPECT_EQ(ByteRange::Parse("", 0).Length(), 0);
}

} // namespace
