#include "SUITitleBar.h"

#include "Dialogs.h"
#include "Menus.h"
#include "SUIForm.h"
#include "SUIPublic.h"

// ---------------------------------------------------------------------------
// Collections

void TsuiTitleBarCollection::Update(TCollectionItem *)
{
    FTitleBar->Repaint();
}

TsuiTitleBarSections::TsuiTitleBarSections(TsuiTitleBar *TitleBar)
    : TsuiTitleBarCollection(TitleBar, [](TCollection *c) { return new TsuiTitleBarSection(c); })
{
}

TsuiTitleBarButtons::TsuiTitleBarButtons(TsuiTitleBar *TitleBar)
    : TsuiTitleBarCollection(TitleBar, [](TCollection *c) { return new TsuiTitleBarButton(c); })
{
}

// ---------------------------------------------------------------------------
// Sections

TsuiTitleBarSection::TsuiTitleBarSection(TCollection *ACollection)
    : TCollectionItem(ACollection), FPicture(std::make_unique<TPicture>())
{
}

void TsuiTitleBarSection::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (FPicture->Graphic())
        FWidth = FPicture->Width();
    Changed(false);
}

void TsuiTitleBarSection::SetWidth(int Value)
{
    FWidth = Value;
    Changed(false);
}

void TsuiTitleBarSection::SetAlign(TsuiTitleBarAlign Value)
{
    if (Value == suiClient) {
        for (int i = 0; i < Collection()->Count(); ++i)
            if (static_cast<TsuiTitleBarSection *>(Collection()->Items(i))->Align() == suiClient) {
                MessageDlg("Sorry, only one section's Align property can be \"suiClient\"", mtError, mbOK, 0);
                return;
            }
        FStretch = true;
    }
    FAlign = Value;
    Changed(false);
}

void TsuiTitleBarSection::SetPicture(const TPicture *Value)
{
    FPicture->Assign(Value);
    if (Value && Value->Graphic() && FAutoSize)
        FWidth = FPicture->Width();
    Changed(false);
}

void TsuiTitleBarSection::SetStretch(bool Value)
{
    FStretch = Value;
    Changed(false);
}

void TsuiTitleBarSection::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TsuiTitleBarSection *>(Source);
    if (!src) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetWidth(src->Width());
    SetAlign(src->Align());
    SetPicture(src->Picture());
    SetStretch(src->Stretch());
    SetAutoSize(src->AutoSize());
}

// ---------------------------------------------------------------------------
// Buttons

TsuiTitleBarButton::TsuiTitleBarButton(TCollection *ACollection)
    : TCollectionItem(ACollection), FPicNormal(std::make_unique<TPicture>()), FPicMouseOn(std::make_unique<TPicture>()),
      FPicMouseDown(std::make_unique<TPicture>())
{
}

TsuiTitleBar *TsuiTitleBarButton::TitleBar() const
{
    return static_cast<TsuiTitleBarCollection *>(Collection())->TitleBar();
}

void TsuiTitleBarButton::SetButtonType(TsuiTitleBarBtnType Value)
{
    if (Value == suiControlBox)
        for (int i = 0; i < Collection()->Count(); ++i)
            if (static_cast<TsuiTitleBarButton *>(Collection()->Items(i))->ButtonType() == suiControlBox) {
                MessageDlg("Sorry, only one button's ButtonType property can be \"suiControlBox\"", mtError, mbOK, 0);
                return;
            }
    FButtonType = Value;
    LoadStylePictures();
    Changed(false);
}

void TsuiTitleBarButton::SetTransparent(bool Value)
{
    FTransparent = Value;
    Changed(false);
}

void TsuiTitleBarButton::SetTop(int Value)
{
    FTop = Value;
    Changed(false);
}

void TsuiTitleBarButton::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    LoadStylePictures();
}

void TsuiTitleBarButton::SetPicNormal(const TPicture *Value)
{
    FPicNormal->Assign(Value);
    Changed(false);
}

void TsuiTitleBarButton::SetPicMouseOn(const TPicture *Value)
{
    FPicMouseOn->Assign(Value);
    Changed(false);
}

void TsuiTitleBarButton::SetPicMouseDown(const TPicture *Value)
{
    FPicMouseDown->Assign(Value);
    Changed(false);
}

void TsuiTitleBarButton::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TsuiTitleBarButton *>(Source);
    if (!src) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetButtonType(src->ButtonType());
    SetTransparent(src->Transparent());
    SetTop(src->Top());
    SetUIStyle(src->UIStyle());
    SetPicNormal(src->PicNormal());
    SetPicMouseOn(src->PicMouseOn());
    SetPicMouseDown(src->PicMouseDown());
    ControlBoxMenu = src->ControlBoxMenu;
}

// The normal, hot and pressed pictures are three consecutive theme entries.
void TsuiTitleBarButton::LoadPictures(int NormalIndex)
{
    FPicNormal->Bitmap()->LoadFromResourceName(HInstance, GetThemeString(FUIStyle, NormalIndex));
    FPicMouseOn->Bitmap()->LoadFromResourceName(HInstance, GetThemeString(FUIStyle, NormalIndex + 1));
    FPicMouseDown->Bitmap()->LoadFromResourceName(HInstance, GetThemeString(FUIStyle, NormalIndex + 2));
}

void TsuiTitleBarButton::LoadStylePictures()
{
    if (FUIStyle == Custom)
        return;
    FTransparent = GetThemeBoolean(FUIStyle, 66);
    int first;
    switch (FButtonType) {
    case suiMax: first = 51; break;
    case suiMin: first = 54; break;
    case suiClose: first = 48; break;
    case suiHelp: first = 57; break;
    case suiControlBox: first = 60; break;
    default: return;
    }
    LoadPictures(first);
    FTop = GetThemeInteger(FUIStyle, 69);
    if (FButtonType == suiMax)
        UpdateMaxButtonPictures();
}

void TsuiTitleBarButton::UpdateMaxButtonPictures()
{
    if (FButtonType != suiMax || FUIStyle == Custom)
        return;
    const TCustomForm *form = GetParentForm(TitleBar());
    LoadPictures(form && form->WindowState() == wsMaximized ? 63 : 51);
}

// ---------------------------------------------------------------------------
// The bar

TsuiTitleBar::TsuiTitleBar(TComponent *AOwner)
    : TCustomPanel(AOwner), FSections(std::make_unique<TsuiTitleBarSections>(this)),
      FButtons(std::make_unique<TsuiTitleBarButtons>(this))
{
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    for (TsuiTitleBarBtnType type : {suiControlBox, suiClose, suiMax, suiMin})
        FButtons->Add()->SetButtonType(type);
    SetAlign(alTop);
    Font()->SetColor(clWhite);
    Font()->SetName("Tahoma");
    Font()->SetStyle(TFontStyles{fsBold});
    SetUIStyle(GetContainerUIStyle(AOwner));
}

TsuiTitleBar::~TsuiTitleBar() = default;

TCustomForm *TsuiTitleBar::ParentForm() const
{
    return GetParentForm(const_cast<TsuiTitleBar *>(this));
}

bool TsuiTitleBar::OnSkinForm() const
{
    return dynamic_cast<TsuiForm *>(Parent()) != nullptr;
}

void TsuiTitleBar::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (FSections->Count() == 0) {
        FAutoSize = false;
        return;
    }
    SetHeight(FSections->Items(0)->Picture()->Height());
}

void TsuiTitleBar::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    FSections->Clear();
    if (Value != Custom) {
        TPicture picture;
        TsuiTitleBarSection *left = FSections->Add();
        picture.Bitmap()->LoadFromResourceName(HInstance, GetThemeString(Value, 45));
        left->SetPicture(&picture);
        left->SetAutoSize(true);
        TsuiTitleBarSection *right = FSections->Add();
        picture.Bitmap()->LoadFromResourceName(HInstance, GetThemeString(Value, 47));
        right->SetPicture(&picture);
        right->SetAutoSize(true);
        right->SetAlign(suiRight);
        TsuiTitleBarSection *client = FSections->Add();
        picture.Bitmap()->LoadFromResourceName(HInstance, GetThemeString(Value, 46));
        client->SetPicture(&picture);
        client->SetAlign(suiClient);

        FLeftBtnXOffset = GetThemeInteger(Value, 67);
        FRightBtnXOffset = GetThemeInteger(Value, 68);
        if (TCustomForm *form = ParentForm())
            form->Constraints()->SetMinWidth(GetThemeInteger(Value, 6));
        FRegionRadius = GetThemeInteger(Value, 7);
        if (OnSkinForm())
            ApplyWindowRegion(FRegionRadius);
        for (int i = 0; i < FButtons->Count(); ++i)
            FButtons->Items(i)->SetUIStyle(Value);
        SetAutoSize(true);
    }
    Repaint();
}

void TsuiTitleBar::SetButtonInterval(int Value)
{
    FButtonInterval = Value;
    Repaint();
}

void TsuiTitleBar::SetCaption(const TCaption &Value)
{
    FCaption = Value;
    Repaint();
}

void TsuiTitleBar::SetFormActive(bool Value)
{
    FFormActive = Value;
    Repaint();
}

void TsuiTitleBar::SetLeftBtnXOffset(int Value)
{
    FLeftBtnXOffset = Value;
    Repaint();
}

void TsuiTitleBar::SetRightBtnXOffset(int Value)
{
    FRightBtnXOffset = Value;
    Repaint();
}

void TsuiTitleBar::SetDrawAppIcon(bool Value)
{
    FDrawAppIcon = Value;
    Repaint();
}

void TsuiTitleBar::ApplyWindowRegion(int R)
{
    TCustomForm *form = ParentForm();
    if (!form)
        return;
    const TRect c = form->ClientRect();
    HRGN region = CreateRoundRectRgn(c.Left, c.Top, c.Right + 1, c.Bottom + 1, R, R);
    if (R > 0) {
        // Square the bottom corners again.
        HRGN bottomLeft = CreateRectRgn(c.Left, c.Bottom - 2 * R, c.Left + 2 * R, c.Bottom);
        HRGN bottomRight = CreateRectRgn(c.Right - 2 * R, c.Bottom - 2 * R, c.Right, c.Bottom);
        CombineRgn(region, region, bottomLeft, RGN_OR);
        CombineRgn(region, region, bottomRight, RGN_OR);
        DeleteObject(bottomLeft);
        DeleteObject(bottomRight);
    }
    if (ComponentState() & csDesigning)
        DeleteObject(region);
    else
        SetWindowRgn(form->Handle(), region, true);
}

void TsuiTitleBar::UpdateWindowRegion()
{
    if (OnSkinForm())
        ApplyWindowRegion(FRegionRadius);
}

void TsuiTitleBar::Paint()
{
    TBitmap buf;
    buf.SetSize(Width(), Height());
    buf.Canvas()->Brush()->SetStyle(bsClear);
    buf.Canvas()->SetFont(Font());
    DrawSections(&buf);
    DrawButtonsAndCaption(&buf);
    Canvas()->CopyRect(ClientRect(), buf.Canvas(), ClientRect());
}

void TsuiTitleBar::DrawSections(TBitmap *Buf)
{
    const int bw = Buf->Width();
    const int bh = Buf->Height();
    TCanvas *canvas = Buf->Canvas();
    int l = -1;
    int r = bw + 1;
    TsuiTitleBarSection *client = nullptr;
    for (int i = 0; i < FSections->Count(); ++i) {
        TsuiTitleBarSection *section = FSections->Items(i);
        TGraphic *graphic = section->Picture()->Graphic();
        const int w = section->Width();
        switch (section->Align()) {
        case suiLeft:
            if (graphic) {
                if (section->Stretch())
                    canvas->StretchDraw(Rect(l + 1, 0, l + 1 + w, bh), graphic);
                else
                    canvas->CopyRect(Rect(l + 1, 0, l + 1 + w, bh), section->Picture()->Bitmap()->Canvas(), Rect(0, 0, w, bh));
            }
            l += w;
            break;
        case suiRight:
            if (bw - l < w)
                break;
            if (graphic) {
                if (section->Stretch())
                    canvas->StretchDraw(Rect(r - w - 1, 0, r - 1, bh), graphic);
                else
                    canvas->CopyRect(Rect(r - w - 1, 0, r - 1, bh), section->Picture()->Bitmap()->Canvas(), Rect(0, 0, w, bh));
            }
            r -= w;
            break;
        case suiClient: client = section; break;
        }
    }
    if (client && client->Picture()->Graphic())
        canvas->StretchDraw(Rect(l + 1, 0, r - 1, bh), client->Picture()->Graphic());
}

namespace {

// The picture of a button in its state.
TPicture *StatePicture(TsuiTitleBarButton *Button, bool Hot, bool Pressed)
{
    if (!Hot)
        return Button->PicNormal();
    return Pressed ? Button->PicMouseDown() : Button->PicMouseOn();
}

// Draws Picture at (X, Y) through a scratch bitmap of the normal picture's
// size, leaving out its bottom-left colour when Transparent.
void DrawButtonPicture(TCanvas *Canvas, TsuiTitleBarButton *Button, TPicture *Picture, int X, int Y)
{
    TBitmap scratch;
    scratch.SetSize(Button->PicNormal()->Width(), Button->PicNormal()->Height());
    if (Picture->Graphic())
        scratch.Canvas()->Draw(0, 0, Picture->Graphic());
    scratch.SetTransparent(Button->Transparent());
    Canvas->Draw(X, Y, &scratch);
}

} // namespace

void TsuiTitleBar::DrawButtonsAndCaption(TBitmap *Buf)
{
    const int bw = Buf->Width();
    const int bh = Buf->Height();
    TCanvas *canvas = Buf->Canvas();
    TPoint cursor;
    GetCursorPos(&cursor);
    cursor = ScreenToClient(cursor);
    FHotButton = -1;

    // 1. Right-hand buttons, the first one rightmost.
    int x = bw + FRightBtnXOffset + 1;
    int controlBox = -1;
    for (int i = 0; i < FButtons->Count(); ++i) {
        TsuiTitleBarButton *button = FButtons->Items(i);
        if (button->ButtonType() == suiControlBox) {
            controlBox = i;
            continue;
        }
        const int pw = button->PicNormal()->Width();
        x -= pw + FButtonInterval + 1;
        const TRect r = Rect(x, button->Top(), x + pw, button->Top() + button->PicNormal()->Height());
        const bool hot = PointInRect(cursor, r);
        if (hot)
            FHotButton = i;
        DrawButtonPicture(canvas, button, StatePicture(button, hot, FPressed), x, button->Top());
    }

    // 2. Left-hand part: the control box or the application icon.
    int x2 = FLeftBtnXOffset;
    if (controlBox != -1) {
        TsuiTitleBarButton *button = FButtons->Items(controlBox);
        const int pw = button->PicNormal()->Width();
        const TRect r = Rect(x2, button->Top(), x2 + pw, button->Top() + button->PicNormal()->Height());
        const bool hot = PointInRect(cursor, r);
        if (hot)
            FHotButton = controlBox;
        if (FDrawAppIcon) {
            TIcon icon;
            icon.LoadFromResourceName(HInstance, "MAINICON");
            icon.SetSize(16, 16);
            canvas->Draw(x2 + 3, button->Top(), &icon);
            x2 += 21;
        } else {
            DrawButtonPicture(canvas, button, StatePicture(button, hot, FPressed), x2, button->Top());
            x2 += pw + 5;
        }
    }
    // 3.
    if (x2 == 0)
        x2 = 6;

    // 4. Caption colour.
    if (!FFormActive)
        canvas->Font()->SetColor(clInactiveCaption);
    else if (FUIStyle == MacOS)
        canvas->Font()->SetColor(clBlack);

    // 5. Two characters and "..." when the caption does not fit.
    const String text = canvas->TextWidth(FCaption) > x - x2 ? FCaption.left(2) + "..." : FCaption;

    // 6.
    const int y = FUIStyle == DeepBlue ? 4 : (bh - canvas->TextHeight(text)) / 2;
    canvas->TextOut(x2, y, text);
}

void TsuiTitleBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    FPressed = true;
    Repaint();
    TCustomForm *form = ParentForm();
    if (FHotButton == -1 && form && form->WindowState() != wsMaximized) {
        ReleaseCapture();
        form->Perform(WM_NCLBUTTONDOWN, HTCAPTION, 0);
        FPressed = false;
    }
}

void TsuiTitleBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseMove(Shift, X, Y);
    Repaint();
}

void TsuiTitleBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    const int hot = FHotButton;
    if (hot != -1) {
        PerformButtonAction(hot);
        const TsuiTitleBarBtnType type = FButtons->Items(hot)->ButtonType();
        if (OnCustomBtnsClick && type == suiCustom)
            OnCustomBtnsClick(this, hot);
        else if (OnHelpBtnClick && type == suiHelp)
            OnHelpBtnClick(this, hot);
    }
    FPressed = false;
    Repaint();
}

void TsuiTitleBar::DblClick()
{
    TCustomPanel::DblClick();
    if (FHotButton != -1)
        return;
    for (int i = 0; i < FButtons->Count(); ++i)
        if (FButtons->Items(i)->ButtonType() == suiMax) {
            PerformButtonAction(i);
            return;
        }
}

void TsuiTitleBar::PerformButtonAction(int Index)
{
    TCustomForm *form = ParentForm();
    if (!form)
        return;
    TRect workArea;
    GetWorkAreaRect(workArea);
    form->Constraints()->SetMaxHeight(workArea.Height());
    form->Constraints()->SetMaxWidth(workArea.Width());
    TsuiTitleBarButton *button = FButtons->Items(Index);
    switch (button->ButtonType()) {
    case suiMax:
        if (form->WindowState() == wsMaximized)
            form->SetWindowState(wsNormal);
        else {
            form->SetWindowState(wsMaximized);
            if (OnSkinForm()) {
                form->SetLeft(workArea.Left);
                form->SetTop(workArea.Top);
            }
        }
        if (button->UIStyle() == WinXP)
            button->UpdateMaxButtonPictures();
        UpdateWindowRegion();
        break;
    case suiMin:
        if (form == Application->MainForm())
            form->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else
            ShowWindow(form->Handle(), SW_SHOWMINIMIZED);
        break;
    case suiClose: form->Close(); break;
    case suiControlBox:
        if (button->ControlBoxMenu) {
            const TPoint p = ClientToScreen(TPoint{0, Height()});
            button->ControlBoxMenu->Popup(p.X, p.Y);
        }
        break;
    case suiHelp:
    case suiCustom: break;
    }
}

void TsuiTitleBar::CMFontChanged(TMessage &Message)
{
    TCustomPanel::CMFontChanged(Message);
    Repaint();
}

void TsuiTitleBar::CMMouseLeave(TMessage &Message)
{
    TCustomPanel::CMMouseLeave(Message);
    Repaint();
}

void TsuiTitleBar::WMEraseBkgnd(TMessage &)
{
}
