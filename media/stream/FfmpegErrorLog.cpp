#include "FfmpegErrorLog.h"

#include <mutex>

extern "C" {
#include <libavutil/log.h>
}

namespace {
thread_local FfmpegErrorLog *current = nullptr;
}

void FfmpegErrorLog::Callback(void *context, int level, const char *format, va_list args)
{
    if (current && level <= AV_LOG_ERROR) {
        va_list copy;
        va_copy(copy, args);
        char line[1024];
        int printPrefix = 0; // the text only, without "[tcp @ 0x...]"
        av_log_format_line2(context, level, format, copy, line, sizeof line, &printPrefix);
        va_end(copy);
        const QString text = QString::fromUtf8(line).trimmed();
        if (!text.isEmpty())
            current->last = text;
    }
    av_log_default_callback(context, level, format, args);
}

FfmpegErrorLog::FfmpegErrorLog() : outer(current)
{
    static std::once_flag installed;
    std::call_once(installed, [] { av_log_set_callback(&FfmpegErrorLog::Callback); });
    current = this;
}

FfmpegErrorLog::~FfmpegErrorLog()
{
    current = outer;
}
