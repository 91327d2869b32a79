#include "FileSender.h"

namespace {

constexpr qint64 ChunkSize = 64 * 1024;
// Bytes allowed to wait in the socket before more is read from the file.
constexpr qint64 SocketBacklog = 256 * 1024;
constexpr int TickMs = 50;
constexpr int StallMs = 60 * 1000;

} // namespace

FileSender::FileSender(QHttpServerResponder &&Responder, const QString &File, qint64 First, qint64 Length,
                       qint64 BytesPerSecond, QObject *Parent)
    : QObject(Parent), FResponder(std::move(Responder)), FSocket(FResponder.socket()), FFile(File), FLeft(Length),
      FRate(BytesPerSecond)
{
    if (FFile.open(QIODevice::ReadOnly))
        FFile.seek(First);
    FTick.setInterval(TickMs);
    FStall.setInterval(StallMs);
    FStall.setSingleShot(true);
    connect(&FTick, &QTimer::timeout, this, [this] {
        FBudget = qMin(FBudget + FRate * TickMs / 1000 + 1, qMax<qint64>(FRate, 1));
        Pump();
    });
    connect(&FStall, &QTimer::timeout, this, [this] { Finish(false); });
}

FileSender::~FileSender() = default;

void FileSender::Start()
{
    if (!FSocket) {
        Finish(false);
        return;
    }
    connect(FSocket, &QTcpSocket::bytesWritten, this, [this] { Pump(); });
    connect(FSocket, &QTcpSocket::disconnected, this, [this] { Finish(false); });
    connect(FSocket, &QObject::destroyed, this, [this] { Finish(false); });
    if (FRate > 0)
        FTick.start();
    FStall.start();
    Pump();
}

void FileSender::Pump()
{
    if (FDone)
        return;
    if (!FSocket || FSocket->state() != QAbstractSocket::ConnectedState) {
        Finish(false);
        return;
    }
    while (FLeft > 0 && FSocket->bytesToWrite() < SocketBacklog) {
        qint64 want = qMin(FLeft, ChunkSize);
        if (FRate > 0)
            want = qMin(want, FBudget);
        if (want <= 0)
            return;
        const QByteArray chunk = FFile.read(want);
        if (chunk.isEmpty()) {
            // The file shrank or could not be read: the promised length
            // cannot be met, so the client must not take this as whole.
            Finish(false);
            return;
        }
        FResponder.writeBody(chunk);
        FLeft -= chunk.size();
        FSent += chunk.size();
        if (FRate > 0)
            FBudget -= chunk.size();
        FStall.start();
    }
    if (FLeft == 0 && FSocket->bytesToWrite() == 0)
        Finish(true);
}

void FileSender::Finish(bool Complete)
{
    if (FDone)
        return;
    FDone = true;
    FTick.stop();
    FStall.stop();
    if (FSocket) {
        FSocket->disconnect(this);
        if (Complete)
            FSocket->disconnectFromHost();
        else
            FSocket->abort();
    }
    Q_EMIT Finished(FSent, Complete);
}
