// System: the player's capabilities (what this program can do and the
// screen it shows on) and the settings movies may ask for.
#include "Builtins.h"

#include "swf/avm1/Convert.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/Vm.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QUrl>

namespace swf::avm1 {

namespace {

Value allowDomain(Context &, const Value &, Args args)
{
    // A local player grants every domain already; without a domain there is
    // nothing to grant.
    return !args.empty();
}

// Policy files grant loads from other domains, which this player allows
// already: there is nothing to fetch.
Value loadPolicyFile(Context &, const Value &, Args)
{
    return Value();
}

Value setClipboard(Context &cx, const Value &, Args args)
{
    QString text = toString(cx, arg(args, 0))->text();
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QGuiApplication::clipboard()->setText(text);
    return Value();
}

Value showSettings(Context &cx, const Value &, Args)
{
    cx.vm.host.warn(QStringLiteral("System.showSettings: this player has no settings panel"));
    return Value();
}

// System.Product stood for another program the movie could download or
// start; this player starts none, so both report failure.
Value productConstruct(Context &cx, const Value &thisValue, Args args)
{
    if (Object *o = thisValue.asObject())
        o->set(cx, cx.vm.name(QStringLiteral("name")), arg(args, 0));
    return thisValue;
}

Value productRefused(Context &cx, const Value &, Args)
{
    cx.vm.host.warn(QStringLiteral("System.Product: this player starts no other program"));
    return false;
}

}

void installSystem(Vm &vm)
{
    Object *system = vm.newObject();
    vm.property(vm.global(), "System", system);
    Object *capabilities = vm.newObject();
    vm.property(system, "capabilities", capabilities);

    QSize screen(1024, 768);
    double dpi = 72;
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        if (QScreen *s = QGuiApplication::primaryScreen()) {
            screen = s->size();
            dpi = s->logicalDotsPerInch();
        }
    QString language = QLocale::system().name().section(QLatin1Char('_'), 0, 0);
    struct Capability {
        const char *name;
        const char *code; // in serverString
        Value value;
    };
    const Capability list[] = {
        {"hasAudio", "A", true},
        {"hasMP3", "MP3", true},
        {"hasAudioEncoder", "AE", false},
        {"hasEmbeddedVideo", "EV", true},
        {"hasVideoEncoder", "VE", false},
        {"hasAccessibility", "ACC", false},
        {"hasIME", "IME", false},
        {"hasTLS", "TLS", false},
        {"hasPrinting", "PR", false},
        {"hasStreamingAudio", "SA", true},
        {"hasStreamingVideo", "SV", false},
        {"hasScreenBroadcast", "SB", false},
        {"hasScreenPlayback", "SP", false},
        {"isDebugger", "DEB", false},
        {"localFileReadDisable", "LFD", false},
        {"avHardwareDisable", "AVD", true},
        {"windowlessDisable", "WD", true},
        {"version", "V", vm.name(vm.playerVersion())},
        {"manufacturer", "M", vm.name(QStringLiteral("Wordlark"))},
        {"os", "OS", vm.name(QStringLiteral("Linux"))},
        {"playerType", "PT", vm.name(QStringLiteral("StandAlone"))},
        {"language", "L", vm.name(language)},
        {"screenColor", "COL", vm.name(QStringLiteral("color"))},
        {"screenResolutionX", "R", double(screen.width())},
        {"screenResolutionY", nullptr, double(screen.height())},
        {"screenDPI", "DP", dpi},
        {"pixelAspectRatio", "AR", 1.0},
    };
    QStringList server;
    for (const Capability &c : list) {
        capabilities->put(vm.strings.permanent(QLatin1String(c.name)), c.value);
        if (!c.code)
            continue;
        QString value = c.value.isBoolean() ? (c.value.boolean() ? QStringLiteral("t") : QStringLiteral("f"))
            : c.value.isNumber()            ? QString::number(c.value.number())
                                            : c.value.string()->text();
        if (QLatin1String(c.code) == QLatin1String("R"))
            value = QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height());
        server << QLatin1String(c.code) + QLatin1Char('=') + QString::fromLatin1(QUrl::toPercentEncoding(value));
    }
    capabilities->put(vm.strings.permanent(QStringLiteral("serverString")), vm.name(server.join(QLatin1Char('&'))));

    Object *security = vm.newObject();
    vm.property(system, "security", security);
    vm.method(security, "allowDomain", allowDomain);
    vm.method(security, "allowInsecureDomain", allowDomain);
    vm.method(security, "loadPolicyFile", loadPolicyFile);
    vm.method(system, "setClipboard", setClipboard);
    vm.method(system, "showSettings", showSettings);
    Object *product = vm.heap.make<Object>(vm.protos.object);
    vm.makeClass(system, "Product", productConstruct, nullptr, product);
    vm.method(product, "launch", productRefused);
    vm.method(product, "download", productRefused);
    installIme(vm, system);
    system->put(vm.strings.permanent(QStringLiteral("useCodepage")), false);
    system->put(vm.strings.permanent(QStringLiteral("exactSettings")), true);
}

}
