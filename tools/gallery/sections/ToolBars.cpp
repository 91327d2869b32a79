// A tool bar with captions: idle buttons, a checked one and a separator. It
// lines the top of an image panel, which hands the window's style on to it.
#include "ComCtrls.h"
#include "Gallery.h"
#include "SUIImagePanel.h"
#include "SUIToolBar.h"

namespace {

void AddToolBars(TGallerySlot &Slot)
{
    auto *panel = Slot.Add<TsuiImagePanel>(0, 0, 290, 26);
    panel->SetTransparent(true);
    auto *bar = Slot.Add<TsuiToolBar>(panel, 0, 0, 290, 26);
    bar->SetShowCaptions(true);
    bar->SetButtonHeight(24);
    for (const char *caption : {"Play", "Pause", "-", "Loop"}) {
        auto *button = new TToolButton(bar->Owner());
        button->SetLeft(bar->Width());
        button->SetParent(bar);
        if (QLatin1String(caption) == QLatin1String("-")) {
            button->SetStyle(tbsSeparator);
            button->SetWidth(8);
            continue;
        }
        button->SetCaption(QString::fromLatin1(caption));
        button->SetAutoSize(true);
        if (QLatin1String(caption) == QLatin1String("Loop")) {
            button->SetStyle(tbsCheck);
            button->SetDown(true);
        }
    }
}

const bool Registered = RegisterGallerySection({"Tool bar", 70, 290, 26, AddToolBars});

} // namespace
