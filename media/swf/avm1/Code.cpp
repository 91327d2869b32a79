#include "Code.h"

#include "String.h"

#include <cstring>

namespace swf::avm1 {

void Pool::trace(Tracer &tracer)
{
    for (String *s : entries)
        tracer.mark(s);
}

namespace {

// Reads an action's payload; running out sets `bad` instead of reading on.
class Payload {
public:
    Payload(const uint8_t *data, uint32_t size) : data(data), size(size) {}

    uint8_t u8()
    {
        if (pos + 1 > size)
            return fail();
        return data[pos++];
    }
    uint16_t u16()
    {
        if (pos + 2 > size)
            return fail();
        uint16_t v = uint16_t(data[pos] | data[pos + 1] << 8);
        pos += 2;
        return v;
    }
    uint32_t u32()
    {
        if (pos + 4 > size)
            return fail();
        uint32_t v = uint32_t(data[pos]) | uint32_t(data[pos + 1]) << 8 | uint32_t(data[pos + 2]) << 16
            | uint32_t(data[pos + 3]) << 24;
        pos += 4;
        return v;
    }
    // A zero-terminated string: its bytes and length.
    std::pair<const char *, size_t> string()
    {
        const uint8_t *start = data + pos;
        const void *zero = std::memchr(start, 0, size - pos);
        if (!zero) {
            fail();
            return {"", 0};
        }
        size_t length = size_t(static_cast<const uint8_t *>(zero) - start);
        pos += uint32_t(length) + 1;
        return {reinterpret_cast<const char *>(start), length};
    }
    bool atEnd() const { return pos >= size; }
    bool bad = false;

private:
    uint8_t fail()
    {
        bad = true;
        pos = size;
        return 0;
    }
    const uint8_t *data;
    uint32_t size;
    uint32_t pos = 0;
};

}

Code::Code(QByteArray bytes, int version, Heap &heap, StringTable &strings)
    : data(std::move(bytes)), swfVersion(version), heap(heap), strings(strings)
{
    Instr end;
    end.offset = end.end = size();
    list.push_back(end);
}

String *Code::text(const char *bytes, size_t length)
{
    QString s = swfVersion >= 6 ? QString::fromUtf8(bytes, qsizetype(length))
                                : QString::fromLatin1(bytes, qsizetype(length));
    return strings.intern(s);
}

void Code::trace(Tracer &tracer) const
{
    for (const Value &v : constants)
        tracer.mark(v);
    for (const FunctionInfo &f : functions) {
        tracer.mark(f.name);
        for (const FunctionInfo::Param &p : f.params)
            tracer.mark(p.name);
    }
    for (Pool *p : pools)
        tracer.mark(p);
}

uint32_t Code::at(uint32_t offset)
{
    if (offset >= size())
        return kEnd;
    if (auto it = byOffset.constFind(offset); it != byOffset.constEnd())
        return *it;
    // Decode from `offset` until reaching decoded code or the end, linking
    // each action to the next.
    uint32_t first = uint32_t(list.size());
    uint32_t last = UINT32_MAX; // the previous action's final instruction
    std::optional<uint32_t> pos = offset;
    while (true) {
        uint32_t target = kEnd;
        if (pos && *pos < size()) {
            auto it = byOffset.constFind(*pos);
            if (it != byOffset.constEnd())
                target = *it;
        }
        if (!pos || *pos >= size() || target != kEnd) {
            if (last != UINT32_MAX)
                list[last].next = target;
            break;
        }
        uint32_t start = uint32_t(list.size());
        byOffset.insert(*pos, start);
        if (last != UINT32_MAX)
            list[last].next = start;
        pos = decode(*pos);
        last = uint32_t(list.size()) - 1;
    }
    return first;
}

std::optional<uint32_t> Code::decode(uint32_t offset)
{
    const auto *bytes = reinterpret_cast<const uint8_t *>(data.constData());
    Instr in;
    in.offset = offset;
    in.op = bytes[offset];
    uint32_t length = 0;
    uint32_t payloadAt = offset + 1;
    if (in.op >= 0x80) {
        if (offset + 3 > size()) {
            in.op = Op::End;
            in.end = size();
            append(in);
            return std::nullopt;
        }
        length = uint32_t(bytes[offset + 1] | bytes[offset + 2] << 8);
        payloadAt = offset + 3;
        if (payloadAt + length > size()) {
            in.op = Op::End;
            in.end = size();
            append(in);
            return std::nullopt;
        }
    }
    in.end = payloadAt + length;
    Payload p(bytes + payloadAt, length);
    auto constant = [this](Value v) {
        constants.push_back(v);
        return uint32_t(constants.size() - 1);
    };
    auto stringConstant = [&]() {
        auto [chars, n] = p.string();
        return constant(text(chars, n));
    };
    uint32_t next = in.end;

    switch (in.op) {
    case Op::End:
        append(in);
        return std::nullopt;
    case Op::Push:
        decodePush(bytes + payloadAt, length, in);
        return next;
    case Op::GotoFrame:
        in.a = p.u16();
        break;
    case Op::GetUrl:
        in.a = stringConstant();
        in.b = stringConstant();
        break;
    case Op::WaitForFrame:
        in.a = p.u16();
        in.skip = p.u8();
        break;
    case Op::SetTarget:
    case Op::GotoLabel:
        in.a = stringConstant();
        break;
    case Op::WaitForFrame2:
        in.skip = p.u8();
        break;
    case Op::StoreRegister:
    case Op::StrictMode:
        in.a = p.u8();
        break;
    case Op::GetUrl2:
        in.flags = p.u8();
        break;
    case Op::GotoFrame2:
        in.flags = p.u8();
        if (in.flags & 2)
            in.a = p.u16();
        break;
    case Op::Jump:
    case Op::If: {
        int64_t target = int64_t(in.end) + int16_t(p.u16());
        in.a = target < 0 ? UINT32_MAX : uint32_t(target);
        break;
    }
    case Op::ConstantPool: {
        auto *pool = heap.make<Pool>();
        int count = p.u16();
        for (int i = 0; i < count && !p.bad; ++i) {
            auto [chars, n] = p.string();
            if (!p.bad)
                pool->entries.push_back(text(chars, n));
        }
        pools.push_back(pool);
        in.a = uint32_t(pools.size() - 1);
        p.bad = false; // a short pool keeps the entries it has
        break;
    }
    case Op::DefineFunction:
    case Op::DefineFunction2: {
        FunctionInfo f;
        f.second = in.op == Op::DefineFunction2;
        auto [chars, n] = p.string();
        f.name = text(chars, n);
        int count = p.u16();
        if (f.second) {
            f.registers = p.u8();
            f.flags = p.u16();
        }
        for (int i = 0; i < count && !p.bad; ++i) {
            uint8_t reg = f.second ? p.u8() : 0;
            auto [pc, pn] = p.string();
            f.params.push_back({text(pc, pn), reg});
        }
        uint32_t bodySize = p.u16();
        f.bodyStart = in.end;
        f.bodyEnd = std::min(in.end + bodySize, size());
        functions.push_back(std::move(f));
        in.a = uint32_t(functions.size() - 1);
        next = functions.back().bodyEnd;
        break;
    }
    case Op::With:
        in.a = p.u16();
        break;
    case Op::Try: {
        in.flags = p.u8();
        in.a = p.u16();
        in.b = p.u16();
        in.skip = p.u16();
        if (in.flags & 4) {
            in.c = p.u8();
        } else {
            in.c = stringConstant();
        }
        break;
    }
    default:
        break;
    }
    if (p.bad) {
        in.op = Op::End;
        append(in);
        return std::nullopt;
    }
    append(in);
    return next;
}

void Code::decodePush(const uint8_t *payload, uint32_t length, const Instr &base)
{
    Payload p(payload, length);
    bool any = false;
    while (!p.atEnd()) {
        Instr in = base;
        uint8_t type = p.u8();
        switch (type) {
        case 0: {
            auto [chars, n] = p.string();
            in.op = Op::PushConstant;
            in.a = uint32_t(constants.size());
            constants.push_back(text(chars, n));
            break;
        }
        case 1: {
            uint32_t bits = p.u32();
            float f;
            std::memcpy(&f, &bits, 4);
            in.op = Op::PushConstant;
            in.a = uint32_t(constants.size());
            constants.push_back(double(f));
            break;
        }
        case 2:
        case 3:
            in.op = Op::PushConstant;
            in.a = uint32_t(constants.size());
            constants.push_back(type == 2 ? Value::null() : Value());
            break;
        case 4:
            in.op = Op::PushRegister;
            in.a = p.u8();
            break;
        case 5:
            in.op = Op::PushConstant;
            in.a = uint32_t(constants.size());
            constants.push_back(p.u8() != 0);
            break;
        case 6: {
            // Stored as two little-endian words, the high word first.
            uint64_t high = p.u32();
            uint64_t low = p.u32();
            uint64_t bits = high << 32 | low;
            double d;
            std::memcpy(&d, &bits, 8);
            in.op = Op::PushConstant;
            in.a = uint32_t(constants.size());
            constants.push_back(d);
            break;
        }
        case 7:
            in.op = Op::PushConstant;
            in.a = uint32_t(constants.size());
            constants.push_back(double(int32_t(p.u32())));
            break;
        case 8:
            in.op = Op::PushPool;
            in.a = p.u8();
            break;
        case 9:
            in.op = Op::PushPool;
            in.a = p.u16();
            break;
        default:
            p.bad = true;
            break;
        }
        if (p.bad) {
            // An unreadable value ends the block, after those before it.
            Instr end = base;
            end.op = Op::End;
            append(end);
            return;
        }
        append(in);
        any = true;
    }
    if (!any) {
        // An empty Push does nothing.
        Instr nothing = base;
        nothing.op = Op::Nop;
        append(nothing);
    }
}

}
