// Runs arbitrary bytes as an action block: the first byte is the SWF
// version, the rest the block. It runs twice (the second time from the
// decoded cache, with what the first left behind), then calls what it
// defined on the timeline and collects.
#include "swf/avm1/Host.h"
#include "swf/avm1/Object.h"
#include "swf/avm1/Vm.h"

#include <QStringList>
#include <cstdint>

namespace {

using namespace swf::avm1;

// A movie of one clip: the root.
class OneClipHost : public Host {
public:
    Object *rootClip = nullptr;

    void trace(const QString &) override {}
    void warn(const QString &) override {}
    bool isClip(const Object *o) const override { return o == rootClip; }
    Object *follow(Object *clip) override { return clip; }
    Object *level(int n) override { return n == 0 ? rootClip : nullptr; }
    Object *root(Object *) override { return rootClip; }
    Object *parent(Object *) override { return nullptr; }
    Object *child(Context &, Object *, String *) override { return nullptr; }
    QString targetPath(Object *, bool slashes) override { return slashes ? QStringLiteral("/") : QStringLiteral("_level0"); }
    void control(Object *, Control) override {}
    void gotoFrame(Object *, int, bool) override {}
    int frameOfLabel(Object *, const QString &) override { return -1; }
    int framesLoaded(Object *) override { return 1; }
    void callFrame(Object *, int) override {}
    void getUrl(Context &, const QString &, const QString &, int, bool, bool) override {}
    void cloneSprite(Context &, Object *, const QString &, int) override {}
    void removeSprite(Context &, Object *) override {}
    void startDrag(Context &, Object *, bool, const double *) override {}
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    int version = data[0] % 11;
    QByteArray block(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    OneClipHost host;
    Vm vm(host);
    vm.setVersion(version);
    vm.setTimeLimit(100);
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
