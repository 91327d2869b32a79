#pragma once
// The framework's graphics: colours, fonts, pens, brushes, the canvas that
// draws by the device-context rules (no antialiasing, right and bottom edges
// excluded, line end points left out), and the graphic classes (bitmaps,
// pictures, icons).
//
// A canvas draws through a QPainter on a QPaintDevice. A canvas over a
// bitmap opens its painter on the bitmap's image the first time it draws and
// keeps it until the bitmap needs its image back. A canvas for a widget is
// bound by its owner while the widget paints, in one of two ways:
//   - canvas->BeginPainting(&painter) ... canvas->EndPainting(): draw through
//     the widget's own painter (the usual way inside paintEvent);
//   - derive from TCanvas and override CreateHandle() to call SetDevice() or
//     BeginPainting() when the canvas is first drawn on; call Release() at
//     the end of the paint event, before the widget stops being paintable.
// Origin and clip belong to the canvas and outlive a binding.
// A device context (HDC) is a TCanvas*: routines that take a DC take one.
#include "Classes.h"
#include "Windows.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QTransform>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QIODevice;
class QPainter;
class QPaintDevice;

// ---------------------------------------------------------------------------
// Colours

// A COLORREF 0x00BBGGRR (low byte red); negative values name system colours.
using TColor = int;

constexpr TColor RGB(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

// System colour indexes and the colours that name them.
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int COLOR_MENUHILIGHT = 29;
constexpr int COLOR_MENUBAR = 30;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index)); }

constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SystemColor(COLOR_MENU);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SystemColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = SystemColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = SystemColor(COLOR_MENUBAR);

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The fixed value of a system colour index (black for an unknown index).
TColor GetSysColor(int index);
// Resolves a system colour to its plain value; plain values pass unchanged.
TColor ColorToRGB(TColor Color);
// Colour names as window descriptions write them ("clBtnFace"). StringToColor
// also takes numbers, decimal or "$" hexadecimal, and raises EConvertError
// for anything else; ColorToString gives the name or "$00BBGGRR".
bool IdentToColor(const String &Ident, TColor &Color);
// Every colour name in table order, without the second names of clSilver
// and clGray: the 16 standard colours, clMoneyGreen, clSkyBlue, clCream,
// clMedGray, then the system colours by name (clDefault and clNone among
// them), 52 in all.
void GetColorValues(const std::function<void(const String &Name)> &Proc);
bool ColorToIdent(TColor Color, String &Ident);
TColor StringToColor(const String &S);
String ColorToString(TColor Color);

// Conversions for the framework's own use; system colours are resolved.
QColor ColorToQColor(TColor Color);
QRgb ColorToQRgb(TColor Color);
TColor QColorToColor(const QColor &Color);
TColor QRgbToColor(QRgb Rgb);

// ---------------------------------------------------------------------------
// Errors

// A picture that cannot be read: a lying header, a truncated file, an
// unknown format.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// A drawing request the object cannot serve (a canvas without a device).
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

// A named resource that the module does not hold.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// The module handle resources are looked up in; the program has one module.
using HINSTANCE = std::uintptr_t;
extern const HINSTANCE HInstance;

// The embedded file ":/skin/NAME.EXTENSION" of a named resource, NAME as
// given or in upper case (the module's names are case-insensitive). An
// unknown name raises EResNotFound "Resource NAME not found".
String FindResourceFile(HINSTANCE Instance, const String &ResName, const String &Extension);

// ---------------------------------------------------------------------------
// Fonts, pens and brushes

constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;
constexpr int SYMBOL_CHARSET = 2;
constexpr int MAC_CHARSET = 77;
constexpr int SHIFTJIS_CHARSET = 128;
constexpr int HANGEUL_CHARSET = 129;
constexpr int JOHAB_CHARSET = 130;
constexpr int GB2312_CHARSET = 134;
constexpr int CHINESEBIG5_CHARSET = 136;
constexpr int GREEK_CHARSET = 161;
constexpr int TURKISH_CHARSET = 162;
constexpr int VIETNAMESE_CHARSET = 163;
constexpr int HEBREW_CHARSET = 177;
constexpr int ARABIC_CHARSET = 178;
constexpr int BALTIC_CHARSET = 186;
constexpr int RUSSIAN_CHARSET = 204;
constexpr int THAI_CHARSET = 222;
constexpr int EASTEUROPE_CHARSET = 238;
constexpr int OEM_CHARSET = 255;

// Character set names as window descriptions write them ("GB2312_CHARSET").
bool IdentToCharset(const String &Ident, int &Charset);
bool CharsetToIdent(int Charset, String &Ident);

// Font styles are bits; a set of them is their sum (fsBold | fsItalic).
enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = int;

// Changes to a graphics object notify its owner through OnChange.
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
};

class TFont : public TGraphicsObject {
public:
    TFont();

    String Name() const { return FName; }
    void SetName(const String &Value);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    // Points at 96 pixels per inch.
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Charset() const { return FCharset; }
    void SetCharset(int Value);

    void Assign(const TPersistent *Source) override;

    // The Qt font for this description, with the face substituted.
    QFont QtFont() const;

private:
    String FName;
    int FHeight;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    int FCharset = DEFAULT_CHARSET;
    mutable std::optional<QFont> FCache;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor };

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);

    void Assign(const TPersistent *Source) override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

class TBitmap;

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    // Setting a colour makes a clear brush solid again.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    // A pattern bitmap fills tiled from the canvas origin, whatever the
    // style. The brush keeps a copy of the pixels; the bitmap stays the
    // caller's.
    TBitmap *Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap *Value);

    void Assign(const TPersistent *Source) override;

    // The Qt brush for this description; Qt::NoBrush for bsClear without a
    // pattern.
    QBrush QtBrush() const;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap *FBitmap = nullptr;
    QImage FPattern;
};

// ---------------------------------------------------------------------------
// Canvas

class TGraphic;

class TCanvas : public TPersistent {
public:
    TCanvas();
    explicit TCanvas(QPaintDevice *Device);
    ~TCanvas() override;
    TCanvas(const TCanvas &) = delete;
    TCanvas &operator=(const TCanvas &) = delete;

    TFont *Font() const { return FFont.get(); }
    void SetFont(const TFont *Value) { FFont->Assign(Value); }
    TPen *Pen() const { return FPen.get(); }
    void SetPen(const TPen *Value) { FPen->Assign(Value); }
    TBrush *Brush() const { return FBrush.get(); }
    void SetBrush(const TBrush *Value) { FBrush->Assign(Value); }

    // Binding to a device (see the top of this file).
    void SetDevice(QPaintDevice *Device);
    QPaintDevice *Device() const { return FDevice; }
    void BeginPainting(QPainter *Painter);
    void EndPainting();
    // Ends the canvas's own painter; the next drawing opens a new one.
    void Release();
    bool HandleAllocated() const { return FPainter != nullptr; }
    // The canvas as a device context, for routines that take an HDC.
    TCanvas *Handle() { return this; }

    // Shapes, with the brush filling and the pen outlining.
    void FillRect(const TRect &Rect);
    void FrameRect(const TRect &Rect);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect &Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect &Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Polygon(const std::vector<TPoint> &Points);
    void DrawFocusRect(const TRect &Rect);

    // Lines: LineTo draws from PenPos and leaves out its end point.
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(const TPoint &Value) { FPenPos = Value; }
    void Polyline(const std::vector<TPoint> &Points);

    // Text in Font; the background is filled with the brush unless the brush
    // is bsClear.
    void TextOut(int X, int Y, const String &Text);
    void TextRect(const TRect &Rect, int X, int Y, const String &Text);
    int TextWidth(const String &Text);
    int TextHeight(const String &Text);
    TSize TextExtent(const String &Text);

    // Graphics: Draw honours the graphic's transparency.
    void Draw(int X, int Y, TGraphic *Graphic);
    void StretchDraw(const TRect &Rect, TGraphic *Graphic);
    // Copies (stretching when the sizes differ) a part of another canvas that
    // draws on an image, such as a bitmap's; a widget's canvas cannot be read
    // and copies nothing.
    void CopyRect(const TRect &Dest, TCanvas *Canvas, const TRect &Source);
    // Draws Source of Image (all of it when Source is null) into Rect,
    // stretched, blending by the image's alpha; for the graphic classes.
    void DrawImage(const TRect &Rect, const QImage &Image, const QRect &Source = QRect());

    // A pixel in logical coordinates; reading gives clNone where the device
    // cannot be read or the point lies outside it.
    TColor Pixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Value);

    // Clipping in logical coordinates. ClipRect is the whole device when no
    // clip is set.
    TRect ClipRect() const;
    void SetClipRect(const TRect &Rect);
    void IntersectClipRect(const TRect &Rect);
    void ResetClip();

    // The viewport origin: device position of logical (0, 0).
    TPoint Origin() const { return FOrigin; }
    void SetOrigin(const TPoint &Value);

    // A stack of origin, clip and pen position (SaveDC / RestoreDC).
    int SaveState();
    void RestoreState(int Level);

    // Fired after every drawing operation.
    TNotifyEvent OnChange;

    // The active painter, opened on first use; nullptr when the device has
    // nothing to draw on (an empty bitmap).
    QPainter *Painter();

protected:
    // Opens a painter when the canvas draws with none open. The default opens
    // one on Device(); a canvas without a device raises
    // EInvalidGraphicOperation.
    virtual void CreateHandle();
    void Changed();

private:
    struct State {
        TPoint Origin;
        std::optional<TRect> Clip; // device coordinates
        TPoint PenPos;
    };
    QPainter *ReadyPainter(bool PenMode);
    void ApplyState();
    QImage *DeviceImage() const;
    void FillBackground(const TRect &Rect);
    void DrawTextLine(int X, int Y, const String &Text);
    void DrawLineSegment(QPainter *P, const TPoint &From, const TPoint &To);

    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    QPaintDevice *FDevice = nullptr;
    QPainter *FPainter = nullptr;
    std::unique_ptr<QPainter> FOwnPainter;
    QTransform FBaseTransform;
    bool FStateDirty = true;
    TPoint FOrigin;
    std::optional<TRect> FClip;
    TPoint FPenPos;
    std::vector<State> FSaved;
};

using HDC = TCanvas *;

// Device-context style helpers over a canvas.
int SaveDC(HDC DC);
bool RestoreDC(HDC DC, int SavedDC);
bool GetViewportOrgEx(HDC DC, TPoint *Point);
bool SetViewportOrgEx(HDC DC, int X, int Y, TPoint *OldPoint);
int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom);

constexpr unsigned SRCCOPY = 0x00CC0020;
bool BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int XSrc, int YSrc, unsigned Rop);

// Formats text in a rectangle by the DT_* flags. "&x" underlines x and "&&"
// is a literal ampersand unless DT_NOPREFIX is given. With DT_CALCRECT the
// rectangle receives the text's extent and nothing is drawn. Returns the
// height of the text.
int DrawText(HDC DC, const String &Text, TRect &Rect, UINT Format);

// ---------------------------------------------------------------------------
// Graphics

class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual int Height() const = 0;
    virtual void SetHeight(int Value) = 0;
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    // The class name written in a picture's stored form ("TBitmap").
    virtual String ClassName() const = 0;

    virtual void LoadFromStream(QIODevice *Stream) = 0;
    virtual void SaveToStream(QIODevice *Stream) const = 0;
    void LoadFromFile(const String &FileName);
    void SaveToFile(const String &FileName) const;

    // Draws the graphic into Rect of the canvas (stretched to its size).
    virtual void Draw(TCanvas *ACanvas, const TRect &Rect) = 0;

    // The graphic's part of a picture's stored form; by default the same as
    // the stream form.
    virtual void ReadData(QIODevice *Stream) { LoadFromStream(Stream); }
    virtual void WriteData(QIODevice *Stream) const { SaveToStream(Stream); }

    TNotifyEvent OnChange;

protected:
    void Changed();
    bool FTransparent = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    bool Empty() const override { return FImage.isNull(); }
    int Width() const override { return FImage.width(); }
    void SetWidth(int Value) override { SetSize(Value, Height()); }
    int Height() const override { return FImage.height(); }
    void SetHeight(int Value) override { SetSize(Width(), Value); }
    // Keeps the pixels that still fit; new pixels are white.
    void SetSize(int AWidth, int AHeight);
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat Value);
    String ClassName() const override { return QStringLiteral("TBitmap"); }

    // tmAuto: the bottom-left pixel; tmFixed: the colour last set.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor Value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);
    void SetTransparent(bool Value) override;

    TCanvas *Canvas() const { return FCanvas.get(); }

    void Assign(const TPersistent *Source) override;

    // BMP files at 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up or
    // top-down, with RLE4/RLE8 compression read. A lying header or short
    // data raises EInvalidGraphic.
    void LoadFromStream(QIODevice *Stream) override;
    void SaveToStream(QIODevice *Stream) const override;
    // Reads the embedded bitmap ":/skin/NAME.bmp"; an unknown name raises
    // EResNotFound.
    void LoadFromResourceName(HINSTANCE Instance, const String &ResName);

    void Draw(TCanvas *ACanvas, const TRect &Rect) override;

    // In a picture's stored form a bitmap is a 32-bit byte count followed by
    // that many bytes of BMP file.
    void ReadData(QIODevice *Stream) override;
    void WriteData(QIODevice *Stream) const override;

    // The pixels as a QImage (RGB32), for the framework's own use.
    const QImage &Image() const;
    // Replaces the pixels (converted to RGB32).
    void SetImage(const QImage &Value);

private:
    void ImageChanged();
    void LoadFromBytes(const QByteArray &Data);
    const QImage &MaskedImage() const;

    QImage FImage;
    TPixelFormat FPixelFormat = pfDevice;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    std::unique_ptr<TCanvas> FCanvas;
    mutable QImage FMasked;
    mutable TColor FMaskedKey = clNone;
    mutable bool FMaskedValid = false;
    mutable bool FKeyPresent = false;
};

// An icon (.ico file); of the sizes a file holds, the one closest to the
// size set before loading is used, the largest when none was set.
class TIcon : public TGraphic {
public:
    bool Empty() const override { return FImage.isNull(); }
    int Width() const override { return FImage.isNull() ? FRequested.cx : FImage.width(); }
    void SetWidth(int Value) override { SetSize(Value, Height()); }
    int Height() const override { return FImage.isNull() ? FRequested.cy : FImage.height(); }
    void SetHeight(int Value) override { SetSize(Width(), Value); }
    // Chooses the size to take from the file; sizes an already loaded icon
    // to it.
    void SetSize(int AWidth, int AHeight);
    bool Transparent() const override { return true; }
    String ClassName() const override { return QStringLiteral("TIcon"); }

    void Assign(const TPersistent *Source) override;
    void LoadFromStream(QIODevice *Stream) override;
    void SaveToStream(QIODevice *Stream) const override;
    // Reads the embedded icon ":/skin/NAME.ico"; an unknown name raises
    // EResNotFound.
    void LoadFromResourceName(HINSTANCE Instance, const String &ResName);

    void Draw(TCanvas *ACanvas, const TRect &Rect) override;

    // The chosen image with its alpha, for the framework's own use.
    const QImage &Image() const { return FImage; }

private:
    void Decode();

    QByteArray FData;
    QImage FImage;
    TSize FRequested;
};

// A picture holds one graphic of any class and notifies changes to it.
class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    TPicture(const TPicture &) = delete;
    TPicture &operator=(const TPicture &) = delete;

    // The graphic, or nullptr. Setting copies the given graphic.
    TGraphic *Graphic() const { return FGraphic.get(); }
    void SetGraphic(const TGraphic *Value);
    // The graphic as a bitmap; a picture holding another kind (or nothing)
    // is given an empty bitmap first.
    TBitmap *Bitmap();
    void SetBitmap(const TBitmap *Value) { SetGraphic(Value); }
    TIcon *Icon();
    void SetIcon(const TIcon *Value) { SetGraphic(Value); }
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    void Assign(const TPersistent *Source) override;
    // By extension: .bmp and .ico.
    void LoadFromFile(const String &FileName);
    void SaveToFile(const String &FileName) const;

    // The stored form: the graphic's class name as one length byte and its
    // characters, then the graphic's data. An empty class name is an empty
    // picture.
    void ReadData(QIODevice *Stream);
    void WriteData(QIODevice *Stream) const;
    void ReadData(const QByteArray &Data);
    QByteArray Data() const;

    TNotifyEvent OnChange;

private:
    void Changed();
    void Take(std::unique_ptr<TGraphic> Graphic);

    std::unique_ptr<TGraphic> FGraphic;
};
