#include "Looks.h"

#include "SUIThemes.h"

namespace {

const Look MacOSLook{
    .back = QColor(231, 231, 231),
    .border = QColor(112, 112, 112),
    .faceTop = QColor(255, 255, 255), .faceBottom = QColor(214, 214, 214),
    .hotTop = QColor(175, 213, 250), .hotBottom = QColor(52, 131, 226),
    .downTop = QColor(120, 170, 230), .downBottom = QColor(30, 95, 190),
    .hotRing = QColor(),
    .boxTop = QColor(255, 255, 255), .boxBottom = QColor(215, 215, 215),
    .mark = QColor(20, 20, 20),
    .accentTop = QColor(160, 205, 250), .accentBottom = QColor(40, 115, 215), .accentBorder = QColor(45, 90, 160),
    .groove = QColor(190, 190, 190), .grooveBorder = QColor(128, 128, 128),
    .tabTop = QColor(252, 252, 252), .tabBottom = QColor(210, 210, 210),
    .scrollTop = QColor(252, 252, 252), .scrollBottom = QColor(205, 205, 205), .scrollBorder = QColor(120, 120, 120),
    .arrow = QColor(40, 40, 40),
    .radius = 10.5,
    .glossy = true,
};

const Look WinXPLook{
    .back = QColor(239, 235, 222),
    .border = QColor(0, 60, 116),
    .faceTop = QColor(255, 255, 255), .faceBottom = QColor(214, 208, 197),
    .hotTop = QColor(255, 255, 255), .hotBottom = QColor(220, 214, 203),
    .downTop = QColor(209, 204, 193), .downBottom = QColor(243, 241, 236),
    .hotRing = QColor(248, 179, 48),
    .boxTop = QColor(220, 220, 212), .boxBottom = QColor(255, 255, 255),
    .mark = QColor(33, 161, 33),
    .accentTop = QColor(190, 245, 190), .accentBottom = QColor(38, 190, 44), .accentBorder = QColor(30, 140, 30),
    .groove = QColor(240, 240, 234), .grooveBorder = QColor(157, 156, 153),
    .tabTop = QColor(255, 255, 255), .tabBottom = QColor(236, 235, 230),
    .scrollTop = QColor(212, 226, 253), .scrollBottom = QColor(178, 200, 247), .scrollBorder = QColor(150, 176, 230),
    .arrow = QColor(77, 97, 133),
    .radius = 3,
    .glossy = false,
};

const Look DeepBlueLook{
    .back = QColor(232, 232, 232),
    .border = QColor(28, 42, 86),
    .faceTop = QColor(248, 250, 254), .faceBottom = QColor(196, 206, 228),
    .hotTop = QColor(255, 255, 255), .hotBottom = QColor(170, 195, 240),
    .downTop = QColor(170, 184, 214), .downBottom = QColor(224, 230, 244),
    .hotRing = QColor(70, 130, 220),
    .boxTop = QColor(214, 222, 238), .boxBottom = QColor(255, 255, 255),
    .mark = QColor(18, 40, 110),
    .accentTop = QColor(70, 110, 200), .accentBottom = QColor(16, 34, 90), .accentBorder = QColor(10, 20, 60),
    .groove = QColor(40, 56, 100), .grooveBorder = QColor(14, 24, 56),
    .tabTop = QColor(246, 246, 250), .tabBottom = QColor(205, 210, 225),
    .scrollTop = QColor(60, 88, 160), .scrollBottom = QColor(22, 40, 96), .scrollBorder = QColor(12, 22, 58),
    .arrow = QColor(255, 255, 255),
    .radius = 3,
    .glossy = false,
};

const Look ProteinLook{
    .back = QColor(251, 251, 251),
    .border = QColor(150, 150, 154),
    .faceTop = QColor(255, 255, 255), .faceBottom = QColor(226, 226, 230),
    .hotTop = QColor(255, 255, 255), .hotBottom = QColor(240, 220, 220),
    .downTop = QColor(222, 214, 214), .downBottom = QColor(248, 246, 246),
    .hotRing = QColor(214, 40, 48),
    .boxTop = QColor(236, 236, 238), .boxBottom = QColor(255, 255, 255),
    .mark = QColor(200, 24, 36),
    .accentTop = QColor(240, 110, 110), .accentBottom = QColor(168, 16, 28), .accentBorder = QColor(120, 10, 20),
    .groove = QColor(214, 214, 218), .grooveBorder = QColor(150, 150, 154),
    .tabTop = QColor(255, 255, 255), .tabBottom = QColor(228, 228, 232),
    .scrollTop = QColor(255, 255, 255), .scrollBottom = QColor(222, 222, 226), .scrollBorder = QColor(160, 160, 164),
    .arrow = QColor(190, 24, 36),
    .radius = 4,
    .glossy = false,
};

const Look BlueGlassLook{
    .back = QColor(231, 231, 231),
    .border = QColor(44, 94, 176),
    .faceTop = QColor(232, 242, 254), .faceBottom = QColor(160, 198, 244),
    .hotTop = QColor(240, 252, 255), .hotBottom = QColor(96, 200, 255),
    .downTop = QColor(120, 165, 225), .downBottom = QColor(185, 215, 250),
    .hotRing = QColor(),
    .boxTop = QColor(205, 225, 250), .boxBottom = QColor(255, 255, 255),
    .mark = QColor(18, 70, 170),
    .accentTop = QColor(140, 195, 255), .accentBottom = QColor(24, 84, 200), .accentBorder = QColor(20, 60, 150),
    .groove = QColor(170, 200, 240), .grooveBorder = QColor(60, 110, 190),
    .tabTop = QColor(240, 246, 255), .tabBottom = QColor(196, 218, 246),
    .scrollTop = QColor(190, 220, 255), .scrollBottom = QColor(80, 140, 225), .scrollBorder = QColor(40, 90, 170),
    .arrow = QColor(20, 60, 150),
    .radius = 9,
    .glossy = true,
};

} // namespace

const Look &LookOf(int style)
{
    switch (style) {
    case MacOS: return MacOSLook;
    case WinXP: return WinXPLook;
    case DeepBlue: return DeepBlueLook;
    case Protein: return ProteinLook;
    default: return BlueGlassLook;
    }
}
