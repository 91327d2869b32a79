// The four combo boxes: a plain one, the colour box with pretty names, the
// font families and a family's point sizes, and a disabled one.
#include "Gallery.h"
#include "SUIColorBox.h"
#include "SUIFontComboBox.h"

namespace {

void AddComboBoxes(TGallerySlot &Slot)
{
    auto *plain = Slot.Add<TsuiComboBox>(0, 0, 140, 22);
    plain->SetStyle(csDropDownList);
    plain->Items()->SetText("Lesson one\nLesson two");
    plain->SetItemIndex(0);
    auto *disabled = Slot.Add<TsuiComboBox>(150, 0, 140, 22);
    disabled->SetStyle(csDropDownList);
    disabled->Items()->SetText("Disabled");
    disabled->SetItemIndex(0);
    disabled->SetEnabled(false);

    auto *colors = Slot.Add<TsuiColorBox>(0, 30, 140, 22);
    colors->SetStyle(cbStandardColors | cbExtendedColors | cbCustomColor | cbPrettyNames);
    colors->SetSelected(clMoneyGreen);
    auto *sizes = Slot.Add<TsuiFontSizeComboBox>(150, 30, 140, 22);
    sizes->SetFontName("DejaVu Sans");
    sizes->SetItemIndex(4);

    auto *fonts = Slot.Add<TsuiFontComboBox>(0, 60, 290, 22);
    fonts->SetUseFonts(true);
    fonts->SetFontName("DejaVu Serif");
}

const bool Registered = RegisterGallerySection({"Combo boxes", 60, 290, 82, AddComboBoxes});

} // namespace
