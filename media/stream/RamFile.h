#pragma once
// A ".ram" file is a short text list of clip addresses, one a line, that
// FFmpeg does not read itself. We fetch it through FFmpeg's I/O layer (so the
// same interrupt callback and time-outs apply) and play the first address.
#include <QString>
#include <QStringList>

struct AVIOInterruptCB;

bool IsRamAddress(const QString &address);
// The addresses listed in a ".ram" file's text, in order; comments ("#...")
// and blank lines are skipped and a "--stop--" line ends the list.
QStringList ParseRamFile(const QByteArray &text);
// Reads the list at `address`. Returns an FFmpeg error code (< 0) or 0.
int ReadRamFile(const QString &address, const AVIOInterruptCB &interrupt, int timeoutMs,
                QStringList &addresses);
