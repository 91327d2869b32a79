// The skinned form's menu bar: a flat tool bar under the title bar with one
// button per top-level item of the menu, each dropping its item's sub-menu;
// hot and pressed buttons are drawn in the style's colours or pictures.
#include "SUIForm.h"

#include "SUIMainMenu.h"
#include "SUIMenu.h"
#include "SUIResDef.h"

TsuiMainMenu *TsuiForm::SkinMenu() const
{
    return dynamic_cast<TsuiMainMenu *>(FMenu);
}

TsuiUIStyle TsuiForm::MenuBarStyle() const
{
    const TsuiMainMenu *menu = SkinMenu();
    return menu ? menu->UIStyle() : FUIStyle;
}

void TsuiForm::SetMenu(TMainMenu *Value)
{
    if (TsuiMainMenu *old = SkinMenu(); old && old->FormLink() == this)
        old->SetFormLink(nullptr);
    if (FMenu && FMenu != Value)
        FMenu->RemoveFreeNotification(this);
    FMenu = Value;
    if (auto *menu = dynamic_cast<TsuiMainMenu *>(Value))
        menu->SetFormLink(this);
    if (FMenu) {
        FMenu->FreeNotification(this);
        if (!FMenuBar)
            CreateMenuBar();
        RebuildMenuBar();
    } else
        FreeMenuBar();
}

void TsuiForm::FreeMenuBar()
{
    delete FMenuBar;
    FMenuBar = nullptr;
}

void TsuiForm::CreateMenuBar()
{
    FMenuBar = new TToolBar(this);
    FMenuBar->SetParent(this);
    FMenuBar->SetFlat(true);
    FMenuBar->SetEdgeBorders(0);
    FMenuBar->SetShowCaptions(true);
    FMenuBar->SetButtonHeight(FMenuBarHeight);
    FMenuBar->SetHeight(FMenuBarHeight);
    FMenuBar->SetColor(FMenuBarColor);
    if (!Designing())
        FMenuBar->OnCustomDrawButton = [this](TToolBar *Sender, TToolButton *Button, TCustomDrawState State,
                                              bool &DefaultDraw) {
            DrawMenuBarButton(Sender, Button, State, DefaultDraw);
        };
    FMenuBar->OnCustomDraw = [this](TToolBar *Sender, const TRect &ARect, bool &DefaultDraw) {
        DrawMenuBarBackground(Sender, ARect, DefaultDraw);
    };
    FTitleBar->SetTop(0);
    // The buttons are measured with the font they are drawn in.
    UpdateMenuBarFont();
}

void TsuiForm::RebuildMenuBar()
{
    if (!FMenuBar)
        return;
    if (!FMenu) {
        FreeMenuBar();
        return;
    }
    while (FMenuBar->ButtonCount() > 0)
        delete FMenuBar->Buttons(FMenuBar->ButtonCount() - 1);
    // Made from the last item to the first, each new button goes in front of
    // the others, which leaves them in menu order.
    TMenuItem *items = FMenu->Items();
    for (int i = items->Count() - 1; i >= 0; --i) {
        auto *button = new TToolButton(this);
        button->SetParent(FMenuBar);
        button->SetGrouped(true);
        button->SetMenuItem(items->Items(i));
        button->SetAutoSize(true);
    }
}

void TsuiForm::RefreshMenuBar()
{
    if (!FMenuBar)
        return;
    for (int i = 0; i < FMenuBar->ButtonCount(); ++i) {
        TToolButton *button = FMenuBar->Buttons(i);
        if (TMenuItem *item = button->MenuItem()) {
            button->SetCaption(item->Caption());
            button->SetEnabled(item->Enabled());
        }
    }
}

void TsuiForm::UpdateMenuBarFont()
{
    const TsuiMainMenu *menu = SkinMenu();
    if (!FMenuBar || !menu)
        return;
    TFont *font = FMenuBar->Font();
    if (menu->UseSystemFont())
        GetSystemMenuFont(font);
    else {
        font->SetName(menu->FontName());
        font->SetSize(menu->FontSize());
        font->SetCharset(menu->FontCharset());
    }
    FMenuBar->Repaint();
}

void TsuiForm::DrawMenuBarButton(TToolBar *Sender, TToolButton *Button, TCustomDrawState State, bool &DefaultDraw)
{
    const TsuiUIStyle style = MenuBarStyle();
    TCanvas *canvas = Sender->Canvas();
    const TsuiMainMenu *menu = SkinMenu();
    if (menu) {
        if (menu->UseSystemFont())
            GetSystemMenuFont(canvas->Font());
        else {
            canvas->Font()->SetName(menu->FontName());
            canvas->Font()->SetSize(menu->FontSize());
            canvas->Font()->SetCharset(menu->FontCharset());
            canvas->Font()->SetColor(menu->FontColor());
        }
    }
    const bool pressed = State & cdsSelected;
    if (!(State & cdsHot) && !pressed) {
        DefaultDraw = true;
        return;
    }
    DefaultDraw = false;
    if (style == MacOS) {
        TBitmap buf;
        buf.SetSize(Button->Width(), Button->Height());
        TBitmap select;
        select.LoadFromResourceName(HInstance, RES_MACOS_MENU_SELECT);
        buf.Canvas()->StretchDraw(Rect(0, 0, buf.Width(), buf.Height()), &select);
        buf.Canvas()->Brush()->SetStyle(bsClear);
        // With the system font the caption keeps the bar's font.
        buf.Canvas()->SetFont(canvas->Font());
        buf.Canvas()->Font()->SetColor(GetThemeColor(MacOS, 13));
        TRect text = Rect(0, 0, buf.Width(), buf.Height());
        DrawText(buf.Canvas(), Button->Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        canvas->Draw(Button->Left(), Button->Top(), &buf);
        return;
    }
    TRect r = Button->BoundsRect();
    if (pressed)
        r.Right -= 2;
    FillMenuRect(canvas, r, GetThemeColor(style, 12));
    FrameMenuRect(canvas, r, GetThemeColor(style, 11));
    if (pressed)
        r.Left += 2;
    r.Top += 2;
    canvas->Font()->SetColor(GetThemeColor(style, 13));
    canvas->Brush()->SetStyle(bsClear);
    DrawText(canvas, Button->Caption(), r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void TsuiForm::DrawMenuBarBackground(TToolBar *Sender, const TRect &ARect, bool &)
{
    if (MenuBarStyle() != MacOS)
        return;
    TBitmap bar;
    bar.LoadFromResourceName(HInstance, RES_MACOS_MENU_BAR);
    Sender->Canvas()->StretchDraw(ARect, &bar);
}
