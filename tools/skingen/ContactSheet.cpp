#include "ContactSheet.h"

#include "Paint.h"
#include "SUIResDef.h"
#include "SUIThemes.h"

#include <QDir>
#include <QHash>

#include <algorithm>

namespace {

constexpr int Scale = 3;
constexpr int SheetWidth = 1500;

using Files = QHash<QString, QImage>;

QImage Pick(const Files &files, int style, int index) { return files.value(GetThemeString(style, index)); }

// Pixels of the key colour left out, as a transparent draw does.
QImage WithoutKey(const QImage &image, QRgb key)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if ((out.pixel(x, y) | 0xFF000000) == (key | 0xFF000000))
                out.setPixel(x, y, 0);
    return out;
}

// Corners kept, edges and centre stretched, magenta left out.
void NineSlice(QPainter &p, const QImage &face, const QRect &r)
{
    const QImage f = WithoutKey(face, KeyColour.rgb());
    const int hw = f.width() / 2, hh = f.height() / 2;
    const int xs[] = {0, hw, f.width() - hw, f.width()}, ys[] = {0, hh, f.height() - hh, f.height()};
    const int xd[] = {r.left(), r.left() + hw, r.right() + 1 - hw, r.right() + 1};
    const int yd[] = {r.top(), r.top() + hh, r.bottom() + 1 - hh, r.bottom() + 1};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            p.drawImage(QRect(QPoint(xd[i], yd[j]), QPoint(xd[i + 1] - 1, yd[j + 1] - 1)), f,
                QRect(QPoint(xs[i], ys[j]), QPoint(std::max(xs[i], xs[i + 1] - 1), std::max(ys[j], ys[j + 1] - 1))));
}

void ThreeSlice(QPainter &p, const QImage &bitmap, const QRect &r, bool transparent)
{
    const QImage b = transparent ? WithoutKey(bitmap, bitmap.pixel(0, 0)) : bitmap;
    const int w = b.width() / 3;
    p.drawImage(QPoint(r.left(), r.top()), b.copy(0, 0, w, b.height()));
    p.drawImage(QPoint(r.right() + 1 - w, r.top()), b.copy(2 * w, 0, w, b.height()));
    p.drawImage(QRect(r.left() + w, r.top(), r.width() - 2 * w, r.height()), b.copy(w, 0, w, b.height()));
}

// The style's window frame, title bar, buttons and bars as the controls compose them.
int DrawPreview(QPainter &p, const Files &files, int style, int top)
{
    const int width = 420;
    const TColor formColour = GetThemeColor(style, 3);
    const QColor form(GetRValue(formColour), GetGValue(formColour), GetBValue(formColour));
    const QImage left = Pick(files, style, 45), client = Pick(files, style, 46), right = Pick(files, style, 47);
    const int bar = left.height();
    const int bodyHeight = 150;
    p.fillRect(QRect(10, top, width, bar + bodyHeight), form);
    if (style == MacOS || style == Protein)
        p.fillRect(QRect(10, top + bar, width, bodyHeight),
            QBrush(files.value(style == MacOS ? RES_MACOS_FORM_BACKGROUND : RES_PROTEIN_FORM_BACKGROUND)));
    p.drawImage(QRect(10 + left.width(), top, width - left.width() - right.width(), bar), client);
    p.drawImage(10, top, left);
    p.drawImage(10 + width - right.width(), top, right);

    const bool transparent = GetThemeBoolean(style, 66);
    const int buttonTop = top + GetThemeInteger(style, 69);
    int x = 10 + width + GetThemeInteger(style, 68) + 1;
    for (int index : {48, 51, 54}) {
        QImage pic = Pick(files, style, index);
        if (index == 51)
            pic = Pick(files, style, 52); // the maximise button shown under the mouse
        x -= pic.width() + 1;
        p.drawImage(x, buttonTop, transparent ? WithoutKey(pic, pic.pixel(0, pic.height() - 1)) : pic);
    }
    const QImage box = Pick(files, style, 60);
    const int x2 = 10 + GetThemeInteger(style, 67);
    p.drawImage(x2, buttonTop, transparent ? WithoutKey(box, box.pixel(0, box.height() - 1)) : box);
    QFont captionFont(QStringLiteral("DejaVu Sans"));
    captionFont.setBold(true);
    captionFont.setPixelSize(12);
    p.setFont(captionFont);
    p.setPen(style == MacOS ? Qt::black : Qt::white);
    p.drawText(QRect(x2 + box.width() + 5, top + (style == DeepBlue ? 4 : 0), 300, style == DeepBlue ? 16 : bar),
        Qt::AlignVCenter, QStringLiteral("Wordlark — %1").arg(QLatin1String(SUI_STYLE_PREFIXES[style])));

    // Push buttons in their three states, a check box and a radio button.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    p.setFont(font);
    const int row = top + bar + 12;
    for (int i = 0; i < 3; ++i) {
        const QRect r(22 + i * 92, row, 80, style == MacOS ? 23 : 25);
        NineSlice(p, Pick(files, style, 24 + i), r);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, i == 0 ? QStringLiteral("Play") : i == 1 ? QStringLiteral("Hover") : QStringLiteral("Down"));
    }
    const QImage check = Pick(files, style, 29), radio = Pick(files, style, 37), uncheck = Pick(files, style, 30);
    p.drawImage(300, row + 2, check);
    p.drawImage(300 + check.width() + 4, row + 2, uncheck);
    p.drawImage(340, row + 2, WithoutKey(radio, radio.pixel(0, 0)));
    p.drawImage(340 + radio.width() + 4, row + 2, WithoutKey(Pick(files, style, 38), radio.pixel(0, 0)));

    // Track bar with its slider, a progress bar half full.
    const QImage trackBar = Pick(files, style, 75), slider = Pick(files, style, 76);
    const TColor trackColour = GetThemeColor(style, 79);
    const int trackTop = row + 40;
    const int trackHeight = std::max(trackBar.height(), slider.height());
    p.fillRect(QRect(22, trackTop, 260, trackHeight), QColor(GetRValue(trackColour), GetGValue(trackColour), GetBValue(trackColour)));
    ThreeSlice(p, trackBar, QRect(22, trackTop + (trackHeight - trackBar.height()) / 2, 260, trackBar.height()), false);
    p.drawImage(22 + 100, trackTop, slider);
    const QImage progress = Pick(files, style, 43);
    p.fillRect(QRect(22, trackTop + 34, 150, 12), form.darker(105));
    p.setPen(Qt::black);
    p.drawRect(QRect(22, trackTop + 34, 149, 11));
    p.drawImage(QRect(23, trackTop + 35, 80, 10), progress);

    // Tabs over their line.
    const QImage active = Pick(files, style, 70), inactive = Pick(files, style, 71), line = Pick(files, style, 72);
    const int tabTop = trackTop + 62;
    p.drawImage(QRect(23, tabTop + active.height(), 258, line.height()), line);
    ThreeSlice(p, inactive, QRect(22 + 70, tabTop, 70, inactive.height()), true);
    ThreeSlice(p, active, QRect(22, tabTop + 1, 70, active.height()), true);

    // A vertical scroll bar.
    const QImage up = Pick(files, style, 85), down = Pick(files, style, 88), thumb = Pick(files, style, 91);
    const TColor scrollColour = GetThemeColor(style, 84);
    const int sx = 10 + width - up.width() - 20, sy = top + bar + 10;
    p.fillRect(QRect(sx, sy, up.width(), 130), QColor(GetRValue(scrollColour), GetGValue(scrollColour), GetBValue(scrollColour)));
    p.drawImage(sx, sy, up);
    p.drawImage(sx, sy + 130 - down.height(), down);
    const int third = thumb.height() / 3;
    p.drawImage(sx, sy + up.height() + 20, thumb.copy(0, 0, thumb.width(), third));
    p.drawImage(QRect(sx, sy + up.height() + 20 + third, thumb.width(), 30), thumb.copy(0, third, thumb.width(), third));
    p.drawImage(sx, sy + up.height() + 50 + third, thumb.copy(0, 2 * third, thumb.width(), third));
    return bar + bodyHeight;
}

} // namespace

bool WriteContactSheet(const std::vector<SkinPicture> &pictures, const QString &folder, const QString &sheetPath)
{
    Files files;
    for (const SkinPicture &picture : pictures)
        files.insert(picture.Name, QImage(QDir(folder).filePath(picture.Name + QLatin1String(".bmp"))));

    QImage sheet(SheetWidth, 6000, QImage::Format_RGB32);
    sheet.fill(QColor(250, 250, 250));
    QPainter p(&sheet);
    QFont label(QStringLiteral("DejaVu Sans"));
    label.setPixelSize(10);
    QFont heading(QStringLiteral("DejaVu Sans"));
    heading.setPixelSize(18);
    heading.setBold(true);

    int y = 10;
    for (int style = Custom; style <= BlueGlass; ++style) {
        p.setFont(heading);
        p.setPen(Qt::black);
        p.drawText(10, y + 18, style == Custom ? QStringLiteral("Fixed names and class pictures") : QLatin1String(SUI_STYLE_PREFIXES[style]));
        y += 28;
        if (style != Custom)
            y += DrawPreview(p, files, style, y) + 16;
        int x = 10, rowHeight = 0;
        p.setFont(label);
        for (const SkinPicture &picture : pictures) {
            if (picture.Style != style)
                continue;
            const QImage image = files.value(picture.Name);
            const int scale = image.width() > 150 ? 1 : Scale;
            const QSize shown = image.size() * scale;
            const int cell = std::max(shown.width(), 200) + 10;
            if (x + cell > SheetWidth) {
                x = 10;
                y += rowHeight + 8;
                rowHeight = 0;
            }
            p.drawImage(QRect(QPoint(x, y), shown), image);
            QString name = picture.Name;
            if (style != Custom)
                name = name.mid(name.indexOf(QLatin1Char('_')) + 1);
            p.setPen(Qt::darkGray);
            p.drawText(x, y + shown.height() + 11, QStringLiteral("%1 %2x%3").arg(name).arg(image.width()).arg(image.height()));
            x += cell;
            rowHeight = std::max(rowHeight, shown.height() + 14);
        }
        y += rowHeight + 20;
    }
    p.end();
    return sheet.copy(0, 0, SheetWidth, y).save(sheetPath, "PNG");
}
