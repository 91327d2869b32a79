#pragma once
// Status texts for the ways a clip can fail to open or to play.
#include <QString>

// A user-facing text for an FFmpeg error code from opening or reading.
QString DescribeStreamError(int averror);

inline const char *const kTimedOutText = "Connection timed out";
inline const char *const kNoMediaText = "Not a playable media file";
inline const char *const kNoStreamsText = "No playable sound or picture in this clip";
