#pragma once
// The check group: a skinned group box holding one check box per line of
// Items, laid out in Columns columns (filled top to bottom) below TopMargin.
// A click on the group or on any of its check boxes fires the group's
// OnClick.
#include "SUIButton.h"
#include "SUIGroupBox.h"

#include <memory>
#include <vector>

class TsuiCheckGroup : public TsuiCustomGroupBox {
public:
    explicit TsuiCheckGroup(TComponent *AOwner);
    ~TsuiCheckGroup() override;

    TStrings *Items() const { return FItems.get(); }
    void SetItems(const TStrings *Value);
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    int TopMargin() const { return FTopMargin; }
    void SetTopMargin(int Value);
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    void SetTransparent(bool Value) override;

    void ApplyStyle(TsuiUIStyle Style) override;

    // The check box of line Index.
    int ItemCount() const { return static_cast<int>(FItemList.size()); }
    TsuiCheckBox *Item(int Index) const { return FItemList.at(Index); }

    // The group's own click event: fired after an item or the group itself
    // was clicked, with the group as sender.
    TNotifyEvent OnClick;

protected:
    virtual void ItemClicked();
    virtual TsuiCheckBox *CreateItem();
    void Resize() override;
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    void ClickHandler(TObject *Sender);
    void ItemsChanged(TObject *Sender);
    // As many check boxes as lines, captioned by the lines; true when check
    // boxes were added.
    bool SyncItems();
    void LayoutItems();

    std::unique_ptr<TStringList> FItems;
    std::vector<TsuiCheckBox *> FItemList;
    int FColumns = 1;
    TsuiUIStyle FUIStyle = Custom;
    int FTopMargin = 8;
};
