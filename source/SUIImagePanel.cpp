#include "SUIImagePanel.h"

#include "SUIPublic.h"

TsuiCustomPanel::TsuiCustomPanel(TComponent *AOwner)
    : TCustomPanel(AOwner), FPicture(std::make_unique<TPicture>())
{
    FPicture->OnChange = [this](TObject *Sender) { PictureChanged(Sender); };
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    Repaint();
}

TsuiCustomPanel::~TsuiCustomPanel() = default;

void TsuiCustomPanel::SetPicture(const TPicture *Value)
{
    FPicture->Assign(Value);
    PrepareBackground();
    Repaint();
}

void TsuiCustomPanel::PictureChanged(TObject *)
{
    if (TGraphic *graphic = FPicture->Graphic()) {
        if (AutoSize())
            SizeToPicture();
        if (graphic->Transparent() != FTransparent)
            graphic->SetTransparent(FTransparent);
    }
    PrepareBackground();
    Repaint();
}

void TsuiCustomPanel::SetAutoSize(bool Value)
{
    TCustomPanel::SetAutoSize(Value);
    if (Value && FPicture->Graphic())
        SizeToPicture();
}

void TsuiCustomPanel::SizeToPicture()
{
    if (Align() != alTop && Align() != alBottom && Align() != alClient)
        SetWidth(FPicture->Width());
    if (Align() != alLeft && Align() != alRight && Align() != alClient)
        SetHeight(FPicture->Height());
}

void TsuiCustomPanel::SetDrawStyle(TsuiDrawStyle Value)
{
    FDrawStyle = Value;
    PrepareBackground();
    Repaint();
}

void TsuiCustomPanel::SetTransparent(bool Value)
{
    FTransparent = Value;
    if (TGraphic *graphic = FPicture->Graphic())
        graphic->SetTransparent(Value);
    Repaint();
}

void TsuiCustomPanel::ApplyStyleToChildren(TsuiUIStyle Style)
{
    ::ApplyStyleToChildren(this, Style);
}

void TsuiCustomPanel::PrepareBackground()
{
    Canvas()->Brush()->SetColor(Color());
    // A panel placed in a window that is not a framework control has no
    // parent to paint under it: it fills its own area.
    if (!Parent() && ParentWindow())
        Canvas()->FillRect(ClientRect());
}

void TsuiCustomPanel::TextChanged()
{
}

void TsuiCustomPanel::Paint()
{
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas *canvas = buffer.Canvas();
    const TRect client = ClientRect();

    if (FTransparent)
        DrawParentBackground(canvas, this);

    if (TGraphic *graphic = FPicture->Graphic()) {
        switch (FDrawStyle) {
        case suiStretch:
            canvas->StretchDraw(client, graphic);
            break;
        case suiTile:
            DrawTiled(canvas, graphic, client);
            break;
        case suiNormal:
            canvas->Draw(0, 0, graphic);
            break;
        }
    } else if (!FTransparent) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(client);
    }

    canvas->Brush()->SetStyle(bsClear);
    if (!Caption().trimmed().isEmpty()) {
        canvas->SetFont(Font());
        UINT format = DT_SINGLELINE | DT_VCENTER;
        switch (Alignment()) {
        case taLeftJustify:
            format |= DT_LEFT;
            break;
        case taRightJustify:
            format |= DT_RIGHT;
            break;
        case taCenter:
            format |= DT_CENTER;
            break;
        }
        TRect textRect = client;
        DrawText(canvas, Caption(), textRect, format);
    }

    Canvas()->Draw(0, 0, &buffer);
}

void TsuiCustomPanel::Resize()
{
    TCustomPanel::Resize();
    Repaint();
}

void TsuiCustomPanel::CMTextChanged(TMessage &)
{
    Repaint();
}

void TsuiCustomPanel::WMEraseBkgnd(TMessage &Message)
{
    Message.Result = 1;
}
