#pragma once
// Ready-made movies: the demo lesson and the busy frame of the benchmarks.
#include "SoundWriter.h"

#include <QByteArray>

namespace swfmake {

// A 550 x 400 animated scene of 48 frames at 12 frames per second: sky and
// ground gradients, a turning sun sprite, a bouncing ball, a morphing
// flower, a bitmap-filled sign, a masked window, a title and play and
// pause buttons; it loops.
QByteArray demoMovie(char compression = 'C');
// One 550 x 400 frame of `shapes` shapes with gradient fills, curved edges
// and outlines, spread over the stage.
QByteArray busyMovie(int shapes, char compression = 'F');
// A 550 x 400 lesson at 12 frames per second: an apple grows while `word`
// is spoken as stream sound, then `praise` plays as an event sound and the
// lesson stops. Both are MP3 where FFmpeg can encode it, PCM otherwise.
QByteArray spokenLesson(const Pcm &word, const Pcm &praise, char compression = 'C');
// Two 200 x 200 frames holding a record of every kind the reader knows, with
// every field in use (filters, clip actions, font layout, line style flags,
// button effects...): a seed for the movie fuzz target.
QByteArray recordsMovie(char compression = 'F');

}
