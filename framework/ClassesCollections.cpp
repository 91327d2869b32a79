// Collections: owned, ordered lists of items that report their changes.
#include "Classes.h"

#include <algorithm>

TCollectionItem::TCollectionItem(TCollection *ACollection)
{
    SetCollection(ACollection);
}

TCollectionItem::~TCollectionItem()
{
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection *Value)
{
    if (Value == FCollection)
        return;
    if (FCollection)
        FCollection->RemoveItem(this);
    if (Value)
        Value->InsertItem(this);
}

int TCollectionItem::Index() const
{
    if (!FCollection)
        return -1;
    const auto &items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    const int current = Index();
    if (current < 0 || Value == current)
        return;
    auto &items = FCollection->FItems;
    Value = std::clamp(Value, 0, static_cast<int>(items.size()) - 1);
    items.erase(items.begin() + current);
    items.insert(items.begin() + Value, this);
    Changed(true);
}

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection)
        FCollection->ItemChanged(AllItems ? nullptr : this);
}

TCollection::TCollection(ItemFactory Factory) : FFactory(std::move(Factory)) {}

TCollection::~TCollection()
{
    ++FUpdateCount;
    while (!FItems.empty())
        delete FItems.back();
}

TCollectionItem *TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FItems[Index];
}

// The collection hears of the new item once it is fully made, not from
// within its constructor (an Update that looks at the item would see it
// half-built).
TCollectionItem *TCollection::Add()
{
    BeginUpdate();
    struct TEndUpdate {
        TCollection *Collection;
        ~TEndUpdate() { Collection->EndUpdate(); }
    } endUpdate{this};
    return FFactory(this);
}

TCollectionItem *TCollection::Insert(int Index)
{
    BeginUpdate();
    TCollectionItem *item = Add();
    item->SetIndex(Index);
    EndUpdate();
    return item;
}

void TCollection::Delete(int Index)
{
    delete Items(Index);
}

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    BeginUpdate();
    while (!FItems.empty())
        delete FItems.back();
    EndUpdate();
}

void TCollection::BeginUpdate()
{
    ++FUpdateCount;
}

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

TCollectionItem *TCollection::FindItemID(int ID) const
{
    for (TCollectionItem *item : FItems)
        if (item->FID == ID)
            return item;
    return nullptr;
}

void TCollection::Assign(const TPersistent *Source)
{
    if (auto source = dynamic_cast<const TCollection *>(Source)) {
        if (source == this)
            return;
        BeginUpdate();
        Clear();
        for (TCollectionItem *item : source->FItems)
            Add()->Assign(item);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

void TCollection::Update(TCollectionItem *) {}

void TCollection::Changed()
{
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem *Item)
{
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    Changed();
}

void TCollection::RemoveItem(TCollectionItem *Item)
{
    std::erase(FItems, Item);
    Item->FCollection = nullptr;
    Changed();
}

void TCollection::ItemChanged(TCollectionItem *Item)
{
    if (FUpdateCount == 0)
        Update(Item);
}
