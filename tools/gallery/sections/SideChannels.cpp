// Two side channels in a panel: one pinned open on the left with a button on
// it, one collapsed on the right.
#include "Gallery.h"
#include "SUIButton.h"
#include "SUIImagePanel.h"
#include "SUISideChannel.h"

namespace {

void AddSideChannels(TGallerySlot &Slot)
{
    auto *panel = Slot.Add<TsuiImagePanel>(0, 0, 290, 190);
    panel->SetTransparent(true);
    auto *collapsed = Slot.Add<TsuiSideChannel>(panel, 0, 0, 10, 190);
    collapsed->SetAlign(suiRight);
    auto *open = Slot.Add<TsuiSideChannel>(panel, 0, 0, 10, 190);
    open->SetWidth(150);
    open->SetCaption("Pinned");
    open->SetQuickMove(true);
    open->SetStayOn(true);
    auto *button = Slot.Add<TsuiButton>(open, 25, 30, 100, 25);
    button->SetCaption("On the channel");
}

const bool Registered = RegisterGallerySection({"Side channel", 80, 290, 190, AddSideChannels});

} // namespace
