// Line breaking and placement of text fields: wrap, alignment, margins and
// indents, leading, tabs, kerning, Chinese text, password, auto size and
// scrolling, with a face of known metrics.
#include "swf/SwfFontFace.h"
#include "swf/SwfTextField.h"

#include <gtest/gtest.h>

using swf::AutoSize;
using swf::TextAlign;
using swf::TextField;
using swf::TextFormat;

namespace {

// Every glyph a box: 'W' and ideographs one EM wide, ' ' a quarter, the rest a half.
class BoxFace : public swf::FontFace {
public:
    double ascent() const override { return 0.75; }
    double descent() const override { return 0.25; }
    bool hasGlyph(char32_t code) const override { return code != U'#'; }
    double advance(char32_t code) const override
    {
        if (code == U'W' || code >= 0x4E00)
            return 1;
        return code == U' ' ? 0.25 : 0.5;
    }
    double kerning(char32_t left, char32_t right) const override { return left == U'A' && right == U'V' ? -0.25 : 0; }
    QPainterPath outline(char32_t code) const override
    {
        QPainterPath p;
        p.addRect(0, -0.75, advance(code), 0.75);
        return p;
    }
};

const BoxFace boxFace;

// A field of `width` x `height` pixels in 20-pixel box glyphs (advance 10, line 20).
TextField field(double width, double height, const QString &text, bool wrap = true)
{
    TextField f([](const QString &, bool, bool) -> const swf::FontFace * { return &boxFace; });
    f.setEmbedFonts(true);
    TextFormat format;
    format.font = QStringLiteral("Box");
    format.size = 20;
    f.setNewTextFormat(format);
    f.setBounds(QRectF(0, 0, width, height));
    f.setWordWrap(wrap);
    f.setText(text);
    return f;
}

QStringList lineTexts(const TextField &f)
{
    QStringList lines;
    for (const swf::TextLine &line : f.layout().lines)
        lines << f.text().mid(line.begin, line.end - line.begin);
    return lines;
}

double firstGlyphX(const TextField &f, int line)
{
    return f.layout().lines[size_t(line)].glyphs.front().x;
}

}

TEST(SwfTextLayout, WrapsAfterSpacesAndBreaksWordsLongerThanTheLine)
{
    // Room for 10 glyphs: 104 wide less two 2-pixel gutters.
    EXPECT_EQ(lineTexts(field(104, 100, "aaaa bbbb cccc")), (QStringList{"aaaa bbbb ", "cccc"}));
    EXPECT_EQ(lineTexts(field(104, 100, "aaaaaaaaaaaaaa")), (QStringList{"aaaaaaaaaa", "aaaa"}));
    EXPECT_EQ(lineTexts(field(104, 100, "aaaa bbbb cccc", false)), (QStringList{"aaaa bbbb cccc"}));
    EXPECT_EQ(lineTexts(field(104, 100, "aa-bbbbbbbbbb")), (QStringList{"aa-", "bbbbbbbbbb"})) << "after a hyphen";
    // Trailing spaces hang past the edge and never start the next line.
    EXPECT_EQ(lineTexts(field(104, 100, "aaaaaaaaaa    bb")), (QStringList{"aaaaaaaaaa    ", "bb"}));
}

TEST(SwfTextLayout, ParagraphBreaksAndEmptyLinesKeepTheirHeight)
{
    TextField f = field(200, 200, "ab\n\r\ncd\r");
    EXPECT_EQ(f.text(), QStringLiteral("ab\r\r\rcd\r")) << "every '\\n' becomes '\\r', so \"\\r\\n\" is two breaks";
    ASSERT_EQ(f.numLines(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_DOUBLE_EQ(f.layout().lines[size_t(i)].top, 2 + 20 * i);
    EXPECT_DOUBLE_EQ(f.layout().lines[0].baseline(), 17);
    EXPECT_DOUBLE_EQ(f.textHeight(), 80) << "the empty line after the final break is no text";
    EXPECT_DOUBLE_EQ(f.textWidth(), 20);
}

TEST(SwfTextLayout, BreaksAroundChineseCharactersButNotBeforeClosingPunctuation)
{
    // 20-pixel ideographs, five to a line.
    EXPECT_EQ(lineTexts(field(104, 100, QString::fromUtf8("我们学习英语和汉字"))),
              (QStringList{QString::fromUtf8("我们学习英"), QString::fromUtf8("语和汉字")}));
    EXPECT_EQ(lineTexts(field(104, 100, QString::fromUtf8("我们学习英，语"))),
              (QStringList{QString::fromUtf8("我们学习"), QString::fromUtf8("英，语")}));
}

TEST(SwfTextLayout, AlignsEachLineInTheRoomLeftByMarginsAndIndents)
{
    struct Row {
        TextAlign align;
        double firstX;
    } rows[] = {{TextAlign::Left, 2}, {TextAlign::Right, 2 + 100 - 40}, {TextAlign::Center, 2 + 30}};
    for (const Row &row : rows) {
        TextField f = field(104, 100, "abcd");
        TextFormat format;
        format.align = row.align;
        f.setTextFormat(0, 1, format);
        EXPECT_DOUBLE_EQ(firstGlyphX(f, 0), row.firstX) << int(row.align);
        EXPECT_DOUBLE_EQ(f.textWidth(), 40) << "alignment does not widen the text";
    }
    TextField f = field(104, 100, "aaaa bbbb cccc");
    TextFormat format;
    format.leftMargin = 10;
    format.rightMargin = 4;
    format.indent = 6;
    format.blockIndent = 4;
    f.setTextFormat(0, 1, format);
    // Room: 104 - 4 - 10 - 4 - 4 = 82, and 76 on the indented first line.
    EXPECT_EQ(lineTexts(f), (QStringList{"aaaa ", "bbbb ", "cccc"}));
    EXPECT_DOUBLE_EQ(firstGlyphX(f, 0), 2 + 10 + 4 + 6);
    EXPECT_DOUBLE_EQ(firstGlyphX(f, 1), 2 + 10 + 4);
}

TEST(SwfTextLayout, BulletsIndentTheTextAFixedStepAndMarginsDoNotWidenIt)
{
    TextField f = field(104, 100, "aaaa bbbb\rcc");
    TextFormat bullet;
    bullet.bullet = true;
    bullet.leftMargin = 10;
    f.setTextFormat(0, 1, bullet);
    // Room: 104 - 4 - 10 - 36 = 54, five glyphs.
    EXPECT_EQ(lineTexts(f), (QStringList{"aaaa ", "bbbb\r", "cc"}));
    EXPECT_DOUBLE_EQ(firstGlyphX(f, 1), 2 + 10 + 36);
    EXPECT_DOUBLE_EQ(firstGlyphX(f, 2), 2) << "the next paragraph has no bullet";
    EXPECT_DOUBLE_EQ(f.textWidth(), 45) << "the widest line, its trailing space too, without margin and bullet";
}

TEST(SwfTextLayout, JustifySpreadsSpacesOnAllButTheParagraphsLastLine)
{
    TextField f = field(104, 100, "aa bb cccccc dd");
    TextFormat format;
    format.align = TextAlign::Justify;
    f.setTextFormat(0, 1, format);
    ASSERT_EQ(lineTexts(f), (QStringList{"aa bb ", "cccccc dd"}));
    // Line 1: "aa bb" is 45 wide in a room of 100; its one inner space takes the 55 left.
    const auto &glyphs = f.layout().lines[0].glyphs;
    ASSERT_EQ(glyphs.size(), 4u);
    EXPECT_DOUBLE_EQ(glyphs[2].x, 2 + 20 + 5 + 55);
    EXPECT_DOUBLE_EQ(f.layout().lines[1].glyphs[6].x, 2 + 60 + 5) << "the last line stays left";
}

TEST(SwfTextLayout, LeadingSpacesLinesButNotTheTextsEnd)
{
    TextField f = field(104, 200, "a\rb\rc");
    TextFormat format;
    format.leading = 5;
    f.setTextFormat(0, f.length(), format);
    EXPECT_DOUBLE_EQ(f.layout().lines[1].top, 2 + 25);
    EXPECT_DOUBLE_EQ(f.layout().lines[2].top, 2 + 50);
    EXPECT_DOUBLE_EQ(f.textHeight(), 70);
}

TEST(SwfTextLayout, TextSizeCountsTrailingSpacesALoneLinesLeadingAndNothingForNoText)
{
    // Trailing spaces widen text aligned left; justification does not widen it.
    struct Row {
        TextAlign align;
        double textWidth;
    } rows[] = {{TextAlign::Left, 95}, {TextAlign::Center, 85}, {TextAlign::Right, 85}, {TextAlign::Justify, 85}};
    for (const Row &row : rows) {
        TextField f = field(104, 100, "aaaa bbbb  cc");
        TextFormat format;
        format.align = row.align;
        f.setTextFormat(0, 1, format);
        ASSERT_EQ(lineTexts(f), (QStringList{"aaaa bbbb  ", "cc"}));
        EXPECT_DOUBLE_EQ(f.textWidth(), row.textWidth) << int(row.align);
    }
    EXPECT_DOUBLE_EQ(field(200, 100, "ab  ", false).textWidth(), 30) << "the paragraph's end keeps its spaces";
    TextField centred = field(200, 100, "ab  ", false);
    TextFormat centre;
    centre.align = TextAlign::Center;
    centred.setTextFormat(0, 1, centre);
    EXPECT_DOUBLE_EQ(centred.textWidth(), 20);
    centred.alignedSpacesCount = true; // as movies before version 8 measure
    centred.setText("ab  ");
    EXPECT_DOUBLE_EQ(centred.textWidth(), 30);

    TextField lone = field(200, 100, "ab");
    TextFormat leading;
    leading.leading = 5;
    lone.setTextFormat(0, 2, leading);
    EXPECT_DOUBLE_EQ(lone.textHeight(), 25);
    EXPECT_DOUBLE_EQ(field(200, 100, "").textHeight(), 0);
}

TEST(SwfTextLayout, TabsKerningLetterSpacingAndMissingGlyphs)
{
    TextField tabs = field(300, 100, "a\tb\tc", false);
    TextFormat stops;
    stops.tabStops = std::vector<double>{50};
    tabs.setTextFormat(0, 1, stops);
    const auto &g = tabs.layout().lines[0].glyphs;
    ASSERT_EQ(g.size(), 3u);
    EXPECT_DOUBLE_EQ(g[1].x, 2 + 50) << "the given stop";
    EXPECT_DOUBLE_EQ(g[2].x, 2 + 72) << "then every 36 pixels";

    TextField kerned = field(300, 100, "AVA", false);
    TextFormat kerning;
    kerning.kerning = true;
    kerned.setTextFormat(0, 3, kerning);
    EXPECT_DOUBLE_EQ(kerned.layout().lines[0].glyphs[1].x, 2 + 10 - 5);
    EXPECT_DOUBLE_EQ(field(300, 100, "AVA", false).layout().lines[0].glyphs[1].x, 2 + 10) << "off by default";

    TextField spaced = field(300, 100, "abc", false);
    TextFormat spacing;
    spacing.letterSpacing = 3;
    spaced.setTextFormat(0, 3, spacing);
    EXPECT_DOUBLE_EQ(spaced.layout().lines[0].glyphs[2].x, 2 + 26);

    TextField missing = field(300, 100, "a#b", false);
    ASSERT_EQ(missing.layout().lines[0].glyphs.size(), 2u) << "an embedded font without the glyph draws nothing";
    EXPECT_DOUBLE_EQ(missing.layout().lines[0].glyphs[1].x, 2 + 10);
}

TEST(SwfTextLayout, PasswordShowsStarsForEveryCharacter)
{
    TextField f = field(300, 100, "WWa", false);
    f.setPassword(true);
    const auto &g = f.layout().lines[0].glyphs;
    ASSERT_EQ(g.size(), 3u);
    for (const swf::PlacedGlyph &glyph : g)
        EXPECT_EQ(glyph.code, U'*');
    EXPECT_DOUBLE_EQ(g[2].x, 2 + 20) << "stars' advances, not the hidden letters'";
    EXPECT_EQ(f.text(), QStringLiteral("WWa"));
}

TEST(SwfTextLayout, AutoSizeFitsTheBoundsToTheTextFromItsAnchor)
{
    struct Row {
        AutoSize mode;
        double left;
    } rows[] = {{AutoSize::Left, 10}, {AutoSize::Right, 10 + 200 - 44}, {AutoSize::Center, 10 + 100 - 22}};
    for (const Row &row : rows) {
        TextField f = field(200, 50, "abcd", false);
        f.setBounds(QRectF(10, 5, 200, 50));
        f.setAutoSize(row.mode);
        EXPECT_EQ(f.bounds(), QRectF(row.left, 5, 44, 24)) << int(row.mode);
    }
    TextField wrapped = field(104, 10, "aaaa bbbb cccc");
    wrapped.setAutoSize(AutoSize::Left);
    EXPECT_EQ(wrapped.bounds(), QRectF(0, 0, 104, 44)) << "word wrap keeps the width";
    TextField none = field(200, 50, "abcd", false);
    EXPECT_EQ(none.bounds(), QRectF(0, 0, 200, 50));
}

TEST(SwfTextLayout, ScrollLimitsFollowTheLinesThatFit)
{
    // Lines of 20 in a field showing 60 (64 less the gutters): 3 of 7 lines fit.
    TextField f = field(104, 64, "1\r2\r3\r4\r5\r6\r7");
    EXPECT_EQ(f.maxScroll(), 5);
    EXPECT_EQ(f.scroll(), 1);
    EXPECT_EQ(f.bottomScroll(), 3);
    f.setScroll(3);
    EXPECT_EQ(f.scroll(), 3);
    EXPECT_EQ(f.bottomScroll(), 5);
    f.setScroll(99);
    EXPECT_EQ(f.scroll(), 5) << "clamped to the last page";
    EXPECT_EQ(field(104, 64, "1\r2").maxScroll(), 1);

    TextField wide = field(104, 30, "aaaaaaaaaaaaaaa", false);
    EXPECT_DOUBLE_EQ(wide.maxHScroll(), 50);
    wide.setHScroll(80);
    EXPECT_DOUBLE_EQ(wide.hscroll(), 50);
}

TEST(SwfTextLayout, CaretPositionsFollowTheGlyphs)
{
    TextField f = field(104, 100, "aaaa bbbb cccc");
    const swf::TextLayout &l = f.layout();
    EXPECT_EQ(l.lineOf(0), 0);
    EXPECT_EQ(l.lineOf(10), 1);
    EXPECT_DOUBLE_EQ(l.caretX(2), 2 + 20);
    EXPECT_DOUBLE_EQ(l.caretX(14), 2 + 40) << "after the last character";
    EXPECT_EQ(l.indexAt(1, 2 + 16), 10 + 2) << "nearest glyph edge";
    EXPECT_EQ(l.indexAt(0, 2 + 41), 4) << "the first half of a space: before it";
    EXPECT_EQ(l.indexAt(0, 2 + 44), 5) << "its second half: after it";
    EXPECT_EQ(l.indexAt(0, 500), 10) << "end of a wrapped line";
}

TEST(SwfTextLayout, ClicksFindTheCaretPositionInScrolledAndMovedFields)
{
    TextField f = field(104, 44, "aaaa bbbb cccc\rdd");
    f.setBounds(QRectF(30, 10, 104, 44));
    EXPECT_EQ(f.caretIndexAt(QPointF(30 + 2 + 16, 10 + 5)), 2);
    EXPECT_EQ(f.caretIndexAt(QPointF(30 + 2 + 16, 10 + 25)), 12);
    EXPECT_EQ(f.caretIndexAt(QPointF(30 + 90, 10 + 25)), 14) << "past the end of a paragraph: before its break";
    EXPECT_EQ(f.caretIndexAt(QPointF(0, -50)), 0) << "above the field: the first line shown";
    f.setScroll(2);
    EXPECT_EQ(f.caretIndexAt(QPointF(30 + 2 + 16, 10 + 5)), 12) << "line 2 shows at the top";
    EXPECT_EQ(f.caretIndexAt(QPointF(30 + 2 + 1, 10 + 25)), 15);
}
