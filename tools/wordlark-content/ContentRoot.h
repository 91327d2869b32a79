#pragma once
// The one folder the content server serves. Maps a request's decoded path to
// a regular file inside the folder, and refuses everything that would leave
// it: "." and ".." segments (however they were encoded), backslashes, NUL
// bytes, and symbolic links that point outside.
#include <QString>

class ContentRoot {
public:
    explicit ContentRoot(const QString &folder);

    // False when the folder does not exist.
    bool Valid() const { return !FCanonical.isEmpty(); }
    QString Folder() const { return FCanonical; }

    enum class Outcome { Found, NotFound, Refused };
    struct Lookup {
        Outcome Result = Outcome::NotFound;
        QString File; // the file's canonical path when found
    };
    // Path is the request's path, already percent-decoded once (UTF-8).
    Lookup Resolve(const QString &Path) const;

private:
    QString FCanonical;
};
