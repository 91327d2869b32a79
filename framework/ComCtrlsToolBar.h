#pragma once
// Tool bars: a row (or, when wrapping, rows) of tool buttons laid out left to
// right. The tool bar draws its buttons itself, flat or raised, and lets the
// program draw the background and each button through custom-draw events. A
// button bound to a menu item drops the item's sub-menu under itself; while
// one is dropped, moving the pointer to another such button drops that one
// instead, and Left / Right move between them.
#include "Controls.h"

#include <vector>

class TCustomImageList;
class TMenuItem;
class TPopupMenu;
class TToolBar;

enum TEdgeBorder : unsigned { ebLeft = 1, ebTop = 2, ebRight = 4, ebBottom = 8 };
using TEdgeBorders = unsigned;
enum TEdgeStyle { esNone, esRaised, esLowered };

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

// The state a button is drawn in.
enum TCustomDrawStateFlag : unsigned {
    cdsSelected = 0x1,  // pressed, or its menu is dropped
    cdsGrayed = 0x2,
    cdsDisabled = 0x4,
    cdsChecked = 0x8,   // down
    cdsFocused = 0x10,
    cdsDefault = 0x20,
    cdsHot = 0x40,      // under the pointer
    cdsMarked = 0x80,
    cdsIndeterminate = 0x100,
};
using TCustomDrawState = unsigned;

using TToolBarCustomDrawEvent = std::function<void(TToolBar *Sender, const TRect &ARect, bool &DefaultDraw)>;
using TToolBarCustomDrawButtonEvent =
    std::function<void(TToolBar *Sender, class TToolButton *Button, TCustomDrawState State, bool &DefaultDraw)>;

class TToolButton : public TGraphicControl {
public:
    explicit TToolButton(TComponent *AOwner);
    ~TToolButton() override;

    TToolBar *ToolBar() const { return FToolBar; }
    // Position among the tool bar's buttons.
    int Index() const;
    void SetParent(TWinControl *AParent) override;

    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle Value);
    // Grouped check buttons next to each other let one of them be down.
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    // Starts a new row after this button.
    bool Wrap() const { return FWrap; }
    void SetWrap(bool Value);
    // Takes the item's caption, enabled state, hint and image; a click drops
    // the item's sub-menu, or runs the item when it has none.
    TMenuItem *MenuItem() const { return FMenuItem; }
    void SetMenuItem(TMenuItem *Value);
    TPopupMenu *DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu *Value);
    void SetAutoSize(bool Value) override;

    // Under the pointer / pressed with the mouse, as drawn.
    bool Hot() const { return FHot; }
    bool Pressed() const { return FPressed; }
    // Can drop a menu.
    bool HasMenu() const;

    void Click() override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage &Message) override;
    void CMMouseLeave(TMessage &Message) override;
    void CMTextChanged(TMessage &Message) override;
    void CMEnabledChanged(TMessage &Message) override;
    void CMVisibleChanged(TMessage &Message) override;

private:
    friend class TToolBar;
    void UpdateLayout();

    TToolBar *FToolBar = nullptr;
    TToolButtonStyle FStyle = tbsButton;
    bool FGrouped = false;
    bool FAllowAllUp = false;
    bool FDown = false;
    int FImageIndex = -1;
    bool FWrap = false;
    TMenuItem *FMenuItem = nullptr;
    TPopupMenu *FDropdownMenu = nullptr;
    bool FHot = false;
    bool FPressed = false;
};

class TToolBar : public TCustomControl {
public:
    explicit TToolBar(TComponent *AOwner);
    ~TToolBar() override;

    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TToolButton *Buttons(int Index) const;

    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TEdgeBorders EdgeBorders() const { return FEdgeBorders; }
    void SetEdgeBorders(TEdgeBorders Value);
    TEdgeStyle EdgeInner() const { return FEdgeInner; }
    void SetEdgeInner(TEdgeStyle Value);
    TEdgeStyle EdgeOuter() const { return FEdgeOuter; }
    void SetEdgeOuter(TEdgeStyle Value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool Value);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int Value);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    int Indent() const { return FIndent; }
    void SetIndent(int Value);
    TCustomImageList *Images() const { return FImages; }
    void SetImages(TCustomImageList *Value);
    TCustomImageList *HotImages() const { return FHotImages; }
    void SetHotImages(TCustomImageList *Value);
    TCustomImageList *DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList *Value);
    // Buttons that do not fit start a new row.
    bool Wrapable() const { return FWrapable; }
    void SetWrapable(bool Value);
    // The background is the parent's, not Color.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    void SetAutoSize(bool Value) override;

    // The button whose menu is dropped now, or nullptr.
    TToolButton *DroppedButton() const { return FDroppedButton; }
    // Drops the menu of Button under it; SelectFirst selects its first item.
    void DropMenu(TToolButton *Button, bool SelectFirst);
    // The state a button is drawn in now.
    TCustomDrawState ButtonState(const TToolButton *Button) const;
    // The framework's look of a button in a state, on Canvas.
    void DrawButton(TToolButton *Button, TCustomDrawState State);

    TToolBarCustomDrawEvent OnCustomDraw;
    TToolBarCustomDrawButtonEvent OnCustomDrawButton;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void Paint() override;
    void WMEraseBkgnd(TMessage &Message) override;
    void WMSize(TMessage &Message) override;
    void CMFontChanged(TMessage &Message) override;
    void CMDialogChar(TMessage &Message) override;
    bool CanAutoSize(int &NewWidth, int &NewHeight) override;

private:
    friend class TToolButton;
    // Sets one of the image lists, hearing of its removal.
    void SetImageList(TCustomImageList *&Field, TCustomImageList *Value);
    void InsertButton(TToolButton *Button);
    void RemoveButton(TToolButton *Button);
    // Places the buttons; returns the height the rows take.
    int LayoutButtons();
    void Relayout();
    int ButtonWidthFor(TToolButton *Button, TCanvas *Measure) const;
    TRect EdgeInsets() const;
    void DrawEdges();
    TToolButton *MenuButtonAt(const TPoint &Pos) const;
    TToolButton *NeighbourMenuButton(TToolButton *From, int Direction) const;

    std::vector<TToolButton *> FButtons;
    bool FFlat = false;
    TEdgeBorders FEdgeBorders = ebTop;
    TEdgeStyle FEdgeInner = esRaised;
    TEdgeStyle FEdgeOuter = esLowered;
    bool FShowCaptions = false;
    int FButtonHeight = 22;
    int FButtonWidth = 23;
    int FIndent = 0;
    TCustomImageList *FImages = nullptr;
    TCustomImageList *FHotImages = nullptr;
    TCustomImageList *FDisabledImages = nullptr;
    bool FWrapable = true;
    bool FTransparent = false;
    bool FLayingOut = false;
    TToolButton *FDroppedButton = nullptr;
};
