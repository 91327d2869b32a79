#include "Amf0Writer.h"
#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/DateClass.h"

#include <cstring>

namespace swf::avm1 {

namespace Marker {
enum : uint8_t {
    Number = 0x00, Boolean = 0x01, String = 0x02, Object = 0x03, Null = 0x05, Undefined = 0x06,
    Reference = 0x07, EcmaArray = 0x08, ObjectEnd = 0x09, Date = 0x0B, LongString = 0x0C, Typed = 0x10
};
}

void Amf0Writer::u16(uint16_t v)
{
    u8(uint8_t(v >> 8));
    u8(uint8_t(v));
}

void Amf0Writer::u32(uint32_t v)
{
    u16(uint16_t(v >> 16));
    u16(uint16_t(v));
}

void Amf0Writer::number(double d)
{
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    u32(uint32_t(bits >> 32));
    u32(uint32_t(bits));
}

bool Amf0Writer::name(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (utf8.size() > 0xFFFF)
        return false;
    u16(uint16_t(utf8.size()));
    out.append(utf8);
    return true;
}

void Amf0Writer::string(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (utf8.size() > 0xFFFF) {
        u8(Marker::LongString);
        u32(uint32_t(utf8.size()));
    } else {
        u8(Marker::String);
        u16(uint16_t(utf8.size()));
    }
    out.append(utf8);
}

void Amf0Writer::value(const Value &v)
{
    switch (v.type()) {
    case Type::Undefined:
        u8(Marker::Undefined);
        break;
    case Type::Null:
        u8(Marker::Null);
        break;
    case Type::Boolean:
        u8(Marker::Boolean);
        u8(v.boolean() ? 1 : 0);
        break;
    case Type::Number:
        u8(Marker::Number);
        number(v.number());
        break;
    case Type::String:
        string(v.string()->text());
        break;
    case Type::Object:
        object(v.asObject());
        break;
    }
}

void Amf0Writer::object(Object *o)
{
    if (o->asFunction() || cx.vm.host.isClip(o) || depth >= kMaxDepth) {
        u8(Marker::Undefined);
        return;
    }
    if (auto *date = o->nativeAs<DateData>()) {
        u8(Marker::Date);
        number(date->time);
        u16(0); // the time zone, which readers ignore
        return;
    }
    if (auto found = seen.constFind(o); found != seen.constEnd() && *found <= 0xFFFF) {
        u8(Marker::Reference);
        u16(uint16_t(*found));
        return;
    }
    seen.insert(o, written++);
    ++depth;
    if (auto *array = o->nativeAs<ArrayData>()) {
        u8(Marker::EcmaArray);
        u32(uint32_t(std::max(array->length, 0)));
    } else if (QString symbol = classSymbol(o); !symbol.isEmpty() && symbol.toUtf8().size() <= 0xFFFF) {
        u8(Marker::Typed);
        name(symbol);
    } else {
        u8(Marker::Object);
    }
    properties(o);
    --depth;
}

void Amf0Writer::properties(Object *o)
{
    for (const Property &p : o->ownProperties().all()) {
        if ((p.flags & PropertyFlag::DontEnum) || !PropertyFlag::visibleIn(p.flags, cx.version) || p.name->length() == 0)
            continue;
        if (!name(p.name->text()))
            continue;
        value(p.isVirtual ? Value() : p.value);
    }
    u16(0);
    u8(Marker::ObjectEnd);
}

QString Amf0Writer::classSymbol(Object *o)
{
    Object *proto = o->proto();
    Property *constructor = proto ? proto->findOwn(cx.vm.names.constructor, true) : nullptr;
    if (!constructor || constructor->isVirtual || !constructor->value.asObject())
        return QString();
    Object *cls = constructor->value.asObject();
    const QString symbol = cx.vm.symbolOf(cls);
    // The class's instances are the objects made from its prototype.
    Property *prototype = symbol.isEmpty() ? nullptr : cls->findOwn(cx.vm.names.prototype, true);
    return prototype && !prototype->isVirtual && prototype->value.asObject() == proto ? symbol : QString();
}

}
