#pragma once
// Helpers shared by the movie tests: loading bytes into a movie and a player
// and rendering a frame to an image.
#include "swf/SwfMovie.h"
#include "swf/SwfPlayer.h"
#include "swf/SwfRenderer.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>

namespace swftest {

// Writes `bytes` to a file `name` in `dir`; its path, or empty when it
// cannot be written.
inline QString saveMovie(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return file.fileName();
}

inline std::shared_ptr<swf::Movie> load(const QByteArray &bytes)
{
    auto movie = std::make_shared<swf::Movie>();
    movie->append(bytes);
    movie->finish();
    return movie;
}

// Renders `root` of `movie` at `size` pixels, stretched, on the movie's background.
inline QImage render(const swf::Movie &movie, const swf::TimelineInstance &root, QSize size, bool antialias = false)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(movie.backgroundColor());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, antialias);
    QRectF stage = movie.frameSize();
    swf::Renderer renderer(movie);
    renderer.render(painter, root,
                    QTransform::fromTranslate(-stage.x(), -stage.y())
                        * QTransform::fromScale(size.width() / stage.width(), size.height() / stage.height()));
    painter.end();
    return image;
}

// How many pixels of `area` in `image` are exactly `color`.
inline int countColor(const QImage &image, const QRect &area, const QColor &color)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y) == color;
    return n;
}

// The movie's root at `frame`, ready to render.
inline std::unique_ptr<swf::TimelineInstance> at(const swf::Movie &movie, int frame)
{
    auto root = std::make_unique<swf::TimelineInstance>(movie, movie.timeline());
    root->advance();
    root->gotoFrame(frame);
    return root;
}

}
