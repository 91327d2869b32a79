#pragma once
// Helpers shared by the movie tests: loading bytes into a movie, playing it
// on a stage of its own and rendering the stage to an image.
#include "swf/SwfMovie.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfPlayer.h"
#include "swf/SwfRenderer.h"
#include "swf/SwfStage.h"
#include "swf/avm1/display/MovieScripts.h"

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

// A movie shown as level 0 of a stage, its first frame built, its scripts
// run by the script engine or the host given.
struct Scene {
    explicit Scene(std::shared_ptr<swf::Movie> shown,
                   std::unique_ptr<swf::ScriptHost> scripts = std::make_unique<swf::avm1::MovieScripts>(nullptr))
        : movie(std::move(shown)), host(std::move(scripts)), stage(*host)
    {
        stage.loadLevel(0, movie);
        stage.runQueuedActions();
    }
    swf::MovieClip &root() const { return *stage.root(); }
    void tick() { stage.tick(); }

    std::shared_ptr<swf::Movie> movie;
    std::unique_ptr<swf::ScriptHost> host;
    swf::Stage stage;
};

// Renders `scene` at `size` pixels, stretched, on the movie's background.
inline QImage render(const Scene &scene, QSize size, bool antialias = false)
{
    const swf::Movie &movie = *scene.movie;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(movie.backgroundColor());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, antialias);
    QRectF stage = movie.frameSize();
    swf::Renderer renderer(movie);
    renderer.render(painter, scene.stage,
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

// The movie at `frame` of its root (no actions run on the way), ready to render.
inline std::unique_ptr<Scene> at(std::shared_ptr<swf::Movie> movie, int frame)
{
    auto scene = std::make_unique<Scene>(std::move(movie));
    scene->root().gotoFrame(frame, false, false);
    return scene;
}

}
