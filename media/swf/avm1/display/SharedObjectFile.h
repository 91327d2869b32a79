#pragma once
// The bytes of a stored shared object: a header naming the object, then
// its data as AMF0 name-value pairs, each pair followed by a zero byte.
#include <QByteArray>
#include <QString>
#include <optional>

namespace swf::avm1 {

struct SharedObjectContents {
    QString name;
    QByteArray pairs;
};

QByteArray sharedObjectFile(const QString &name, const QByteArray &pairs);
// The contents of a stored file; nothing when the bytes are not one, its
// sizes disagree or it holds another encoding than AMF0.
std::optional<SharedObjectContents> readSharedObjectFile(const QByteArray &file);

}
