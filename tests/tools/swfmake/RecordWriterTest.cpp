// The writer against real movies: every shape, morph shape, placement,
// font, text, text field and button of the reference corpus (skipped
// without it) is read, written again and read back to the same record.
// Without the corpus, records built here make the same round.
#include "RecordComparison.h"
#include "RecordWriter.h"
#include "media/swf/SwfCorpus.h"
#include "swf/SwfBitReader.h"
#include "swf/SwfError.h"
#include "swf/SwfMovie.h"
#include "swf/SwfTags.h"

#include <gtest/gtest.h>
#include <iostream>
#include <map>

namespace {

namespace tag = swf::tag;

// Text fields look up their fonts in a movie; these records stand alone.
const swf::Movie noFonts;

swf::BitReader afterId(const QByteArray &body)
{
    swf::BitReader in(body);
    in.u16();
    return in;
}

int shapeVersion(int code)
{
    return code == tag::DefineShape ? 1 : code == tag::DefineShape2 ? 2 : code == tag::DefineShape3 ? 3 : 4;
}

std::optional<swf::PlaceCommand> placement(int code, const QByteArray &body, int version)
{
    swf::Timeline timeline;
    swf::BitReader in(body);
    timeline.readControlTag(uint16_t(code), in, version);
    timeline.showFrame();
    auto *p = std::get_if<swf::PlaceCommand>(&timeline.frames.front().commands.front());
    return p ? std::optional(*p) : std::nullopt;
}

// Reads the record of `tag`, writes it again, reads that back and says
// what differs (empty: the same). Tags of other kinds give nothing.
std::optional<QString> roundTrip(const swfcorpus::Tag &t)
{
    const int v = t.version;
    switch (t.code) {
    case tag::DefineShape:
    case tag::DefineShape2:
    case tag::DefineShape3:
    case tag::DefineShape4: {
        swf::BitReader in = afterId(t.body);
        swf::Shape a = swf::readShape(in, shapeVersion(t.code));
        QByteArray written = swfmake::shapeBody(a, shapeVersion(t.code));
        swf::BitReader again(written);
        return recordcmp::shapes(a, swf::readShape(again, shapeVersion(t.code)));
    }
    case tag::DefineMorphShape:
    case tag::DefineMorphShape2: {
        int morphVersion = t.code == tag::DefineMorphShape ? 1 : 2;
        swf::BitReader in = afterId(t.body);
        swf::MorphShape a = swf::MorphShape::read(in, morphVersion);
        QByteArray written = swfmake::morphShapeBody(a, morphVersion);
        swf::BitReader again(written);
        swf::MorphShape b = swf::MorphShape::read(again, morphVersion);
        QString start = recordcmp::shapes(a.startShape(), b.startShape());
        return start.isEmpty() ? recordcmp::shapes(a.endShape(), b.endShape()) : start;
    }
    case tag::PlaceObject2:
    case tag::PlaceObject3: {
        auto a = placement(t.code, t.body, v);
        if (!a)
            return std::nullopt;
        auto b = placement(t.code, swfmake::placeBody(*a, t.code == tag::PlaceObject3, v), v);
        return b ? recordcmp::places(*a, *b) : QStringLiteral("placement lost");
    }
    case tag::DefineFont2:
    case tag::DefineFont3: {
        swf::BitReader in = afterId(t.body);
        auto a = swf::FontCharacter::readFont2(in, v, t.code == tag::DefineFont3);
        QByteArray written = swfmake::fontBody(*a);
        swf::BitReader again(written);
        return recordcmp::fonts(*a, *swf::FontCharacter::readFont2(again, v, t.code == tag::DefineFont3));
    }
    case tag::DefineText:
    case tag::DefineText2: {
        swf::BitReader in = afterId(t.body);
        auto a = swf::TextCharacter::read(in, t.code == tag::DefineText2);
        QByteArray written = swfmake::textBody(*a, t.code == tag::DefineText2);
        swf::BitReader again(written);
        return recordcmp::texts(*a, *swf::TextCharacter::read(again, t.code == tag::DefineText2));
    }
    case tag::DefineEditText: {
        swf::BitReader in = afterId(t.body);
        auto a = swf::EditTextCharacter::read(in, v, noFonts);
        QByteArray written = swfmake::editTextBody(*a);
        swf::BitReader again(written);
        return recordcmp::editTexts(*a, *swf::EditTextCharacter::read(again, v, noFonts));
    }
    case tag::DefineButton:
    case tag::DefineButton2: {
        bool second = t.code == tag::DefineButton2;
        swf::BitReader in = afterId(t.body);
        auto a = swf::ButtonCharacter::read(in, second);
        QByteArray written = swfmake::buttonBody(*a, second);
        swf::BitReader again(written);
        return recordcmp::buttons(*a, *swf::ButtonCharacter::read(again, second));
    }
    default:
        return std::nullopt;
    }
}

}

TEST(RecordWriter, CorpusRecordsComeBackTheSame)
{
    if (!swfcorpus::root())
        GTEST_SKIP() << "no reference corpus beside the repository";
    std::map<int, std::pair<int, int>> byTag; // same, unreadable
    int differing = 0;
    for (const QString &path : swfcorpus::movies(QString())) {
        for (const swfcorpus::Tag &t : swfcorpus::tagsOf(path)) {
            std::optional<QString> difference;
            try {
                difference = roundTrip(t);
            } catch (const swf::SwfError &) {
                // Malformed in the movie itself: nothing to write back.
                ++byTag[t.code].second;
                continue;
            }
            if (!difference)
                continue;
            EXPECT_TRUE(difference->isEmpty())
                << path.toStdString() << ": tag " << t.code << ", " << difference->toStdString();
            if (difference->isEmpty())
                ++byTag[t.code].first;
            else
                ++differing;
        }
    }
    for (const auto &[code, counts] : byTag)
        std::cout << "tag " << code << ": " << counts.first << " records came back the same, " << counts.second
                  << " were unreadable in their movie\n";
    EXPECT_EQ(differing, 0);
    EXPECT_GT(byTag[tag::DefineShape3].first + byTag[tag::DefineShape4].first, 100);
}

TEST(RecordWriter, BuiltShapesAndPlacementsComeBackTheSame)
{
    swf::Shape shape;
    shape.bounds = QRectF(-100, -100, 300, 300);
    shape.edgeBounds = QRectF(-90, -90, 280, 280);
    shape.windingFill = true;
    shape.nonScalingStrokes = true;
    swf::ShapeLayer first;
    swf::FillStyle focal;
    focal.kind = swf::FillStyle::FocalGradient;
    focal.matrix = QTransform(0.5, 0.25, -0.25, 0.5, 100, -40);
    focal.stops = {{0, QColor(255, 0, 0, 128)}, {128 / 255.0, Qt::green}, {1, Qt::blue}};
    focal.spread = QGradient::RepeatSpread;
    focal.interpolation = 1;
    focal.focal = -0.75;
    first.fills = {focal};
    swf::LineStyle line;
    line.width = 60;
    line.cap = Qt::SquareCap;
    line.endCap = Qt::FlatCap;
    line.join = Qt::MiterJoin;
    line.miterLimit = 1.5;
    line.noHScale = line.pixelHinting = line.noClose = true;
    line.hasFill = true;
    line.fill.kind = swf::FillStyle::ClippedBitmap;
    line.fill.bitmapId = 7;
    line.fill.smooth = false;
    first.lines = {line};
    first.edges = {swf::Edge{{0, 0}, {}, {100, 0}, false, 0, 1, 1}, swf::Edge{{100, 0}, {150, 50}, {100, 100}, true, 0, 1, 1},
                   swf::Edge{{100, 100}, {}, {0, 0}, false, 1, 0, 0}, swf::Edge{{-50, -50}, {}, {-50, 70}, false, 0, 0, 1}};
    swf::ShapeLayer empty;
    swf::ShapeLayer third;
    third.fills = {swf::FillStyle{}};
    third.fills[0].color = QColor(1, 2, 3, 4);
    third.edges = {swf::Edge{{10, 10}, {}, {20, 10}, false, 1, 0, 0}};
    shape.layers = {first, empty, third};
    QByteArray written = swfmake::shapeBody(shape, 4);
    swf::BitReader in(written);
    EXPECT_EQ(recordcmp::shapes(shape, swf::readShape(in, 4)), "");

    swf::PlaceCommand p;
    p.depth = 3;
    p.move = true;
    p.characterId = 9;
    p.matrix = QTransform(1.5, 0, 0, -2, 40, 60);
    p.colorTransform = swf::ColorTransform{{256, 0, 128, 256}, {0, -255, 10, 0}};
    p.ratio = 65535;
    p.name = QString::fromUtf8("名字");
    p.clipDepth = 12;
    p.className = "Thing";
    swf::Filter shadow;
    shadow.kind = swf::Filter::DropShadow;
    shadow.color = QColor(0, 0, 0, 100);
    shadow.blurX = 2.5;
    shadow.angle = -1;
    shadow.passes = 3;
    shadow.compositeSource = false;
    swf::Filter matrix;
    matrix.kind = swf::Filter::ColorMatrix;
    matrix.colorMatrix.fill(0.125f);
    p.filters = std::vector<swf::Filter>{shadow, matrix};
    p.blendMode = swf::BlendMode::HardLight;
    p.cacheAsBitmap = true;
    p.visible = false;
    p.backgroundColor = QColor(5, 6, 7, 8);
    p.clipEvents = swf::ClipEvent::KeyPress | swf::ClipEvent::Construct;
    p.clipActions = {{swf::ClipEvent::KeyPress, 32, QByteArray("\x06\x00", 2)}, {swf::ClipEvent::Construct, 0, QByteArray(1, '\0')}};
    std::optional<swf::PlaceCommand> back = placement(tag::PlaceObject3, swfmake::placeBody(p, true, 8), 8);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(recordcmp::places(p, *back), "");
}

TEST(RecordWriter, BuiltFontsTextsFieldsAndButtonsComeBackTheSame)
{
    swf::FontCharacter font;
    font.name = "Round";
    font.bold = font.ansi = true;
    font.language = 2;
    QPainterPath glyph;
    glyph.moveTo(0, 0);
    glyph.lineTo(500, 0);
    glyph.quadTo(600, 400, 500, 800);
    glyph.closeSubpath();
    font.glyphs = {glyph, QPainterPath()};
    font.codes = {'o', 0x4E00};
    font.hasLayout = true;
    font.ascentUnits = 800;
    font.descentUnits = 200;
    font.leadingUnits = -10;
    font.advances = {600, 1024};
    font.glyphBounds = {QRectF(0, 0, 600, 800), QRectF()};
    font.kernings.insert(uint32_t('o') << 16 | 0x4E00, -30);
    QByteArray fontBytes = swfmake::fontBody(font);
    swf::BitReader fontIn(fontBytes);
    EXPECT_EQ(recordcmp::fonts(font, *swf::FontCharacter::readFont2(fontIn, 8, false)), "");

    swf::TextCharacter text;
    text.bounds = QRectF(0, 0, 2000, 400);
    text.matrix = QTransform::fromTranslate(20, 30);
    swf::GlyphRun run;
    run.fontId = 1;
    run.color = QColor(10, 20, 30, 40);
    run.origin = QPointF(-40, 300);
    run.height = 240;
    run.glyphs = {{0, 120}, {1, -15}, {300, 0}};
    text.runs = {run};
    QByteArray textBytes = swfmake::textBody(text, true);
    swf::BitReader textIn(textBytes);
    EXPECT_EQ(recordcmp::texts(text, *swf::TextCharacter::read(textIn, true)), "");

    swf::EditTextCharacter field;
    field.bounds = QRectF(-40, -40, 1000, 300);
    field.html = true;
    field.hasText = true;
    field.initialText = "<b>hi</b>";
    field.variableName = "v";
    field.fontId = 2;
    field.fontHeight = 300;
    field.maxLength = 5;
    field.hasLayout = true;
    field.align = 3;
    field.leading = -2;
    field.noSelect = true;
    field.autoSize = field.multiline = true;
    QByteArray fieldBytes = swfmake::editTextBody(field);
    swf::BitReader fieldIn(fieldBytes);
    EXPECT_EQ(recordcmp::editTexts(field, *swf::EditTextCharacter::read(fieldIn, 8, noFonts)), "");

    swf::ButtonCharacter button;
    swf::ButtonCharacter::Record record;
    record.states = swf::ButtonCharacter::Up | swf::ButtonCharacter::HitTest;
    record.characterId = 4;
    record.depth = 2;
    record.matrix = QTransform::fromScale(2, 2);
    swf::Filter glow;
    glow.kind = swf::Filter::Glow;
    glow.color = Qt::yellow;
    record.filters = {glow};
    record.blendMode = swf::BlendMode::Screen;
    button.records = {record};
    button.trackAsMenu = true;
    button.actions = {{swf::ButtonCharacter::OverUpToOverDown, QByteArray("\x07\x00", 2)},
                      {swf::ButtonCharacter::IdleToOverUp | (13 << 9), QByteArray(1, '\0')}};
    QByteArray buttonBytes = swfmake::buttonBody(button, true);
    swf::BitReader buttonIn(buttonBytes);
    EXPECT_EQ(recordcmp::buttons(button, *swf::ButtonCharacter::read(buttonIn, true)), "");
}
