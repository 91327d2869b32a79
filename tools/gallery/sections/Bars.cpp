// Track bars, progress bars and scroll bars, in both orientations. A bar's
// orientation decides which of its sides is locked, so it is set before the
// bounds.
#include "Gallery.h"
#include "SUIProgressBar.h"
#include "SUIScrollBar.h"
#include "SUITrackBar.h"

namespace {

template <class T>
T *Upright(TGallerySlot &Slot, int X, int Y, int Width, int Height)
{
    auto *bar = Slot.Add<T>(X, Y, Width, Height);
    bar->SetOrientation(suiVertical);
    bar->SetBounds(bar->Left(), bar->Top(), Width, Height);
    return bar;
}

template <class T>
T *Across(TGallerySlot &Slot, int X, int Y, int Width, int Height)
{
    auto *bar = Slot.Add<T>(X, Y, Width, Height);
    bar->SetOrientation(suiHorizontal);
    bar->SetBounds(bar->Left(), bar->Top(), Width, Height);
    return bar;
}

void AddBars(TGallerySlot &Slot)
{
    Across<TsuiTrackBar>(Slot, 0, 0, 200, 24)->SetPosition(30);
    Across<TsuiProgressBar>(Slot, 0, 34, 200, 12)->SetPosition(33);
    Across<TsuiScrollBar>(Slot, 0, 56, 200, 17)->SetPosition(40);

    Upright<TsuiTrackBar>(Slot, 220, 0, 24, 110)->SetPosition(70);
    Upright<TsuiProgressBar>(Slot, 260, 0, 12, 110)->SetPosition(60);
    Upright<TsuiScrollBar>(Slot, 290, 0, 17, 110)->SetPosition(20);
}

const bool Registered = RegisterGallerySection({"Track, progress and scroll bars", 20, 320, 110, AddBars});

} // namespace
