#pragma once
// The tree view: nodes with captions, image indexes and user data, shown in
// a Qt tree widget. The nodes live in the control and are mirrored into the
// widget while it exists, so a tree can be filled before it has a window.
#include "Controls.h"
#include "ControlsNative.h"
#include "Forms.h"
#include "ImgList.h"

#include <QByteArray>

#include <memory>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;
class TCustomTreeView;
class TTreeNodes;

// A stored node block that cannot be read, or a node that cannot be stored.
class ETreeViewError : public Exception {
public:
    using Exception::Exception;
};

class TTreeNode : public TPersistent {
public:
    TTreeNode(TTreeNodes *AOwner, TTreeNode *AParent);
    ~TTreeNode() override;

    String Text() const { return FText; }
    void SetText(const String &Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int Value) { FSelectedIndex = Value; }
    int StateIndex() const { return FStateIndex; }
    void SetStateIndex(int Value) { FStateIndex = Value; }
    int OverlayIndex() const { return FOverlayIndex; }
    void SetOverlayIndex(int Value) { FOverlayIndex = Value; }
    void *Data() const { return FData; }
    void SetData(void *Value) { FData = Value; }

    TTreeNode *Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode *Item(int Index) const;
    bool HasChildren() const { return !FChildren.empty(); }
    // Position among the parent's children (or the top-level nodes).
    int Index() const;
    // 0 for a top-level node.
    int Level() const;
    TTreeNode *GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
    TTreeNode *GetNextSibling() const;
    TTreeNode *GetPrevSibling() const;
    bool HasAsParent(const TTreeNode *Value) const;

    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool Value);
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    bool Selected() const;
    void SetSelected(bool Value);

    TTreeNodes *Owner() const { return FOwner; }
    TCustomTreeView *TreeView() const;
    // Removes the node and its children from the tree and frees them.
    void Delete();

    void Assign(const TPersistent *Source) override;

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    std::vector<std::unique_ptr<TTreeNode>> &Siblings() const;

    TTreeNodes *FOwner;
    TTreeNode *FParent;
    String FText;
    int FImageIndex = 0;
    int FSelectedIndex = 0;
    int FStateIndex = -1;
    int FOverlayIndex = -1;
    void *FData = nullptr;
    bool FExpanded = false;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
    QTreeWidgetItem *FItem = nullptr; // while the tree has a window
};

class TTreeNodes : public TPersistent {
public:
    explicit TTreeNodes(TCustomTreeView *AOwner);
    ~TTreeNodes() override;

    TCustomTreeView *Owner() const { return FOwner; }
    // Every node of the tree, counted and indexed depth-first.
    int Count() const;
    TTreeNode *Item(int Index) const;
    TTreeNode *GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
    int TopCount() const { return static_cast<int>(FRoots.size()); }
    TTreeNode *TopItem(int Index) const;

    // A new last sibling of Sibling (a new last top-level node without one).
    TTreeNode *Add(TTreeNode *Sibling, const String &S);
    TTreeNode *AddObject(TTreeNode *Sibling, const String &S, void *Ptr);
    // A new last child of Parent (a top-level node without one).
    TTreeNode *AddChild(TTreeNode *Parent, const String &S);
    TTreeNode *AddChildObject(TTreeNode *Parent, const String &S, void *Ptr);
    // A new node just before Sibling (a last top-level node without one).
    TTreeNode *Insert(TTreeNode *Sibling, const String &S);
    void Delete(TTreeNode *Node);
    void Clear();

    void BeginUpdate();
    void EndUpdate();

    // The stored form of the nodes: a 32-bit count of top-level nodes, then
    // each node depth-first as a record of its length, image index, selected
    // index, state index, overlay index, data and child count (32-bit little
    // endian, signed) and its caption as a length byte and GBK bytes.
    // ReadData replaces the nodes; it raises ETreeViewError for a block that
    // is truncated or inconsistent and then leaves the nodes as they were.
    void ReadData(const QByteArray &Data);
    // Raises ETreeViewError for a caption GBK cannot hold or longer than 255 bytes.
    QByteArray WriteData() const;

    void Assign(const TPersistent *Source) override;

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    TTreeNode *InsertNode(TTreeNode *Parent, int Position, const String &S, void *Ptr);

    TCustomTreeView *FOwner;
    std::vector<std::unique_ptr<TTreeNode>> FRoots;
    int FUpdateCount = 0;
};

using TTVChangedEvent = std::function<void(TObject *Sender, TTreeNode *Node)>;
using TTVExpandedEvent = std::function<void(TObject *Sender, TTreeNode *Node)>;

// OnClick runs for a click on a node's row; a click on an expand button or
// on the empty space below the nodes is none. A caption cut short ("…")
// shows whole as a tool tip.
class TCustomTreeView : public TWinControl {
public:
    explicit TCustomTreeView(TComponent *AOwner);
    ~TCustomTreeView() override;

    TTreeNodes *Items() const { return FItems.get(); }
    void SetItems(const TTreeNodes *Value) { FItems->Assign(Value); }
    // The selected node, or nullptr.
    TTreeNode *Selected() const { return FSelected; }
    void SetSelected(TTreeNode *Value);

    // Selecting a node expands it and collapses the branch of the node
    // selected before (except where the two branches meet).
    bool AutoExpand() const { return FAutoExpand; }
    void SetAutoExpand(bool Value) { FAutoExpand = Value; }
    // Captions cannot be edited in place.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // Pixels each level of children is indented by.
    int Indent() const { return FIndent; }
    void SetIndent(int Value);
    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool Value);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool Value);
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool Value);
    // The selection is shown only while the tree has the focus.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    // The selection covers the whole row rather than the caption.
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value);
    TCustomImageList *Images() const { return FImages; }
    void SetImages(TCustomImageList *Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    void FullExpand();
    void FullCollapse();
    // The node at a point of the client area, or nullptr.
    TTreeNode *GetNodeAt(int X, int Y);
    // The node's caption rectangle in client coordinates (empty when not shown).
    TRect NodeRect(TTreeNode *Node);

    // After the selection changed (by the mouse, the keyboard or the program).
    TTVChangedEvent OnChange;
    TTVExpandedEvent OnExpanded;
    TTVExpandedEvent OnCollapsed;

protected:
    QWidget *CreateWindowHandle(QWidget *ParentWidget) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DefaultHandler(TMessage &Message) override;
    void CMColorChanged(TMessage &Message) override;
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void WMLButtonDown(TMessage &Message) override;
    virtual void Change(TTreeNode *Node);
    virtual void Expanded(TTreeNode *Node);
    virtual void Collapsed(TTreeNode *Node);

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    QTreeWidget *Tree() const;
    // Mirrors a node (and its children) into the widget.
    void CreateItem(TTreeNode *Node, int Position);
    void ApplyImage(TTreeNode *Node);
    void ApplyOptions();
    void NodeRemoved(TTreeNode *Node);
    void SelectionChanged(TTreeNode *Node);
    void ExpansionChanged(TTreeNode *Node, bool Value);
    TTreeNode *NodeOf(QTreeWidgetItem *Item) const;
    // A client point on a node's row, off its expand button.
    bool IsOnNodeRow(int X, int Y);

    std::unique_ptr<TTreeNodes> FItems;
    TTreeNode *FSelected = nullptr;
    bool FAutoExpand = false;
    bool FReadOnly = false;
    int FIndent = 19;
    bool FShowButtons = true;
    bool FShowLines = true;
    bool FShowRoot = true;
    bool FHideSelection = true;
    bool FRowSelect = false;
    TCustomImageList *FImages = nullptr;
    TBorderStyle FBorderStyle = bsSingle;
    bool FSyncing = false;
    TNativeSignals FSignals;
};

class TTreeView : public TCustomTreeView {
public:
    using TCustomTreeView::TCustomTreeView;
};
