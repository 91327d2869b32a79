#pragma once
// The folder shared objects are kept in, in files at the places
// sharedObjectPath gives. The files of one host together may take at most
// kSiteCapBytes: a write that would pass it is refused, and so is reading
// a file larger than that. Files are replaced whole, so a failed write
// leaves the one before.
#include <QByteArray>
#include <QString>
#include <optional>

namespace swf::avm1 {

class SharedObjectStore {
public:
    static constexpr qint64 kSiteCapBytes = 100 * 1024;

    // The user's own folder for them.
    static QString defaultFolder();

    explicit SharedObjectStore(QString folder = defaultFolder()) : root(std::move(folder)) {}

    const QString &folder() const { return root; }
    // The stored bytes; nothing when there is no file or it cannot be read.
    std::optional<QByteArray> read(const QString &path) const;
    // Whether `bytes` may replace the file at `path` without passing the cap.
    bool fits(const QString &path, qint64 bytes) const;
    // False when the file does not fit or cannot be written.
    bool write(const QString &path, const QByteArray &bytes);
    void remove(const QString &path);

private:
    QString root;
};

}
