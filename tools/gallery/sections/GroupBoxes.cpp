// Group boxes (with a caption, without one, disabled) and a check group.
#include "Gallery.h"
#include "SUIButton.h"
#include "SUIRadioGroup.h"

namespace {

void AddGroupBoxes(TGallerySlot &Slot)
{
    auto *box = Slot.Add<TsuiGroupBox>(0, 0, 150, 80);
    box->SetCaption(QStringLiteral("Lesson"));
    Slot.Add<TsuiButton>(box, 12, 24, 80, 27)->SetCaption(QStringLiteral("Inside"));
    Slot.Add<TsuiCheckBox>(box, 12, 56, 93, 17)->SetCaption(QStringLiteral("Repeat"));

    auto *disabled = Slot.Add<TsuiGroupBox>(160, 0, 150, 80);
    disabled->SetCaption(QStringLiteral("Disabled"));
    Slot.Add<TsuiCheckBox>(disabled, 12, 30, 93, 17)->SetCaption(QStringLiteral("Repeat"));
    disabled->SetEnabled(false);

    Slot.Add<TsuiGroupBox>(320, 0, 80, 80);

    auto *group = Slot.Add<TsuiCheckGroup>(410, 0, 185, 105);
    group->SetCaption(QStringLiteral("Check group"));
    group->Items()->SetText(QStringLiteral("Songs\nStories\nWords\nNumbers\nColours"));
    group->SetColumns(2);
    group->Item(0)->SetChecked(true);
    group->Item(3)->SetChecked(true);
}

const bool Registered = RegisterGallerySection({"Group boxes", 40, 600, 105, AddGroupBoxes});

} // namespace
