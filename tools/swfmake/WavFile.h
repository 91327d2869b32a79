#pragma once
// Reads 16-bit PCM WAV files (what speech synthesizers write) for the
// lessons swfmake makes.
#include "SoundWriter.h"

#include <QString>
#include <optional>

namespace swfmake {

// The samples of the WAV file at `path`; nothing when it cannot be read,
// is not 16-bit PCM or has a rate movies cannot store (5512, 11025, 22050
// and 44100 Hz only). `why` says what went wrong.
std::optional<Pcm> readWav(const QString &path, QString *why = nullptr);

}
