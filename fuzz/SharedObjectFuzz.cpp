// Reads arbitrary bytes as a stored shared object: the file's header, then
// its AMF0 name-value pairs into script objects, which are written again
// and read back.
#include "swf/avm1/Object.h"
#include "swf/avm1/StandaloneHost.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/display/Amf0Reader.h"
#include "swf/avm1/display/Amf0Writer.h"
#include "swf/avm1/display/SharedObjectFile.h"

#include <cstdint>

using namespace swf::avm1;

namespace {

// The pairs of `bytes` as properties of `into`; false when they are malformed.
bool readPairs(Context &cx, const QByteArray &bytes, Object *into)
{
    Amf0Reader reader(cx, bytes);
    while (!reader.atEnd()) {
        std::optional<QString> name = reader.name();
        std::optional<Value> value = name ? reader.value() : std::nullopt;
        if (!value || reader.u8() != 0)
            return false;
        into->put(cx.vm.name(*name), *value);
    }
    return true;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    StandaloneHost host;
    Vm vm(host);
    Context cx(vm, vm.version(), nullptr);
    Object *into = vm.newObject();
    Pinned<Object> keep(into);
    std::optional<SharedObjectContents> contents = readSharedObjectFile(bytes);
    if (!readPairs(cx, contents ? contents->pairs : bytes, into))
        return 0;
    Amf0Writer writer(cx);
    for (const Property &p : into->ownProperties().all()) {
        if (writer.name(p.name->text())) {
            writer.value(p.value);
            writer.u8(0);
        }
    }
    Object *again = vm.newObject();
    Pinned<Object> keepAgain(again);
    std::optional<SharedObjectContents> written = readSharedObjectFile(sharedObjectFile(QStringLiteral("fuzz"), writer.bytes()));
    if (!written || !readPairs(cx, written->pairs, again))
        __builtin_trap(); // what the writer wrote must read back
    return 0;
}
