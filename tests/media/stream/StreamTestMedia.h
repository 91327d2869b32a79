#pragma once
// Short media files made at test time by the ffmpeg command's own encoders,
// once per test run, in a temporary directory.
#include <QString>

namespace StreamTestMedia {
// The file's path; the test fails if ffmpeg could not make it.
QString Path(const QString &name);
// Makes `name` with ffmpeg's arguments `args` (inputs and output options).
bool Make(const QString &name, const QStringList &args);

// The standard clips, each made on first use.
QString RealAudio144();   // 1.5 s, RealAudio 14.4 in RealMedia
QString RealVideo10Ac3(); // 1.5 s, RealVideo 1 and AC3 in RealMedia
QString RealVideo20();    // 1.5 s, RealVideo 2 only, in RealMedia
QString Mp3();            // 1.5 s, MP3 at 32 kbit/s
QString TwoRateAc3();      // 1.5 s, the same sound at two bit rates, in Matroska
                          // (FFmpeg writes no valid multi-rate RealMedia)
QString Mpeg4Video();     // 1.5 s, MPEG-4 video and AAC in MP4
QString Ac3Long();         // 2 s, AC3 at 192 kbit/s in RealMedia
QString LongMp3();        // 30 s at 320 kbit/s, for seeking (large enough that a seek
                          // far ahead needs a new HTTP request, not reading on)
}
