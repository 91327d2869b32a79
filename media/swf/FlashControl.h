#pragma once
// The movie control's window: loads a movie from an address, plays it and
// draws it scaled to the window; while loading it draws the progress, and
// when a movie cannot be shown it draws the reason on the stage.
#include "SwfImportLoader.h"
#include "SwfLoader.h"
#include "SwfPlayer.h"
#include "SwfRenderer.h"

#include <QImage>
#include <QWidget>
#include <memory>

namespace swf {

class FlashControl : public QWidget {
    Q_OBJECT
public:
    enum class ScaleMode { ShowAll = 0, NoBorder = 1, ExactFit = 2 };

    explicit FlashControl(QWidget *parent = nullptr);
    ~FlashControl() override;

    // Drops the current movie at once (also mid-transfer) and loads
    // `address`; an empty address leaves the stage empty.
    void setMovie(const QString &address);
    const QString &movieAddress() const { return address; }

    Player &player() { return moviePlayer; }
    const Player &player() const { return moviePlayer; }
    Loader &loader() { return movieLoader; }

    void setScaleMode(ScaleMode mode);
    ScaleMode scaleMode() const { return scale; }
    // "High" and better draw antialiased, "Low" without.
    void setQuality(const QString &quality);
    const QString &quality() const { return qualityName; }
    // "Window", "Opaque" or "Transparent" (no background is drawn).
    void setWindowMode(const QString &mode);
    const QString &windowMode() const { return wmode; }

    // The name stage messages give the movie: `title` when the host gave
    // one (a lesson's caption), else the file name of its address. Every
    // setMovie clears the title.
    void setTitle(const QString &title);
    QString displayName() const;
    // The text drawn when the movie cannot be shown: which movie failed, what
    // happened, then the technical reason and the address; empty otherwise.
    QString errorText() const;
    bool loading() const { return isLoading; }
    // Maps the stage's twips to the pixels of an area of `area` size.
    QTransform stageTransform(const QSize &area) const;
    // Draws the stage as the window shows it, into an image of `size`.
    QImage grabStage(const QSize &size);

protected:
    void paintEvent(QPaintEvent *event) override;
    // The pointer goes to the movie in stage coordinates: buttons show their
    // states and run their actions, clips hear their mouse events.
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void keyReleaseEvent(QKeyEvent *event) override;
    // While a movie plays, Tab moves the focus within the movie.
    bool focusNextPrevChild(bool next) override;

private:
    void received(const QByteArray &bytes);
    void transferEnded(const LoadFailure &transfer);
    void paintStage(QPainter &painter, const QSize &size);
    void paintProgress(QPainter &painter, const QRect &area);
    // A headline, a line of explanation and a smaller grey line of detail,
    // centred on the stage.
    void paintMessage(QPainter &painter, const QRect &area, const QStringList &lines);
    // `point` (window pixels) in stage twips.
    QPointF toStage(const QPointF &point) const;
    // The pointer's shape after the movie heard of the mouse.
    void updateCursor();
    void editFocusedField(QKeyEvent *event);
    // After the movie heard an input: a movie its scripts stopped halts at
    // once, and the pointer and picture show what the scripts changed.
    void inputHeard();

    QString address;
    QString movieTitle;
    std::shared_ptr<Movie> movie;
    std::unique_ptr<Renderer> renderer;
    Player moviePlayer;
    Loader movieLoader;
    ImportLoader importLoader;
    LoadFailure failure;
    bool isLoading = false;
    qint64 bytesReceived = 0;
    qint64 bytesTotal = -1;
    ScaleMode scale = ScaleMode::ExactFit;
    QString qualityName = QStringLiteral("High");
    bool antialias = true;
    QString wmode = QStringLiteral("Window");
    QImage frame; // the stage as last drawn, the control's size
};

}
