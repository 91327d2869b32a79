#pragma once
// Sends a part of a file as a response body, a chunk at a time as the client
// takes it, so a large file or a slow client never fills memory. With a rate
// set, the body trickles at that many bytes per second (for tests of slow
// links). When the body is out, or the client has gone, or it took nothing
// for a minute, the connection is closed and Finished reports how it ended.
#include <QFile>
#include <QHttpServerResponder>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

class FileSender : public QObject {
    Q_OBJECT
public:
    // Responder has had its status line and headers written.
    FileSender(QHttpServerResponder &&Responder, const QString &File, qint64 First, qint64 Length,
               qint64 BytesPerSecond, QObject *Parent = nullptr);
    ~FileSender() override;

    void Start();

Q_SIGNALS:
    // Complete is false when the client went away or stalled first.
    void Finished(qint64 Sent, bool Complete);

private:
    void Pump();
    void Finish(bool Complete);

    QHttpServerResponder FResponder;
    QPointer<QTcpSocket> FSocket;
    QFile FFile;
    qint64 FLeft;
    qint64 FSent = 0;
    qint64 FRate;
    qint64 FBudget = 0;
    QTimer FTick;
    QTimer FStall;
    bool FDone = false;
};
