#pragma once
// Handing addresses to the desktop: web pages and mail addresses open in the
// user's own programs. Nothing is ever run through a command line.
#include "SysUtils.h"
#include "Windows.h"

#include <functional>

class QUrl;

// What ShellExecute was asked to do.
struct TShellExecuteCall {
    HWND Wnd = nullptr;
    String Operation;
    String File;
    String Parameters;
    String Directory;
    int ShowCmd = 0;
};

// Results below 32 are errors, as the shell reports them.
constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int SE_ERR_NOASSOC = 31;
constexpr int SE_SUCCESS = 42;

// "open" (or an empty operation) of a web address, a "mailto:" address or
// an existing local file opens it with the desktop's handler. Returns
// SE_SUCCESS, SE_ERR_FNF for an empty or unusable address, SE_ERR_NOASSOC
// for another operation or when the desktop has no handler.
int ShellExecute(HWND Wnd, const String &Operation, const String &File, const String &Parameters, const String &Directory,
                 int ShowCmd);

// Test seam: the opener receives each address ShellExecute would open and
// says whether it could; an empty opener brings back the desktop's.
using TUrlOpener = std::function<bool(const QUrl &Url, const TShellExecuteCall &Call)>;
TUrlOpener SetUrlOpener(TUrlOpener Opener);
