#pragma once
// The control's image window: the clip's pictures scaled to fit with their
// aspect kept, centred on the background colour. A clip with only sound shows
// a quiet note sign and the clip's name instead.
#include <QColor>
#include <QWidget>

class StreamPlayer;

class ImageWindow : public QWidget {
    Q_OBJECT
public:
    ImageWindow(StreamPlayer *player, QWidget *parent);
    void SetBackground(const QColor &color);
    QColor Background() const { return background; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // A clip with sound only is loaded or playing.
    bool ShowsSoundOnly() const;
    void PaintSoundOnly(class QPainter &painter);

    StreamPlayer *player;
    QColor background = Qt::black;
    // What the last paint showed.
    bool soundOnlyShown = false;
    QString soundOnlySource;
};
