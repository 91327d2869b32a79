#include "SUIMainMenu.h"

#include "Controls.h"
#include "Forms.h"
#include "SUIForm.h"
#include "SUIMenu.h"

TsuiMainMenu::TsuiMainMenu(TComponent *AOwner) : TMainMenu(AOwner), FCheckGlyphs(std::make_unique<TImageList>())
{
    TBitmap check;
    check.LoadFromResourceName(HInstance, GetThemeString(MacOS, 23));
    check.SetTransparent(true);
    FCheckGlyphs->AddMasked(&check, 0x00FFFFFF);
    // With an image list the framework always treats the menu as owner-drawn.
    TMenu::SetImages(FCheckGlyphs.get());
    SetUIStyle(GetContainerUIStyle(AOwner));

    // Linking: the form shows no native menu; its skinned form shows this one.
    auto *form = dynamic_cast<TCustomForm *>(AOwner);
    if (!form)
        return;
    form->SetMenu(nullptr);
    for (int i = 0; i < form->ControlCount(); ++i)
        if (auto *skin = dynamic_cast<TsuiForm *>(form->Controls(i))) {
            skin->SetMenu(this);
            break;
        }
}

TsuiMainMenu::~TsuiMainMenu()
{
    Destroying();
    if (TMenu::Images() == FCheckGlyphs.get())
        TMenu::SetImages(nullptr);
}

TCustomImageList *TsuiMainMenu::Images() const
{
    return UserImages();
}

void TsuiMainMenu::SetImages(TCustomImageList *Value)
{
    if (ComponentState() & csDestroying)
        Value = nullptr;
    else if (!Value)
        Value = FCheckGlyphs.get();
    TMenu::SetImages(Value);
}

TCustomImageList *TsuiMainMenu::UserImages() const
{
    TCustomImageList *images = TMenu::Images();
    return images == FCheckGlyphs.get() ? nullptr : images;
}

void TsuiMainMenu::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    if (Value == Custom)
        return;
    // Written directly: the MacOS lock of the height setters does not apply.
    FMenuItemHeight = GetThemeInteger(Value, 20);
    FSeparatorHeight = GetThemeInteger(Value, 21);
    FBarColor = GetThemeColor(Value, 17);
    FBarWidth = GetThemeInteger(Value, 22);
    FColor = GetThemeColor(Value, 15);
    FSeparatorColor = GetThemeColor(Value, 18);
    FSelectedBorderColor = GetThemeColor(Value, 11);
    FSelectedColor = GetThemeColor(Value, 12);
    FSelectedFontColor = GetThemeColor(Value, 13);
    FFontColor = GetThemeColor(Value, 16);
    FBorderColor = GetThemeColor(Value, 2);
}

void TsuiMainMenu::SetMenuItemHeight(int Value)
{
    if (FUIStyle != MacOS)
        FMenuItemHeight = Value;
}

void TsuiMainMenu::SetSeparatorHeight(int Value)
{
    if (FUIStyle != MacOS)
        FSeparatorHeight = Value;
}

void TsuiMainMenu::SetUseSystemFont(bool Value)
{
    FUseSystemFont = Value;
    if (FFormLink)
        FFormLink->UpdateMenuBarFont();
}

void TsuiMainMenu::Loaded()
{
    TMainMenu::Loaded();
    HookMenuItems();
}

void TsuiMainMenu::HookItem(TMenuItem *Item)
{
    Item->OnMeasureItem = [this](TObject *Sender, TCanvas *ACanvas, int &Width, int &Height) {
        MeasureMenuItem(Sender, ACanvas, Width, Height);
    };
    Item->OnDrawItem = [this](TObject *Sender, TCanvas *ACanvas, const TRect &ARect, bool Selected) {
        DrawMenuItem(Sender, ACanvas, ARect, Selected);
    };
    for (int i = 0; i < Item->Count(); ++i)
        HookItem(Item->Items(i));
}

void TsuiMainMenu::HookMenuItems()
{
    for (int i = 0; i < Items()->Count(); ++i)
        HookItem(Items()->Items(i));
    if (FFormLink)
        FFormLink->RebuildMenuBar();
}

bool TsuiMainMenu::OwnedByForm() const
{
    return dynamic_cast<TCustomForm *>(Owner()) != nullptr;
}

void TsuiMainMenu::MenuChanged(TObject *Sender, TMenuItem *Source, bool Rebuild)
{
    TMainMenu::MenuChanged(Sender, Source, Rebuild);
    if ((ComponentState() & csDestroying) || !OwnedByForm() || !FFormLink)
        return;
    // Items added or moved once the menu is in use are skinned like the
    // others, and the bar shows the new top level.
    if (Rebuild && !(ComponentState() & csLoading))
        HookMenuItems();
    else
        FFormLink->RefreshMenuBar();
}

void TsuiMainMenu::MeasureMenuItem(TObject *Sender, TCanvas *ACanvas, int &Width, int &Height)
{
    auto *item = static_cast<TMenuItem *>(Sender);
    Height = item->IsLine() ? FSeparatorHeight : FMenuItemHeight;
    Width = ACanvas->TextWidth(item->Caption()) + ACanvas->TextWidth(ShortCutToText(item->ShortCut())) + FBarWidth + 40;
}

bool TsuiMainMenu::HasImage(const TMenuItem *Item) const
{
    const TCustomImageList *images = UserImages();
    return Item->ImageIndex() != -1 && images && Item->ImageIndex() < images->Count();
}

void TsuiMainMenu::FillItemBack(TCanvas *ACanvas, const TRect &ARect) const
{
    if (FUIStyle == MacOS) {
        DrawMacMenuItemBack(ACanvas, ARect);
        return;
    }
    if (FBarWidth > 0)
        FillMenuRect(ACanvas, Rect(ARect.Left, ARect.Top, ARect.Left + FBarWidth, ARect.Bottom), FBarColor);
    FillMenuRect(ACanvas, Rect(ARect.Left + FBarWidth, ARect.Top, ARect.Right, ARect.Bottom), FColor);
}

void TsuiMainMenu::SetItemFont(TCanvas *ACanvas, const TMenuItem *Item, bool Selected) const
{
    TFont *font = ACanvas->Font();
    if (FUseSystemFont)
        GetSystemMenuFont(font);
    else {
        font->SetName(FFontName);
        font->SetSize(FFontSize);
        font->SetCharset(FFontCharset);
    }
    ACanvas->Brush()->SetStyle(bsClear);
    font->SetColor(!Item->Enabled() ? 0x00808080 : Selected ? FSelectedFontColor : FFontColor);
    if (Item->Default())
        font->SetStyle(font->Style() | fsBold);
}

void TsuiMainMenu::DrawMenuItem(TObject *Sender, TCanvas *ACanvas, const TRect &ARect, bool Selected)
{
    auto *item = static_cast<TMenuItem *>(Sender);
    const TRect &R = ARect;
    // 1. The drop-down window's own flat frame.
    if (FFlatMenu)
        if (auto *dc = dynamic_cast<TControlCanvas *>(ACanvas))
            if (auto *window = dynamic_cast<TWinControl *>(dc->Control()))
                DrawFlatMenuFrame(window->Handle(), FBorderColor, GetThemeColor(FUIStyle, 3));
    // 2. Separator.
    if (item->IsLine()) {
        if (FUIStyle == MacOS)
            DrawMacMenuSeparator(ACanvas, R);
        else {
            FillItemBack(ACanvas, R);
            DrawSeparatorLine(ACanvas, R, FSeparatorColor, FBarWidth);
        }
        return;
    }
    // 3. Background; a disabled item is never highlighted.
    if (Selected && item->Enabled()) {
        if (FUIStyle == MacOS)
            DrawMacMenuSelect(ACanvas, R);
        else {
            FillMenuRect(ACanvas, R, FSelectedColor);
            FrameMenuRect(ACanvas, R, FSelectedBorderColor);
        }
    } else
        FillItemBack(ACanvas, R);
    // 4. Font.
    SetItemFont(ACanvas, item, Selected);
    // 5. Caption.
    TRect text = Rect(R.Left + FBarWidth + 4, R.Top + 4, R.Right, R.Bottom);
    DrawText(ACanvas, item->Caption(), text, DT_SINGLELINE);
    // 6. Shortcut.
    const String shortcut = ShortCutToText(item->ShortCut());
    if (!shortcut.isEmpty())
        ACanvas->TextOut(R.Right - ACanvas->TextWidth(shortcut) - 16, R.Top + 4, shortcut);
    // 7. Check mark: a filled square under the image, or the check glyph.
    const bool image = HasImage(item);
    if (item->Checked()) {
        if (image) {
            FrameMenuRect(ACanvas, Rect(R.Left + 2, R.Top + 1, R.Left + 21, R.Top + 20), clBlack);
            FillMenuRect(ACanvas, Rect(R.Left + 3, R.Top + 2, R.Left + 20, R.Top + 19), FSelectedColor);
        } else
            FCheckGlyphs->Draw(ACanvas, R.Left + 4, R.Top + 3, 0, item->Enabled());
    }
    // 8. Image.
    if (image)
        UserImages()->Draw(ACanvas, R.Left + 4, R.Top + 3, item->ImageIndex(), item->Enabled());
}
