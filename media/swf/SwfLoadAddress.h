#pragma once
// Where a movie may load from: addresses are relative to the movie's own
// address; a movie from the web loads only from its own host, a local movie
// only local files in its own folder or below it.
#include <QString>

namespace swf {

// `relative` resolved against the address of the movie that names it.
QString resolveAddress(const QString &base, const QString &relative);

// `relative` resolved against `base` when the movie at `base` may load it;
// empty when it may not (another host, a web address from a local movie, a
// local file from a web movie or outside the movie's folder, any other
// scheme). A local file's address loses its query ("?a=1").
QString permittedAddress(const QString &base, const QString &relative);

}
