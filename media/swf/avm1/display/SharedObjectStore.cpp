#include "SharedObjectStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace swf::avm1 {

QString SharedObjectStore::defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("movie-data"));
}

std::optional<QByteArray> SharedObjectStore::read(const QString &path) const
{
    QFile file(QDir(root).filePath(path));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kSiteCapBytes)
        return std::nullopt;
    QByteArray bytes = file.read(kSiteCapBytes + 1);
    if (bytes.size() > kSiteCapBytes)
        return std::nullopt;
    return bytes;
}

bool SharedObjectStore::fits(const QString &path, qint64 bytes) const
{
    const QString site = QDir(root).filePath(path.section(QLatin1Char('/'), 0, 0));
    const QString own = QFileInfo(QDir(root).filePath(path)).absoluteFilePath();
    qint64 total = bytes;
    QDirIterator files(site, {QStringLiteral("*.sol")}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext() && total <= kSiteCapBytes) {
        files.next();
        if (files.fileInfo().absoluteFilePath() != own)
            total += files.fileInfo().size();
    }
    return total <= kSiteCapBytes;
}

bool SharedObjectStore::write(const QString &path, const QByteArray &bytes)
{
    if (!fits(path, bytes.size()))
        return false;
    const QString target = QDir(root).filePath(path);
    if (!QDir().mkpath(QFileInfo(target).path()))
        return false;
    QSaveFile file(target);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

void SharedObjectStore::remove(const QString &path)
{
    QFile::remove(QDir(root).filePath(path));
}

}
