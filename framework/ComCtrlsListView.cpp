// The list view over Qt's list widget (icons) and tree widget (list, report).
#include "ComCtrlsListView.h"

#include <QHeaderView>
#include <QListWidget>
#include <QTreeWidget>

namespace {
void CheckIndex(int Index, int Count)
{
    if (Index < 0 || Index >= Count)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

Qt::Alignment AlignmentOf(TAlignment Value)
{
    switch (Value) {
    case taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

QIcon IconOf(TCustomImageList *Images, int Index)
{
    if (!Images || Index < 0 || Index >= Images->Count())
        return {};
    QImage image(Images->Width(), Images->Height(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        TCanvas canvas(&image);
        Images->Draw(&canvas, 0, 0, Index);
    }
    return QIcon(QPixmap::fromImage(image));
}
}

// Columns

void TListColumn::SetCaption(const String &Value)
{
    FCaption = Value;
    FOwner->Rebuild();
}

void TListColumn::SetWidth(int Value)
{
    FWidth = Value;
    FOwner->Rebuild();
}

void TListColumn::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    FOwner->Rebuild();
}

int TListColumn::Index() const
{
    const auto &columns = FOwner->Columns()->FColumns;
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

TListColumn *TListColumns::Items(int Index) const
{
    CheckIndex(Index, Count());
    return FColumns[Index].get();
}

TListColumn *TListColumns::Add()
{
    FColumns.push_back(std::make_unique<TListColumn>(FOwner));
    FOwner->Rebuild();
    return FColumns.back().get();
}

void TListColumns::Delete(int Index)
{
    CheckIndex(Index, Count());
    FColumns.erase(FColumns.begin() + Index);
    FOwner->Rebuild();
}

void TListColumns::Clear()
{
    FColumns.clear();
    FOwner->Rebuild();
}

// Items

TListItem::TListItem(TCustomListView *AOwner) : FOwner(AOwner), FSubItems(std::make_unique<TStringList>())
{
    FSubItems->OnChange = [this](TObject *) { FOwner->Rebuild(); };
}

void TListItem::SetCaption(const String &Value)
{
    FCaption = Value;
    FOwner->Rebuild();
}

void TListItem::SetImageIndex(int Value)
{
    FImageIndex = Value;
    FOwner->Rebuild();
}

int TListItem::Index() const
{
    return FOwner->Items()->IndexOf(this);
}

bool TListItem::Selected() const
{
    const int i = Index();
    return i >= 0 && i < static_cast<int>(FOwner->FSelection.size()) && FOwner->FSelection[i];
}

void TListItem::SetSelected(bool Value)
{
    if (Value && !FOwner->FMultiSelect)
        std::fill(FOwner->FSelection.begin(), FOwner->FSelection.end(), false);
    FOwner->FSelection[Index()] = Value;
    FOwner->Rebuild();
    FOwner->SelectionChanged();
}

void TListItem::Delete()
{
    FOwner->Items()->Delete(Index());
}

TListItem *TListItems::Item(int Index) const
{
    CheckIndex(Index, Count());
    return FItems[Index].get();
}

TListItem *TListItems::Add()
{
    return Insert(Count());
}

TListItem *TListItems::Insert(int Index)
{
    if (Index < 0 || Index > Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    FItems.insert(FItems.begin() + Index, std::make_unique<TListItem>(FOwner));
    FOwner->FSelection.insert(FOwner->FSelection.begin() + Index, false);
    FOwner->Rebuild();
    return FItems[Index].get();
}

void TListItems::Delete(int Index)
{
    CheckIndex(Index, Count());
    const bool selected = FOwner->FSelection[Index];
    FItems.erase(FItems.begin() + Index);
    FOwner->FSelection.erase(FOwner->FSelection.begin() + Index);
    FOwner->Rebuild();
    if (selected)
        FOwner->SelectionChanged();
}

void TListItems::Clear()
{
    const bool selected = FOwner->SelCount() > 0;
    FItems.clear();
    FOwner->FSelection.clear();
    FOwner->Rebuild();
    if (selected)
        FOwner->SelectionChanged();
}

int TListItems::IndexOf(const TListItem *Value) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == Value)
            return static_cast<int>(i);
    return -1;
}

void TListItems::BeginUpdate()
{
    ++FUpdateCount;
}

void TListItems::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        FOwner->Rebuild();
}

// The view

TCustomListView::TCustomListView(TComponent *AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TListItems>(this)), FColumns(std::make_unique<TListColumns>(this))
{
    SetBounds(Left(), Top(), 250, 150);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomListView::~TCustomListView()
{
    Destroying();
    FSignals.Release();
    DestroyHandle();
}

QWidget *TCustomListView::CreateWindowHandle(QWidget *ParentWidget)
{
    if (FViewStyle == vsIcon) {
        auto *list = new QListWidget(ParentWidget);
        list->setViewMode(QListView::IconMode);
        list->setResizeMode(QListView::Adjust);
        list->setMovement(QListView::Static);
        QObject::connect(list, &QListWidget::itemSelectionChanged, FSignals.Bind(list), [this, list] {
            if (FRebuilding)
                return;
            for (int i = 0; i < list->count() && i < static_cast<int>(FSelection.size()); ++i)
                FSelection[i] = list->item(i)->isSelected();
            CallGuarded(this, [&] { SelectionChanged(); });
        });
        return list;
    }
    auto *tree = new QTreeWidget(ParentWidget);
    tree->setRootIsDecorated(false);
    tree->setUniformRowHeights(true);
    tree->setItemsExpandable(false);
    QObject *context = FSignals.Bind(tree);
    QObject::connect(tree, &QTreeWidget::itemSelectionChanged, context, [this, tree] {
        if (FRebuilding)
            return;
        for (int i = 0; i < tree->topLevelItemCount() && i < static_cast<int>(FSelection.size()); ++i)
            FSelection[i] = tree->topLevelItem(i)->isSelected();
        CallGuarded(this, [&] { SelectionChanged(); });
    });
    QObject::connect(tree->header(), &QHeaderView::sectionClicked, context, [this](int Section) {
        if (OnColumnClick && Section >= 0 && Section < FColumns->Count())
            CallGuarded(this, [&] { OnColumnClick(this, FColumns->Items(Section)); });
    });
    return tree;
}

void TCustomListView::CreateWnd()
{
    auto *area = static_cast<QAbstractItemView *>(Handle());
    HookWidget(area->viewport());
    ApplyNativeBorder(area, BorderWidth(), FBorderStyle == bsSingle);
    ApplyNativeColor(area, Color());
    area->setFont(Font()->QtFont());
    ApplyOptions();
    Rebuild();
    TWinControl::CreateWnd();
}

void TCustomListView::DestroyWnd()
{
    FSignals.Release();
    TWinControl::DestroyWnd();
}

void TCustomListView::DefaultHandler(TMessage &Message)
{
    if (!NativeDefaultHandler(this, FBorderStyle == bsSingle, Message))
        TWinControl::DefaultHandler(Message);
}

void TCustomListView::CMColorChanged(TMessage &Message)
{
    if (HandleAllocated())
        ApplyNativeColor(Handle(), Color());
    TWinControl::CMColorChanged(Message);
}

void TCustomListView::RecreateView()
{
    if (!HandleAllocated())
        return;
    DestroyHandle();
    HandleNeeded();
}

void TCustomListView::ApplyOptions()
{
    if (!HandleAllocated())
        return;
    auto *view = static_cast<QAbstractItemView *>(Handle());
    view->setSelectionMode(FMultiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (auto *tree = qobject_cast<QTreeWidget *>(view)) {
        tree->setHeaderHidden(FViewStyle != vsReport || !FShowColumnHeaders);
        tree->header()->setStretchLastSection(FViewStyle != vsReport);
        tree->setAllColumnsShowFocus(FRowSelect);
        tree->setStyleSheet(FGridLines ? QStringLiteral("QTreeView::item { border-right: 1px solid #d0d0d0; border-bottom: 1px solid #d0d0d0; }")
                                       : QString());
        const TCustomImageList *images = FSmallImages;
        if (images)
            tree->setIconSize(QSize(images->Width(), images->Height()));
    } else if (auto *list = qobject_cast<QListWidget *>(view)) {
        if (FLargeImages)
            list->setIconSize(QSize(FLargeImages->Width(), FLargeImages->Height()));
    }
}

void TCustomListView::Rebuild()
{
    if (!HandleAllocated() || FItems->FUpdateCount > 0)
        return;
    FRebuilding = true;
    QWidget *handle = Handle();
    if (auto *list = qobject_cast<QListWidget *>(handle)) {
        list->clear();
        for (int i = 0; i < FItems->Count(); ++i) {
            TListItem *item = FItems->Item(i);
            auto *entry = new QListWidgetItem(IconOf(FLargeImages, item->FImageIndex), item->FCaption, list);
            entry->setSelected(FSelection[i]);
        }
    } else if (auto *tree = qobject_cast<QTreeWidget *>(handle)) {
        tree->clear();
        const bool report = FViewStyle == vsReport;
        const int columns = report ? std::max(FColumns->Count(), 1) : 1;
        tree->setColumnCount(columns);
        QStringList headers;
        for (int c = 0; c < FColumns->Count(); ++c)
            headers << FColumns->Items(c)->Caption();
        tree->setHeaderLabels(headers);
        for (int c = 0; report && c < FColumns->Count(); ++c) {
            tree->setColumnWidth(c, FColumns->Items(c)->Width());
            tree->headerItem()->setTextAlignment(c, AlignmentOf(FColumns->Items(c)->Alignment()));
        }
        for (int i = 0; i < FItems->Count(); ++i) {
            TListItem *item = FItems->Item(i);
            auto *entry = new QTreeWidgetItem(tree);
            entry->setText(0, item->FCaption);
            entry->setIcon(0, IconOf(FSmallImages, item->FImageIndex));
            for (int c = 1; report && c < columns; ++c) {
                if (c - 1 < item->FSubItems->Count())
                    entry->setText(c, item->FSubItems->Strings(c - 1));
                entry->setTextAlignment(c, AlignmentOf(FColumns->Items(c)->Alignment()));
            }
            entry->setSelected(FSelection[i]);
        }
    }
    FRebuilding = false;
}

void TCustomListView::SetViewStyle(TViewStyle Value)
{
    const bool widgetChanges = (Value == vsIcon) != (FViewStyle == vsIcon);
    FViewStyle = Value;
    if (widgetChanges) {
        RecreateView();
        return;
    }
    ApplyOptions();
    Rebuild();
}

void TCustomListView::SetShowColumnHeaders(bool Value)
{
    FShowColumnHeaders = Value;
    ApplyOptions();
}

void TCustomListView::SetMultiSelect(bool Value)
{
    FMultiSelect = Value;
    ApplyOptions();
}

void TCustomListView::SetRowSelect(bool Value)
{
    FRowSelect = Value;
    ApplyOptions();
}

void TCustomListView::SetGridLines(bool Value)
{
    FGridLines = Value;
    ApplyOptions();
}

void TCustomListView::SetLargeImages(TCustomImageList *Value)
{
    if (FLargeImages)
        FLargeImages->RemoveFreeNotification(this);
    FLargeImages = Value;
    if (FLargeImages)
        FLargeImages->FreeNotification(this);
    ApplyOptions();
    Rebuild();
}

void TCustomListView::SetSmallImages(TCustomImageList *Value)
{
    if (FSmallImages)
        FSmallImages->RemoveFreeNotification(this);
    FSmallImages = Value;
    if (FSmallImages)
        FSmallImages->FreeNotification(this);
    ApplyOptions();
    Rebuild();
}

void TCustomListView::Notification(TComponent *AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FLargeImages)
        SetLargeImages(nullptr);
    if (AComponent == FSmallImages)
        SetSmallImages(nullptr);
}

void TCustomListView::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    if (HandleAllocated())
        ApplyNativeBorder(static_cast<QFrame *>(Handle()), BorderWidth(), FBorderStyle == bsSingle);
}

int TCustomListView::SelectedRow() const
{
    for (size_t i = 0; i < FSelection.size(); ++i)
        if (FSelection[i])
            return static_cast<int>(i);
    return -1;
}

TListItem *TCustomListView::Selected() const
{
    const int row = SelectedRow();
    return row < 0 ? nullptr : FItems->Item(row);
}

void TCustomListView::SetSelected(TListItem *Value)
{
    std::fill(FSelection.begin(), FSelection.end(), false);
    if (Value)
        FSelection[Value->Index()] = true;
    Rebuild();
    SelectionChanged();
}

int TCustomListView::SelCount() const
{
    return static_cast<int>(std::count(FSelection.begin(), FSelection.end(), true));
}

TListItem *TCustomListView::GetItemAt(int X, int Y)
{
    auto *view = static_cast<QAbstractItemView *>(Handle());
    const QPoint p = view->viewport()->mapFrom(view, QPoint(X + BorderWidth(), Y + BorderWidth()));
    const QModelIndex index = view->indexAt(p);
    return index.isValid() && !index.parent().isValid() && index.row() < FItems->Count() ? FItems->Item(index.row()) : nullptr;
}

void TCustomListView::SelectionChanged()
{
    if (OnChange)
        OnChange(this, Selected());
}
