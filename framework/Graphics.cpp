// Colours, fonts, pens and brushes.
#include "Graphics.h"

#include <QFile>
#include <QFontMetrics>

#include <cmath>
#include <mutex>

const HINSTANCE HInstance = 0x00400000;

// Any instance handle names the program's one module.
String FindResourceFile(HINSTANCE, const String &ResName, const String &Extension)
{
    for (const QString &name : {ResName, ResName.toUpper()}) {
        const QString path = QStringLiteral(":/skin/%1.%2").arg(name, Extension);
        if (QFile::exists(path))
            return path;
    }
    throw EResNotFound(QStringLiteral("Resource %1 not found").arg(ResName));
}

// ---------------------------------------------------------------------------
// Colours

TColor GetSysColor(int index)
{
    switch (index) {
    case COLOR_BTNFACE:
    case COLOR_MENUBAR:
        return RGB(236, 233, 216);
    case COLOR_BTNSHADOW:
    case COLOR_GRAYTEXT:
        return RGB(172, 168, 153);
    case COLOR_3DDKSHADOW:
        return RGB(113, 111, 100);
    case COLOR_3DLIGHT:
        return RGB(241, 239, 226);
    case COLOR_BTNHIGHLIGHT:
    case COLOR_WINDOW:
    case COLOR_MENU:
    case COLOR_HIGHLIGHTTEXT:
    case COLOR_CAPTIONTEXT:
        return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT:
    case COLOR_MENUHILIGHT:
        return RGB(49, 106, 197);
    case COLOR_ACTIVECAPTION:
        return RGB(0, 84, 227);
    case COLOR_INACTIVECAPTION:
        return RGB(122, 150, 223);
    case COLOR_INACTIVECAPTIONTEXT:
        return RGB(216, 228, 248);
    case COLOR_GRADIENTACTIVECAPTION:
        return RGB(61, 149, 255);
    case COLOR_GRADIENTINACTIVECAPTION:
        return RGB(157, 185, 235);
    case COLOR_INFOBK:
        return RGB(255, 255, 225);
    case COLOR_SCROLLBAR:
    case COLOR_ACTIVEBORDER:
    case COLOR_INACTIVEBORDER:
        return RGB(212, 208, 200);
    case COLOR_BACKGROUND:
        return RGB(0, 78, 152);
    case COLOR_APPWORKSPACE:
        return RGB(128, 128, 128);
    case COLOR_HOTLIGHT:
        return RGB(0, 0, 128);
    default: // the text and frame colours, and unknown indexes
        return RGB(0, 0, 0);
    }
}

TColor ColorToRGB(TColor Color)
{
    if (Color < 0)
        return GetSysColor(Color & 0xFF);
    return Color;
}

QRgb ColorToQRgb(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

QColor ColorToQColor(TColor Color)
{
    return QColor(ColorToQRgb(Color));
}

TColor QRgbToColor(QRgb Rgb)
{
    return RGB(qRed(Rgb), qGreen(Rgb), qBlue(Rgb));
}

TColor QColorToColor(const QColor &Color)
{
    return QRgbToColor(Color.rgb());
}

// ---------------------------------------------------------------------------
// Graphics objects

void TGraphicsObject::Changed()
{
    if (OnChange)
        OnChange(this);
}

// Multiplies and divides with rounding half away from zero.
static int MulDiv(int number, int numerator, int denominator)
{
    return static_cast<int>(std::lround(static_cast<double>(number) * numerator / denominator));
}

// The faces that window descriptions name are mapped once to installed ones.
static void InstallFontSubstitutions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const QString chinese = QStringLiteral("WenQuanYi Zen Hei");
        const QString sans = QStringLiteral("DejaVu Sans");
        for (const char *face : {"宋体", "新宋体", "SimSun", "NSimSun", "黑体", "SimHei"})
            QFont::insertSubstitution(QString::fromUtf8(face), chinese);
        for (const char *face : {"MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "Tahoma",
                                 "Arial", "Verdana"})
            QFont::insertSubstitution(QString::fromUtf8(face), sans);
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono"));
    });
}

TFont::TFont() : FName(QStringLiteral("MS Sans Serif")), FHeight(-11)
{
    InstallFontSubstitutions();
}

void TFont::SetName(const String &Value)
{
    if (FName == Value)
        return;
    FName = Value;
    FCache.reset();
    Changed();
}

void TFont::SetHeight(int Value)
{
    if (FHeight == Value)
        return;
    FHeight = Value;
    FCache.reset();
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(FHeight, 72, 96);
}

void TFont::SetSize(int Value)
{
    SetHeight(-MulDiv(Value, 96, 72));
}

void TFont::SetStyle(TFontStyles Value)
{
    if (FStyle == Value)
        return;
    FStyle = Value;
    FCache.reset();
    Changed();
}

void TFont::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    Changed();
}

void TFont::SetCharset(int Value)
{
    if (FCharset == Value)
        return;
    FCharset = Value;
    Changed();
}

void TFont::Assign(const TPersistent *Source)
{
    const auto *font = dynamic_cast<const TFont *>(Source);
    if (!font) {
        TPersistent::Assign(Source);
        return;
    }
    FName = font->FName;
    FHeight = font->FHeight;
    FStyle = font->FStyle;
    FColor = font->FColor;
    FCharset = font->FCharset;
    FCache = font->FCache;
    Changed();
}

QFont TFont::QtFont() const
{
    if (FCache)
        return *FCache;
    QFont font(FName);
    font.setBold(FStyle & fsBold);
    font.setItalic(FStyle & fsItalic);
    font.setUnderline(FStyle & fsUnderline);
    font.setStrikeOut(FStyle & fsStrikeOut);
    if (FHeight < 0) {
        font.setPixelSize(-FHeight);
    } else if (FHeight > 0) {
        // A cell height: scale the character height so ascent + descent fit.
        font.setPixelSize(FHeight);
        const int cell = QFontMetrics(font).height();
        if (cell > 0)
            font.setPixelSize(std::max(1, MulDiv(FHeight, FHeight, cell)));
    } else {
        font.setPixelSize(13);
    }
    FCache = font;
    return font;
}

// ---------------------------------------------------------------------------
// Pens and brushes

void TPen::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    Changed();
}

void TPen::SetWidth(int Value)
{
    Value = std::max(1, Value);
    if (FWidth == Value)
        return;
    FWidth = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value)
{
    if (FStyle == Value)
        return;
    FStyle = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value)
{
    if (FMode == Value)
        return;
    FMode = Value;
    Changed();
}

void TPen::Assign(const TPersistent *Source)
{
    const auto *pen = dynamic_cast<const TPen *>(Source);
    if (!pen) {
        TPersistent::Assign(Source);
        return;
    }
    FColor = pen->FColor;
    FWidth = pen->FWidth;
    FStyle = pen->FStyle;
    FMode = pen->FMode;
    Changed();
}

void TBrush::SetColor(TColor Value)
{
    if (FColor == Value && FStyle != bsClear)
        return;
    FColor = Value;
    if (FStyle == bsClear)
        FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (FStyle == Value)
        return;
    FStyle = Value;
    Changed();
}

void TBrush::SetBitmap(TBitmap *Value)
{
    FBitmap = Value;
    FPattern = Value && !Value->Empty() ? Value->Image() : QImage();
    Changed();
}

void TBrush::Assign(const TPersistent *Source)
{
    const auto *brush = dynamic_cast<const TBrush *>(Source);
    if (!brush) {
        TPersistent::Assign(Source);
        return;
    }
    FColor = brush->FColor;
    FStyle = brush->FStyle;
    FBitmap = brush->FBitmap;
    FPattern = brush->FPattern;
    Changed();
}

QBrush TBrush::QtBrush() const
{
    if (!FPattern.isNull())
        return QBrush(FPattern);
    if (FStyle == bsClear)
        return Qt::NoBrush;
    const QColor color = ColorToQColor(FColor);
    switch (FStyle) {
    case bsHorizontal:
        return QBrush(color, Qt::HorPattern);
    case bsVertical:
        return QBrush(color, Qt::VerPattern);
    case bsFDiagonal:
        return QBrush(color, Qt::FDiagPattern);
    case bsBDiagonal:
        return QBrush(color, Qt::BDiagPattern);
    case bsCross:
        return QBrush(color, Qt::CrossPattern);
    case bsDiagCross:
        return QBrush(color, Qt::DiagCrossPattern);
    default:
        return QBrush(color);
    }
}
