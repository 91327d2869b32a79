// Tool bars and tool buttons.
#include "ComCtrlsToolBar.h"

#include "ImgList.h"
#include "Menus.h"
#include "MenusPopup.h"

#include <algorithm>

namespace {

// Room around a caption in an auto-sized button, and the arrow part of a
// drop-down button.
constexpr int CaptionPadding = 14;
constexpr int DropDownWidth = 14;
constexpr int SeparatorWidth = 8;

const TCustomImageList *ValidImages(const TCustomImageList *Images, int Index)
{
    return Images && Index >= 0 && Index < Images->Count() ? Images : nullptr;
}

} // namespace

// ---------------------------------------------------------------------------
// TToolButton

TToolButton::TToolButton(TComponent *AOwner) : TGraphicControl(AOwner)
{
    // Two quick clicks are two clicks.
    SetControlStyle(ControlStyle() & ~csDoubleClicks);
    SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton()
{
    Destroying();
    if (FToolBar)
        FToolBar->RemoveButton(this);
}

int TToolButton::Index() const
{
    if (!FToolBar)
        return -1;
    const auto &b = FToolBar->FButtons;
    const auto it = std::find(b.begin(), b.end(), this);
    return it == b.end() ? -1 : static_cast<int>(it - b.begin());
}

void TToolButton::SetParent(TWinControl *AParent)
{
    if (AParent == Parent())
        return;
    if (FToolBar)
        FToolBar->RemoveButton(this);
    TGraphicControl::SetParent(AParent);
    if (auto bar = dynamic_cast<TToolBar *>(AParent))
        bar->InsertButton(this);
}

void TToolButton::UpdateLayout()
{
    if (FToolBar)
        FToolBar->Relayout();
}

void TToolButton::SetStyle(TToolButtonStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    if (Value == tbsSeparator || Value == tbsDivider)
        SetWidth(SeparatorWidth);
    UpdateLayout();
    Invalidate();
}

void TToolButton::SetGrouped(bool Value)
{
    FGrouped = Value;
}

void TToolButton::SetDown(bool Value)
{
    if (Value == FDown)
        return;
    FDown = Value;
    if (Value && FGrouped && FToolBar) {
        // Grouped neighbours (an unbroken run of grouped check buttons) come up.
        const int index = Index();
        const auto &b = FToolBar->FButtons;
        auto groupMember = [](const TToolButton *t) { return t->FGrouped && t->FStyle == tbsCheck; };
        for (int i = index - 1; i >= 0 && groupMember(b[static_cast<size_t>(i)]); --i)
            b[static_cast<size_t>(i)]->SetDown(false);
        for (size_t i = static_cast<size_t>(index) + 1; i < b.size() && groupMember(b[i]); ++i)
            b[i]->SetDown(false);
    }
    Invalidate();
}

void TToolButton::SetImageIndex(int Value)
{
    if (Value == FImageIndex)
        return;
    FImageIndex = Value;
    UpdateLayout();
    Invalidate();
}

void TToolButton::SetWrap(bool Value)
{
    if (Value == FWrap)
        return;
    FWrap = Value;
    UpdateLayout();
}

void TToolButton::SetMenuItem(TMenuItem *Value)
{
    if (Value == FMenuItem)
        return;
    if (FMenuItem)
        FMenuItem->RemoveFreeNotification(this);
    FMenuItem = Value;
    if (!Value)
        return;
    Value->FreeNotification(this);
    SetCaption(Value->Caption());
    SetEnabled(Value->Enabled());
    SetHint(Value->Hint());
    SetImageIndex(Value->ImageIndex());
    SetVisible(Value->Visible());
}

void TToolButton::SetDropdownMenu(TPopupMenu *Value)
{
    if (Value == FDropdownMenu)
        return;
    if (FDropdownMenu)
        FDropdownMenu->RemoveFreeNotification(this);
    FDropdownMenu = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TToolButton::SetAutoSize(bool Value)
{
    if (Value == AutoSize())
        return;
    TGraphicControl::SetAutoSize(Value);
    UpdateLayout();
}

void TToolButton::Notification(TComponent *AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FMenuItem) {
        if (FToolBar && FToolBar->FDroppedButton == this)
            CloseMenus();
        FMenuItem = nullptr;
    }
    if (AComponent == FDropdownMenu) {
        if (FToolBar && FToolBar->FDroppedButton == this)
            CloseMenus();
        FDropdownMenu = nullptr;
    }
}

bool TToolButton::HasMenu() const
{
    auto hasItems = [](const TMenuItem *Item) {
        for (int i = 0; i < Item->Count(); ++i)
            if (Item->Items(i)->Visible())
                return true;
        return false;
    };
    return (FMenuItem && hasItems(FMenuItem)) || (FDropdownMenu && hasItems(FDropdownMenu->Items()));
}

void TToolButton::Click()
{
    if (FStyle == tbsCheck) {
        if (!FDown)
            SetDown(true);
        else if (!FGrouped || FAllowAllUp)
            SetDown(false);
    }
    TGraphicControl::Click();
    if (FMenuItem && FMenuItem->Count() == 0)
        FMenuItem->Click();
}

void TToolButton::Paint()
{
    // The tool bar draws its buttons in its own Paint.
}

void TToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled() || FStyle == tbsSeparator || FStyle == tbsDivider || !FToolBar)
        return;
    if (HasMenu()) {
        // The menu takes the mouse from here; the release is not a click.
        SetMouseCapture(false);
        SetControlState(ControlState() & ~csClicked);
        if (FToolBar->FDroppedButton == this)
            CloseMenus();
        else
            FToolBar->DropMenu(this, false);
        return;
    }
    FPressed = true;
    Invalidate();
}

void TToolButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!MouseCapture())
        return;
    const bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
    if (inside != FPressed) {
        FPressed = inside;
        Invalidate();
    }
}

void TToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The click itself comes from the framework's release handling.
    if (FPressed) {
        FPressed = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TToolButton::CMMouseEnter(TMessage &Message)
{
    TGraphicControl::CMMouseEnter(Message);
    FHot = true;
    Invalidate();
}

void TToolButton::CMMouseLeave(TMessage &Message)
{
    TGraphicControl::CMMouseLeave(Message);
    FHot = false;
    Invalidate();
}

void TToolButton::CMTextChanged(TMessage &Message)
{
    TGraphicControl::CMTextChanged(Message);
    UpdateLayout();
    Invalidate();
}

void TToolButton::CMEnabledChanged(TMessage &Message)
{
    TGraphicControl::CMEnabledChanged(Message);
    Invalidate();
}

void TToolButton::CMVisibleChanged(TMessage &Message)
{
    TGraphicControl::CMVisibleChanged(Message);
    UpdateLayout();
}

// ---------------------------------------------------------------------------
// TToolBar

TToolBar::TToolBar(TComponent *AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
    SetColor(clBtnFace);
    SetParentColor(false);
}

TToolBar::~TToolBar()
{
    Destroying();
    if (FDroppedButton)
        CloseMenus();
    for (TToolButton *b : FButtons)
        b->FToolBar = nullptr;
}

TToolButton *TToolBar::Buttons(int Index) const
{
    if (Index < 0 || Index >= ButtonCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FButtons[static_cast<size_t>(Index)];
}

void TToolBar::InsertButton(TToolButton *Button)
{
    Button->FToolBar = this;
    // A button read from a window description goes last; a button made at
    // run time goes before the first button that is not left of it.
    size_t index = FButtons.size();
    if (!(ComponentState() & csLoading) && !(Button->ComponentState() & csLoading)) {
        index = 0;
        while (index < FButtons.size() && FButtons[index]->Left() < Button->Left())
            ++index;
    }
    FButtons.insert(FButtons.begin() + static_cast<std::ptrdiff_t>(index), Button);
    Relayout();
}

void TToolBar::RemoveButton(TToolButton *Button)
{
    if (FDroppedButton == Button)
        CloseMenus();
    std::erase(FButtons, Button);
    Button->FToolBar = nullptr;
    if (!(ComponentState() & csDestroying))
        Relayout();
}

#define TOOLBAR_SETTER(Name, Field, Type)                                                                         \
    void TToolBar::Set##Name(Type Value)                                                                          \
    {                                                                                                             \
        if (Value == Field)                                                                                       \
            return;                                                                                               \
        Field = Value;                                                                                            \
        Relayout();                                                                                               \
        Invalidate();                                                                                             \
    }
TOOLBAR_SETTER(Flat, FFlat, bool)
TOOLBAR_SETTER(EdgeBorders, FEdgeBorders, TEdgeBorders)
TOOLBAR_SETTER(EdgeInner, FEdgeInner, TEdgeStyle)
TOOLBAR_SETTER(EdgeOuter, FEdgeOuter, TEdgeStyle)
TOOLBAR_SETTER(ShowCaptions, FShowCaptions, bool)
TOOLBAR_SETTER(ButtonHeight, FButtonHeight, int)
TOOLBAR_SETTER(ButtonWidth, FButtonWidth, int)
TOOLBAR_SETTER(Indent, FIndent, int)
TOOLBAR_SETTER(Wrapable, FWrapable, bool)
TOOLBAR_SETTER(Transparent, FTransparent, bool)
#undef TOOLBAR_SETTER

void TToolBar::SetImageList(TCustomImageList *&Field, TCustomImageList *Value)
{
    if (Value == Field)
        return;
    TCustomImageList *old = Field;
    Field = Value;
    // A list may serve as more than one of the three.
    if (old && old != FImages && old != FHotImages && old != FDisabledImages)
        RemoveFreeNotification(old);
    if (Value)
        FreeNotification(Value);
    Relayout();
    Invalidate();
}

void TToolBar::SetImages(TCustomImageList *Value)
{
    SetImageList(FImages, Value);
}

void TToolBar::SetHotImages(TCustomImageList *Value)
{
    SetImageList(FHotImages, Value);
}

void TToolBar::SetDisabledImages(TCustomImageList *Value)
{
    SetImageList(FDisabledImages, Value);
}

void TToolBar::Notification(TComponent *AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    for (TCustomImageList **list : {&FImages, &FHotImages, &FDisabledImages})
        if (*list == AComponent)
            *list = nullptr;
    Invalidate();
}

void TToolBar::SetAutoSize(bool Value)
{
    if (Value == AutoSize())
        return;
    TCustomControl::SetAutoSize(Value);
    Relayout();
}

TRect TToolBar::EdgeInsets() const
{
    const int w = (FEdgeInner != esNone ? 1 : 0) + (FEdgeOuter != esNone ? 1 : 0);
    return Rect(FEdgeBorders & ebLeft ? w : 0, FEdgeBorders & ebTop ? w : 0, FEdgeBorders & ebRight ? w : 0,
                FEdgeBorders & ebBottom ? w : 0);
}

int TToolBar::ButtonWidthFor(TToolButton *Button, TCanvas *Measure) const
{
    if (Button->FStyle == tbsSeparator || Button->FStyle == tbsDivider)
        return Button->Width();
    const TCustomImageList *images = ValidImages(FImages, Button->FImageIndex);
    int width = 0;
    if (Button->AutoSize()) {
        const int text = FShowCaptions ? Measure->TextWidth(StripHotkey(Button->Caption())) + CaptionPadding : 0;
        width = std::max(text, images ? images->Width() + 7 : 0);
        if (width == 0)
            width = FButtonWidth;
    } else {
        width = FButtonWidth;
        if (FShowCaptions)
            width = std::max(width, Measure->TextWidth(StripHotkey(Button->Caption())) + CaptionPadding);
    }
    return Button->FStyle == tbsDropDown ? width + DropDownWidth : width;
}

int TToolBar::LayoutButtons()
{
    TBitmap scratch;
    scratch.SetWidth(1);
    scratch.SetHeight(1);
    TCanvas *measure = scratch.Canvas();
    measure->SetFont(Font());
    const TRect edges = EdgeInsets();
    const int left = edges.Left + FIndent;
    const int right = ClientWidth() - edges.Right;
    int x = left;
    int y = edges.Top;
    bool rowUsed = false;
    for (TToolButton *b : FButtons) {
        if (!b->Visible())
            continue;
        const int w = ButtonWidthFor(b, measure);
        if (FWrapable && rowUsed && x + w > right) {
            x = left;
            y += FButtonHeight;
        }
        b->SetBounds(x, y, w, FButtonHeight);
        x += w;
        rowUsed = true;
        if (b->FWrap) {
            x = left;
            y += FButtonHeight;
            rowUsed = false;
        }
    }
    return (rowUsed ? y + FButtonHeight : y) + edges.Bottom;
}

void TToolBar::Relayout()
{
    if (FLayingOut || (ComponentState() & csDestroying))
        return;
    FLayingOut = true;
    LayoutButtons();
    FLayingOut = false;
    if (AutoSize())
        AdjustSize();
    Invalidate();
}

bool TToolBar::CanAutoSize(int &NewWidth, int &NewHeight)
{
    Q_UNUSED(NewWidth);
    if (FLayingOut)
        return false;
    FLayingOut = true;
    NewHeight = std::max(LayoutButtons(), FButtonHeight);
    FLayingOut = false;
    return true;
}

void TToolBar::WMSize(TMessage &Message)
{
    TCustomControl::WMSize(Message);
    Relayout();
}

void TToolBar::CMFontChanged(TMessage &Message)
{
    TCustomControl::CMFontChanged(Message);
    Relayout();
}

void TToolBar::CMDialogChar(TMessage &Message)
{
    // Alt with the marked letter of a button's caption.
    const bool alt = GetKeyState(VK_MENU) < 0 || (Message.LParam & (1 << 29));
    if (!alt || !Visible() || !Enabled())
        return TCustomControl::CMDialogChar(Message);
    const QChar key = QChar(static_cast<char16_t>(Message.WParam)).toUpper();
    for (TToolButton *b : FButtons) {
        if (!b->Visible() || !b->Enabled() || GetHotkey(b->Caption()) != key)
            continue;
        if (b->HasMenu())
            DropMenu(b, true);
        else
            b->Click();
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(Message);
}

TCustomDrawState TToolBar::ButtonState(const TToolButton *Button) const
{
    TCustomDrawState state = 0;
    if (Button->FPressed || FDroppedButton == Button)
        state |= cdsSelected;
    if (Button->FDown)
        state |= cdsChecked;
    if (!Button->Enabled())
        state |= cdsDisabled | cdsGrayed;
    else if (Button->FHot)
        state |= cdsHot;
    return state;
}

// ---------------------------------------------------------------------------
// Menus of buttons

TToolButton *TToolBar::MenuButtonAt(const TPoint &Pos) const
{
    for (TToolButton *b : FButtons)
        if (b->Visible() && b->Enabled() && b->HasMenu() && PtInRect(b->BoundsRect(), Pos))
            return b;
    return nullptr;
}

TToolButton *TToolBar::NeighbourMenuButton(TToolButton *From, int Direction) const
{
    const int n = ButtonCount();
    const int start = From->Index();
    for (int k = 1; k < n; ++k) {
        TToolButton *b = FButtons[static_cast<size_t>(((start + Direction * k) % n + n) % n)];
        if (b->Visible() && b->Enabled() && b->HasMenu())
            return b;
    }
    return nullptr;
}

void TToolBar::DropMenu(TToolButton *Button, bool SelectFirst)
{
    CloseMenus();
    if (!Button || !Button->HasMenu())
        return;
    FDroppedButton = Button;
    Button->FPressed = false;
    Invalidate();
    Update();
    TMenuTrackHooks hooks;
    hooks.OutsideMouse = [this](const TPoint &Screen, bool Press) {
        TToolButton *b = MenuButtonAt(ScreenToClient(Screen));
        if (!b)
            return false;
        if (b == FDroppedButton) {
            // A press on the dropped button closes its menu; resting on it keeps it.
            if (Press)
                CloseMenus();
            return true;
        }
        DropMenu(b, false);
        return true;
    };
    hooks.Navigate = [this](int Direction) {
        TToolButton *next = FDroppedButton ? NeighbourMenuButton(FDroppedButton, Direction) : nullptr;
        if (!next)
            return false;
        DropMenu(next, true);
        return true;
    };
    hooks.Closed = [this] {
        FDroppedButton = nullptr;
        Invalidate();
    };
    const TPoint pos = ClientToScreen({Button->Left(), Button->Top() + Button->Height()});
    TMenuItem *item = Button->FMenuItem ? Button->FMenuItem : Button->FDropdownMenu->Items();
    if (Button->FDropdownMenu && Button->FDropdownMenu->OnPopup)
        Button->FDropdownMenu->OnPopup(Button->FDropdownMenu);
    TrackMenu(item, pos, paLeft, std::move(hooks), SelectFirst);
}

// ---------------------------------------------------------------------------
// Drawing

void TToolBar::WMEraseBkgnd(TMessage &Message)
{
    if (!FTransparent || !Message.WParam || !Parent()) {
        TCustomControl::WMEraseBkgnd(Message);
        return;
    }
    // The parent paints its background and content under the tool bar.
    TCanvas *dc = reinterpret_cast<TCanvas *>(Message.WParam);
    const int saved = dc->SaveState();
    dc->SetOrigin({dc->Origin().X - Left(), dc->Origin().Y - Top()});
    Parent()->Perform(WM_ERASEBKGND, Message.WParam, 0);
    Parent()->Perform(WM_PAINT, Message.WParam, 0);
    dc->RestoreState(saved);
    Message.Result = 1;
}

void TToolBar::Paint()
{
    TCanvas *canvas = Canvas();
    bool defaultDraw = true;
    if (OnCustomDraw)
        OnCustomDraw(this, ClientRect(), defaultDraw);
    if (!defaultDraw)
        return;
    DrawEdges();
    for (TToolButton *b : FButtons) {
        if (!b->Visible())
            continue;
        canvas->SetFont(Font());
        canvas->Brush()->SetColor(Color());
        canvas->Pen()->SetColor(clBlack);
        const TCustomDrawState state = ButtonState(b);
        bool drawButton = true;
        if (OnCustomDrawButton)
            OnCustomDrawButton(this, b, state, drawButton);
        if (drawButton)
            DrawButton(b, state);
    }
}

void TToolBar::DrawEdges()
{
    TCanvas *canvas = Canvas();
    const int w = ClientWidth();
    const int h = ClientHeight();
    // One line per edge style: the outer one on the border, the inner one
    // inside it. Raised: light top and left, shadow bottom and right.
    auto line = [&](int inset, TEdgeStyle style) {
        if (style == esNone)
            return;
        const TColor light = style == esRaised ? clBtnHighlight : clBtnShadow;
        const TColor dark = style == esRaised ? clBtnShadow : clBtnHighlight;
        auto hline = [&](int y, TColor c) {
            canvas->Pen()->SetColor(c);
            canvas->MoveTo(0, y);
            canvas->LineTo(w, y);
        };
        auto vline = [&](int x, TColor c) {
            canvas->Pen()->SetColor(c);
            canvas->MoveTo(x, 0);
            canvas->LineTo(x, h);
        };
        if (FEdgeBorders & ebTop)
            hline(inset, light);
        if (FEdgeBorders & ebLeft)
            vline(inset, light);
        if (FEdgeBorders & ebBottom)
            hline(h - 1 - inset, dark);
        if (FEdgeBorders & ebRight)
            vline(w - 1 - inset, dark);
    };
    line(0, FEdgeOuter);
    line(FEdgeOuter != esNone ? 1 : 0, FEdgeInner);
}

void TToolBar::DrawButton(TToolButton *Button, TCustomDrawState State)
{
    TCanvas *canvas = Canvas();
    const TRect r = Button->BoundsRect();
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    if (Button->FStyle == tbsSeparator || Button->FStyle == tbsDivider) {
        // An etched line down the middle.
        if (FFlat || Button->FStyle == tbsDivider) {
            const int x = r.Left + r.Width() / 2 - 1;
            canvas->Pen()->SetColor(clBtnShadow);
            canvas->MoveTo(x, r.Top + 2);
            canvas->LineTo(x, r.Bottom - 2);
            canvas->Pen()->SetColor(clBtnHighlight);
            canvas->MoveTo(x + 1, r.Top + 2);
            canvas->LineTo(x + 1, r.Bottom - 2);
        }
        return;
    }
    const bool pressed = State & (cdsSelected | cdsChecked);
    const bool enabled = !(State & cdsDisabled);
    if ((State & cdsChecked) && !(State & (cdsHot | cdsSelected))) {
        canvas->Brush()->SetColor(clBtnHighlight);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
    }
    // The edge: flat buttons show one only when hot, pressed or down.
    if (pressed || !FFlat || (State & cdsHot)) {
        const TColor topLeft = pressed ? clBtnShadow : clBtnHighlight;
        const TColor bottomRight = pressed ? clBtnHighlight : clBtnShadow;
        canvas->Pen()->SetColor(topLeft);
        canvas->Polyline({{r.Left, r.Bottom - 1}, {r.Left, r.Top}, {r.Right - 1, r.Top}});
        canvas->Pen()->SetColor(bottomRight);
        canvas->Polyline({{r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left - 1, r.Bottom - 1}});
    }
    TRect face = r;
    if (Button->FStyle == tbsDropDown) {
        face.Right -= DropDownWidth;
        const int x = face.Right + DropDownWidth / 2 - 3;
        const int y = r.Top + r.Height() / 2 - 1;
        const TColor arrow = enabled ? clBtnText : clGrayText;
        canvas->Pen()->SetColor(arrow);
        canvas->Brush()->SetColor(arrow);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Polygon({{x, y}, {x + 4, y}, {x + 2, y + 2}});
    }
    const int shift = pressed ? 1 : 0;
    const TCustomImageList *images = nullptr;
    if (!enabled && ValidImages(FDisabledImages, Button->FImageIndex))
        images = FDisabledImages;
    else if ((State & cdsHot) && ValidImages(FHotImages, Button->FImageIndex))
        images = FHotImages;
    else
        images = ValidImages(FImages, Button->FImageIndex);
    int textTop = face.Top;
    if (images) {
        const int x = face.Left + (face.Width() - images->Width()) / 2 + shift;
        const int y = FShowCaptions ? face.Top + 3 + shift : face.Top + (face.Height() - images->Height()) / 2 + shift;
        images->Draw(canvas, x, y, Button->FImageIndex, enabled || images == FDisabledImages);
        textTop = y + images->Height();
    }
    if (!FShowCaptions)
        return;
    canvas->Brush()->SetStyle(bsClear);
    TRect text = Rect(face.Left + shift, textTop + shift, face.Right + shift, face.Bottom + shift);
    const UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    if (!enabled) {
        // Etched grey text.
        TRect etch = text;
        OffsetRect(etch, 1, 1);
        canvas->Font()->SetColor(clBtnHighlight);
        DrawText(canvas, Button->Caption(), etch, format);
        canvas->Font()->SetColor(clGrayText);
    }
    DrawText(canvas, Button->Caption(), text, format);
}
