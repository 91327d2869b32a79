#include "SwfButton.h"

#include "SwfBitReader.h"
#include "SwfDisplayList.h"
#include "SwfError.h"
#include "SwfMovie.h"
#include "SwfText.h"

#include <algorithm>

namespace swf {

namespace {

bool readRecord(BitReader &in, bool second, ButtonCharacter::Record &record)
{
    int flags = in.u8();
    if (flags == 0)
        return false;
    if (flags & 0x30)
        throw SwfError("button records with filters or blend modes are not read");
    record.states = flags & 0x0F;
    record.characterId = in.u16();
    record.depth = in.u16();
    record.matrix = readMatrix(in);
    if (second)
        record.colorTransform = readColorTransform(in, true);
    return true;
}

// The area of a character that takes the mouse, in device pixels.
QPainterPath hitArea(const Character *character, const QTransform &world)
{
    QPainterPath area;
    if (auto *shape = dynamic_cast<const ShapeCharacter *>(character))
        area = shape->shape.outline();
    else if (auto *morph = dynamic_cast<const MorphShapeCharacter *>(character))
        area = morph->morph.at(0)->outline();
    else if (auto *text = dynamic_cast<const TextCharacter *>(character))
        area.addRect(text->matrix.mapRect(text->bounds));
    else if (auto *field = dynamic_cast<const EditTextCharacter *>(character))
        area.addRect(field->bounds);
    return world.map(area);
}

std::optional<ButtonHit> search(TimelineInstance &timeline, const QTransform &world, const QPointF &point,
                                const Movie &movie)
{
    auto &list = timeline.displayList();
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        DisplayObject &object = it->second;
        QTransform objectWorld = object.matrix * world;
        if (object.sprite) {
            if (auto hit = search(*object.sprite, objectWorld, point, movie))
                return hit;
            continue;
        }
        auto *button = dynamic_cast<const ButtonCharacter *>(object.character);
        if (!button)
            continue;
        for (const ButtonCharacter::Record &r : button->records)
            if ((r.states & ButtonCharacter::HitTest)
                && hitArea(movie.character(r.characterId), r.matrix * objectWorld).contains(point))
                return ButtonHit{&timeline, &object, button};
    }
    return std::nullopt;
}

}

std::shared_ptr<ButtonCharacter> ButtonCharacter::read(BitReader &in, int version, bool second)
{
    auto button = std::make_shared<ButtonCharacter>();
    size_t actionOffset = 0;
    size_t start = in.position();
    if (second) {
        in.u8(); // track as menu
        actionOffset = in.u16();
        if (actionOffset)
            actionOffset += in.position() - 2 - start;
    }
    Record record;
    while (readRecord(in, second, record))
        button->records.push_back(record);
    std::stable_sort(button->records.begin(), button->records.end(),
                     [](const Record &a, const Record &b) { return a.depth < b.depth; });
    if (!second) {
        button->releaseActions = readActions(in, version);
        return button;
    }
    if (!actionOffset)
        return button;
    in.skip(start + actionOffset - in.position());
    for (;;) {
        size_t size = in.u16();
        int conditions = in.u8();
        in.u8();
        size_t body = size ? size - 4 : in.remaining();
        if (body > in.remaining())
            throw SwfError("button action runs past its tag");
        BitReader actions(in.current(), body);
        std::vector<Action> list = readActions(actions, version);
        if (conditions & 0x04)
            button->pressActions = list;
        if (conditions & 0x08)
            button->releaseActions = list;
        in.skip(body);
        if (size == 0)
            break;
    }
    return button;
}

std::optional<ButtonHit> buttonAt(TimelineInstance &root, const QTransform &stageToDevice, const QPointF &point)
{
    return search(root, stageToDevice, point, root.movieOf());
}

}
