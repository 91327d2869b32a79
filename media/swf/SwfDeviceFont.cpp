#include "SwfDeviceFont.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <memory>

namespace swf {

namespace {

// Glyphs are measured at this pixel size and scaled to the EM square.
constexpr double kDesignSize = 256;
// The name lookups remembered; beyond this the memory is cleared, so movies
// naming ever new faces cannot make it grow.
constexpr int kMaxRememberedNames = 256;
// Glyph outlines remembered per face, enough for a lesson's Chinese text.
constexpr int kMaxRememberedOutlines = 4096;

const QString kSans = QStringLiteral("Nimbus Sans");
const QString kSerif = QStringLiteral("Nimbus Roman");
const QString kMono = QStringLiteral("Nimbus Mono PS");
const QString kChinese = QStringLiteral("WenQuanYi Zen Hei");

bool installed(const QString &family)
{
    static const QStringList families = QFontDatabase::families();
    return families.contains(family, Qt::CaseInsensitive);
}

// The installed family that draws `name`.
QString familyFor(const QString &name)
{
    static const QHash<QString, QString> aliases{
        {QStringLiteral("_sans"), kSans},
        {QStringLiteral("arial"), kSans},
        {QStringLiteral("helvetica"), kSans},
        {QStringLiteral("_serif"), kSerif},
        {QStringLiteral("times new roman"), kSerif},
        {QStringLiteral("times"), kSerif},
        {QStringLiteral("_typewriter"), kMono},
        {QStringLiteral("courier new"), kMono},
        {QStringLiteral("courier"), kMono},
        {QString::fromUtf8("宋体"), kChinese},
        {QString::fromUtf8("新宋体"), kChinese},
        {QString::fromUtf8("黑体"), kChinese},
        {QString::fromUtf8("楷体"), kChinese},
        {QString::fromUtf8("楷体_gb2312"), kChinese},
        {QString::fromUtf8("微软雅黑"), kChinese},
        {QStringLiteral("simsun"), kChinese},
        {QStringLiteral("nsimsun"), kChinese},
        {QStringLiteral("simhei"), kChinese},
        {QStringLiteral("microsoft yahei"), kChinese},
    };
    QString key = name.trimmed().toLower();
    QString family = aliases.value(key);
    if (family.isEmpty())
        family = installed(name.trimmed()) ? name.trimmed() : kSerif;
    // Without the metric-compatible faces, the common free ones.
    if (!installed(family)) {
        if (family == kSans)
            family = QStringLiteral("DejaVu Sans");
        else if (family == kMono)
            family = QStringLiteral("DejaVu Sans Mono");
        else if (family != kChinese)
            family = QStringLiteral("DejaVu Serif");
    }
    return family;
}

}

DeviceFont::DeviceFont(const QString &family, bool bold, bool italic)
{
    QFont font;
    font.setFamilies({family});
    font.setPixelSize(int(kDesignSize));
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::NoFontMerging);
    raw = QRawFont::fromFont(font);
}

double DeviceFont::ascent() const
{
    return raw.ascent() / kDesignSize;
}

double DeviceFont::descent() const
{
    return raw.descent() / kDesignSize;
}

quint32 DeviceFont::glyph(char32_t code) const
{
    QList<quint32> glyphs = raw.glyphIndexesForString(QString::fromUcs4(&code, 1));
    return glyphs.isEmpty() ? 0 : glyphs.front();
}

bool DeviceFont::hasGlyph(char32_t code) const
{
    return raw.isValid() && raw.supportsCharacter(uint(code));
}

double DeviceFont::advance(char32_t code) const
{
    QList<QPointF> advances = raw.advancesForGlyphIndexes(QList<quint32>{glyph(code)});
    return advances.isEmpty() ? 0 : advances.front().x() / kDesignSize;
}

QPainterPath DeviceFont::outline(char32_t code) const
{
    auto known = outlines.constFind(code);
    if (known != outlines.constEnd())
        return *known;
    if (outlines.size() >= kMaxRememberedOutlines)
        outlines.clear();
    QPainterPath path = QTransform::fromScale(1 / kDesignSize, 1 / kDesignSize).map(raw.pathForGlyph(glyph(code)));
    outlines.insert(code, path);
    return path;
}

const DeviceFont &deviceFont(const QString &name, bool bold, bool italic)
{
    static QHash<QString, std::shared_ptr<DeviceFont>> faces; // by family and style: bounded by what is installed
    static QHash<QString, QString> families; // by name as asked
    if (families.size() > kMaxRememberedNames)
        families.clear();
    auto known = families.constFind(name);
    QString family = known != families.constEnd() ? *known : families.insert(name, familyFor(name)).value();
    QString key = family + QLatin1Char('/') + QLatin1Char(bold ? 'b' : '-') + QLatin1Char(italic ? 'i' : '-');
    std::shared_ptr<DeviceFont> &face = faces[key];
    if (!face)
        face = std::make_shared<DeviceFont>(family, bold, italic);
    return *face;
}

const DeviceFont &fallbackFont()
{
    return deviceFont(kChinese, false, false);
}

}
