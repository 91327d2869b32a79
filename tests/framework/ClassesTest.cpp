#include "Classes.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// A component that records the notifications it hears.
class TWatcher : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<std::pair<TComponent *, TOperation>> Heard;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        Heard.emplace_back(AComponent, Operation);
    }
};

class TDeathCounter : public TComponent {
public:
    TDeathCounter(TComponent *AOwner, std::vector<String> &Log) : TComponent(AOwner), FLog(Log) {}
    ~TDeathCounter() override { FLog.push_back(Name()); }

private:
    std::vector<String> &FLog;
};
}

TEST(Classes, ClassNameComesFromTheRuntimeType)
{
    TWatcher w(nullptr);
    EXPECT_EQ(w.ClassName(), "TWatcher");
    TStringList list;
    EXPECT_EQ(list.ClassName(), "TStringList");
}

TEST(Classes, OwnerFreesItsComponentsLastCreatedFirst)
{
    std::vector<String> log;
    auto *owner = new TComponent(nullptr);
    auto *a = new TDeathCounter(owner, log);
    a->SetName("A");
    auto *b = new TDeathCounter(owner, log);
    b->SetName("B");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(owner->FindComponent("a"), a);
    delete owner;
    EXPECT_EQ(log, (std::vector<String>{"B", "A"}));
}

TEST(Classes, SiblingsHearInsertionAndRemoval)
{
    TComponent owner(nullptr);
    auto *watcher = new TWatcher(&owner);
    auto *other = new TComponent(&owner);
    ASSERT_EQ(watcher->Heard.size(), 1u);
    EXPECT_EQ(watcher->Heard[0], std::make_pair(other, opInsert));
    delete other;
    ASSERT_EQ(watcher->Heard.size(), 2u);
    EXPECT_EQ(watcher->Heard[1], std::make_pair(other, opRemove));
    EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(Classes, FreeNotificationReachesComponentsOfOtherOwners)
{
    TComponent ownerA(nullptr);
    TComponent ownerB(nullptr);
    auto *watcher = new TWatcher(&ownerA);
    auto *referenced = new TComponent(&ownerB);
    watcher->FreeNotification(referenced);
    delete referenced;
    ASSERT_FALSE(watcher->Heard.empty());
    EXPECT_EQ(watcher->Heard.back(), std::make_pair(referenced, opRemove));
}

TEST(Classes, DestroyingStateIsVisibleToChildren)
{
    auto *owner = new TComponent(nullptr);
    bool sawDestroying = false;
    class TProbe : public TComponent {
    public:
        TProbe(TComponent *AOwner, bool &Saw) : TComponent(AOwner), FSaw(Saw) {}
        ~TProbe() override { FSaw = Owner() && (Owner()->ComponentState() & csDestroying); }
        bool &FSaw;
    };
    new TProbe(owner, sawDestroying);
    delete owner;
    EXPECT_TRUE(sawDestroying);
}

TEST(Classes, NamesMustBeUniqueIdentifiers)
{
    TComponent owner(nullptr);
    auto *a = new TComponent(&owner);
    a->SetName("Button1");
    auto *b = new TComponent(&owner);
    EXPECT_THROW(b->SetName("button1"), EComponentError);
    EXPECT_THROW(b->SetName("1abc"), EComponentError);
    b->SetName("Button2");
    EXPECT_EQ(b->Name(), "Button2");
}

TEST(Strings, ListOperationsAndChangeEvents)
{
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject *) { ++changes; };
    list.Add("b");
    list.Add("c");
    list.Insert(0, "a");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(list.IndexOf("B"), 1);
    list.Delete(1);
    EXPECT_EQ(list.CommaText(), "a,c");
    EXPECT_THROW(list.Strings(5), EListError);
    changes = 0;
    list.BeginUpdate();
    list.Add("x");
    list.Add("y");
    EXPECT_EQ(changes, 0);
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(Strings, TextAndCommaTextRoundTrip)
{
    TStringList list;
    list.SetText("one\r\ntwo\nthree\rfour");
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Strings(3), "four");
    list.SetCommaText(R"(plain,"with space","quote""inside",)");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Strings(1), "with space");
    EXPECT_EQ(list.Strings(2), "quote\"inside");
    EXPECT_EQ(list.Strings(3), "");
    TStringList copy;
    copy.SetCommaText(list.CommaText());
    EXPECT_EQ(copy.CommaText(), list.CommaText());
}

TEST(Strings, SortedListKeepsOrderAndObjects)
{
    TStringList list;
    list.SetSorted(true);
    TStringList marker;
    list.Add("pear");
    list.Add("apple");
    list.AddObject("fig", &marker);
    EXPECT_EQ(list.CommaText(), "apple,fig,pear");
    EXPECT_EQ(list.Objects(1), &marker);
    EXPECT_EQ(list.Add("apple"), 0); // duplicates are ignored
    EXPECT_EQ(list.Count(), 3);
    EXPECT_THROW(list.Insert(0, "zz"), EListError);
}

namespace {
class TItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    int Value = 0;
    void SetValue(int V)
    {
        Value = V;
        Changed(false);
    }
    void Assign(const TPersistent *Source) override
    {
        if (auto item = dynamic_cast<const TItem *>(Source)) {
            SetValue(item->Value);
            return;
        }
        TCollectionItem::Assign(Source);
    }
};

class TItems : public TCollection {
public:
    TItems() : TCollection([](TCollection *c) { return new TItem(c); }) {}
    std::vector<TCollectionItem *> Updates;

protected:
    void Update(TCollectionItem *Item) override { Updates.push_back(Item); }
};
}

TEST(Collections, ItemsReportChangesToTheCollection)
{
    TItems items;
    auto *first = static_cast<TItem *>(items.Add());
    auto *second = static_cast<TItem *>(items.Add());
    EXPECT_EQ(items.Count(), 2);
    EXPECT_EQ(second->Index(), 1);
    items.Updates.clear();
    first->SetValue(5);
    ASSERT_EQ(items.Updates.size(), 1u);
    EXPECT_EQ(items.Updates[0], first);
    items.Updates.clear();
    items.BeginUpdate();
    first->SetValue(6);
    items.Delete(1);
    EXPECT_TRUE(items.Updates.empty());
    items.EndUpdate();
    ASSERT_EQ(items.Updates.size(), 1u);
    EXPECT_EQ(items.Updates[0], nullptr);
    EXPECT_EQ(items.Count(), 1);

    TItems copy;
    copy.Assign(&items);
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(static_cast<TItem *>(copy.Items(0))->Value, 6);
    EXPECT_THROW(copy.Items(3), EListError);
}

namespace {
// An item with a part made after the item's base: the collection's Update
// looks at it.
class TPartItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::unique_ptr<int> Part = std::make_unique<int>(7);
};
class TPartItems : public TCollection {
public:
    TPartItems() : TCollection([](TCollection *c) { return new TPartItem(c); }) {}
    std::vector<int> Seen;

protected:
    void Update(TCollectionItem *) override
    {
        for (int i = 0; i < Count(); ++i)
            Seen.push_back(*static_cast<TPartItem *>(Items(i))->Part);
    }
};
}

TEST(Collections, AddReportsTheItemOnceItIsMade)
{
    TPartItems items;
    items.Add();
    items.Add();
    EXPECT_EQ(items.Seen, (std::vector<int>{7, 7, 7}));
}

