#include "DisplayProperties.h"

#include "DisplayData.h"
#include "swf/SwfEditTextObject.h"
#include "swf/SwfHitTest.h"
#include "swf/SwfLoader.h"
#include "swf/SwfMovie.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfStage.h"
#include "swf/SwfTimelineSound.h"
#include "swf/avm1/Context.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"

#include <QFileInfo>
#include <QHash>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace swf::avm1 {

namespace {

enum class Prop {
    X, Y, XScale, YScale, CurrentFrame, TotalFrames, Alpha, Visible, Width, Height, Rotation, Target,
    FramesLoaded, Name, XMouse, YMouse, Parent, DropTarget, SoundBufTime, Url, FocusRect,
};

std::optional<Prop> propertyNamed(const QString &name)
{
    static const QHash<QString, Prop> table = {
        {QStringLiteral("_x"), Prop::X},
        {QStringLiteral("_y"), Prop::Y},
        {QStringLiteral("_xscale"), Prop::XScale},
        {QStringLiteral("_yscale"), Prop::YScale},
        {QStringLiteral("_currentframe"), Prop::CurrentFrame},
        {QStringLiteral("_totalframes"), Prop::TotalFrames},
        {QStringLiteral("_alpha"), Prop::Alpha},
        {QStringLiteral("_visible"), Prop::Visible},
        {QStringLiteral("_width"), Prop::Width},
        {QStringLiteral("_height"), Prop::Height},
        {QStringLiteral("_rotation"), Prop::Rotation},
        {QStringLiteral("_target"), Prop::Target},
        {QStringLiteral("_framesloaded"), Prop::FramesLoaded},
        {QStringLiteral("_name"), Prop::Name},
        {QStringLiteral("_xmouse"), Prop::XMouse},
        {QStringLiteral("_ymouse"), Prop::YMouse},
        {QStringLiteral("_parent"), Prop::Parent},
        {QStringLiteral("_droptarget"), Prop::DropTarget},
        {QStringLiteral("_soundbuftime"), Prop::SoundBufTime},
        {QStringLiteral("_url"), Prop::Url},
        {QStringLiteral("_focusrect"), Prop::FocusRect},
    };
    if (!name.startsWith(QLatin1Char('_')))
        return std::nullopt;
    auto it = table.constFind(name.toLower());
    return it == table.constEnd() ? std::nullopt : std::optional<Prop>(*it);
}

constexpr double kDegrees = 180.0 / std::numbers::pi;

// A matrix as scales along its two axes and the angles of those axes.
struct Axes {
    double xScale, yScale, xAngle, yAngle;

    static Axes of(const QTransform &m)
    {
        return {std::hypot(m.m11(), m.m12()), std::hypot(m.m21(), m.m22()), std::atan2(m.m12(), m.m11()),
                std::atan2(-m.m21(), m.m22())};
    }
    QTransform matrix(double dx, double dy) const
    {
        return QTransform(xScale * std::cos(xAngle), xScale * std::sin(xAngle), -yScale * std::sin(yAngle),
                          yScale * std::cos(yAngle), dx, dy);
    }
};

// Degrees brought into -180 to 180.
double normalizedDegrees(double degrees)
{
    degrees = std::fmod(degrees, 360.0);
    if (degrees > 180)
        degrees -= 360;
    else if (degrees < -180)
        degrees += 360;
    return degrees;
}

// The object's bounds in its parent's space (twips).
QRectF parentBounds(const DisplayObject &object)
{
    QRectF local = object.localBounds();
    return local.isNull() ? QRectF() : object.matrix().mapRect(local);
}

// A text field keeps its scale when given a width or height: its box grows
// or shrinks by `factor` along that axis instead.
void resizeTextField(EditTextObject &object, bool width, double factor)
{
    TextField &field = object.textField();
    QRectF box = field.bounds();
    if (width)
        box.setWidth(box.width() * factor);
    else
        box.setHeight(box.height() * factor);
    field.setBounds(box);
}

// _focusrect: a level root's is the movie's own (a boolean); any other
// object's is null until a script gives it one.
Value focusRect(const DisplayObject &object)
{
    if (!object.parent())
        return object.stage().focus().rectsShown();
    std::optional<bool> own = object.focusRect();
    return own ? Value(*own) : Value::null();
}

// The movie's _focusrect takes numbers (non-zero shows) and the words true
// and false, ignores null, undefined and other values that are not numbers
// (the empty string too) and turns an object off; an object's takes any
// value as a boolean, and null or undefined unsets it.
void setFocusRect(Context &cx, DisplayObject &object, const Value &value)
{
    if (!object.parent()) {
        QString word = value.isString() ? toQString(cx, value) : QString();
        double number = value.asObject() ? 0.0
            : value.isNull() || value.isUndefined() || (value.isString() && word.isEmpty()) ? qQNaN()
            : word == QLatin1String("true")  ? 1.0
            : word == QLatin1String("false") ? 0.0
                                              : toNumber(cx, value);
        if (!std::isnan(number))
            object.stage().focus().setRectsShown(number != 0);
    } else if (value.isUndefined() || value.isNull()) {
        object.setFocusRect(std::nullopt);
    } else {
        object.setFocusRect(toBoolean(cx, value));
    }
}

Value frameCount(const DisplayObject &object, Prop which)
{
    if (object.kind() != DisplayObject::Kind::MovieClip)
        return Value();
    const auto &clip = static_cast<const MovieClip &>(object);
    switch (which) {
    case Prop::CurrentFrame:
        return std::max(1, clip.currentFrame() + 1);
    case Prop::TotalFrames:
        return clip.totalFrames();
    default:
        return clip.framesLoaded();
    }
}

QPointF mouseIn(const DisplayObject &object)
{
    return object.stageMatrix().inverted().map(object.stage().mouse().position()) / 20.0;
}

// While the object is dragged, what it would be dropped on now; after, where it was dropped.
QString dropTarget(DisplayObject &object)
{
    MouseInput &mouse = object.stage().mouse();
    if (mouse.dragged() != &object)
        return object.droppedOn();
    DisplayObject *target = dropTargetAt(object.stage(), mouse.position(), object);
    return target ? target->slashPath() : QString();
}

void changeMatrix(DisplayObject &object, const QTransform &matrix)
{
    object.setMatrix(matrix);
    object.setTransformedByScript(true);
}

}

namespace {

// A text field's position is where its top-left corner lies.
QPointF cornerOffset(const DisplayObject &object)
{
    if (object.kind() != DisplayObject::Kind::EditText)
        return {};
    return static_cast<const EditTextObject &>(object).cornerOffset();
}

}

bool getDisplayProperty(Context &cx, DisplayObject &object, const QString &name, Value &out)
{
    std::optional<Prop> property = propertyNamed(name);
    if (!property)
        return false;
    const QTransform &m = object.matrix();
    switch (*property) {
    case Prop::FocusRect:
        out = focusRect(object);
        break;
    case Prop::X:
        out = (m.dx() + cornerOffset(object).x()) / 20.0;
        break;
    case Prop::Y:
        out = (m.dy() + cornerOffset(object).y()) / 20.0;
        break;
    case Prop::XScale:
        out = Axes::of(m).xScale * 100.0;
        break;
    case Prop::YScale:
        out = Axes::of(m).yScale * 100.0;
        break;
    case Prop::Rotation:
        out = normalizedDegrees(Axes::of(m).xAngle * kDegrees);
        break;
    case Prop::Alpha:
        out = object.colorTransform().mult[3] * 100.0 / 256.0;
        break;
    case Prop::Visible:
        out = object.visible();
        break;
    case Prop::Width:
        out = parentBounds(object).width() / 20.0;
        break;
    case Prop::Height:
        out = parentBounds(object).height() / 20.0;
        break;
    case Prop::CurrentFrame:
    case Prop::TotalFrames:
    case Prop::FramesLoaded:
        out = frameCount(object, *property);
        break;
    case Prop::Target:
        out = cx.vm.string(object.slashPath());
        break;
    case Prop::Name:
        out = cx.vm.string(object.name());
        break;
    case Prop::XMouse:
        out = mouseIn(object).x();
        break;
    case Prop::YMouse:
        out = mouseIn(object).y();
        break;
    case Prop::Parent:
        out = scriptObject(object.parent());
        break;
    case Prop::DropTarget:
        out = cx.vm.string(dropTarget(object));
        break;
    case Prop::Url: {
        // Where the object's movie came from; a local path as a file: URL.
        const QString &address = object.movie().address();
        out = cx.vm.string(isWebAddress(address) || QUrl(address).isLocalFile() || address.isEmpty()
                               ? address
                               : QUrl::fromLocalFile(QFileInfo(address).absoluteFilePath()).toString());
        break;
    }
    case Prop::SoundBufTime: {
        TimelineSound *sound = object.stage().sound();
        out = sound ? sound->bufferSeconds() : kSoundBufferSeconds;
        break;
    }
    }
    return true;
}

bool setDisplayProperty(Context &cx, DisplayObject &object, const QString &name, const Value &value)
{
    std::optional<Prop> property = propertyNamed(name);
    if (!property)
        return false;
    if (*property == Prop::Name) {
        object.setName(toQString(cx, value));
        return true;
    }
    if (*property == Prop::Visible) {
        bool visible = toBoolean(cx, value);
        bool wasVisible = object.visible();
        object.setVisible(visible);
        // Hiding the focused object takes the focus away; one focused while
        // hidden keeps it.
        Focus &focus = object.stage().focus();
        if (wasVisible && !visible && focus.current() == &object)
            focus.set(nullptr);
        return true;
    }
    if (*property == Prop::FocusRect) {
        setFocusRect(cx, object, value);
        return true;
    }
    const QTransform &m = object.matrix();
    double number = toNumber(cx, value);
    // Values that are not numbers leave the property as it was.
    if (std::isnan(number))
        return true;
    Axes axes = Axes::of(m);
    switch (*property) {
    case Prop::X:
        changeMatrix(object, QTransform(m.m11(), m.m12(), m.m21(), m.m22(),
                                        std::round(number * 20) - cornerOffset(object).x(), m.dy()));
        break;
    case Prop::Y:
        changeMatrix(object, QTransform(m.m11(), m.m12(), m.m21(), m.m22(), m.dx(),
                                        std::round(number * 20) - cornerOffset(object).y()));
        break;
    case Prop::XScale:
        axes.xScale = number / 100.0;
        changeMatrix(object, axes.matrix(m.dx(), m.dy()));
        break;
    case Prop::YScale:
        axes.yScale = number / 100.0;
        changeMatrix(object, axes.matrix(m.dx(), m.dy()));
        break;
    case Prop::Rotation: {
        double turn = normalizedDegrees(number) / kDegrees - axes.xAngle;
        axes.xAngle += turn;
        axes.yAngle += turn;
        changeMatrix(object, axes.matrix(m.dx(), m.dy()));
        break;
    }
    case Prop::Alpha: {
        ColorTransform colors = object.colorTransform();
        colors.mult[3] = int(number * 256.0 / 100.0);
        object.setColorTransform(colors);
        object.setTransformedByScript(true);
        break;
    }
    case Prop::Width:
    case Prop::Height: {
        QRectF bounds = parentBounds(object);
        double now = *property == Prop::Width ? bounds.width() : bounds.height();
        if (now <= 0 || number < 0)
            break;
        if (object.kind() == DisplayObject::Kind::EditText) {
            resizeTextField(static_cast<EditTextObject &>(object), *property == Prop::Width, number * 20.0 / now);
            break;
        }
        (*property == Prop::Width ? axes.xScale : axes.yScale) *= number * 20.0 / now;
        changeMatrix(object, axes.matrix(m.dx(), m.dy()));
        break;
    }
    case Prop::SoundBufTime:
        if (TimelineSound *sound = object.stage().sound())
            sound->setBufferSeconds(int(std::clamp(number, -1e9, 1e9)));
        break;
    default:
        break; // read-only
    }
    return true;
}

}
