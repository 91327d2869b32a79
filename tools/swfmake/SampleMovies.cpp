#include "SampleMovies.h"

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
