// Drop-down menu windows and the tracking of an open chain of them.
#include "MenusPopup.h"

#include "ControlsHost.h"
#include "Forms.h"

#include <QCursor>

#include <algorithm>

namespace {

constexpr int FrameWidth = 3;
// How long the pointer rests on an item before its sub-menu opens or
// another one closes.
constexpr int HoverDelayMs = 250;

TMenuTracker *gTracker = nullptr;

TRect WorkArea()
{
    return Screen->WorkAreaRect();
}

bool HasSubMenu(const TMenuItem *Item)
{
    for (int i = 0; i < Item->Count(); ++i)
        if (Item->Items(i)->Visible())
            return true;
    return false;
}

// Can the item be chosen or opened?
bool IsActive(const TMenuItem *Item)
{
    return Item->Visible() && Item->Enabled() && !Item->IsLine();
}

// The hotkeys of a window's items: the marked letter, or with automatic
// hotkeys the first letter or digit that no earlier item uses.
std::vector<QChar> Hotkeys(const TMenuItem *Parent)
{
    std::vector<QChar> keys(static_cast<size_t>(Parent->Count()));
    const TMenu *menu = Parent->GetParentMenu();
    const bool automatic = menu && menu->AutoHotkeys() == maAutomatic;
    std::vector<QChar> used;
    for (int i = 0; i < Parent->Count(); ++i)
        if (const QChar key = GetHotkey(Parent->Items(i)->Caption()); !key.isNull())
            used.push_back(key);
    for (int i = 0; i < Parent->Count(); ++i) {
        const TMenuItem *item = Parent->Items(i);
        if (!item->Visible() || item->IsLine())
            continue;
        keys[static_cast<size_t>(i)] = GetHotkey(item->Caption());
        if (!keys[static_cast<size_t>(i)].isNull() || !automatic)
            continue;
        for (const QChar c : StripHotkey(item->Caption())) {
            const QChar u = c.toUpper();
            const bool valid = (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
            if (valid && std::find(used.begin(), used.end(), u) == used.end()) {
                keys[static_cast<size_t>(i)] = u;
                used.push_back(u);
                break;
            }
        }
    }
    return keys;
}

} // namespace

// ---------------------------------------------------------------------------
// TMenuWindow

TMenuWindow::TMenuWindow(TMenuTracker *Tracker, TMenuItem *Item, int Level)
    : TCustomControl(nullptr), FTracker(Tracker), FItem(Item), FLevel(Level)
{
    SetControlStyle(ControlStyle() & ~csCaptureMouse);
    SetVisible(false);
    SetBorderWidth(FrameWidth);
    SetColor(clMenu);
}

TMenuWindow::~TMenuWindow()
{
    Destroying();
}

QWidget *TMenuWindow::CreateWindowHandle(QWidget *ParentWidget)
{
    QWidget *widget = TCustomControl::CreateWindowHandle(ParentWidget);
    widget->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    return widget;
}

void TMenuWindow::Layout()
{
    TBitmap scratch;
    scratch.SetWidth(1);
    scratch.SetHeight(1);
    TCanvas *canvas = scratch.Canvas();
    FRects.assign(static_cast<size_t>(FItem->Count()), TRect());
    std::vector<int> heights(FRects.size(), 0);
    int width = 0;
    for (int i = 0; i < FItem->Count(); ++i) {
        TMenuItem *item = FItem->Items(i);
        if (!item->Visible())
            continue;
        GetMenuFont(canvas->Font());
        int w = 0;
        int h = 0;
        item->MeasureItem(canvas, w, h);
        width = std::max(width, w);
        heights[static_cast<size_t>(i)] = std::max(h, 0);
    }
    int y = 0;
    for (size_t i = 0; i < FRects.size(); ++i) {
        if (!FItem->Items(static_cast<int>(i))->Visible())
            continue;
        FRects[i] = Rect(0, y, width, y + heights[i]);
        y += heights[i];
    }
    SetBounds(Left(), Top(), width + 2 * FrameWidth, y + 2 * FrameWidth);
}

TRect TMenuWindow::ItemRect(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FRects.size()))
        return TRect();
    return FRects[static_cast<size_t>(Index)];
}

int TMenuWindow::ItemAtPos(const TPoint &Pos) const
{
    for (size_t i = 0; i < FRects.size(); ++i) {
        if (PtInRect(FRects[i], Pos))
            return static_cast<int>(i);
    }
    return -1;
}

void TMenuWindow::SetSelected(int Index)
{
    if (Index == FSelected)
        return;
    FSelected = Index;
    Invalidate();
}

int TMenuWindow::NextSelectable(int Index, int Step) const
{
    const int n = FItem->Count();
    for (int k = 1; k <= n; ++k) {
        const int i = ((Index + Step * k) % n + n) % n;
        const TMenuItem *item = FItem->Items(i);
        if (item->Visible() && !item->IsLine())
            return i;
    }
    return -1;
}

void TMenuWindow::Paint()
{
    TCanvas *canvas = Canvas();
    for (int i = 0; i < FItem->Count(); ++i) {
        TMenuItem *item = FItem->Items(i);
        if (!item->Visible())
            continue;
        const TRect r = FRects[static_cast<size_t>(i)];
        TOwnerDrawState state = 0;
        if (i == FSelected)
            state |= odSelected;
        if (!item->Enabled())
            state |= odDisabled | odGrayed;
        if (item->Checked())
            state |= odChecked;
        if (item->Default())
            state |= odDefault;
        const int saved = canvas->SaveState();
        canvas->IntersectClipRect(r);
        GetMenuFont(canvas->Font());
        canvas->Brush()->SetColor(clMenu);
        canvas->Pen()->SetColor(clBlack);
        canvas->Pen()->SetWidth(1);
        canvas->Pen()->SetStyle(psSolid);
        item->DrawItem(canvas, r, state);
        if (HasSubMenu(item) && !item->IsLine()) {
            // The sub-menu arrow, in the colour the item's text was drawn in.
            const TColor colour = item->Enabled() ? canvas->Font()->Color() : clGrayText;
            canvas->Pen()->SetColor(colour);
            canvas->Brush()->SetColor(colour);
            canvas->Brush()->SetStyle(bsSolid);
            const int x = r.Right - 12;
            const int y = r.Top + r.Height() / 2;
            canvas->Polygon({{x, y - 4}, {x + 4, y}, {x, y + 4}});
        }
        canvas->RestoreState(saved);
    }
}

void TMenuWindow::WMNCPaint(TMessage &Message)
{
    if (!Message.WParam)
        return;
    // A raised edge around the items, as the desktop draws a menu's frame.
    TCanvas *dc = reinterpret_cast<TCanvas *>(Message.WParam);
    const int w = Width();
    const int h = Height();
    const auto edge = [dc](const TRect &r, TColor topLeft, TColor bottomRight) {
        dc->Pen()->SetWidth(1);
        dc->Pen()->SetStyle(psSolid);
        dc->Pen()->SetColor(topLeft);
        dc->Polyline({{r.Left, r.Bottom - 1}, {r.Left, r.Top}, {r.Right - 1, r.Top}});
        dc->Pen()->SetColor(bottomRight);
        dc->Polyline({{r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left - 1, r.Bottom - 1}});
    };
    edge(Rect(0, 0, w, h), cl3DLight, cl3DDkShadow);
    edge(Rect(1, 1, w - 1, h - 1), clBtnHighlight, clBtnShadow);
    dc->Brush()->SetStyle(bsSolid);
    dc->Brush()->SetColor(clMenu);
    dc->FrameRect(Rect(2, 2, w - 2, h - 2));
}

void TMenuWindow::WMNCHitTest(TMessage &Message)
{
    // All of the pointer, also outside, comes to the menu as client input.
    Message.Result = HTCLIENT;
}

void TMenuWindow::WMGetDlgCode(TMessage &Message)
{
    Message.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
}

TPoint TMenuWindow::ScreenPoint(const TMessage &Message) const
{
    const int x = static_cast<short>(LOWORD(Message.LParam));
    const int y = static_cast<short>(HIWORD(Message.LParam));
    return ClientToScreen({x, y});
}

void TMenuWindow::WMMouseMove(TMessage &Message)
{
    FTracker->MouseMove(ScreenPoint(Message));
}

void TMenuWindow::WMLButtonDown(TMessage &Message)
{
    FTracker->MouseDown(ScreenPoint(Message));
}

void TMenuWindow::WMLButtonDblClk(TMessage &Message)
{
    // A quick second press is a press to a menu.
    FTracker->MouseDown(ScreenPoint(Message));
}

void TMenuWindow::WMLButtonUp(TMessage &Message)
{
    FTracker->MouseUp(ScreenPoint(Message));
}

void TMenuWindow::WMRButtonDown(TMessage &Message)
{
    FTracker->MouseDown(ScreenPoint(Message));
}

void TMenuWindow::WMRButtonUp(TMessage &Message)
{
    FTracker->MouseUp(ScreenPoint(Message));
}

void TMenuWindow::WMKeyDown(TMessage &Message)
{
    FTracker->KeyDown(static_cast<int>(Message.WParam));
}

void TMenuWindow::WMSysKeyDown(TMessage &Message)
{
    // Alt or F10 alone closes menus, as on a menu bar.
    if (Message.WParam == VK_MENU || Message.WParam == VK_F10)
        FTracker->Close(nullptr);
}

void TMenuWindow::WMChar(TMessage &Message)
{
    FTracker->Char(QChar(static_cast<char16_t>(Message.WParam)));
}

void TMenuWindow::WMClose(TMessage &)
{
    // The windowing system closes pop-ups of its own accord (another window
    // was activated): the chain ends.
    FTracker->Close(nullptr);
}

// ---------------------------------------------------------------------------
// TMenuTracker

TMenuTracker::TMenuTracker(TMenuTrackHooks Hooks) : FHooks(std::move(Hooks))
{
    FHoverTimer.setSingleShot(true);
    FHoverTimer.setInterval(HoverDelayMs);
    QObject::connect(&FHoverTimer, &QTimer::timeout, [this] { HoverTimeout(); });
}

TMenuTracker::~TMenuTracker()
{
    for (TMenuWindow *w : FWindows)
        delete w;
}

void TMenuTracker::Open(TMenuItem *Item, const TPoint &Pos, TPopupAlignment Alignment, bool SelectFirst)
{
    // A drop-down that opens over the pointer must not take the release of
    // the click that opened it for a choice.
    FOpenedAt = TPoint{QCursor::pos().x(), QCursor::pos().y()};
    FReleaseChooses = false;
    auto *w = new TMenuWindow(this, Item, 0);
    FWindows.push_back(w);
    w->Layout();
    const TRect area = WorkArea();
    int x = Pos.X;
    if (Alignment == paRight)
        x -= w->Width();
    else if (Alignment == paCenter)
        x -= w->Width() / 2;
    x = std::max(std::min(x, area.Right - w->Width()), area.Left);
    int y = Pos.Y;
    if (y + w->Height() > area.Bottom)
        y = Pos.Y - w->Height() >= area.Top ? Pos.Y - w->Height() : area.Bottom - w->Height();
    y = std::max(y, area.Top);
    w->SetBounds(x, y, w->Width(), w->Height());
    if (SelectFirst)
        w->SetSelected(w->NextSelectable(-1, 1));
    w->Show();
    w->HandleNeeded();
}

void TMenuTracker::OpenSubMenu(int Level, bool SelectFirst)
{
    CloseAbove(Level);
    TMenuWindow *parent = FWindows[static_cast<size_t>(Level)];
    const int index = parent->Selected();
    if (index < 0)
        return;
    TMenuItem *item = parent->Item()->Items(index);
    if (!IsActive(item) || !HasSubMenu(item))
        return;
    auto *w = new TMenuWindow(this, item, Level + 1);
    FWindows.push_back(w);
    w->Layout();
    const TRect area = WorkArea();
    const TRect bounds = parent->BoundsRect();
    const TRect r = parent->ItemRect(index);
    int x = bounds.Right - FrameWidth;
    if (x + w->Width() > area.Right)
        x = std::max(bounds.Left - w->Width() + FrameWidth, area.Left);
    int y = bounds.Top + r.Top;
    y = std::max(std::min(y, area.Bottom - w->Height()), area.Top);
    w->SetBounds(x, y, w->Width(), w->Height());
    if (SelectFirst)
        w->SetSelected(w->NextSelectable(-1, 1));
    w->Show();
    w->HandleNeeded();
}

void TMenuTracker::CloseAbove(int Level)
{
    while (static_cast<int>(FWindows.size()) > Level + 1) {
        TMenuWindow *w = FWindows.back();
        FWindows.pop_back();
        w->Hide();
        // The window may be handling the input that closed it.
        QTimer::singleShot(0, [w] { delete w; });
    }
}

void TMenuTracker::Close(TMenuItem *Chosen)
{
    if (FClosed)
        return;
    FClosed = true;
    FHoverTimer.stop();
    for (TMenuWindow *w : FWindows)
        w->Hide();
    if (gTracker == this)
        gTracker = nullptr;
    QTimer::singleShot(0, [this] { delete this; });
    if (FHooks.Closed)
        FHooks.Closed();
    if (!Chosen)
        return;
    QTimer::singleShot(0, [Chosen, alive = Chosen->LifeToken()] {
        if (!alive.expired())
            CallGuarded(Chosen, [Chosen] { Chosen->Click(); });
    });
}

bool TMenuTracker::Shows(const TMenuItem *Item) const
{
    for (const TMenuWindow *w : FWindows) {
        for (const TMenuItem *p = w->Item(); p; p = p->Parent())
            if (p == Item)
                return true;
        if (w->Item()->IndexOf(Item) >= 0)
            return true;
    }
    return false;
}

TMenuWindow *TMenuTracker::WindowAt(const TPoint &Screen) const
{
    for (auto it = FWindows.rbegin(); it != FWindows.rend(); ++it) {
        if (PtInRect((*it)->BoundsRect(), Screen))
            return *it;
    }
    return nullptr;
}

void TMenuTracker::MouseMove(const TPoint &Screen)
{
    TMenuWindow *w = WindowAt(Screen);
    if (w && Screen != FOpenedAt)
        FReleaseChooses = true;
    if (!w) {
        if (FHooks.OutsideMouse && FHooks.OutsideMouse(Screen, false))
            return;
        // Off the menus the deepest window keeps no selection; the windows
        // below it keep the items whose sub-menus are open.
        FWindows.back()->SetSelected(-1);
        FHoverTimer.stop();
        return;
    }
    const int index = w->ItemAtPos(w->ScreenToClient(Screen));
    if (index == w->Selected())
        return;
    w->SetSelected(index);
    // Resting on another item closes the deeper windows and opens its
    // sub-menu; resting on the item whose sub-menu is open keeps it.
    const bool deeperShowsIt = w->Level() + 1 < static_cast<int>(FWindows.size()) && index >= 0 &&
                               FWindows[static_cast<size_t>(w->Level() + 1)]->Item() == w->Item()->Items(index);
    if (deeperShowsIt) {
        FHoverTimer.stop();
        return;
    }
    FHoverWindow = w;
    FHoverTimer.start();
}

void TMenuTracker::HoverTimeout()
{
    if (!FHoverWindow || std::find(FWindows.begin(), FWindows.end(), FHoverWindow) == FWindows.end())
        return;
    const int level = FHoverWindow->Level();
    const int index = FHoverWindow->Selected();
    if (index >= 0 && HasSubMenu(FHoverWindow->Item()->Items(index)))
        OpenSubMenu(level, false);
    else
        CloseAbove(level);
}

void TMenuTracker::MouseDown(const TPoint &Screen)
{
    TMenuWindow *w = WindowAt(Screen);
    FReleaseChooses = w != nullptr;
    if (!w) {
        if (FHooks.OutsideMouse && FHooks.OutsideMouse(Screen, true))
            return;
        Close(nullptr);
        return;
    }
    const int index = w->ItemAtPos(w->ScreenToClient(Screen));
    if (index < 0)
        return;
    w->SetSelected(index);
    if (HasSubMenu(w->Item()->Items(index))) {
        FHoverTimer.stop();
        OpenSubMenu(w->Level(), false);
    }
}

void TMenuTracker::MouseUp(const TPoint &Screen)
{
    TMenuWindow *w = WindowAt(Screen);
    if (!w || !FReleaseChooses)
        return;
    const int index = w->ItemAtPos(w->ScreenToClient(Screen));
    if (index < 0)
        return;
    TMenuItem *item = w->Item()->Items(index);
    if (IsActive(item) && !HasSubMenu(item))
        Close(item);
}

void TMenuTracker::Activate(TMenuWindow *Window, int Index, bool SelectFirst)
{
    if (Index < 0)
        return;
    Window->SetSelected(Index);
    TMenuItem *item = Window->Item()->Items(Index);
    if (!IsActive(item))
        return;
    if (HasSubMenu(item))
        OpenSubMenu(Window->Level(), SelectFirst);
    else
        Close(item);
}

void TMenuTracker::KeyDown(int Key)
{
    TMenuWindow *w = FWindows.back();
    FHoverTimer.stop();
    switch (Key) {
    case VK_UP:
    case VK_DOWN: {
        const int step = Key == VK_DOWN ? 1 : -1;
        const int from = w->Selected() >= 0 ? w->Selected() : (step > 0 ? -1 : 0);
        w->SetSelected(w->NextSelectable(from, step));
        break;
    }
    case VK_HOME: w->SetSelected(w->NextSelectable(-1, 1)); break;
    case VK_END: w->SetSelected(w->NextSelectable(0, -1)); break;
    case VK_RIGHT: {
        const int index = w->Selected();
        if (index >= 0 && IsActive(w->Item()->Items(index)) && HasSubMenu(w->Item()->Items(index)))
            OpenSubMenu(w->Level(), true);
        else if (FHooks.Navigate)
            FHooks.Navigate(1);
        break;
    }
    case VK_LEFT:
        if (w->Level() > 0)
            CloseAbove(w->Level() - 1);
        else if (FHooks.Navigate)
            FHooks.Navigate(-1);
        break;
    case VK_RETURN:
    case VK_SPACE: Activate(w, w->Selected(), true); break;
    case VK_ESCAPE:
        if (w->Level() > 0)
            CloseAbove(w->Level() - 1);
        else
            Close(nullptr);
        break;
    default: break;
    }
}

void TMenuTracker::Char(QChar Key)
{
    TMenuWindow *w = FWindows.back();
    const QChar wanted = Key.toUpper();
    const std::vector<QChar> keys = Hotkeys(w->Item());
    std::vector<int> matches;
    for (size_t i = 0; i < keys.size(); ++i)
        if (!keys[i].isNull() && keys[i] == wanted)
            matches.push_back(static_cast<int>(i));
    if (matches.empty())
        return;
    if (matches.size() == 1) {
        Activate(w, matches.front(), true);
        return;
    }
    // Several items share the key: each press selects the next of them.
    const auto next = std::upper_bound(matches.begin(), matches.end(), w->Selected());
    w->SetSelected(next == matches.end() ? matches.front() : *next);
}

// ---------------------------------------------------------------------------

void TrackMenu(TMenuItem *Item, const TPoint &Pos, TPopupAlignment Alignment, TMenuTrackHooks Hooks, bool SelectFirst)
{
    CloseMenus();
    if (!Item || !HasSubMenu(Item)) {
        if (Hooks.Closed)
            Hooks.Closed();
        return;
    }
    gTracker = new TMenuTracker(std::move(Hooks));
    gTracker->Open(Item, Pos, Alignment, SelectFirst);
}

void CloseMenus()
{
    if (gTracker)
        gTracker->Close(nullptr);
}

std::vector<TMenuWindow *> OpenMenuWindows()
{
    return gTracker ? gTracker->Windows() : std::vector<TMenuWindow *>();
}

void ForgetMenuItem(TMenuItem *Item)
{
    if (gTracker && gTracker->Shows(Item))
        gTracker->Close(nullptr);
}
