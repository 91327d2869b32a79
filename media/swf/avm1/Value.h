#pragma once
// A script value: undefined, null, a boolean, a number, a string or an
// object (functions and movie clips are objects). Sixteen bytes, trivially
// copyable; strings and objects are cells of the movie's heap, kept alive by
// the collector as long as something it can reach holds them.
#include <cstdint>
#include <span>

namespace swf::avm1 {

class Object;
class String;

enum class Type : uint8_t { Undefined, Null, Boolean, Number, String, Object };

class Value {
public:
    Value() : kind(Type::Undefined), num(0) {}
    Value(bool b) : kind(Type::Boolean), flag(b) {}
    Value(double d) : kind(Type::Number), num(d) {}
    Value(int i) : kind(Type::Number), num(i) {}
    Value(unsigned i) : kind(Type::Number), num(i) {}
    // A null pointer makes undefined.
    Value(String *s) : kind(s ? Type::String : Type::Undefined), str(s) {}
    Value(Object *o) : kind(o ? Type::Object : Type::Undefined), obj(o) {}
    Value(const char *) = delete; // strings are made by the heap
    static Value null()
    {
        Value v;
        v.kind = Type::Null;
        return v;
    }

    Type type() const { return kind; }
    bool isUndefined() const { return kind == Type::Undefined; }
    bool isNull() const { return kind == Type::Null; }
    bool isNullish() const { return kind <= Type::Null; }
    bool isBoolean() const { return kind == Type::Boolean; }
    bool isNumber() const { return kind == Type::Number; }
    bool isString() const { return kind == Type::String; }
    bool isObject() const { return kind == Type::Object; }

    // The payload; only valid for the matching type.
    bool boolean() const { return flag; }
    double number() const { return num; }
    String *string() const { return str; }
    Object *object() const { return obj; }
    // The object, or null for any other type.
    Object *asObject() const { return kind == Type::Object ? obj : nullptr; }

private:
    Type kind;
    union {
        bool flag;
        double num;
        String *str;
        Object *obj;
    };
};

// The arguments of a call, in order.
using Args = std::span<const Value>;

}
