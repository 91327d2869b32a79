#include "Menus.h"
#include "Streaming.h"

// Menus store their items as nested objects: a menu's entries inside the
// menu, an item's sub-items inside the item.
void RegisterMenuClasses()
{
    RegisterEnum<TMenuAutoFlag>({"maAutomatic", "maManual", "maParent"});
    RegisterEnum<TPopupAlignment>({"paLeft", "paRight", "paCenter"});
    RegisterClass<TMenuItem>("TMenuItem", "TComponent")
        .Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck, false)
        .Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
        .Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false)
        .Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault, false)
        .Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true)
        .Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex, 0)
        .Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
        .Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex, -1)
        .Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false)
        .Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, scNone)
        .Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true)
        .Event("OnClick", &TMenuItem::OnClick)
        .AddChild([](TMenuItem *item, TComponent *child) {
            auto *sub = dynamic_cast<TMenuItem *>(child);
            if (sub)
                item->Add(sub);
            return sub != nullptr;
        })
        .ParentOf([](const TMenuItem *item) -> TComponent * {
            TMenuItem *parent = item->Parent();
            if (parent && parent->Parent())
                return parent;
            return item->GetParentMenu();
        });
    RegisterClass<TMenu>("TMenu", "TComponent")
        .Property("AutoHotkeys", &TMenu::AutoHotkeys, &TMenu::SetAutoHotkeys, maAutomatic)
        .Property("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw, false)
        .AddChild([](TMenu *menu, TComponent *child) {
            auto *item = dynamic_cast<TMenuItem *>(child);
            if (item)
                menu->Items()->Add(item);
            return item != nullptr;
        });
    RegisterClass<TMainMenu>("TMainMenu", "TMenu");
    RegisterClass<TPopupMenu>("TPopupMenu", "TMenu")
        .Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment, paLeft)
        .Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true)
        .Event("OnPopup", &TPopupMenu::OnPopup);
}
