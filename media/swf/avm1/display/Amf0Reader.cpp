#include "Amf0Reader.h"
#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/DateClass.h"

#include <cstring>

namespace swf::avm1 {

std::optional<Value> Amf0Reader::fail()
{
    broken = true;
    return std::nullopt;
}

std::optional<uint8_t> Amf0Reader::u8()
{
    if (broken || pos >= in.size()) {
        broken = true;
        return std::nullopt;
    }
    return uint8_t(in[pos++]);
}

std::optional<uint16_t> Amf0Reader::u16()
{
    auto hi = u8();
    auto lo = u8();
    if (!hi || !lo)
        return std::nullopt;
    return uint16_t(*hi << 8 | *lo);
}

std::optional<uint32_t> Amf0Reader::u32()
{
    auto hi = u16();
    auto lo = u16();
    if (!hi || !lo)
        return std::nullopt;
    return uint32_t(*hi) << 16 | *lo;
}

std::optional<double> Amf0Reader::number()
{
    auto hi = u32();
    auto lo = u32();
    if (!hi || !lo)
        return std::nullopt;
    const uint64_t bits = uint64_t(*hi) << 32 | *lo;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

std::optional<QString> Amf0Reader::utf8(uint32_t size)
{
    if (broken || size > uint64_t(in.size() - pos)) {
        broken = true;
        return std::nullopt;
    }
    QString text = QString::fromUtf8(in.constData() + pos, qsizetype(size));
    pos += qsizetype(size);
    return text;
}

std::optional<QString> Amf0Reader::name()
{
    auto size = u16();
    return size ? utf8(*size) : std::nullopt;
}

std::optional<Value> Amf0Reader::value()
{
    auto marker = u8();
    if (!marker)
        return std::nullopt;
    Vm &vm = cx.vm;
    switch (*marker) {
    case 0x00:
        if (auto d = number())
            return Value(*d);
        return std::nullopt;
    case 0x01:
        if (auto b = u8())
            return Value(*b != 0);
        return std::nullopt;
    case 0x02:
        if (auto text = name())
            return Value(vm.string(*text));
        return std::nullopt;
    case 0x0C:
        if (auto size = u32())
            if (auto text = utf8(*size))
                return Value(vm.string(*text));
        return std::nullopt;
    case 0x03:
        return object(vm.newObject());
    case 0x05:
        return Value::null();
    case 0x06:
        return Value();
    case 0x07:
        if (auto index = u16(); index && *index < objects.size())
            return Value(objects[*index]);
        return fail();
    case 0x08: {
        auto count = u32();
        if (!count)
            return std::nullopt;
        Object *array = vm.newArray();
        auto read = object(array);
        if (read && *count <= uint32_t(INT32_MAX) && arrayLength(cx, array) < *count)
            setArrayLength(cx, array, *count);
        return read;
    }
    case 0x0A: {
        auto count = u32();
        // Each element takes at least a byte.
        if (!count || *count > uint64_t(in.size() - pos) || depth >= kMaxDepth)
            return fail();
        Object *array = vm.newArray();
        objects.push_back(array);
        ++depth;
        for (uint32_t i = 0; i < *count; ++i) {
            auto element = value();
            if (!element)
                return std::nullopt;
            arraySet(cx, array, i, *element);
        }
        --depth;
        return Value(array);
    }
    case 0x0B: {
        auto time = number();
        if (!time || !u16())
            return std::nullopt;
        Object *date = vm.newObject();
        date->setProto(Value(vm.protos.date));
        date->setNative(std::make_unique<DateData>(*time));
        return Value(date);
    }
    case 0x10: {
        auto symbol = name();
        if (!symbol)
            return std::nullopt;
        Object *o = vm.newObject();
        if (Object *cls = vm.registeredClass(*symbol)) {
            Property *prototype = cls->findOwn(vm.names.prototype, true);
            if (prototype && !prototype->isVirtual && prototype->value.asObject())
                o->setProto(prototype->value);
        }
        return object(o);
    }
    default:
        return fail();
    }
}

std::optional<Value> Amf0Reader::object(Object *o)
{
    if (depth >= kMaxDepth)
        return fail();
    objects.push_back(o);
    ++depth;
    const bool whole = properties(o);
    --depth;
    return whole ? std::optional(Value(o)) : std::nullopt;
}

bool Amf0Reader::properties(Object *o)
{
    const bool array = o->nativeAs<ArrayData>() != nullptr;
    for (;;) {
        auto key = name();
        if (!key)
            return false;
        if (key->isEmpty()) {
            auto end = u8();
            if (end && *end != 0x09)
                fail();
            return !broken;
        }
        auto v = value();
        if (!v)
            return false;
        String *n = cx.vm.name(*key);
        if (array && n->index() >= 0)
            arraySet(cx, o, uint32_t(n->index()), *v);
        else
            o->put(n, *v);
    }
}

}
