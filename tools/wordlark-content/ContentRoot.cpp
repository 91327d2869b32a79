#include "ContentRoot.h"

#include <QDir>
#include <QFileInfo>

ContentRoot::ContentRoot(const QString &folder) : FCanonical(QFileInfo(folder).canonicalFilePath())
{
    if (!QFileInfo(FCanonical).isDir())
        FCanonical.clear();
}

ContentRoot::Lookup ContentRoot::Resolve(const QString &Path) const
{
    if (!Valid() || !Path.startsWith(QLatin1Char('/')) || Path.contains(QLatin1Char('\\')) ||
        Path.contains(QChar(0)))
        return {Outcome::Refused, {}};
    QStringList kept;
    for (const QString &segment : Path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1String(".") || segment == QLatin1String(".."))
            return {Outcome::Refused, {}};
        kept << segment;
    }
    const QString inside = FCanonical.endsWith(QLatin1Char('/')) ? FCanonical : FCanonical + QLatin1Char('/');
    const QFileInfo candidate(inside + kept.join(QLatin1Char('/')));
    if (!candidate.exists())
        return {Outcome::NotFound, {}};
    // Symbolic links are followed, but only to places inside the folder.
    const QString canonical = candidate.canonicalFilePath();
    if (canonical == FCanonical)
        return {Outcome::NotFound, {}};
    if (!canonical.startsWith(inside))
        return {Outcome::Refused, {}};
    if (!QFileInfo(canonical).isFile())
        return {Outcome::NotFound, {}};
    return {Outcome::Found, canonical};
}
