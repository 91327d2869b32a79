#pragma once
// Skinned tab strips. TsuiTab is a bevel-less panel whose top part is a tab
// strip (its top panel, drawn from the style's three-slice tab pictures) and
// whose body is framed on three sides; TsuiTabControl is a strip over one
// shared body, where the application reacts to OnTabActive.
#include "ExtCtrls.h"
#include "SUIThemes.h"

#include <array>
#include <functional>
#include <memory>

class TsuiTab;

// Sender and the newly selected tab's index (-1 for none).
using TTabActiveNotify = std::function<void(TObject *Sender, int TabIndex)>;

// Tabs whose widths and visibility the strip keeps.
constexpr int SUI_TAB_SLOTS = 64;

class TsuiTabControlTopPanel : public TCustomPanel {
public:
    TsuiTabControlTopPanel(TComponent *AOwner, TsuiTab *Tab);
    ~TsuiTabControlTopPanel() override;

    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    TStrings *Tabs() const { return FTabs.get(); }
    void SetTabs(const TStrings *Value);
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int Value);
    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int Value);
    // Whether tab Index shows (tabs beyond the kept slots always do).
    bool TabVisible(int Index) const;
    void SetTabVisible(int Index, bool Value);
    // The width tab Index took when last painted: -1 after the last tab and
    // beyond the 63rd, 0 for a hidden tab.
    int TabWidth(int Index) const;
    // The active tab picture's height, as last painted.
    int TabHeight() const { return FTabHeight; }

protected:
    void Paint() override;
    void WMEraseBkgnd(TMessage &Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    std::unique_ptr<TStringList> FTabs;
    TsuiUIStyle FUIStyle = Custom;
    String FActiveTab;
    String FInactiveTab;
    String FLine;
    int FTabIndex = 0;
    int FLeftMargin = 10;
    std::array<int, SUI_TAB_SLOTS> FTabWidths;
    int FTabHeight = 0;
    TsuiTab *FTab;
    std::array<bool, SUI_TAB_SLOTS> FTabVisible;
};

class TsuiTab : public TCustomPanel {
public:
    ~TsuiTab() override;

    TsuiUIStyle UIStyle() const { return FUIStyle; }
    // Custom is ignored and not stored.
    void SetUIStyle(TsuiUIStyle Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    // The font of the tab captions.
    TFont *Font() const { return FFont.get(); }
    void SetFont(const TFont *Value);
    int LeftMargin() const { return FTopPanel->LeftMargin(); }
    void SetLeftMargin(int Value) { FTopPanel->SetLeftMargin(Value); }
    TsuiTabControlTopPanel *TopPanel() const { return FTopPanel; }

    // The top panel selected tab Index.
    virtual void TabActive(int Index);
    // Hands Style to the skinned children.
    virtual void ApplyStyleToChildren(TsuiUIStyle Style);

    TTabActiveNotify OnTabActive;

protected:
    using TTopPanelFactory = TsuiTabControlTopPanel *(*)(TsuiTab *Tab);
    TsuiTab(TComponent *AOwner, TTopPanelFactory CreateTopPanel);

    void Paint() override;
    void CMCursorChanged(TMessage &Message) override;
    virtual void SetTabIndex(int Value);
    virtual void BorderColorChanged() {}

private:
    TsuiUIStyle FUIStyle = Custom;
    TColor FBorderColor = clBlack;
    std::unique_ptr<TFont> FFont;
    TsuiTabControlTopPanel *FTopPanel = nullptr;
};

class TsuiTabControl : public TsuiTab {
public:
    explicit TsuiTabControl(TComponent *AOwner);

    TStrings *Tabs() const { return TopPanel()->Tabs(); }
    void SetTabs(const TStrings *Value) { TopPanel()->SetTabs(Value); }
    int TabIndex() const { return TopPanel()->TabIndex(); }
    void SetTabIndex(int Value) override { TopPanel()->SetTabIndex(Value); }
};
