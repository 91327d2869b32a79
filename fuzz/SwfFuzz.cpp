// Feeds arbitrary bytes to the movie reader in two pieces (as a download
// would), plays a few frames, seeks and draws them.
#include "swf/SwfMovie.h"
#include "swf/SwfPlayer.h"
#include "swf/SwfRenderer.h"

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
    swf::Movie movie;
    qsizetype half = bytes.size() / 2;
    movie.append(bytes.left(half));
    movie.append(bytes.mid(half));
    movie.finish();
    if (movie.framesLoaded() == 0)
        return 0;
    swf::TimelineInstance root(movie, movie.timeline());
    QImage image(64, 48, QImage::Format_ARGB32_Premultiplied);
    swf::Renderer renderer(movie);
    QRectF stage = movie.frameSize();
    QTransform toImage = QTransform::fromTranslate(-stage.x(), -stage.y())
        * QTransform::fromScale(64 / stage.width(), 48 / stage.height());
    for (int i = 0; i < 4; ++i) {
        root.advance();
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(painter, root, toImage);
    }
    root.gotoFrame(int(size % 7));
    root.gotoFrame(0);
    return 0;
}
