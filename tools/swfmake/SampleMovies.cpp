#include "SampleMovies.h"

#include "RecordWriter.h"
#include "SwfWriter.h"

#include <QPainter>
#include <cmath>

namespace swfmake {

namespace {

constexpr int kTw = 20; // twips per pixel

void circle(ShapeBuilder &s, int cx, int cy, int r)
{
    // Eight quadratic curves around the centre.
    s.moveTo(cx + r, cy);
    for (int i = 0; i < 8; ++i) {
        double a0 = i * M_PI / 4, a1 = (i + 1) * M_PI / 4;
        double am = (a0 + a1) / 2, rc = r / std::cos(M_PI / 8);
        s.curveTo(cx + int(std::lround(rc * std::cos(am))), cy + int(std::lround(rc * std::sin(am))),
                  cx + int(std::lround(r * std::cos(a1))), cy + int(std::lround(r * std::sin(a1))));
    }
}

QImage checkerImage()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, ((x / 8 + y / 8) % 2) ? qRgb(250, 200, 40) : qRgb(200, 60, 40));
    return image;
}

}

QByteArray demoMovie(char compression)
{
    MovieWriter m(550, 400, 12);
    m.setBackground(QColor(255, 255, 255));

    ShapeBuilder sky;
    int skyFill = sky.addFill(Fill::linear({0, 0}, {0, 300 * kTw}, {{0, QColor(90, 160, 240)}, {255, QColor(200, 230, 255)}}));
    sky.setStyles(0, skyFill, 0);
    sky.rect(0, 0, 550 * kTw, 300 * kTw);
    m.defineShape(1, sky);

    ShapeBuilder ground;
    int groundFill = ground.addFill(Fill::linear({0, 290 * kTw}, {0, 400 * kTw}, {{0, QColor(90, 190, 70)}, {255, QColor(40, 120, 40)}}));
    ground.setStyles(0, groundFill, 0);
    ground.moveTo(0, 300 * kTw);
    ground.curveTo(275 * kTw, 260 * kTw, 550 * kTw, 300 * kTw);
    ground.lineTo(550 * kTw, 400 * kTw);
    ground.lineTo(0, 400 * kTw);
    ground.lineTo(0, 300 * kTw);
    m.defineShape(2, ground);

    ShapeBuilder sun;
    int sunFill = sun.addFill(Fill::radial({0, 0}, 40 * kTw, {{0, QColor(255, 255, 200)}, {200, QColor(255, 200, 0)}, {255, QColor(255, 150, 0)}}, 0.3));
    int rayFill = sun.addFill(Fill::solid(QColor(255, 190, 0)));
    sun.setStyles(0, rayFill, 0);
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4;
        auto pt = [a](double r, double da) { return QPoint(int(r * std::cos(a + da)), int(r * std::sin(a + da))); };
        QPoint p0 = pt(45 * kTw, -0.15), p1 = pt(70 * kTw, 0), p2 = pt(45 * kTw, 0.15);
        sun.moveTo(p0.x(), p0.y());
        sun.lineTo(p1.x(), p1.y());
        sun.lineTo(p2.x(), p2.y());
        sun.lineTo(p0.x(), p0.y());
    }
    sun.setStyles(0, sunFill, 0);
    circle(sun, 0, 0, 40 * kTw);
    m.defineShape(3, sun);

    TagWriter sunSprite;
    for (int f = 0; f < 12; ++f) {
        Place p;
        p.depth = 1;
        p.move = f > 0;
        if (f == 0)
            p.character = 3;
        p.matrix = QTransform().rotate(f * 3.75);
        sunSprite.place(p);
        sunSprite.showFrame();
    }
    m.defineSprite(4, sunSprite);

    ShapeBuilder ball;
    int ballFill = ball.addFill(Fill::radial({-6 * kTw, -6 * kTw}, 24 * kTw, {{0, QColor(255, 255, 255)}, {255, QColor(220, 30, 60)}}));
    int ballLine = ball.addLine({2 * kTw, QColor(120, 0, 20), 0});
    ball.setStyles(0, ballFill, ballLine);
    circle(ball, 0, 0, 20 * kTw);
    m.defineShape(5, ball);

    ShapeBuilder bud, bloom;
    int budFill = bud.addFill(Fill::solid(QColor(230, 80, 200)));
    bloom.addFill(Fill::solid(QColor(250, 220, 60)));
    bud.setStyles(0, budFill, 0);
    bud.moveTo(-10 * kTw, 0);
    bud.curveTo(0, -30 * kTw, 10 * kTw, 0);
    bud.curveTo(0, 10 * kTw, -10 * kTw, 0);
    bloom.moveTo(-30 * kTw, 0);
    bloom.curveTo(0, -60 * kTw, 30 * kTw, 0);
    bloom.curveTo(0, 30 * kTw, -30 * kTw, 0);
    m.defineMorphShape(6, bud, bloom);

    m.defineBitsLossless(7, checkerImage(), false);
    ShapeBuilder sign;
    int signFill = sign.addFill(Fill::bitmap(7, QTransform::fromScale(kTw, kTw), false));
    int signLine = sign.addLine({3 * kTw, QColor(90, 50, 20), 0});
    sign.setStyles(0, signFill, signLine);
    sign.rect(0, 0, 90 * kTw, 50 * kTw);
    m.defineShape(8, sign);

    ShapeBuilder mask;
    int maskFill = mask.addFill(Fill::solid(Qt::black));
    mask.setStyles(0, maskFill, 0);
    circle(mask, 0, 0, 35 * kTw);
    m.defineShape(9, mask);

    ShapeBuilder stripes;
    int s1 = stripes.addFill(Fill::solid(QColor(60, 60, 200)));
    int s2 = stripes.addFill(Fill::solid(QColor(250, 250, 250)));
    for (int i = 0; i < 8; ++i) {
        stripes.setStyles(0, i % 2 ? s1 : s2, 0);
        stripes.rect(-40 * kTw, (-40 + i * 10) * kTw, 80 * kTw, 10 * kTw);
    }
    m.defineShape(10, stripes);

    m.defineFont2(18, "_sans", {}, {});
    m.defineEditText(11, QRect(120 * kTw, 8 * kTw, 300 * kTw, 44 * kTw), "Good morning, sun!", 18, 26 * kTw,
                     QColor(20, 40, 120), false);

    // Two round buttons: play (a triangle) and pause (two bars).
    auto buttonFace = [&m](int id, QColor face, bool play) {
        ShapeBuilder b;
        int faceFill = b.addFill(Fill::radial({0, 0}, 18 * kTw, {{0, face.lighter(150)}, {255, face}}));
        int mark = b.addFill(Fill::solid(Qt::white));
        int rim = b.addLine({2 * kTw, face.darker(160), 0});
        b.setStyles(0, faceFill, rim);
        circle(b, 0, 0, 16 * kTw);
        b.setStyles(0, mark, 0);
        if (play) {
            b.moveTo(-5 * kTw, -8 * kTw);
            b.lineTo(8 * kTw, 0);
            b.lineTo(-5 * kTw, 8 * kTw);
            b.lineTo(-5 * kTw, -8 * kTw);
        } else {
            b.rect(-7 * kTw, -8 * kTw, 5 * kTw, 16 * kTw);
            b.rect(2 * kTw, -8 * kTw, 5 * kTw, 16 * kTw);
        }
        m.defineShape(id, b);
    };
    buttonFace(12, QColor(40, 150, 60), true);
    buttonFace(13, QColor(70, 200, 90), true);
    buttonFace(14, QColor(200, 120, 30), false);
    buttonFace(15, QColor(240, 160, 50), false);
    m.defineButton2(16, {{0x01 | 0x08, 12, 1, QTransform()}, {0x02 | 0x04, 13, 1, QTransform()}}, {}, {ActionCode::Play});
    m.defineButton2(17, {{0x01 | 0x08, 14, 1, QTransform()}, {0x02 | 0x04, 15, 1, QTransform()}}, {}, {ActionCode::Stop});

    const int frames = 48;
    for (int f = 0; f < frames; ++f) {
        if (f == 0) {
            m.place({1, false, 1, QTransform(), {}, {}, {}, {}});
            m.place({2, false, 2, QTransform(), {}, {}, {}, {}});
            m.place({3, false, 4, QTransform::fromTranslate(460 * kTw, 80 * kTw), {}, {}, QString("sun"), {}});
            m.place({5, false, 8, QTransform::fromTranslate(60 * kTw, 230 * kTw), {}, {}, {}, {}});
            m.place({6, false, 9, QTransform::fromTranslate(300 * kTw, 110 * kTw), {}, {}, {}, 7});
            m.place({7, false, 10, QTransform::fromTranslate(300 * kTw, 110 * kTw), {}, {}, {}, {}});
            m.place({20, false, 11, QTransform(), {}, {}, {}, {}});
            m.place({21, false, 16, QTransform::fromTranslate(490 * kTw, 370 * kTw), {}, {}, {}, {}});
            m.place({22, false, 17, QTransform::fromTranslate(530 * kTw, 370 * kTw), {}, {}, {}, {}});
        }
        double t = f / double(frames);
        double x = 40 + t * 470;
        double y = 330 - std::abs(std::sin(t * 3 * M_PI)) * 150;
        Place ballPlace{10, f > 0, {}, QTransform::fromTranslate(x * kTw, y * kTw), {}, {}, {}, {}};
        if (f == 0)
            ballPlace.character = 5;
        m.place(ballPlace);
        Place flower{8, f > 0, {}, QTransform::fromTranslate(200 * kTw, 340 * kTw), {}, int(65535 * (0.5 - 0.5 * std::cos(t * 2 * M_PI))), {}, {}};
        if (f == 0)
            flower.character = 6;
        m.place(flower);
        Place stripesMove{7, true, {}, QTransform().rotate(f * 7.5) * QTransform::fromTranslate(300 * kTw, 110 * kTw), {}, {}, {}, {}};
        if (f > 0)
            m.place(stripesMove);
        m.showFrame();
    }
    return m.finish(compression);
}

QByteArray spokenLesson(const Pcm &word, const Pcm &praise, char compression)
{
    const double fps = 12;
    MovieWriter m(550, 400, fps);
    m.setBackground(QColor(255, 250, 225));

    ShapeBuilder apple;
    int red = apple.addFill(Fill::radial({-25 * kTw, -25 * kTw}, 110 * kTw, {{0, QColor(255, 140, 130)}, {255, QColor(190, 20, 30)}}));
    int green = apple.addFill(Fill::solid(QColor(70, 160, 50)));
    int stem = apple.addLine({5 * kTw, QColor(110, 70, 30), 0});
    apple.setStyles(0, red, 0);
    circle(apple, 0, 0, 80 * kTw);
    apple.setStyles(0, 0, stem);
    apple.moveTo(0, -75 * kTw);
    apple.curveTo(5 * kTw, -100 * kTw, 15 * kTw, -115 * kTw);
    apple.setStyles(0, green, 0);
    apple.moveTo(8 * kTw, -95 * kTw);
    apple.curveTo(40 * kTw, -125 * kTw, 60 * kTw, -100 * kTw);
    apple.curveTo(30 * kTw, -80 * kTw, 8 * kTw, -95 * kTw);
    m.defineShape(1, apple);

    std::optional<StreamData> voice = mp3Stream(word, fps);
    StreamData stream = voice ? *voice : pcmStream(word, fps);
    std::optional<SoundData> coded = mp3Sound(praise);
    defineSound(m, 2, coded ? *coded : pcmSound(praise));

    writeStreamHead(m, stream);
    int spoken = int(stream.blocks.size());
    int frames = spoken + int(fps);
    for (int k = 0; k < frames; ++k) {
        double grown = 0.3 + 0.7 * std::min(1.0, double(k) / std::max(1, spoken - 1));
        Place p;
        p.depth = 1;
        p.move = k > 0;
        if (k == 0)
            p.character = 1;
        p.matrix = QTransform(grown, 0, 0, grown, 275 * kTw, 210 * kTw);
        m.place(p);
        writeStreamBlock(m, stream, k);
        if (k == frames - 1) {
            startSound(m, 2);
            m.actions({ActionCode::Stop});
        }
        m.showFrame();
    }
    return m.finish(compression);
}

QByteArray busyMovie(int shapes, char compression)
{
    MovieWriter m(550, 400, 30);
    m.setBackground(QColor(250, 250, 240));
    for (int i = 0; i < shapes; ++i) {
        int id = i + 1;
        ShapeBuilder s;
        QColor c1 = QColor::fromHsv((i * 37) % 360, 200, 240);
        QColor c2 = QColor::fromHsv((i * 37 + 120) % 360, 255, 160, 200);
        int fill = (i % 2) ? s.addFill(Fill::radial({0, 0}, 30 * kTw, {{0, c1}, {255, c2}}))
                           : s.addFill(Fill::linear({-30 * kTw, 0}, {30 * kTw, 0}, {{0, c1}, {128, c2}, {255, c1}}));
        int line = s.addLine({kTw, QColor(40, 40, 40), 0});
        s.setStyles(0, fill, line);
        int r = (15 + i % 20) * kTw;
        s.moveTo(-r, 0);
        s.curveTo(-r, -r, 0, -r);
        s.curveTo(r, -r, r, 0);
        s.curveTo(r / 2, r, 0, r / 2);
        s.curveTo(-r / 2, r, -r, 0);
        m.defineShape(id, s);
        double x = (i * 97) % 550, y = (i * 61) % 400;
        m.place({i + 1, false, id, QTransform().rotate(i * 13) * QTransform::fromTranslate(x * kTw, y * kTw), {}, {}, {}, {}});
    }
    m.showFrame();
    return m.finish(compression);
}

}

namespace swfmake {

namespace {

QByteArray withId(int id, const QByteArray &body)
{
    BitWriter w;
    w.u16(id);
    w.bytes(body);
    return w.data();
}

template <class F> QByteArray record(F write)
{
    BitWriter w;
    write(w);
    return w.data();
}

swf::Shape strokedShape()
{
    swf::Shape shape;
    shape.bounds = shape.edgeBounds = QRectF(0, 0, 2000, 2000);
    shape.nonScalingStrokes = true;
    swf::ShapeLayer layer;
    swf::FillStyle focal;
    focal.kind = swf::FillStyle::FocalGradient;
    focal.matrix = QTransform::fromScale(0.05, 0.05) * QTransform::fromTranslate(1000, 1000);
    focal.stops = {{0, Qt::white}, {1, QColor(0, 0, 255, 128)}};
    focal.spread = QGradient::ReflectSpread;
    focal.interpolation = 1;
    focal.focal = 0.5;
    swf::FillStyle bitmap;
    bitmap.kind = swf::FillStyle::ClippedBitmap;
    bitmap.bitmapId = 1;
    bitmap.smooth = false;
    bitmap.matrix = QTransform::fromScale(20, 20);
    layer.fills = {focal, bitmap};
    swf::LineStyle line;
    line.width = 80;
    line.cap = Qt::FlatCap;
    line.endCap = Qt::SquareCap;
    line.join = Qt::MiterJoin;
    line.miterLimit = 4;
    line.noVScale = line.pixelHinting = line.noClose = true;
    line.hasFill = true;
    line.fill = focal;
    layer.lines = {line};
    layer.edges = {swf::Edge{{0, 0}, {}, {2000, 0}, false, 0, 1, 1}, swf::Edge{{2000, 0}, {2400, 1000}, {2000, 2000}, true, 0, 1, 1},
                   swf::Edge{{2000, 2000}, {}, {0, 0}, false, 0, 1, 1}, swf::Edge{{200, 200}, {}, {600, 200}, false, 2, 0, 0},
                   swf::Edge{{600, 200}, {}, {200, 600}, false, 2, 0, 0}, swf::Edge{{200, 600}, {}, {200, 200}, false, 2, 0, 0}};
    shape.layers = {layer};
    return shape;
}

std::vector<swf::Filter> everyFilter()
{
    std::vector<swf::Filter> filters;
    for (int kind = swf::Filter::DropShadow; kind <= swf::Filter::GradientBevel; ++kind) {
        swf::Filter f;
        f.kind = swf::Filter::Kind(kind);
        f.blurX = f.blurY = 4;
        f.angle = 0.785;
        f.distance = 4;
        f.passes = 2;
        f.color = QColor(0, 0, 0, 160); // a bevel's shadow too
        f.highlight = Qt::white;
        f.gradient = {{0, QColor(255, 0, 0, 0)}, {255, Qt::yellow}};
        if (f.kind == swf::Filter::Convolution) {
            f.columns = f.rows = 3;
            f.matrix = {0, -1, 0, -1, 5, -1, 0, -1, 0};
        } else if (f.kind == swf::Filter::ColorMatrix) {
            f.colorMatrix.fill(0.25f);
        }
        filters.push_back(f);
    }
    return filters;
}

swf::FontCharacter squareFont()
{
    swf::FontCharacter font;
    font.name = "Squares";
    font.unitsPerEm = 1024 * 20;
    QPainterPath glyph;
    glyph.addRect(0, -16000, 16000, 16000);
    font.glyphs = {glyph, glyph};
    font.codes = {'A', 0x4E2D};
    font.hasLayout = true;
    font.ascentUnits = 16000;
    font.descentUnits = 4000;
    font.advances = {18000, 18000};
    font.glyphBounds = {QRectF(0, -16000, 16000, 16000), QRectF(0, -16000, 16000, 16000)};
    font.kernings.insert(uint32_t('A') << 16 | 0x4E2D, -400);
    return font;
}

}

QByteArray recordsMovie(char compression)
{
    MovieWriter m(200, 200, 12, 8);
    m.tag(69, record([](BitWriter &w) { w.u32(0x01); }));            // FileAttributes
    m.tag(65, record([](BitWriter &w) { w.u16(256); w.u16(10); }));  // ScriptLimits
    m.setBackground(QColor(240, 240, 220));
    QImage pixels(4, 4, QImage::Format_ARGB32);
    pixels.fill(QColor(200, 40, 40, 200));
    m.defineBitsLossless(1, pixels, true);
    m.tag(83, withId(2, shapeBody(strokedShape(), 4)));
    m.tag(78, record([](BitWriter &w) { w.u16(2); w.rect(QRect(400, 400, 1200, 1200)); })); // DefineScalingGrid
    m.tag(75, withId(3, fontBody(squareFont())));
    m.tag(73, record([](BitWriter &w) { // DefineFontAlignZones
        w.u16(3);
        w.u8(0x40);
        for (int glyph = 0; glyph < 2; ++glyph) {
            w.u8(2);
            for (int half : {0x0000, 0x3C00, 0x0000, 0x3C00})
                w.u16(half);
            w.u8(0x03);
        }
    }));
    m.tag(88, record([](BitWriter &w) { w.u16(3); w.string("Squares Regular"); w.string("free"); })); // DefineFontName
    swf::TextCharacter text;
    text.bounds = QRectF(0, -400, 1000, 500);
    swf::GlyphRun run;
    run.fontId = 3;
    run.color = QColor(0, 0, 0, 255);
    run.height = 400;
    run.glyphs = {{0, 450}, {1, 450}};
    text.runs = {run};
    m.tag(33, withId(4, textBody(text, true)));
    m.tag(74, record([](BitWriter &w) { w.u16(4); w.u8(0x50); w.u32(0); w.u32(0); w.u8(0); })); // CSMTextSettings
    swf::EditTextCharacter field;
    field.bounds = QRectF(0, 0, 3000, 600);
    field.fontId = 3;
    field.fontHeight = 300;
    field.html = field.border = field.multiline = field.wordWrap = field.hasLayout = true;
    field.hasText = true;
    field.initialText = "<p align=\"center\"><b>A</b></p>";
    field.variableName = "answer";
    field.maxLength = 20;
    m.tag(37, withId(5, editTextBody(field)));
    swf::ButtonCharacter button;
    swf::ButtonCharacter::Record face;
    face.states = 0x0F;
    face.characterId = 2;
    face.depth = 1;
    face.filters = {everyFilter().front()};
    face.blendMode = swf::BlendMode::Multiply;
    button.records = {face};
    button.actions = {{swf::ButtonCharacter::OverUpToOverDown, QByteArray("\x07\x00", 2)},
                      {swf::ButtonCharacter::OverDownToOverUp | (13 << 9), QByteArray("\x06\x00", 2)}};
    m.tag(34, withId(6, buttonBody(button, true)));
    m.tag(23, record([](BitWriter &w) { // DefineButtonCxform
        w.u16(6);
        const int mult[4] = {128, 256, 256, 256}, add[4] = {0, 0, 0, 0};
        w.colorTransform(mult, add, false);
    }));
    m.tag(17, record([](BitWriter &w) { w.u16(6); w.u16(0); w.u16(9); w.u8(0x0F); w.u32(10); w.u32(20); w.u16(2); w.u8(1); w.u32(0); w.u16(100); w.u16(200); w.u16(0); w.u16(0); })); // DefineButtonSound
    m.tag(56, record([](BitWriter &w) { w.u16(1); w.u16(6); w.string("Button"); })); // ExportAssets
    m.tag(59, record([](BitWriter &w) { w.u16(6); w.u8(0); }));              // DoInitAction
    swf::PlaceCommand place;
    place.depth = 1;
    place.characterId = 2;
    place.matrix = QTransform::fromTranslate(200, 200);
    place.name = "shape";
    place.className = "Shape";
    place.filters = everyFilter();
    place.blendMode = swf::BlendMode::Overlay;
    place.cacheAsBitmap = true;
    place.visible = true;
    place.backgroundColor = QColor(0, 0, 0, 255);
    m.tag(70, placeBody(place, true, 8));
    swf::PlaceCommand clip;
    clip.depth = 2;
    clip.characterId = 6;
    clip.clipEvents = swf::ClipEvent::Load | swf::ClipEvent::KeyPress;
    clip.clipActions = {{swf::ClipEvent::Load, 0, QByteArray("\x07\x00", 2)}, {swf::ClipEvent::KeyPress, 32, QByteArray(1, '\0')}};
    m.tag(26, placeBody(clip, false, 8));
    m.tag(66, record([](BitWriter &w) { w.u16(2); w.u16(1); })); // SetTabIndex
    m.tag(43, record([](BitWriter &w) { w.string("start"); w.u8(1); })); // FrameLabel, a named anchor
    m.showFrame();
    swf::PlaceCommand texts;
    texts.depth = 3;
    texts.characterId = 5;
    m.tag(70, placeBody(texts, true, 8));
    m.place(Place{4, false, 4, QTransform::fromTranslate(200, 3000), {}, {}, {}, {}});
    m.showFrame();
    return m.finish(compression);
}

}
