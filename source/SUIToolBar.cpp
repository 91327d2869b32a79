#include "SUIToolBar.h"

#include "ImgList.h"
#include "SUIPublic.h"

TsuiToolBar::TsuiToolBar(TComponent *AOwner) : TToolBar(AOwner)
{
    // The application's own handlers of these events give way to the skin's.
    if (!(ComponentState() & csDesigning))
        OnCustomDrawButton = [this](TToolBar *Sender, TToolButton *Button, TCustomDrawState State, bool &DefaultDraw) {
            ToolBarCustomDrawButton(Sender, Button, State, DefaultDraw);
        };
    OnCustomDraw = [this](TToolBar *Sender, const TRect &ARect, bool &DefaultDraw) {
        ToolBarCustomDraw(Sender, ARect, DefaultDraw);
    };
    SetFlat(true);
    SetTransparent(false);
    SetUIStyle(GetContainerUIStyle(AOwner));
}

void TsuiToolBar::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    if (FUIStyle == Custom)
        return;
    FButtonBorderColor = GetThemeColor(FUIStyle, 80);
    FButtonColor = GetThemeColor(FUIStyle, 81);
    FButtonDownColor = GetThemeColor(FUIStyle, 82);
    SetColor(GetThemeColor(FUIStyle, 83));
    SetTransparent(FUIStyle == MacOS);
    SetEdgeInner(esNone);
    SetEdgeOuter(esNone);
    Repaint();
}

void TsuiToolBar::SetButtonColor(TColor Value)
{
    FButtonColor = Value;
    Repaint();
}

void TsuiToolBar::SetButtonBorderColor(TColor Value)
{
    FButtonBorderColor = Value;
    Repaint();
}

void TsuiToolBar::SetButtonDownColor(TColor Value)
{
    FButtonDownColor = Value;
    Repaint();
}

void TsuiToolBar::ToolBarCustomDraw(TToolBar *, const TRect &, bool &)
{
    if (Transparent())
        DrawParentBackground(Canvas(), this);
}

void TsuiToolBar::ToolBarCustomDrawButton(TToolBar *, TToolButton *Button, TCustomDrawState State, bool &DefaultDraw)
{
    if (State & cdsHot) {
        DrawFace(Button, FaceImages(), State & cdsSelected);
        DefaultDraw = false;
    } else if (State & (cdsSelected | cdsChecked)) {
        DrawFace(Button, FaceImages(), false);
        DefaultDraw = false;
    }
}

TCustomImageList *TsuiToolBar::FaceImages() const
{
    return HotImages() ? HotImages() : Images();
}

void TsuiToolBar::DrawFace(TToolButton *Button, TCustomImageList *Images, bool Down)
{
    TCanvas *canvas = Canvas();
    const TRect r = Button->BoundsRect();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Down ? FButtonDownColor : FButtonColor);
    canvas->Pen()->SetColor(FButtonBorderColor);
    canvas->Rectangle(r);
    // Positions down from the tool bar's top, not the button's.
    if (Images)
        Images->Draw(canvas, r.Left + (r.Width() - Images->Width()) / 2 - (Down ? 0 : 1), Down ? 3 : 2,
                     Button->ImageIndex(), true);
    if (!ShowCaptions())
        return;
    TRect text = Rect(r.Left, Images ? Images->Height() + 4 : (Down ? 5 : 4), r.Right, r.Bottom);
    canvas->Brush()->SetStyle(bsClear);
    DrawText(canvas, Button->Caption(), text, DT_SINGLELINE | DT_CENTER);
}
