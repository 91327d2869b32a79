// Feeds arbitrary bytes to the movie reader in two pieces (as a download
// would), plays a few frames, seeks, draws them and moves the mouse over them.
#include "swf/SwfMovie.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfRenderer.h"
#include "swf/SwfStage.h"
#include "swf/avm1/display/MovieScripts.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "SwfFuzz";
    static char *argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    auto movie = std::make_shared<swf::Movie>();
    qsizetype half = bytes.size() / 2;
    movie->append(bytes.left(half));
    movie->append(bytes.mid(half));
    movie->finish();
    if (movie->framesLoaded() == 0)
        return 0;
    swf::avm1::MovieScripts host(nullptr);
    // Endless scripts end at a short limit: each frame and event has its own.
    host.machine().setTimeLimit(100);
    swf::Stage stage(host);
    swf::MovieClip *root = stage.loadLevel(0, movie);
    QImage image(64, 48, QImage::Format_ARGB32_Premultiplied);
    swf::Renderer renderer(*movie);
    QRectF area = movie->frameSize();
    QTransform toImage = QTransform::fromTranslate(-area.x(), -area.y())
        * QTransform::fromScale(64 / area.width(), 48 / area.height());
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            stage.tick();
        else
            stage.runQueuedActions();
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(painter, stage, toImage);
        QPointF pointer = toImage.inverted().map(QPointF(i * 16 + 8, 24));
        stage.mouse().move(pointer);
        stage.mouse().press(pointer);
        stage.mouse().release(pointer);
    }
    root->gotoFrame(int(size % 7), true);
    root->gotoFrame(0, true);
    stage.runQueuedActions();
    return 0;
}
