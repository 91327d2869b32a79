#pragma once
// Menus: a tree of menu items under a main menu (a form's menu bar) or a
// pop-up menu, keyboard shortcuts, and the drop-down windows that show the
// items of a menu.
//
// Drawing. A menu is owner-drawn when OwnerDraw is set or Images is assigned:
// each item is then measured through OnMeasureItem and drawn through
// OnAdvancedDrawItem or OnDrawItem on the drop-down window's canvas, in
// client coordinates (TControlCanvas::Control() is the drop-down window). An
// item without these handlers, and every item of a menu that is not
// owner-drawn, is drawn in the framework's plain look.
//
// Choosing. A drop-down runs without blocking its caller: Popup and
// DropDownMenu return once the window is shown. The chosen item's Click
// runs from the event loop after every drop-down window has closed.
#include "Classes.h"
#include "Graphics.h"
#include "Messages.h"

#include <functional>
#include <memory>
#include <vector>

class TCustomImageList;
class TMenu;
class TMenuItem;

// ---------------------------------------------------------------------------
// Shortcuts: a virtual-key code with modifier bits.

using TShortCut = unsigned short;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(int Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, int &Key, TShiftState &Shift);
// "Ctrl+O", "Shift+Del", "F5"; an empty text for none or an unknown key.
String ShortCutToText(TShortCut ShortCut);
// The reverse, modifier names and key names case-insensitive; 0 for a text
// that names no key.
TShortCut TextToShortCut(const String &Text);
// The shortcut of a WM_KEYDOWN / WM_SYSKEYDOWN message with the modifiers
// held now.
TShortCut ShortCutFromMessage(const TMessage &Message);

// The letter marked with '&' in a caption ("&&" is a plain ampersand), upper
// case; a null character when there is none.
QChar GetHotkey(const String &Caption);
// The caption without its '&' marks ("&&" stays one ampersand).
String StripHotkey(const String &Caption);

// The desktop's menu font, in clMenuText.
void GetMenuFont(TFont *Font);

// ---------------------------------------------------------------------------
// Items

enum TMenuAutoFlag { maAutomatic, maManual, maParent };

using TMenuMeasureItemEvent = std::function<void(TObject *Sender, TCanvas *ACanvas, int &Width, int &Height)>;
using TMenuDrawItemEvent = std::function<void(TObject *Sender, TCanvas *ACanvas, const TRect &ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject *Sender, TCanvas *ACanvas, const TRect &ARect, TOwnerDrawState State)>;
// Rebuild: items were added, removed or moved (not only changed).
using TMenuChangeEvent = std::function<void(TObject *Sender, TMenuItem *Source, bool Rebuild)>;

// An item's sub-items are its own: freeing an item frees them. An item is
// also a component of its owner (the form that describes it); whichever goes
// first takes it out of the other.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent *AOwner);
    ~TMenuItem() override;

    // The tree.
    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EListError outside 0 .. Count - 1.
    TMenuItem *Items(int Index) const;
    TMenuItem *Parent() const { return FParent; }
    int MenuIndex() const;
    int IndexOf(const TMenuItem *Item) const;
    // Add and Insert take an item without a parent (EMenuError otherwise).
    void Add(TMenuItem *Item);
    void Insert(int Index, TMenuItem *Item);
    // Takes the item out of the tree without freeing it.
    void Delete(int Index);
    void Remove(TMenuItem *Item);
    // Frees every sub-item.
    void Clear();
    // The sub-item with this caption, '&' marks ignored.
    TMenuItem *Find(const String &ACaption) const;
    // The menu the tree belongs to, or nullptr.
    TMenu *GetParentMenu() const;

    String Caption() const { return FCaption; }
    void SetCaption(const String &Value);
    // A separator: the caption "-".
    bool IsLine() const { return FCaption == QStringLiteral("-"); }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the other radio items of its group.
    void SetChecked(bool Value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    String Hint() const { return FHint; }
    void SetHint(const String &Value) { FHint = Value; }

    // Runs the command: toggles an AutoCheck item, then OnClick.
    virtual void Click();

    // What a drop-down calls: the size of the item and its drawing. The
    // owner-drawn forms call the handlers; the plain ones the default look.
    void MeasureItem(TCanvas *ACanvas, int &Width, int &Height);
    void DrawItem(TCanvas *ACanvas, const TRect &ARect, TOwnerDrawState State);

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

    // A token that lives as long as the item; deferred work holds a weak one.
    std::weak_ptr<int> LifeToken() const { return FLifeToken; }

protected:
    // Tells the menu about a change; Rebuild for changes of the tree.
    void MenuChanged(bool Rebuild);

private:
    friend class TMenu;
    void DefaultMeasure(TCanvas *ACanvas, int &Width, int &Height);
    void DefaultDraw(TCanvas *ACanvas, const TRect &ARect, TOwnerDrawState State);
    void TurnSiblingsOff();
    void Changed(TMenuItem *Source, bool Rebuild);

    TMenuItem *FParent = nullptr;
    TMenu *FMenu = nullptr; // set on the root item only
    std::vector<TMenuItem *> FItems;
    String FCaption;
    bool FEnabled = true;
    bool FChecked = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    bool FAutoCheck = false;
    bool FDefault = false;
    bool FVisible = true;
    int FImageIndex = -1;
    TShortCut FShortCut = 0;
    String FHint;
    std::shared_ptr<int> FLifeToken = std::make_shared<int>(0);
};

class EMenuError : public Exception {
public:
    using Exception::Exception;
};

// ---------------------------------------------------------------------------
// Menus

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent *AOwner);
    ~TMenu() override;

    // The root item; the menu's entries are its sub-items.
    TMenuItem *Items() const { return FItems.get(); }
    virtual TCustomImageList *Images() const { return FImages; }
    virtual void SetImages(TCustomImageList *Value);
    virtual bool OwnerDraw() const { return FOwnerDraw; }
    virtual void SetOwnerDraw(bool Value);
    // Items are measured and drawn through their handlers.
    bool IsOwnerDraw() const { return FOwnerDraw || FImages != nullptr; }
    TMenuAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
    void SetAutoHotkeys(TMenuAutoFlag Value);

    // The enabled, visible item with this shortcut; nullptr when there is
    // none (items under a disabled or hidden parent do not count).
    TMenuItem *FindItemByShortCut(TShortCut ShortCut) const;
    // Runs the item a key message (WM_KEYDOWN, WM_SYSKEYDOWN or their CN_
    // forms) is the shortcut of; true when there was one.
    virtual bool IsShortCut(TMessage &Message);

    // Called after every change of an item (and by the menu itself).
    TMenuChangeEvent OnChange;

protected:
    // The items changed; the default calls OnChange.
    virtual void MenuChanged(TObject *Sender, TMenuItem *Source, bool Rebuild);
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    friend class TMenuItem;
    std::unique_ptr<TMenuItem> FItems;
    TCustomImageList *FImages = nullptr;
    bool FOwnerDraw = false;
    TMenuAutoFlag FAutoHotkeys = maAutomatic;
};

class TCustomForm;

// A form's menu bar. Assigned to a form (TCustomForm::SetMenu) it shows its
// entries as the menu buttons of a flat tool bar at the top of the form; its
// shortcuts work while the form is active. A menu shows on one form at a time.
class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
    ~TMainMenu() override;

    // The form whose bar shows the menu, or nullptr.
    TCustomForm *WindowForm() const { return FForm; }

protected:
    void MenuChanged(TObject *Sender, TMenuItem *Source, bool Rebuild) override;
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    friend void UpdateFormMenuBar(TCustomForm *Form);
    TCustomForm *FForm = nullptr;
};

// Shows Form's Menu in its menu bar, making or removing the bar; the form
// calls it whenever its Menu changes.
void UpdateFormMenuBar(TCustomForm *Form);

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent *AOwner);

    // Drops the menu with its top-left corner at the screen point (moved to
    // stay on the screen); OnPopup runs first.
    virtual void Popup(int X, int Y);
    TComponent *PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent *Value) { FPopupComponent = Value; }
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }

    TNotifyEvent OnPopup;

private:
    TComponent *FPopupComponent = nullptr;
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
};
