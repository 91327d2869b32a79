#pragma once
// Extra controls: the timer.
#include "Controls.h"

class QTimer;

// Fires OnTimer every Interval milliseconds while Enabled. Ticks come from
// the event loop, also while a modal box is up.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent *AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);
    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    QTimer *FTimer;
    bool FEnabled = true;
    unsigned FInterval = 1000;
};
