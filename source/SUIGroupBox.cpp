#include "SUIGroupBox.h"

#include <cstdlib>

TsuiCustomGroupBox::TsuiCustomGroupBox(TComponent *AOwner) : TsuiCustomPanel(AOwner)
{
    SetText(QStringLiteral(" "));
    SetWidth(185);
    SetHeight(105);
    const TsuiUIStyle style = GetContainerUIStyle(AOwner);
    FBorderColor = GetThemeColor(style, 8);
    Font()->SetColor(GetThemeColor(style, 10));
    SetTransparent(true);
}

void TsuiCustomGroupBox::SetBorderColor(TColor Value)
{
    FBorderColor = Value;
    Repaint();
}

void TsuiCustomGroupBox::SetCaption(const String &Value)
{
    FCaption = Value;
    Repaint();
}

void TsuiCustomGroupBox::SetEnabled(bool Value)
{
    TsuiCustomPanel::SetEnabled(Value);
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->SetEnabled(Value);
    Repaint();
}

void TsuiCustomGroupBox::ApplyStyle(TsuiUIStyle Style)
{
    ApplyStyleToChildren(Style);
}

TRect TsuiCustomGroupBox::ItemArea() const
{
    TRect area = ClientRect();
    area.Left += 3;
    area.Top += std::abs(Font()->Height());
    area.Right -= 2;
    area.Bottom -= 2;
    return area;
}

void TsuiCustomGroupBox::Paint()
{
    TsuiCustomPanel::Paint();

    TCanvas *canvas = Canvas();
    canvas->SetFont(Font());
    const TRect R = ClientRect();
    const int y = std::abs(Font()->Height()) / 2 + R.Top + 1;
    // The top line stops where the caption begins; without a caption the
    // frame is closed.
    const int x = FCaption.isEmpty() ? R.Left : R.Left + 6 + canvas->TextWidth(FCaption);
    canvas->Pen()->SetColor(FBorderColor);
    canvas->Polyline({{R.Left + 2, y}, {R.Left, y}, {R.Left, R.Bottom - 1}, {R.Right - 1, R.Bottom - 1}, {R.Right - 1, y}, {x, y}});

    canvas->Font()->SetColor(Enabled() ? Font()->Color() : TColor(0x00808080));
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(5, 0, FCaption);
}

void TsuiCustomGroupBox::CMFontChanged(TMessage &Message)
{
    TsuiCustomPanel::CMFontChanged(Message);
    Repaint();
}
