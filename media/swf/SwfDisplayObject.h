#pragma once
// An object on the stage: a shape, text, bitmap, button or movie clip shown
// at a depth of its parent clip, with its matrix, colour transform and the
// other placement properties. Objects are owned by their parent's display
// list through shared pointers; everything else (scripts, input state) holds
// weak ones, so an object that has been removed is detected, never dangling.
#include "SwfBlend.h"
#include "SwfFilters.h"
#include "SwfScriptHost.h"
#include "SwfTimeline.h"
#include "SwfTypes.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace swf {

class Movie;
class MovieClip;
class Stage;
struct Character;

// Timeline objects live at depths below this one, objects made by scripts
// at and above it (scripts count depths from here: their depth 0).
constexpr int kScriptDepthBase = 16384;

class DisplayObject : public std::enable_shared_from_this<DisplayObject> {
public:
    enum class Kind { MovieClip, Shape, MorphShape, Bitmap, Video, StaticText, EditText, Button };

    DisplayObject(Kind kind, Stage &stage, std::shared_ptr<const Movie> movie, uint16_t characterId,
                  const Character *character);
    virtual ~DisplayObject();
    DisplayObject(const DisplayObject &) = delete;
    DisplayObject &operator=(const DisplayObject &) = delete;

    Kind kind() const { return objectKind; }
    Stage &stage() const { return owner; }
    // The movie the object's character comes from.
    const Movie &movie() const { return *sourceMovie; }
    const std::shared_ptr<const Movie> &movieShared() const { return sourceMovie; }
    uint16_t characterId() const { return id; }
    const Character *character() const { return definition; }

    // The clip (or button) whose display list holds the object; null for the
    // root of a level and for an object that has been removed.
    DisplayObject *parent() const { return parentObject; }
    // The parent when it is a clip.
    MovieClip *parentClip() const;
    bool removed() const { return isRemoved; }
    // Whether it was itself taken out of its parent's list, rather than
    // removed with an ancestor.
    bool takenOut() const { return wasTakenOut; }
    // The timeline took the object away while it had unload handlers: it
    // waits beneath the other objects until they have run, then goes.
    bool unloading() const { return isUnloading; }
    void setUnloading() { isUnloading = true; }
    int depth() const { return objectDepth; }
    const QString &name() const { return instanceName; }
    void setName(const QString &name) { instanceName = name; }

    const QTransform &matrix() const { return transform; }
    void setMatrix(const QTransform &matrix) { transform = matrix; }
    const ColorTransform &colorTransform() const { return colors; }
    void setColorTransform(const ColorTransform &cx) { colors = cx; }
    int ratio() const { return morphRatio; }
    void setRatio(int ratio) { morphRatio = ratio; }
    // > 0: the object is a mask for the depths above it up to clipDepth.
    int clipDepth() const { return maskDepth; }
    void setClipDepth(int depth) { maskDepth = depth; }
    bool visible() const { return isVisible; }
    void setVisible(bool visible) { isVisible = visible; }
    // The object a script made this one's mask (setMask), while it lives;
    // null for none. A mask masks one object at a time and is not drawn
    // itself while it does.
    DisplayObject *scriptMask() const { return maskedBy.lock().get(); }
    void setScriptMask(DisplayObject *mask);
    bool masksAnother() const { return !masking.expired(); }
    // Where the object was last dropped after a drag (_droptarget): the
    // slash path of the object under the pointer, or empty.
    const QString &droppedOn() const { return dropPath; }
    void setDroppedOn(const QString &path) { dropPath = path; }
    // How the object's picture is laid on what is under it, the filters
    // applied to it, and whether it is drawn through a cached bitmap.
    BlendMode blendMode() const { return blend; }
    void setBlendMode(BlendMode mode) { blend = mode; }
    const std::vector<Filter> &filters() const { return filterList; }
    void setFilters(std::vector<Filter> filters) { filterList = std::move(filters); }
    bool cacheAsBitmap() const { return cached; }
    void setCacheAsBitmap(bool on) { cached = on; }
    // Whether the object shows the focus rectangle (_focusrect); unset, the
    // movie's choice applies.
    std::optional<bool> focusRect() const { return ownFocusRect; }
    void setFocusRect(std::optional<bool> on) { ownFocusRect = on; }

    // Once a script has moved, scaled, turned or tinted the object, the
    // timeline's later changes to the same properties no longer apply.
    bool transformedByScript() const { return scriptTransformed; }
    void setTransformedByScript(bool on) { scriptTransformed = on; }
    // The frame whose placement made the object; -1 for objects that
    // scripts made, which going back in the timeline keeps.
    int placeFrame() const { return placedAt; }
    void setPlaceFrame(int frame) { placedAt = frame; }
    // The onClipEvent handlers of the placement.
    const std::vector<ClipAction> &clipActions() const { return handlers; }
    void setClipActions(std::vector<ClipAction> actions) { handlers = std::move(actions); }

    // The engine's data for the object, dropped with it.
    ScriptData *scriptData() const { return script.get(); }
    void setScriptData(std::unique_ptr<ScriptData> data) { script = std::move(data); }

    // The path scripts use for the object: "_level0.clip.child"; "/clip/child"
    // in slash form. A removed object keeps the paths it had on the stage.
    QString targetPath() const;
    QString slashPath() const;
    // The matrix from the object's own space to the stage (twips).
    QTransform stageMatrix() const;
    // The level root above the object (itself for a level root); null when
    // the object is not on the stage.
    const MovieClip *levelRoot() const;

    // The area the object draws in its own space (twips); empty when none.
    virtual QRectF localBounds() const = 0;
    // Whether `point` (own space) falls on what the object draws: inside a
    // filled area or on a line, or within its bounds when `exact` is false.
    virtual bool hitTestLocal(const QPointF &point, bool exact) const = 0;

    // The object joins `parent`'s list at `depth` (called by DisplayList).
    void attach(DisplayObject *parent, int depth);
    // The object leaves its parent's list or its level (called by DisplayList
    // and Stage).
    void takeOut()
    {
        wasTakenOut = true;
        markRemoved();
    }
    // The object is removed with everything it holds.
    virtual void markRemoved();

private:
    Kind objectKind;
    Stage &owner;
    std::shared_ptr<const Movie> sourceMovie;
    uint16_t id;
    const Character *definition;
    DisplayObject *parentObject = nullptr;
    bool isRemoved = false;
    bool wasTakenOut = false;
    bool isUnloading = false;
    int objectDepth = 0;
    QString instanceName;
    QTransform transform;
    ColorTransform colors;
    int morphRatio = 0;
    int maskDepth = 0;
    std::weak_ptr<DisplayObject> maskedBy, masking;
    bool isVisible = true;
    QString dropPath;
    BlendMode blend = BlendMode::Normal;
    std::vector<Filter> filterList;
    bool cached = false;
    std::optional<bool> ownFocusRect;
    bool scriptTransformed = false;
    int placedAt = -1;
    std::vector<ClipAction> handlers;
    std::pair<QString, QString> pathsAtRemoval;
    std::unique_ptr<ScriptData> script;
};

}
