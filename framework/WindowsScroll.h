#pragma once
// Scroll bars of a window with native scroll bars (a list box, a memo, a
// tree): the range, page and position, and the bar's state and thumb, as
// the windowing system reports them.
#include "Windows.h"

// Scroll bars of a window with native scroll bars (a list box, a memo, a
// tree): the range, page and position, and the bar's state and thumb.
using DWORD = uint32_t;
constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
struct TScrollInfo {
    UINT cbSize = sizeof(TScrollInfo);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};
// Fills the fields fMask asks for; false for a window without scroll bars
// or a cbSize other than sizeof(TScrollInfo). The last position is
// nMax - nPage + 1.
bool GetScrollInfo(HWND Wnd, int Bar, TScrollInfo *Info);

constexpr long OBJID_HSCROLL = -6;
constexpr long OBJID_VSCROLL = -5;
constexpr DWORD STATE_SYSTEM_UNAVAILABLE = 0x0001;
constexpr DWORD STATE_SYSTEM_PRESSED = 0x0008;
constexpr DWORD STATE_SYSTEM_INVISIBLE = 0x8000;
constexpr DWORD STATE_SYSTEM_OFFSCREEN = 0x10000;
struct TScrollBarInfo {
    DWORD cbSize = sizeof(TScrollBarInfo);
    TRect rcScrollBar;  // on the screen
    int dxyLineButton = 0;
    int xyThumbTop = 0; // from the bar's top (left) edge
    int xyThumbBottom = 0;
    int reserved = 0;
    DWORD rgstate[6] = {};  // [0] the bar itself: INVISIBLE when hidden, UNAVAILABLE when it cannot scroll
};
// False for a window without scroll bars or a cbSize other than
// sizeof(TScrollBarInfo).
bool GetScrollBarInfo(HWND Wnd, long IdObject, TScrollBarInfo *Info);
