#pragma once
// Reads script values written in AMF0 (see Amf0Writer), making the objects,
// arrays and dates they stand for. A typed object gets the prototype of the
// class registered under its name, when there is one. Malformed input
// (a value cut short, an unknown marker, a reference to no object, nesting
// deeper than kMaxDepth) makes the reader fail: it reads nothing more.
#include "swf/avm1/Value.h"

#include <QByteArray>
#include <optional>
#include <vector>

namespace swf::avm1 {

class Context;
class Object;

class Amf0Reader {
public:
    static constexpr int kMaxDepth = 64;

    Amf0Reader(Context &cx, const QByteArray &bytes) : cx(cx), in(bytes) {}

    bool atEnd() const { return pos >= in.size(); }
    bool failed() const { return broken; }
    // Each returns nothing once the reader failed.
    std::optional<Value> value();
    std::optional<QString> name();
    std::optional<uint8_t> u8();

private:
    std::optional<uint16_t> u16();
    std::optional<uint32_t> u32();
    std::optional<double> number();
    std::optional<QString> utf8(uint32_t size);
    // Reads name-value pairs into `o` up to the end marker.
    bool properties(Object *o);
    std::optional<Value> object(Object *o);
    std::optional<Value> fail();

    Context &cx;
    QByteArray in;
    qsizetype pos = 0;
    bool broken = false;
    int depth = 0;
    std::vector<Object *> objects; // by reference number
};

}
