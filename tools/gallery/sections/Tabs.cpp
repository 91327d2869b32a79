// A tab control over one body and a page control with two pages, each page
// holding a skinned button.
#include "Gallery.h"
#include "SUIButton.h"
#include "SUIPageControl.h"

namespace {

void AddTabs(TGallerySlot &Slot)
{
    auto *tabs = Slot.Add<TsuiTabControl>(0, 0, 240, 90);
    tabs->Tabs()->SetText("Lessons\nSongs\nStories");
    tabs->SetTabIndex(1);

    auto *pages = Slot.Add<TsuiPageControl>(250, 0, 240, 90);
    for (const char *caption : {"Words", "Pictures"}) {
        auto *page = Slot.Add<TsuiTabSheet>(pages, 0, 0, 0, 0);
        page->SetCaption(QString::fromLatin1(caption));
        auto *button = Slot.Add<TsuiButton>(page, 10, 10, 100, 25);
        button->SetCaption(QString::fromLatin1(caption));
    }
}

const bool Registered = RegisterGallerySection({"Tab and page controls", 65, 490, 90, AddTabs});

} // namespace
