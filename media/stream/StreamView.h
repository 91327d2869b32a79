#pragma once
// The programme control's window: the image window above its control panel,
// either of which can be left out ("imagewindow,controlpanel" shows both).
#include <QWidget>

class ControlPanel;
class ImageWindow;
class StreamPlayer;

class StreamView : public QWidget {
    Q_OBJECT
public:
    explicit StreamView(QWidget *parent = nullptr);

    StreamPlayer *Player() const { return player; }
    ImageWindow *Image() const { return image; }
    ControlPanel *Panel() const { return panel; }

    // A comma-separated list of the parts to show: "imagewindow", "controlpanel"
    // ("all" for both). Unknown names are ignored.
    void SetControls(const QString &names);
    QString Controls() const;
    // "#RRGGBB" (or any name QColor reads) for the image window's background.
    void SetBackgroundColor(const QString &color);
    QString BackgroundColor() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Arrange();

    StreamPlayer *player;
    ImageWindow *image;
    ControlPanel *panel;
    bool showImage = true;
    bool showPanel = true;
};
