// Shared parts of the controls over Qt's own widgets.
#include "ControlsNative.h"

#include <QFrame>
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
    Widget->setPalette(palette);
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
