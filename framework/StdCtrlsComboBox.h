#pragma once
// The combo box over a Qt combo box: a list of items with objects, an edit
// field or a fixed selection, owner-drawn items, and the geometry of its
// parts as GetComboBoxInfo reports it.
#include "Controls.h"
#include "ControlsNative.h"
#include "StdCtrlsListBox.h"
#include "WindowsScroll.h"

#include <memory>

class QComboBox;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent *AOwner);
    ~TCustomComboBox() override;

    TComboBoxStyle Style() const { return FStyle; }
    virtual void SetStyle(TComboBoxStyle Value);
    TStrings *Items() const { return FItems.get(); }
    void SetItems(const TStrings *Value) { FItems->Assign(Value); }
    // The selected item, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    // The text (the edit field's, or the selected item's), set through
    // WM_SETTEXT; in the list styles it selects the item with that text.
    void SetText(const String &Value);
    // Height of each item of the list (owner-drawn styles).
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    // Items the open list shows without scrolling.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    // 0 for no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    bool DroppedDown() const;
    void SetDroppedDown(bool Value);
    TCanvas *Canvas() const { return FCanvas.get(); }
    void Clear();

    // After the text changed (typing, or a selection in a list style).
    TNotifyEvent OnChange;
    // After the user selected an item.
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    QWidget *CreateWindowHandle(QWidget *ParentWidget) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void CMColorChanged(TMessage &Message) override;
    void CMTextChanged(TMessage &Message) override;
    // Paints an owner-drawn item on Canvas; the closed box's face comes with
    // odComboBoxEdit. Default: OnDrawItem, else the background and text.
    virtual void DrawItem(int Index, const TRect &Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int &Height);
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    QComboBox *Combo() const;
    // Whether the items are drawn by DrawItem: the owner-draw styles, or
    // any style of a subclass that draws its own items.
    virtual bool OwnerDraw() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }

private:
    friend class TComboBoxStrings;
    friend class TComboBoxWidget;
    friend class TComboBoxDelegate;
    void ApplyStyle();
    void WidgetTextChanged(const String &Value);
    void PaintItem(QPainter *Painter, int Index, const QRect &Rect, TOwnerDrawState State);

    std::unique_ptr<TStrings> FItems;
    std::unique_ptr<TCanvas> FCanvas;
    TComboBoxStyle FStyle = csDropDown;
    int FItemHeight = 16;
    int FDropDownCount = 8;
    bool FSorted = false;
    int FMaxLength = 0;
    bool FChanging = false; // the program changes the selection or text
    // The items and the selected index while there is no window.
    TStringList FSaved;
    int FSavedIndex = -1;
    TNativeSignals FSignals;
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
};

// The parts of a combo box window, in its client coordinates.
struct TComboBoxInfo {
    DWORD cbSize = sizeof(TComboBoxInfo);
    TRect rcItem;   // the edit field or the selected item's face
    TRect rcButton; // the drop-down button
    DWORD stateButton = 0; // STATE_SYSTEM_PRESSED while the list is open, INVISIBLE without a button
    HWND hwndCombo = nullptr;
    HWND hwndItem = nullptr; // the edit field (the combo itself without one)
    HWND hwndList = nullptr; // the list, once it exists
};
// False for a window that is not a combo box or a cbSize other than
// sizeof(TComboBoxInfo).
bool GetComboBoxInfo(HWND Wnd, TComboBoxInfo *Info);
