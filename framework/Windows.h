#pragma once
// Constants of the windowing system that the framework keeps its numeric
// values for: text drawing flags, virtual keys, message box flags and
// results, scroll bar codes, hit-test codes and system commands.
// Window messages are in Messages.h.
#include "Types.h"

#include <cstdint>
#include <functional>

using UINT = unsigned int;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

// DrawText flags
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_EXPANDTABS = 0x0040;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;
constexpr UINT DT_END_ELLIPSIS = 0x8000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;

// Virtual keys
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F1 = 0x70;
constexpr int VK_F4 = 0x73;
constexpr int VK_F10 = 0x79;
constexpr int VK_F12 = 0x7B;

// MessageBox flags and results
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_ICONERROR = 0x0010;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONWARNING = 0x0030;
constexpr UINT MB_ICONINFORMATION = 0x0040;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Scroll bars
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_LINEUP = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_ENDSCROLL = 8;

// Hit-test results of WM_NCHITTEST
constexpr int HTERROR = -2;
constexpr int HTTRANSPARENT = -1;
constexpr int HTNOWHERE = 0;
constexpr int HTCLIENT = 1;
constexpr int HTCAPTION = 2;
constexpr int HTSYSMENU = 3;
constexpr int HTMINBUTTON = 8;
constexpr int HTMAXBUTTON = 9;
constexpr int HTLEFT = 10;
constexpr int HTRIGHT = 11;
constexpr int HTTOP = 12;
constexpr int HTTOPLEFT = 13;
constexpr int HTTOPRIGHT = 14;
constexpr int HTBOTTOM = 15;
constexpr int HTBOTTOMLEFT = 16;
constexpr int HTBOTTOMRIGHT = 17;
constexpr int HTBORDER = 18;
constexpr int HTCLOSE = 20;

// System commands of WM_SYSCOMMAND
constexpr int SC_SIZE = 0xF000;
constexpr int SC_MOVE = 0xF010;
constexpr int SC_MINIMIZE = 0xF020;
constexpr int SC_MAXIMIZE = 0xF030;
constexpr int SC_CLOSE = 0xF060;
constexpr int SC_RESTORE = 0xF120;

// Windows, regions and input state. A window handle is the control's
// QWidget; the functions below act on it the way the windowing system would.
class QWidget;
class QRegion;
using HWND = QWidget *;
using HRGN = QRegion *;

// Window styles (GWL_STYLE). Clearing WS_CAPTION on a top-level window
// removes the system frame.
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr long WS_BORDER = 0x00800000L;
constexpr long WS_DLGFRAME = 0x00400000L;
constexpr long WS_CAPTION = 0x00C00000L;
constexpr long WS_THICKFRAME = 0x00040000L;
constexpr long WS_SYSMENU = 0x00080000L;
constexpr long WS_MINIMIZEBOX = 0x00020000L;
constexpr long WS_MAXIMIZEBOX = 0x00010000L;
constexpr long WS_VISIBLE = 0x10000000L;
constexpr long WS_CHILD = 0x40000000L;
long GetWindowLong(HWND Wnd, int Index);
long SetWindowLong(HWND Wnd, int Index, long NewLong);

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;
bool ShowWindow(HWND Wnd, int CmdShow);
bool IsWindowVisible(HWND Wnd);
bool IsIconic(HWND Wnd);
bool IsZoomed(HWND Wnd);

// Messages to a window's control (nothing happens for a window without one).
LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
// Queued: the message is handled when the event loop next runs.
bool PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

// Regions, in window coordinates. CombineRgn writes Src1 (mode) Src2 into
// Dest. SetWindowRgn shapes the window and takes the region over; nullptr
// gives back the full window.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
constexpr int RGN_ERROR = 0;
HRGN CreateRectRgn(int X1, int Y1, int X2, int Y2);
// A rectangle (X1, Y1)-(X2, Y2), right and bottom edges excluded, with
// corners cut along ellipses of W x H.
HRGN CreateRoundRectRgn(int X1, int Y1, int X2, int Y2, int W, int H);
int CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, int Mode);
bool PtInRegion(HRGN Rgn, int X, int Y);
bool DeleteObject(HRGN Object);
int SetWindowRgn(HWND Wnd, HRGN Rgn, bool Redraw);

// Geometry of a window: GetWindowRect on the screen, GetClientRect from 0.
bool GetWindowRect(HWND Wnd, TRect *Rect);
bool GetClientRect(HWND Wnd, TRect *Rect);
bool InvalidateRect(HWND Wnd, const TRect *Rect, bool Erase);
bool UpdateWindow(HWND Wnd);

// The mouse: position on the screen, capture by a window.
bool GetCursorPos(TPoint *Point);
HWND SetCapture(HWND Wnd);
bool ReleaseCapture();
HWND GetCapture();
// The keyboard: the window with the focus; a key's state, negative while down.
HWND GetFocus();
HWND SetFocus(HWND Wnd);
short GetKeyState(int VirtKey);

// System settings: SPI_GETWORKAREA fills a TRect with the desktop area that
// windows may cover (the screen without panels).
constexpr UINT SPI_GETWORKAREA = 0x0030;
bool SystemParametersInfo(UINT Action, UINT Param, void *Data, UINT WinIni);

// Test seams: replace how the cursor position and the work area are read;
// an empty function restores the desktop's own answer.
void SetCursorPosProvider(std::function<TPoint()> Provider);
void SetWorkAreaProvider(std::function<TRect()> Provider);

// An input message as the application's OnMessage sees it.
struct TMsg {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// The state of an owner-drawn item: menu items, list and combo box items.
enum TOwnerDrawStateFlag : unsigned {
    odSelected = 0x1,
    odGrayed = 0x2,
    odDisabled = 0x4,
    odChecked = 0x8,
    odFocused = 0x10,
    odDefault = 0x20,
    odHotLight = 0x40,
    odInactive = 0x80,
    odNoAccel = 0x100,
    odComboBoxEdit = 0x1000,
};
using TOwnerDrawState = unsigned;
