#pragma once
// What the test process holds right now, read from /proc: resident memory,
// threads and open sockets, for the soak tests' before-and-after checks.
#include "WaitFor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <malloc.h>

namespace ProcessUse {

// Resident memory in KiB, after the allocator has handed back what it keeps
// free: what is left is memory in use, not the allocator's spare pages.
inline qint64 ResidentKiB()
{
    malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

inline int Threads()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

inline int Sockets()
{
    int sockets = 0;
    QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot))
        sockets += QFileInfo(fds.filePath(fd)).symLinkTarget().contains(QLatin1String("socket:["));
    return sockets;
}

// What the process holds at one moment.
struct Held {
    qint64 residentKiB;
    int threads;
    int sockets;
};

inline Held Now()
{
    return {ResidentKiB(), Threads(), Sockets()};
}

// Resident memory says nothing about leaks under AddressSanitizer: it keeps
// freed memory in quarantine on purpose. Its leak checker covers them there.
constexpr bool kResidentMemoryMeaningful =
#if defined(__SANITIZE_ADDRESS__)
    false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    false;
#else
    true;
#endif
#else
    true;
#endif

// After a soak: the threads and sockets started since the warm-up end soon,
// and resident memory has grown by less than the slack.
inline void ExpectBackTo(const Held &warm, qint64 slackKiB)
{
    EXPECT_TRUE(WaitFor([&] { return Threads() <= warm.threads; }, 5000))
        << Threads() << " threads, " << warm.threads << " after the warm-up";
    EXPECT_TRUE(WaitFor([&] { return Sockets() <= warm.sockets; }, 5000))
        << Sockets() << " sockets, " << warm.sockets << " after the warm-up";
    if (kResidentMemoryMeaningful) {
        EXPECT_LT(ResidentKiB() - warm.residentKiB, slackKiB)
            << "resident memory grew from " << warm.residentKiB << " KiB";
    }
}

}
