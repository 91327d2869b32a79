#pragma once
// Pictures of the skinned controls in a style's look: push button faces,
// check boxes, radio buttons, progress bars, tabs, track bars and scroll bars.
#include "Paint.h"

#include <QSize>

// A face cut by corners, edges and centre: opaque on the form colour, or
// with the magenta key around it in the styles whose faces are see-through.
QImage ButtonFace(int style, QSize size, MouseState state);
QImage CheckBoxPicture(int style, QSize size, bool checked, MouseState state);
// Keyed: the top-left pixel is the magenta key.
QImage RadioPicture(int style, QSize size, bool checked, MouseState state);
// The filled part, stretched along the bar.
QImage ProgressPicture(int style, QSize size, bool vertical);
// Three equal columns (left cap, middle, right cap), keyed at the top-left pixel.
QImage TabPicture(int style, QSize size, bool active);
// The top edge of the tab body, stretched under the tabs.
QImage TabLinePicture(int style, QSize size);
// Three equal columns of the groove, on the track bar's colour.
QImage TrackBarPicture(int style, QSize size);
// The slider over the middle of the bar picture: pointing down, or right
// when vertical (the bar then lies turned under it).
QImage SliderPicture(int style, QSize size, bool vertical, const QImage &bar);
// The arrow buttons of a vertical scroll bar.
QImage ScrollButtonPicture(int style, QSize size, bool up, MouseState state);
// The thumb as a vertical strip of three equal parts: top cap, middle, bottom cap.
QImage ScrollThumbPicture(int style, QSize size);
