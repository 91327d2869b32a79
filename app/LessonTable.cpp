#include "LessonTable.h"

#include <QRegularExpression>
#include <vector>

namespace {

enum class TServer { Content, Animation };

struct TEntry {
    const char *Caption; // UTF-8
    TLessonKind Kind;
    TServer Server;
    const char *Path; // UTF-8
};

// In lookup order; the first equal caption wins.
const TEntry kEntries[] = {
    {"买红薯", TLessonKind::Movie, TServer::Animation, "/animation/choppy1.swf"},
    {"要足球", TLessonKind::Movie, TServer::Animation, "/animation/choppy2.swf"},
    {"吃奶", TLessonKind::Movie, TServer::Animation, "/animation/choppy3.swf"},
    {"第一课", TLessonKind::Movie, TServer::Content, "/software2/wyh/dhqjjj/20031008/1.swf"},
    {"第二课", TLessonKind::Movie, TServer::Content, "/software2/wyh/dhqjjj/20031008/2.swf"},
    {"第三课", TLessonKind::Movie, TServer::Content, "/software2/wyh/dhqjjj/20031008/3.swf"},
    {"第四课", TLessonKind::Movie, TServer::Content, "/software2/wyh/dhqjjj/20031008/4.swf"},
    {"第五课", TLessonKind::Movie, TServer::Content, "/software2/wyh/dhqjjj/20031008/5.swf"},
    {"第六课", TLessonKind::Movie, TServer::Content, "/software2/wyh/dhqjjj/20031008/6.swf"},
    {"第七课", TLessonKind::Movie, TServer::Content, "/software2/wyh/dhqjjj/20031008/7.swf"},
    {"第八课", TLessonKind::Movie, TServer::Content, "/software2/wyh/dhqjjj/20031008/8.swf"},
    {"第九课", TLessonKind::Movie, TServer::Content, "/software2/wyh/dhqjjj/20031008/9.swf"},
    {"第十课", TLessonKind::Movie, TServer::Content, "/software2/wyh/dhqjjj/20031008/10.swf"},
    {"1", TLessonKind::Movie, TServer::Content, "/software2/wyh/故事/1.swf"},
    {"2", TLessonKind::Movie, TServer::Content, "/software2/wyh/故事/2.swf"},
    {"3", TLessonKind::Movie, TServer::Content, "/software2/wyh/故事/3.swf"},
    {"4", TLessonKind::Movie, TServer::Content, "/software2/wyh/故事/4.swf"},
    {"5", TLessonKind::Movie, TServer::Content, "/software2/wyh/故事/5.swf"},
    {"6", TLessonKind::Movie, TServer::Content, "/software2/wyh/故事/6.swf"},
    {"7", TLessonKind::Movie, TServer::Content, "/software2/wyh/故事/7.swf"},
    {"8", TLessonKind::Movie, TServer::Content, "/software2/wyh/故事/8.swf"},
    {"9", TLessonKind::Movie, TServer::Content, "/software2/wyh/故事/9.swf"},
    {"（1）", TLessonKind::Movie, TServer::Content, "/software2/wyh/kdhxyy/20030619/1.swf"},
    {"（2）", TLessonKind::Movie, TServer::Content, "/software2/wyh/kdhxyy/20030619/2.swf"},
    {"（3）", TLessonKind::Movie, TServer::Content, "/software2/wyh/kdhxyy/20030619/3.swf"},
    {"（4）", TLessonKind::Movie, TServer::Content, "/software2/wyh/kdhxyy/20030619/4.swf"},
    {"（5）", TLessonKind::Movie, TServer::Content, "/software2/wyh/kdhxyy/20030619/5.swf"},
    {"（6）", TLessonKind::Movie, TServer::Content, "/software2/wyh/kdhxyy/20030619/6.swf"},
    {"儿童英语情景对话", TLessonKind::Programme, TServer::Content, nullptr},
    {"洪恩GOGO", TLessonKind::Programme, TServer::Content, nullptr},
    {"空中美语初级", TLessonKind::Programme, TServer::Content, nullptr},
    {"空中美语中级", TLessonKind::Programme, TServer::Content, nullptr},
    {"空中美语高级", TLessonKind::Programme, TServer::Content, nullptr},
    {"大家说英语（初级）", TLessonKind::Programme, TServer::Content, nullptr},
    {"空中英语教室（中级）", TLessonKind::Programme, TServer::Content, nullptr},
    {"Orvane英语（高级）", TLessonKind::Programme, TServer::Content, nullptr},
    {"阳光英语广播讲座", TLessonKind::Programme, TServer::Content, nullptr},
    {"迪斯尼神奇英语", TLessonKind::Programme, TServer::Content, nullptr},
};

// A host name or IPv4 address, or a bracketed IPv6 address, with an optional
// port: nothing that could change the path or the scheme of an address.
bool IsHostPort(const QString &Value)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^([A-Za-z0-9](?:[A-Za-z0-9.-]*[A-Za-z0-9])?|\[[0-9A-Fa-f:.]+\])(:([0-9]{1,5}))?$)"));
    const QRegularExpressionMatch match = pattern.match(Value);
    return match.hasMatch() && (match.captured(3).isEmpty() || match.captured(3).toInt() <= 65535);
}

String HostFrom(const char *Variable, const char *Default)
{
    const String value = qEnvironmentVariable(Variable);
    if (IsHostPort(value))
        return value;
    if (!value.isEmpty())
        qWarning("%s is not a host[:port]; using %s", Variable, Default);
    return QString::fromLatin1(Default);
}

} // namespace

String ContentHost()
{
    return HostFrom("WORDLARK_CONTENT_HOST", "content.example.org");
}

String AnimationHost()
{
    return HostFrom("WORDLARK_ANIMATION_HOST", "animation.example.net");
}

TLessonTarget LookupLesson(const String &Caption)
{
    for (const TEntry &entry : kEntries) {
        if (Caption != QString::fromUtf8(entry.Caption))
            continue;
        if (entry.Kind == TLessonKind::Programme)
            return {TLessonKind::Programme, {}};
        const String host = entry.Server == TServer::Content ? ContentHost() : AnimationHost();
        return {TLessonKind::Movie, QStringLiteral("http://") + host + QString::fromUtf8(entry.Path)};
    }
    return {};
}
