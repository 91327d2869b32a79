#include "ClipOperations.h"

#include "swf/SwfEditTextObject.h"
#include "swf/SwfMovie.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfStage.h"

namespace swf::avm1 {

namespace {

bool validDepth(int depth)
{
    return depth >= kMinScriptDepth && depth <= kMaxScriptDepth;
}

template <class T, DisplayObject::Kind kind>
T *add(MovieClip &parent, std::shared_ptr<DisplayObject> object, const QString &name, int depth)
{
    if (!object || object->kind() != kind)
        return nullptr;
    auto *made = static_cast<T *>(object.get());
    made->setName(name);
    parent.addChild(std::move(object), depth + kScriptDepthBase);
    return made;
}

MovieClip *add(MovieClip &parent, std::shared_ptr<DisplayObject> object, const QString &name, int depth)
{
    return add<MovieClip, DisplayObject::Kind::MovieClip>(parent, std::move(object), name, depth);
}

}

MovieClip *duplicateClip(MovieClip &clip, const QString &name, int depth)
{
    MovieClip *parent = clip.parentClip();
    if (!parent || !validDepth(depth))
        return nullptr;
    std::shared_ptr<DisplayObject> copy;
    if (clip.character())
        copy = clip.stage().instantiate(clip.movieShared(), clip.characterId(), parent);
    else if (clip.stage().liveClips() < kMaxClips)
        copy = std::make_shared<MovieClip>(clip.stage(), clip.movieShared(), 0, nullptr, clip.timeline());
    if (!copy)
        return nullptr;
    copy->setMatrix(clip.matrix());
    copy->setColorTransform(clip.colorTransform());
    copy->setTransformedByScript(true);
    copy->setClipActions(clip.clipActions());
    static_cast<MovieClip &>(*copy).copyDrawing(clip);
    return add(*parent, std::move(copy), name, depth);
}

EditTextObject *duplicateTextField(EditTextObject &field, const QString &name, int depth)
{
    MovieClip *parent = field.parentClip();
    if (!parent || !validDepth(depth))
        return nullptr;
    // A copy starts as its record placed it, or empty over the field's box
    // when a script made it; only its place and colours are the field's.
    std::shared_ptr<DisplayObject> copy;
    if (field.character())
        copy = field.stage().instantiate(field.movieShared(), field.characterId(), parent);
    else
        copy = std::make_shared<EditTextObject>(field.stage(), field.movieShared(), field.textField().bounds());
    if (!copy)
        return nullptr;
    copy->setMatrix(field.matrix());
    copy->setColorTransform(field.colorTransform());
    copy->setTransformedByScript(true);
    return add<EditTextObject, DisplayObject::Kind::EditText>(*parent, std::move(copy), name, depth);
}

MovieClip *attachClip(MovieClip &parent, const QString &exportName, const QString &name, int depth)
{
    if (!validDepth(depth))
        return nullptr;
    const QHash<QString, uint16_t> &exports = parent.movie().info().exports;
    for (auto it = exports.constBegin(); it != exports.constEnd(); ++it) {
        if (it.key().compare(exportName, Qt::CaseInsensitive) == 0)
            return add(parent, parent.stage().instantiate(parent.movieShared(), it.value(), &parent), name, depth);
    }
    return nullptr;
}

MovieClip *createEmptyClip(MovieClip &parent, const QString &name, int depth)
{
    static const Timeline noFrames;
    if (!validDepth(depth) || parent.stage().liveClips() >= kMaxClips)
        return nullptr;
    return add(parent, std::make_shared<MovieClip>(parent.stage(), parent.movieShared(), 0, nullptr, noFrames), name,
               depth);
}

EditTextObject *createTextField(MovieClip &parent, const QString &name, int depth, const QRectF &pixels)
{
    if (!validDepth(depth))
        return nullptr;
    auto field = std::make_shared<EditTextObject>(parent.stage(), parent.movieShared(), pixels);
    return add<EditTextObject, DisplayObject::Kind::EditText>(parent, std::move(field), name, depth);
}

MovieClip *replaceContent(MovieClip &clip, std::shared_ptr<const Movie> movie)
{
    static const Timeline noFrames;
    MovieClip *parent = clip.parentClip();
    if (!parent || clip.stage().liveClips() >= kMaxClips)
        return nullptr;
    const Timeline &frames = movie ? movie->timeline() : noFrames;
    auto loaded = std::make_shared<MovieClip>(clip.stage(), movie ? std::move(movie) : clip.movieShared(), 0, nullptr,
                                              frames);
    loaded->setName(clip.name());
    loaded->setMatrix(clip.matrix());
    loaded->setColorTransform(clip.colorTransform());
    loaded->setVisible(clip.visible());
    loaded->setTransformedByScript(clip.transformedByScript());
    loaded->setPlaceFrame(clip.placeFrame());
    loaded->setClipActions(clip.clipActions());
    MovieClip *made = loaded.get();
    parent->addChild(std::move(loaded), clip.depth());
    return made;
}

bool removeClip(DisplayObject &object)
{
    DisplayObject *parent = object.parent();
    if (!parent || parent->kind() != DisplayObject::Kind::MovieClip || object.depth() < kScriptDepthBase)
        return false;
    static_cast<MovieClip *>(parent)->takeAway(object.depth());
    return true;
}

int scriptDepth(const DisplayObject &object)
{
    return object.depth() - kScriptDepthBase;
}

}
