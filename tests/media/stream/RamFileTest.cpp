// Reading ".ram" lists: which addresses count and which lines do not.
#include "stream/RamFile.h"

#include <gtest/gtest.h>

TEST(RamFile, ListsAddressesSkippingCommentsBlanksAndWhatFollowsStop)
{
    QByteArray text = "# Lesson 1\r\n\r\n  rtsp://host/a.rm  \r\nhttp://host/b.rm\n--stop--\nrtsp://host/c.rm\n";
    EXPECT_EQ(ParseRamFile(text), (QStringList{"rtsp://host/a.rm", "http://host/b.rm"}));
    EXPECT_TRUE(ParseRamFile("# only a comment\n\n").isEmpty());
}

TEST(RamFile, RecognisedByThePathNotTheQuery)
{
    EXPECT_TRUE(IsRamAddress("http://host/show/LIST.RAM"));
    EXPECT_TRUE(IsRamAddress("http://host/list.ram?x=1"));
    EXPECT_TRUE(IsRamAddress("/home/user/list.ram"));
    EXPECT_FALSE(IsRamAddress("http://host/a.rm?list.ram"));
    EXPECT_FALSE(IsRamAddress("rtsp://host/a.rm"));
}
