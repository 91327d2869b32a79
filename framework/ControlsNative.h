#pragma once
// What the controls over Qt's own widgets (trees, lists, editors, combo
// boxes, grids) share: the BorderWidth margin drawn as the widget's frame,
// the control's colour as the widget's background, and the context that
// their signal connections live in. Private to the framework.
#include "Controls.h"

#include <QObject>
#include <QPointer>

class QFrame;
class QWidget;

// The non-client margin of a control whose window is a Qt frame: BorderWidth
// pixels around the content, painted by the control (its after-paint hook)
// rather than by the widget's style. Without a margin, Sunken gives the
// style's sunken edge (a single border style).
void ApplyNativeBorder(QFrame *Frame, int BorderWidth, bool Sunken);
// The control's Color as the widget's text background and its margin.
void ApplyNativeColor(QWidget *Widget, TColor Color);

// The handling a control over a Qt scroll area gives the messages its
// native window would handle: WM_VSCROLL / WM_HSCROLL scroll the content
// (SB_THUMBPOSITION to the position in the high word), CM_BORDERCHANGED
// resizes the margin. True when Message was handled.
bool NativeDefaultHandler(TWinControl *Control, bool Sunken, TMessage &Message);

// Connections from a control's Qt widget to the control. They end with
// Release, before the control goes, even while the widget itself waits for
// its deferred deletion.
class TNativeSignals {
public:
    TNativeSignals() = default;
    ~TNativeSignals() { Release(); }
    TNativeSignals(const TNativeSignals &) = delete;
    TNativeSignals &operator=(const TNativeSignals &) = delete;
    // A fresh context owned by Widget; connections made with it end on Release.
    QObject *Bind(QWidget *Widget);
    // The current context (nullptr after Release).
    QObject *Context() const { return FContext; }
    void Release();

private:
    QPointer<QObject> FContext;
};
