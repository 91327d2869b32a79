#pragma once
// The control's own control panel, drawn under the image window: play/pause,
// stop, a position slider (it seeks when the clip allows it), elapsed and total
// time, a status line, and mute with a volume slider.
#include <QRect>
#include <QWidget>

class StreamPlayer;

class ControlPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 60;

    ControlPanel(StreamPlayer *player, QWidget *parent);
    QSize sizeHint() const override { return {320, kHeight}; }

    // Where the parts are, for the current width.
    QRect PlayButton() const;
    QRect StopButton() const;
    QRect PositionSlider() const;
    QRect MuteButton() const;
    QRect VolumeSlider() const;
    QRect StatusArea() const;

    // "1:05", or "1:02:05" from an hour on.
    static QString FormatTime(double seconds);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    enum class Part { None, Play, Stop, Position, Mute, Volume };
    Part PartAt(const QPoint &point) const;
    double SliderFraction(const QRect &slider, int x) const;
    void PlayerChanged();

    void PaintPlayButton(class QPainter &painter);
    void PaintStopButton(QPainter &painter);
    void PaintPositionSlider(QPainter &painter);
    void PaintVolume(QPainter &painter);
    void PaintTexts(QPainter &painter);

    StreamPlayer *player;
    Part hovered = Part::None;
    Part pressed = Part::None;
    double dragFraction = 0; // the position slider while it is dragged
    // What the panel shows of the player, so that a clock tick repaints only
    // on a visible change.
    QString Look() const;
    QString shownLook;
};
