// The list box over a Qt list widget: items through list-box messages,
// selection, owner drawing and native scrolling.
#include "StdCtrlsListBox.h"

#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {
constexpr int ObjectRole = Qt::UserRole;

void CheckItemIndex(int Index, int Count)
{
    if (Index < 0 || Index >= Count)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}
}

// The items, kept by the widget; changes go as list-box messages.
class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TCustomListBox *AListBox) : FListBox(AListBox) {}

    int Count() const override { return FListBox->HandleAllocated() ? FListBox->List()->count() : FListBox->FSaved.Count(); }
    String Strings(int Index) const override
    {
        CheckItemIndex(Index, Count());
        return FListBox->HandleAllocated() ? FListBox->List()->item(Index)->text() : FListBox->FSaved.Strings(Index);
    }
    void SetStrings(int Index, const String &S) override
    {
        CheckItemIndex(Index, Count());
        if (FListBox->HandleAllocated())
            FListBox->List()->item(Index)->setText(S);
        else
            FListBox->FSaved.SetStrings(Index, S);
    }
    TObject *Objects(int Index) const override
    {
        CheckItemIndex(Index, Count());
        if (!FListBox->HandleAllocated())
            return FListBox->FSaved.Objects(Index);
        return static_cast<TObject *>(FListBox->List()->item(Index)->data(ObjectRole).value<void *>());
    }
    void SetObjects(int Index, TObject *AObject) override
    {
        CheckItemIndex(Index, Count());
        if (!FListBox->HandleAllocated())
            FListBox->FSaved.SetObjects(Index, AObject);
        else
            FListBox->List()->item(Index)->setData(ObjectRole, QVariant::fromValue(static_cast<void *>(AObject)));
    }
    int Add(const String &S) override
    {
        return static_cast<int>(FListBox->Perform(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(&S)));
    }
    void Insert(int Index, const String &S) override
    {
        CheckItemIndex(Index, Count() + 1);
        FListBox->Perform(LB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&S));
    }
    void Delete(int Index) override
    {
        CheckItemIndex(Index, Count());
        FListBox->Perform(LB_DELETESTRING, static_cast<WPARAM>(Index), 0);
    }
    void Clear() override { FListBox->Perform(LB_RESETCONTENT, 0, 0); }

protected:
    void SetUpdateState(bool Updating) override
    {
        if (!FListBox->HandleAllocated())
            return;
        FListBox->List()->setUpdatesEnabled(!Updating);
        if (!Updating)
            FListBox->ItemsChanged();
    }

private:
    TCustomListBox *FListBox;
};

// Owner-drawn items are painted by the control on its canvas.
class TListBoxDelegate : public QStyledItemDelegate {
public:
    TListBoxDelegate(TCustomListBox *ListBox, QObject *Parent) : QStyledItemDelegate(Parent), FListBox(ListBox) {}

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        if (FListBox->Style() == lbStandard) {
            QStyledItemDelegate::paint(Painter, Option, Index);
            return;
        }
        TOwnerDrawState state = 0;
        if (Option.state & QStyle::State_Selected)
            state |= odSelected;
        if (Option.state & QStyle::State_HasFocus)
            state |= odFocused;
        if (!FListBox->Enabled())
            state |= odDisabled | odGrayed;
        const QRect r = Option.rect;
        const TRect rect = Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
        TCanvas *canvas = FListBox->Canvas();
        Painter->save();
        canvas->BeginPainting(Painter);
        canvas->SetFont(FListBox->Font());
        canvas->Brush()->SetStyle(bsSolid);
        if (state & odSelected) {
            canvas->Brush()->SetColor(clHighlight);
            canvas->Font()->SetColor(clHighlightText);
        } else {
            canvas->Brush()->SetColor(FListBox->Color());
        }
        CallGuarded(FListBox, [&] {
            FListBox->DrawItem(Index.row(), rect, state);
            if (state & odFocused)
                canvas->DrawFocusRect(rect);
        });
        canvas->EndPainting();
        Painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(Option, Index);
        if (FListBox->Style() == lbOwnerDrawFixed) {
            size.setHeight(FListBox->ItemHeight());
        } else if (FListBox->Style() == lbOwnerDrawVariable) {
            int height = FListBox->ItemHeight();
            CallGuarded(FListBox, [&] { FListBox->MeasureItem(Index.row(), height); });
            size.setHeight(height);
        }
        return size;
    }

private:
    TCustomListBox *FListBox;
};

TCustomListBox::TCustomListBox(TComponent *AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TListBoxStrings>(this)), FCanvas(std::make_unique<TCanvas>())
{
    SetBounds(Left(), Top(), 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    // Clicks are the user's selection changes, not button releases.
    SetControlStyle(ControlStyle() & ~csClickEvents);
}

TCustomListBox::~TCustomListBox()
{
    Destroying();
    FSignals.Release();
    DestroyHandle();
}

QListWidget *TCustomListBox::List() const
{
    return static_cast<QListWidget *>(const_cast<TCustomListBox *>(this)->Handle());
}

QWidget *TCustomListBox::CreateWindowHandle(QWidget *ParentWidget)
{
    auto *list = new QListWidget(ParentWidget);
    list->setItemDelegate(new TListBoxDelegate(this, list));
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->setUniformItemSizes(false);
    QObject *context = FSignals.Bind(list);
    // A change of the selection by the user is a click, as the list box
    // reports it; the program's own changes are not.
    QObject::connect(list, &QListWidget::itemSelectionChanged, context, [this] {
        if (FChanging)
            return;
        CallGuarded(this, [&] { Click(); });
    });
    return list;
}

void TCustomListBox::CreateWnd()
{
    QListWidget *list = List();
    HookWidget(list->viewport());
    ApplyNativeBorder(list, BorderWidth(), FBorderStyle == bsSingle);
    ApplyNativeColor(list, Color());
    list->setFont(Font()->QtFont());
    // Items kept while there was no window come back into it.
    FChanging = true;
    for (int i = 0; i < FSaved.Count(); ++i) {
        auto *item = new QListWidgetItem(FSaved.Strings(i), list);
        item->setData(ObjectRole, QVariant::fromValue(static_cast<void *>(FSaved.Objects(i))));
    }
    FSaved.Clear();
    if (FSavedIndex >= 0 && FSavedIndex < list->count())
        list->setCurrentRow(FSavedIndex);
    FChanging = false;
    ApplyStyle();
    TWinControl::CreateWnd();
}

void TCustomListBox::DestroyWnd()
{
    FSignals.Release();
    // The items outlive the window.
    QListWidget *list = List();
    FSavedIndex = ItemIndex();
    FSaved.Clear();
    for (int i = 0; i < list->count(); ++i)
        FSaved.AddObject(list->item(i)->text(), static_cast<TObject *>(list->item(i)->data(ObjectRole).value<void *>()));
    TWinControl::DestroyWnd();
}

void TCustomListBox::ApplyStyle()
{
    if (!HandleAllocated())
        return;
    QListWidget *list = List();
    list->setSelectionMode(FMultiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    list->setSortingEnabled(FSorted);
    if (FSorted)
        list->sortItems();
    list->setUniformItemSizes(FStyle == lbOwnerDrawFixed);
    ItemsChanged();
}

void TCustomListBox::ItemsChanged()
{
    if (FItems->UpdateCount() > 0 || !HandleAllocated())
        return;
    QListWidget *list = List();
    list->doItemsLayout();
    list->viewport()->update();
}

int TCustomListBox::InsertString(int Index, const String &S)
{
    if (!HandleAllocated()) {
        int row = Index < 0 ? FSaved.Count() : Index;
        if (FSorted && Index < 0)
            for (row = 0; row < FSaved.Count() && FSaved.Strings(row).compare(S, Qt::CaseInsensitive) <= 0;)
                ++row;
        FSaved.Insert(row, S);
        return row;
    }
    QListWidget *list = List();
    auto *item = new QListWidgetItem(S);
    int row = Index < 0 ? list->count() : Index;
    if (FSorted && Index < 0) {
        row = 0;
        while (row < list->count() && list->item(row)->text().compare(S, Qt::CaseInsensitive) <= 0)
            ++row;
    }
    const bool sorting = list->isSortingEnabled();
    list->setSortingEnabled(false);
    list->insertItem(row, item);
    list->setSortingEnabled(sorting);
    ItemsChanged();
    return row;
}

void TCustomListBox::DefaultHandler(TMessage &Message)
{
    switch (Message.Msg) {
    case LB_ADDSTRING:
        Message.Result = InsertString(-1, *reinterpret_cast<const String *>(Message.LParam));
        return;
    case LB_INSERTSTRING:
        Message.Result = InsertString(static_cast<int>(static_cast<intptr_t>(Message.WParam)), *reinterpret_cast<const String *>(Message.LParam));
        return;
    case LB_DELETESTRING: {
        if (!HandleAllocated()) {
            if (static_cast<int>(Message.WParam) < FSaved.Count())
                FSaved.Delete(static_cast<int>(Message.WParam));
            Message.Result = FSaved.Count();
            return;
        }
        QListWidget *list = List();
        const int row = static_cast<int>(Message.WParam);
        if (row >= 0 && row < list->count()) {
            FChanging = true;
            delete list->takeItem(row);
            FChanging = false;
            ItemsChanged();
        }
        Message.Result = list->count();
        return;
    }
    case LB_RESETCONTENT:
        FSaved.Clear();
        FSavedIndex = -1;
        if (!HandleAllocated())
            return;
        FChanging = true;
        List()->clear();
        FChanging = false;
        ItemsChanged();
        return;
    default:
        if (!NativeDefaultHandler(this, FBorderStyle == bsSingle, Message))
            TWinControl::DefaultHandler(Message);
        return;
    }
}

void TCustomListBox::WMLButtonDblClk(TMessage &Message)
{
    TWinControl::WMLButtonDblClk(Message);
    DblClick();
}

void TCustomListBox::CMColorChanged(TMessage &Message)
{
    if (HandleAllocated())
        ApplyNativeColor(List(), Color());
    TWinControl::CMColorChanged(Message);
}

int TCustomListBox::Count() const
{
    return FItems->Count();
}

int TCustomListBox::ItemIndex() const
{
    if (!HandleAllocated())
        return FSavedIndex;
    QListWidget *list = List();
    if (FMultiSelect)
        return list->currentRow();
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

void TCustomListBox::SetItemIndex(int Value)
{
    if (!HandleAllocated()) {
        FSavedIndex = Value >= 0 && Value < FSaved.Count() ? Value : -1;
        return;
    }
    QListWidget *list = List();
    FChanging = true;
    if (Value < 0 || Value >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1);
    } else {
        list->setCurrentRow(Value);
    }
    FChanging = false;
}

void TCustomListBox::SetMultiSelect(bool Value)
{
    FMultiSelect = Value;
    ApplyStyle();
}

bool TCustomListBox::Selected(int Index) const
{
    CheckItemIndex(Index, Count());
    return List()->item(Index)->isSelected();
}

void TCustomListBox::SetSelected(int Index, bool Value)
{
    CheckItemIndex(Index, Count());
    FChanging = true;
    if (!FMultiSelect && Value)
        List()->setCurrentRow(Index);
    else
        List()->item(Index)->setSelected(Value);
    FChanging = false;
}

int TCustomListBox::SelCount() const
{
    return FMultiSelect ? static_cast<int>(List()->selectedItems().size()) : -1;
}

void TCustomListBox::SetSorted(bool Value)
{
    FSorted = Value;
    ApplyStyle();
}

void TCustomListBox::SetStyle(TListBoxStyle Value)
{
    FStyle = Value;
    ApplyStyle();
}

void TCustomListBox::SetItemHeight(int Value)
{
    if (Value <= 0)
        return;
    FItemHeight = Value;
    ApplyStyle();
}

int TCustomListBox::TopIndex() const
{
    QListWidget *list = List();
    const QModelIndex top = list->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void TCustomListBox::SetTopIndex(int Value)
{
    Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, std::max(Value, 0)), 0);
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    if (HandleAllocated())
        ApplyNativeBorder(List(), BorderWidth(), FBorderStyle == bsSingle);
}

int TCustomListBox::ItemAtPos(const TPoint &Pos, bool Existing)
{
    QListWidget *list = List();
    const QPoint p = list->viewport()->mapFrom(list, QPoint(Pos.X + BorderWidth(), Pos.Y + BorderWidth()));
    const QModelIndex index = list->indexAt(p);
    if (index.isValid())
        return index.row();
    return Existing ? -1 : list->count();
}

TRect TCustomListBox::ItemRect(int Index)
{
    CheckItemIndex(Index, Count());
    QListWidget *list = List();
    const QRect r = list->visualItemRect(list->item(Index));
    const QPoint p = list->viewport()->mapTo(list, r.topLeft());
    return Bounds(p.x() - BorderWidth(), p.y() - BorderWidth(), r.width(), r.height());
}

void TCustomListBox::DrawItem(int Index, const TRect &Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    if (Index < Count())
        FCanvas->TextOut(Rect.Left + 2, Rect.Top, FItems->Strings(Index));
}

void TCustomListBox::MeasureItem(int Index, int &Height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
}
