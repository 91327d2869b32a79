#pragma once
// Script pieces the Sound tests write: calls, new Sound, traces, handlers.
#include "ActionWriter.h"

#include <vector>

namespace soundscripts {

using swfmake::ActionWriter;
using PushValue = ActionWriter::PushValue;
namespace Op = swf::avm1::Op;

// object.method(args), its result dropped.
inline ActionWriter &call(ActionWriter &w, const QString &object, const QString &method,
                          std::vector<PushValue> args = {})
{
    std::vector<PushValue> pushes(args.rbegin(), args.rend());
    pushes.push_back(int32_t(args.size()));
    w.push(pushes).getVariable(object).push({method}).op(Op::CallMethod).op(Op::Pop);
    return w;
}

// var name = new Sound(target), or new Sound() when `target` is empty.
inline ActionWriter &newSound(ActionWriter &w, const QString &name, const QString &target = {})
{
    w.push({name});
    if (target.isEmpty())
        w.push({0});
    else
        w.getVariable(target).push({1});
    w.push({QStringLiteral("Sound")}).op(Op::NewObject).op(Op::SetVariable);
    return w;
}

// trace(object.property)
inline ActionWriter &traceMember(ActionWriter &w, const QString &object, const QString &property)
{
    w.getVariable(object).push({property}).op(Op::GetMember).op(Op::Trace);
    return w;
}

// trace(object.method())
inline ActionWriter &traceCall(ActionWriter &w, const QString &object, const QString &method)
{
    w.push({0}).getVariable(object).push({method}).op(Op::CallMethod).op(Op::Trace);
    return w;
}

// object.handler = function(params) { body }
inline ActionWriter &setHandler(ActionWriter &w, const QString &object, const QString &handler,
                                const QStringList &params, const ActionWriter &body)
{
    w.getVariable(object).push({handler});
    w.defineFunction(QString(), params, body).op(Op::SetMember);
    return w;
}

}
