#pragma once
// The programme player's status line, as the control panel shows it.
#include <QString>

namespace StreamStatus {
inline QString Ready() { return QStringLiteral("就绪"); }
inline QString Connecting() { return QStringLiteral("正在连接服务器……"); }
inline QString Buffering(int percent) { return QStringLiteral("正在缓冲 %1%").arg(percent); }
inline QString Playing() { return QStringLiteral("正在播放"); }
inline QString Paused() { return QStringLiteral("已暂停"); }
inline QString Stopped() { return QStringLiteral("已停止"); }
inline QString Finished() { return QStringLiteral("播放完毕"); }
}
