// Where the control puts the movie's stage: a stage whose size is not a
// whole number of pixels keeps the scale of its whole pixels, its origin
// wherever the movie says, in every scale mode.
#include "SwfWriter.h"
#include "swf/FlashControl.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A movie of one empty frame whose stage spans `twips`.
QByteArray movieOfStage(const QRect &twips)
{
    swfmake::BitWriter body;
    body.rect(twips);
    body.u16(24 << 8); // frame rate
    body.u16(1);       // frame count
    body.u16(1 << 6);  // ShowFrame
    body.u16(0);       // End
    QByteArray bytes = QByteArrayLiteral("FWS") + char(8);
    swfmake::BitWriter length;
    length.u32(uint32_t(8 + body.data().size()));
    return bytes + length.data() + body.data();
}

struct StageRow {
    swf::FlashControl::ScaleMode mode;
    QSize area;
    QPointF origin; // where the stage's twip (0, 0) lands
    double sx, sy;  // pixels per twip
};

class StagePlacement : public ::testing::TestWithParam<StageRow> {};

TEST_P(StagePlacement, WholePixelsOfTheStageFillTheArea)
{
    // -13..2013 x -13..493 twips: 101.3 x 25.3 pixels, shown as 101 x 25.
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("stage.swf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(movieOfStage(QRect(-13, -13, 2026, 506)));
    file.close();
    swf::FlashControl control;
    control.setScaleMode(GetParam().mode);
    control.setMovie(file.fileName());
    QElapsedTimer clock;
    clock.start();
    while (control.loading() && clock.elapsed() < 10000)
        QTest::qWait(10);
    ASSERT_FALSE(control.loading());

    QTransform t = control.stageTransform(GetParam().area);
    EXPECT_NEAR(t.m11(), GetParam().sx, 1e-9);
    EXPECT_NEAR(t.m22(), GetParam().sy, 1e-9);
    EXPECT_NEAR(t.map(QPointF(0, 0)).x(), GetParam().origin.x(), 1e-9);
    EXPECT_NEAR(t.map(QPointF(0, 0)).y(), GetParam().origin.y(), 1e-9);
}

using Mode = swf::FlashControl::ScaleMode;
INSTANTIATE_TEST_SUITE_P(
    FlashControl, StagePlacement,
    ::testing::Values(StageRow{Mode::ExactFit, QSize(101, 25), QPointF(0.65, 0.65), 0.05, 0.05},
                      StageRow{Mode::ExactFit, QSize(202, 50), QPointF(1.3, 1.3), 0.1, 0.1},
                      StageRow{Mode::ShowAll, QSize(202, 100), QPointF(1.3, 25 + 1.3), 0.1, 0.1},
                      StageRow{Mode::NoBorder, QSize(101, 50), QPointF(1.3 - 50.5, 1.3), 0.1, 0.1}));

}
