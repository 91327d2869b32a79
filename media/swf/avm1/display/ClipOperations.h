#pragma once
// What scripts do to the display tree beyond properties: making clips
// (duplicating one, attaching a library symbol, an empty clip) and text
// fields, and removing them. Script depths count from kScriptDepthBase: a
// script's depth 0 is the tree's depth kScriptDepthBase.
#include <QRectF>
#include <QString>
#include <memory>

namespace swf {
class DisplayObject;
class EditTextObject;
class Movie;
class MovieClip;
}

namespace swf::avm1 {

// The deepest depth scripts may put an object at (their count).
constexpr int kMaxScriptDepth = 2130690044;
// The shallowest depth scripts may name (timeline objects sit at -16383 on).
constexpr int kMinScriptDepth = -16384;

// A copy of `clip` in its parent at script depth `depth`, named `name`, with
// its matrix, colours and clip event handlers; null when it cannot be made.
MovieClip *duplicateClip(MovieClip &clip, const QString &name, int depth);
// A copy of `field` in its parent at script depth `depth`: the field its
// record places (or an empty one of its size) with its matrix and colours.
EditTextObject *duplicateTextField(EditTextObject &field, const QString &name, int depth);
// A new instance of the symbol `exportName` exports from `parent`'s movie, in
// `parent` at script depth `depth`; null when there is no such symbol.
MovieClip *attachClip(MovieClip &parent, const QString &exportName, const QString &name, int depth);
// A new clip with no frames in `parent`.
MovieClip *createEmptyClip(MovieClip &parent, const QString &name, int depth);
// A new empty text field in `parent` over `pixels` of its space.
EditTextObject *createTextField(MovieClip &parent, const QString &name, int depth, const QRectF &pixels);
// A clip showing `movie`'s root timeline (none: no frames) in place of
// `clip`: at its depth, with its name, matrix, colours, visibility and clip
// event handlers; null for a level root or past the clip limit.
MovieClip *replaceContent(MovieClip &clip, std::shared_ptr<const Movie> movie);
// Removes `object` when it sits at a script depth (0 up); false otherwise.
bool removeClip(DisplayObject &object);
// The depth scripts see for `object`.
int scriptDepth(const DisplayObject &object);

}
