// Font and text records as stored, written here field by field: DefineFont2
// and 3 with codes, layout and kerning, fonts without glyphs, DefineFontInfo,
// alignment zones, font names, text render settings and every field of
// DefineEditText.
#include "SwfTestUtil.h"
#include "SwfWriter.h"
#include "swf/SwfText.h"

#include <gtest/gtest.h>

using swfmake::BitWriter;

namespace {

// A glyph: a 100-unit square drawn with fill 1.
QByteArray squareGlyph()
{
    BitWriter w;
    w.ub(1, 4);
    w.ub(0, 4);
    w.ub(0, 1);
    w.ub(0b00011, 5); // fill 0 and move
    w.ub(1, 5);
    w.sb(0, 1);
    w.sb(0, 1);
    w.ub(1, 1);
    for (auto [dx, dy] : {std::pair{100, 0}, std::pair{0, 100}, std::pair{-100, 0}, std::pair{0, -100}}) {
        w.ub(1, 1);
        w.ub(1, 1);
        w.ub(7, 4);
        w.ub(1, 1);
        w.sb(dx, 9);
        w.sb(dy, 9);
    }
    w.ub(0, 6);
    w.align();
    return w.data();
}

// DefineFont2 or 3 with two square glyphs for `codes`, a layout and one
// kerning pair.
QByteArray fontBody(int id, bool wide, const QByteArray &name)
{
    QByteArray glyph = squareGlyph();
    BitWriter w;
    w.u16(id);
    w.u8(0x80 | 0x20 | 0x02 | (wide ? 0x04 | 0x08 : 0)); // layout, small text, italic
    w.u8(1); // Latin
    w.u8(int(name.size()));
    w.bytes(name);
    w.u16(2);
    int offsetSize = wide ? 4 : 2;
    int start = 3 * offsetSize;
    for (int i = 0; i < 3; ++i) { // two glyph offsets and the code table's
        int offset = start + i * int(glyph.size());
        wide ? w.u32(uint32_t(offset)) : w.u16(offset);
    }
    w.bytes(glyph);
    w.bytes(glyph);
    for (int code : {wide ? 0x4E2D : int('A'), int('B')})
        wide ? w.u16(code) : w.u8(code);
    w.u16(900);
    w.u16(200);
    w.u16(uint16_t(-30));
    w.u16(500);
    w.u16(uint16_t(-5));
    w.rect(QRect(0, 0, 100, 100));
    w.rect(QRect(-10, -20, 30, 40));
    w.u16(1);
    wide ? w.u16(0x4E2D) : w.u8('A');
    wide ? w.u16('B') : w.u8('B');
    w.u16(uint16_t(-40));
    return w.data();
}

std::shared_ptr<swf::Movie> movieOf(const std::vector<std::pair<int, QByteArray>> &tags, int version = 8)
{
    swfmake::MovieWriter m(100, 100, 12, version);
    for (const auto &[code, body] : tags)
        m.tag(code, body);
    m.showFrame();
    return swftest::load(m.finish());
}

}

TEST(SwfTextRecords, Font2And3KeepCodesLayoutAndKerning)
{
    auto movie = movieOf({{48, fontBody(1, false, "Narrow")}, {75, fontBody(2, true, "Wide")}});
    for (uint16_t id : {1, 2}) {
        SCOPED_TRACE(id);
        auto *font = movie->characterAs<swf::FontCharacter>(id);
        ASSERT_NE(font, nullptr);
        bool wide = id == 2;
        EXPECT_EQ(font->name, wide ? "Wide" : "Narrow");
        EXPECT_TRUE(font->italic);
        EXPECT_FALSE(font->bold);
        EXPECT_TRUE(font->smallText);
        EXPECT_EQ(font->language, 1);
        ASSERT_EQ(font->glyphs.size(), 2u);
        EXPECT_EQ(font->glyphs[1].boundingRect(), QRectF(0, 0, 100, 100));
        EXPECT_EQ(font->codes, (std::vector<char16_t>{char16_t(wide ? 0x4E2D : 'A'), 'B'}));
        ASSERT_TRUE(font->hasLayout);
        EXPECT_EQ(font->ascentUnits, 900);
        EXPECT_EQ(font->descentUnits, 200);
        EXPECT_EQ(font->leadingUnits, -30);
        EXPECT_EQ(font->advances, (std::vector<double>{500, 65531})); // advances are unsigned
        ASSERT_EQ(font->glyphBounds.size(), 2u);
        EXPECT_EQ(font->glyphBounds[1], QRectF(-10, -20, 30, 40));
        ASSERT_EQ(font->kernings.size(), 1);
        EXPECT_EQ(font->kernings.value(uint32_t(wide ? 0x4E2D : 'A') << 16 | 'B'), -40);
    }
    EXPECT_EQ(movie->characterAs<swf::FontCharacter>(2)->unitsPerEm, 1024 * 20);
}

TEST(SwfTextRecords, FontsWithoutGlyphsWithAndWithoutACodeTableOffset)
{
    auto emptyFont = [](int id, bool withOffset) {
        BitWriter w;
        w.u16(id);
        w.u8(0x80 | 0x01); // layout, bold
        w.u8(0);
        w.u8(5);
        w.bytes("_sans");
        w.u16(0);
        if (withOffset)
            w.u16(2);
        w.u16(1000);
        w.u16(300);
        w.u16(50);
        w.u16(0);
        return w.data();
    };
    auto movie = movieOf({{48, emptyFont(1, true)}, {48, emptyFont(2, false)}});
    for (uint16_t id : {1, 2}) {
        auto *font = movie->characterAs<swf::FontCharacter>(id);
        ASSERT_NE(font, nullptr) << id;
        EXPECT_TRUE(font->glyphs.empty());
        EXPECT_TRUE(font->bold);
        EXPECT_EQ(font->ascentUnits, 1000) << id;
        EXPECT_EQ(font->descentUnits, 300) << id;
        EXPECT_EQ(font->leadingUnits, 50) << id;
    }
}

TEST(SwfTextRecords, FontInfoZonesNameAndRenderSettingsAddToEarlierCharacters)
{
    BitWriter font1;
    font1.u16(1);
    QByteArray glyph = squareGlyph();
    font1.u16(4);
    font1.u16(4 + int(glyph.size()));
    font1.bytes(glyph);
    font1.bytes(glyph);
    BitWriter info;
    info.u16(1);
    info.u8(5);
    info.bytes("Serif");
    info.u8(0x04 | 0x02 | 0x01); // italic, bold, wide codes
    info.u8(2);                  // language (version 2)
    info.u16(0x3042);
    info.u16('z');
    BitWriter zones;
    zones.u16(2);
    zones.u8(0x40); // medium
    for (int i = 0; i < 2; ++i) {
        zones.u8(2);
        zones.u16(0x3C00); // 1.0
        zones.u16(0x3800); // 0.5
        zones.u16(0x0000);
        zones.u16(0xBC00); // -1.0
        zones.u8(i == 0 ? 0x03 : 0x02);
    }
    BitWriter name;
    name.u16(2);
    name.string("Noto Sans Bold");
    name.string("(c) nobody");
    BitWriter text;
    text.u16(3);
    text.rect(QRect(0, 0, 100, 100));
    text.matrix(QTransform());
    text.u8(1);
    text.u8(1);
    text.u8(0);
    BitWriter csm;
    csm.u16(3);
    csm.ub(1, 2); // advanced
    csm.ub(2, 3); // subpixel grid
    csm.ub(0, 3);
    csm.u32(0x3F800000); // 1.0
    csm.u32(0xC0000000); // -2.0
    csm.u8(0);
    auto movie = movieOf({{10, font1.data()}, {62, info.data()}, {75, fontBody(2, true, "Wide")}, {73, zones.data()},
                          {88, name.data()}, {11, text.data()}, {74, csm.data()}});
    auto *serif = movie->characterAs<swf::FontCharacter>(1);
    ASSERT_NE(serif, nullptr);
    EXPECT_EQ(serif->name, "Serif");
    EXPECT_TRUE(serif->bold && serif->italic);
    EXPECT_EQ(serif->language, 2);
    EXPECT_EQ(serif->codes, (std::vector<char16_t>{0x3042, 'z'}));
    auto *wide = movie->characterAs<swf::FontCharacter>(2);
    EXPECT_EQ(wide->zoneThickness, 1);
    ASSERT_EQ(wide->alignZones.size(), 2u);
    EXPECT_EQ(wide->alignZones[0].zones, (std::vector<std::pair<float, float>>{{1.0f, 0.5f}, {0.0f, -1.0f}}));
    EXPECT_TRUE(wide->alignZones[0].x && wide->alignZones[0].y);
    EXPECT_TRUE(wide->alignZones[1].y);
    EXPECT_FALSE(wide->alignZones[1].x);
    EXPECT_EQ(wide->fullName, "Noto Sans Bold");
    EXPECT_EQ(wide->copyright, "(c) nobody");
    auto *settings = &movie->characterAs<swf::TextCharacter>(3)->renderSettings;
    ASSERT_TRUE(settings->has_value());
    EXPECT_TRUE((*settings)->advanced);
    EXPECT_EQ((*settings)->gridFit, 2);
    EXPECT_EQ((*settings)->thickness, 1.0f);
    EXPECT_EQ((*settings)->sharpness, -2.0f);
}

TEST(SwfTextRecords, EditTextKeepsEveryFlagAndField)
{
    BitWriter w;
    w.u16(4);
    w.rect(QRect(-40, -40, 2000, 400));
    w.u8(0xFF); // text, wrap, multiline, password, read-only, colour, max length, font
    w.u8(0x7F); // auto size, layout, no select, border, was static, HTML, outlines
    w.u16(9);
    w.u16(360);
    w.rgba(QColor(1, 2, 3, 200));
    w.u16(12);
    w.u8(2);
    w.u16(40);
    w.u16(60);
    w.u16(80);
    w.u16(uint16_t(-20));
    w.string("_root.answer");
    w.string("<p align=\"center\"><b>Hi</b></p>");
    auto movie = movieOf({{37, w.data()}});
    auto *field = movie->characterAs<swf::EditTextCharacter>(4);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->bounds, QRectF(-40, -40, 2000, 400));
    EXPECT_TRUE(field->wordWrap && field->multiline && field->password && field->readOnly);
    EXPECT_TRUE(field->autoSize && field->border && field->wasStatic && field->html && field->useOutlines);
    EXPECT_TRUE(field->noSelect);
    EXPECT_EQ(field->fontId, 9);
    EXPECT_EQ(field->fontHeight, 360);
    EXPECT_EQ(field->color, QColor(1, 2, 3, 200));
    EXPECT_EQ(field->maxLength, 12);
    ASSERT_TRUE(field->hasLayout);
    EXPECT_EQ(field->align, 2);
    EXPECT_EQ(field->leftMargin, 40);
    EXPECT_EQ(field->rightMargin, 60);
    EXPECT_EQ(field->indent, 80);
    EXPECT_EQ(field->leading, -20);
    EXPECT_EQ(field->variableName, "_root.answer");
    ASSERT_TRUE(field->hasText);
    EXPECT_EQ(field->initialText, "<p align=\"center\"><b>Hi</b></p>");
}
