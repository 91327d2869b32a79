#pragma once
// Font combo boxes: TsuiFontComboBox lists the installed font families,
// filtered by options, each with a TrueType or device glyph and optionally
// drawn in its own face; TsuiFontSizeComboBox lists the point sizes of one
// family. TsuiFontDrawComboBox is their owner-drawn base.
#include "GraphicsFonts.h"
#include "SUIComboBox.h"

#include <memory>

// The list styles a font combo box can take (csDropDown .. csDropDownList).
using TFontDrawComboStyle = TComboBoxStyle;

enum TFontDevice : uint8_t { fdScreen, fdPrinter, fdBoth };

enum TFontListOption : unsigned {
    foAnsiOnly = 0x01,
    foTrueTypeOnly = 0x02,
    foFixedPitchOnly = 0x04,
    foNoOEMFonts = 0x08,
    foOEMFontsOnly = 0x10,
    foScalableOnly = 0x20,
    foNoSymbolFonts = 0x40,
};
using TFontListOptions = unsigned;

// Added to an item's font type when its character set is not the symbol set.
constexpr int FontTypeNotSymbol = 0x100;

class TsuiFontDrawComboBox : public TsuiCustomComboBox {
public:
    explicit TsuiFontDrawComboBox(TComponent *AOwner);

    // The list style; the framework style follows it.
    void SetStyle(TComboBoxStyle Value) override;

protected:
    // Every item is owner-drawn, whatever the list style.
    bool OwnerDraw() const override { return true; }
    void CreateWnd() override;
    void CMFontChanged(TMessage &Message) override;
    // The screen height of Font plus one, at least 9.
    virtual int GetDefaultItemHeight();
    void ResetItemHeight();

    TFontDrawComboStyle FDrawStyle = csDropDownList;
};

class TsuiFontComboBox : public TsuiFontDrawComboBox {
public:
    explicit TsuiFontComboBox(TComponent *AOwner);
    ~TsuiFontComboBox() override;

    TFontDevice Device() const { return FDevice; }
    void SetDevice(TFontDevice Value);
    TFontListOptions Options() const { return FOptions; }
    void SetOptions(TFontListOptions Value);
    bool UseFonts() const { return FUseFonts; }
    void SetUseFonts(bool Value);
    // The control's text.
    String FontName() const { return Text(); }
    void SetFontName(const String &Value);
    // Refills the list keeping the chosen name (the installed fonts changed).
    void Rebuild();

    // After the chosen font changed (the framework's OnChange is not used).
    TNotifyEvent OnChange;

    void Click() override;

protected:
    void CreateWnd() override;
    void Change() override;
    void DrawItem(int Index, const TRect &Rect, TOwnerDrawState State) override;
    int GetDefaultItemHeight() override;
    void PopulateFontList();
    void DoFontChange();

private:
    // Whether a family passes every chosen option.
    bool Passes(const TLogFont &LogFont, int FontType) const;

    std::unique_ptr<TBitmap> FTrueTypeBmp;
    std::unique_ptr<TBitmap> FDeviceBmp;
    TFontDevice FDevice = fdScreen;
    bool FUpdate = false;
    bool FUseFonts = false;
    TFontListOptions FOptions = 0;
};

class TsuiFontSizeComboBox : public TsuiCustomComboBox {
public:
    explicit TsuiFontSizeComboBox(TComponent *AOwner);

    String FontName() const { return FFontName; }
    void SetFontName(const String &Value);

protected:
    void PopulateSizeList();

private:
    int FPixelsPerInch = 96;
    String FFontName;
};

// One report of a family's enumeration into a size list: a TrueType family
// gives the standard sizes and ends the enumeration (false); a raster one its
// point size, kept in ascending order without repeats.
bool AddFontSizes(TStrings *Sizes, const TTextMetric &Metric, int FontType, int PixelsPerInch);
