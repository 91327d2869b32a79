// Static text drawn from glyph outlines, text fields with device fonts,
// and buttons that change with the mouse and run their actions.
#include "SwfTestUtil.h"
#include "SwfWriter.h"
#include "swf/FlashControl.h"
#include "swf/SwfButton.h"
#include "swf/SwfHitTest.h"
#include "swf/SwfText.h"

#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using swftest::countColor;
using swfmake::ActionCode;
using swfmake::Fill;
using swfmake::MovieWriter;
using swfmake::ShapeBuilder;

namespace {

constexpr int kTw = 20;

// Glyph 0: a full square on the baseline; glyph 1: the square's left half.
std::vector<ShapeBuilder> glyphs()
{
    ShapeBuilder square, half;
    square.setStyles(0, 1, 0);
    square.rect(0, -1024, 1024, 1024);
    half.setStyles(0, 1, 0);
    half.rect(0, -1024, 512, 1024);
    return {square, half};
}

void send(QWidget *w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

}

TEST(SwfText, GlyphOutlinesAreScaledToTheTextHeightAndAdvance)
{
    MovieWriter m(100, 60, 12);
    m.setBackground(Qt::white);
    m.defineFont2(1, "Lesson Sans", glyphs(), {'A', 'B'});
    // Height 20 px: glyph 0 at x 10..30, glyph 1 at x 40..50, baseline y 40.
    m.defineText(2, QRect(0, 0, 100 * kTw, 60 * kTw), {{1, QColor(0, 0, 200), 10 * kTw, 40 * kTw, 20 * kTw, {{0, 30 * kTw}, {1, 20 * kTw}}}}, false);
    m.place({1, false, 2, QTransform(), {}, {}, {}, {}});
    m.showFrame();
    auto movie = swftest::load(m.finish());
    auto *font = movie->characterAs<swf::FontCharacter>(1);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->name, "Lesson Sans");
    ASSERT_EQ(font->glyphs.size(), 2u);
    QImage image = swftest::render(*swftest::at(movie, 0), QSize(100, 60));
    const QColor blue(0, 0, 200);
    EXPECT_EQ(countColor(image, QRect(10, 20, 20, 20), blue), 400);
    EXPECT_EQ(countColor(image, QRect(40, 20, 10, 20), blue), 200);
    EXPECT_EQ(countColor(image, QRect(30, 20, 10, 20), blue), 0) << "the gap between the glyphs";
    EXPECT_EQ(countColor(image, QRect(50, 20, 10, 20), blue), 0) << "glyph 1 is half as wide";
    EXPECT_EQ(countColor(image, QRect(0, 41, 100, 19), blue), 0) << "nothing below the baseline";
}

TEST(SwfText, TextFieldDrawsItsTextAndBorderWithADeviceFont)
{
    MovieWriter m(200, 60, 12);
    m.setBackground(Qt::white);
    m.defineEditText(1, QRect(10 * kTw, 10 * kTw, 180 * kTw, 40 * kTw), "Hello, Wordlark!", 0, 20 * kTw, QColor(200, 0, 0), true);
    m.place({1, false, 1, QTransform(), {}, {}, {}, {}});
    m.showFrame();
    auto movie = swftest::load(m.finish());
    ASSERT_TRUE(movie->characterAs<swf::EditTextCharacter>(1));
    QImage image = swftest::render(*swftest::at(movie, 0), QSize(200, 60));
    EXPECT_EQ(image.pixelColor(100, 10), QColor(Qt::black)) << "top border";
    EXPECT_EQ(image.pixelColor(10, 30), QColor(Qt::black)) << "left border";
    int reddish = 0;
    for (int y = 12; y < 48; ++y)
        for (int x = 12; x < 188; ++x) {
            QColor c = image.pixelColor(x, y);
            reddish += c.red() > 120 && c.green() < 100;
        }
    EXPECT_GT(reddish, 60) << "the text is drawn in the field's colour";
}

TEST(SwfButtons, HoverAndPressShowTheirStatesAndReleaseRunsTheActions)
{
    MovieWriter m(100, 100, 30);
    m.setBackground(Qt::white);
    auto square = [&m](int id, QColor c) {
        ShapeBuilder s;
        s.setStyles(0, s.addFill(Fill::solid(c)), 0);
        s.rect(0, 0, 40 * kTw, 40 * kTw);
        m.defineShape(id, s);
    };
    square(1, Qt::red);
    square(2, Qt::blue);
    square(3, Qt::green);
    m.defineButton2(4, {{0x01, 1, 1, QTransform()}, {0x02, 2, 2, QTransform()}, {0x04, 3, 3, QTransform()}, {0x08, 1, 4, QTransform()}},
                    {}, {ActionCode::Stop});
    m.place({1, false, 4, QTransform::fromTranslate(30 * kTw, 30 * kTw), {}, {}, {}, {}});
    for (int f = 0; f < 50; ++f)
        m.showFrame();
    QTemporaryDir dir;
    QFile file(dir.filePath("button.swf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(m.finish());
    file.close();

    swf::FlashControl control;
    control.resize(100, 100);
    control.setMovie(file.fileName());
    ASSERT_TRUE(control.player().root());
    auto *button = control.player().movie()->characterAs<swf::ButtonCharacter>(4);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->records.size(), 4u);
    EXPECT_EQ(std::count_if(button->actions.begin(), button->actions.end(),
                            [](const auto &a) { return a.conditions == swf::ButtonCharacter::OverDownToOverUp; }),
              1);
    EXPECT_EQ(control.grabStage(QSize(100, 100)).pixelColor(50, 50), QColor(Qt::red));
    QTransform toStage = control.stageTransform(QSize(100, 100)).inverted();
    EXPECT_FALSE(swf::mouseTargetAt(*control.player().stage(), toStage.map(QPointF(10, 10))));
    EXPECT_TRUE(swf::mouseTargetAt(*control.player().stage(), toStage.map(QPointF(50, 50))));

    send(&control, QEvent::MouseMove, {50, 50}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(control.grabStage(QSize(100, 100)).pixelColor(50, 50), QColor(Qt::blue));
    send(&control, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(control.grabStage(QSize(100, 100)).pixelColor(50, 50), QColor(Qt::green));
    EXPECT_TRUE(control.player().playing());
    send(&control, QEvent::MouseButtonRelease, {50, 50}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(control.player().playing()) << "the release action stops the movie";
    EXPECT_EQ(control.grabStage(QSize(100, 100)).pixelColor(50, 50), QColor(Qt::blue));

    control.player().play();
    send(&control, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    send(&control, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::LeftButton);
    send(&control, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(control.player().playing()) << "released outside: no action";
    EXPECT_EQ(control.grabStage(QSize(100, 100)).pixelColor(50, 50), QColor(Qt::red));
}
