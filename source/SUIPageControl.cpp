#include "SUIPageControl.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// TsuiPageControl

TsuiPageControl::TsuiPageControl(TComponent *AOwner)
    : TsuiTab(AOwner, [](TsuiTab *Tab) -> TsuiTabControlTopPanel * { return new TsuiPageControlTopPanel(Tab, Tab); })
{
    TopPanel()->Tabs()->Clear();
}

TsuiPageControl::~TsuiPageControl()
{
    for (TsuiTabSheet *page : FPages) {
        page->FPageControl = nullptr;
        page->FPageIndex = -1;
    }
    FPages.clear();
    FActivePage = nullptr;
}

TsuiTabSheet *TsuiPageControl::Pages(int Index) const
{
    return Index >= 0 && Index < PageCount() ? FPages[Index] : nullptr;
}

void TsuiPageControl::CMControlChange(TMessage &Message)
{
    TsuiTab::CMControlChange(Message);
    auto *page = dynamic_cast<TsuiTabSheet *>(reinterpret_cast<TControl *>(Message.WParam));
    if (!page)
        return;
    const bool inserted = Message.LParam != 0;
    const bool listed = std::find(FPages.begin(), FPages.end(), page) != FPages.end();
    if (inserted && !listed && page->Parent() == this)
        AddPage(page);
    else if (!inserted && listed)
        RemovePage(page);
}

void TsuiPageControl::AddPage(TsuiTabSheet *Page)
{
    Page->FPageControl = this;
    Page->SetColor(Color());
    Page->FBorderColor = BorderColor();
    TopPanel()->Tabs()->Add(Page->Caption());
    FPages.push_back(Page);
    RenumberPages();
    RebuildTabs();
    ActivateSheet(Page);
}

void TsuiPageControl::RemovePage(TsuiTabSheet *Page)
{
    const int index = Page->FPageIndex;
    TopPanel()->Tabs()->Delete(index);
    FPages.erase(FPages.begin() + index);
    Page->FPageControl = nullptr;
    Page->FPageIndex = -1;
    if (FActivePage == Page)
        FActivePage = nullptr;
    RenumberPages();
    ActivateIndex(index - 1);
}

void TsuiPageControl::MovePage(TsuiTabSheet *Page, int Index)
{
    FPages.erase(FPages.begin() + Page->FPageIndex);
    FPages.insert(FPages.begin() + Index, Page);
    RenumberPages();
    RebuildTabs();
    ActivateSheet(Page);
}

void TsuiPageControl::RenumberPages()
{
    for (int i = 0; i < PageCount(); ++i)
        FPages[i]->FPageIndex = i;
}

void TsuiPageControl::RebuildTabs()
{
    TStrings *tabs = TopPanel()->Tabs();
    tabs->BeginUpdate();
    tabs->Clear();
    for (TsuiTabSheet *page : FPages)
        tabs->Add(page->Caption());
    tabs->EndUpdate();
}

void TsuiPageControl::SetActivePage(TsuiTabSheet *Value)
{
    if (Value && Value->FPageControl == this)
        ActivateSheet(Value);
    else if (!Value)
        FActivePage = nullptr;
}

void TsuiPageControl::ActivateSheet(TsuiTabSheet *Page)
{
    FActivePage = Page;
    SetTabIndex(Page->FPageIndex);
    TopPanel()->SetTabIndex(Page->FPageIndex);
    Page->DoShow();
}

void TsuiPageControl::ActivateIndex(int Index)
{
    if (Index < 0 || Index >= TopPanel()->Tabs()->Count())
        FActivePage = nullptr;
    else
        ActivateSheet(FPages[Index]);
}

void TsuiPageControl::ActivateNeighbour(int Index)
{
    for (int i = Index - 1; i >= 0; --i)
        if (TopPanel()->TabVisible(i)) {
            ActivateIndex(i);
            return;
        }
    for (int i = Index + 1; i < PageCount(); ++i)
        if (TopPanel()->TabVisible(i)) {
            ActivateIndex(i);
            return;
        }
}

void TsuiPageControl::TabActive(int Index)
{
    FActivePage = Pages(Index);
    if (FActivePage)
        FActivePage->DoShow();
    TsuiTab::TabActive(Index);
}

void TsuiPageControl::BorderColorChanged()
{
    for (TsuiTabSheet *page : FPages)
        page->FBorderColor = BorderColor();
    if (FActivePage)
        FActivePage->Repaint();
}

void TsuiPageControl::CMColorChanged(TMessage &Message)
{
    TsuiTab::CMColorChanged(Message);
    for (TsuiTabSheet *page : FPages)
        page->SetColor(Color());
}

void TsuiPageControl::ApplyStyleToChildren(TsuiUIStyle Style)
{
    for (TsuiTabSheet *page : FPages) {
        page->SetColor(Color());
        page->FBorderColor = BorderColor();
        ::ApplyStyleToChildren(page, Style);
    }
}

QStringList TsuiPageControl::PageNames() const
{
    QStringList names;
    for (TsuiTabSheet *page : FPages)
        names.append(page->Name());
    return names;
}

void TsuiPageControl::SetPageNames(const QStringList &Value)
{
    FPageOrder = Value;
}

void TsuiPageControl::PageLoaded()
{
    if (FPageOrder.size() != PageCount())
        return;
    // A name not in the stored order sorts first.
    std::stable_sort(FPages.begin(), FPages.end(), [this](TsuiTabSheet *a, TsuiTabSheet *b) {
        return FPageOrder.indexOf(a->Name()) < FPageOrder.indexOf(b->Name());
    });
    RenumberPages();
    RebuildTabs();
    for (TsuiTabSheet *page : FPages)
        TopPanel()->SetTabVisible(page->FPageIndex, page->FTabVisible);
    TopPanel()->Repaint();
}

// ---------------------------------------------------------------------------
// TsuiTabSheet

TsuiTabSheet::TsuiTabSheet(TComponent *AOwner) : TCustomPanel(AOwner)
{
    SetControlStyle(ControlStyle() & ~csSetCaption);
    TCustomPanel::SetCaption(QString());
    FCaption = QStringLiteral(" ");
    FPageIndex = -1;
    FTabVisible = true;
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetAlign(alClient);
}

TsuiTabSheet::~TsuiTabSheet()
{
    // Leaves its page control while it still is a sheet.
    if (FPageControl)
        SetParent(nullptr);
}

String TsuiTabSheet::PageControlName() const
{
    return FPageControl ? FPageControl->Name() : String();
}

void TsuiTabSheet::SetPageControlName(const String &Value)
{
    TComponent *owner = Owner();
    auto *control = owner ? dynamic_cast<TsuiPageControl *>(owner->FindComponent(Value)) : nullptr;
    if (!control)
        return;
    if (Parent() != control)
        SetParent(control);
    control->PageLoaded();
}

void TsuiTabSheet::SetCaption(const String &Value)
{
    FCaption = Value;
    if (FPageControl)
        FPageControl->RebuildTabs();
}

void TsuiTabSheet::SetPageIndex(int Value)
{
    if (FPageControl && Value >= 0 && Value < FPageControl->PageCount())
        FPageControl->MovePage(this, Value);
}

bool TsuiTabSheet::TabVisible() const
{
    return FPageControl ? FPageControl->TopPanel()->TabVisible(FPageIndex) : FTabVisible;
}

void TsuiTabSheet::SetTabVisible(bool Value)
{
    FTabVisible = Value;
    if (!FPageControl)
        return;
    FPageControl->TopPanel()->SetTabVisible(FPageIndex, Value);
    FPageControl->TopPanel()->Repaint();
    if (Value)
        FPageControl->ActivateIndex(FPageIndex);
    else
        FPageControl->ActivateNeighbour(FPageIndex);
}

void TsuiTabSheet::DoShow()
{
    SetVisible(true);
    BringToFront();
    if (OnShow)
        OnShow(this);
}

void TsuiTabSheet::Paint()
{
    TCustomPanel::Paint();
    TCanvas *canvas = Canvas();
    canvas->Pen()->SetColor(FBorderColor);
    canvas->MoveTo(0, 0);
    canvas->LineTo(0, Height() - 1);
    canvas->LineTo(Width() - 1, Height() - 1);
    canvas->LineTo(Width() - 1, -1);
}
