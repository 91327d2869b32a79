#include "SUISideChannel.h"

#include "Buttons.h"
#include "Forms.h"
#include "SUIButton.h"
#include "SUIResDef.h"

namespace {
// Pixels the width changes by per step of a slide.
constexpr int SlideStep = 15;
// An open channel is not made narrower than this.
constexpr int MinOpenWidth = 50;

void LoadGlyph(TSpeedButton *Button, const char *ResName)
{
    TBitmap glyph;
    glyph.LoadFromResourceName(HInstance, ResName);
    Button->SetGlyph(&glyph);
}
}

TsuiSideChannel::TsuiSideChannel(TComponent *AOwner) : TCustomPanel(AOwner)
{
    FWidth = TControl::Width();
    FSideBar = new TPanel(this);
    FTitlePanel = new TPanel(this);
    FPinButton = new TSpeedButton(this);
    FBarButton = new TsuiButton(this);

    FTitlePanel->SetParent(this);
    FTitlePanel->SetAlign(alTop);
    FTitlePanel->SetHeight(16);
    FTitlePanel->SetBevelInner(bvNone);
    FTitlePanel->SetBevelOuter(bvNone);
    FTitlePanel->SetCaption(String());
    FTitlePanel->OnMouseMove = [this](TObject *S, TShiftState Shift, int X, int Y) { MouseHover(S, Shift, X, Y); };
    FTitlePanel->OnResize = [this](TObject *) {
        FPinButton->SetLeft(FTitlePanel->Width() - FPinButton->Width());
    };

    FSideBar->SetParent(this);
    FSideBar->SetAlign(alLeft);
    FSideBar->SetWidth(10);
    FSideBar->SetBevelInner(bvNone);
    FSideBar->SetBevelOuter(bvNone);
    FSideBar->SetCaption(String());
    FSideBar->OnMouseMove = [this](TObject *S, TShiftState Shift, int X, int Y) { MouseHover(S, Shift, X, Y); };
    FSideBar->OnClick = [this](TObject *S) { BarClick(S); };

    FPinButton->SetParent(FTitlePanel);
    FPinButton->SetFlat(true);
    FPinButton->SetHeight(16);
    FPinButton->SetWidth(20);
    FPinButton->SetGroupIndex(1);
    FPinButton->SetAllowAllUp(true);
    LoadGlyph(FPinButton, RES_SIDECHANNEL_BTN_NOONTOP);
    FPinButton->SetLeft(FTitlePanel->Width() - FPinButton->Width());
    FPinButton->OnClick = [this](TObject *S) { PinClick(S); };

    FBarButton->SetParent(FSideBar);
    FBarButton->SetLeft(0);
    FBarButton->SetTop(0);
    FBarButton->SetUIStyle(Custom);
    FBarButton->SetPicNormalResName(RES_SIDECHANNEL_BAR_NORMAL);
    FBarButton->SetPicMouseOnResName(RES_SIDECHANNEL_BAR_MOUSEON);
    FBarButton->SetPicMouseDownResName(RES_SIDECHANNEL_BAR_MOUSEON);
    FBarButton->SetTabStop(false);
    FBarButton->SetAutoSize(true);
    FBarButton->OnMouseMove = [this](TObject *S, TShiftState Shift, int X, int Y) { MouseHover(S, Shift, X, Y); };
    FBarButton->OnClick = [this](TObject *S) { BarClick(S); };

    FHideTimer = new TTimer(this);
    FHideTimer->SetInterval(500);
    FHideTimer->SetEnabled(false);
    FHideTimer->OnTimer = [this](TObject *S) { HideCheck(S); };

    FSliding = false;
    SetBevelOuter(bvNone);
    SetAlign(suiLeft);
    TControl::OnResize = [this](TObject *S) { ChannelResize(S); };
    TControl::OnCanResize = [this](TObject *S, int &W, int &H, bool &R) { ChannelCanResize(S, W, H, R); };
    SetCaption(QStringLiteral(" "));
    SetSideBarColor(clBtnFace);
    FPopupMode = suiMouseOn;
    FQuickMove = false;
    SetColor(GetContainerFormColor(AOwner));
    SetSideBarColor(Color());
    if (!Designing())
        PushIn(true);
}

TsuiSideChannel::~TsuiSideChannel()
{
    TControl::OnResize = nullptr;
    TControl::OnCanResize = nullptr;
    delete FHideTimer;
    delete FPinButton;
    delete FTitlePanel;
    FTitlePanel = nullptr;
    delete FSideBar;
}

void TsuiSideChannel::SetWidth(int Value)
{
    FWidth = Value;
    if (Designing())
        TControl::SetWidth(Value);
}

TColor TsuiSideChannel::SideBarColor() const
{
    return FSideBar->Color();
}

void TsuiSideChannel::SetSideBarColor(TColor Value)
{
    FSideBar->SetColor(Value);
    FTitlePanel->SetColor(Value);
}

int TsuiSideChannel::SideBarWidth() const
{
    return FSideBar->Width();
}

void TsuiSideChannel::SetSideBarWidth(int Value)
{
    FSideBar->SetWidth(Value);
    if (!Designing())
        PushIn(true);
}

void TsuiSideChannel::SetCaption(const String &Value)
{
    FCaption = Value;
    // A collapsed channel's title stays empty until it opens.
    if (IsOpen())
        FTitlePanel->SetCaption(Value);
}

TAlignment TsuiSideChannel::Alignment() const
{
    return FTitlePanel->Alignment();
}

void TsuiSideChannel::SetAlignment(TAlignment Value)
{
    FTitlePanel->SetAlignment(Value);
}

void TsuiSideChannel::SetAlign(TsuiSideChannelAlign Value)
{
    FAlign = Value;
    TControl::SetAlign(FAlign == suiRight ? alRight : alLeft);
}

void TsuiSideChannel::SetStayOn(bool Value)
{
    FStayOn = Value;
    if (FStayOn) {
        if (!Designing())
            PopOut(FQuickMove);
        FPinButton->SetDown(true);
    } else {
        FPinButton->SetDown(false);
        if (!Designing())
            PushIn(true);
    }
    if (!Designing())
        PinClick(FPinButton);
}

bool TsuiSideChannel::IsOpen() const
{
    return FPinButton->Visible();
}

void TsuiSideChannel::PopOut(bool Quick)
{
    FSliding = true;
    FPinButton->SetVisible(true);
    if (!Quick)
        while (TControl::Width() + SlideStep < FWidth) {
            TControl::SetWidth(TControl::Width() + SlideStep);
            Refresh();
            Application->ProcessMessages();
        }
    TControl::SetWidth(FWidth);
    Refresh();
    FHideTimer->SetEnabled(true);
    FSliding = false;
    FTitlePanel->SetCaption(FCaption);
    if (OnPop)
        OnPop(this);
}

void TsuiSideChannel::PushIn(bool Quick)
{
    FSliding = true;
    FHideTimer->SetEnabled(false);
    if (!Quick)
        while (FSideBar->Width() < TControl::Width() - SlideStep) {
            TControl::SetWidth(TControl::Width() - SlideStep);
            Refresh();
            Application->ProcessMessages();
        }
    TControl::SetWidth(FSideBar->Width());
    Refresh();
    FPinButton->SetVisible(false);
    FTitlePanel->SetCaption(String());
    FSliding = false;
    if (OnPush)
        OnPush(this);
}

void TsuiSideChannel::MouseHover(TObject *, TShiftState, int, int)
{
    if (FSideBar->Width() >= TControl::Width() && FPopupMode == suiMouseOn)
        PopOut(FQuickMove);
}

void TsuiSideChannel::BarClick(TObject *)
{
    if (FPopupMode == suiMouseClick)
        PopOut(FQuickMove);
}

void TsuiSideChannel::PinClick(TObject *)
{
    const bool pinned = FPinButton->Down();
    FHideTimer->SetEnabled(!pinned);
    LoadGlyph(FPinButton, pinned ? RES_SIDECHANNEL_BTN_ONTOP : RES_SIDECHANNEL_BTN_NOONTOP);
    FStayOn = pinned;
}

void TsuiSideChannel::HideCheck(TObject *)
{
    if (!Parent()) {
        PushIn(FQuickMove);
        return;
    }
    TPoint pointer;
    GetCursorPos(&pointer);
    const TPoint origin = ClientOrigin();
    const TRect r = Rect(origin.X, origin.Y, origin.X + TControl::Width(), origin.Y + Height());
    // The edges themselves count as outside.
    const bool inside = pointer.X > r.Left && pointer.X < r.Right && pointer.Y > r.Top && pointer.Y < r.Bottom;
    if (!inside)
        PushIn(FQuickMove);
}

void TsuiSideChannel::ChannelResize(TObject *)
{
    // A user resizing an open channel changes how far it opens.
    if (!FSliding && TControl::Width() > FSideBar->Width())
        FWidth = TControl::Width();
    if (OnResize)
        OnResize(this);
}

void TsuiSideChannel::ChannelCanResize(TObject *, int &NewWidth, int &NewHeight, bool &Resize)
{
    if (OnCanResize)
        OnCanResize(this, NewWidth, NewHeight, Resize);
    if (!FSliding && IsOpen() && NewWidth < MinOpenWidth)
        Resize = false;
}

void TsuiSideChannel::CMFontChanged(TMessage &Message)
{
    TCustomPanel::CMFontChanged(Message);
    if (FTitlePanel)
        FTitlePanel->SetFont(Font());
}
