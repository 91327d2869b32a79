#pragma once
// Spoken English made with espeak-ng, kept in a cache folder under a name
// drawn from what is said and how, so that it is made once and again only
// when the words change.
#include "Courses.h"

#include <QString>

class Speech {
public:
    explicit Speech(const QString &CacheFolder);

    // A WAV file of Text read by Voice; empty with Error set when espeak-ng
    // failed.
    QString Say(const QString &Text, const QString &Voice, QString &Error) const;
    // The programme as an MP3 file: each line read twice with pauses to say
    // it after (the first line, the greeting, once).
    QString Programme(const ::Programme &Programme, QString &Error) const;

private:
    QString FFolder;
};

// Runs Program with Arguments; false with Error set when it could not start
// or did not end well.
bool RunTool(const QString &Program, const QStringList &Arguments, QString &Error);
