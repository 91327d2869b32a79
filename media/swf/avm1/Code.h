#pragma once
// An action block (DoAction, DoInitAction, clip or button actions) decoded
// for the interpreter. Decoding is lazy and keyed by byte offset: an action
// is decoded the first time execution reaches it, so a jump into the middle
// of an action, or a function whose declared size cuts an action in two,
// decodes from there as the bytes say. A Push becomes one instruction per
// value; jump targets are byte offsets resolved to instructions on first
// use. Malformed actions (truncated, lengths past the end) end the block.
#include "Value.h"
#include "Heap.h"

#include <QByteArray>
#include <QHash>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace swf::avm1 {

class StringTable;

namespace Op {
enum : uint8_t {
    End = 0x00,
    NextFrame = 0x04,
    PrevFrame = 0x05,
    Play = 0x06,
    Stop = 0x07,
    ToggleQuality = 0x08,
    StopSounds = 0x09,
    Add = 0x0A,
    Subtract = 0x0B,
    Multiply = 0x0C,
    Divide = 0x0D,
    Equals = 0x0E,
    Less = 0x0F,
    And = 0x10,
    Or = 0x11,
    Not = 0x12,
    StringEquals = 0x13,
    StringLength = 0x14,
    StringExtract = 0x15,
    Pop = 0x17,
    ToInteger = 0x18,
    GetVariable = 0x1C,
    SetVariable = 0x1D,
    SetTarget2 = 0x20,
    StringAdd = 0x21,
    GetProperty = 0x22,
    SetProperty = 0x23,
    CloneSprite = 0x24,
    RemoveSprite = 0x25,
    Trace = 0x26,
    StartDrag = 0x27,
    EndDrag = 0x28,
    StringLess = 0x29,
    Throw = 0x2A,
    CastOp = 0x2B,
    ImplementsOp = 0x2C,
    RandomNumber = 0x30,
    MBStringLength = 0x31,
    CharToAscii = 0x32,
    AsciiToChar = 0x33,
    GetTime = 0x34,
    MBStringExtract = 0x35,
    MBCharToAscii = 0x36,
    MBAsciiToChar = 0x37,
    Delete = 0x3A,
    Delete2 = 0x3B,
    DefineLocal = 0x3C,
    CallFunction = 0x3D,
    Return = 0x3E,
    Modulo = 0x3F,
    NewObject = 0x40,
    DefineLocal2 = 0x41,
    InitArray = 0x42,
    InitObject = 0x43,
    TypeOf = 0x44,
    TargetPath = 0x45,
    Enumerate = 0x46,
    Add2 = 0x47,
    Less2 = 0x48,
    Equals2 = 0x49,
    ToNumber = 0x4A,
    ToString = 0x4B,
    PushDuplicate = 0x4C,
    StackSwap = 0x4D,
    GetMember = 0x4E,
    SetMember = 0x4F,
    Increment = 0x50,
    Decrement = 0x51,
    CallMethod = 0x52,
    NewMethod = 0x53,
    InstanceOf = 0x54,
    Enumerate2 = 0x55,
    BitAnd = 0x60,
    BitOr = 0x61,
    BitXor = 0x62,
    BitLShift = 0x63,
    BitRShift = 0x64,
    BitURShift = 0x65,
    StrictEquals = 0x66,
    Greater = 0x67,
    StringGreater = 0x68,
    Extends = 0x69,
    GotoFrame = 0x81,
    GetUrl = 0x83,
    StoreRegister = 0x87,
    ConstantPool = 0x88,
    StrictMode = 0x89,
    WaitForFrame = 0x8A,
    SetTarget = 0x8B,
    GotoLabel = 0x8C,
    WaitForFrame2 = 0x8D,
    DefineFunction2 = 0x8E,
    Try = 0x8F,
    With = 0x94,
    Push = 0x96,
    Jump = 0x99,
    GetUrl2 = 0x9A,
    DefineFunction = 0x9B,
    If = 0x9D,
    Call = 0x9E,
    GotoFrame2 = 0x9F,
    // Made by the decoder from Push: one value each.
    PushConstant = 0xF0, // constants[a]
    PushPool = 0xF1,     // entry a of the constant pool
    PushRegister = 0xF2, // register a
    Nop = 0xF3,          // a Push with nothing readable
};
}

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
