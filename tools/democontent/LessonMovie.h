#pragma once
// Writes a demo lesson as a movie: a sky-and-meadow stage with a turning
// sun, the lesson's title, and one page after another; each page shows its
// English and Chinese text while its scene comes on, then stops. The
// buttons "再听一遍" (the page again) and "下一页" (the next page, after the
// last the first) jump between the pages, labelled "p1", "p2", ...
#include "Courses.h"
#include "SoundWriter.h"

#include <QByteArray>
#include <vector>

// The movie's frame rate, and the frames a page lasts at least; a page with
// a longer voice lasts until its voice has ended and a little more.
constexpr int FrameRate = 12;
constexpr int PageFrames = 36;

// Voices: each page's English spoken (one per page, mono 16-bit PCM), which
// the movie carries as its stream sound, each starting with its page; none
// for a silent movie. Empty when the fonts of its texts (DejaVu Sans,
// WenQuanYi Zen Hei) are not installed.
QByteArray LessonMovie(const Lesson &Lesson, const std::vector<swfmake::Pcm> &Voices = {});
// The first frame of each page, and the frame count after the last.
std::vector<int> PageStarts(const Lesson &Lesson, const std::vector<swfmake::Pcm> &Voices);
