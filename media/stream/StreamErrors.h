#pragma once
// How a clip's failure to open or to play is told: what happened, in the
// user's words, and the technical reason for the log.
#include <QString>

struct StreamFailure {
    QString what;   // empty: no failure
    QString detail; // FFmpeg's own words
    bool Failed() const { return !what.isEmpty(); }
};

// An FFmpeg error code from opening or reading a clip at `address`. `logged`
// is the last error FFmpeg logged meanwhile: for a network failure it often
// knows more than the code (a host name that cannot be resolved comes back
// as a mere input/output error).
StreamFailure DescribeStreamError(int averror, const QString &logged, const QString &address);
// The open deadline or a read time-out passed.
StreamFailure TimedOutFailure(const QString &address);
// The clip opened but holds nothing that can be played.
StreamFailure NoMediaFailure();
StreamFailure NoStreamsFailure();
