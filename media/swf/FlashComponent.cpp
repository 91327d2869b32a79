#include "FlashComponent.h"

#include "FlashControl.h"

const char *const kFlashClassId = "{D27CDB6E-AE6D-11CF-96B8-444553540000}";

namespace {

using swf::FlashControl;

[[noreturn]] void unknownName()
{
    throw EOleException(QStringLiteral("Unknown name"));
}

FlashControl::ScaleMode scaleFromName(const QString &name)
{
    if (name.compare(QLatin1String("ShowAll"), Qt::CaseInsensitive) == 0)
        return FlashControl::ScaleMode::ShowAll;
    if (name.compare(QLatin1String("NoBorder"), Qt::CaseInsensitive) == 0)
        return FlashControl::ScaleMode::NoBorder;
    if (name.compare(QLatin1String("ExactFit"), Qt::CaseInsensitive) == 0)
        return FlashControl::ScaleMode::ExactFit;
    throw EOleException(QStringLiteral("Invalid scale mode: %1").arg(name));
}

QString scaleName(FlashControl::ScaleMode mode)
{
    switch (mode) {
    case FlashControl::ScaleMode::ShowAll:
        return QStringLiteral("ShowAll");
    case FlashControl::ScaleMode::NoBorder:
        return QStringLiteral("NoBorder");
    case FlashControl::ScaleMode::ExactFit:
        break;
    }
    return QStringLiteral("ExactFit");
}

}

FlashComponent::FlashComponent(QWidget *parent) : window(new FlashControl(parent)) {}

FlashComponent::~FlashComponent()
{
    delete control();
}

swf::FlashControl *FlashComponent::control() const
{
    return qobject_cast<FlashControl *>(window.data());
}

FlashControl &FlashComponent::live() const
{
    FlashControl *c = control();
    if (!c)
        throw EOleException(QStringLiteral("The control's window has been destroyed"));
    return *c;
}

QWidget *FlashComponent::Window() const
{
    return control();
}

OleVariant FlashComponent::GetProperty(DISPID id)
{
    FlashControl &c = live();
    switch (id) {
    case FlashDispId::Movie:
        return c.movieAddress();
    case FlashDispId::TotalFrames:
        return c.player().totalFrames();
    case FlashDispId::FrameNum:
        return c.player().frameNum();
    case FlashDispId::Playing:
        return QVariant::fromValue<short>(c.player().playing() ? -1 : 0);
    case FlashDispId::Quality:
        return c.quality().compare(QLatin1String("Low"), Qt::CaseInsensitive) == 0 ? 0 : 1;
    case FlashDispId::Quality2:
        return c.quality();
    case FlashDispId::Loop:
        return c.player().loops();
    case FlashDispId::ScaleMode:
        return int(c.scaleMode());
    case FlashDispId::Scale:
        return scaleName(c.scaleMode());
    case FlashDispId::WMode:
        return c.windowMode();
    case FlashDispId::ExtentX:
        return c.width();
    case FlashDispId::ExtentY:
        return c.height();
    case FlashDispId::MovieTitle:
        return c.displayName();
    default:
        unknownName();
    }
}

void FlashComponent::SetProperty(DISPID id, const OleVariant &value)
{
    FlashControl &c = live();
    switch (id) {
    case FlashDispId::Movie:
        c.setMovie(value.toString());
        break;
    case FlashDispId::FrameNum:
        c.player().setFrameNum(value.toInt());
        break;
    case FlashDispId::Playing:
        if (!c.player().movie())
            c.player().setAutoPlay(value.toBool());
        if (value.toBool())
            c.player().play();
        else
            c.player().stop();
        break;
    case FlashDispId::Quality:
        c.setQuality(value.toInt() == 0 ? QStringLiteral("Low") : QStringLiteral("High"));
        break;
    case FlashDispId::Quality2:
        c.setQuality(value.toString());
        break;
    case FlashDispId::Loop:
        c.player().setLoop(value.toBool());
        break;
    case FlashDispId::ScaleMode: {
        int mode = value.toInt();
        if (mode < 0 || mode > 2)
            throw EOleException(QStringLiteral("Invalid scale mode: %1").arg(mode));
        c.setScaleMode(FlashControl::ScaleMode(mode));
        break;
    }
    case FlashDispId::Scale:
        c.setScaleMode(scaleFromName(value.toString()));
        break;
    case FlashDispId::WMode:
        c.setWindowMode(value.toString());
        break;
    case FlashDispId::ExtentX:
        c.resize(value.toInt(), c.height());
        break;
    case FlashDispId::ExtentY:
        c.resize(c.width(), value.toInt());
        break;
    case FlashDispId::MovieTitle:
        c.setTitle(value.toString());
        break;
    default:
        unknownName();
    }
}

OleVariant FlashComponent::CallMethod(int position, const QVariantList &)
{
    FlashControl &c = live();
    switch (position) {
    case FlashMethod::Play:
        c.player().play();
        return {};
    case FlashMethod::StopPlay:
        c.player().stop();
        return {};
    case FlashMethod::CurrentFrame:
        return c.player().frameNum();
    default:
        unknownName();
    }
}

void RegisterFlashControl()
{
    RegisterComClass(QString::fromLatin1(kFlashClassId),
                     [](QWidget *parent) { return std::make_unique<FlashComponent>(parent); });
}
