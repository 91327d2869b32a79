#include "SwfDisplayList.h"

#include "SwfDisplayObject.h"

namespace swf {

DisplayList::~DisplayList()
{
    clear();
}

DisplayObject *DisplayList::at(int depth) const
{
    auto it = objects.find(depth);
    return it == objects.end() ? nullptr : it->second.get();
}

void DisplayList::place(int depth, std::shared_ptr<DisplayObject> object)
{
    remove(depth);
    object->attach(owner, depth);
    objects.emplace(depth, std::move(object));
}

std::shared_ptr<DisplayObject> DisplayList::remove(int depth)
{
    auto it = objects.find(depth);
    if (it == objects.end())
        return nullptr;
    std::shared_ptr<DisplayObject> object = std::move(it->second);
    objects.erase(it);
    object->takeOut();
    return object;
}

void DisplayList::swap(int a, int b)
{
    if (a == b)
        return;
    auto first = objects.extract(a);
    auto second = objects.extract(b);
    if (first) {
        first.key() = b;
        first.mapped()->attach(owner, b);
        objects.insert(std::move(first));
    }
    if (second) {
        second.key() = a;
        second.mapped()->attach(owner, a);
        objects.insert(std::move(second));
    }
}

void DisplayList::clear()
{
    Map gone = std::move(objects);
    objects.clear();
    for (auto &[depth, object] : gone)
        object->takeOut();
}

void DisplayList::markRemoved()
{
    for (auto &[depth, object] : objects)
        object->markRemoved();
}

QRectF DisplayList::bounds() const
{
    QRectF all;
    for (const auto &[depth, object] : objects) {
        QRectF part = object->matrix().mapRect(object->localBounds());
        if (!part.isNull())
            all = all.isNull() ? part : all.united(part);
    }
    return all;
}

bool DisplayList::hitTest(const QPointF &point, bool exact) const
{
    for (const auto &[depth, object] : objects) {
        if (!object->visible() || object->clipDepth() > 0)
            continue;
        bool invertible = false;
        QTransform inverse = object->matrix().inverted(&invertible);
        if (invertible && object->hitTestLocal(inverse.map(point), exact))
            return true;
    }
    return false;
}

}
