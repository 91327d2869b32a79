// The content server's request parsing: a Range header (the input up to its
// first newline) against a file of 1000 bytes, and a request path (the
// rest) against a small content folder. A part must lie inside the file
// and a found file inside the folder.
#include "ByteRange.h"
#include "ContentRoot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const ContentRoot root = [] {
        QDir().mkpath(dir.path() + "/content/a");
        QFile file(dir.path() + "/content/a/b.swf");
        file.open(QIODevice::WriteOnly);
        QFile secret(dir.path() + "/secret");
        secret.open(QIODevice::WriteOnly);
        QFile::link(dir.path() + "/secret", dir.path() + "/content/out");
        return ContentRoot(dir.path() + "/content");
    }();
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype newline = input.indexOf('\n');
    const ByteRange range = ByteRange::Parse(input.left(newline < 0 ? input.size() : newline), 1000);
    if (range.Result != ByteRange::Kind::Unsatisfiable && (range.First < 0 || range.Last > 999 || range.First > range.Last))
        std::abort();
    const QString path = QUrl::fromPercentEncoding(newline < 0 ? QByteArray() : input.mid(newline + 1));
    const ContentRoot::Lookup found = root.Resolve(path);
    if (found.Result == ContentRoot::Outcome::Found && !found.File.startsWith(root.Folder() + "/"))
        std::abort();
    return 0;
}
