#include "ClassPictures.h"

#include "MainIcon.h"
#include "Paint.h"

#include <QPainterPath>

namespace {

const QColor Frame(40, 70, 130), Face(236, 240, 248), Accent(0, 84, 227), Text(30, 30, 30), Field(255, 255, 255);

void Box(QPainter &p, const QRectF &r, const QColor &fill = Face) { RoundBox(p, r, 2, fill, Frame); }

void TextLines(QPainter &p, const QRectF &r, int lines, qreal step = 3)
{
    p.setPen(QPen(QColor(120, 130, 150), 1));
    for (int i = 0; i < lines; ++i)
        p.drawLine(QPointF(r.left(), r.top() + i * step + 0.5), QPointF(r.right() - (i % 2) * 3, r.top() + i * step + 0.5));
}

void DropArrow(QPainter &p, const QRectF &field)
{
    const QRectF button(field.right() - 7, field.top() + 1, 6, field.height() - 2);
    p.fillRect(button, QColor(190, 205, 235));
    DrawGlyph(p, Glyph::ArrowDown, QRectF(button.center().x() - 2.5, button.center().y() - 1.5, 5, 3), Text, 1);
}

void CheckMark(QPainter &p, const QRectF &box, bool checked)
{
    Box(p, box, Field);
    if (checked)
        DrawGlyph(p, Glyph::Check, box.adjusted(1.5, 1.5, -1.5, -1.5), QColor(33, 161, 33), 1.4);
}

void Grid(QPainter &p, const QRectF &r, bool colours)
{
    Box(p, r, Field);
    p.fillRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 2, 4), QColor(200, 210, 230));
    p.fillRect(QRectF(r.left() + 1, r.top() + 1, 5, r.height() - 2), QColor(200, 210, 230));
    if (colours) {
        p.fillRect(QRectF(r.left() + 7, r.top() + 6, 6, 4), QColor(240, 90, 80));
        p.fillRect(QRectF(r.left() + 14, r.top() + 11, 6, 4), QColor(80, 170, 90));
    }
    p.setPen(QPen(QColor(150, 160, 180), 1));
    for (qreal x = r.left() + 6.5; x < r.right() - 1; x += 7)
        p.drawLine(QPointF(x, r.top() + 1), QPointF(x, r.bottom() - 1));
    for (qreal y = r.top() + 5.5; y < r.bottom() - 1; y += 5)
        p.drawLine(QPointF(r.left() + 1, y), QPointF(r.right() - 1, y));
}

void Tabs(QPainter &p, const QRectF &r)
{
    Box(p, QRectF(r.left(), r.top() + 5, r.width(), r.height() - 5));
    RoundBox(p, QRectF(r.left(), r.top(), 9, 7), 2, Field, Frame);
    RoundBox(p, QRectF(r.left() + 9, r.top() + 1, 8, 5), 2, QColor(200, 210, 230), Frame);
    p.fillRect(QRectF(r.left() + 1, r.top() + 2, 7, 1.5), QColor(248, 179, 48));
}

void Draw(QPainter &p, const QString &name)
{
    const QRectF all(1, 1, 22, 22);
    if (name == "TSUIFORM" || name == "TSUITITLEBAR") {
        const bool wholeForm = name == "TSUIFORM";
        const QRectF window = wholeForm ? all : QRectF(1, 7, 22, 10);
        Box(p, window, wholeForm ? Face : Accent);
        p.fillRect(QRectF(window.left() + 1, window.top() + 1, window.width() - 2, wholeForm ? 5 : window.height() - 2), Accent);
        p.fillRect(QRectF(window.right() - 5, window.top() + 2, 3, 3), QColor(226, 90, 50));
        p.fillRect(QRectF(window.right() - 9, window.top() + 2, 3, 3), Field);
        if (wholeForm)
            TextLines(p, QRectF(4, 11, 15, 9), 3);
    } else if (name == "TSUIMAINMENU") {
        Box(p, QRectF(1, 2, 22, 6));
        p.fillRect(QRectF(2, 3, 7, 4), QColor(200, 215, 245));
        Box(p, QRectF(2, 8, 13, 14), Field);
        p.fillRect(QRectF(3, 13, 11, 3), QColor(49, 106, 197));
        TextLines(p, QRectF(4, 10.5, 8, 10), 4, 3);
    } else if (name == "TSUIBUTTON" || name == "TSUIIMAGEBUTTON") {
        RoundBox(p, QRectF(1, 6, 22, 12), 3, VerticalGradient(all, {{0, Field}, {1, QColor(200, 205, 220)}}), Frame);
        if (name == "TSUIBUTTON") {
            p.setPen(Text);
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPixelSize(7);
            f.setBold(true);
            p.setFont(f);
            p.drawText(QRectF(1, 6, 22, 12), Qt::AlignCenter, QStringLiteral("OK"));
        } else {
            DrawLarkOnBook(p, QRectF(6, 6.5, 12, 11));
        }
    } else if (name == "TSUICHECKBOX") {
        CheckMark(p, QRectF(2, 7, 10, 10), true);
        TextLines(p, QRectF(14, 11, 8, 3), 1);
    } else if (name == "TSUIRADIOBUTTON") {
        RoundDot(p, QRectF(2, 7, 10, 10), Field, Frame);
        RoundDot(p, QRectF(5, 10, 4, 4), QColor(33, 161, 33));
        TextLines(p, QRectF(14, 11, 8, 3), 1);
    } else if (name == "TSUITRACKBAR" || name == "TSUISCROLLBAR") {
        if (name == "TSUITRACKBAR") {
            RoundBox(p, QRectF(1, 10, 22, 4), 2, QColor(200, 205, 215), Frame);
            QPainterPath thumb;
            thumb.addRoundedRect(QRectF(9, 5, 6, 11), 1, 1);
            thumb.moveTo(9, 16);
            thumb.lineTo(12, 19);
            thumb.lineTo(15, 16);
            p.setPen(Frame);
            p.setBrush(QColor(120, 170, 240));
            p.drawPath(thumb);
        } else {
            Box(p, QRectF(7, 1, 10, 22), QColor(230, 234, 242));
            Box(p, QRectF(7, 1, 10, 5), QColor(190, 205, 235));
            Box(p, QRectF(7, 18, 10, 5), QColor(190, 205, 235));
            Box(p, QRectF(8, 8, 8, 7), QColor(120, 170, 240));
        }
    } else if (name == "TSUITREEVIEW") {
        Box(p, all, Field);
        p.setPen(QPen(QColor(120, 130, 150), 1, Qt::DotLine));
        p.drawLine(QPointF(5.5, 6), QPointF(5.5, 18.5));
        p.drawLine(QPointF(5.5, 12.5), QPointF(10, 12.5));
        p.drawLine(QPointF(5.5, 18.5), QPointF(10, 18.5));
        for (qreal y : {4.0, 10.0, 16.0})
            p.fillRect(QRectF(y == 4.0 ? 4 : 10, y, 4, 4), QColor(240, 200, 80));
        TextLines(p, QRectF(15, 6, 6, 12), 3, 6);
    } else if (name == "TSUILISTVIEW") {
        Box(p, all, Field);
        for (int i = 0; i < 4; ++i) {
            const QRectF icon(4 + (i % 2) * 9, 4 + (i / 2) * 9, 6, 5);
            p.fillRect(icon, i == 0 ? QColor(49, 106, 197) : QColor(120, 170, 240));
        }
    } else if (name == "TSUIIMAGEPANEL") {
        Box(p, all, QColor(170, 210, 250));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 210, 60));
        p.drawEllipse(QRectF(14, 4, 5, 5));
        p.setBrush(QColor(70, 150, 70));
        const QPointF hills[] = {{2, 22}, {9, 11}, {14, 17}, {17, 14}, {22, 22}};
        p.drawPolygon(hills, 5);
    } else if (name == "TSUIPROGRESSBAR") {
        Box(p, QRectF(1, 8, 22, 8), Field);
        p.fillRect(QRectF(2, 9, 13, 6), VerticalGradient(all, {{0, QColor(150, 240, 150)}, {1, QColor(38, 190, 44)}}));
    } else if (name == "TSUIGROUPBOX" || name == "TSUICHECKGROUP") {
        p.setPen(Frame);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(1.5, 5.5, 21, 17), 2, 2);
        p.fillRect(QRectF(4, 3, 10, 5), Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.fillRect(QRectF(4, 4, 10, 3), Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        TextLines(p, QRectF(5, 5, 8, 1), 1);
        if (name == "TSUICHECKGROUP") {
            CheckMark(p, QRectF(5, 9, 5, 5), true);
            CheckMark(p, QRectF(5, 15, 5, 5), false);
            TextLines(p, QRectF(12, 11, 7, 6), 2, 6);
        }
    } else if (name == "TSUILISTBOX" || name == "TSUICHECKLISTBOX") {
        Box(p, all, Field);
        p.fillRect(QRectF(2, 9, 20, 4), QColor(49, 106, 197));
        const bool checks = name == "TSUICHECKLISTBOX";
        for (int i = 0; i < 4; ++i) {
            const qreal y = 4 + i * 5;
            if (checks)
                CheckMark(p, QRectF(3, y - 1, 4, 4), i % 2 == 0);
            TextLines(p, QRectF(checks ? 9 : 4, y + 0.5, checks ? 11 : 16, 1), 1);
        }
    } else if (name == "TSUIMEMO" || name == "TSUIEDIT") {
        const bool memo = name == "TSUIMEMO";
        Box(p, memo ? all : QRectF(1, 7, 22, 10), Field);
        TextLines(p, memo ? QRectF(4, 5, 15, 16) : QRectF(4, 11.5, 10, 1), memo ? 5 : 1);
        p.setPen(Text);
        p.drawLine(QPointF(memo ? 14.5 : 16.5, memo ? 16 : 9), QPointF(memo ? 14.5 : 16.5, memo ? 21 : 15));
    } else if (name.endsWith(QLatin1String("COMBOBOX")) || name == "TSUICOLORBOX") {
        const QRectF field(1, 7, 22, 10);
        Box(p, field, Field);
        DropArrow(p, field);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(7);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Text);
        if (name == "TSUICOLORBOX")
            p.fillRect(QRectF(3, 9, 11, 6), QColor(220, 60, 60));
        else if (name == "TSUIFONTCOMBOBOX")
            p.drawText(QRectF(2, 7, 14, 10), Qt::AlignCenter, QStringLiteral("Tt"));
        else if (name == "TSUIFONTSIZECOMBOBOX")
            p.drawText(QRectF(2, 7, 14, 10), Qt::AlignCenter, QStringLiteral("12"));
        else
            TextLines(p, QRectF(4, 11.5, 9, 1), 1);
    } else if (name == "TSUITABCONTROL" || name == "TSUIPAGECONTROL") {
        Tabs(p, QRectF(1, 3, 22, 19));
        if (name == "TSUIPAGECONTROL")
            TextLines(p, QRectF(4, 12, 15, 8), 3);
    } else if (name == "TSUITOOLBAR") {
        Box(p, QRectF(1, 6, 22, 12));
        for (int i = 0; i < 3; ++i)
            RoundBox(p, QRectF(3 + i * 6.5, 8, 5, 8), 1, i == 1 ? QColor(239, 211, 198) : Field, QColor(120, 130, 150));
    } else if (name == "TSUISIDECHANNEL") {
        Box(p, all, Field);
        p.fillRect(QRectF(2, 2, 5, 20), QColor(190, 205, 235));
        p.fillRect(QRectF(7, 2, 15, 4), Accent);
        TextLines(p, QRectF(9, 9, 11, 10), 3);
    } else if (name == "TSUISTRINGGRID" || name == "TSUIDRAWGRID") {
        Grid(p, all, name == "TSUIDRAWGRID");
    }
}

} // namespace

QImage ClassPicture(const QString &className)
{
    QImage art = NewCanvas(24, 24);
    QPainter p;
    BeginPaint(p, art);
    Draw(p, className);
    p.end();
    return Keyed(art, QColor(212, 208, 200));
}
