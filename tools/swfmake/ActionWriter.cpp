#include "ActionWriter.h"

#include <cstring>

namespace swfmake {

namespace {

void u8(QByteArray &b, int v)
{
    b.append(char(v & 0xFF));
}

void u16(QByteArray &b, int v)
{
    u8(b, v);
    u8(b, v >> 8);
}

void u32(QByteArray &b, uint32_t v)
{
    u16(b, int(v & 0xFFFF));
    u16(b, int(v >> 16));
}

void string(QByteArray &b, const QString &s)
{
    b.append(s.toUtf8());
    b.append('\0');
}

}

void ActionWriter::record(uint8_t code, const QByteArray &payload)
{
    u8(out, code);
    if (code >= 0x80) {
        u16(out, int(payload.size()));
        out.append(payload);
    }
}

ActionWriter &ActionWriter::push(std::initializer_list<PushValue> values)
{
    return push(std::vector<PushValue>(values));
}

ActionWriter &ActionWriter::push(const std::vector<PushValue> &values)
{
    QByteArray p;
    for (const PushValue &v : values) {
        if (std::holds_alternative<QString>(v)) {
            u8(p, 0);
            string(p, std::get<QString>(v));
        } else if (auto *f = std::get_if<Float>(&v)) {
            u8(p, 1);
            uint32_t bits;
            std::memcpy(&bits, &f->value, 4);
            u32(p, bits);
        } else if (std::holds_alternative<Null>(v)) {
            u8(p, 2);
        } else if (std::holds_alternative<Undefined>(v)) {
            u8(p, 3);
        } else if (auto *r = std::get_if<Register>(&v)) {
            u8(p, 4);
            u8(p, r->number);
        } else if (auto *b = std::get_if<bool>(&v)) {
            u8(p, 5);
            u8(p, *b ? 1 : 0);
        } else if (auto *d = std::get_if<double>(&v)) {
            // Two little-endian words, the high word first.
            uint64_t bits;
            std::memcpy(&bits, d, 8);
            u8(p, 6);
            u32(p, uint32_t(bits >> 32));
            u32(p, uint32_t(bits));
        } else if (auto *i = std::get_if<int32_t>(&v)) {
            u8(p, 7);
            u32(p, uint32_t(*i));
        } else if (auto *c = std::get_if<Pooled>(&v)) {
            if (c->index < 256) {
                u8(p, 8);
                u8(p, c->index);
            } else {
                u8(p, 9);
                u16(p, c->index);
            }
        }
    }
    record(Op::Push, p);
    return *this;
}

ActionWriter &ActionWriter::op(uint8_t code)
{
    record(code, {});
    return *this;
}

ActionWriter &ActionWriter::raw(uint8_t code, const QByteArray &payload)
{
    record(code, payload);
    return *this;
}

ActionWriter &ActionWriter::bytes(const QByteArray &data)
{
    out.append(data);
    return *this;
}

ActionWriter &ActionWriter::constantPool(const QStringList &strings)
{
    QByteArray p;
    u16(p, int(strings.size()));
    for (const QString &s : strings)
        string(p, s);
    record(Op::ConstantPool, p);
    return *this;
}

ActionWriter &ActionWriter::storeRegister(int number)
{
    QByteArray p;
    u8(p, number);
    record(Op::StoreRegister, p);
    return *this;
}

ActionWriter &ActionWriter::gotoFrame(int frame)
{
    QByteArray p;
    u16(p, frame);
    record(Op::GotoFrame, p);
    return *this;
}

ActionWriter &ActionWriter::gotoLabel(const QString &label)
{
    QByteArray p;
    string(p, label);
    record(Op::GotoLabel, p);
    return *this;
}

ActionWriter &ActionWriter::gotoFrame2(bool play, int sceneBias)
{
    QByteArray p;
    u8(p, (play ? 1 : 0) | (sceneBias ? 2 : 0));
    if (sceneBias)
        u16(p, sceneBias);
    record(Op::GotoFrame2, p);
    return *this;
}

ActionWriter &ActionWriter::setTarget(const QString &target)
{
    QByteArray p;
    string(p, target);
    record(Op::SetTarget, p);
    return *this;
}

ActionWriter &ActionWriter::getUrl(const QString &url, const QString &target)
{
    QByteArray p;
    string(p, url);
    string(p, target);
    record(Op::GetUrl, p);
    return *this;
}

ActionWriter &ActionWriter::getUrl2(int method, bool loadTarget, bool loadVariables)
{
    QByteArray p;
    u8(p, method << 6 | (loadTarget ? 2 : 0) | (loadVariables ? 1 : 0));
    record(Op::GetUrl2, p);
    return *this;
}

ActionWriter &ActionWriter::waitForFrame(int frame, int skip)
{
    QByteArray p;
    u16(p, frame);
    u8(p, skip);
    record(Op::WaitForFrame, p);
    return *this;
}

ActionWriter &ActionWriter::waitForFrame2(int skip)
{
    QByteArray p;
    u8(p, skip);
    record(Op::WaitForFrame2, p);
    return *this;
}

ActionWriter::Label ActionWriter::label()
{
    labelAt.push_back(-1);
    return Label{int(labelAt.size()) - 1};
}

ActionWriter &ActionWriter::bind(Label l)
{
    labelAt[size_t(l.id)] = int(out.size());
    return *this;
}

void ActionWriter::branch(uint8_t code, Label to)
{
    record(code, QByteArray(2, '\0'));
    patches.push_back({int(out.size()) - 2, to.id});
}

ActionWriter &ActionWriter::jump(Label to)
{
    branch(Op::Jump, to);
    return *this;
}

ActionWriter &ActionWriter::ifTrue(Label to)
{
    branch(Op::If, to);
    return *this;
}

ActionWriter &ActionWriter::defineFunction(const QString &name, const QStringList &params, const ActionWriter &body)
{
    QByteArray code = body.body();
    QByteArray p;
    string(p, name);
    u16(p, int(params.size()));
    for (const QString &param : params)
        string(p, param);
    u16(p, int(code.size()));
    record(Op::DefineFunction, p);
    out.append(code);
    return *this;
}

ActionWriter &ActionWriter::defineFunction2(const QString &name, int registers, int flags,
                                            const std::vector<Param> &params, const ActionWriter &body)
{
    QByteArray code = body.body();
    QByteArray p;
    string(p, name);
    u16(p, int(params.size()));
    u8(p, registers);
    u16(p, flags);
    for (const Param &param : params) {
        u8(p, param.reg);
        string(p, param.name);
    }
    u16(p, int(code.size()));
    record(Op::DefineFunction2, p);
    out.append(code);
    return *this;
}

ActionWriter &ActionWriter::with(const ActionWriter &body)
{
    QByteArray code = body.body();
    QByteArray p;
    u16(p, int(code.size()));
    record(Op::With, p);
    out.append(code);
    return *this;
}

ActionWriter &ActionWriter::tryCatch(const ActionWriter &body, const ActionWriter *catchBody, const QString &catchName,
                                     int catchRegister, const ActionWriter *finallyBody)
{
    QByteArray tryCode = body.body();
    QByteArray catchCode = catchBody ? catchBody->body() : QByteArray();
    QByteArray finallyCode = finallyBody ? finallyBody->body() : QByteArray();
    QByteArray p;
    u8(p, (catchBody ? 1 : 0) | (finallyBody ? 2 : 0) | (catchRegister >= 0 ? 4 : 0));
    u16(p, int(tryCode.size()));
    u16(p, int(catchCode.size()));
    u16(p, int(finallyCode.size()));
    if (catchRegister >= 0)
        u8(p, catchRegister);
    else
        string(p, catchName);
    record(Op::Try, p);
    out.append(tryCode);
    out.append(catchCode);
    out.append(finallyCode);
    return *this;
}

QByteArray ActionWriter::body() const
{
    QByteArray code = out;
    for (auto [at, id] : patches) {
        // Branch offsets count from the end of the branch action.
        int target = labelAt[size_t(id)];
        int offset = target - (at + 2);
        code[at] = char(offset & 0xFF);
        code[at + 1] = char((offset >> 8) & 0xFF);
    }
    return code;
}

QByteArray ActionWriter::block() const
{
    QByteArray code = body();
    code.append('\0');
    return code;
}

}
