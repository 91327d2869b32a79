#pragma once
// The demo lessons' pictures, drawn as painter paths: each thing a scene
// shows is a list of filled pieces painted in order, in pixels, standing on
// the origin (y grows downwards, so the thing lies above y = 0) and about
// 120 pixels tall.
#include "Courses.h"

#include <QColor>
#include <QPainterPath>
#include <vector>

struct Piece {
    QPainterPath Path;
    QColor Colour;
};
using Picture = std::vector<Piece>;

// Colour replaces the thing's main colour when valid.
Picture Draw(Prop Thing, const QColor &Colour = {});
// A speech bubble of the given size, its tail pointing down-left or down-right.
Picture SpeechBubble(int Width, int Height, bool TailLeft);
// A round push button face.
Picture ButtonFace(int Width, int Height, const QColor &Colour);
