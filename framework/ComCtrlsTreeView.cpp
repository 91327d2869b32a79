// The tree view over a Qt tree widget: nodes, selection, single-branch
// expansion and the tree's options.
#include "ComCtrlsTreeView.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QTreeWidget>

namespace {
constexpr int NodeRole = Qt::UserRole;

// The tree widget draws its own lines and plus/minus buttons in the branch
// area, as the options ask.
class TTreeWidget : public QTreeWidget {
public:
    TTreeWidget(TCustomTreeView *Tree, QWidget *Parent) : QTreeWidget(Parent), FTree(Tree) {}

protected:
    void drawBranches(QPainter *Painter, const QRect &Rect, const QModelIndex &Index) const override;
    bool viewportEvent(QEvent *Event) override;
    // A press below the last node keeps the selection, as tree views do.
    void mousePressEvent(QMouseEvent *Event) override;

private:
    TCustomTreeView *FTree;
};

void TTreeWidget::mousePressEvent(QMouseEvent *Event)
{
    if (!itemAt(Event->position().toPoint())) {
        Event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(Event);
}

// A caption cut short ("…") by a narrow tree shows whole as a tip; captions
// shown whole have none.
bool TTreeWidget::viewportEvent(QEvent *Event)
{
    if (Event->type() != QEvent::ToolTip)
        return QTreeWidget::viewportEvent(Event);
    const auto *help = static_cast<QHelpEvent *>(Event);
    const QTreeWidgetItem *item = itemAt(help->pos());
    const QRect shown = item ? visualItemRect(item).intersected(viewport()->rect()) : QRect();
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int iconWidth = item && !item->icon(0).isNull() ? iconSize().width() + margin : 0;
    const QString caption = item ? item->text(0) : QString();
    if (!item || fontMetrics().horizontalAdvance(caption) <= shown.width() - 2 * margin - iconWidth) {
        QToolTip::hideText();
        Event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(), caption, viewport(), shown);
    return true;
}

void TTreeWidget::drawBranches(QPainter *Painter, const QRect &Rect, const QModelIndex &Index) const
{
    const int indent = indentation();
    if (indent <= 0)
        return;
    Painter->save();
    Painter->setRenderHint(QPainter::Antialiasing, false);
    const int midY = Rect.top() + Rect.height() / 2;
    // Column of the item itself: the right-most indentation step.
    const int itemLeft = Rect.right() + 1 - indent;
    const int midX = itemLeft + indent / 2;
    if (FTree->ShowLines()) {
        QPen pen(QColor(128, 128, 128), 1, Qt::DotLine);
        Painter->setPen(pen);
        const QModelIndex parent = Index.parent();
        const bool hasBelow = Index.sibling(Index.row() + 1, 0).isValid();
        const bool hasAbove = Index.row() > 0 || parent.isValid();
        Painter->drawLine(midX, midY, itemLeft + indent - 2, midY);
        Painter->drawLine(midX, hasAbove ? Rect.top() : midY, midX, hasBelow ? Rect.bottom() : midY);
        // Lines of the ancestors that have further siblings below.
        int x = midX - indent;
        for (QModelIndex a = parent; a.isValid() && x >= Rect.left(); a = a.parent(), x -= indent)
            if (a.sibling(a.row() + 1, 0).isValid())
                Painter->drawLine(x, Rect.top(), x, Rect.bottom());
    }
    if (FTree->ShowButtons() && model()->hasChildren(Index)) {
        const QRect box(midX - 4, midY - 4, 8, 8);
        Painter->setPen(QColor(128, 128, 128));
        Painter->setBrush(Qt::white);
        Painter->drawRect(box);
        Painter->setPen(Qt::black);
        Painter->drawLine(midX - 2, midY, midX + 2, midY);
        if (!isExpanded(Index))
            Painter->drawLine(midX, midY - 2, midX, midY + 2);
    }
    Painter->restore();
}
}

// TTreeNode

TTreeNode::TTreeNode(TTreeNodes *AOwner, TTreeNode *AParent) : FOwner(AOwner), FParent(AParent) {}

TTreeNode::~TTreeNode() = default;

std::vector<std::unique_ptr<TTreeNode>> &TTreeNode::Siblings() const
{
    return FParent ? FParent->FChildren : FOwner->FRoots;
}

TTreeNode *TTreeNode::Item(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("Tree node index out of bounds (%1)").arg(Index));
    return FChildren[Index].get();
}

int TTreeNode::Index() const
{
    const auto &siblings = Siblings();
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

int TTreeNode::Level() const
{
    int level = 0;
    for (TTreeNode *p = FParent; p; p = p->FParent)
        ++level;
    return level;
}

TTreeNode *TTreeNode::GetNextSibling() const
{
    const auto &siblings = Siblings();
    const int i = Index();
    return i + 1 < static_cast<int>(siblings.size()) ? siblings[i + 1].get() : nullptr;
}

TTreeNode *TTreeNode::GetPrevSibling() const
{
    const int i = Index();
    return i > 0 ? Siblings()[i - 1].get() : nullptr;
}

bool TTreeNode::HasAsParent(const TTreeNode *Value) const
{
    for (TTreeNode *p = FParent; p; p = p->FParent)
        if (p == Value)
            return true;
    return false;
}

TCustomTreeView *TTreeNode::TreeView() const
{
    return FOwner->Owner();
}

void TTreeNode::SetText(const String &Value)
{
    FText = Value;
    if (FItem)
        FItem->setText(0, Value);
}

void TTreeNode::SetImageIndex(int Value)
{
    FImageIndex = Value;
    TreeView()->ApplyImage(this);
}

void TTreeNode::SetExpanded(bool Value)
{
    if (FItem) {
        FItem->setExpanded(Value); // the widget reports the change back
        return;
    }
    TreeView()->ExpansionChanged(this, Value);
}

void TTreeNode::Expand(bool Recurse)
{
    SetExpanded(true);
    if (Recurse)
        for (auto &child : FChildren)
            child->Expand(true);
}

void TTreeNode::Collapse(bool Recurse)
{
    SetExpanded(false);
    if (Recurse)
        for (auto &child : FChildren)
            child->Collapse(true);
}

bool TTreeNode::Selected() const
{
    return TreeView()->Selected() == this;
}

void TTreeNode::SetSelected(bool Value)
{
    if (Value)
        TreeView()->SetSelected(this);
    else if (Selected())
        TreeView()->SetSelected(nullptr);
}

void TTreeNode::Delete()
{
    FOwner->Delete(this);
}

void TTreeNode::Assign(const TPersistent *Source)
{
    auto source = dynamic_cast<const TTreeNode *>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    SetText(source->FText);
    FImageIndex = source->FImageIndex;
    FSelectedIndex = source->FSelectedIndex;
    FStateIndex = source->FStateIndex;
    FOverlayIndex = source->FOverlayIndex;
    FData = source->FData;
    TreeView()->ApplyImage(this);
}

// TTreeNodes

TTreeNodes::TTreeNodes(TCustomTreeView *AOwner) : FOwner(AOwner) {}

TTreeNodes::~TTreeNodes() = default;

int TTreeNodes::Count() const
{
    int count = 0;
    std::vector<const TTreeNode *> stack;
    for (auto &root : FRoots)
        stack.push_back(root.get());
    while (!stack.empty()) {
        const TTreeNode *node = stack.back();
        stack.pop_back();
        ++count;
        for (auto &child : node->FChildren)
            stack.push_back(child.get());
    }
    return count;
}

TTreeNode *TTreeNodes::Item(int Index) const
{
    if (Index >= 0) {
        int i = 0;
        for (TTreeNode *node = GetFirstNode(); node;) {
            if (i++ == Index)
                return node;
            // Depth-first: the first child, else the next sibling of the
            // node or of its nearest ancestor that has one.
            if (TTreeNode *child = node->GetFirstChild()) {
                node = child;
                continue;
            }
            while (node && !node->GetNextSibling())
                node = node->Parent();
            node = node ? node->GetNextSibling() : nullptr;
        }
    }
    throw EListError(QStringLiteral("Tree node index out of bounds (%1)").arg(Index));
}

TTreeNode *TTreeNodes::TopItem(int Index) const
{
    if (Index < 0 || Index >= TopCount())
        throw EListError(QStringLiteral("Tree node index out of bounds (%1)").arg(Index));
    return FRoots[Index].get();
}

TTreeNode *TTreeNodes::InsertNode(TTreeNode *Parent, int Position, const String &S, void *Ptr)
{
    auto node = std::make_unique<TTreeNode>(this, Parent);
    node->FText = S;
    node->FData = Ptr;
    TTreeNode *result = node.get();
    auto &siblings = Parent ? Parent->FChildren : FRoots;
    siblings.insert(siblings.begin() + Position, std::move(node));
    FOwner->CreateItem(result, Position);
    return result;
}

TTreeNode *TTreeNodes::Add(TTreeNode *Sibling, const String &S)
{
    return AddObject(Sibling, S, nullptr);
}

TTreeNode *TTreeNodes::AddObject(TTreeNode *Sibling, const String &S, void *Ptr)
{
    TTreeNode *parent = Sibling ? Sibling->Parent() : nullptr;
    return InsertNode(parent, parent ? parent->Count() : TopCount(), S, Ptr);
}

TTreeNode *TTreeNodes::AddChild(TTreeNode *Parent, const String &S)
{
    return AddChildObject(Parent, S, nullptr);
}

TTreeNode *TTreeNodes::AddChildObject(TTreeNode *Parent, const String &S, void *Ptr)
{
    return InsertNode(Parent, Parent ? Parent->Count() : TopCount(), S, Ptr);
}

TTreeNode *TTreeNodes::Insert(TTreeNode *Sibling, const String &S)
{
    if (!Sibling)
        return InsertNode(nullptr, TopCount(), S, nullptr);
    return InsertNode(Sibling->Parent(), Sibling->Index(), S, nullptr);
}

void TTreeNodes::Delete(TTreeNode *Node)
{
    if (!Node || Node->FOwner != this)
        return;
    FOwner->NodeRemoved(Node);
    auto &siblings = Node->Siblings();
    siblings.erase(siblings.begin() + Node->Index());
}

void TTreeNodes::Clear()
{
    while (!FRoots.empty())
        Delete(FRoots.back().get());
}

void TTreeNodes::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        if (QTreeWidget *tree = FOwner->Tree())
            tree->setUpdatesEnabled(false);
}

void TTreeNodes::EndUpdate()
{
    if (FUpdateCount == 0 || --FUpdateCount > 0)
        return;
    if (QTreeWidget *tree = FOwner->Tree())
        tree->setUpdatesEnabled(true);
}

void TTreeNodes::Assign(const TPersistent *Source)
{
    auto source = dynamic_cast<const TTreeNodes *>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    ReadData(source->WriteData());
}

// TCustomTreeView

TCustomTreeView::TCustomTreeView(TComponent *AOwner) : TWinControl(AOwner), FItems(std::make_unique<TTreeNodes>(this))
{
    SetBounds(Left(), Top(), 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView()
{
    Destroying();
    FSignals.Release();
    DestroyHandle();
}

QTreeWidget *TCustomTreeView::Tree() const
{
    return HandleAllocated() ? static_cast<QTreeWidget *>(const_cast<TCustomTreeView *>(this)->Handle()) : nullptr;
}

QWidget *TCustomTreeView::CreateWindowHandle(QWidget *ParentWidget)
{
    auto *tree = new TTreeWidget(this, ParentWidget);
    tree->setColumnCount(1);
    tree->setHeaderHidden(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setUniformRowHeights(true);
    tree->setAnimated(false);
    tree->header()->setStretchLastSection(true);
    QObject *context = FSignals.Bind(tree);
    QObject::connect(tree, &QTreeWidget::itemSelectionChanged, context, [this, tree] {
        if (FSyncing)
            return;
        const QList<QTreeWidgetItem *> selected = tree->selectedItems();
        CallGuarded(this, [&] { SelectionChanged(selected.isEmpty() ? nullptr : NodeOf(selected.front())); });
    });
    QObject::connect(tree, &QTreeWidget::itemExpanded, context, [this](QTreeWidgetItem *item) {
        CallGuarded(this, [&] { ExpansionChanged(NodeOf(item), true); });
    });
    QObject::connect(tree, &QTreeWidget::itemCollapsed, context, [this](QTreeWidgetItem *item) {
        CallGuarded(this, [&] { ExpansionChanged(NodeOf(item), false); });
    });
    return tree;
}

void TCustomTreeView::CreateWnd()
{
    QTreeWidget *tree = Tree();
    HookWidget(tree->viewport());
    ApplyNativeBorder(tree, BorderWidth(), FBorderStyle == bsSingle);
    ApplyNativeColor(tree, Color());
    tree->setFont(Font()->QtFont());
    ApplyOptions();
    FSyncing = true;
    for (int i = 0; i < FItems->TopCount(); ++i)
        CreateItem(FItems->TopItem(i), i);
    if (FSelected)
        FSelected->FItem->setSelected(true);
    FSyncing = false;
    TWinControl::CreateWnd();
}

void TCustomTreeView::DestroyWnd()
{
    FSignals.Release();
    std::vector<TTreeNode *> stack;
    for (auto &root : FItems->FRoots)
        stack.push_back(root.get());
    while (!stack.empty()) {
        TTreeNode *node = stack.back();
        stack.pop_back();
        node->FItem = nullptr;
        for (auto &child : node->FChildren)
            stack.push_back(child.get());
    }
    TWinControl::DestroyWnd();
}

void TCustomTreeView::DefaultHandler(TMessage &Message)
{
    if (!NativeDefaultHandler(this, FBorderStyle == bsSingle, Message))
        TWinControl::DefaultHandler(Message);
}

void TCustomTreeView::CMColorChanged(TMessage &Message)
{
    if (HandleAllocated())
        ApplyNativeColor(Tree(), Color());
    TWinControl::CMColorChanged(Message);
}

void TCustomTreeView::ApplyOptions()
{
    QTreeWidget *tree = Tree();
    if (!tree)
        return;
    tree->setIndentation(FIndent);
    tree->setRootIsDecorated(FShowRoot);
    tree->setEditTriggers(FReadOnly ? QAbstractItemView::NoEditTriggers
                                    : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    tree->setAllColumnsShowFocus(FRowSelect);
    // Without the focus a hidden selection looks like the background; a kept
    // one is shown in the button face colour.
    QPalette palette = tree->palette();
    const QColor inactive = FHideSelection ? palette.color(QPalette::Base) : ColorToQColor(clBtnFace);
    palette.setColor(QPalette::Inactive, QPalette::Highlight, inactive);
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     FHideSelection ? palette.color(QPalette::Text) : ColorToQColor(clBtnText));
    tree->setPalette(palette);
    if (FImages)
        tree->setIconSize(QSize(FImages->Width(), FImages->Height()));
    tree->viewport()->update();
}

void TCustomTreeView::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    ApplyOptions();
}

void TCustomTreeView::SetIndent(int Value)
{
    FIndent = std::max(Value, 0);
    ApplyOptions();
}

void TCustomTreeView::SetShowButtons(bool Value)
{
    FShowButtons = Value;
    ApplyOptions();
}

void TCustomTreeView::SetShowLines(bool Value)
{
    FShowLines = Value;
    ApplyOptions();
}

void TCustomTreeView::SetShowRoot(bool Value)
{
    FShowRoot = Value;
    ApplyOptions();
}

void TCustomTreeView::SetHideSelection(bool Value)
{
    FHideSelection = Value;
    ApplyOptions();
}

void TCustomTreeView::SetRowSelect(bool Value)
{
    FRowSelect = Value;
    ApplyOptions();
}

void TCustomTreeView::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    if (HandleAllocated())
        ApplyNativeBorder(Tree(), BorderWidth(), FBorderStyle == bsSingle);
}

void TCustomTreeView::SetImages(TCustomImageList *Value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
    ApplyOptions();
    for (int i = 0, n = FItems->Count(); i < n; ++i)
        ApplyImage(FItems->Item(i));
}

void TCustomTreeView::Notification(TComponent *AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        SetImages(nullptr);
}

void TCustomTreeView::ApplyImage(TTreeNode *Node)
{
    if (!Node->FItem)
        return;
    if (!FImages || FImages->Count() == 0) {
        Node->FItem->setIcon(0, QIcon());
        return;
    }
    auto picture = [this](int Index) {
        QImage image(FImages->Width(), FImages->Height(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            TCanvas canvas(&image);
            FImages->Draw(&canvas, 0, 0, Index);
        }
        return QPixmap::fromImage(image);
    };
    QIcon icon;
    icon.addPixmap(picture(Node->FImageIndex), QIcon::Normal);
    icon.addPixmap(picture(Node->FSelectedIndex), QIcon::Selected);
    Node->FItem->setIcon(0, icon);
}

void TCustomTreeView::CreateItem(TTreeNode *Node, int Position)
{
    QTreeWidget *tree = Tree();
    if (!tree)
        return;
    QTreeWidgetItem *parent = Node->FParent ? Node->FParent->FItem : tree->invisibleRootItem();
    if (!parent)
        return;
    auto *item = new QTreeWidgetItem(QStringList{Node->FText});
    item->setData(0, NodeRole, QVariant::fromValue(static_cast<void *>(Node)));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    Node->FItem = item;
    const bool syncing = FSyncing;
    FSyncing = true;
    parent->insertChild(Position, item);
    for (int i = 0; i < Node->Count(); ++i)
        CreateItem(Node->FChildren[i].get(), i);
    item->setExpanded(Node->FExpanded);
    FSyncing = syncing;
    ApplyImage(Node);
}

TTreeNode *TCustomTreeView::NodeOf(QTreeWidgetItem *Item) const
{
    return Item ? static_cast<TTreeNode *>(Item->data(0, NodeRole).value<void *>()) : nullptr;
}

void TCustomTreeView::NodeRemoved(TTreeNode *Node)
{
    if (FSelected && (FSelected == Node || FSelected->HasAsParent(Node)))
        FSelected = nullptr;
    QTreeWidgetItem *item = Node->FItem;
    std::vector<TTreeNode *> stack{Node};
    while (!stack.empty()) {
        TTreeNode *n = stack.back();
        stack.pop_back();
        n->FItem = nullptr;
        for (auto &child : n->FChildren)
            stack.push_back(child.get());
    }
    if (item) {
        FSyncing = true;
        delete item;
        FSyncing = false;
        // The widget may have moved its selection; the tree's stays as it is.
        QTreeWidget *tree = Tree();
        FSyncing = true;
        tree->clearSelection();
        if (FSelected)
            FSelected->FItem->setSelected(true);
        FSyncing = false;
    }
}

void TCustomTreeView::SetSelected(TTreeNode *Value)
{
    if (QTreeWidget *tree = Tree()) {
        if (Value && Value->FItem) {
            tree->setCurrentItem(Value->FItem); // reported back through the widget
        } else {
            tree->clearSelection();
            tree->setCurrentItem(nullptr);
        }
        return;
    }
    SelectionChanged(Value);
}

void TCustomTreeView::SelectionChanged(TTreeNode *Node)
{
    if (Node == FSelected)
        return;
    TTreeNode *old = FSelected;
    FSelected = Node;
    if (FAutoExpand) {
        // Collapse the old branch up to where it meets the new one.
        for (TTreeNode *n = old; n && !(Node && (n == Node || Node->HasAsParent(n))); n = n->Parent())
            if (n->Expanded())
                n->SetExpanded(false);
        if (Node && Node->HasChildren() && !Node->Expanded())
            Node->SetExpanded(true);
    }
    Change(Node);
}

void TCustomTreeView::ExpansionChanged(TTreeNode *Node, bool Value)
{
    if (!Node || Node->FExpanded == Value)
        return;
    Node->FExpanded = Value;
    if (Value)
        Expanded(Node);
    else
        Collapsed(Node);
}

void TCustomTreeView::Change(TTreeNode *Node)
{
    if (OnChange)
        OnChange(this, Node);
}

void TCustomTreeView::Expanded(TTreeNode *Node)
{
    if (OnExpanded)
        OnExpanded(this, Node);
}

void TCustomTreeView::Collapsed(TTreeNode *Node)
{
    if (OnCollapsed)
        OnCollapsed(this, Node);
}

void TCustomTreeView::FullExpand()
{
    for (auto &root : FItems->FRoots)
        root->Expand(true);
}

void TCustomTreeView::FullCollapse()
{
    for (auto &root : FItems->FRoots)
        root->Collapse(true);
}

void TCustomTreeView::WMLButtonDown(TMessage &Message)
{
    // Judged before the press folds a branch and moves the rows below it.
    const bool onNode = IsOnNodeRow(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    TWinControl::WMLButtonDown(Message);
    // A press on an expand button or below the last node only folds or does
    // nothing: its release is no click on a node.
    if (!onNode)
        SetControlState(ControlState() & ~csClicked);
}

bool TCustomTreeView::IsOnNodeRow(int X, int Y)
{
    QTreeWidget *tree = Tree();
    if (!tree)
        return false;
    const QPoint p = tree->viewport()->mapFrom(tree, QPoint(X + BorderWidth(), Y + BorderWidth()));
    const QTreeWidgetItem *item = tree->itemAt(p);
    if (!item)
        return false;
    // The expand button fills the indentation step just left of the caption.
    const QRect caption = tree->visualItemRect(item);
    const bool onButton = FShowButtons && item->childCount() > 0 && p.x() < caption.left()
                          && p.x() >= caption.left() - tree->indentation();
    return !onButton;
}

TTreeNode *TCustomTreeView::GetNodeAt(int X, int Y)
{
    QTreeWidget *tree = static_cast<QTreeWidget *>(Handle());
    const QPoint p = tree->viewport()->mapFrom(tree, QPoint(X + BorderWidth(), Y + BorderWidth()));
    return NodeOf(tree->itemAt(p));
}

TRect TCustomTreeView::NodeRect(TTreeNode *Node)
{
    QTreeWidget *tree = static_cast<QTreeWidget *>(Handle());
    if (!Node || !Node->FItem)
        return {};
    const QRect r = tree->visualItemRect(Node->FItem);
    if (r.isEmpty())
        return {};
    const QPoint p = tree->viewport()->mapTo(tree, r.topLeft());
    return Bounds(p.x() - BorderWidth(), p.y() - BorderWidth(), r.width(), r.height());
}
