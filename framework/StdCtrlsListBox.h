#pragma once
// The list box over a Qt list widget. Its items change through the list-box
// messages (LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT),
// so a subclass's WndProc sees every change; WM_VSCROLL / WM_HSCROLL scroll
// it, and GetScrollInfo / GetScrollBarInfo read its native scroll bar.
#include "Controls.h"
#include "ControlsNative.h"
#include "Forms.h"

#include <memory>

class QListWidget;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

using TDrawItemEvent = std::function<void(TWinControl *Control, int Index, const TRect &Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl *Control, int Index, int &Height)>;

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent *AOwner);
    ~TCustomListBox() override;

    TStrings *Items() const { return FItems.get(); }
    void SetItems(const TStrings *Value) { FItems->Assign(Value); }
    // The selected item (the focused one when several may be selected), -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool Selected(int Index) const;
    void SetSelected(int Index, bool Value);
    int SelCount() const;
    // Items are kept in alphabetical order (case-insensitive).
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    // Height of each item of an owner-drawn fixed list.
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    // The first item shown.
    int TopIndex() const;
    void SetTopIndex(int Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    int Count() const;
    void Clear() { FItems->Clear(); }
    // The item at a client point; -1 outside items (or, unless Existing,
    // the position after the last item).
    int ItemAtPos(const TPoint &Pos, bool Existing);
    // An item's rectangle in client coordinates.
    TRect ItemRect(int Index);
    // The canvas owner-drawn items are painted on, bound while they paint.
    TCanvas *Canvas() const { return FCanvas.get(); }

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    QWidget *CreateWindowHandle(QWidget *ParentWidget) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DefaultHandler(TMessage &Message) override;
    void CMColorChanged(TMessage &Message) override;
    void WMLButtonDblClk(TMessage &Message) override;
    // Paints an owner-drawn item on Canvas: OnDrawItem, or by default the
    // background and the item's text.
    virtual void DrawItem(int Index, const TRect &Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int &Height);
    QListWidget *List() const;
    TNativeSignals FSignals;

private:
    friend class TListBoxStrings;
    friend class TListBoxDelegate;
    void ApplyStyle();
    // Lays the items out now, so the scroll bar shows the new range at once.
    void ItemsChanged();
    int InsertString(int Index, const String &S);

    std::unique_ptr<TStrings> FItems;
    std::unique_ptr<TCanvas> FCanvas;
    bool FMultiSelect = false;
    bool FSorted = false;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
    TBorderStyle FBorderStyle = bsSingle;
    bool FChanging = false; // the program changes the selection
    // The items and the selected index while there is no window.
    TStringList FSaved;
    int FSavedIndex = -1;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};
