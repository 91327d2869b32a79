// Shared parts of the controls over Qt's own widgets.
#include "ControlsNative.h"

#include <QAbstractScrollArea>
#include <QFrame>
#include <QScrollBar>
#include <QPalette>

void ApplyNativeBorder(QFrame *Frame, int BorderWidth, bool Sunken)
{
    if (BorderWidth <= 0) {
        Frame->setFrameStyle(Sunken ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
        return;
    }
    // A plain box frame reserves exactly BorderWidth pixels on every side;
    // its colour does not matter, the control's painting covers it.
    Frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    Frame->setMidLineWidth(0);
    Frame->setLineWidth(BorderWidth);
}

void ApplyNativeColor(QWidget *Widget, TColor Color)
{
    QPalette palette = Widget->palette();
    const QColor color = ColorToQColor(Color);
    palette.setColor(QPalette::Base, color);
    // The margin's frame line is filled in the control's colour too.
    palette.setColor(QPalette::WindowText, color);
    Widget->setPalette(palette);
}

bool NativeDefaultHandler(TWinControl *Control, bool Sunken, TMessage &Message)
{
    if (!Control->HandleAllocated())
        return false;
    auto *area = qobject_cast<QAbstractScrollArea *>(Control->Handle());
    if (!area)
        return false;
    switch (Message.Msg) {
    case CM_BORDERCHANGED:
        ApplyNativeBorder(area, Control->BorderWidth(), Sunken);
        return false; // the framework's own handling goes on
    case WM_VSCROLL:
    case WM_HSCROLL: {
        QScrollBar *bar = Message.Msg == WM_VSCROLL ? area->verticalScrollBar() : area->horizontalScrollBar();
        switch (LOWORD(Message.WParam)) {
        case SB_LINEUP: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
        case SB_LINEDOWN: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
        case SB_PAGEUP: bar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
        case SB_PAGEDOWN: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: bar->setValue(HIWORD(Message.WParam)); break;
        case SB_TOP: bar->setValue(bar->minimum()); break;
        case SB_BOTTOM: bar->setValue(bar->maximum()); break;
        default: break;
        }
        Message.Result = 0;
        return true;
    }
    default:
        return false;
    }
}

QObject *TNativeSignals::Bind(QWidget *Widget)
{
    Release();
    FContext = new QObject(Widget);
    return FContext;
}

void TNativeSignals::Release()
{
    delete FContext.data();
    FContext = nullptr;
}
