#include "SUIRadioGroup.h"

#include <algorithm>

TsuiCheckGroup::TsuiCheckGroup(TComponent *AOwner)
    : TsuiCustomGroupBox(AOwner), FItems(std::make_unique<TStringList>())
{
    FItems->OnChange = [this](TObject *Sender) { ItemsChanged(Sender); };
    SetCaption(QStringLiteral("suiCheckGroup"));
    SetUIStyle(GetContainerUIStyle(AOwner));
    SetTransparent(false);
    SetParentColor(true);
    TControl::OnClick = [this](TObject *Sender) { ClickHandler(Sender); };
}

TsuiCheckGroup::~TsuiCheckGroup()
{
    // The check boxes go with the group's components; nothing may reach the
    // lines while they do.
    FItems->OnChange = nullptr;
}

void TsuiCheckGroup::SetItems(const TStrings *Value)
{
    FItems->Assign(Value);
}

void TsuiCheckGroup::SetColumns(int Value)
{
    if (Value < 0)
        return;
    FColumns = Value;
    LayoutItems();
}

void TsuiCheckGroup::SetTopMargin(int Value)
{
    if (Value < 0)
        return;
    FTopMargin = Value;
    LayoutItems();
}

void TsuiCheckGroup::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    ApplyStyle(Value);
    for (TsuiCheckBox *item : FItemList) {
        item->SetUIStyle(FUIStyle);
        item->SetColor(Color());
    }
}

// The group's own look; its check boxes take the style from SetUIStyle.
void TsuiCheckGroup::ApplyStyle(TsuiUIStyle Style)
{
    SetBorderColor(GetThemeColor(Style, 8));
    Font()->SetColor(GetThemeColor(Style, 10));
    if (!ParentColor())
        SetColor(GetThemeColor(Style, 9));
}

void TsuiCheckGroup::SetTransparent(bool Value)
{
    TsuiCustomGroupBox::SetTransparent(Value);
    for (TsuiCheckBox *item : FItemList)
        item->SetTransparent(Value);
}

void TsuiCheckGroup::ItemClicked()
{
}

TsuiCheckBox *TsuiCheckGroup::CreateItem()
{
    return new TsuiCheckBox(this);
}

void TsuiCheckGroup::ClickHandler(TObject *)
{
    ItemClicked();
    if (OnClick)
        OnClick(this);
}

void TsuiCheckGroup::ItemsChanged(TObject *)
{
    const bool added = SyncItems();
    LayoutItems();
    // Toggling twice hands the group's transparency to every check box
    // again and repaints.
    if (added) {
        SetTransparent(!Transparent());
        SetTransparent(!Transparent());
    }
}

bool TsuiCheckGroup::SyncItems()
{
    const int d = FItems->Count() - ItemCount();
    for (int i = 0; i < d; ++i) {
        TsuiCheckBox *item = CreateItem();
        item->SetParent(this);
        item->SetAutoSize(true);
        item->SetUIStyle(FUIStyle);
        item->SetTransparent(Transparent());
        item->SetParentColor(true);
        item->OnClick = [this](TObject *Sender) { ClickHandler(Sender); };
        FItemList.push_back(item);
    }
    for (int i = 0; i < -d; ++i)
        delete FItemList.back(); // leaves the list through Notification
    for (int i = 0; i < ItemCount(); ++i)
        FItemList[i]->SetCaption(FItems->Strings(i));
    return d > 0;
}

// Columns filled top to bottom. Room that does not divide evenly between
// the rows is split above and below them. A group of 0 columns is laid out
// as one column.
void TsuiCheckGroup::LayoutItems()
{
    const int n = ItemCount();
    if (n == 0)
        return;
    const int columns = std::max(FColumns, 1);
    const TRect area = ItemArea();
    const int top = area.Top + FTopMargin;
    const int h = area.Bottom - top;
    const int rows = (n + columns - 1) / columns;
    const int columnWidth = (Width() - 10) / columns;
    const int rowHeight = h / rows;
    const int firstRow = top + (h % rows) / 2;
    for (int i = 0; i < n; ++i) {
        FItemList[i]->SetLeft((i / rows) * columnWidth + 8);
        FItemList[i]->SetTop((i % rows) * rowHeight + firstRow);
    }
}

void TsuiCheckGroup::Resize()
{
    TsuiCustomGroupBox::Resize();
    LayoutItems();
}

// A check box freed by anyone leaves the item list.
void TsuiCheckGroup::Notification(TComponent *AComponent, TOperation Operation)
{
    TsuiCustomGroupBox::Notification(AComponent, Operation);
    if (Operation == opRemove)
        std::erase(FItemList, AComponent);
}
