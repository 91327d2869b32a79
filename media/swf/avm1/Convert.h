#pragma once
// Conversions between value types as scripts see them, which depend on the
// SWF version of the code converting: undefined is "" as a string before
// SWF 7 and "undefined" from 7, undefined and null are 0 as numbers before
// SWF 7 and NaN from 7, a string is true as a boolean when it is a non-zero
// number before SWF 7 and when it is non-empty from 7. Objects convert
// through their valueOf and toString methods.
#include "Value.h"

#include <QString>
#include <cstdint>

namespace swf::avm1 {

class Context;

enum class Hint { None, Number, String };

// valueOf (or toString for Hint::String and for dates) until a primitive.
// A clip gives what its valueOf gives when a primitive, else its target
// path (NaN for Hint::Number); an object without either method undefined.
Value toPrimitive(Context &cx, const Value &v, Hint hint = Hint::None);
// The same for an object: false when it has neither method to call.
bool primitiveOf(Context &cx, Object *o, Hint hint, Value &out);
double toNumber(Context &cx, const Value &v);
bool toBoolean(Context &cx, const Value &v);
String *toString(Context &cx, const Value &v);
QString toQString(Context &cx, const Value &v);
// What trace() writes for a value: its text, with each lone surrogate (which
// has no UTF-8 form) as U+FFFD and each carriage return as a line end.
QString traceText(Context &cx, const Value &v);
// ToInteger of the bit operations: the number wrapped to 32 bits.
int32_t toInt32(Context &cx, const Value &v);
int32_t toInt32(double d);
uint32_t toUint32(double d);
// An integer argument: NaN is 0, fractions are truncated, the rest clamped.
int toInt(Context &cx, const Value &v);
// An object for GetMember/CallMethod on a primitive (a String, Number or
// Boolean wrapper), or null for undefined and null.
Object *toObject(Context &cx, const Value &v);

// A number as the player writes it: 15 significant digits, plain notation
// for exponents -5 to 14, otherwise "1.5e+21" style.
QString numberToString(double d);
// In another radix (2 to 36), of the integer part (NaN and numbers out of
// the 32-bit range as -2^31, in the player's digits).
QString numberToString(double d, int radix);
// A string read as a number: decimal, "0x" hexadecimal and leading-zero
// octal as the player accepts them; anything else is NaN.
double stringToNumber(const QString &s, int version);

}
