#pragma once
// Pictures of a style's title bar: its three sections and its window buttons.
#include "Paint.h"

#include <QSize>

enum class TitleSection { Left, Client, Right };
enum class TitleButtonKind { Close, Maximise, Minimise, Help, ControlBox, Restore };

// A section as tall as the title bar; the client section is stretched
// sideways, so it only changes from row to row.
QImage TitleSectionPicture(int style, TitleSection section, QSize size);
// A button as it shows on the bar at the style's button top: laid on the
// bar where the style draws its buttons opaque, keyed at the bottom-left
// pixel where it draws them transparent.
QImage TitleButtonPicture(int style, TitleButtonKind kind, MouseState state, QSize size, int barHeight);
