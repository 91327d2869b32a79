#include "ImageWindow.h"

#include "StreamPlayer.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>

ImageWindow::ImageWindow(StreamPlayer *source, QWidget *parent) : QWidget(parent), player(source)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(player, &StreamPlayer::PictureChanged, this, qOverload<>(&QWidget::update));
    // Without pictures the window changes only when a clip starts or ends.
    connect(player, &StreamPlayer::Changed, this, [this] {
        bool showsClip = ShowsSoundOnly();
        if (showsClip != soundOnlyShown || (showsClip && player->Source() != soundOnlySource))
            update();
    });
}

void ImageWindow::SetBackground(const QColor &color)
{
    background = color;
    update();
}

void ImageWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), background);
    const QImage &picture = player->Picture();
    soundOnlyShown = ShowsSoundOnly();
    soundOnlySource = player->Source();
    if (picture.isNull()) {
        if (soundOnlyShown)
            PaintSoundOnly(painter);
        return;
    }
    QSize fitted = picture.size().scaled(size(), Qt::KeepAspectRatio);
    QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
}

bool ImageWindow::ShowsSoundOnly() const
{
    return player->Picture().isNull() && !player->HasVideo() && !player->Source().isEmpty()
        && player->GetState() != StreamPlayer::State::Idle;
}

void ImageWindow::PaintSoundOnly(QPainter &painter)
{
    if (width() < 80 || height() < 80)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    int size = std::min(width(), height()) / 3;
    QRectF disc(width() / 2.0 - size / 2.0, height() / 2.0 - size / 2.0 - 10, size, size);
    QColor ink = background.lightness() < 128 ? QColor(255, 255, 255, 40) : QColor(0, 0, 0, 40);
    painter.setPen(QPen(ink, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(disc);
    // A quaver: two heads joined by a beam.
    double unit = size / 10.0;
    QPointF centre = disc.center();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(centre.x() - 2.2 * unit, centre.y() + 2 * unit), 1.3 * unit, 1.0 * unit);
    painter.drawEllipse(QPointF(centre.x() + 2.0 * unit, centre.y() + 1.4 * unit), 1.3 * unit, 1.0 * unit);
    painter.drawRect(QRectF(centre.x() - 1.1 * unit, centre.y() - 3 * unit, 0.5 * unit, 5 * unit));
    painter.drawRect(QRectF(centre.x() + 3.1 * unit, centre.y() - 3.6 * unit, 0.5 * unit, 5 * unit));
    QPainterPath beam;
    beam.moveTo(centre.x() - 1.1 * unit, centre.y() - 3 * unit);
    beam.lineTo(centre.x() + 3.6 * unit, centre.y() - 3.6 * unit);
    beam.lineTo(centre.x() + 3.6 * unit, centre.y() - 2.4 * unit);
    beam.lineTo(centre.x() - 1.1 * unit, centre.y() - 1.8 * unit);
    beam.closeSubpath();
    painter.drawPath(beam);

    QString name = QFileInfo(QUrl(player->Source()).path()).fileName();
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(background.lightness() < 128 ? QColor(170, 176, 186) : QColor(80, 80, 80));
    QRectF caption(0, disc.bottom() + 10, width(), 20);
    painter.drawText(caption, Qt::AlignHCenter | Qt::AlignTop,
                     painter.fontMetrics().elidedText(name, Qt::ElideMiddle, width() - 20));
}
