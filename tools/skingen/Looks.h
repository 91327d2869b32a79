#pragma once
// The colours of each style's controls: one set of parameters per look,
// shared by the painters of faces, boxes, bars, tabs and scroll bars.
#include <QColor>

struct Look {
    QColor back;                     // the form colour the controls stand on
    QColor border;                   // outline of faces and boxes
    QColor faceTop, faceBottom;      // push button face
    QColor hotTop, hotBottom;        // face under the mouse
    QColor downTop, downBottom;      // pressed face
    QColor hotRing;                  // ring of a face or box under the mouse (invalid: none)
    QColor boxTop, boxBottom;        // inside of check boxes and radio buttons
    QColor mark;                     // check mark and radio dot
    QColor accentTop, accentBottom;  // progress fill, thumbs, sliders, active tab
    QColor accentBorder;
    QColor groove, grooveBorder;     // track bar groove
    QColor tabTop, tabBottom;        // inactive tab
    QColor scrollTop, scrollBottom;  // scroll bar buttons and thumb
    QColor scrollBorder;
    QColor arrow;                    // scroll arrows
    qreal radius;                    // corner radius of faces
    bool glossy;                     // faces, thumbs and sliders carry a gloss
};

// The look of a style 1 (MacOS) to 5 (BlueGlass).
const Look &LookOf(int style);
