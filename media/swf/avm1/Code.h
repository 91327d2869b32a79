#pragma once
// An action block (DoAction, DoInitAction, clip or button actions) decoded
// for the interpreter. Decoding is lazy and keyed by byte offset: an action
// is decoded the first time execution reaches it, so a jump into the middle
// of an action, or a function whose declared size cuts an action in two,
// decodes from there as the bytes say. A Push becomes one instruction per
// value; jump targets are byte offsets resolved to instructions on first
// use. Malformed actions (truncated, lengths past the end) end the block.
#include "ActionCode.h"
#include "Heap.h"
#include "Value.h"

#include <QByteArray>
#include <QHash>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace swf::avm1 {

class StringTable;

struct Instr {
    uint8_t op = Op::End;
    uint8_t flags = 0;      // GotoFrame2, GetUrl2, Try flags
    uint16_t skip = 0;      // WaitForFrame: actions to skip
    uint32_t offset = 0;    // where the action starts
    uint32_t end = 0;       // where the next action starts (bodies excluded)
    uint32_t next = 0;      // index of the instruction executed next
    uint32_t a = 0;         // operand: constant, pool entry, register,
    uint32_t b = 0;         //   jump target, body sizes, ...
    uint32_t c = 0;
};

// A function as DefineFunction or DefineFunction2 declares it.
struct FunctionInfo {
    struct Param {
        String *name;
        uint8_t reg; // 0: none, a local variable
    };
    String *name = nullptr; // empty for function literals
    std::vector<Param> params;
    uint16_t flags = 0;      // DefineFunction2 preload and suppress flags
    uint8_t registers = 4;   // register count
    bool second = false;     // DefineFunction2
    uint32_t bodyStart = 0;  // byte range of the body
    uint32_t bodyEnd = 0;
};

namespace FunctionFlag {
enum : uint16_t {
    PreloadThis = 0x01,
    SuppressThis = 0x02,
    PreloadArguments = 0x04,
    SuppressArguments = 0x08,
    PreloadSuper = 0x10,
    SuppressSuper = 0x20,
    PreloadRoot = 0x40,
    PreloadParent = 0x80,
    PreloadGlobal = 0x100,
};
}

// The strings of a ConstantPool action, as made when it ran.
class Pool : public Cell {
public:
    std::vector<String *> entries;
    void trace(Tracer &tracer) override;
};

class Code : public std::enable_shared_from_this<Code> {
public:
    // `bytes` must own its data (not QByteArray::fromRawData) so that it
    // stays the same while the block is cached.
    Code(QByteArray bytes, int version, Heap &heap, StringTable &strings);

    const QByteArray &bytes() const { return data; }
    int version() const { return swfVersion; }
    uint32_t size() const { return uint32_t(data.size()); }

    // The index of the instruction at byte `offset`, decoded now if need
    // be; an offset at or past the end gives kEnd, an End whose offset is
    // the block's size. Indexes stay valid; pointers do not.
    uint32_t at(uint32_t offset);
    static constexpr uint32_t kEnd = 0;
    const Instr &instr(uint32_t index) const { return list[index]; }
    const Instr *instrs() const { return list.data(); }
    const Value &constant(uint32_t index) const { return constants[index]; }
    const FunctionInfo &function(uint32_t index) const { return functions[index]; }
    // The pool a ConstantPool instruction declares.
    Pool *pool(uint32_t index) const { return pools[index]; }

    // Marks the strings the block's constants hold.
    void trace(Tracer &tracer) const;

private:
    // Decodes the action at `offset`, appending its instructions; returns
    // the offset after it, or none where decoding stops (End, bad bytes).
    std::optional<uint32_t> decode(uint32_t offset);
    void decodePush(const uint8_t *payload, uint32_t length, const Instr &base);
    void append(Instr instr) { instr.next = uint32_t(list.size()) + 1, list.push_back(instr); }
    String *text(const char *bytes, size_t length);

    QByteArray data;
    int swfVersion;
    Heap &heap;
    StringTable &strings;
    std::vector<Instr> list;
    QHash<uint32_t, uint32_t> byOffset;
    std::vector<Value> constants;
    std::deque<FunctionInfo> functions; // stable: functions point to theirs
    std::vector<Pool *> pools;
};

}
