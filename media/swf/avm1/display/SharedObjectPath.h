#pragma once
// Where a movie's shared object is kept, relative to the folder of all
// shared objects: "<host>/<path>/<name>.sol", the host "localhost" for a
// local movie. The path is the movie's own (its file name included) or,
// when the movie names one, a shorter path leading to it, so movies of one
// site can share objects. Names are made of path parts separated by "/"; a
// name or path that is empty, has an empty, "." or ".." part or one of the
// characters ~%&\;:"',<>?# or a space gives no place.
#include <QString>
#include <optional>

namespace swf::avm1 {

QString sharedObjectPath(const QString &movieAddress, const QString &name,
                         const std::optional<QString> &localPath = std::nullopt);

}
