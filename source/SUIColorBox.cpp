#include "SUIColorBox.h"

#include "Dialogs.h"

namespace {
constexpr char CustomColorCaption[] = "Custom...";

TObject *ColorObject(TColor Color)
{
    return reinterpret_cast<TObject *>(static_cast<intptr_t>(Color));
}

// "clMoneyGreen" reads "Money Green", "cl3DDkShadow" "3 D Dk Shadow".
String PrettyName(const String &Name)
{
    String result = Name.startsWith(QLatin1String("cl")) ? Name.mid(2) : Name;
    for (int i = result.size() - 1; i > 0; --i)
        if (result[i] >= QLatin1Char('A') && result[i] <= QLatin1Char('Z'))
            result.insert(i, QLatin1Char(' '));
    return result;
}
}

TsuiCustomColorBox::TsuiCustomColorBox(TComponent *AOwner) : TsuiCustomComboBox(AOwner)
{
    TCustomComboBox::SetStyle(csOwnerDrawFixed);
    FStyle = cbStandardColors | cbExtendedColors | cbSystemColors;
    FSelectedColor = clBlack;
    FDefaultColorColor = clBlack;
    FNoneColorColor = clBlack;
    PopulateList();
}

void TsuiCustomColorBox::CreateWnd()
{
    TsuiCustomComboBox::CreateWnd();
    if (FNeedToPopulate)
        PopulateList();
}

void TsuiCustomColorBox::SetStyle(TColorBoxStyles Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    SetEnabled(FStyle & (cbStandardColors | cbExtendedColors | cbSystemColors | cbCustomColor));
    PopulateList();
    if (Items()->Count() > 0 && ItemIndex() == -1)
        SetItemIndex(0);
}

TColor TsuiCustomColorBox::Colors(int Index) const
{
    return static_cast<TColor>(reinterpret_cast<intptr_t>(Items()->Objects(Index)));
}

TColor TsuiCustomColorBox::Selected() const
{
    if (!HandleAllocated())
        return FSelectedColor;
    return ItemIndex() == -1 ? NoColorSelected : Colors(ItemIndex());
}

void TsuiCustomColorBox::SetSelected(TColor Value)
{
    if (HandleAllocated()) {
        const int index = Items()->IndexOfObject(ColorObject(Value));
        if (index == -1 && (FStyle & cbCustomColor) && Value != NoColorSelected) {
            Items()->SetObjects(0, ColorObject(Value));
            SetItemIndex(0);
        } else {
            SetItemIndex(index);
        }
    }
    FSelectedColor = Value;
}

void TsuiCustomColorBox::SetDefaultColorColor(TColor Value)
{
    if (Value == FDefaultColorColor)
        return;
    FDefaultColorColor = Value;
    Invalidate();
}

void TsuiCustomColorBox::SetNoneColorColor(TColor Value)
{
    if (Value == FNoneColorColor)
        return;
    FNoneColorColor = Value;
    Invalidate();
}

void TsuiCustomColorBox::PopulateList()
{
    if (!HandleAllocated()) {
        FNeedToPopulate = true;
        return;
    }
    TStrings *items = Items();
    items->BeginUpdate();
    const TColor custom = (FStyle & cbCustomColor) && items->Count() > 0 ? Colors(0) : clBlack;
    // A list not filled yet has nothing selected: the colour asked for
    // before the window existed is the one to select.
    const TColor selected = items->Count() > 0 ? Selected() : FSelectedColor;
    items->Clear();
    GetColorValues([&](const String &Name) {
        TColor color = clBlack;
        IdentToColor(Name, color);
        items->AddObject(FStyle & cbPrettyNames ? PrettyName(Name) : Name, ColorObject(color));
    });
    auto deleteColor = [items](TColor Color) {
        const int index = items->IndexOfObject(ColorObject(Color));
        if (index >= 0)
            items->Delete(index);
    };
    if (!(FStyle & cbIncludeNone))
        deleteColor(clNone);
    if (!(FStyle & cbIncludeDefault))
        deleteColor(clDefault);
    // Each range as the list stands at its step.
    auto deleteRange = [items](int First, int Last) {
        for (int i = std::min(Last, items->Count() - 1); i >= First; --i)
            items->Delete(i);
    };
    if (!(FStyle & cbSystemColors))
        deleteRange(20, items->Count() - 1);
    if (!(FStyle & cbExtendedColors))
        deleteRange(16, 19);
    if (!(FStyle & cbStandardColors))
        deleteRange(0, 15);
    if (FStyle & cbCustomColor)
        items->InsertObject(0, QLatin1String(CustomColorCaption), ColorObject(custom));
    SetSelected(selected);
    items->EndUpdate();
    FNeedToPopulate = false;
}

void TsuiCustomColorBox::DrawItem(int Index, const TRect &Rect, TOwnerDrawState State)
{
    TCanvas *canvas = Canvas();
    canvas->FillRect(Rect);
    if (Index < 0 || Index >= Items()->Count())
        return;
    const TColor background = canvas->Brush()->Color();
    TRect swatch = ::Rect(Rect.Left, Rect.Top, Rect.Left + Rect.Height(), Rect.Bottom);
    InflateRect(swatch, -1, -1);
    TColor color = Colors(Index);
    if (color == clDefault)
        color = FDefaultColorColor;
    else if (color == clNone)
        color = FNoneColorColor;
    const TColor rgb = ColorToRGB(color);
    TColor frame = color;
    if (GetRValue(rgb) > 192 || GetGValue(rgb) > 192 || GetBValue(rgb) > 192)
        frame = clBlack;
    else if (State & odSelected)
        frame = clWhite;
    canvas->Brush()->SetColor(color);
    canvas->Pen()->SetColor(frame);
    canvas->Rectangle(swatch);
    canvas->Brush()->SetColor(background);
    const String text = Items()->Strings(Index);
    TRect textRect = Rect;
    textRect.Left = swatch.Right + 5;
    canvas->TextRect(textRect, textRect.Left, Rect.Top + (Rect.Height() - canvas->TextHeight(text)) / 2, text);
}

void TsuiCustomColorBox::CloseUp()
{
    TsuiCustomComboBox::CloseUp();
    FListSelected = true;
}

void TsuiCustomColorBox::KeyDown(int &Key, TShiftState Shift)
{
    FListSelected = false;
    TsuiCustomComboBox::KeyDown(Key, Shift);
}

void TsuiCustomColorBox::KeyPress(QChar &Key)
{
    TsuiCustomComboBox::KeyPress(Key);
    if ((FStyle & cbCustomColor) && Key == QChar(VK_RETURN) && ItemIndex() == 0) {
        PickCustomColor();
        Key = QChar(0);
    }
}

void TsuiCustomColorBox::Select()
{
    if (FListSelected) {
        FListSelected = false;
        if ((FStyle & cbCustomColor) && ItemIndex() == 0 && !PickCustomColor())
            return;
    }
    TsuiCustomComboBox::Select();
}

bool TsuiCustomColorBox::PickCustomColor()
{
    TColorDialog dialog(nullptr);
    const TColor color = ColorToRGB(Colors(0));
    dialog.SetColor(color);
    dialog.CustomColors()->SetText(QString::asprintf("ColorA=%.8x", static_cast<unsigned>(color)));
    if (!dialog.Execute())
        return false;
    Items()->SetObjects(0, ColorObject(dialog.Color()));
    Invalidate();
    return true;
}
