#pragma once
// The list view: items with a caption, sub-items and an image, shown as
// icons, a list or a report with column headers. Items and columns live in
// the control; the Qt widget shows them while it exists (a list widget in
// icon mode for vsIcon, a tree widget with a header otherwise).
#include "Classes.h"
#include "Controls.h"
#include "ControlsNative.h"
#include "Forms.h"
#include "ImgList.h"

#include <memory>
#include <vector>

class QWidget;
class TCustomListView;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListColumn : public TPersistent {
public:
    explicit TListColumn(TCustomListView *AOwner) : FOwner(AOwner) {}
    String Caption() const { return FCaption; }
    void SetCaption(const String &Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    int Index() const;

private:
    TCustomListView *FOwner;
    String FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class TListColumns : public TPersistent {
public:
    explicit TListColumns(TCustomListView *AOwner) : FOwner(AOwner) {}
    int Count() const { return static_cast<int>(FColumns.size()); }
    TListColumn *Items(int Index) const;
    TListColumn *Add();
    void Delete(int Index);
    void Clear();

private:
    friend class TListColumn;
    TCustomListView *FOwner;
    std::vector<std::unique_ptr<TListColumn>> FColumns;
};

class TListItem : public TPersistent {
public:
    explicit TListItem(TCustomListView *AOwner);
    String Caption() const { return FCaption; }
    void SetCaption(const String &Value);
    // The texts of the report's further columns.
    TStrings *SubItems() const { return FSubItems.get(); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    void *Data() const { return FData; }
    void SetData(void *Value) { FData = Value; }
    bool Selected() const;
    void SetSelected(bool Value);
    int Index() const;
    void Delete();

private:
    friend class TCustomListView;
    TCustomListView *FOwner;
    String FCaption;
    std::unique_ptr<TStringList> FSubItems;
    int FImageIndex = -1;
    void *FData = nullptr;
};

class TListItems : public TPersistent {
public:
    explicit TListItems(TCustomListView *AOwner) : FOwner(AOwner) {}
    int Count() const { return static_cast<int>(FItems.size()); }
    TListItem *Item(int Index) const;
    TListItem *Add();
    TListItem *Insert(int Index);
    void Delete(int Index);
    void Clear();
    int IndexOf(const TListItem *Value) const;
    // Changes between the two reach the widget once, at EndUpdate.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TCustomListView;
    TCustomListView *FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdateCount = 0;
};

using TLVChangeEvent = std::function<void(TObject *Sender, TListItem *Item)>;
using TLVColumnClickEvent = std::function<void(TObject *Sender, TListColumn *Column)>;

class TCustomListView : public TWinControl {
public:
    explicit TCustomListView(TComponent *AOwner);
    ~TCustomListView() override;

    TListItems *Items() const { return FItems.get(); }
    TListColumns *Columns() const { return FColumns.get(); }
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle Value);
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value);
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value) { FHideSelection = Value; }
    TCustomImageList *LargeImages() const { return FLargeImages; }
    void SetLargeImages(TCustomImageList *Value);
    TCustomImageList *SmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList *Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    // The selected item (the first of several), or nullptr.
    TListItem *Selected() const;
    void SetSelected(TListItem *Value);
    int SelCount() const;
    // The item at a client point, or nullptr.
    TListItem *GetItemAt(int X, int Y);

    TLVChangeEvent OnChange;
    TLVColumnClickEvent OnColumnClick;

protected:
    QWidget *CreateWindowHandle(QWidget *ParentWidget) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DefaultHandler(TMessage &Message) override;
    void CMColorChanged(TMessage &Message) override;
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    friend class TListItem;
    friend class TListItems;
    friend class TListColumn;
    friend class TListColumns;
    // Shows the items and columns in the widget again.
    void Rebuild();
    void ApplyOptions();
    void RecreateView();
    void SelectionChanged();
    int SelectedRow() const;

    std::unique_ptr<TListItems> FItems;
    std::unique_ptr<TListColumns> FColumns;
    TViewStyle FViewStyle = vsIcon;
    bool FShowColumnHeaders = true;
    bool FMultiSelect = false;
    bool FRowSelect = false;
    bool FGridLines = false;
    bool FReadOnly = false;
    bool FHideSelection = true;
    TCustomImageList *FLargeImages = nullptr;
    TCustomImageList *FSmallImages = nullptr;
    TBorderStyle FBorderStyle = bsSingle;
    std::vector<bool> FSelection; // per item, kept across rebuilds
    bool FRebuilding = false;
    TNativeSignals FSignals;
};

class TListView : public TCustomListView {
public:
    using TCustomListView::TCustomListView;
};
