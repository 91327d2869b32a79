#include "FlashControl.h"

#include "SwfFocusHighlight.h"
#include "SwfTextField.h"
#include "SwfTextInput.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLoggingCategory>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QUrl>

namespace swf {

namespace {
const QSize kDefaultExtent(335, 247);
Q_LOGGING_CATEGORY(movieTrace, "wordlark.movie.trace")
}

FlashControl::FlashControl(QWidget *parent) : QWidget(parent)
{
    resize(kDefaultExtent);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Input methods (Chinese among them) type into the movie's text fields.
    setAttribute(Qt::WA_InputMethodEnabled);
    setMouseTracking(true);
    connect(&moviePlayer, &Player::frameChanged, this, qOverload<>(&QWidget::update));
    // What the movie traces goes to the debug log.
    connect(&moviePlayer, &Player::traced, this, [](const QString &line) { qCDebug(movieTrace).noquote() << line; });
    connect(&movieLoader, &Loader::received, this, &FlashControl::received);
    connect(&movieLoader, &Loader::finished, this, &FlashControl::transferEnded);
    connect(&importLoader, &ImportLoader::provided, this, [this] { moviePlayer.movieGrew(); });
    connect(&movieLoader, &Loader::progress, this, [this](qint64 done, qint64 total) {
        bytesReceived = done;
        bytesTotal = total;
        update();
    });
}

FlashControl::~FlashControl()
{
    movieLoader.cancel();
    importLoader.setMovie(nullptr, QString());
    moviePlayer.setMovie(nullptr);
}

void FlashControl::setMovie(const QString &newAddress)
{
    movieLoader.cancel();
    importLoader.setMovie(nullptr, QString());
    moviePlayer.setMovie(nullptr);
    renderer.reset();
    movie.reset();
    failure = {};
    movieTitle.clear();
    isLoading = false;
    bytesReceived = 0;
    bytesTotal = -1;
    address = newAddress;
    update();
    if (address.isEmpty())
        return;
    movie = std::make_shared<Movie>();
    movie->setAddress(address);
    renderer = std::make_unique<Renderer>(*movie);
    moviePlayer.setMovie(movie);
    importLoader.setMovie(movie, address);
    isLoading = true;
    movieLoader.load(address);
}

void FlashControl::received(const QByteArray &bytes)
{
    if (!movie)
        return;
    movie->append(bytes);
    importLoader.movieGrew();
    moviePlayer.movieGrew();
    // After the end tag or a fatal error the rest of the transfer is not needed.
    if (movieLoader.busy() && (movie->finished() || movie->failed())) {
        movieLoader.cancel();
        transferEnded({});
    }
}

void FlashControl::transferEnded(const LoadFailure &transfer)
{
    isLoading = false;
    if (movie) {
        movie->finish();
        importLoader.movieGrew();
        moviePlayer.movieGrew();
        if (movie->framesLoaded() == 0) {
            if (transfer.failed())
                failure = transfer;
            else if (movie->failed())
                failure = {QStringLiteral("这个文件不是可以播放的影片。"), movie->error()};
        }
    }
    if (failure.failed())
        qWarning("Movie %s: %s (%s)", qPrintable(address), qPrintable(failure.what), qPrintable(failure.detail));
    update();
}

void FlashControl::setTitle(const QString &title)
{
    movieTitle = title;
    update();
}

QString FlashControl::displayName() const
{
    if (!movieTitle.trimmed().isEmpty())
        return movieTitle.trimmed();
    const QUrl url(address);
    const QString name = isWebAddress(address) ? url.fileName()
                                               : QFileInfo(url.isLocalFile() ? url.toLocalFile() : address).fileName();
    return name.isEmpty() ? address : name;
}

QString FlashControl::errorText() const
{
    if (!failure.failed())
        return {};
    return QStringLiteral("“%1”载入失败").arg(displayName()) + QLatin1Char('\n') + failure.what + QLatin1Char('\n')
        + failure.detail + QLatin1Char('\n') + address;
}

void FlashControl::setScaleMode(ScaleMode mode)
{
    scale = mode;
    update();
}

void FlashControl::setQuality(const QString &quality)
{
    qualityName = quality;
    antialias = quality.compare(QLatin1String("Low"), Qt::CaseInsensitive) != 0
        && quality.compare(QLatin1String("AutoLow"), Qt::CaseInsensitive) != 0;
    update();
}

void FlashControl::setWindowMode(const QString &mode)
{
    wmode = mode;
    update();
}

QTransform FlashControl::stageTransform(const QSize &area) const
{
    QRectF stage = movie && movie->headerRead() ? movie->frameSize() : QRectF(0, 0, 550 * 20, 400 * 20);
    // The stage is as many whole pixels as it holds: a part of a pixel at
    // its right or bottom is cut off rather than scaled into view.
    double width = std::floor(stage.width() / 20) * 20, height = std::floor(stage.height() / 20) * 20;
    if (width <= 0 || height <= 0) {
        width = stage.width();
        height = stage.height();
    }
    double sx = area.width() / width;
    double sy = area.height() / height;
    if (scale != ScaleMode::ExactFit)
        sx = sy = scale == ScaleMode::ShowAll ? std::min(sx, sy) : std::max(sx, sy);
    double dx = (area.width() - width * sx) / 2;
    double dy = (area.height() - height * sy) / 2;
    return QTransform::fromTranslate(-stage.x(), -stage.y()) * QTransform::fromScale(sx, sy)
        * QTransform::fromTranslate(dx, dy);
}

void FlashControl::paintEvent(QPaintEvent *)
{
    // The stage is drawn on a picture first: objects with blend modes and
    // filters read back what lies under them.
    if (frame.size() != size())
        frame = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    QPainter framePainter(&frame);
    paintStage(framePainter, size());
    framePainter.end();
    QPainter painter(this);
    painter.drawImage(0, 0, frame);
}

QImage FlashControl::grabStage(const QSize &imageSize)
{
    QImage image(imageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintStage(painter, imageSize);
    painter.end();
    return image;
}

void FlashControl::paintStage(QPainter &painter, const QSize &area)
{
    QRect rect(QPoint(0, 0), area);
    const Stage *stage = moviePlayer.stage();
    QColor background = movie && movie->headerRead() ? movie->backgroundColor() : QColor(Qt::white);
    if (wmode.compare(QLatin1String("Transparent"), Qt::CaseInsensitive) != 0)
        painter.fillRect(rect, background);
    if (stage && renderer) {
        painter.setRenderHint(QPainter::Antialiasing, antialias);
        painter.save();
        painter.setClipRect(rect);
        renderer->render(painter, *stage, stageTransform(area));
        paintFocusHighlight(painter, *stage, stageTransform(area));
        painter.restore();
        // A movie stopped for using too much stays visible behind why.
        const QString reason = moviePlayer.stopReason();
        if (!reason.isEmpty()) {
            painter.fillRect(rect, QColor(255, 255, 255, 200));
            paintMessage(painter, rect, {QStringLiteral("“%1”已停止").arg(displayName()), reason, address});
        }
        return;
    }
    if (failure.failed())
        paintMessage(painter, rect, errorText().split(QLatin1Char('\n')));
    else if (isLoading)
        paintProgress(painter, rect);
}

QPointF FlashControl::toStage(const QPointF &point) const
{
    return stageTransform(size()).inverted().map(point);
}

void FlashControl::updateCursor()
{
    Stage *stage = moviePlayer.stage();
    if (stage && stage->mouse().pointerHidden())
        setCursor(Qt::BlankCursor);
    else
        setCursor(stage && stage->mouse().showsHand() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
}

void FlashControl::inputHeard()
{
    moviePlayer.holdIfStopped();
    updateCursor();
}

void FlashControl::mouseMoveEvent(QMouseEvent *event)
{
    if (Stage *stage = moviePlayer.stage()) {
        stage->mouse().move(toStage(event->position()));
        stage->focus().hideHighlight();
    }
    inputHeard();
}

// The left and right buttons hide the focus rectangle; only the left one
// reaches the movie.
void FlashControl::mousePressEvent(QMouseEvent *event)
{
    Stage *stage = moviePlayer.stage();
    if (!stage || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton))
        return;
    if (event->button() == Qt::LeftButton)
        stage->mouse().press(toStage(event->position()));
    stage->focus().hideHighlight();
    inputHeard();
}

void FlashControl::mouseReleaseEvent(QMouseEvent *event)
{
    Stage *stage = moviePlayer.stage();
    if (!stage || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton))
        return;
    if (event->button() == Qt::LeftButton)
        stage->mouse().release(toStage(event->position()));
    stage->focus().hideHighlight();
    inputHeard();
}

void FlashControl::keyPressEvent(QKeyEvent *event)
{
    Stage *stage = moviePlayer.stage();
    int code = keyCodeOf(event->key());
    // Shortcuts with Ctrl type nothing.
    const QString text = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier) ? QString() : event->text();
    const bool typed = text.size() == 1 && text.at(0).isPrint();
    // Keys movies have no code for still type their character.
    if (!stage || (code == 0 && !typed)) {
        QWidget::keyPressEvent(event);
        return;
    }
    stage->keyboard().press(code, text.size() == 1 ? text.at(0).unicode() : 0);
    editFocusedField(event);
    inputHeard();
}

// The clipboard keys in the focused text field.
void FlashControl::editFocusedField(QKeyEvent *event)
{
    KeyboardInput &keyboard = moviePlayer.stage()->keyboard();
    TextField *field = keyboard.focusedField();
    if (!field)
        return;
    if (event->matches(QKeySequence::Paste)) {
        keyboard.insertText(QGuiApplication::clipboard()->text());
    } else if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut)) {
        if (field->selectionBegin() < field->selectionEnd() && !field->password())
            QGuiApplication::clipboard()->setText(selectedText(*field));
        if (event->matches(QKeySequence::Cut))
            keyboard.insertText(QString());
    } else if (event->matches(QKeySequence::SelectAll)) {
        field->setSelection(0, field->length());
    }
}

void FlashControl::inputMethodEvent(QInputMethodEvent *event)
{
    if (Stage *stage = moviePlayer.stage(); stage && !event->commitString().isEmpty()) {
        stage->keyboard().typeText(event->commitString());
        inputHeard();
    }
    event->accept();
}

QVariant FlashControl::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled)
        return moviePlayer.stage() && moviePlayer.stage()->keyboard().focusedField();
    return QWidget::inputMethodQuery(query);
}

bool FlashControl::focusNextPrevChild(bool next)
{
    return moviePlayer.stage() ? false : QWidget::focusNextPrevChild(next);
}

void FlashControl::keyReleaseEvent(QKeyEvent *event)
{
    Stage *stage = moviePlayer.stage();
    int code = keyCodeOf(event->key());
    if (!stage || code == 0 || event->isAutoRepeat()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    stage->keyboard().release(code);
    inputHeard();
}

void FlashControl::leaveEvent(QEvent *)
{
    if (Stage *stage = moviePlayer.stage())
        stage->mouse().leave();
    updateCursor();
}

void FlashControl::paintProgress(QPainter &painter, const QRect &area)
{
    int barWidth = std::max(40, area.width() / 2);
    QRect bar(area.center().x() - barWidth / 2, area.center().y() - 5, barWidth, 10);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(96, 96, 96));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    if (bytesTotal > 0) {
        int filled = int(qint64(bar.width() - 4) * std::min(bytesReceived, bytesTotal) / bytesTotal);
        painter.fillRect(QRect(bar.left() + 2, bar.top() + 2, filled, bar.height() - 4), QColor(64, 128, 220));
    }
    QString text;
    if (bytesTotal > 0)
        text = QStringLiteral("%1%").arg(bytesReceived * 100 / bytesTotal);
    else if (bytesReceived > 0)
        text = QStringLiteral("已收到 %1 KB").arg(bytesReceived / 1024);
    else
        text = QStringLiteral("正在连接服务器 %1……").arg(QUrl(address).host());
    painter.setPen(Qt::black);
    painter.drawText(QRect(area.left(), bar.top() - 24, area.width(), 20), Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("正在载入“%1”").arg(displayName()));
    painter.drawText(QRect(area.left(), bar.bottom() + 4, area.width(), 20), Qt::AlignHCenter | Qt::AlignTop, text);
}

void FlashControl::paintMessage(QPainter &painter, const QRect &area, const QStringList &lines)
{
    const QRect box = area.adjusted(8, 8, -8, -8);
    QFont headline = painter.font();
    headline.setBold(true);
    QFont detail = painter.font();
    detail.setPointSizeF(detail.pointSizeF() * 0.85);
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    // Each line as tall as it wraps, the block centred as a whole.
    std::vector<std::pair<QFont, QRect>> blocks;
    int height = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QFont &font = i == 0 ? headline : i == 1 ? painter.font() : detail;
        QRect r = QFontMetrics(font).boundingRect(QRect(0, 0, box.width(), 10000), flags, lines[i]);
        blocks.emplace_back(font, r);
        height += r.height() + (i == 1 ? 6 : 2);
    }
    int y = box.top() + std::max(0, (box.height() - height) / 2);
    const QFont saved = painter.font();
    for (int i = 0; i < lines.size(); ++i) {
        painter.setFont(blocks[size_t(i)].first);
        painter.setPen(i < 2 ? QColor(Qt::black) : QColor(110, 110, 110));
        const int h = blocks[size_t(i)].second.height();
        painter.drawText(QRect(box.left(), y, box.width(), h), flags, lines[i]);
        y += h + (i == 1 ? 6 : 2);
    }
    painter.setFont(saved);
}

}
