#include "ExtCtrls.h"
#include "Forms.h"

#include <QTimer>

TTimer::TTimer(TComponent *AOwner) : TComponent(AOwner), FTimer(new QTimer)
{
    QObject::connect(FTimer, &QTimer::timeout, [this] { CallGuarded(this, [this] { Timer(); }); });
    UpdateTimer();
}

TTimer::~TTimer()
{
    Destroying();
    delete FTimer;
}

void TTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value)
{
    if (Value == FInterval)
        return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    FTimer->stop();
    if (FEnabled && FInterval > 0)
        FTimer->start(static_cast<int>(FInterval));
}

void TTimer::Timer()
{
    if (FEnabled && OnTimer)
        OnTimer(this);
}
