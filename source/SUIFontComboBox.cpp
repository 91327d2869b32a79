#include "SUIFontComboBox.h"

#include "SUIResDef.h"

#include <cmath>

namespace {
TObject *TypeObject(int FontType)
{
    return reinterpret_cast<TObject *>(static_cast<intptr_t>(FontType));
}

int ObjectType(TObject *Object)
{
    return static_cast<int>(reinterpret_cast<intptr_t>(Object));
}

constexpr const char *TrueTypeSizes[] = {"8", "9", "10", "11", "12", "14", "16", "18",
                                         "20", "22", "24", "26", "28", "36", "48", "72"};
}

// ---------------------------------------------------------------------------
// TsuiFontDrawComboBox

TsuiFontDrawComboBox::TsuiFontDrawComboBox(TComponent *AOwner) : TsuiCustomComboBox(AOwner)
{
    TCustomComboBox::SetStyle(csDropDownList);
    FDrawStyle = csDropDownList;
}

void TsuiFontDrawComboBox::SetStyle(TComboBoxStyle Value)
{
    if (Value == FDrawStyle)
        return;
    FDrawStyle = Value;
    TCustomComboBox::SetStyle(Value);
}

int TsuiFontDrawComboBox::GetDefaultItemHeight()
{
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->SetFont(Font());
    return std::max(measure.Canvas()->TextHeight(QStringLiteral("0")) + 1, 9);
}

void TsuiFontDrawComboBox::ResetItemHeight()
{
    SetItemHeight(GetDefaultItemHeight());
}

void TsuiFontDrawComboBox::CreateWnd()
{
    TsuiCustomComboBox::CreateWnd();
    ResetItemHeight();
}

void TsuiFontDrawComboBox::CMFontChanged(TMessage &Message)
{
    TsuiCustomComboBox::CMFontChanged(Message);
    ResetItemHeight();
}

// ---------------------------------------------------------------------------
// TsuiFontComboBox

TsuiFontComboBox::TsuiFontComboBox(TComponent *AOwner) : TsuiFontDrawComboBox(AOwner)
{
    FTrueTypeBmp = std::make_unique<TBitmap>();
    FTrueTypeBmp->LoadFromResourceName(HInstance, RES_FONTCOMBO_TRUETYPE_FNT);
    FDeviceBmp = std::make_unique<TBitmap>();
    FDeviceBmp->LoadFromResourceName(HInstance, RES_FONTCOMBO_DEVICE_FNT);
    FDevice = fdScreen;
    SetSorted(true);
    SetItemHeight(GetDefaultItemHeight());
}

TsuiFontComboBox::~TsuiFontComboBox() = default;

int TsuiFontComboBox::GetDefaultItemHeight()
{
    return std::max(TsuiFontDrawComboBox::GetDefaultItemHeight(), FTrueTypeBmp->Height() - 1);
}

void TsuiFontComboBox::CreateWnd()
{
    const String oldName = FontName();
    TsuiFontDrawComboBox::CreateWnd();
    FUpdate = true;
    PopulateFontList();
    TCustomComboBox::SetText(String());
    SetFontName(oldName);
    FUpdate = false;
    if (FontName().compare(oldName, Qt::CaseInsensitive) != 0)
        DoFontChange();
}

void TsuiFontComboBox::Rebuild()
{
    const String oldName = FontName();
    FUpdate = true;
    PopulateFontList();
    SetFontName(oldName);
    FUpdate = false;
    if (FontName().compare(oldName, Qt::CaseInsensitive) != 0)
        DoFontChange();
}

void TsuiFontComboBox::SetDevice(TFontDevice Value)
{
    if (Value == FDevice)
        return;
    FDevice = Value;
    Rebuild();
}

void TsuiFontComboBox::SetOptions(TFontListOptions Value)
{
    if (Value == FOptions)
        return;
    FOptions = Value;
    Rebuild();
}

void TsuiFontComboBox::SetUseFonts(bool Value)
{
    if (Value == FUseFonts)
        return;
    FUseFonts = Value;
    Invalidate();
}

void TsuiFontComboBox::SetFontName(const String &Value)
{
    if (Value == FontName())
        return;
    if (ComponentState() & csLoading) {
        TCustomComboBox::SetText(Value);
        return;
    }
    HandleNeeded();
    const int index = Items()->IndexOf(Value);
    if (index >= 0) {
        SetItemIndex(index);
        DoFontChange();
        return;
    }
    if (FDrawStyle == csDropDownList)
        SetItemIndex(-1);
    else
        TCustomComboBox::SetText(Value);
    DoFontChange();
}

void TsuiFontComboBox::Change()
{
    TsuiFontDrawComboBox::Change();
    if (FDrawStyle == csDropDownList)
        return;
    const int index = Items()->IndexOf(Text());
    if (index >= 0 && index != ItemIndex()) {
        SetItemIndex(index);
        DoFontChange();
    }
}

void TsuiFontComboBox::Click()
{
    TsuiFontDrawComboBox::Click();
    DoFontChange();
}

void TsuiFontComboBox::DoFontChange()
{
    if (!(ComponentState() & csReading) && !FUpdate && OnChange)
        OnChange(this);
}

bool TsuiFontComboBox::Passes(const TLogFont &LogFont, int FontType) const
{
    if ((FOptions & foAnsiOnly) && LogFont.lfCharSet != ANSI_CHARSET)
        return false;
    if ((FOptions & foTrueTypeOnly) && !(FontType & TRUETYPE_FONTTYPE))
        return false;
    if ((FOptions & foFixedPitchOnly) && !(LogFont.lfPitchAndFamily & FIXED_PITCH))
        return false;
    if ((FOptions & foOEMFontsOnly) && LogFont.lfCharSet != OEM_CHARSET)
        return false;
    if ((FOptions & foNoOEMFonts) && LogFont.lfCharSet == OEM_CHARSET)
        return false;
    if ((FOptions & foNoSymbolFonts) && LogFont.lfCharSet == SYMBOL_CHARSET)
        return false;
    if ((FOptions & foScalableOnly) && (FontType & RASTER_FONTTYPE))
        return false;
    return true;
}

void TsuiFontComboBox::PopulateFontList()
{
    if (!HandleAllocated())
        return;
    TStrings *items = Items();
    items->BeginUpdate();
    items->Clear();
    // A drop-down list shows only items: its text goes with them.
    if (FDrawStyle == csDropDownList)
        TCustomComboBox::SetText(String());
    // The system has no printer, so fdPrinter adds nothing.
    if (FDevice == fdScreen || FDevice == fdBoth)
        EnumFontFamilies(String(), [&](const TLogFont &LogFont, const TTextMetric &, int FontType) {
            if (items->IndexOf(LogFont.lfFaceName) < 0 && Passes(LogFont, FontType))
                items->AddObject(LogFont.lfFaceName,
                                 TypeObject(FontType | (LogFont.lfCharSet != SYMBOL_CHARSET ? FontTypeNotSymbol : 0)));
            return true;
        });
    items->EndUpdate();
}

void TsuiFontComboBox::DrawItem(int Index, const TRect &Rect, TOwnerDrawState)
{
    TCanvas *canvas = Canvas();
    canvas->FillRect(Rect);
    if (Index < 0 || Index >= Items()->Count())
        return;
    const int type = ObjectType(Items()->Objects(Index));
    TBitmap *glyph = nullptr;
    if (type & TRUETYPE_FONTTYPE)
        glyph = FTrueTypeBmp.get();
    else if (type & DEVICE_FONTTYPE)
        glyph = FDeviceBmp.get();
    if (glyph) {
        glyph->SetTransparent(true);
        canvas->Draw(Rect.Left + 2, (Rect.Top + Rect.Bottom - glyph->Height()) / 2, glyph);
    }
    TRect text = Rect;
    text.Left = Rect.Left + (glyph ? glyph->Width() : 20) + 6;
    const String name = Items()->Strings(Index);
    if (FUseFonts && (type & FontTypeNotSymbol))
        canvas->Font()->SetName(name);
    canvas->Brush()->SetStyle(bsClear);
    DrawText(canvas, name, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// ---------------------------------------------------------------------------
// TsuiFontSizeComboBox

TsuiFontSizeComboBox::TsuiFontSizeComboBox(TComponent *AOwner) : TsuiCustomComboBox(AOwner)
{
    TCustomComboBox::SetStyle(csDropDownList);
}

void TsuiFontSizeComboBox::SetFontName(const String &Value)
{
    FFontName = Value;
    PopulateSizeList();
}

bool AddFontSizes(TStrings *Sizes, const TTextMetric &Metric, int FontType, int PixelsPerInch)
{
    if (FontType & TRUETYPE_FONTTYPE) {
        for (const char *size : TrueTypeSizes)
            Sizes->Add(QLatin1String(size));
        return false;
    }
    // Rounded to the nearest point, halves to even.
    const long size = std::lrint(double(Metric.tmHeight - Metric.tmInternalLeading) * 72 / PixelsPerInch);
    int at = 0;
    while (at < Sizes->Count() && Sizes->Strings(at).toLong() < size)
        ++at;
    if (at == Sizes->Count() || Sizes->Strings(at).toLong() != size)
        Sizes->Insert(at, QString::number(size));
    return true;
}

void TsuiFontSizeComboBox::PopulateSizeList()
{
    TStrings *items = Items();
    items->BeginUpdate();
    items->Clear();
    if (!FFontName.isEmpty()) {
        FPixelsPerInch = ScreenPixelsPerInch();
        EnumFontFamilies(FFontName, [&](const TLogFont &, const TTextMetric &Metric, int FontType) {
            return AddFontSizes(items, Metric, FontType, FPixelsPerInch);
        });
    }
    // Reselect the size shown without reporting it as a click, then report
    // it once.
    const TNotifyEvent onClick = std::move(OnClick);
    OnClick = nullptr;
    SetItemIndex(items->IndexOf(Text()));
    OnClick = onClick;
    items->EndUpdate();
    if (OnClick)
        OnClick(this);
}
