#include "ControlPanel.h"

#include "StreamPlayer.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {
const QColor kAccent(74, 163, 255);
const QColor kText(222, 227, 233);
const QColor kDimText(140, 148, 160);
const QColor kGroove(18, 20, 24);
constexpr int kSliderMargin = 12;

bool Active(StreamPlayer::State state)
{
    return state == StreamPlayer::State::Connecting || state == StreamPlayer::State::Buffering
        || state == StreamPlayer::State::Playing;
}
}

ControlPanel::ControlPanel(StreamPlayer *source, QWidget *parent) : QWidget(parent), player(source)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedHeight(kHeight);
    connect(player, &StreamPlayer::Changed, this, &ControlPanel::PlayerChanged);
}

QString ControlPanel::FormatTime(double seconds)
{
    qint64 total = std::isfinite(seconds) && seconds > 0 ? qint64(seconds) : 0;
    qint64 hours = total / 3600;
    qint64 minutes = total / 60 % 60;
    qint64 secs = total % 60;
    if (hours > 0)
        return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')).arg(secs, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(minutes).arg(secs, 2, 10, QLatin1Char('0'));
}

QRect ControlPanel::PositionSlider() const
{
    return QRect(kSliderMargin, 4, std::max(10, width() - 2 * kSliderMargin), 16);
}

QRect ControlPanel::PlayButton() const
{
    return QRect(10, 24, 32, 32);
}

QRect ControlPanel::StopButton() const
{
    return QRect(48, 28, 24, 24);
}

QRect ControlPanel::VolumeSlider() const
{
    return QRect(width() - 12 - 64, 32, 64, 16);
}

QRect ControlPanel::MuteButton() const
{
    return QRect(VolumeSlider().left() - 28, 28, 24, 24);
}

QRect ControlPanel::StatusArea() const
{
    int left = StopButton().right() + 12;
    return QRect(left, 26, std::max(0, MuteButton().left() - 8 - left), 28);
}

ControlPanel::Part ControlPanel::PartAt(const QPoint &point) const
{
    if (PlayButton().contains(point))
        return Part::Play;
    if (StopButton().contains(point))
        return Part::Stop;
    if (PositionSlider().contains(point))
        return Part::Position;
    if (MuteButton().contains(point))
        return Part::Mute;
    if (VolumeSlider().adjusted(-4, -6, 4, 6).contains(point))
        return Part::Volume;
    return Part::None;
}

double ControlPanel::SliderFraction(const QRect &slider, int x) const
{
    return std::clamp(double(x - slider.left()) / std::max(1, slider.width() - 1), 0.0, 1.0);
}

QString ControlPanel::Look() const
{
    double duration = player->Duration();
    int thumb = duration > 0 ? int(player->Position() / duration * PositionSlider().width()) : -1;
    return QStringList{FormatTime(player->Position()), FormatTime(duration), QString::number(thumb),
                       player->Status(), QString::number(int(player->GetState())), QString::number(player->Failed()),
                       QString::number(player->Seekable()), QString::number(player->Muted()),
                       QString::number(player->Volume()), player->Source()}
        .join(QLatin1Char('|'));
}

void ControlPanel::PlayerChanged()
{
    if (Look() != shownLook)
        update();
}

bool ControlPanel::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    // The status line is cut to its place; its tip holds all of it and, after
    // a failure, the technical reason.
    auto *help = static_cast<QHelpEvent *>(event);
    if (!StatusArea().contains(help->pos())) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QString tip = player->Status();
    if (player->Failed() && !player->FailureDetail().isEmpty())
        tip += QLatin1Char('\n') + player->FailureDetail();
    QToolTip::showText(help->globalPos(), tip, this, StatusArea());
    return true;
}

void ControlPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressed = PartAt(event->position().toPoint());
    int x = event->position().toPoint().x();
    switch (pressed) {
    case Part::Position:
        if (!player->Seekable())
            pressed = Part::None;
        else
            dragFraction = SliderFraction(PositionSlider(), x);
        break;
    case Part::Volume:
        player->SetVolume(int(std::lround(SliderFraction(VolumeSlider(), x) * 100)));
        break;
    default:
        break;
    }
    update();
}

void ControlPanel::mouseMoveEvent(QMouseEvent *event)
{
    int x = event->position().toPoint().x();
    if (pressed == Part::Position) {
        dragFraction = SliderFraction(PositionSlider(), x);
        update();
    } else if (pressed == Part::Volume) {
        player->SetVolume(int(std::lround(SliderFraction(VolumeSlider(), x) * 100)));
    }
    Part over = PartAt(event->position().toPoint());
    if (over != hovered) {
        hovered = over;
        update();
    }
}

void ControlPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    Part was = pressed;
    pressed = Part::None;
    bool inside = PartAt(event->position().toPoint()) == was;
    switch (was) {
    case Part::Play:
        if (inside)
            Active(player->GetState()) ? player->Pause() : player->Play();
        break;
    case Part::Stop:
        if (inside)
            player->Stop();
        break;
    case Part::Mute:
        if (inside)
            player->SetMuted(!player->Muted());
        break;
    case Part::Position:
        player->Seek(dragFraction * player->Duration());
        break;
    default:
        break;
    }
    update();
}

void ControlPanel::leaveEvent(QEvent *)
{
    hovered = Part::None;
    update();
}

void ControlPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient back(0, 0, 0, height());
    back.setColorAt(0, QColor(58, 63, 71));
    back.setColorAt(1, QColor(30, 33, 38));
    painter.fillRect(rect(), back);
    painter.setPen(QColor(88, 94, 104));
    painter.drawLine(0, 0, width(), 0);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintPositionSlider(painter);
    PaintPlayButton(painter);
    PaintStopButton(painter);
    PaintVolume(painter);
    PaintTexts(painter);
}

void ControlPanel::PaintPositionSlider(QPainter &painter)
{
    QRect slider = PositionSlider();
    double y = slider.center().y() + 0.5;
    QRectF groove(slider.left(), y - 2.5, slider.width(), 5);
    painter.setPen(QPen(QColor(12, 13, 16), 1));
    painter.setBrush(kGroove);
    painter.drawRoundedRect(groove, 2.5, 2.5);
    bool seekable = player->Seekable();
    double duration = player->Duration();
    if (duration <= 0)
        return;
    double fraction = pressed == Part::Position ? dragFraction : std::clamp(player->Position() / duration, 0.0, 1.0);
    QRectF done(groove.left(), groove.top(), groove.width() * fraction, groove.height());
    QLinearGradient fill(0, groove.top(), 0, groove.bottom());
    fill.setColorAt(0, seekable ? kAccent.lighter(120) : kDimText);
    fill.setColorAt(1, seekable ? kAccent.darker(120) : kDimText.darker(130));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(done, 2.5, 2.5);
    if (!seekable)
        return;
    QPointF centre(groove.left() + groove.width() * fraction, y);
    double radius = hovered == Part::Position || pressed == Part::Position ? 7 : 6;
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawEllipse(centre + QPointF(0, 1), radius, radius);
    QRadialGradient knob(centre - QPointF(2, 2), radius * 1.6);
    knob.setColorAt(0, Qt::white);
    knob.setColorAt(1, QColor(200, 206, 214));
    painter.setBrush(knob);
    painter.drawEllipse(centre, radius, radius);
}

void ControlPanel::PaintPlayButton(QPainter &painter)
{
    QRectF button = QRectF(PlayButton()).adjusted(0.5, 0.5, -0.5, -0.5);
    bool enabled = !player->Source().isEmpty();
    QColor base = enabled ? kAccent : QColor(90, 96, 106);
    if (pressed == Part::Play)
        base = base.darker(125);
    else if (hovered == Part::Play && enabled)
        base = base.lighter(115);
    QLinearGradient fill(0, button.top(), 0, button.bottom());
    fill.setColorAt(0, base.lighter(125));
    fill.setColorAt(1, base.darker(125));
    painter.setPen(QPen(QColor(10, 40, 80, enabled ? 160 : 60), 1));
    painter.setBrush(fill);
    painter.drawEllipse(button);
    painter.setPen(Qt::NoPen);
    painter.setBrush(enabled ? Qt::white : QColor(170, 175, 182));
    QPointF c = button.center();
    if (Active(player->GetState())) {
        painter.drawRoundedRect(QRectF(c.x() - 6, c.y() - 7, 4.5, 14), 1, 1);
        painter.drawRoundedRect(QRectF(c.x() + 1.5, c.y() - 7, 4.5, 14), 1, 1);
    } else {
        QPainterPath triangle;
        triangle.moveTo(c.x() - 4.5, c.y() - 8);
        triangle.lineTo(c.x() + 8, c.y());
        triangle.lineTo(c.x() - 4.5, c.y() + 8);
        triangle.closeSubpath();
        painter.drawPath(triangle);
    }
}

void ControlPanel::PaintStopButton(QPainter &painter)
{
    QRectF button = QRectF(StopButton()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor base(78, 84, 94);
    if (pressed == Part::Stop)
        base = base.darker(130);
    else if (hovered == Part::Stop)
        base = base.lighter(125);
    QLinearGradient fill(0, button.top(), 0, button.bottom());
    fill.setColorAt(0, base.lighter(120));
    fill.setColorAt(1, base.darker(120));
    painter.setPen(QPen(QColor(20, 22, 26), 1));
    painter.setBrush(fill);
    painter.drawEllipse(button);
    painter.setPen(Qt::NoPen);
    painter.setBrush(player->GetState() == StreamPlayer::State::Idle ? kDimText : kText);
    QPointF c = button.center();
    painter.drawRoundedRect(QRectF(c.x() - 4.5, c.y() - 4.5, 9, 9), 1.5, 1.5);
}

void ControlPanel::PaintVolume(QPainter &painter)
{
    QRectF mute = QRectF(MuteButton());
    QPointF c = mute.center();
    QColor ink = hovered == Part::Mute ? Qt::white : kText;
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    QPainterPath speaker;
    speaker.moveTo(c.x() - 8, c.y() - 3);
    speaker.lineTo(c.x() - 4, c.y() - 3);
    speaker.lineTo(c.x() + 1, c.y() - 8);
    speaker.lineTo(c.x() + 1, c.y() + 8);
    speaker.lineTo(c.x() - 4, c.y() + 3);
    speaker.lineTo(c.x() - 8, c.y() + 3);
    speaker.closeSubpath();
    painter.drawPath(speaker);
    painter.setBrush(Qt::NoBrush);
    if (player->Muted()) {
        painter.setPen(QPen(QColor(255, 110, 100), 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(c.x() + 4, c.y() - 4), QPointF(c.x() + 10, c.y() + 4));
        painter.drawLine(QPointF(c.x() + 10, c.y() - 4), QPointF(c.x() + 4, c.y() + 4));
    } else {
        painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
        int waves = player->Volume() == 0 ? 0 : player->Volume() < 50 ? 1 : 2;
        for (int i = 0; i < waves; ++i) {
            double r = 4 + 4 * i;
            painter.drawArc(QRectF(c.x() + 1 - r, c.y() - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
        }
    }

    QRectF slider = QRectF(VolumeSlider());
    double y = slider.center().y();
    QRectF groove(slider.left(), y - 2, slider.width(), 4);
    painter.setPen(QPen(QColor(12, 13, 16), 1));
    painter.setBrush(kGroove);
    painter.drawRoundedRect(groove, 2, 2);
    double fraction = player->Volume() / 100.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(player->Muted() ? kDimText : kAccent);
    painter.drawRoundedRect(QRectF(groove.left(), groove.top(), groove.width() * fraction, groove.height()), 2, 2);
    painter.setBrush(hovered == Part::Volume || pressed == Part::Volume ? Qt::white : QColor(214, 219, 226));
    painter.drawEllipse(QPointF(groove.left() + groove.width() * fraction, y), 5, 5);
}

void ControlPanel::PaintTexts(QPainter &painter)
{
    QRect area = StatusArea();
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    shownLook = Look();
    QString time = FormatTime(player->Position());
    if (player->Duration() > 0)
        time += QStringLiteral(" / ") + FormatTime(player->Duration());
    QFontMetrics metrics(font);
    int timeWidth = metrics.horizontalAdvance(time);
    painter.setPen(kText);
    painter.drawText(QRect(area.left(), area.top(), timeWidth + 2, area.height()), Qt::AlignVCenter | Qt::AlignLeft, time);
    QRect statusRect = area.adjusted(timeWidth + 14, 0, 0, 0);
    if (statusRect.width() <= 10)
        return;
    painter.setPen(QColor(255, 255, 255, 40));
    painter.drawLine(statusRect.left() - 7, area.top() + 7, statusRect.left() - 7, area.bottom() - 6);
    painter.setPen(player->Failed() ? QColor(255, 140, 120) : kDimText);
    painter.drawText(statusRect, Qt::AlignVCenter | Qt::AlignLeft,
                     metrics.elidedText(player->Status(), Qt::ElideRight, statusRect.width()));
}
