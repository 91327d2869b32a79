#include "SwfLoadAddress.h"

#include "SwfLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace swf {

namespace {

// A local address as a clean absolute path; empty for anything else.
QString localPath(const QString &address)
{
    const QUrl url(address);
    if (url.isLocalFile())
        return QDir::cleanPath(url.toLocalFile());
    // Any scheme but a drive letter ("data:", "ftp:", "http:") is no local file.
    if (address.isEmpty() || url.scheme().size() > 1)
        return {};
    return QDir::cleanPath(QFileInfo(address).absoluteFilePath());
}

}

QString resolveAddress(const QString &base, const QString &relative)
{
    const QUrl url(relative);
    if (isWebAddress(relative) || url.isLocalFile())
        return relative;
    if (isWebAddress(base) || QUrl(base).isLocalFile())
        return QUrl(base).resolved(url).toString();
    if (QFileInfo(relative).isAbsolute())
        return relative;
    return QFileInfo(base).dir().filePath(relative);
}

QString permittedAddress(const QString &base, const QString &relative)
{
    // Only web addresses and files load; a drive letter is no scheme.
    const QString scheme = QUrl(relative).scheme();
    if (relative.isEmpty() || (scheme.size() > 1 && !isWebAddress(relative) && scheme != QLatin1String("file")))
        return {};
    const QString resolved = resolveAddress(base, relative);
    if (isWebAddress(base)) {
        const QUrl from(base);
        const QUrl to(resolved);
        const bool sameHost = isWebAddress(resolved) && to.isValid()
            && to.host().compare(from.host(), Qt::CaseInsensitive) == 0
            && to.port(to.scheme() == QLatin1String("https") ? 443 : 80)
                == from.port(from.scheme() == QLatin1String("https") ? 443 : 80);
        return sameHost ? resolved : QString();
    }
    // A file's address may carry a query for the movie loaded; the file is what precedes it.
    const QString movie = localPath(base);
    const QString target = localPath(resolveAddress(base, relative.section(QLatin1Char('?'), 0, 0)));
    if (movie.isEmpty() || target.isEmpty())
        return {};
    const QString folder = QFileInfo(movie).path();
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    if (!target.startsWith(prefix))
        return {};
    // A link inside the folder must not lead out of it either.
    const QString real = QFileInfo(target).canonicalFilePath();
    const QString realFolder = QFileInfo(folder).canonicalFilePath();
    if (!real.isEmpty() && !realFolder.isEmpty() && !real.startsWith(realFolder + QLatin1Char('/')))
        return {};
    return target;
}

}
