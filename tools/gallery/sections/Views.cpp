// The tree view (sky blue, as the lesson tree) and a list view in report
// style, both with their skinned frame.
#include "Gallery.h"
#include "SUIListView.h"
#include "SUITreeView.h"

namespace {

void AddViews(TGallerySlot &Slot)
{
    auto *tree = Slot.Add<TsuiTreeView>(0, 0, 140, 120);
    tree->SetColor(clSkyBlue);
    TTreeNode *songs = tree->Items()->Add(nullptr, QStringLiteral("Songs"));
    for (const char *name : {"Colours", "Numbers", "Animals", "Weather", "Family", "Food", "Toys"})
        tree->Items()->AddChild(songs, QString::fromLatin1(name));
    songs->Expand(false);
    tree->Items()->Add(nullptr, QStringLiteral("Stories"));

    auto *list = Slot.Add<TsuiListView>(150, 0, 200, 120);
    list->SetViewStyle(vsReport);
    list->Columns()->Add()->SetCaption(QStringLiteral("Lesson"));
    list->Columns()->Add()->SetCaption(QStringLiteral("Length"));
    list->Columns()->Items(0)->SetWidth(110);
    for (int i = 1; i <= 4; ++i) {
        TListItem *item = list->Items()->Add();
        item->SetCaption(QStringLiteral("Lesson %1").arg(i));
        item->SubItems()->Add(QStringLiteral("%1 min").arg(3 + i));
    }
}

const bool Registered = RegisterGallerySection({"Tree and list views", 50, 350, 120, AddViews});

} // namespace
