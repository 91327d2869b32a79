#pragma once
// Writes a demo lesson as a movie: a sky-and-meadow stage with a turning
// sun, the lesson's title, and one page after another; each page shows its
// English and Chinese text while its scene comes on, then stops. The
// buttons "再听一遍" (the page again) and "下一页" (the next page, after the
// last the first) jump between the pages, labelled "p1", "p2", ...
#include "Courses.h"

#include <QByteArray>

// Frames each page lasts at the movie's 12 frames per second.
constexpr int PageFrames = 36;

// Empty when the fonts of its texts (DejaVu Sans, WenQuanYi Zen Hei) are
// not installed.
QByteArray LessonMovie(const Lesson &Lesson);
