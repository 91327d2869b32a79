// System: the player's capabilities (what this program can do and the
// screen it shows on) and the settings movies may ask for.
#include "Builtins.h"

#include "swf/avm1/Vm.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QUrl>

namespace swf::avm1 {

namespace {

Value allowDomain(Context &, const Value &, Args)
{
    // A local player grants every domain already.
    return true;
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
    system->put(vm.strings.permanent(QStringLiteral("useCodepage")), false);
    system->put(vm.strings.permanent(QStringLiteral("exactSettings")), true);
}

}
