#include "SUIButton.h"

#include "ImgList.h"
#include "SUIPublic.h"

#include <algorithm>
#include <cstdlib>

namespace {
// What a picture that cannot be loaded is drawn as.
constexpr int BlankPictureWidth = 74;
constexpr int BlankPictureHeight = 21;

// A one-image list of Picture, leaving out the colour of its pixel (0, 0)
// when Masked.
void FillImageList(TImageList &List, TBitmap *Picture, bool Masked)
{
    if (Masked)
        List.AddMasked(Picture, Picture->Canvas()->Pixels(0, 0));
    else
        List.Add(Picture, nullptr);
}
}

// ---------------------------------------------------------------------------
// TsuiCustomButton

TsuiCustomButton::TsuiCustomButton(TComponent *AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() & ~(csDoubleClicks | csAcceptsControls));
    OnClick = nullptr;
    SetText(String());
    SetResHandle(0);
}

TsuiCustomButton::~TsuiCustomButton() = default;

void TsuiCustomButton::SetPicMouseDownResName(const String &Value)
{
    FPicMouseDownResName = Value;
    Repaint();
}

void TsuiCustomButton::SetPicMouseOnResName(const String &Value)
{
    FPicMouseOnResName = Value;
    Repaint();
}

void TsuiCustomButton::SetPicNormalResName(const String &Value)
{
    FPicNormalResName = Value;
    UpdateAutoSize();
    Repaint();
}

void TsuiCustomButton::SetResHandle(HINSTANCE Value)
{
    FResHandle = Value == 0 ? HInstance : Value;
}

void TsuiCustomButton::SetAutoSize(bool Value)
{
    TCustomControl::SetAutoSize(Value);
    UpdateAutoSize();
    Repaint();
}

void TsuiCustomButton::SetCaption(const String &Value)
{
    FCaption = Value;
    CaptionChanged();
    Repaint();
}

void TsuiCustomButton::SetTabStop(bool Value)
{
    FTabStop = Value;
    TCustomControl::SetTabStop(Value);
}

void TsuiCustomButton::SetDefault(bool Value)
{
    FDefault = Value;
    if (HandleAllocated())
        if (TCustomForm *form = GetParentForm(this))
            form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
    Repaint();
}

void TsuiCustomButton::SetTransparent(bool Value)
{
    FTransparent = Value;
    TransparentChanged();
    Repaint();
}

void TsuiCustomButton::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    SetStyleResNames(Value);
    UIStyleChanged();
    Repaint();
}

void TsuiCustomButton::SetEnabled(bool Value)
{
    TCustomControl::SetEnabled(Value);
    EnabledChanged();
    Repaint();
}

void TsuiCustomButton::UpdateAutoSize()
{
    if (!AutoSize() || FPicNormalResName.isEmpty())
        return;
    TBitmap picture;
    LoadPicture(&picture, FPicNormalResName);
    SetHeight(picture.Height());
    SetWidth(picture.Width());
}

void TsuiCustomButton::CaptionChanged()
{
}

void TsuiCustomButton::FontChanged()
{
    Canvas()->SetFont(Font());
    Repaint();
}

void TsuiCustomButton::TransparentChanged()
{
    FPictureMasked = FTransparent;
    Repaint();
}

void TsuiCustomButton::EnabledChanged()
{
}

void TsuiCustomButton::UIStyleChanged()
{
    if (FUIStyle == Custom)
        SetAutoSize(true);
}

void TsuiCustomButton::LoadPicture(TBitmap *Bitmap, const String &ResName) const
{
    try {
        Bitmap->LoadFromResourceName(FResHandle, ResName);
    } catch (const Exception &) {
        Bitmap->SetSize(BlankPictureWidth, BlankPictureHeight);
    }
}

void TsuiCustomButton::GetNormalPicture(TBitmap *Bitmap)
{
    LoadPicture(Bitmap, FPicNormalResName);
}

void TsuiCustomButton::GetMouseOnPicture(TBitmap *Bitmap)
{
    LoadPicture(Bitmap, FPicMouseOnResName);
}

void TsuiCustomButton::GetMouseDownPicture(TBitmap *Bitmap)
{
    LoadPicture(Bitmap, FPicMouseDownResName);
}

void TsuiCustomButton::GetDisabledPicture(TBitmap *Bitmap)
{
    LoadPicture(Bitmap, FPicNormalResName);
}

void TsuiCustomButton::Click()
{
    if (TCustomForm *form = GetParentForm(this))
        form->SetModalResult(FModalResult);
    TCustomControl::Click();
}

void TsuiCustomButton::Paint()
{
    TBitmap picture;
    try {
        if (!Enabled())
            GetDisabledPicture(&picture);
        else if (FPressed)
            GetMouseDownPicture(&picture);
        else if (FMouseOn)
            GetMouseOnPicture(&picture);
        else
            GetNormalPicture(&picture);
    } catch (const Exception &) {
        picture.SetSize(BlankPictureWidth, BlankPictureHeight);
    }
    picture.SetTransparent(FPictureMasked);

    TBitmap buffer;
    buffer.SetPixelFormat(pfDevice);
    buffer.SetSize(Width(), Height());
    TCanvas *canvas = buffer.Canvas();

    if (FTransparent) {
        DrawParentBackground(canvas, this);
    } else {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(ClientRect());
    }

    DrawPicture(canvas, &picture);

    if (Focused() && FTabStop)
        DrawFocus(canvas);

    canvas->SetFont(Font());
    Canvas()->SetFont(Font());
    if (!FCaption.trimmed().isEmpty())
        DrawCaption(canvas, FCaption);

    Canvas()->CopyRect(ClientRect(), canvas, ClientRect());
}

void TsuiCustomButton::DrawPicture(TCanvas *ACanvas, TBitmap *Picture)
{
    if (Picture->Width() == 0 || Picture->Height() == 0)
        return;
    TImageList list(Picture->Width(), Picture->Height());
    FillImageList(list, Picture, FPictureMasked);
    list.Draw(ACanvas, 0, 0, 0, Enabled());
}

void TsuiCustomButton::DrawCaption(TCanvas *ACanvas, const String &ACaption)
{
    ACanvas->Brush()->SetStyle(bsClear);
    TRect r = ClientRect();
    const UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    if (!Enabled()) {
        TRect engraved = r;
        OffsetRect(engraved, 1, 1);
        ACanvas->Font()->SetColor(clWhite);
        DrawText(ACanvas, ACaption, engraved, format);
        ACanvas->Font()->SetColor(0x00808080);
    } else if (FPressed) {
        OffsetRect(r, 1, 1);
    }
    DrawText(ACanvas, ACaption, r, format);
}

void TsuiCustomButton::DrawFocus(TCanvas *ACanvas)
{
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->DrawFocusRect(Rect(2, 2, ClientWidth() - 2, ClientHeight() - 2));
}

void TsuiCustomButton::StopRepeat()
{
    FRepeatTimer.reset();
}

void TsuiCustomButton::CMMouseEnter(TMessage &Message)
{
    TCustomControl::CMMouseEnter(Message);
    if (ComponentState() & csDesigning)
        return;
    FMouseOn = true;
    Repaint();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TsuiCustomButton::CMMouseLeave(TMessage &Message)
{
    TCustomControl::CMMouseLeave(Message);
    FMouseOn = false;
    FPressed = false;
    StopRepeat();
    Repaint();
    if (OnMouseExit)
        OnMouseExit(this);
}

void TsuiCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        FPressed = true;
        if (!FRepeatTimer) {
            FRepeatTimer = std::make_unique<TTimer>(nullptr);
            FRepeatTimer->OnTimer = [this](TObject *) {
                if (OnMouseContinuouslyDown)
                    OnMouseContinuouslyDown(this);
            };
            FRepeatTimer->SetInterval(static_cast<unsigned>(std::max(FMouseContinuouslyDownInterval, 0)));
            FRepeatTimer->SetEnabled(true);
        }
        Repaint();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TsuiCustomButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        StopRepeat();
        FPressed = false;
        Repaint();
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TsuiCustomButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (X < 0 || Y < 0 || X > Width() || Y > Height()) {
        FMouseOn = false;
        FPressed = false;
        Repaint();
    }
}

void TsuiCustomButton::WMKeyDown(TMessage &Message)
{
    TCustomControl::WMKeyDown(Message);
    const int key = static_cast<int>(Message.WParam);
    if ((key == VK_SPACE || key == VK_RETURN) && Focused() && Enabled()) {
        FPressed = true;
        Repaint();
    }
}

void TsuiCustomButton::WMKeyUp(TMessage &Message)
{
    TCustomControl::WMKeyUp(Message);
    const int key = static_cast<int>(Message.WParam);
    if ((key == VK_SPACE || key == VK_RETURN) && Focused() && FPressed && Enabled()) {
        FPressed = false;
        Repaint();
        Click();
    }
}

void TsuiCustomButton::CMDialogChar(TMessage &Message)
{
    TCustomControl::CMDialogChar(Message);
    if (IsAccel(static_cast<int>(Message.WParam), FCaption) && Enabled()) {
        if (CanFocus())
            SetFocus();
        Click();
        Message.Result = 1;
    } else {
        Message.Result = 0;
    }
}

void TsuiCustomButton::CMDialogKey(TMessage &Message)
{
    const int key = static_cast<int>(Message.WParam);
    const bool noShift = (KeyDataToShiftState(Message.LParam) & (ssShift | ssAlt | ssCtrl)) == 0;
    if (((key == VK_RETURN && FDefault) || (key == VK_ESCAPE && FCancel)) && noShift && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogKey(Message);
}

void TsuiCustomButton::WMSetFocus(TMessage &Message)
{
    TCustomControl::WMSetFocus(Message);
    Repaint();
}

void TsuiCustomButton::WMKillFocus(TMessage &Message)
{
    TCustomControl::WMKillFocus(Message);
    Repaint();
}

void TsuiCustomButton::CMFocusChanged(TMessage &Message)
{
    TCustomControl::CMFocusChanged(Message);
    Repaint();
}

void TsuiCustomButton::CMFontChanged(TMessage &)
{
    FontChanged();
}

void TsuiCustomButton::WMEraseBkgnd(TMessage &Message)
{
    Message.Result = 1;
}

// ---------------------------------------------------------------------------
// TsuiButton

TsuiButton::TsuiButton(TComponent *AOwner) : TsuiCustomButton(AOwner)
{
    SetHeight(27);
    SetWidth(80);
    SetTabStop(true);
    FSpacing = 4;
    FGlyph = std::make_unique<TBitmap>();
    SetUIStyle(GetContainerUIStyle(AOwner));
}

TsuiButton::~TsuiButton() = default;

void TsuiButton::SetGlyph(const TBitmap *Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TsuiButton::SetLayout(TButtonLayout Value)
{
    FLayout = Value;
    Repaint();
}

void TsuiButton::SetSpacing(int Value)
{
    FSpacing = Value;
    Repaint();
}

void TsuiButton::SetPicMouseDownResName(const String &Value)
{
    SetUIStyle(Custom);
    TsuiCustomButton::SetPicMouseDownResName(Value);
}

void TsuiButton::SetPicMouseOnResName(const String &Value)
{
    SetUIStyle(Custom);
    TsuiCustomButton::SetPicMouseOnResName(Value);
}

void TsuiButton::SetPicNormalResName(const String &Value)
{
    SetUIStyle(Custom);
    TsuiCustomButton::SetPicNormalResName(Value);
}

String TsuiButton::PicMouseDownResName() const
{
    return UIStyle() == Custom ? TsuiCustomButton::PicMouseDownResName() : String();
}

String TsuiButton::PicMouseOnResName() const
{
    return UIStyle() == Custom ? TsuiCustomButton::PicMouseOnResName() : String();
}

String TsuiButton::PicNormalResName() const
{
    return UIStyle() == Custom ? TsuiCustomButton::PicNormalResName() : String();
}

void TsuiButton::SetStyleResNames(TsuiUIStyle Style)
{
    if (Style == Custom)
        return;
    SetResHandle(0);
    // The base setters: these names come from the style, not the application.
    TsuiCustomButton::SetPicNormalResName(GetThemeString(Style, 24));
    TsuiCustomButton::SetPicMouseOnResName(GetThemeString(Style, 25));
    TsuiCustomButton::SetPicMouseDownResName(GetThemeString(Style, 26));
}

void TsuiButton::UIStyleChanged()
{
    if (UIStyle() == MacOS)
        SetHeight(23);
    SetTransparent(UIStyle() == BlueGlass);
}

bool TsuiButton::CanResize(int &NewWidth, int &NewHeight)
{
    if (UIStyle() == MacOS && NewHeight != 23)
        return false;
    return TsuiCustomButton::CanResize(NewWidth, NewHeight);
}

void TsuiButton::DrawPicture(TCanvas *ACanvas, TBitmap *Picture)
{
    ACanvas->SetFont(Font());
    if (UIStyle() != Custom)
        DrawNineSlice(Picture, ACanvas, ClientRect(), PictureMasked());
    else
        TsuiCustomButton::DrawPicture(ACanvas, Picture);

    if (FGlyph->Empty())
        return;

    const TSize text = ACanvas->TextExtent(Caption());
    const int tw = text.cx;
    const int th = text.cy;
    int gw = FGlyph->Width();
    const int gh = FGlyph->Height();
    const bool twoFrames = gw == 2 * gh;
    if (twoFrames)
        gw = gh;

    const int w = Width();
    const int h = Height();
    const int s = FSpacing;
    TPoint glyph;
    switch (FLayout) {
    case blGlyphLeft:
        glyph = {(w - (tw + gw + s)) / 2, (h - gh) / 2};
        FCaptionPos = {glyph.X + gw + s, (h - th) / 2};
        break;
    case blGlyphRight:
        glyph = {(w + tw + s - gw) / 2, (h - gh) / 2};
        FCaptionPos = {glyph.X - tw - s, (h - th) / 2};
        break;
    case blGlyphTop:
        glyph = {(w - gw) / 2, (h - (th + gh + s)) / 2};
        FCaptionPos = {(w - tw) / 2, glyph.Y + gh + s};
        break;
    case blGlyphBottom:
        glyph = {(w - gw) / 2, (h + th + s - gh) / 2};
        FCaptionPos = {(w - tw) / 2, glyph.Y - th - s};
        break;
    }
    if (FPressed) {
        glyph.X += 1;
        glyph.Y += 1;
    }

    TImageList list(gw, gh);
    list.AddMasked(FGlyph.get(), FGlyph->Canvas()->Pixels(0, 0));
    if (twoFrames)
        list.Draw(ACanvas, glyph.X, glyph.Y, Enabled() ? 0 : 1, true);
    else
        list.Draw(ACanvas, glyph.X, glyph.Y, 0, Enabled());
}

void TsuiButton::DrawCaption(TCanvas *ACanvas, const String &ACaption)
{
    if (FGlyph->Empty()) {
        TsuiCustomButton::DrawCaption(ACanvas, ACaption);
        return;
    }
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->SetFont(Font());
    TPoint pos = FCaptionPos;
    const UINT format = DT_SINGLELINE;
    if (!Enabled()) {
        TRect engraved = Rect(pos.X + 1, pos.Y + 1, Width(), Height());
        ACanvas->Font()->SetColor(clWhite);
        DrawText(ACanvas, ACaption, engraved, format);
        ACanvas->Font()->SetColor(0x00808080);
    } else if (FPressed) {
        pos.X += 1;
        pos.Y += 1;
    }
    TRect r = Rect(pos.X, pos.Y, Width(), Height());
    DrawText(ACanvas, ACaption, r, format);
}

void TsuiButton::DrawFocus(TCanvas *ACanvas)
{
    if (UIStyle() == MacOS || UIStyle() == BlueGlass) {
        ACanvas->Pen()->SetColor(0x00FF0000);
        ACanvas->MoveTo(10, Height() - 5);
        ACanvas->LineTo(Width() - 10, Height() - 5);
    } else {
        TsuiCustomButton::DrawFocus(ACanvas);
    }
}

// ---------------------------------------------------------------------------
// TsuiCustomButtonEx

TsuiCustomButtonEx::TsuiCustomButtonEx(TComponent *AOwner) : TsuiCustomButton(AOwner)
{
    SetParentColor(true);
    FChecked = false;
    SetTabStop(true);
    SetWidth(93);
}

void TsuiCustomButtonEx::SetChecked(bool Value)
{
    if (Value == FChecked)
        return;
    FChecked = Value;
    CheckedChanged();
    Repaint();
}

void TsuiCustomButtonEx::CheckedChanged()
{
}

void TsuiCustomButtonEx::Click()
{
    if (CanFocus())
        SetFocus();
    Toggle();
    TsuiCustomButton::Click();
}

void TsuiCustomButtonEx::UpdateAutoSize()
{
    if (!AutoSize())
        return;
    const int fontHeight = std::abs(Font()->Height()) + 2;
    SetClientHeight(std::max(fontHeight, GetPictureHeight()) + 4);
    Canvas()->SetFont(Font());
    SetClientWidth(GetPictureWidth() + 8 + Canvas()->TextWidth(Caption()));
}

void TsuiCustomButtonEx::CaptionChanged()
{
    UpdateAutoSize();
}

void TsuiCustomButtonEx::FontChanged()
{
    TsuiCustomButton::FontChanged();
    UpdateAutoSize();
}

void TsuiCustomButtonEx::Resize()
{
    TsuiCustomButton::Resize();
    UpdateAutoSize();
}

void TsuiCustomButtonEx::DrawPicture(TCanvas *ACanvas, TBitmap *Picture)
{
    if (Picture->Width() == 0 || Picture->Height() == 0)
        return;
    TImageList list(Picture->Width(), Picture->Height());
    FillImageList(list, Picture, PictureMasked());
    list.Draw(ACanvas, 1, (ClientHeight() - GetPictureHeight()) / 2, 0, true);
}

void TsuiCustomButtonEx::DrawCaption(TCanvas *ACanvas, const String &ACaption)
{
    TRect r = Rect(GetPictureWidth() + 4, (ClientHeight() - (std::abs(Font()->Height()) + 2)) / 2, Width(), Height());
    if (!Enabled())
        ACanvas->Font()->SetColor(0x00808080);
    ACanvas->Brush()->SetStyle(bsClear);
    FCaptionRect = r;
    DrawText(ACanvas, ACaption, r, DT_SINGLELINE | DT_LEFT | DT_TOP);
}

void TsuiCustomButtonEx::DrawFocus(TCanvas *ACanvas)
{
    ACanvas->Brush()->SetStyle(bsSolid);
    TRect r = FCaptionRect;
    r.Left -= 1;
    ACanvas->DrawFocusRect(r);
}

// ---------------------------------------------------------------------------
// TsuiCheckBox

TsuiCheckBox::TsuiCheckBox(TComponent *AOwner) : TsuiCustomButtonEx(AOwner)
{
    SetUIStyle(AOwner ? GetContainerUIStyle(AOwner) : DeepBlue);
    SetPictureMasked(false);
    SetCaption(QStringLiteral("suiCheckBox"));
    SetHeight(17);
}

TsuiCheckBox::TStatePictures TsuiCheckBox::StatePictures(bool Checked) const
{
    return Checked ? TStatePictures{29, 27, 31, 33} : TStatePictures{30, 28, 32, 34};
}

void TsuiCheckBox::SetStyleResNames(TsuiUIStyle Style)
{
    SetResHandle(0);
    const TStatePictures pictures = StatePictures(Checked());
    SetPicNormalResName(GetThemeString(Style, Enabled() ? pictures.Normal : pictures.Disabled));
    SetPicMouseOnResName(GetThemeString(Style, pictures.MouseOn));
    SetPicMouseDownResName(GetThemeString(Style, pictures.MouseDown));
}

void TsuiCheckBox::AfterToggle()
{
}

void TsuiCheckBox::Toggle()
{
    SetChecked(!Checked());
    AfterToggle();
}

void TsuiCheckBox::CheckedChanged()
{
    SetStyleResNames(UIStyle());
}

void TsuiCheckBox::EnabledChanged()
{
    SetStyleResNames(UIStyle());
}

void TsuiCheckBox::TransparentChanged()
{
    SetPictureMasked(false);
    Repaint();
}

void TsuiCheckBox::UIStyleChanged()
{
    SetStyleResNames(UIStyle());
    switch (UIStyle()) {
    case MacOS:
    case Protein:
        SetTransparent(true);
        break;
    case WinXP:
    case DeepBlue:
    case BlueGlass:
        SetTransparent(false);
        break;
    case Custom:
        break;
    }
}

int TsuiCheckBox::GetPictureWidth()
{
    if (UIStyle() == Custom)
        return 0;
    TBitmap picture;
    LoadPicture(&picture, GetThemeString(UIStyle(), 30));
    return picture.Width();
}

int TsuiCheckBox::GetPictureHeight()
{
    if (UIStyle() == Custom)
        return 0;
    TBitmap picture;
    LoadPicture(&picture, GetThemeString(UIStyle(), 30));
    return picture.Height();
}

// ---------------------------------------------------------------------------
// TsuiRadioButton

TsuiRadioButton::TsuiRadioButton(TComponent *AOwner) : TsuiCheckBox(AOwner)
{
    // The check box's constructor named the check box pictures.
    SetStyleResNames(UIStyle());
    SetPictureMasked(true);
    SetCaption(QStringLiteral("suiRadioButton"));
    SetHeight(17);
}

TsuiCheckBox::TStatePictures TsuiRadioButton::StatePictures(bool Checked) const
{
    return Checked ? TStatePictures{37, 35, 39, 41} : TStatePictures{38, 36, 40, 42};
}

void TsuiRadioButton::SetStyleResNames(TsuiUIStyle Style)
{
    TsuiCheckBox::SetStyleResNames(Style);
    Repaint();
}

void TsuiRadioButton::Toggle()
{
    if (!Checked())
        SetChecked(true);
}

void TsuiRadioButton::CheckedChanged()
{
    if (Checked() && Parent()) {
        TWinControl *parent = Parent();
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto *other = dynamic_cast<TsuiRadioButton *>(parent->Controls(i));
            if (other && other != this && other->GroupIndex() == FGroupIndex)
                other->SetChecked(false);
        }
    }
    SetStyleResNames(UIStyle());
}

void TsuiRadioButton::TransparentChanged()
{
    SetPictureMasked(true);
    Repaint();
}

// ---------------------------------------------------------------------------
// TsuiImageButton

TsuiImageButton::TsuiImageButton(TComponent *AOwner)
    : TsuiCustomButton(AOwner), FPicNormal(std::make_unique<TPicture>()), FPicMouseOn(std::make_unique<TPicture>()),
      FPicMouseDown(std::make_unique<TPicture>()), FPicDisabled(std::make_unique<TPicture>())
{
    FStretch = false;
}

TsuiImageButton::~TsuiImageButton() = default;

void TsuiImageButton::SetPictureOf(TPicture *Target, const TPicture *Value)
{
    Target->Assign(Value);
    UpdateAutoSize();
    Repaint();
}

void TsuiImageButton::SetPicNormal(const TPicture *Value)
{
    SetPictureOf(FPicNormal.get(), Value);
}

void TsuiImageButton::SetPicMouseOn(const TPicture *Value)
{
    SetPictureOf(FPicMouseOn.get(), Value);
}

void TsuiImageButton::SetPicMouseDown(const TPicture *Value)
{
    SetPictureOf(FPicMouseDown.get(), Value);
}

void TsuiImageButton::SetPicDisabled(const TPicture *Value)
{
    SetPictureOf(FPicDisabled.get(), Value);
}

void TsuiImageButton::SetStretch(bool Value)
{
    FStretch = Value;
    Repaint();
}

void TsuiImageButton::CopyPicture(TPicture *State, TBitmap *Bitmap)
{
    TPicture *source = State->Graphic() ? State : FPicNormal.get();
    if (source->Graphic())
        Bitmap->Assign(source->Bitmap());
}

void TsuiImageButton::GetNormalPicture(TBitmap *Bitmap)
{
    CopyPicture(FPicNormal.get(), Bitmap);
}

void TsuiImageButton::GetMouseOnPicture(TBitmap *Bitmap)
{
    CopyPicture(FPicMouseOn.get(), Bitmap);
}

void TsuiImageButton::GetMouseDownPicture(TBitmap *Bitmap)
{
    CopyPicture(FPicMouseDown.get(), Bitmap);
}

void TsuiImageButton::GetDisabledPicture(TBitmap *Bitmap)
{
    CopyPicture(FPicDisabled.get(), Bitmap);
}

void TsuiImageButton::DrawPicture(TCanvas *ACanvas, TBitmap *Picture)
{
    if (Picture->Empty())
        return;
    Picture->SetTransparentColor(Picture->Canvas()->Pixels(0, 0));
    Picture->SetTransparent(PictureMasked());
    if (FStretch)
        ACanvas->StretchDraw(Rect(0, 0, Width(), Height()), Picture);
    else
        ACanvas->Draw(0, 0, Picture);
}

void TsuiImageButton::UpdateAutoSize()
{
    if (Parent() && AutoSize() && FPicNormal->Graphic()) {
        SetHeight(FPicNormal->Height());
        SetWidth(FPicNormal->Width());
    }
}

void TsuiImageButton::SetStyleResNames(TsuiUIStyle)
{
}
