// Push buttons, check boxes and radio buttons, enabled and disabled.
#include "Gallery.h"
#include "SUIButton.h"

namespace {

void AddButtons(TGallerySlot &Slot)
{
    Slot.Add<TsuiButton>(0, 0, 80, 27)->SetCaption(QStringLiteral("Play"));
    auto *disabled = Slot.Add<TsuiButton>(90, 0, 80, 27);
    disabled->SetCaption(QStringLiteral("Stop"));
    disabled->SetEnabled(false);

    auto *checked = Slot.Add<TsuiCheckBox>(0, 36, 93, 17);
    checked->SetCaption(QStringLiteral("Checked"));
    checked->SetChecked(true);
    Slot.Add<TsuiCheckBox>(0, 58, 93, 17)->SetCaption(QStringLiteral("Unchecked"));
    auto *greyed = Slot.Add<TsuiCheckBox>(0, 80, 93, 17);
    greyed->SetCaption(QStringLiteral("Disabled"));
    greyed->SetEnabled(false);

    auto *radio = Slot.Add<TsuiRadioButton>(110, 36, 100, 17);
    radio->SetCaption(QStringLiteral("Chosen"));
    radio->SetChecked(true);
    Slot.Add<TsuiRadioButton>(110, 58, 100, 17)->SetCaption(QStringLiteral("Other"));
    auto *off = Slot.Add<TsuiRadioButton>(110, 80, 100, 17);
    off->SetCaption(QStringLiteral("Disabled"));
    off->SetEnabled(false);
}

const bool Registered = RegisterGallerySection({"Buttons", 10, 220, 100, AddButtons});

} // namespace
