// A form's menu bar: a flat tool bar whose buttons drop the main menu's entries.
#include "ComCtrls.h"
#include "Forms.h"
#include "Menus.h"

namespace {

class TFormMenuBar : public TToolBar {
public:
    TFormMenuBar(TCustomForm *Form, TMainMenu *Menu) : TToolBar(Form), FMenu(Menu)
    {
        SetFlat(true);
        SetEdgeBorders(0);
        SetShowCaptions(true);
        SetColor(clMenuBar);
        SetButtonHeight(20);
        SetHeight(20);
        // Above every other control aligned to the top.
        SetTop(-1);
        SetParent(Form);
        FreeNotification(Menu);
    }
    TMainMenu *Menu() const { return FMenu; }

    // One button per top-level entry, in menu order.
    void Rebuild()
    {
        while (ButtonCount() > 0)
            delete Buttons(ButtonCount() - 1);
        if (!FMenu)
            return;
        TMenuItem *items = FMenu->Items();
        for (int i = 0; i < items->Count(); ++i) {
            auto *button = new TToolButton(this);
            button->SetLeft(Width() + i);
            button->SetParent(this);
            button->SetGrouped(true);
            button->SetMenuItem(items->Items(i));
            button->SetAutoSize(true);
        }
    }

    // Captions and states of the entries.
    void Refresh()
    {
        for (int i = 0; i < ButtonCount(); ++i) {
            TToolButton *button = Buttons(i);
            if (TMenuItem *item = button->MenuItem()) {
                button->SetCaption(item->Caption());
                button->SetEnabled(item->Enabled());
            }
        }
    }

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override
    {
        TToolBar::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FMenu)
            FMenu = nullptr;
    }

private:
    TMainMenu *FMenu;
};

TFormMenuBar *FindMenuBar(TCustomForm *Form)
{
    for (int i = 0; i < Form->ControlCount(); ++i)
        if (auto bar = dynamic_cast<TFormMenuBar *>(Form->Controls(i)))
            return bar;
    return nullptr;
}

} // namespace

void UpdateFormMenuBar(TCustomForm *Form)
{
    TMainMenu *menu = Form->Menu();
    TFormMenuBar *bar = FindMenuBar(Form);
    if (bar && bar->Menu() != menu) {
        if (bar->Menu() && bar->Menu()->FForm == Form)
            bar->Menu()->FForm = nullptr;
        delete bar;
        bar = nullptr;
    }
    if (!menu || (Form->ComponentState() & csDestroying))
        return;
    if (menu->FForm && menu->FForm != Form)
        menu->FForm->SetMenu(nullptr);
    menu->FForm = Form;
    menu->FreeNotification(Form);
    if (!bar)
        bar = new TFormMenuBar(Form, menu);
    bar->Rebuild();
}

TMainMenu::~TMainMenu()
{
    Destroying();
    if (FForm && !(FForm->ComponentState() & csDestroying))
        FForm->SetMenu(nullptr);
}

void TMainMenu::Notification(TComponent *AComponent, TOperation Operation)
{
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FForm)
        FForm = nullptr;
}

void TMainMenu::MenuChanged(TObject *Sender, TMenuItem *Source, bool Rebuild)
{
    TMenu::MenuChanged(Sender, Source, Rebuild);
    if (!FForm || (ComponentState() & csDestroying))
        return;
    if (TFormMenuBar *bar = FindMenuBar(FForm)) {
        if (Rebuild)
            bar->Rebuild();
        else
            bar->Refresh();
    }
}
