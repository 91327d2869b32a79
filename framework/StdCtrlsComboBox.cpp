// The combo box over a Qt combo box.
#include "StdCtrlsComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace {
constexpr int ObjectRole = Qt::UserRole + 1;

void CheckItemIndex(int Index, int Count)
{
    if (Index < 0 || Index >= Count)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

TRect ToRect(const QRect &R)
{
    return Rect(R.left(), R.top(), R.right() + 1, R.bottom() + 1);
}
}

// The items, kept by the widget.
class TComboBoxStrings : public TStrings {
public:
    explicit TComboBoxStrings(TCustomComboBox *ACombo) : FCombo(ACombo) {}

    int Count() const override { return Window() ? FCombo->Combo()->count() : FCombo->FSaved.Count(); }
    String Strings(int Index) const override
    {
        CheckItemIndex(Index, Count());
        return Window() ? FCombo->Combo()->itemText(Index) : FCombo->FSaved.Strings(Index);
    }
    void SetStrings(int Index, const String &S) override
    {
        CheckItemIndex(Index, Count());
        if (Window())
            FCombo->Combo()->setItemText(Index, S);
        else
            FCombo->FSaved.SetStrings(Index, S);
    }
    TObject *Objects(int Index) const override
    {
        CheckItemIndex(Index, Count());
        if (!Window())
            return FCombo->FSaved.Objects(Index);
        return static_cast<TObject *>(FCombo->Combo()->itemData(Index, ObjectRole).value<void *>());
    }
    void SetObjects(int Index, TObject *AObject) override
    {
        CheckItemIndex(Index, Count());
        if (Window())
            FCombo->Combo()->setItemData(Index, QVariant::fromValue(static_cast<void *>(AObject)), ObjectRole);
        else
            FCombo->FSaved.SetObjects(Index, AObject);
    }
    int Add(const String &S) override
    {
        int row = Count();
        if (FCombo->Sorted()) {
            row = 0;
            while (row < Count() && Strings(row).compare(S, Qt::CaseInsensitive) <= 0)
                ++row;
        }
        Insert(row, S);
        return row;
    }
    void Insert(int Index, const String &S) override
    {
        CheckItemIndex(Index, Count() + 1);
        if (!Window()) {
            FCombo->FSaved.Insert(Index, S);
            return;
        }
        FCombo->FChanging = true;
        FCombo->Combo()->insertItem(Index, S);
        FCombo->FChanging = false;
    }
    void Delete(int Index) override
    {
        CheckItemIndex(Index, Count());
        if (!Window()) {
            FCombo->FSaved.Delete(Index);
            return;
        }
        FCombo->FChanging = true;
        FCombo->Combo()->removeItem(Index);
        FCombo->FChanging = false;
    }
    void Clear() override
    {
        FCombo->FSaved.Clear();
        FCombo->FSavedIndex = -1;
        if (!Window())
            return;
        FCombo->FChanging = true;
        FCombo->Combo()->clear();
        FCombo->FChanging = false;
    }

private:
    bool Window() const { return FCombo->HandleAllocated(); }
    TCustomComboBox *FCombo;
};

// Owner-drawn items of the open list.
class TComboBoxDelegate : public QStyledItemDelegate {
public:
    TComboBoxDelegate(TCustomComboBox *Combo, QObject *Parent) : QStyledItemDelegate(Parent), FCombo(Combo) {}

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        if (!FCombo->OwnerDraw()) {
            QStyledItemDelegate::paint(Painter, Option, Index);
            return;
        }
        TOwnerDrawState state = 0;
        if (Option.state & (QStyle::State_Selected | QStyle::State_MouseOver))
            state |= odSelected;
        if (Option.state & QStyle::State_HasFocus)
            state |= odFocused;
        FCombo->PaintItem(Painter, Index.row(), Option.rect, state);
    }

    QSize sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(Option, Index);
        if (FCombo->Style() == csOwnerDrawVariable) {
            int height = FCombo->ItemHeight();
            CallGuarded(FCombo, [&] { FCombo->MeasureItem(Index.row(), height); });
            size.setHeight(height);
        } else if (FCombo->OwnerDraw()) {
            size.setHeight(FCombo->ItemHeight());
        }
        return size;
    }

private:
    TCustomComboBox *FCombo;
};

// The Qt combo box: an owner-drawn box paints its face through the
// control; the list's opening and closing are the control's events.
class TComboBoxWidget : public QComboBox {
public:
    TComboBoxWidget(TCustomComboBox *Combo, QWidget *Parent) : QComboBox(Parent), FCombo(Combo) {}

    void showPopup() override
    {
        CallGuarded(FCombo, [&] { FCombo->DropDown(); });
        QComboBox::showPopup();
    }
    void hidePopup() override
    {
        QComboBox::hidePopup();
        CallGuarded(FCombo, [&] { FCombo->CloseUp(); });
    }

protected:
    void paintEvent(QPaintEvent *Event) override
    {
        if (!FCombo->OwnerDraw()) {
            QComboBox::paintEvent(Event);
            return;
        }
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        option.currentText.clear();
        option.currentIcon = QIcon();
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect face = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
        TOwnerDrawState state = odComboBoxEdit;
        if (hasFocus())
            state |= odSelected | odFocused;
        if (!isEnabled())
            state |= odDisabled | odGrayed;
        FCombo->PaintItem(&painter, currentIndex(), face, state);
    }

private:
    TCustomComboBox *FCombo;
};

TCustomComboBox::TCustomComboBox(TComponent *AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TComboBoxStrings>(this)), FCanvas(std::make_unique<TCanvas>())
{
    SetBounds(Left(), Top(), 145, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetControlStyle(ControlStyle() & ~csClickEvents);
}

TCustomComboBox::~TCustomComboBox()
{
    Destroying();
    FSignals.Release();
    DestroyHandle();
}

QComboBox *TCustomComboBox::Combo() const
{
    return static_cast<QComboBox *>(const_cast<TCustomComboBox *>(this)->Handle());
}

QWidget *TCustomComboBox::CreateWindowHandle(QWidget *ParentWidget)
{
    auto *combo = new TComboBoxWidget(this, ParentWidget);
    combo->setItemDelegate(new TComboBoxDelegate(this, combo));
    combo->setInsertPolicy(QComboBox::NoInsert);
    QObject *context = FSignals.Bind(combo);
    QObject::connect(combo, &QComboBox::activated, context, [this] {
        CallGuarded(this, [&] {
            Select();
            Click();
        });
    });
    QObject::connect(combo, &QComboBox::currentTextChanged, context, [this](const QString &text) {
        CallGuarded(this, [&] { WidgetTextChanged(text); });
    });
    return combo;
}

void TCustomComboBox::CreateWnd()
{
    QComboBox *combo = Combo();
    combo->setFont(Font()->QtFont());
    // Items kept while there was no window come back into it.
    FChanging = true;
    for (int i = 0; i < FSaved.Count(); ++i) {
        combo->addItem(FSaved.Strings(i));
        combo->setItemData(i, QVariant::fromValue(static_cast<void *>(FSaved.Objects(i))), ObjectRole);
    }
    FSaved.Clear();
    combo->setCurrentIndex(FSavedIndex < combo->count() ? FSavedIndex : -1);
    FChanging = false;
    ApplyStyle();
    ApplyNativeColor(combo, Color());
    TWinControl::CreateWnd();
}

void TCustomComboBox::DestroyWnd()
{
    FSignals.Release();
    // The items outlive the window.
    QComboBox *combo = Combo();
    FSavedIndex = combo->currentIndex();
    FSaved.Clear();
    for (int i = 0; i < combo->count(); ++i)
        FSaved.AddObject(combo->itemText(i), static_cast<TObject *>(combo->itemData(i, ObjectRole).value<void *>()));
    TWinControl::DestroyWnd();
}

void TCustomComboBox::ApplyStyle()
{
    if (!HandleAllocated())
        return;
    QComboBox *combo = Combo();
    const bool editable = FStyle == csDropDown || FStyle == csSimple;
    if (combo->isEditable() != editable) {
        FChanging = true;
        combo->setEditable(editable); // typing reaches currentTextChanged
        FChanging = false;
    }
    if (QLineEdit *edit = combo->lineEdit())
        edit->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
    combo->setMaxVisibleItems(std::max(FDropDownCount, 1));
    if (auto *view = qobject_cast<QListView *>(combo->view()))
        view->setUniformItemSizes(OwnerDraw() && FStyle != csOwnerDrawVariable);
    combo->update();
}

void TCustomComboBox::WidgetTextChanged(const String &Value)
{
    if (FChanging || Value == TControl::Text())
        return;
    TWinControl::SetText(Value);
    Change();
}

void TCustomComboBox::CMTextChanged(TMessage &Message)
{
    if (HandleAllocated()) {
        QComboBox *combo = Combo();
        const String text = TControl::Text();
        FChanging = true;
        if (combo->isEditable())
            combo->setEditText(text);
        else
            combo->setCurrentIndex(combo->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
        FChanging = false;
    }
    TWinControl::CMTextChanged(Message);
}

void TCustomComboBox::SetText(const String &Value)
{
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&Value));
}

void TCustomComboBox::CMColorChanged(TMessage &Message)
{
    if (HandleAllocated())
        ApplyNativeColor(Combo(), Color());
    TWinControl::CMColorChanged(Message);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    FStyle = Value;
    ApplyStyle();
}

int TCustomComboBox::ItemIndex() const
{
    return HandleAllocated() ? Combo()->currentIndex() : FSavedIndex;
}

void TCustomComboBox::SetItemIndex(int Value)
{
    if (!HandleAllocated()) {
        FSavedIndex = Value >= 0 && Value < FSaved.Count() ? Value : -1;
        TWinControl::SetText(FSavedIndex >= 0 ? FSaved.Strings(FSavedIndex) : String());
        return;
    }
    QComboBox *combo = Combo();
    FChanging = true;
    combo->setCurrentIndex(Value >= 0 && Value < combo->count() ? Value : -1);
    FChanging = false;
    TWinControl::SetText(combo->currentText());
}

void TCustomComboBox::SetItemHeight(int Value)
{
    if (Value <= 0)
        return;
    FItemHeight = Value;
    ApplyStyle();
}

void TCustomComboBox::SetDropDownCount(int Value)
{
    FDropDownCount = Value;
    ApplyStyle();
}

void TCustomComboBox::SetSorted(bool Value)
{
    FSorted = Value;
    if (!Value || !HandleAllocated())
        return;
    QComboBox *combo = Combo();
    const String current = combo->currentText();
    FChanging = true;
    combo->model()->sort(0);
    combo->setCurrentIndex(combo->findText(current, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    FChanging = false;
}

void TCustomComboBox::SetMaxLength(int Value)
{
    FMaxLength = std::max(Value, 0);
    ApplyStyle();
}

bool TCustomComboBox::DroppedDown() const
{
    return HandleAllocated() && Combo()->view()->isVisible();
}

void TCustomComboBox::SetDroppedDown(bool Value)
{
    if (Value)
        Combo()->showPopup();
    else
        Combo()->hidePopup();
}

void TCustomComboBox::Clear()
{
    FItems->Clear();
    TWinControl::SetText(String());
}

void TCustomComboBox::PaintItem(QPainter *Painter, int Index, const QRect &R, TOwnerDrawState State)
{
    const TRect rect = ToRect(R);
    Painter->save();
    FCanvas->BeginPainting(Painter);
    FCanvas->SetFont(Font());
    FCanvas->Brush()->SetStyle(bsSolid);
    if (State & odSelected) {
        FCanvas->Brush()->SetColor(clHighlight);
        FCanvas->Font()->SetColor(clHighlightText);
    } else {
        FCanvas->Brush()->SetColor(Color());
    }
    CallGuarded(this, [&] {
        DrawItem(Index, rect, State);
        if (State & odFocused)
            FCanvas->DrawFocusRect(rect);
    });
    FCanvas->EndPainting();
    Painter->restore();
}

void TCustomComboBox::DrawItem(int Index, const TRect &Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    if (Index >= 0 && Index < FItems->Count())
        FCanvas->TextOut(Rect.Left + 2, Rect.Top, FItems->Strings(Index));
}

void TCustomComboBox::MeasureItem(int Index, int &Height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
}

void TCustomComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::Select()
{
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TCustomComboBox::DropDown()
{
    if (OnDropDown)
        OnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
    if (OnCloseUp)
        OnCloseUp(this);
}

bool GetComboBoxInfo(HWND Wnd, TComboBoxInfo *Info)
{
    auto *combo = qobject_cast<QComboBox *>(Wnd);
    if (!combo || !Info || Info->cbSize != sizeof(TComboBoxInfo))
        return false;
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    option.subControls = QStyle::SC_All;
    QStyle *style = combo->style();
    Info->rcItem = ToRect(style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo));
    Info->rcButton = ToRect(style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo));
    Info->stateButton = combo->view()->isVisible() ? STATE_SYSTEM_PRESSED : 0;
    Info->hwndCombo = combo;
    Info->hwndItem = combo->lineEdit() ? static_cast<QWidget *>(combo->lineEdit()) : combo;
    Info->hwndList = combo->view();
    return true;
}
