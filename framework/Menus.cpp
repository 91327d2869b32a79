// Menu items, menus and pop-up menus.
#include "Menus.h"

#include "Forms.h"
#include "ImgList.h"
#include "MenusPopup.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent *AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    Destroying();
    FLifeToken.reset();
    ForgetMenuItem(this);
    if (FParent)
        FParent->Remove(this);
    Clear();
}

TMenuItem *TMenuItem::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FItems[static_cast<size_t>(Index)];
}

int TMenuItem::MenuIndex() const
{
    return FParent ? FParent->IndexOf(this) : -1;
}

int TMenuItem::IndexOf(const TMenuItem *Item) const
{
    const auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem *Item)
{
    Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem *Item)
{
    if (!Item)
        return;
    if (Item->FParent)
        throw EMenuError(QStringLiteral("Menu inserted twice"));
    if (Index < 0 || Index > Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    for (const TMenuItem *p = this; p; p = p->FParent)
        if (p == Item)
            throw EMenuError(QStringLiteral("Menu inserted into itself"));
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    MenuChanged(true);
}

void TMenuItem::Delete(int Index)
{
    TMenuItem *item = Items(Index);
    FItems.erase(FItems.begin() + Index);
    item->FParent = nullptr;
    if (!(ComponentState() & csDestroying))
        MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem *Item)
{
    const int index = IndexOf(Item);
    if (index >= 0)
        Delete(index);
}

void TMenuItem::Clear()
{
    while (!FItems.empty())
        delete FItems.back();
}

TMenuItem *TMenuItem::Find(const String &ACaption) const
{
    const String wanted = StripHotkey(ACaption);
    for (TMenuItem *item : FItems)
        if (StripHotkey(item->FCaption).compare(wanted, Qt::CaseInsensitive) == 0)
            return item;
    return nullptr;
}

TMenu *TMenuItem::GetParentMenu() const
{
    const TMenuItem *root = this;
    while (root->FParent)
        root = root->FParent;
    return root->FMenu;
}

void TMenuItem::SetCaption(const String &Value)
{
    if (Value == FCaption)
        return;
    const bool lineChanged = IsLine() != (Value == QStringLiteral("-"));
    FCaption = Value;
    MenuChanged(lineChanged);
}

void TMenuItem::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    MenuChanged(false);
}

void TMenuItem::TurnSiblingsOff()
{
    if (!FParent)
        return;
    for (TMenuItem *item : FParent->FItems)
        if (item != this && item->FRadioItem && item->FGroupIndex == FGroupIndex && item->FChecked) {
            item->FChecked = false;
            item->MenuChanged(false);
        }
}

void TMenuItem::SetChecked(bool Value)
{
    if (Value == FChecked)
        return;
    FChecked = Value;
    if (Value && FRadioItem)
        TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool Value)
{
    if (Value == FRadioItem)
        return;
    FRadioItem = Value;
    if (FChecked && FRadioItem)
        TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetGroupIndex(int Value)
{
    if (Value == FGroupIndex)
        return;
    FGroupIndex = Value;
    if (FChecked && FRadioItem)
        TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetDefault(bool Value)
{
    if (Value == FDefault)
        return;
    if (Value && FParent)
        for (TMenuItem *item : FParent->FItems)
            if (item != this)
                item->FDefault = false;
    FDefault = Value;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool Value)
{
    if (Value == FVisible)
        return;
    FVisible = Value;
    MenuChanged(true);
}

void TMenuItem::SetImageIndex(int Value)
{
    if (Value == FImageIndex)
        return;
    FImageIndex = Value;
    MenuChanged(false);
}

void TMenuItem::SetShortCut(TShortCut Value)
{
    if (Value == FShortCut)
        return;
    FShortCut = Value;
    MenuChanged(false);
}

void TMenuItem::Click()
{
    if (FAutoCheck)
        SetChecked(!FChecked);
    if (OnClick)
        OnClick(this);
}

void TMenuItem::MenuChanged(bool Rebuild)
{
    if (ComponentState() & csDestroying)
        return;
    Changed(this, Rebuild);
}

void TMenuItem::Changed(TMenuItem *Source, bool Rebuild)
{
    if (FParent)
        FParent->Changed(Source, Rebuild);
    else if (FMenu)
        FMenu->MenuChanged(FMenu, Source, Rebuild);
}

void TMenuItem::MeasureItem(TCanvas *ACanvas, int &Width, int &Height)
{
    DefaultMeasure(ACanvas, Width, Height);
    const TMenu *menu = GetParentMenu();
    if (menu && menu->IsOwnerDraw() && OnMeasureItem)
        OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::DrawItem(TCanvas *ACanvas, const TRect &ARect, TOwnerDrawState State)
{
    const TMenu *menu = GetParentMenu();
    const bool ownerDraw = menu && menu->IsOwnerDraw();
    if (ownerDraw && OnAdvancedDrawItem)
        OnAdvancedDrawItem(this, ACanvas, ARect, State);
    else if (ownerDraw && OnDrawItem)
        OnDrawItem(this, ACanvas, ARect, (State & odSelected) != 0);
    else
        DefaultDraw(ACanvas, ARect, State);
}

// ---------------------------------------------------------------------------
// TMenu

TMenu::TMenu(TComponent *AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr))
{
    FItems->FMenu = this;
}

TMenu::~TMenu()
{
    Destroying();
    FItems->FMenu = nullptr;
}

void TMenu::SetImages(TCustomImageList *Value)
{
    if (Value == FImages)
        return;
    if (FImages)
        RemoveFreeNotification(FImages);
    FImages = Value;
    if (Value)
        FreeNotification(Value);
    MenuChanged(this, nullptr, false);
}

void TMenu::Notification(TComponent *AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        SetImages(nullptr);
}

void TMenu::SetOwnerDraw(bool Value)
{
    if (Value == FOwnerDraw)
        return;
    FOwnerDraw = Value;
    MenuChanged(this, nullptr, false);
}

void TMenu::SetAutoHotkeys(TMenuAutoFlag Value)
{
    if (Value == FAutoHotkeys)
        return;
    FAutoHotkeys = Value;
    MenuChanged(this, nullptr, false);
}

void TMenu::MenuChanged(TObject *Sender, TMenuItem *Source, bool Rebuild)
{
    if (ComponentState() & csDestroying)
        return;
    if (OnChange)
        OnChange(Sender, Source, Rebuild);
}

namespace {

TMenuItem *FindShortCut(TMenuItem *Parent, TShortCut ShortCut)
{
    for (int i = 0; i < Parent->Count(); ++i) {
        TMenuItem *item = Parent->Items(i);
        if (!item->Visible() || !item->Enabled())
            continue;
        if (item->ShortCut() == ShortCut && item->Count() == 0)
            return item;
        if (TMenuItem *found = FindShortCut(item, ShortCut))
            return found;
    }
    return nullptr;
}

} // namespace

TMenuItem *TMenu::FindItemByShortCut(TShortCut ShortCut) const
{
    if (ShortCut == 0)
        return nullptr;
    return FindShortCut(FItems.get(), ShortCut);
}

bool TMenu::IsShortCut(TMessage &Message)
{
    const UINT msg = Message.Msg >= CN_BASE ? Message.Msg - CN_BASE : Message.Msg;
    if (msg != WM_KEYDOWN && msg != WM_SYSKEYDOWN)
        return false;
    TMenuItem *item = FindItemByShortCut(ShortCutFromMessage(Message));
    if (!item)
        return false;
    CallGuarded(item, [item] { item->Click(); });
    return true;
}

// ---------------------------------------------------------------------------
// TPopupMenu

TPopupMenu::TPopupMenu(TComponent *AOwner) : TMenu(AOwner) {}

void TPopupMenu::Popup(int X, int Y)
{
    if (OnPopup)
        OnPopup(this);
    TMenuTrackHooks hooks;
    TPoint pos{X, Y};
    TrackMenu(Items(), pos, FAlignment, std::move(hooks));
}
