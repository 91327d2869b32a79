// TextSnapshot: the static text of a clip for scripts, from
// clip.getTextSnapshot() or new TextSnapshot(clip). Each method answers only
// when given the number of arguments it takes; otherwise, and for a
// snapshot of no clip, it gives undefined. Indices count the characters of
// all static texts placed in the clip, in depth order; end indices are
// exclusive. Selected characters are kept per snapshot object.
#include "DisplayClasses.h"
#include "DisplayData.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfTextSnapshot.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace swf::avm1 {

namespace {

class TextSnapshotData : public NativeData {
public:
    std::weak_ptr<DisplayObject> clip;
    std::vector<bool> selected;
    QRgb selectColor = 0xFFFF00;
};

struct Snapshot {
    TextSnapshotData &data;
    swf::TextSnapshot text;

    int count() const { return int(text.text.size()); }
    int clamp(Context &cx, const Value &index) const { return std::clamp(toInt(cx, index), 0, count()); }
    bool isSelected(int i) const { return size_t(i) < data.selected.size() && data.selected[size_t(i)]; }
};

// The snapshot of `self`'s clip when it has one and `args` is a count it takes.
std::optional<Snapshot> snapshotOf(const Value &self, Args args, size_t least, size_t most)
{
    Object *object = self.asObject();
    auto *data = object ? object->nativeAs<TextSnapshotData>() : nullptr;
    if (!data || args.size() < least || args.size() > most)
        return std::nullopt;
    auto clip = data->clip.lock();
    if (!clip || clip->removed() || clip->kind() != DisplayObject::Kind::MovieClip)
        return std::nullopt;
    return Snapshot{*data, swf::TextSnapshot::of(static_cast<const MovieClip &>(*clip))};
}

Value getCount(Context &, const Value &self, Args args)
{
    auto s = snapshotOf(self, args, 0, 0);
    return s ? Value(s->count()) : Value();
}

// getText(begin, end[, includeLineEndings])
Value getText(Context &cx, const Value &self, Args args)
{
    auto s = snapshotOf(self, args, 2, 3);
    if (!s)
        return Value();
    int begin = s->clamp(cx, args[0]);
    int end = std::max(begin, s->clamp(cx, args[1]));
    return cx.vm.string(s->text.text.mid(begin, end - begin));
}

// findText(begin, text, caseSensitive): the index of the text, or -1.
Value findText(Context &cx, const Value &self, Args args)
{
    auto s = snapshotOf(self, args, 3, 3);
    if (!s)
        return Value();
    return s->text.find(toInt(cx, args[0]), toQString(cx, args[1]), toBoolean(cx, args[2]));
}

// hitTestTextNearPos(x, y[, maxDistance]): the character nearest the
// point of the clip (pixels), or -1.
Value hitTestTextNearPos(Context &cx, const Value &self, Args args)
{
    auto s = snapshotOf(self, args, 2, 3);
    if (!s)
        return Value();
    QPointF point(toNumber(cx, args[0]) * 20, toNumber(cx, args[1]) * 20);
    double distance = args.size() > 2 ? toNumber(cx, args[2]) * 20 : 0;
    if (!std::isfinite(point.x()) || !std::isfinite(point.y()) || std::isnan(distance))
        return -1;
    return s->text.nearest(point, distance);
}

// setSelected(begin, end, select)
Value setSelected(Context &cx, const Value &self, Args args)
{
    auto s = snapshotOf(self, args, 3, 3);
    if (!s)
        return Value();
    int begin = s->clamp(cx, args[0]), end = s->clamp(cx, args[1]);
    s->data.selected.resize(size_t(s->count()));
    for (int i = begin; i < end; ++i)
        s->data.selected[size_t(i)] = toBoolean(cx, args[2]);
    return Value();
}

// getSelected(begin, end): whether any character of the range is selected.
Value getSelected(Context &cx, const Value &self, Args args)
{
    auto s = snapshotOf(self, args, 2, 2);
    if (!s)
        return Value();
    int begin = s->clamp(cx, args[0]), end = s->clamp(cx, args[1]);
    for (int i = begin; i < end; ++i)
        if (s->isSelected(i))
            return true;
    return false;
}

// getSelectedText([includeLineEndings]): the selected characters in order.
Value getSelectedText(Context &cx, const Value &self, Args args)
{
    auto s = snapshotOf(self, args, 0, 1);
    if (!s)
        return Value();
    QString text;
    for (int i = 0; i < s->count(); ++i)
        if (s->isSelected(i))
            text.append(s->text.text.at(i));
    return cx.vm.string(text);
}

// setSelectColor(0xRRGGBB): the colour selected characters are marked in.
Value setSelectColor(Context &cx, const Value &self, Args args)
{
    Object *object = self.asObject();
    if (auto *data = object ? object->nativeAs<TextSnapshotData>() : nullptr; data && !args.empty())
        data->selectColor = toUint32(toNumber(cx, args[0])) & 0xFFFFFF;
    return Value();
}

// getTextRunInfo(begin, end): an object per character describing its run
// and where its glyph is drawn (pixels of the clip's space).
Value getTextRunInfo(Context &cx, const Value &self, Args args)
{
    auto s = snapshotOf(self, args, 2, 2);
    if (!s)
        return Value();
    int begin = s->clamp(cx, args[0]);
    int end = std::max(begin, s->clamp(cx, args[1]));
    std::vector<Value> infos;
    for (int i = begin; i < end; ++i) {
        const SnapshotGlyph &g = s->text.glyphs[size_t(i)];
        Object *info = cx.vm.newObject();
        auto put = [&](const char *name, const Value &v) { info->put(cx.vm.name(QString::fromLatin1(name)), v); };
        put("indexInRun", g.indexInRun);
        put("selected", s->isSelected(i));
        put("font", cx.vm.string(g.font));
        put("color", double(g.color & 0xFFFFFF));
        put("height", g.height / 20);
        QTransform m = g.matrix;
        put("matrix_a", m.m11());
        put("matrix_b", m.m12());
        put("matrix_c", m.m21());
        put("matrix_d", m.m22());
        put("matrix_tx", m.dx() / 20);
        put("matrix_ty", m.dy() / 20);
        const QRectF &box = g.box;
        const QPointF corners[] = {box.bottomLeft(), box.bottomRight(), box.topRight(), box.topLeft()};
        for (int c = 0; c < 4; ++c) {
            put(QStringLiteral("corner%1x").arg(c).toLatin1().constData(), corners[c].x() / 20);
            put(QStringLiteral("corner%1y").arg(c).toLatin1().constData(), corners[c].y() / 20);
        }
        infos.push_back(info);
    }
    return cx.vm.newArray(infos);
}

// Gives `object` the data of a snapshot of `clip` (none when null).
void attach(Object *object, DisplayObject *clip)
{
    auto data = std::make_unique<TextSnapshotData>();
    if (clip && clip->kind() == DisplayObject::Kind::MovieClip)
        data->clip = clip->shared_from_this();
    object->setNative(std::move(data));
}

// new TextSnapshot(clip): a snapshot of the clip given as the only argument.
Value construct(Context &, const Value &self, Args args)
{
    if (Object *object = self.asObject())
        attach(object, args.size() == 1 ? displayOf(args[0].asObject()) : nullptr);
    return self;
}

// clip.getTextSnapshot()
Value getTextSnapshot(Context &cx, const Value &self, Args)
{
    DisplayObject *clip = displayOf(self.asObject());
    if (!clip || clip->kind() != DisplayObject::Kind::MovieClip)
        return Value();
    Value constructor = cx.vm.global()->get(cx, cx.vm.name(QStringLiteral("TextSnapshot")));
    Object *object = cx.vm.newObject();
    if (Object *ctor = constructor.asObject())
        object->setProto(ctor->get(cx, cx.vm.names.prototype));
    attach(object, clip);
    return object;
}

}

void installTextSnapshot(Vm &vm, Object *clipPrototype)
{
    Object *proto = vm.newObject();
    vm.makeClass(vm.global(), "TextSnapshot", construct, nullptr, proto);
    // Listed by for..in, readable from SWF 6 on.
    const std::pair<const char *, NativeFn> methods[] = {
        {"getCount", getCount},       {"setSelected", setSelected},         {"getSelected", getSelected},
        {"getText", getText},         {"getSelectedText", getSelectedText}, {"hitTestTextNearPos", hitTestTextNearPos},
        {"findText", findText},       {"setSelectColor", setSelectColor},   {"getTextRunInfo", getTextRunInfo},
    };
    for (const auto &[name, fn] : methods)
        proto->put(vm.strings.permanent(QString::fromLatin1(name)), vm.newFunction(fn), PropertyFlag::OnlySwf6Up);
    clipPrototype->put(vm.strings.permanent(QStringLiteral("getTextSnapshot")), vm.newFunction(getTextSnapshot),
                       PropertyFlag::DontEnum | PropertyFlag::DontDelete | PropertyFlag::OnlySwf6Up);
}

}
