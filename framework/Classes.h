#pragma once
// The framework's object model: the root object, persistent objects,
// components with their owner, string lists, collections, and the small
// sets (shift state, mouse button) that events carry.
#include "SysUtils.h"
#include "Types.h"

#include <QStringList>
#include <functional>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
    // The class's own name ("TForm1"), taken from the run-time type.
    virtual String ClassName() const;
};

using TNotifyEvent = std::function<void(TObject *Sender)>;

// An object whose state can be copied from another with Assign.
class TPersistent : public TObject {
public:
    // Copies Source into this object; raises EConvertError when the two kinds
    // cannot be assigned to each other.
    virtual void Assign(const TPersistent *Source);

protected:
    // Lets Source's class copy itself into a destination it knows.
    virtual void AssignTo(TPersistent *Dest) const;
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// A component name that is not an identifier or is taken within its owner.
class EComponentError : public Exception {
public:
    using Exception::Exception;
};

// Sets are bit masks; a set of values is their sum (ssShift | ssCtrl).
enum TShiftStateFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using TShiftState = unsigned;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
    csLoading = 1,
    csReading = 2,
    csWriting = 4,
    csDestroying = 8,
    csDesigning = 16,
    csUpdating = 32,
    csFreeNotification = 64,
};
using TComponentState = unsigned;

// A component belongs to its Owner, which frees it. Every component of an
// owner hears (Notification) when a sibling is inserted or removed; a
// component can also ask to hear about the removal of one it merely refers to
// (FreeNotification).
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent *AOwner);
    ~TComponent() override;
    TComponent(const TComponent &) = delete;
    TComponent &operator=(const TComponent &) = delete;

    String Name() const { return FName; }
    // Raises EComponentError for a name that is not an identifier or that
    // another component of the same owner already has.
    virtual void SetName(const String &Value);
    TComponent *Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent *Components(int Index) const;
    int ComponentIndex() const;
    // The owned component with this name (case-insensitive), or nullptr.
    TComponent *FindComponent(const String &AName) const;
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    TComponentState ComponentState() const { return FComponentState; }

    void InsertComponent(TComponent *AComponent);
    void RemoveComponent(TComponent *AComponent);
    void DestroyComponents();
    // AComponent's removal will be reported to this component.
    void FreeNotification(TComponent *AComponent);
    void RemoveFreeNotification(TComponent *AComponent);

    // Window descriptions bracket property reading with these two.
    void BeginLoading();
    virtual void Loaded();
    void SetDesigning(bool Value);

protected:
    virtual void Notification(TComponent *AComponent, TOperation Operation);
    // Marks the component as being destroyed; destructors of derived classes
    // call it first so that handlers see csDestroying.
    void Destroying();
    void SetComponentState(TComponentState Value) { FComponentState = Value; }

private:
    void Insert(TComponent *AComponent);
    void Remove(TComponent *AComponent);
    void NotifyAll(TComponent *AComponent, TOperation Operation);

    String FName;
    TComponent *FOwner = nullptr;
    std::vector<TComponent *> FComponents;
    std::vector<TComponent *> FFreeNotifies;
    int FTag = 0;
    TComponentState FComponentState = 0;
};

// A list of strings, each with an attached object pointer.
class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    virtual String Strings(int Index) const = 0;
    virtual void SetStrings(int Index, const String &S);
    virtual TObject *Objects(int Index) const = 0;
    virtual void SetObjects(int Index, TObject *AObject) = 0;
    virtual void Insert(int Index, const String &S) = 0;
    virtual void InsertObject(int Index, const String &S, TObject *AObject);
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    virtual int Add(const String &S);
    int AddObject(const String &S, TObject *AObject);
    void AddStrings(const TStrings *Strings);
    virtual int IndexOf(const String &S) const;
    int IndexOfObject(const TObject *AObject) const;
    void Move(int CurIndex, int NewIndex);
    void Exchange(int Index1, int Index2);

    // Lines separated by line breaks; setting splits on CR LF, LF or CR.
    String Text() const;
    void SetText(const String &Value);
    // Comma-separated, quoting items that hold blanks, commas or quotes.
    String CommaText() const;
    void SetCommaText(const String &Value);

    // Changes between the two arrive as one change at EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void Assign(const TPersistent *Source) override;

protected:
    // Called when updates start (true) and end (false).
    virtual void SetUpdateState(bool Updating);
    void CheckIndex(int Index, int Limit) const;

private:
    int FUpdateCount = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(FItems.size()); }
    String Strings(int Index) const override;
    void SetStrings(int Index, const String &S) override;
    TObject *Objects(int Index) const override;
    void SetObjects(int Index, TObject *AObject) override;
    int Add(const String &S) override;
    // Raises EListError on a sorted list: items go where the order says.
    void Insert(int Index, const String &S) override;
    void InsertObject(int Index, const String &S, TObject *AObject) override;
    void Delete(int Index) override;
    void Clear() override;
    int IndexOf(const String &S) const override;
    // Binary search of a sorted list; Index receives the match or the place
    // the string would go.
    bool Find(const String &S, int &Index) const;
    void Sort();

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool Updating) override;
    void Changing();
    void Changed();

private:
    struct Item {
        String S;
        TObject *Object;
    };
    int Compare(const String &A, const String &B) const;
    void InsertItem(int Index, const String &S, TObject *AObject);

    std::vector<Item> FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = dupIgnore;
};

class TCollection;

// One item of a collection; its index is its place in the collection.
class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection *ACollection);
    ~TCollectionItem() override;
    TCollection *Collection() const { return FCollection; }
    void SetCollection(TCollection *Value);
    int Index() const;
    void SetIndex(int Value);
    int ID() const { return FID; }

protected:
    // Tells the collection that this item (AllItems: every item) changed.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection *FCollection = nullptr;
    int FID = 0;
};

// An owned, ordered list of items of one class. Update (a virtual hook the
// owning class overrides) hears about every change, or once after EndUpdate.
class TCollection : public TPersistent {
public:
    using ItemFactory = std::function<TCollectionItem *(TCollection *)>;
    // Factory creates the collection's items (Add calls it).
    explicit TCollection(ItemFactory Factory);
    ~TCollection() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem *Items(int Index) const;
    TCollectionItem *Add();
    TCollectionItem *Insert(int Index);
    void Delete(int Index);
    void Clear();
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    TCollectionItem *FindItemID(int ID) const;

    // Copies Source item by item: items are made with this collection's
    // factory and assigned from the source's.
    void Assign(const TPersistent *Source) override;

protected:
    // Item is the changed item, or nullptr when the whole collection changed.
    virtual void Update(TCollectionItem *Item);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem *Item);
    void RemoveItem(TCollectionItem *Item);
    void ItemChanged(TCollectionItem *Item);

    ItemFactory FFactory;
    std::vector<TCollectionItem *> FItems;
    int FUpdateCount = 0;
    int FNextID = 0;
};

// A collection that belongs to a persistent object (a control's Sections).
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent *AOwner, ItemFactory Factory) : TCollection(std::move(Factory)), FOwner(AOwner) {}
    TPersistent *Owner() const { return FOwner; }

private:
    TPersistent *FOwner;
};
