#include "SUITabControl.h"

#include "SUIPublic.h"

// ---------------------------------------------------------------------------
// TsuiTabControlTopPanel

TsuiTabControlTopPanel::TsuiTabControlTopPanel(TComponent *AOwner, TsuiTab *Tab) : TCustomPanel(AOwner), FTab(Tab)
{
    SetControlStyle(ControlStyle() & ~csAcceptsControls & ~csSetCaption);
    FTabs = std::make_unique<TStringList>();
    FTabs->OnChange = [this](TObject *) { Repaint(); };
    FTabs->Add(QStringLiteral("Tab1"));
    SetCaption(QStringLiteral(" "));
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetAlign(alTop);
    FLeftMargin = 10;
    FTabIndex = 0;
    FTabWidths.fill(-1);
    FTabVisible.fill(true);
}

TsuiTabControlTopPanel::~TsuiTabControlTopPanel() = default;

void TsuiTabControlTopPanel::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    FActiveTab = GetThemeString(FUIStyle, 70);
    FInactiveTab = GetThemeString(FUIStyle, 71);
    FLine = GetThemeString(FUIStyle, 72);
    SetHeight(GetThemeInteger(FUIStyle, 73));
    Repaint();
}

void TsuiTabControlTopPanel::SetTabs(const TStrings *Value)
{
    FTabs->Assign(Value);
}

void TsuiTabControlTopPanel::SetTabIndex(int Value)
{
    if (FTabs->Count() == 0) {
        FTabIndex = -1;
        Repaint();
    } else if (Value >= -1 && Value < FTabs->Count()) {
        FTabIndex = Value;
        Repaint();
        FTab->TabActive(Value);
    } else {
        Repaint();
    }
}

void TsuiTabControlTopPanel::SetLeftMargin(int Value)
{
    FLeftMargin = Value;
    Repaint();
}

bool TsuiTabControlTopPanel::TabVisible(int Index) const
{
    return Index < 0 || Index >= SUI_TAB_SLOTS || FTabVisible[Index];
}

void TsuiTabControlTopPanel::SetTabVisible(int Index, bool Value)
{
    if (Index >= 0 && Index < SUI_TAB_SLOTS)
        FTabVisible[Index] = Value;
}

int TsuiTabControlTopPanel::TabWidth(int Index) const
{
    return Index >= 0 && Index < SUI_TAB_SLOTS ? FTabWidths[Index] : -1;
}

void TsuiTabControlTopPanel::WMEraseBkgnd(TMessage &Message)
{
    // The painting covers everything.
    Message.Result = 1;
}

void TsuiTabControlTopPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    Repaint();
    TCustomPanel::MouseDown(Button, Shift, X, Y);
    int x = FLeftMargin;
    for (int i = 0; i < SUI_TAB_SLOTS && FTabWidths[i] != -1; ++i) {
        const int right = x + FTabWidths[i];
        if (X > x && X < right && Y > 0 && Y < FTabHeight) {
            SetTabIndex(i);
            return;
        }
        x = right;
    }
}

void TsuiTabControlTopPanel::Paint()
{
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas *canvas = buffer.Canvas();
    DrawParentBackground(canvas, FTab);

    TBitmap active;
    TBitmap inactive;
    TBitmap line;
    if (!FActiveTab.isEmpty()) {
        active.LoadFromResourceName(HInstance, FActiveTab);
        inactive.LoadFromResourceName(HInstance, FInactiveTab);
        line.LoadFromResourceName(HInstance, FLine);
    }
    FTabHeight = active.Height();

    const TRect lineRect = Rect(1, FTabHeight, Width() - 1, FTabHeight + line.Height());
    if (!line.Empty())
        canvas->StretchDraw(lineRect, &line);
    canvas->Pen()->SetColor(FTab->BorderColor());
    for (int x : {0, Width() - 1}) {
        canvas->MoveTo(x, lineRect.Top);
        canvas->LineTo(x, lineRect.Bottom);
    }

    canvas->SetFont(FTab->Font());
    FTabWidths.fill(-1);
    int x = FLeftMargin;
    for (int i = 0; i < FTabs->Count(); ++i) {
        if (!TabVisible(i)) {
            FTabWidths[i] = 0;
            continue;
        }
        const String caption = FTabs->Strings(i);
        const int width = std::max(caption.isEmpty() ? 80 : canvas->TextWidth(caption) + 20, 15);
        // The last slot stays the end mark: at most 63 tabs can be clicked.
        if (i < SUI_TAB_SLOTS - 1)
            FTabWidths[i] = width;
        TRect tab;
        if (i == FTabIndex) {
            tab = Rect(x, 1, x + width, FTabHeight + 1);
            if (!active.Empty())
                DrawThreeSlice(&active, canvas, tab, true);
        } else {
            tab = Rect(x, 0, x + width, FTabHeight);
            if (!inactive.Empty())
                DrawThreeSlice(&inactive, canvas, tab, true);
        }
        canvas->Brush()->SetStyle(bsClear);
        DrawText(canvas, caption, tab, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        x += width;
    }
    Canvas()->Draw(0, 0, &buffer);
}

// ---------------------------------------------------------------------------
// TsuiTab

TsuiTab::TsuiTab(TComponent *AOwner, TTopPanelFactory CreateTopPanel) : TCustomPanel(AOwner)
{
    FTopPanel = CreateTopPanel(this);
    FTopPanel->SetParent(this);
    FFont = std::make_unique<TFont>();
    FFont->OnChange = [this](TObject *) { FTopPanel->Repaint(); };
    SetCaption(QStringLiteral(" "));
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetHeight(80);
    SetUIStyle(GetContainerUIStyle(AOwner));
}

TsuiTab::~TsuiTab()
{
    delete FTopPanel;
    FTopPanel = nullptr;
}

void TsuiTab::SetUIStyle(TsuiUIStyle Value)
{
    if (Value == Custom)
        return;
    FUIStyle = Value;
    FTopPanel->SetColor(GetThemeColor(FUIStyle, 9));
    SetBorderColor(GetThemeColor(FUIStyle, 8));
    FTopPanel->SetUIStyle(FUIStyle);
    SetColor(FUIStyle == WinXP ? 0x00FFFFFF : GetThemeColor(FUIStyle, 9));
    ApplyStyleToChildren(FUIStyle);
    Repaint();
}

void TsuiTab::ApplyStyleToChildren(TsuiUIStyle Style)
{
    ::ApplyStyleToChildren(this, Style);
}

void TsuiTab::SetBorderColor(TColor Value)
{
    FBorderColor = Value;
    BorderColorChanged();
    Repaint();
    FTopPanel->Repaint();
}

void TsuiTab::SetFont(const TFont *Value)
{
    FFont->Assign(Value);
    FTopPanel->Repaint();
}

void TsuiTab::SetTabIndex(int Value)
{
    FTopPanel->SetTabIndex(Value);
}

void TsuiTab::TabActive(int Index)
{
    if (!(ComponentState() & csLoading) && OnTabActive)
        OnTabActive(this, Index);
}

void TsuiTab::CMCursorChanged(TMessage &Message)
{
    FTopPanel->SetCursor(Cursor());
    TCustomPanel::CMCursorChanged(Message);
}

void TsuiTab::Paint()
{
    TCanvas *canvas = Canvas();
    const int top = FTopPanel->Height();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(Rect(0, top, Width(), Height()));
    canvas->Pen()->SetColor(FBorderColor);
    canvas->MoveTo(0, top);
    canvas->LineTo(0, Height() - 1);
    canvas->LineTo(Width() - 1, Height() - 1);
    canvas->LineTo(Width() - 1, top - 1);
}

// ---------------------------------------------------------------------------
// TsuiTabControl

TsuiTabControl::TsuiTabControl(TComponent *AOwner)
    : TsuiTab(AOwner, [](TsuiTab *Tab) { return new TsuiTabControlTopPanel(Tab, Tab); })
{
}
