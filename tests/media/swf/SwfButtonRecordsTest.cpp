// Button records as stored, written here field by field: DefineButton2
// records with filters and blend modes, condition actions with their
// bytecode, DefineButton's single action block and DefineButtonCxform.
#include "SwfTestUtil.h"
#include "SwfWriter.h"
#include "swf/SwfButton.h"

#include <gtest/gtest.h>

using swfmake::BitWriter;
using Button = swf::ButtonCharacter;

namespace {

std::shared_ptr<swf::Movie> movieOf(const std::vector<std::pair<int, QByteArray>> &tags)
{
    swfmake::MovieWriter m(100, 100, 12);
    for (const auto &[code, body] : tags)
        m.tag(code, body);
    m.showFrame();
    return swftest::load(m.finish());
}

const int kNoChange[4] = {256, 256, 256, 256}, kNoAdd[4] = {0, 0, 0, 0};

}

TEST(SwfButtonRecords, Button2RecordsWithEffectsAndConditionActions)
{
    BitWriter records;
    records.u8(0x30 | 0x01); // blend mode, filters, up state
    records.u16(5);
    records.u16(2);
    records.matrix(QTransform::fromTranslate(20, 0));
    records.colorTransform(kNoChange, kNoAdd, true);
    records.u8(1);  // one filter: a blur
    records.u8(1);
    records.u32(4 << 16);
    records.u32(4 << 16);
    records.u8(0x08); // one pass
    records.u8(8);    // add
    records.u8(0x0E); // over, down, hit
    records.u16(6);
    records.u16(1);
    records.matrix(QTransform());
    records.colorTransform(kNoChange, kNoAdd, true);
    records.u8(0);
    BitWriter w;
    w.u16(1);
    w.u8(0x01); // track as menu
    w.u16(2 + int(records.data().size()));
    w.bytes(records.data());
    w.u16(4 + 2);
    w.u16(Button::OverUpToOverDown | (65 << 9)); // press, or the key 'A'
    w.u8(0x07);
    w.u8(0x00);
    w.u16(0);
    w.u16(Button::OverDownToOverUp | Button::OverDownToIdle);
    w.u8(0x06);
    w.u8(0x00);
    auto movie = movieOf({{34, w.data()}});
    auto *button = movie->characterAs<Button>(1);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->trackAsMenu);
    ASSERT_EQ(button->records.size(), 2u);
    const Button::Record &hit = button->records[0]; // sorted by depth
    EXPECT_EQ(hit.characterId, 6);
    EXPECT_EQ(hit.states, Button::Over | Button::Down | Button::HitTest);
    EXPECT_TRUE(hit.filters.empty());
    EXPECT_EQ(hit.blendMode, swf::BlendMode::Normal);
    const Button::Record &up = button->records[1];
    EXPECT_EQ(up.characterId, 5);
    EXPECT_EQ(up.matrix, QTransform::fromTranslate(20, 0));
    ASSERT_EQ(up.filters.size(), 1u);
    EXPECT_EQ(up.filters[0].kind, swf::Filter::Blur);
    EXPECT_EQ(up.filters[0].blurX, 4);
    EXPECT_EQ(up.blendMode, swf::BlendMode::Add);
    ASSERT_EQ(button->actions.size(), 2u);
    EXPECT_EQ(button->actions[0].keyCode(), 65);
    EXPECT_EQ(button->actions[0].bytecode, QByteArray("\x07\x00", 2));
    EXPECT_EQ(button->actions[1].conditions, Button::OverDownToOverUp | Button::OverDownToIdle);
    EXPECT_EQ(button->actions[1].bytecode, QByteArray("\x06\x00", 2));
}

TEST(SwfButtonRecords, FirstButtonsActionsAndColourTransform)
{
    BitWriter w;
    w.u16(1);
    w.u8(0x0F);
    w.u16(5);
    w.u16(1);
    w.matrix(QTransform());
    w.u8(0);
    w.u8(0x07);
    w.u8(0x00);
    BitWriter cxform;
    cxform.u16(1);
    const int mult[4] = {128, 256, 256, 256}, add[4] = {0, 0, 40, 0};
    cxform.colorTransform(mult, add, false);
    auto movie = movieOf({{7, w.data()}, {23, cxform.data()}});
    auto *button = movie->characterAs<Button>(1);
    ASSERT_NE(button, nullptr);
    ASSERT_EQ(button->actions.size(), 1u);
    EXPECT_EQ(button->actions[0].conditions, Button::OverDownToOverUp);
    EXPECT_EQ(button->actions[0].bytecode, QByteArray("\x07\x00", 2));
    ASSERT_TRUE(button->colorTransform.has_value());
    EXPECT_EQ(button->colorTransform->mult[0], 128);
    EXPECT_EQ(button->colorTransform->add[2], 40);
}

TEST(SwfButtonRecords, BrokenActionsLeaveTheButtonShowing)
{
    BitWriter w;
    w.u16(1);
    w.u8(0);
    w.u16(500); // points past the tag
    w.u8(0x01);
    w.u16(5);
    w.u16(1);
    w.matrix(QTransform());
    w.colorTransform(kNoChange, kNoAdd, true);
    w.u8(0);
    auto movie = movieOf({{34, w.data()}});
    auto *button = movie->characterAs<Button>(1);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->records.size(), 1u);
    EXPECT_TRUE(button->actions.empty());
}
