#include "SampleMovies.h"
#include "SwfTestUtil.h"

#include <gtest/gtest.h>

TEST(SwfDemo, RendersEveryFrameOfTheDemoLesson)
{
    auto movie = swftest::load(swfmake::demoMovie('C'));
    ASSERT_FALSE(movie->failed()) << movie->error().toStdString();
    ASSERT_EQ(movie->framesLoaded(), 48);
    auto root = swftest::at(movie, 0);
    QImage first = swftest::render(*root, QSize(550, 400), true);
    if (!qEnvironmentVariableIsEmpty("SWF_DUMP"))
        first.save(qEnvironmentVariable("SWF_DUMP") + "/demo0.png");
    root->root().gotoFrame(20, false);
    QImage later = swftest::render(*root, QSize(550, 400), true);
    if (!qEnvironmentVariableIsEmpty("SWF_DUMP"))
        later.save(qEnvironmentVariable("SWF_DUMP") + "/demo20.png");
    EXPECT_NE(first, later);
}
