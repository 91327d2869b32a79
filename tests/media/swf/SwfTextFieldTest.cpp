// Text fields from the movie and from scripts: formats over ranges, text
// replaced and set, fonts read with their metrics, DefineEditText records
// turned into fields, and fields drawn with embedded glyphs and borders.
#include "SwfTestUtil.h"
#include "SwfWriter.h"
#include "swf/SwfText.h"
#include "swf/SwfTextField.h"
#include "swf/SwfTextPainter.h"

#include <QPainter>

#include <gtest/gtest.h>

using swf::TextAlign;
using swftest::countColor;
using swf::TextField;
using swf::TextFormat;
using swfmake::MovieWriter;
using swfmake::ShapeBuilder;

namespace {

constexpr int kTw = 20;

// 'a': a box half an EM wide and 768 units high on the baseline; ' ': empty.
std::vector<ShapeBuilder> boxGlyphs()
{
    ShapeBuilder box, space;
    box.setStyles(0, 1, 0);
    box.rect(0, -768, 512, 768);
    return {box, space};
}

MovieWriter::FontLayout boxLayout()
{
    MovieWriter::FontLayout layout;
    layout.ascent = 768;
    layout.descent = 256;
    layout.leading = 100;
    layout.advances = {512, 256};
    return layout;
}

// The field drawn on white into a picture of `size` pixels, placed by
// `placement` (in pixels).
QImage paintField(const TextField &field, QSize size, const QTransform &placement = {})
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    swf::paintTextField(painter, field, QTransform::fromScale(1.0 / kTw, 1.0 / kTw) * placement,
                        swf::ColorTransform());
    return image;
}

}

TEST(SwfTextField, FormatsOverRangesSplitMergeAndReportWhatTheyShare)
{
    TextField f;
    f.setText("one two\rthree");
    TextFormat bold;
    bold.bold = true;
    bold.color = 0xFF0000;
    f.setTextFormat(4, 7, bold);
    EXPECT_EQ(f.textFormat(4, 7).bold, true);
    EXPECT_EQ(f.textFormat(0, 3).bold, false);
    TextFormat mixed = f.textFormat(2, 6);
    EXPECT_FALSE(mixed.bold.has_value()) << "differs within the range";
    EXPECT_FALSE(mixed.color.has_value());
    EXPECT_EQ(mixed.font, QStringLiteral("Times New Roman")) << "shared";
    f.setTextFormat(0, 7, TextFormat());
    EXPECT_EQ(f.formattedText().runs().size(), 3u) << "an empty format changes nothing";
    f.setTextFormat(4, 7, [] {
        TextFormat plain;
        plain.bold = false;
        plain.color = 0;
        return plain;
    }());
    EXPECT_EQ(f.formattedText().runs().size(), 1u) << "equal neighbours merge";

    TextFormat centre;
    centre.align = TextAlign::Center;
    f.setTextFormat(5, 6, centre);
    EXPECT_EQ(f.textFormat(0, 8).align, TextAlign::Center) << "paragraph fields cover the whole paragraph";
    EXPECT_EQ(f.textFormat(8, 13).align, TextAlign::Left) << "and no other";
}

TEST(SwfTextField, ReplacingAndSettingTextKeepsOrSetsFormats)
{
    TextField f;
    TextFormat red;
    red.color = 0xFF0000;
    f.setNewTextFormat(red);
    f.setText("abc");
    EXPECT_EQ(f.textFormat(0, 3).color, 0xFF0000u) << "text takes the new text format";
    TextFormat big;
    big.size = 30;
    f.setTextFormat(1, 2, big);
    f.replaceText(1, 2, "XY\n");
    EXPECT_EQ(f.text(), QStringLiteral("aXY\rc"));
    EXPECT_EQ(f.textFormat(1, 4).size, 30) << "the replaced character's format";
    f.replaceText(5, 5, "d");
    EXPECT_EQ(f.textFormat(5, 6).size, 12) << "appended text goes on in the last character's format";
    f.replaceText(-5, 99, "");
    EXPECT_EQ(f.text(), QString());
    EXPECT_EQ(f.numLines(), 1);

    f.setHtmlText("<b>x</b>");
    EXPECT_EQ(f.text(), QStringLiteral("<b>x</b>")) << "a field that is not html takes html as text";
    EXPECT_EQ(f.htmlText(), QStringLiteral("<b>x</b>"));
    f.html = true;
    f.setHtmlText("<b>x</b>");
    EXPECT_EQ(f.text(), QStringLiteral("x"));
    EXPECT_EQ(f.textFormat(0, 1).bold, true);
    EXPECT_EQ(f.textFormat(0, 1).color, 0xFF0000u) << "html starts from the new text format";
}

TEST(SwfTextField, AStyleSheetReadsTextAsHtmlAndGivesTheHtmlBack)
{
    TextField f; // not html
    f.setText("<b>x</b>");
    TextFormat red;
    red.color = 0xFF0000;
    f.setStyleRules(swf::StyleRules{{".red", red}});
    f.restyle();
    EXPECT_EQ(f.text(), QStringLiteral("<b>x</b>")) << "text from before the style sheet stays as it is";
    EXPECT_TRUE(f.htmlText().startsWith(QStringLiteral("<P ALIGN=\"LEFT\">"))) << qPrintable(f.htmlText());

    const QString source = QStringLiteral("<span class=\"red\">a</span>b");
    f.setText(source);
    EXPECT_EQ(f.text(), QStringLiteral("ab")) << "text is read as HTML";
    EXPECT_EQ(f.htmlText(), source) << "the HTML as given";
    EXPECT_EQ(f.textFormat(0, 1).color, 0xFF0000u);

    TextFormat green;
    green.color = 0x00FF00;
    f.setStyleRules(swf::StyleRules{{".red", green}});
    EXPECT_EQ(f.textFormat(0, 1).color, 0xFF0000u) << "new rules alone change nothing";
    f.restyle();
    EXPECT_EQ(f.textFormat(0, 1).color, 0x00FF00u) << "the HTML read again with them";

    f.setStyleRules(std::nullopt);
    EXPECT_EQ(f.htmlText(), QStringLiteral("ab")) << "without a style sheet a plain field gives its text";
    EXPECT_EQ(f.textFormat(0, 1).color, 0x00FF00u) << "and keeps the formats the rules gave";
    f.setText(source);
    EXPECT_EQ(f.text(), source);
}

TEST(SwfTextField, FontsKeepCodesAdvancesKerningAndMetricsInTheirUnits)
{
    MovieWriter m(100, 100, 12);
    MovieWriter::FontLayout layout = boxLayout();
    layout.advances = {40000, 256}; // past the signed range
    layout.kerning = {{'a', ' ', -128}};
    m.defineFont2(1, "Box", boxGlyphs(), {'a', ' '}, layout);
    MovieWriter::FontLayout big = boxLayout();
    big.ascent = 16384;
    big.advances = {10240, 5120};
    m.defineFont2(2, "Box3", boxGlyphs(), {'a', ' '}, big, true, true);
    auto movie = swftest::load(m.finish());
    auto *font = movie->characterAs<swf::FontCharacter>(1);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->glyphIndex(U' '), 1);
    EXPECT_EQ(font->glyphIndex(U'b'), -1);
    EXPECT_DOUBLE_EQ(font->advance(U'a'), 40000 / 1024.0);
    EXPECT_DOUBLE_EQ(font->ascent(), 0.75);
    EXPECT_DOUBLE_EQ(font->descent(), 0.25);
    EXPECT_DOUBLE_EQ(font->kerning(U'a', U' '), -0.125);
    EXPECT_DOUBLE_EQ(font->outline(U'a').boundingRect().width(), 0.5);
    auto *font3 = movie->characterAs<swf::FontCharacter>(2);
    ASSERT_TRUE(font3);
    EXPECT_DOUBLE_EQ(font3->ascent(), 0.8) << "twenty times finer units";
    EXPECT_DOUBLE_EQ(font3->advance(U'a'), 0.5);
    EXPECT_EQ(movie->embeddedFont("box3", true, false), font3);
    EXPECT_EQ(movie->embeddedFont("Box3", false, false), font3) << "another style of the name when none matches";
    EXPECT_EQ(movie->embeddedFont("Nothing", false, false), nullptr);
}

TEST(SwfTextField, FontInfoNamesAndCodesAFirstVersionFont)
{
    MovieWriter m(100, 100, 12);
    swfmake::BitWriter font;
    font.u16(1);
    font.u16(2); // one glyph, right after its offset
    font.bytes(boxGlyphs()[0].encodeRecords(1, 0, 1));
    m.tag(10, font.data());
    swfmake::BitWriter info;
    info.u16(1);
    info.u8(3);
    info.bytes("Old");
    info.u8(0x02 | 0x01); // bold, wide codes
    info.u16(0x4E2D);
    m.tag(13, info.data());
    auto movie = swftest::load(m.finish());
    auto *f = movie->characterAs<swf::FontCharacter>(1);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->name, QStringLiteral("Old"));
    EXPECT_TRUE(f->bold);
    EXPECT_TRUE(f->hasGlyph(0x4E2D));
    EXPECT_DOUBLE_EQ(f->advance(0x4E2D), 0.5) << "without layout, the glyph's width";
}

TEST(SwfTextField, EditTextRecordsBecomeFieldsWithEveryProperty)
{
    MovieWriter m(200, 100, 12);
    m.defineFont2(1, "Box", boxGlyphs(), {'a', ' '}, boxLayout(), false, true);
    MovieWriter::EditText e;
    e.bounds = QRect(-40, 20, 3000, 1000);
    e.text = "a a";
    e.fontId = 1;
    e.height = 300;
    e.color = QColor(10, 20, 30);
    e.maxLength = 8;
    e.wordWrap = e.multiline = e.password = e.autoSize = e.noSelect = e.useOutlines = true;
    e.layout = MovieWriter::EditText::Layout{2, 40, 60, 80, 100};
    e.variable = "answer";
    m.defineEditText(2, e);
    e.html = true;
    e.text = "<p align='right'>a</p>";
    m.defineEditText(3, e);
    auto movie = swftest::load(m.finish());
    auto *record = movie->characterAs<swf::EditTextCharacter>(2);
    ASSERT_TRUE(record && record->field);
    const TextField &f = *record->field;
    EXPECT_EQ(f.text(), QStringLiteral("a a"));
    EXPECT_TRUE(f.wordWrap());
    EXPECT_TRUE(f.multiline);
    EXPECT_TRUE(f.password());
    EXPECT_TRUE(f.embedFonts());
    EXPECT_FALSE(f.selectable);
    EXPECT_TRUE(f.editable);
    EXPECT_EQ(f.autoSize(), swf::AutoSize::Left);
    EXPECT_EQ(f.maxChars, 8);
    EXPECT_EQ(f.variable, QStringLiteral("answer"));
    TextFormat format = f.textFormat(0, 3);
    EXPECT_EQ(format.font, QStringLiteral("Box"));
    EXPECT_EQ(format.bold, true) << "plain text in a bold font";
    EXPECT_EQ(format.size, 15);
    EXPECT_EQ(format.color, 0x0A141Eu);
    EXPECT_EQ(format.align, TextAlign::Center);
    EXPECT_EQ(format.leftMargin, 2);
    EXPECT_EQ(format.rightMargin, 3);
    EXPECT_EQ(format.indent, 4);
    EXPECT_EQ(format.leading, 5);
    // Auto size keeps the left edge and fits the height to one 15-pixel
    // line; a lone line keeps its leading.
    EXPECT_EQ(f.bounds(), QRectF(-2, 1, 150, 15 + 5 + 4));

    auto *html = movie->characterAs<swf::EditTextCharacter>(3);
    ASSERT_TRUE(html && html->field);
    EXPECT_EQ(html->field->text(), QStringLiteral("a\r")) << "a multiline field ends the paragraph";
    EXPECT_EQ(html->field->textFormat(0, 1).align, TextAlign::Right);
    EXPECT_EQ(html->field->textFormat(0, 1).bold, false) << "html sets its own styles";
}

TEST(SwfTextField, DrawsEmbeddedGlyphsInsideTheGutterAndABorderOnWholePixels)
{
    MovieWriter m(140, 80, 12);
    m.setBackground(Qt::white);
    m.defineFont2(1, "Box", boxGlyphs(), {'a', ' '}, boxLayout());
    MovieWriter::EditText e;
    e.bounds = QRect(0, 0, 100 * kTw, 40 * kTw);
    e.text = "aa a";
    e.fontId = 1;
    e.height = 20 * kTw;
    e.color = QColor(0, 0, 200);
    e.useOutlines = e.border = e.readOnly = true;
    m.defineEditText(2, e);
    m.place({1, false, 2, QTransform::fromTranslate(20 * kTw, 20 * kTw), {}, {}, {}, {}});
    m.showFrame();
    auto movie = swftest::load(m.finish());
    QImage image = swftest::render(*swftest::at(movie, 0), QSize(140, 80));
    // Blue 200 drawn as the original tinted text: 255 * (200 * 256 / 255) / 256.
    const QColor blue(0, 0, 199), black(0, 0, 0);
    // 20-pixel text: boxes 10 wide and 15 high, from x 22 with the baseline at y 37.
    EXPECT_EQ(countColor(image, QRect(22, 22, 20, 15), blue), 300);
    EXPECT_EQ(countColor(image, QRect(42, 22, 5, 15), blue), 0) << "the space";
    EXPECT_EQ(countColor(image, QRect(47, 22, 10, 15), blue), 150);
    EXPECT_EQ(countColor(image, QRect(21, 37, 60, 22), blue), 0) << "nothing below the baseline";
    EXPECT_EQ(countColor(image, QRect(20, 20, 1, 41), black), 41) << "left border";
    EXPECT_EQ(countColor(image, QRect(120, 20, 1, 40), black), 40) << "right border on the right edge";
    EXPECT_EQ(countColor(image, QRect(20, 60, 100, 1), black), 100) << "bottom border on the bottom edge";
    EXPECT_NEAR(image.pixelColor(120, 60).red(), 96, 1) << "the last corner five eighths covered";
    EXPECT_EQ(countColor(image, QRect(21, 21, 99, 39), black), 0);
    EXPECT_EQ(countColor(image, QRect(21, 21, 99, 39), QColor(Qt::white)), 99 * 39 - 450) << "white background";
}

TEST(SwfTextField, ScrolledFieldsShowTheirLinesFromScrollAndClipToTheBounds)
{
    MovieWriter m(100, 60, 12);
    m.defineFont2(1, "Box", boxGlyphs(), {'a', ' '}, boxLayout());
    auto movie = swftest::load(m.finish());
    TextField field([&](const QString &name, bool bold, bool italic) -> const swf::FontFace * {
        return movie->embeddedFont(name, bold, italic);
    });
    TextFormat format;
    format.font = QStringLiteral("Box");
    format.size = 20;
    format.color = 0x0000C8;
    field.setNewTextFormat(format);
    field.setEmbedFonts(true);
    field.setBounds(QRectF(0, 0, 60, 30));
    field.setText("a\ra a\ra a a");
    EXPECT_EQ(field.maxScroll(), 3);
    auto paint = [&] { return paintField(field, QSize(100, 60)); };
    const QColor blue(0, 0, 199); // 200 tinted as text
    QImage first = paint();
    EXPECT_EQ(countColor(first, QRect(0, 0, 100, 22), blue), 150) << "line 1 shows one box";
    EXPECT_EQ(countColor(first, QRect(0, 22, 100, 38), blue), 2 * 8 * 10) << "line 2 is cut at the field's bottom";
    EXPECT_EQ(countColor(first, QRect(0, 30, 100, 30), blue), 0);
    field.setScroll(3);
    QImage last = paint();
    EXPECT_EQ(countColor(last, QRect(0, 0, 100, 22), blue), 3 * 150) << "line 3 at the top";
    EXPECT_EQ(countColor(last, QRect(0, 22, 100, 38), blue), 0);
}

TEST(SwfTextField, DeviceFontFieldsShowOnlyUpright)
{
    TextField field;
    field.border = true;
    field.borderColor = 0xFF00FF;
    field.setBounds(QRectF(0, 0, 20, 20));
    auto paint = [&](const QTransform &placement) { return paintField(field, QSize(60, 60), placement); };
    const QColor magenta(255, 0, 255);
    const QRect all(0, 0, 60, 60);
    QImage slight = paint(QTransform().translate(20, 20).rotate(0.2));
    EXPECT_EQ(countColor(slight, QRect(20, 20, 1, 21), magenta), 21) << "a slight turn is dropped";
    EXPECT_EQ(countColor(slight, QRect(20, 40, 21, 1), magenta), 20);
    EXPECT_EQ(countColor(paint(QTransform().translate(30, 30).rotate(45)), all, magenta), 0);
    EXPECT_EQ(countColor(paint(QTransform(-1, 0, 0, 1, 40, 20)), all, magenta), 0) << "mirrored";
    EXPECT_EQ(countColor(paint(QTransform(1, 0, 0.5, 1, 10, 20)), all, magenta), 0) << "skewed";
    EXPECT_EQ(countColor(paint(QTransform::fromScale(2, 1)), QRect(0, 0, 41, 1), magenta), 41) << "scaled";
    field.setEmbedFonts(true);
    EXPECT_GT(countColor(paint(QTransform().translate(30, 10).rotate(45)), all, magenta), 40)
        << "embedded text turns with its field";
}

TEST(SwfTextField, StaticTextInAFontWithoutOutlinesUsesTheSystemGlyphs)
{
    MovieWriter m(100, 60, 12);
    m.setBackground(Qt::white);
    m.defineFont2(1, "_sans", {ShapeBuilder(), ShapeBuilder()}, {'H', ' '});
    m.defineText(2, QRect(0, 0, 100 * kTw, 60 * kTw), {{1, QColor(0, 0, 0), 10 * kTw, 40 * kTw, 30 * kTw, {{0, 30 * kTw}, {1, 10 * kTw}, {0, 30 * kTw}}}},
                 false);
    m.place({1, false, 2, QTransform(), {}, {}, {}, {}});
    m.showFrame();
    auto movie = swftest::load(m.finish());
    QImage image = swftest::render(*swftest::at(movie, 0), QSize(100, 60));
    const QColor black(0, 0, 0);
    EXPECT_GT(countColor(image, QRect(10, 15, 25, 25), black), 60) << "the first H";
    EXPECT_GT(countColor(image, QRect(50, 15, 25, 25), black), 60) << "the second H, after the space";
    EXPECT_EQ(countColor(image, QRect(0, 42, 100, 18), black), 0) << "nothing below the baseline";
}

TEST(SwfTextField, DeviceFontFrameSnapsCornerAndSizeToPixelsAndLeavesTheLastCornerEmpty)
{
    TextField field;
    field.border = field.background = true;
    field.borderColor = 0xFF00FF;
    field.backgroundColor = 0x0000FF;
    field.setBounds(QRectF(0, 0, 10, 10));
    auto paint = [&](const QTransform &placement) { return paintField(field, QSize(40, 40), placement); };
    const QColor magenta(255, 0, 255), blue(0, 0, 255);
    QImage half = paint(QTransform::fromTranslate(5.5, 5.5));
    EXPECT_EQ(countColor(half, QRect(5, 5, 11, 1), magenta), 11) << "a half pixel rounds down; top takes both corners";
    EXPECT_EQ(countColor(half, QRect(5, 5, 1, 11), magenta), 11) << "left takes both corners";
    EXPECT_EQ(countColor(half, QRect(15, 5, 1, 10), magenta), 10) << "right stops above the last corner";
    EXPECT_EQ(countColor(half, QRect(5, 15, 10, 1), magenta), 10) << "bottom stops left of it";
    EXPECT_EQ(half.pixelColor(15, 15), QColor(Qt::white));
    EXPECT_EQ(countColor(half, QRect(6, 6, 9, 9), blue), 81);
    // 13.65 pixels from 2.2: the size rounds by itself, so the box ends at 2 + 14.
    QImage scaled = paint(QTransform(1.365, 0, 0, 1.365, 2.2, 2.2));
    EXPECT_EQ(countColor(scaled, QRect(2, 2, 15, 1), magenta), 15);
    EXPECT_EQ(countColor(scaled, QRect(17, 0, 23, 40), magenta), 0);
    EXPECT_EQ(countColor(scaled, QRect(3, 3, 13, 13), blue), 13 * 13);
}
