#include "Function.h"

#include "Code.h"
#include "Scope.h"

namespace swf::avm1 {

ScriptFunction::ScriptFunction(Object *proto, std::shared_ptr<Code> code, const FunctionInfo *info, Scope *scope,
                               Pool *pool, Object *base, int version)
    : Function(proto), body(std::move(code)), about(info), closure(scope), constants(pool), clip(base),
      swfVersion(version)
{
}

void ScriptFunction::trace(Tracer &tracer)
{
    Function::trace(tracer);
    body->trace(tracer);
    tracer.mark(closure);
    tracer.mark(constants);
    tracer.mark(clip);
}

}
