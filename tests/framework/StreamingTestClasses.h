#pragma once
// Classes for the description tests: a panel whose setters and Loaded write
// to a log, a collection of items, a root component and a form with handlers
// and fields.
#include "ExtCtrls.h"
#include "Forms.h"
#include "Streaming.h"

#include <QStringList>

namespace streamingtest {

inline QStringList &Log()
{
    static QStringList log;
    return log;
}

enum TTestKind { tkOne, tkTwo, tkThree };

class TTestItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    String Caption() const { return FCaption; }
    void SetCaption(const String &Value) { FCaption = Value; }
    TPicture *Picture() const { return FPicture.get(); }

private:
    int FWidth = 10;
    String FCaption;
    std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
};

class TTestPanel : public TCustomControl {
public:
    explicit TTestPanel(TComponent *AOwner)
        : TCustomControl(AOwner), FSections(std::make_unique<TCollection>([](TCollection *c) { return new TTestItem(c); }))
    {
    }
    TTestKind Kind() const { return FKind; }
    void SetKind(TTestKind Value)
    {
        Record(QStringLiteral("Kind"));
        FKind = Value;
    }
    int Count() const { return FCount; }
    void SetCount(int Value)
    {
        Record(QStringLiteral("Count"));
        FCount = Value;
    }
    String Title() const { return FTitle; }
    void SetTitle(const String &Value)
    {
        Record(QStringLiteral("Title"));
        FTitle = Value;
    }
    TStringList *Items() const { return FItems.get(); }
    TPicture *Picture() const { return FPicture.get(); }
    TCollection *Sections() const { return FSections.get(); }
    TTestPanel *Buddy() const { return FBuddy; }
    void SetBuddy(TTestPanel *Value)
    {
        Record(QStringLiteral("Buddy"));
        FBuddy = Value;
    }
    TNotifyEvent OnChange;

    void Loaded() override
    {
        TCustomControl::Loaded();
        Log().append(Name() + QStringLiteral(".Loaded"));
    }

private:
    // Notes the setter and what a setter may rely on: loading, a parent.
    void Record(const String &Prop)
    {
        String entry = Name() + QLatin1Char('.') + Prop;
        if (!(ComponentState() & csLoading))
            entry += QStringLiteral(" not loading");
        Log().append(entry);
        LastParent = Parent();
    }

public:
    TWinControl *LastParent = nullptr;

private:
    TTestKind FKind = tkOne;
    int FCount = 0;
    String FTitle;
    std::unique_ptr<TStringList> FItems = std::make_unique<TStringList>();
    std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
    std::unique_ptr<TCollection> FSections;
    TTestPanel *FBuddy = nullptr;
};

// A root that is not a window.
class TTestRoot : public TComponent {
public:
    using TComponent::TComponent;
    void Loaded() override
    {
        TComponent::Loaded();
        Log().append(Name() + QStringLiteral(".Loaded"));
    }
};

class TTestForm : public TForm {
public:
    using TForm::TForm;
    TTestPanel *Panel1 = nullptr;
    TTestPanel *Panel2 = nullptr;
    QStringList Calls;
    void Panel1Click(TObject *Sender) { Calls.append(QStringLiteral("Panel1Click ") + dynamic_cast<TComponent *>(Sender)->Name()); }
    void FormClose(TObject *, TCloseAction &Action)
    {
        Calls.append(QStringLiteral("FormClose"));
        Action = caHide;
    }
};

inline void RegisterTestClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterEnum<TTestKind>({"tkOne", "tkTwo", "tkThree"});
    RegisterClass<TTestItem>("TTestItem", "TCollectionItem")
        .Property("Width", &TTestItem::Width, &TTestItem::SetWidth, 10)
        .Property("Caption", &TTestItem::Caption, &TTestItem::SetCaption)
        .Object("Picture", &TTestItem::Picture);
    RegisterClass<TTestPanel>("TTestPanel", "TCustomControl")
        .Property("Kind", &TTestPanel::Kind, &TTestPanel::SetKind, tkOne)
        .Property("Count", &TTestPanel::Count, &TTestPanel::SetCount)
        .Property("Title", &TTestPanel::Title, &TTestPanel::SetTitle)
        .Object("Items", &TTestPanel::Items)
        .Object("Picture", &TTestPanel::Picture)
        .Collection("Sections", &TTestPanel::Sections)
        .Component("Buddy", &TTestPanel::Buddy, &TTestPanel::SetBuddy)
        .Event("OnChange", &TTestPanel::OnChange);
    RegisterClass<TTestRoot>("TTestRoot", "TComponent");
    RegisterClass<TTestForm>("TTestForm", "TForm")
        .Handler("Panel1Click", &TTestForm::Panel1Click)
        .Handler("FormClose", &TTestForm::FormClose)
        .Field("Panel1", &TTestForm::Panel1)
        .Field("Panel2", &TTestForm::Panel2);
}

} // namespace streamingtest
