// The check list box over a Qt list widget with checkable items.
#include "CheckLst.h"

#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {
constexpr int CheckSize = 13;

Qt::CheckState QtState(TCheckBoxState Value)
{
    return Value == cbChecked ? Qt::Checked : Value == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked;
}

void CheckItemIndex(int Index, int Count)
{
    if (Index < 0 || Index >= Count)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}
}

// Flat check boxes are drawn here; the 3-D ones are the style's.
class TCheckListDelegate : public QStyledItemDelegate {
public:
    TCheckListDelegate(TCheckListBox *ListBox, QObject *Parent) : QStyledItemDelegate(Parent), FListBox(ListBox) {}

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        if (!FListBox->Flat()) {
            QStyledItemDelegate::paint(Painter, Option, Index);
            return;
        }
        QStyleOptionViewItem text(Option);
        initStyleOption(&text, Index);
        text.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        text.rect.setLeft(Option.rect.left() + CheckSize + 4);
        Option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &text, Painter, Option.widget);
        const QRect box(Option.rect.left() + 2, Option.rect.top() + (Option.rect.height() - CheckSize) / 2, CheckSize, CheckSize);
        const auto state = static_cast<Qt::CheckState>(Index.data(Qt::CheckStateRole).toInt());
        const bool enabled = Index.flags() & Qt::ItemIsUserCheckable;
        Painter->save();
        Painter->setRenderHint(QPainter::Antialiasing, false);
        Painter->fillRect(box, state == Qt::PartiallyChecked ? ColorToQColor(clBtnFace) : QColor(Qt::white));
        Painter->setPen(ColorToQColor(enabled ? clBtnShadow : clGrayText));
        Painter->drawRect(box.adjusted(0, 0, -1, -1));
        if (state != Qt::Unchecked) {
            // The tick: three pixels thick, down then up.
            Painter->setPen(ColorToQColor(state == Qt::PartiallyChecked || !enabled ? clGrayText : clWindowText));
            const int x = box.left() + 3;
            const int y = box.top() + 5;
            for (int i = 0; i < 3; ++i) {
                Painter->drawLine(x, y + i, x + 2, y + 2 + i);
                Painter->drawLine(x + 2, y + 2 + i, x + 6, y - 2 + i);
            }
        }
        Painter->restore();
    }

private:
    TCheckListBox *FListBox;
};

TCheckListBox::TCheckListBox(TComponent *AOwner) : TCustomListBox(AOwner) {}

void TCheckListBox::CreateWnd()
{
    TCustomListBox::CreateWnd();
    QListWidget *list = List();
    list->setItemDelegate(new TCheckListDelegate(this, list));
    // New items get their check box; the user's changes are check clicks.
    QObject *context = FSignals.Context();
    QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, context, [this, list](const QModelIndex &, int First, int Last) {
        FSetting = true;
        for (int i = First; i <= Last; ++i) {
            QListWidgetItem *item = list->item(i);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
        FSetting = false;
    });
    QObject::connect(list, &QListWidget::itemChanged, context, [this](QListWidgetItem *) {
        if (!FSetting)
            CallGuarded(this, [&] { ClickCheck(); });
    });
}

TCheckBoxState TCheckListBox::State(int Index) const
{
    CheckItemIndex(Index, Count());
    switch (List()->item(Index)->checkState()) {
    case Qt::Checked: return cbChecked;
    case Qt::PartiallyChecked: return cbGrayed;
    default: return cbUnchecked;
    }
}

void TCheckListBox::SetState(int Index, TCheckBoxState Value)
{
    CheckItemIndex(Index, Count());
    FSetting = true;
    List()->item(Index)->setCheckState(QtState(Value));
    FSetting = false;
}

bool TCheckListBox::ItemEnabled(int Index) const
{
    CheckItemIndex(Index, Count());
    return List()->item(Index)->flags() & Qt::ItemIsUserCheckable;
}

void TCheckListBox::SetItemEnabled(int Index, bool Value)
{
    CheckItemIndex(Index, Count());
    QListWidgetItem *item = List()->item(Index);
    FSetting = true;
    item->setFlags(Value ? item->flags() | Qt::ItemIsUserCheckable : item->flags() & ~Qt::ItemIsUserCheckable);
    FSetting = false;
}

void TCheckListBox::SetAllowGrayed(bool Value)
{
    FAllowGrayed = Value;
    FSetting = true;
    for (int i = 0; i < Count(); ++i) {
        QListWidgetItem *item = List()->item(i);
        item->setFlags(Value ? item->flags() | Qt::ItemIsUserTristate : item->flags() & ~Qt::ItemIsUserTristate);
        if (!Value && item->checkState() == Qt::PartiallyChecked)
            item->setCheckState(Qt::Unchecked);
    }
    FSetting = false;
}

void TCheckListBox::SetFlat(bool Value)
{
    FFlat = Value;
    if (HandleAllocated())
        List()->viewport()->update();
}

void TCheckListBox::ClickCheck()
{
    if (OnClickCheck)
        OnClickCheck(this);
}
