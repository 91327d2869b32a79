#pragma once
// The skinned main menu: never a native menu bar. Once made it detaches
// itself from its form and links itself to the form's skinned form, whose
// menu bar shows its top-level items; every item at any depth is measured
// and drawn by the skin in the colours and heights of the style.
#include "ImgList.h"
#include "Menus.h"
#include "SUIThemes.h"

#include <memory>

class TsuiForm;

class TsuiMainMenu : public TMainMenu {
public:
    // Unlinks the form's native menu and links to the form's skinned form.
    explicit TsuiMainMenu(TComponent *AOwner);
    ~TsuiMainMenu() override;

    // Reads nullptr while the built-in check mark list is in use; setting
    // nullptr brings that list back.
    TCustomImageList *Images() const override;
    void SetImages(TCustomImageList *Value) override;
    // Always owner-drawn.
    bool OwnerDraw() const override { return true; }
    void SetOwnerDraw(bool) override {}

    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    // Both heights stay as the style set them while the style is MacOS.
    int MenuItemHeight() const { return FMenuItemHeight; }
    void SetMenuItemHeight(int Value);
    int SeparatorHeight() const { return FSeparatorHeight; }
    void SetSeparatorHeight(int Value);
    // Plain fields, used at the next drawing of an item.
    int BarWidth() const { return FBarWidth; }
    void SetBarWidth(int Value) { FBarWidth = Value; }
    TColor BarColor() const { return FBarColor; }
    void SetBarColor(TColor Value) { FBarColor = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColor SeparatorColor() const { return FSeparatorColor; }
    void SetSeparatorColor(TColor Value) { FSeparatorColor = Value; }
    TColor SelectedBorderColor() const { return FSelectedBorderColor; }
    void SetSelectedBorderColor(TColor Value) { FSelectedBorderColor = Value; }
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value) { FSelectedColor = Value; }
    TColor SelectedFontColor() const { return FSelectedFontColor; }
    void SetSelectedFontColor(TColor Value) { FSelectedFontColor = Value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { FFontColor = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    bool FlatMenu() const { return FFlatMenu; }
    void SetFlatMenu(bool Value) { FFlatMenu = Value; }
    String FontName() const { return FFontName; }
    void SetFontName(const String &Value) { FFontName = Value; }
    int FontSize() const { return FFontSize; }
    void SetFontSize(int Value) { FFontSize = Value; }
    int FontCharset() const { return FFontCharset; }
    void SetFontCharset(int Value) { FFontCharset = Value; }
    // The desktop's menu font instead of FontName, FontSize and FontCharset;
    // the linked form's menu bar takes the change at once.
    bool UseSystemFont() const { return FUseSystemFont; }
    void SetUseSystemFont(bool Value);

    // The skinned form that shows the menu; set and cleared by that form.
    TsuiForm *FormLink() const { return FFormLink; }
    void SetFormLink(TsuiForm *Value) { FFormLink = Value; }

    // Gives every item, at any depth, the skin's measure and draw handlers;
    // then the linked form rebuilds its menu bar.
    void HookMenuItems();
    void MeasureMenuItem(TObject *Sender, TCanvas *ACanvas, int &Width, int &Height);
    void DrawMenuItem(TObject *Sender, TCanvas *ACanvas, const TRect &ARect, bool Selected);

    void Loaded() override;

protected:
    void MenuChanged(TObject *Sender, TMenuItem *Source, bool Rebuild) override;

private:
    void HookItem(TMenuItem *Item);
    // The user's image list, or nullptr while the check mark list is in use.
    TCustomImageList *UserImages() const;
    bool HasImage(const TMenuItem *Item) const;
    void FillItemBack(TCanvas *ACanvas, const TRect &ARect) const;
    void SetItemFont(TCanvas *ACanvas, const TMenuItem *Item, bool Selected) const;
    bool OwnedByForm() const;

    std::unique_ptr<TImageList> FCheckGlyphs;
    TsuiForm *FFormLink = nullptr;
    TsuiUIStyle FUIStyle = DeepBlue;
    int FMenuItemHeight = 21;
    int FSeparatorHeight = 21;
    int FBarWidth = 0;
    TColor FBarColor = clBtnFace;
    TColor FColor = 0x00FFFFFF;
    TColor FSeparatorColor = 0x00808080;
    TColor FSelectedBorderColor = clHighlight;
    TColor FSelectedColor = clHighlight;
    TColor FSelectedFontColor = 0x00FFFFFF;
    TColor FFontColor = 0x00FFFFFF;
    TColor FBorderColor = 0x00000000;
    bool FFlatMenu = false;
    String FFontName = QStringLiteral("MS Sans Serif");
    int FFontSize = 8;
    int FFontCharset = DEFAULT_CHARSET;
    bool FUseSystemFont = true;
};
