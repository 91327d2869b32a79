#pragma once
// The skinned page control: a tab strip with one page (TsuiTabSheet) per
// tab, showing the page of the selected tab in front of the others. Pages
// join and leave by becoming children of the control and leaving it.
#include "SUITabControl.h"

#include <vector>

class TsuiTabSheet;

// The page control's strip: the tab control's, as a class of its own. (There
// is no form designer here, so it has no design-time clicking to add.)
class TsuiPageControlTopPanel : public TsuiTabControlTopPanel {
public:
    using TsuiTabControlTopPanel::TsuiTabControlTopPanel;
};

class TsuiPageControl : public TsuiTab {
public:
    explicit TsuiPageControl(TComponent *AOwner);
    ~TsuiPageControl() override;

    TsuiTabSheet *ActivePage() const { return FActivePage; }
    void SetActivePage(TsuiTabSheet *Value);
    int PageCount() const { return static_cast<int>(FPages.size()); }
    TsuiTabSheet *Pages(int Index) const;

    void TabActive(int Index) override;
    void ApplyStyleToChildren(TsuiUIStyle Style) override;

    // The stored page order: the pages' names in page order.
    QStringList PageNames() const;
    // Reads the stored page order; the pages are put in it once every page
    // has named its page control.
    void SetPageNames(const QStringList &Value);

protected:
    void CMControlChange(TMessage &Message) override;
    void CMColorChanged(TMessage &Message) override;
    void BorderColorChanged() override;

private:
    friend class TsuiTabSheet;
    void AddPage(TsuiTabSheet *Page);
    void RemovePage(TsuiTabSheet *Page);
    void MovePage(TsuiTabSheet *Page, int Index);
    void RenumberPages();
    // Tabs := the pages' captions in page order.
    void RebuildTabs();
    void ActivateSheet(TsuiTabSheet *Page);
    // The page at Index, or none when Index is outside the tabs.
    void ActivateIndex(int Index);
    // The nearest page with a visible tab left of Index, else right of it.
    void ActivateNeighbour(int Index);
    // A page named its page control while the form was read.
    void PageLoaded();

    std::vector<TsuiTabSheet *> FPages;
    TsuiTabSheet *FActivePage = nullptr;
    QStringList FPageOrder;
};

class TsuiTabSheet : public TCustomPanel {
public:
    explicit TsuiTabSheet(TComponent *AOwner);
    ~TsuiTabSheet() override;

    TsuiPageControl *PageControl() const { return FPageControl; }
    // The page control's name, for stored forms: the page control named is
    // looked up among the owner's components.
    String PageControlName() const;
    void SetPageControlName(const String &Value);
    // Position among the pages; -1 while not attached.
    int PageIndex() const { return FPageIndex; }
    void SetPageIndex(int Value);
    // The tab's caption.
    String Caption() const { return FCaption; }
    void SetCaption(const String &Value);
    bool TabVisible() const;
    void SetTabVisible(bool Value);
    TColor BorderColor() const { return FBorderColor; }

    TNotifyEvent OnShow;

protected:
    void Paint() override;

private:
    friend class TsuiPageControl;
    void DoShow();

    TsuiPageControl *FPageControl = nullptr;
    int FPageIndex = -1;
    String FCaption;
    TColor FBorderColor = clBlack;
    bool FTabVisible = true;
};
