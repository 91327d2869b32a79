#pragma once
// Keeps the last error FFmpeg logs on the calling thread while an instance
// lives there. FFmpeg often says more in its log than in the code it returns:
// a host name that cannot be resolved comes back as an input/output error.
// Everything logged still reaches FFmpeg's own output as before.
#include <QString>

#include <cstdarg>

class FfmpegErrorLog {
public:
    FfmpegErrorLog();
    ~FfmpegErrorLog();
    FfmpegErrorLog(const FfmpegErrorLog &) = delete;
    FfmpegErrorLog &operator=(const FfmpegErrorLog &) = delete;

    // The last error line logged on this thread since Clear (empty if none).
    const QString &Last() const { return last; }
    void Clear() { last.clear(); }

private:
    static void Callback(void *context, int level, const char *format, va_list args);
    FfmpegErrorLog *outer;
    QString last;
};
