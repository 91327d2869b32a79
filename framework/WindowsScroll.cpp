// The scroll state of windows whose content a Qt scroll area shows, read
// the way the windowing system reports native scroll bars.
#include "WindowsScroll.h"

#include <QAbstractScrollArea>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

namespace {
// Reaches the scroll area's handling of its viewport's events.
struct TViewportEvents : QAbstractScrollArea {
    using QAbstractScrollArea::viewportEvent;
};

QScrollBar *BarOf(HWND Wnd, bool Vertical)
{
    auto *area = qobject_cast<QAbstractScrollArea *>(Wnd);
    if (!area)
        return nullptr;
    // A scroll area lays out its bars and page only while it is shown; a
    // window not on the screen yet reports them as it will show them.
    if (!area->isVisible()) {
        QResizeEvent resize(area->size(), area->size());
        static_cast<QObject *>(area)->event(&resize);
        const QSize view = area->viewport()->size();
        QResizeEvent viewResize(view, view);
        (area->*(&TViewportEvents::viewportEvent))(&viewResize);
    }
    return Vertical ? area->verticalScrollBar() : area->horizontalScrollBar();
}

QRect ThumbRect(QScrollBar *Bar, QStyle::SubControl Part)
{
    QStyleOptionSlider option;
    option.initFrom(Bar);
    option.subControls = QStyle::SC_All;
    option.orientation = Bar->orientation();
    if (Bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.minimum = Bar->minimum();
    option.maximum = Bar->maximum();
    option.sliderPosition = Bar->sliderPosition();
    option.sliderValue = Bar->value();
    option.singleStep = Bar->singleStep();
    option.pageStep = Bar->pageStep();
    return Bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, Part, Bar);
}
}

bool GetScrollInfo(HWND Wnd, int Bar, TScrollInfo *Info)
{
    if (!Info || Info->cbSize != sizeof(TScrollInfo) || (Bar != SB_HORZ && Bar != SB_VERT))
        return false;
    QScrollBar *bar = BarOf(Wnd, Bar == SB_VERT);
    if (!bar)
        return false;
    const int page = bar->pageStep();
    if (Info->fMask & SIF_RANGE) {
        Info->nMin = bar->minimum();
        Info->nMax = bar->maximum() + std::max(page, 1) - 1;
    }
    if (Info->fMask & SIF_PAGE)
        Info->nPage = static_cast<UINT>(page);
    if (Info->fMask & SIF_POS)
        Info->nPos = bar->value();
    if (Info->fMask & SIF_TRACKPOS)
        Info->nTrackPos = bar->sliderPosition();
    return true;
}

bool GetScrollBarInfo(HWND Wnd, long IdObject, TScrollBarInfo *Info)
{
    if (!Info || Info->cbSize != sizeof(TScrollBarInfo) || (IdObject != OBJID_HSCROLL && IdObject != OBJID_VSCROLL))
        return false;
    QScrollBar *bar = BarOf(Wnd, IdObject == OBJID_VSCROLL);
    if (!bar)
        return false;
    const bool vertical = IdObject == OBJID_VSCROLL;
    *Info = TScrollBarInfo{};
    const QPoint origin = bar->mapToGlobal(QPoint(0, 0));
    Info->rcScrollBar = Bounds(origin.x(), origin.y(), bar->width(), bar->height());
    const QRect line = ThumbRect(bar, QStyle::SC_ScrollBarAddLine);
    Info->dxyLineButton = vertical ? line.height() : line.width();
    const QRect thumb = ThumbRect(bar, QStyle::SC_ScrollBarSlider);
    Info->xyThumbTop = vertical ? thumb.top() : thumb.left();
    Info->xyThumbBottom = vertical ? thumb.bottom() + 1 : thumb.right() + 1;
    if (!bar->isVisibleTo(Wnd))
        Info->rgstate[0] = STATE_SYSTEM_INVISIBLE;
    else if (!bar->isEnabled() || bar->maximum() <= bar->minimum())
        Info->rgstate[0] = STATE_SYSTEM_UNAVAILABLE;
    return true;
}
