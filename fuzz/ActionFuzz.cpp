// Runs arbitrary bytes as an action block: the first byte is the SWF
// version, the rest the block. It runs twice (the second time from the
// decoded cache, with what the first left behind), then calls what it
// defined on the timeline and collects.
#include "swf/avm1/Object.h"
#include "swf/avm1/StandaloneHost.h"
#include "swf/avm1/Vm.h"

#include <QStringList>
#include <cstdint>

using namespace swf::avm1;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    int version = data[0] % 11;
    QByteArray block(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    StandaloneHost host;
    Vm vm(host);
    vm.setVersion(version);
    vm.setTimeLimit(100);
    // Collecting often finds cells the collector cannot see.
    vm.heap.setCollectEvery(64);
    host.rootClip = vm.newObject();
    Pinned<Object> keep(host.rootClip);
    vm.runBlock(block, version, host.rootClip);
    vm.runBlock(block, version, host.rootClip);
    // Names as text: the calls may collect what they no longer reach.
    Context cx(vm, version, host.rootClip);
    std::vector<String *> names;
    host.rootClip->enumerate(cx, names);
    QStringList texts;
    for (String *name : names)
        texts << name->text();
    for (const QString &text : texts)
        vm.callMethodFromHost(host.rootClip, vm.name(text), {});
    vm.runTimers(1000000);
    vm.heap.collect();
    return 0;
}
