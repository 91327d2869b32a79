#pragma once
// Loopback servers for the programme control's tests: one that accepts and
// never answers, a small HTTP file server with range requests, and the RTSP
// server script (GStreamer's RTSP server) run as a child process.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// Accepts connections and never sends a byte.
class SilentServer : public QObject {
public:
    SilentServer();
    quint16 Port() const { return server.serverPort(); }
    int Accepted() const { return accepted; }
    // Connections the client has closed.
    int Closed() const { return closed; }

private:
    QTcpServer server;
    int accepted = 0;
    int closed = 0;
};

// Serves files by path with GET, honouring "Range: bytes=a-" and "a-b".
// Unknown paths get 404. With a rate set, bodies trickle at that many bytes
// per second.
class HttpFileServer : public QObject {
public:
    HttpFileServer();
    quint16 Port() const { return server.serverPort(); }
    QString Url(const QString &path) const;
    void Serve(const QString &path, const QByteArray &body) { files.insert(path, body); }
    void ServeFile(const QString &path, const QString &file);
    void SetRate(int bytesPerSecond) { rate = bytesPerSecond; }
    int Requests() const { return requests; }
    int RangeRequests() const { return rangeRequests; }

private:
    void Answer(QTcpSocket *socket);
    void Trickle();

    QTcpServer server;
    QHash<QString, QByteArray> files;
    int rate = 0;
    int requests = 0;
    int rangeRequests = 0;
    struct Pending {
        QPointer<QTcpSocket> socket;
        QByteArray rest;
    };
    QList<Pending> pending;
    QTimer trickle;
};

// tools/rtspserve/rtspserve.py serving one MP3 file, over any transport or
// over UDP only.
class RtspServer {
public:
    explicit RtspServer(const QString &mp3File, bool udpOnly = false);
    ~RtspServer();
    // The clip's address, or empty when the server could not start (Why() tells).
    QString Url() const { return url; }
    QString Why() const { return why; }

private:
    QProcess process;
    QString url;
    QString why;
};
