#pragma once
// Writes script values in AMF0, the binary form shared objects are stored
// in. Objects are written with their own enumerable properties as stored
// (no getter runs: a getter-made property is written as undefined), arrays
// as ECMA arrays with their length, instances of a class registered with
// Object.registerClass as typed objects named by the class's symbol, dates
// as dates. An object met again is written as a reference to the first
// time, so cycles end; functions and clips are written as undefined, and so
// is whatever lies deeper than kMaxDepth.
#include "swf/avm1/Value.h"

#include <QByteArray>
#include <QHash>

namespace swf::avm1 {

class Context;
class Object;

class Amf0Writer {
public:
    static constexpr int kMaxDepth = 64;

    explicit Amf0Writer(Context &cx) : cx(cx) {}

    void value(const Value &v);
    // A property name: its UTF-8 length in two bytes, then the bytes.
    // False (and nothing written) when it is longer than 65535 bytes.
    bool name(const QString &text);
    void u8(uint8_t b) { out.append(char(b)); }
    const QByteArray &bytes() const { return out; }

private:
    void u16(uint16_t v);
    void u32(uint32_t v);
    void number(double d);
    void string(const QString &text);
    void object(Object *o);
    // The enumerable properties of `o`, then the end marker.
    void properties(Object *o);
    // The symbol `o`'s class is registered under, or empty.
    QString classSymbol(Object *o);

    Context &cx;
    QByteArray out;
    QHash<const Object *, int> seen; // objects written, by their reference number
    int written = 0;                 // objects numbered so far
    int depth = 0;
};

}
