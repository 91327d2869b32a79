#include "SwfDisplayObject.h"

#include "SwfMovie.h"
#include "SwfMovieClip.h"
#include "SwfStage.h"

#include <QStringList>

namespace swf {

DisplayObject::DisplayObject(Kind kind, Stage &stage, std::shared_ptr<const Movie> movie, uint16_t characterId,
                             const Character *character)
    : objectKind(kind), owner(stage), sourceMovie(std::move(movie)), id(characterId), definition(character)
{
}

DisplayObject::~DisplayObject() = default;

MovieClip *DisplayObject::parentClip() const
{
    return parentObject && parentObject->kind() == Kind::MovieClip ? static_cast<MovieClip *>(parentObject) : nullptr;
}

void DisplayObject::attach(DisplayObject *parent, int depth)
{
    parentObject = parent;
    objectDepth = depth;
}

void DisplayObject::markRemoved()
{
    if (isRemoved)
        return;
    pathsAtRemoval = {targetPath(), slashPath()};
    isRemoved = true;
    parentObject = nullptr;
    owner.removed(*this);
}

const MovieClip *DisplayObject::levelRoot() const
{
    const DisplayObject *top = this;
    while (top->parentObject)
        top = top->parentObject;
    if (top->kind() != Kind::MovieClip || static_cast<const MovieClip *>(top)->level() < 0)
        return nullptr;
    return static_cast<const MovieClip *>(top);
}

QString DisplayObject::targetPath() const
{
    if (isRemoved)
        return pathsAtRemoval.first;
    QStringList parts;
    const DisplayObject *at = this;
    for (; at->parentObject; at = at->parentObject) {
        parts.prepend(at->instanceName);
        // Objects leave the stage parent first: a removed parent knows its path.
        if (at->parentObject->isRemoved)
            return at->parentObject->pathsAtRemoval.first + QLatin1Char('.') + parts.join(QLatin1Char('.'));
    }
    int level = at->kind() == Kind::MovieClip ? static_cast<const MovieClip *>(at)->level() : -1;
    parts.prepend(level >= 0 ? QStringLiteral("_level%1").arg(level) : at->instanceName);
    return parts.join(QLatin1Char('.'));
}

QString DisplayObject::slashPath() const
{
    if (isRemoved)
        return pathsAtRemoval.second;
    QString path;
    const DisplayObject *at = this;
    for (; at->parentObject; at = at->parentObject) {
        path.prepend(QLatin1Char('/') + at->instanceName);
        if (at->parentObject->isRemoved) {
            const QString &above = at->parentObject->pathsAtRemoval.second;
            return (above == QLatin1String("/") ? QString() : above) + path;
        }
    }
    int level = at->kind() == Kind::MovieClip ? static_cast<const MovieClip *>(at)->level() : -1;
    if (level > 0)
        return QStringLiteral("_level%1").arg(level) + path;
    return path.isEmpty() ? QStringLiteral("/") : path;
}

QTransform DisplayObject::stageMatrix() const
{
    QTransform world = transform;
    for (const DisplayObject *at = parentObject; at; at = at->parentObject)
        world *= at->transform;
    return world;
}

void DisplayObject::setScriptMask(DisplayObject *mask)
{
    if (auto old = maskedBy.lock())
        old->masking.reset();
    maskedBy.reset();
    if (!mask || mask == this)
        return;
    if (auto other = mask->masking.lock())
        other->maskedBy.reset();
    mask->masking = weak_from_this();
    maskedBy = mask->weak_from_this();
}

}
