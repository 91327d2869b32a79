#include "SharedObjectPath.h"
#include "swf/SwfLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace swf::avm1 {

namespace {

// The parts of a "/"-separated path, or nothing when one is unsafe.
std::optional<QStringList> parts(const QString &path, bool name)
{
    static const QString forbidden = QStringLiteral("~%&\\;:\"',<>?# ");
    QStringList list = path.split(QLatin1Char('/'), name ? Qt::KeepEmptyParts : Qt::SkipEmptyParts);
    for (const QString &part : list)
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")
            || (name && std::any_of(part.begin(), part.end(), [](QChar c) { return forbidden.contains(c); }))
            || std::any_of(part.begin(), part.end(), [](QChar c) { return c.unicode() < 0x20; }))
            return std::nullopt;
    return list;
}

// The host and path of a movie's address.
std::pair<QString, QString> hostAndPath(const QString &address)
{
    const QUrl url(address);
    if (isWebAddress(address))
        return {url.host().toLower(), url.path()};
    if (url.isLocalFile())
        return {QStringLiteral("localhost"), QDir::cleanPath(url.toLocalFile())};
    return {QStringLiteral("localhost"), QDir::cleanPath(QFileInfo(address).absoluteFilePath())};
}

}

QString sharedObjectPath(const QString &movieAddress, const QString &name, const std::optional<QString> &localPath)
{
    const auto [host, path] = hostAndPath(movieAddress);
    auto movieParts = parts(path, false);
    auto nameParts = parts(name, true);
    if (host.isEmpty() || host.contains(QLatin1Char('/')) || !movieParts || !nameParts || name.isEmpty())
        return QString();
    if (localPath) {
        auto chosen = parts(*localPath, false);
        if (!chosen || chosen->size() > movieParts->size() || *chosen != movieParts->mid(0, chosen->size()))
            return QString();
        movieParts = chosen;
    }
    return (QStringList{host} + *movieParts + *nameParts).join(QLatin1Char('/')) + QStringLiteral(".sol");
}

}
