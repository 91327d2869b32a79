#include "SUIForm.h"

#include "Dialogs.h"
#include "SUIImagePanel.h"
#include "SUIMainMenu.h"
#include "SUIPublic.h"

namespace {

// Shared by every skinned form: how many maximised sizes a form that started
// maximised has seen, and whether an MDI child's controls sit scrolled up.
int MaximizeCount = 0;
bool Scrolled = false;

} // namespace

TsuiForm::TsuiForm(TComponent *AOwner) : TCustomPanel(AOwner)
{
    // 1.
    auto *owner = dynamic_cast<TCustomForm *>(AOwner);
    if (!owner)
        return;
    // 2.
    FOwnerForm = owner;
    if (!Designing()) {
        owner->Constraints()->SetMinHeight(50);
        owner->Constraints()->SetMinWidth(125);
    }
    // 3.
    FSavedBounds = owner->BoundsRect();
    FStartedMaximized = owner->WindowState() == wsMaximized;
    FTitleBar = new TsuiTitleBar(this);
    FTitleBar->SetParent(this);
    FMenuBarColor = Color();
    FMenuBarHeight = 22;
    FInitialBorderStyle = owner->BorderStyle();
    // 4.
    SetUIStyle(DeepBlue);
    FUIStyleAutoUpdateSub = false;
    FNonClientHeight = owner->Height() - owner->ClientHeight();
    FNonClientWidth = owner->Width() - owner->ClientWidth();
    // 5.
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    TCustomPanel::SetBorderStyle(bsNone);
    SetAlign(alNone);
    SetCaption(owner->Caption());
    SetTitleBarVisible(true);
    TCustomPanel::SetCaption(" ");
    FShortCutHookInstalled = false;
    // 6.
    for (int i = 0; i < owner->ControlCount(); ++i)
        if (dynamic_cast<TsuiForm *>(owner->Controls(i)))
            throw Exception("Sorry, You can create only one TsuiForm component in one form!");
    // 7.
    TRect workArea;
    GetWorkAreaRect(workArea);
    if (!Designing()) {
        owner->Constraints()->SetMaxHeight(workArea.Height());
        owner->Constraints()->SetMaxWidth(workArea.Width());
    }
    // 8.
    if (Designing())
        return;
    if (owner->FormStyle() != fsMDIChild && owner->FormStyle() != fsMDIForm)
        owner->SetBorderStyle(bsNone);
    owner->SetAutoScroll(false);
    FOldWindowProc = owner->WindowProc;
    owner->WindowProc = [this](TMessage &Message) { FormWindowProc(Message); };
    SetWindowLong(owner->Handle(), GWL_STYLE, GetWindowLong(owner->Handle(), GWL_STYLE) & ~WS_CAPTION);
    if (!Application->OnMessage) {
        Application->OnMessage = [this](TMsg &Msg, bool &Handled) { ApplicationMessage(Msg, Handled); };
        FShortCutHookInstalled = true;
    }
}

TsuiForm::~TsuiForm()
{
    Destroying();
    if (FShortCutHookInstalled)
        Application->OnMessage = nullptr;
    if (FOwnerForm && FOldWindowProc)
        FOwnerForm->WindowProc = FOldWindowProc;
    if (TsuiMainMenu *menu = SkinMenu())
        menu->SetFormLink(nullptr);
    delete FMenuBar;
    delete FTitleBar;
}

void TsuiForm::SetUIStyle(TsuiUIStyle Value)
{
    // 1.
    FUIStyle = Value;
    if (Value == Custom)
        return;
    // 2.
    const int oldBorderWidth = FBorderWidth;
    SetBorderColor(GetThemeColor(Value, 2));
    SetBorderWidth(GetThemeInteger(Value, 4));
    SetColor(GetThemeColor(Value, 3));
    SetMenuBarColor(Color());
    // 3.
    FTitleBar->SetUIStyle(Value);
    // 4.
    if (TsuiMainMenu *menu = SkinMenu(); menu && menu->UIStyle() != Custom)
        menu->SetUIStyle(Value);
    // 5.
    if (FUIStyleAutoUpdateSub) {
        ApplyStyleToSubContainers(this, Value);
        ApplyStyleToChildren(this, Value);
    }
    // 6.
    UpdateFormLayout();
    Repaint();
    if (FMenuBar)
        FMenuBar->Invalidate();
    PaintFormBorder();
    // 7. The owner is resized for a new border width; choosing the style
    // the form has, or one with the same border, leaves its size alone.
    if (!(ComponentState() & csLoading) && FBorderWidth != oldBorderWidth) {
        SetWidth(Width());
        SetHeight(Height());
    }
}

void TsuiForm::SetBorderColor(TColor Value)
{
    FBorderColor = Value;
    UpdateFormLayout();
    PaintFormBorder();
}

void TsuiForm::SetBorderWidth(int Value)
{
    // The window is resized for a new border only: setting the width it has
    // leaves the window as it is.
    const bool changed = Value != FBorderWidth;
    FBorderWidth = Value;
    if (changed || (ComponentState() & csLoading)) {
        SetWidth(Width());
        UpdateFormLayout();
        SetHeight(Height());
    }
    PaintFormBorder();
}

void TsuiForm::SetTitleBarVisible(bool Value)
{
    FTitleBar->SetVisible(Value);
    FTitleBar->SetTop(0);
    UpdateFormLayout();
    PaintFormBorder();
}

void TsuiForm::SetCaption(const TCaption &Value)
{
    FTitleBar->SetCaption(Value);
    if (FOwnerForm)
        FOwnerForm->SetCaption(Value);
}

void TsuiForm::SetMenuBarColor(TColor Value)
{
    FMenuBarColor = Value;
    if (FMenuBar)
        FMenuBar->SetColor(Value);
}

void TsuiForm::SetMenuBarHeight(int Value)
{
    FMenuBarHeight = Value;
    if (FMenuBar) {
        FMenuBar->SetButtonHeight(Value);
        FMenuBar->SetHeight(Value);
    }
}

void TsuiForm::SetHeight(int Value)
{
    if (!FOwnerForm) {
        TCustomPanel::SetHeight(Value);
        return;
    }
    int height = Value + FBorderWidth + FBorderWidth / 2;
    if (Designing())
        height += FNonClientHeight;
    FOwnerForm->SetHeight(height);
    UpdateFormLayout();
}

void TsuiForm::SetWidth(int Value)
{
    if (!FOwnerForm) {
        TCustomPanel::SetWidth(Value);
        return;
    }
    int width = Value + 2 * FBorderWidth;
    if (Designing())
        width += FNonClientWidth;
    FOwnerForm->SetWidth(width);
    UpdateFormLayout();
}

void TsuiForm::SetFormPanel(TCustomPanel *Value)
{
    if (Value == this) {
        MessageDlg("Sorry, you can't select the Form assign to FormPanel property", mtError, mbOK, 0);
        return;
    }
    FFormPanel = Value;
    if (!Value)
        return;
    Value->FreeNotification(this);
    Value->SetAlign(alClient);
    if (auto *panel = dynamic_cast<TPanel *>(Value)) {
        panel->SetBevelOuter(bvNone);
        panel->SetBevelInner(bvNone);
        panel->SetBorderStyle(bsNone);
        panel->SetCaption("");
    } else if (auto *imagePanel = dynamic_cast<TsuiImagePanel *>(Value))
        imagePanel->SetCaption("");
}

void TsuiForm::UpdateFormLayout()
{
    if (!FOwnerForm || !FTitleBar)
        return;
    const int bw = FBorderWidth;
    const int top = FTitleBar->Visible() ? 0 : bw;
    const int cw = FOwnerForm->ClientWidth();
    const int ch = FOwnerForm->ClientHeight();
    int width = cw - 2 * bw;
    int height = ch - bw - top;
    if (MDIChild()) {
        width -= 3;
        height -= 3;
    }
    SetBounds(bw, top, width, height);
}

void TsuiForm::PaintFormBorder()
{
    if (!FOwnerForm || !FOwnerForm->HandleAllocated())
        return;
    const int bw = FBorderWidth;
    const int cw = FOwnerForm->ClientWidth();
    const int ch = FOwnerForm->ClientHeight();
    TCanvas *canvas = FOwnerForm->Canvas();
    canvas->Pen()->SetColor(FBorderColor);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(bw);
    canvas->Brush()->SetColor(FBorderColor);
    canvas->Brush()->SetStyle(bsSolid);
    const bool mdi = MDIChild();
    canvas->FillRect(Rect(0, 0, bw, mdi ? ch - 2 : ch));
    canvas->FillRect(Rect(0, mdi ? ch - bw - 3 : ch - bw, cw, ch));
    canvas->FillRect(Rect(mdi ? cw - bw - 3 : cw - bw, 0, cw, ch));
    canvas->MoveTo(0, 0);
    canvas->LineTo(cw, 0);
}

void TsuiForm::Paint()
{
    const String pattern = FUIStyle == MacOS ? "MACOS_FORM_BACKGROUND" : FUIStyle == Protein ? "PROTEIN_FORM_BACKGROUND" : "";
    if (!pattern.isEmpty()) {
        TBitmap brushBitmap;
        brushBitmap.LoadFromResourceName(HInstance, pattern);
        TBitmap buf;
        buf.SetSize(Width(), Height());
        buf.Canvas()->Brush()->SetBitmap(&brushBitmap);
        buf.Canvas()->FillRect(ClientRect());
        Canvas()->CopyRect(ClientRect(), buf.Canvas(), ClientRect());
    } else {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->FillRect(ClientRect());
    }
    if (Designing()) {
        UpdateFormLayout();
        PaintFormBorder();
    }
}

void TsuiForm::WMCreate(TMessage &Message)
{
    TCustomPanel::WMCreate(Message);
    UpdateFormLayout();
    PaintFormBorder();
}

void TsuiForm::WMEraseBkgnd(TMessage &)
{
    PaintFormBorder();
}

void TsuiForm::Notification(TComponent *AComponent, TOperation Operation)
{
    TCustomPanel::Notification(AComponent, Operation);
    if (Operation == opInsert) {
        const bool plainMenu = dynamic_cast<TMainMenu *>(AComponent) && !dynamic_cast<TsuiMainMenu *>(AComponent);
        if (plainMenu && Designing() && !(ComponentState() & csLoading) && FOwnerForm)
            MessageDlg("Strongly recommend you to use \"TsuiMainMenu\" instead of \"TMainMenu\".\r\n\r\n"
                       "If you still want to use TMainForm, \r\n\r\nset " +
                           FOwnerForm->Name() + "'s MENU property to NIL please." + "\r\n\r\n" + "And set " + Name() +
                           "'s MENU property to this Menu when you finished designing the menu.",
                       mtInformation, mbOK, 0);
        return;
    }
    if (Operation != opRemove)
        return;
    if (AComponent == FFormPanel)
        FFormPanel = nullptr;
    if (AComponent == FMenu) {
        FreeMenuBar();
        FMenu = nullptr;
    }
    if (AComponent == this) {
        if (FOwnerForm)
            FOwnerForm->Repaint();
        if (TsuiMainMenu *menu = SkinMenu())
            menu->SetFormLink(nullptr);
    }
}

void TsuiForm::FormWindowProc(TMessage &Message)
{
    FOldWindowProc(Message);
    switch (Message.Msg) {
    case WM_KEYDOWN: HandleShortCutKey(Message); break;
    case WM_SHOWWINDOW: FOwnerForm->SetMenu(nullptr); break;
    case WM_ACTIVATE: FTitleBar->SetFormActive((Message.WParam & 0xFFFF) != 0); break;
    case WM_SIZE: FormSized(); break;
    case WM_ERASEBKGND: PaintFormBorder(); break;
    case WM_NCHITTEST: FormHitTest(Message); break;
    default: break;
    }
}

void TsuiForm::FormSized()
{
    if (FStartedMaximized) {
        if (FOwnerForm->WindowState() == wsMaximized) {
            if (MaximizeCount == 2) {
                TRect workArea;
                GetWorkAreaRect(workArea);
                FOwnerForm->SetWindowState(wsMaximized);
                FOwnerForm->SetLeft(workArea.Left);
                FOwnerForm->SetTop(workArea.Top);
            } else if (MaximizeCount < 2)
                ++MaximizeCount;
        } else {
            SetFormBounds(FOwnerForm, FSavedBounds);
            FStartedMaximized = false;
        }
        Scrolled = true;
    }
    UpdateFormLayout();
    PaintFormBorder();
    if (MDIChild()) {
        const int h = FTitleBar->Height();
        if (FOwnerForm->WindowState() == wsMaximized) {
            FTitleBar->SetVisible(false);
            if (!Scrolled) {
                ScrollBy(0, -h);
                Scrolled = true;
            }
        } else {
            FTitleBar->SetVisible(true);
            if (Scrolled) {
                ScrollBy(0, h);
                Scrolled = false;
            }
        }
    }
    FTitleBar->UpdateWindowRegion();
}

void TsuiForm::FormHitTest(TMessage &Message)
{
    if (FOwnerForm->WindowState() == wsMaximized)
        return;
    if (FOwnerForm->FormStyle() == fsMDIForm && Message.Result == HTCLIENT)
        Message.Result = HTTRANSPARENT;
    if (FInitialBorderStyle != bsSizeable)
        return;
    const TPoint p = FOwnerForm->ScreenToClient(TPoint{static_cast<short>(Message.LParam & 0xFFFF),
                                                       static_cast<short>((Message.LParam >> 16) & 0xFFFF)});
    const int x = p.X;
    const int y = p.Y;
    const int cw = FOwnerForm->ClientWidth();
    const int ch = FOwnerForm->ClientHeight();
    if (x <= 4 && y <= 4)
        Message.Result = HTTOPLEFT;
    else if (x > cw - 5 && y < 5)
        Message.Result = HTTOPRIGHT;
    else if (x > cw - 5 && y > ch - 5)
        Message.Result = HTBOTTOMRIGHT;
    else if (x < 5 && y > ch - 5)
        Message.Result = HTBOTTOMLEFT;
    else if (x <= 4)
        Message.Result = HTLEFT;
    else if (y <= 4)
        Message.Result = HTTOP;
    else if (x > cw - 5)
        Message.Result = HTRIGHT;
    else if (y > ch - 5)
        Message.Result = HTBOTTOM;
}

int TsuiForm::HandleShortCutKey(TMessage &Message)
{
    return FMenu && FMenu->IsShortCut(Message) ? 1 : 0;
}

void TsuiForm::ApplicationMessage(TMsg &Msg, bool &Handled)
{
    if (Msg.message != WM_KEYDOWN)
        return;
    TMessage message{WM_KEYDOWN, Msg.wParam, Msg.lParam, 0};
    Handled = HandleShortCutKey(message) == 1;
}
