// Enumeration of the installed font families through Qt's font database.
#include "GraphicsFonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

namespace {
int CharSetOf(const String &Family)
{
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(Family);
    if (systems.contains(QFontDatabase::Symbol) && !systems.contains(QFontDatabase::Latin))
        return SYMBOL_CHARSET;
    if (systems.contains(QFontDatabase::Latin))
        return ANSI_CHARSET;
    if (systems.contains(QFontDatabase::SimplifiedChinese))
        return GB2312_CHARSET;
    return DEFAULT_CHARSET;
}

TLogFont LogFontOf(const String &Family, int Height)
{
    TLogFont font;
    font.lfHeight = -Height;
    font.lfCharSet = CharSetOf(Family);
    font.lfPitchAndFamily = QFontDatabase::isFixedPitch(Family) ? FIXED_PITCH : VARIABLE_PITCH;
    font.lfFaceName = Family;
    return font;
}

// A raster face of PointSize: its characters are PointSize points high.
TTextMetric MetricOf(int PointSize)
{
    const int pixels = (PointSize * ScreenPixelsPerInch() + 36) / 72;
    return {pixels, 0};
}
}

int ScreenPixelsPerInch()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

bool EnumFontFamilies(const String &Family, const TFontEnumProc &Proc)
{
    const QStringList families = Family.isEmpty() ? QFontDatabase::families() : QStringList{Family};
    bool result = true;
    for (const String &family : families) {
        if (!QFontDatabase::families().contains(family, Qt::CaseInsensitive))
            continue;
        if (QFontDatabase::isSmoothlyScalable(family)) {
            result = Proc(LogFontOf(family, 16), MetricOf(12), TRUETYPE_FONTTYPE);
        } else if (Family.isEmpty()) {
            result = Proc(LogFontOf(family, 16), MetricOf(12), RASTER_FONTTYPE);
        } else {
            for (int size : QFontDatabase::pointSizes(family)) {
                const TTextMetric metric = MetricOf(size);
                result = Proc(LogFontOf(family, metric.tmHeight), metric, RASTER_FONTTYPE);
                if (!result)
                    break;
            }
        }
        if (!result)
            break;
    }
    return result;
}
