// The movie of every record kind (the fuzz seed) reads back whole, so the
// fuzz target starts from every reader.
#include "SampleMovies.h"
#include "swf/SwfButton.h"
#include "swf/SwfMovie.h"
#include "swf/SwfText.h"

#include <gtest/gtest.h>

TEST(SampleMovies, RecordsMovieReadsBackEveryRecord)
{
    swf::Movie movie;
    movie.append(swfmake::recordsMovie());
    movie.finish();
    ASSERT_FALSE(movie.failed());
    ASSERT_EQ(movie.framesLoaded(), 2);
    EXPECT_TRUE(movie.info().useNetwork);
    EXPECT_EQ(movie.info().maxRecursionDepth, 256);
    EXPECT_EQ(movie.info().exports.value("Button"), 6);
    auto *shape = movie.characterAs<swf::ShapeCharacter>(2);
    ASSERT_NE(shape, nullptr);
    EXPECT_TRUE(shape->scalingGrid.has_value());
    EXPECT_TRUE(shape->shape.layers.at(0).lines.at(0).noClose);
    auto *font = movie.characterAs<swf::FontCharacter>(3);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->alignZones.size(), 2u);
    EXPECT_EQ(font->fullName, "Squares Regular");
    EXPECT_EQ(font->kernings.size(), 1);
    EXPECT_TRUE(movie.characterAs<swf::TextCharacter>(4)->renderSettings.has_value());
    EXPECT_EQ(movie.characterAs<swf::EditTextCharacter>(5)->initialText, "<p align=\"center\"><b>A</b></p>");
    auto *button = movie.characterAs<swf::ButtonCharacter>(6);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->records.at(0).blendMode, swf::BlendMode::Multiply);
    EXPECT_TRUE(button->colorTransform.has_value());
    ASSERT_NE(movie.buttonSounds(6), nullptr);
    EXPECT_EQ(movie.buttonSounds(6)->entries[1].soundId, 9);
    int filters = 0, clipActions = 0;
    for (const swf::FrameCommand &c : movie.timeline().frames[0].commands)
        if (auto *p = std::get_if<swf::PlaceCommand>(&c)) {
            filters += p->filters ? int(p->filters->size()) : 0;
            clipActions += int(p->clipActions.size());
        }
    EXPECT_EQ(filters, 8);
    EXPECT_EQ(clipActions, 2);
    EXPECT_TRUE(movie.timeline().anchors.contains("start"));
}
