// List boxes (one with a linked skinned scroll bar), a check list box, a memo
// with both skinned scroll bars linked and an edit.
#include "Gallery.h"
#include "SUICheckListBox.h"
#include "SUIEdit.h"
#include "SUIListBox.h"
#include "SUIMemo.h"

namespace {

const char *const Lessons[] = {"Colours", "Numbers", "Animals", "Weather", "Family", "Food",
                               "Toys",    "Clothes", "School",  "Body",    "Home",   "Time"};

void AddListsAndMemos(TGallerySlot &Slot)
{
    auto *list = Slot.Add<TsuiListBox>(0, 0, 120, 110);
    for (const char *lesson : Lessons)
        list->Items()->Add(QString::fromLatin1(lesson));
    list->SetItemIndex(2);
    list->SetVScrollBar(Slot.Add<TsuiScrollBar>(0, 0, 16, 100));

    auto *checks = Slot.Add<TsuiCheckListBox>(130, 0, 110, 110);
    for (int i = 0; i < 4; ++i)
        checks->Items()->Add(QString::fromLatin1(Lessons[i]));
    checks->SetChecked(1, true);
    checks->SetChecked(3, true);

    auto *memo = Slot.Add<TsuiMemo>(250, 0, 200, 80);
    QStringList lines;
    for (int i = 1; i <= 12; ++i)
        lines << QStringLiteral("Line %1 of a memo wide enough to run past its right edge").arg(i);
    memo->SetText(lines.join(QLatin1Char('\n')));
    memo->SetVScrollBar(Slot.Add<TsuiScrollBar>(0, 0, 16, 60));
    memo->SetHScrollBar(Slot.Add<TsuiScrollBar>(0, 0, 60, 16));

    Slot.Add<TsuiEdit>(250, 89, 200, 21)->SetText(QStringLiteral("An edit"));
}

const bool Registered = RegisterGallerySection({"List boxes, memo and edit", 60, 450, 110, AddListsAndMemos});

} // namespace
