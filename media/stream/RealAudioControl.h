#pragma once
// The programme control as an in-process component: a stream player with its
// image window and control panel, reached through dispatch ids and positions
// in the dual interface's function table like the control it stands in for.
#include "ComObj.h"
#include "StreamView.h"

#include <QPointer>

inline const char *const kRealAudioClassId = "{CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA}";

// Properties by dispatch id.
constexpr DISPID kDispidSource = 102;          // wide string: the clip's address
constexpr DISPID kDispidControls = 103;        // "imagewindow,controlpanel"
constexpr DISPID kDispidBackgroundColor = 104; // "#000000"
// Methods by position in the function table (IUnknown and IDispatch counted).
constexpr int kMethodStop = 50;
constexpr int kMethodResizeNotice = 100;

class RealAudioControl : public IOleComponent {
public:
    explicit RealAudioControl(QWidget *parent);
    ~RealAudioControl() override;

    QWidget *Window() const override;
    OleVariant GetProperty(DISPID id) override;
    void SetProperty(DISPID id, const OleVariant &value) override;
    OleVariant CallMethod(int position, const QVariantList &args = {}) override;

    StreamView *View() const { return view; }

private:
    StreamView *Alive() const;

    QPointer<StreamView> view;
};

// Registers the control under its class id; the program's start-up calls it.
void RegisterRealAudioControl();
