#include "RealAudioControl.h"

#include "StreamPlayer.h"
#include "StreamView.h"

RealAudioControl::RealAudioControl(QWidget *parent) : view(new StreamView(parent))
{
}

RealAudioControl::~RealAudioControl()
{
    delete view.data();
}

QWidget *RealAudioControl::Window() const
{
    return view.data();
}

StreamView *RealAudioControl::Alive() const
{
    if (!view)
        throw EOleException(QStringLiteral("The control's window has been destroyed"));
    return view.data();
}

OleVariant RealAudioControl::GetProperty(DISPID id)
{
    switch (id) {
    case kDispidSource:
        return Alive()->Player()->Source();
    case kDispidControls:
        return Alive()->Controls();
    case kDispidBackgroundColor:
        return Alive()->BackgroundColor();
    default:
        throw EOleException(QStringLiteral("Unknown name"));
    }
}

void RealAudioControl::SetProperty(DISPID id, const OleVariant &value)
{
    switch (id) {
    case kDispidSource:
        Alive()->Player()->SetSource(value.toString());
        break;
    case kDispidControls:
        Alive()->SetControls(value.toString());
        break;
    case kDispidBackgroundColor:
        Alive()->SetBackgroundColor(value.toString());
        break;
    default:
        throw EOleException(QStringLiteral("Unknown name"));
    }
}

OleVariant RealAudioControl::CallMethod(int position, const QVariantList &)
{
    switch (position) {
    case kMethodStop:
        Alive()->Player()->Stop();
        return {};
    case kMethodResizeNotice:
        // The host sizes the window itself; the view lays out on its resize.
        return {};
    default:
        throw EOleException(QStringLiteral("Member not found"));
    }
}

void RegisterRealAudioControl()
{
    RegisterComClass(QString::fromLatin1(kRealAudioClassId),
                     [](QWidget *parent) { return std::make_unique<RealAudioControl>(parent); });
}
