#include "SUIComboBox.h"

#include "SUIPublic.h"
#include "SUIResDef.h"

TsuiCustomComboBox::TsuiCustomComboBox(TComponent *AOwner) : TCustomComboBox(AOwner)
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetBorderWidth(0);
    SetUIStyle(GetContainerUIStyle(AOwner));
}

void TsuiCustomComboBox::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    FButtonColor = GetThemeColor(FUIStyle, 74);
    FArrowColor = GetThemeColor(FUIStyle, 8);
    FBorderColor = GetThemeColor(FUIStyle, 8);
    Repaint();
}

void TsuiCustomComboBox::SetBorderColor(TColor Value)
{
    FBorderColor = Value;
    Repaint();
}

void TsuiCustomComboBox::SetButtonColor(TColor Value)
{
    FButtonColor = Value;
    Repaint();
}

void TsuiCustomComboBox::SetArrowColor(TColor Value)
{
    FArrowColor = Value;
    Repaint();
}

void TsuiCustomComboBox::SetEnabled(bool Value)
{
    TCustomComboBox::SetEnabled(Value);
    Repaint();
}

void TsuiCustomComboBox::WMPaint(TMessage &Message)
{
    TCustomComboBox::WMPaint(Message);
    DrawButton();
    DrawControlBorder(this, FBorderColor, Color());
}

void TsuiCustomComboBox::WMEraseBkgnd(TMessage &Message)
{
    TCustomComboBox::WMEraseBkgnd(Message);
    DrawControlBorder(this, FBorderColor, Color());
}

void TsuiCustomComboBox::DrawButton()
{
    TComboBoxInfo info;
    if (!GetComboBoxInfo(Handle(), &info))
        return;
    const TRect button = info.rcButton;
    HDC dc = GetDC(Handle());
    if (FUIStyle == MacOS) {
        TBitmap picture;
        picture.LoadFromResourceName(HInstance, RES_MACOS_COMBOBOX_BUTTON);
        dc->StretchDraw(button, &picture);
    } else {
        dc->Brush()->SetColor(FButtonColor);
        dc->Brush()->SetStyle(bsSolid);
        dc->FillRect(button);
    }
    // The button's top is not added: the triangle sits at half its height.
    const int x = button.Left + button.Width() / 2 - 4;
    const int y = button.Height() / 2;
    auto triangle = [dc](int X, int Y, TColor Colour) {
        dc->Brush()->SetColor(Colour);
        dc->Pen()->SetColor(Colour);
        dc->Polygon({{X, Y}, {X + 6, Y}, {X + 3, Y + 3}});
    };
    if (Enabled()) {
        triangle(x, y, FArrowColor);
    } else {
        triangle(x + 1, y + 1, 0x00FFFFFF);
        triangle(x, y, 0x00808080);
    }
    ReleaseDC(Handle(), dc);
}
