#pragma once
// The objects a clip (or a button state) shows, ordered by depth: lower
// depths are drawn first. The list owns its objects.
#include <QPointF>
#include <QRectF>
#include <map>
#include <memory>

namespace swf {

class DisplayObject;

class DisplayList {
public:
    using Map = std::map<int, std::shared_ptr<DisplayObject>>;

    // `owner` is the clip or button the objects belong to.
    explicit DisplayList(DisplayObject *owner) : owner(owner) {}
    ~DisplayList();
    DisplayList(const DisplayList &) = delete;
    DisplayList &operator=(const DisplayList &) = delete;

    DisplayObject *at(int depth) const;
    // Puts `object` at `depth`; an object already there is removed.
    void place(int depth, std::shared_ptr<DisplayObject> object);
    // Removes the object at `depth`; returns it (null when there was none).
    std::shared_ptr<DisplayObject> remove(int depth);
    // Exchanges the objects (or the object and the empty place) at two depths.
    void swap(int a, int b);
    // Removes every object.
    void clear();
    // The objects and what they hold leave the stage; the list keeps them.
    void markRemoved();

    // The union of the objects' bounds in the owner's space; null when none.
    QRectF bounds() const;
    // Whether `point` (owner's space) falls on a visible object that is not a
    // mask (exactly on what it draws, or within its bounds).
    bool hitTest(const QPointF &point, bool exact) const;

    bool empty() const { return objects.empty(); }
    size_t size() const { return objects.size(); }
    // The highest depth in use, or `none` when the list is empty.
    int highestDepth(int none) const { return objects.empty() ? none : objects.rbegin()->first; }
    Map::const_iterator begin() const { return objects.begin(); }
    Map::const_iterator end() const { return objects.end(); }
    const Map &map() const { return objects; }

private:
    DisplayObject *owner;
    Map objects;
};

}
