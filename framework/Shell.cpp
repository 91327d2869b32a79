#include "Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {
TUrlOpener &Opener()
{
    static TUrlOpener opener;
    return opener;
}

// The address as a URL: web and mail addresses as given, local files by
// their absolute path; an invalid URL when it is neither.
QUrl AddressUrl(const String &File, const String &Directory)
{
    const String address = File.trimmed();
    if (address.isEmpty())
        return {};
    const QUrl url(address, QUrl::StrictMode);
    const String scheme = url.scheme().toLower();
    if (url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto") ||
                          scheme == QLatin1String("ftp") || scheme == QLatin1String("file")))
        return url;
    const QFileInfo info(QDir(Directory.isEmpty() ? QDir::currentPath() : Directory), address);
    return info.exists() ? QUrl::fromLocalFile(info.absoluteFilePath()) : QUrl();
}
}

TUrlOpener SetUrlOpener(TUrlOpener NewOpener)
{
    TUrlOpener old = std::move(Opener());
    Opener() = std::move(NewOpener);
    return old;
}

int ShellExecute(HWND Wnd, const String &Operation, const String &File, const String &Parameters, const String &Directory,
                 int ShowCmd)
{
    if (!Operation.isEmpty() && Operation.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0)
        return SE_ERR_NOASSOC;
    const QUrl url = AddressUrl(File, Directory);
    if (!url.isValid())
        return SE_ERR_FNF;
    const TShellExecuteCall call{Wnd, Operation, File, Parameters, Directory, ShowCmd};
    const bool opened = Opener() ? Opener()(url, call) : QDesktopServices::openUrl(url);
    return opened ? SE_SUCCESS : SE_ERR_NOASSOC;
}
