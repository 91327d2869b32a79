#pragma once
// The pictures with fixed names outside the theme table: the menu check
// mark, the MacOS menu and combo box pictures, the two form patterns, the
// side channel's bar and pins and the font combo box's glyphs.
#include <QImage>

QImage MenuCheckedPicture();      // 16 x 16, on white (the menu masks white)
QImage MacMenuBarPicture();       // 1 x 22
QImage MacMenuSelectPicture();    // 1 x 21
QImage MacFormBackground();       // 8 x 8 pinstripes
QImage ProteinFormBackground();   // 8 x 8
QImage MacComboButtonPicture();   // 16 x 17
QImage SideChannelBarPicture(bool mouseOn); // 8 x 172
QImage SideChannelPinPicture(bool onTop);   // 8 x 7 pushed in, 7 x 9 standing
QImage FontGlyphPicture(bool trueType);     // 20 x 12, keyed at the bottom-left
