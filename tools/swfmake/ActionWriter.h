#pragma once
// A small assembler for action records (DoAction, DoInitAction, function
// bodies): pushes of every value type, the plain actions by code, constant
// pools, jumps to labels, functions, with and try blocks. Used by the tests
// and benchmarks of the script engine and to seed its fuzz target.
#include "swf/avm1/ActionCode.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <variant>
#include <vector>

namespace swfmake {

namespace Op = swf::avm1::Op;

class ActionWriter {
public:
    struct Undefined {};
    struct Null {};
    struct Register {
        int number;
    };
    struct Pooled {
        int index; // constant pool entry
    };
    struct Float {
        float value;
    };
    using PushValue = std::variant<Undefined, Null, bool, int32_t, double, Float, QString, Register, Pooled>;

    // A place in the code, for jumps before or after it is bound.
    struct Label {
        int id;
    };

    // One Push action with all `values`.
    ActionWriter &push(std::initializer_list<PushValue> values);
    ActionWriter &push(const std::vector<PushValue> &values);
    // An action without payload (Op::Add2, Op::Trace, ...).
    ActionWriter &op(uint8_t code);
    // Any action with its payload as given (for malformed records, too).
    ActionWriter &raw(uint8_t code, const QByteArray &payload);
    // Bytes as they are, without a record header.
    ActionWriter &bytes(const QByteArray &data);

    ActionWriter &constantPool(const QStringList &strings);
    ActionWriter &storeRegister(int number);
    ActionWriter &gotoFrame(int frame);
    ActionWriter &gotoLabel(const QString &label);
    ActionWriter &gotoFrame2(bool play, int sceneBias = 0);
    ActionWriter &setTarget(const QString &target);
    ActionWriter &getUrl(const QString &url, const QString &target);
    ActionWriter &getUrl2(int method, bool loadTarget, bool loadVariables);
    ActionWriter &waitForFrame(int frame, int skip);
    ActionWriter &waitForFrame2(int skip);

    Label label();
    // The label stands for the next action written.
    ActionWriter &bind(Label l);
    ActionWriter &jump(Label to);
    ActionWriter &ifTrue(Label to);

    // DefineFunction: `name` empty for a function literal (left on the stack).
    ActionWriter &defineFunction(const QString &name, const QStringList &params, const ActionWriter &body);
    struct Param {
        int reg; // 0: a local variable
        QString name;
    };
    // DefineFunction2 with its register count and preload/suppress flags.
    ActionWriter &defineFunction2(const QString &name, int registers, int flags, const std::vector<Param> &params,
                                  const ActionWriter &body);
    // With: the object is popped from the stack.
    ActionWriter &with(const ActionWriter &body);
    // Try: a catch into the variable `catchName` (or the register when
    // catchRegister >= 0); either body may be absent (empty).
    ActionWriter &tryCatch(const ActionWriter &body, const ActionWriter *catchBody, const QString &catchName,
                           int catchRegister, const ActionWriter *finallyBody);

    // Shorthands for common sequences.
    ActionWriter &trace(const PushValue &v) { return push({v}).op(Op::Trace); }
    ActionWriter &setVariable(const QString &name, const PushValue &v)
    {
        return push({name, v}).op(Op::SetVariable);
    }
    ActionWriter &getVariable(const QString &name) { return push({name}).op(Op::GetVariable); }

    // The records without the closing End action (a function body).
    QByteArray body() const;
    // The records and the End action (a whole DoAction block).
    QByteArray block() const;

private:
    void record(uint8_t code, const QByteArray &payload);
    void branch(uint8_t code, Label to);

    QByteArray out;
    std::vector<int> labelAt;                 // offset of each label, -1 unbound
    std::vector<std::pair<int, int>> patches; // offset of a branch's s16, label
};

}
