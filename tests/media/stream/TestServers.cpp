#include "TestServers.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>

SilentServer::SilentServer()
{
    server.listen(QHostAddress::LocalHost);
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            ++accepted;
            socket->setParent(this);
            connect(socket, &QTcpSocket::disconnected, this, [this] { ++closed; });
        }
    });
}

HttpFileServer::HttpFileServer()
{
    server.listen(QHostAddress::LocalHost);
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    trickle.setInterval(50);
    connect(&trickle, &QTimer::timeout, this, &HttpFileServer::Trickle);
}

QString HttpFileServer::Url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(Port()).arg(path);
}

void HttpFileServer::ServeFile(const QString &path, const QString &file)
{
    QFile in(file);
    if (in.open(QIODevice::ReadOnly))
        files.insert(path, in.readAll());
}

void HttpFileServer::Answer(QTcpSocket *socket)
{
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    int end = request.indexOf("\r\n\r\n");
    if (end < 0) {
        socket->setProperty("request", request);
        return;
    }
    socket->setProperty("request", QByteArray());
    ++requests;
    QList<QByteArray> lines = request.left(end).split('\n');
    QList<QByteArray> words = lines.value(0).trimmed().split(' ');
    QString path = QString::fromLatin1(words.value(1));
    qint64 first = 0;
    qint64 last = -1;
    static const QRegularExpression range(QStringLiteral("^range:\\s*bytes=(\\d+)-(\\d*)"),
                                          QRegularExpression::CaseInsensitiveOption);
    for (const QByteArray &line : lines) {
        QRegularExpressionMatch match = range.match(QString::fromLatin1(line.trimmed()));
        if (match.hasMatch()) {
            first = match.captured(1).toLongLong();
            last = match.captured(2).isEmpty() ? -1 : match.captured(2).toLongLong();
        }
    }
    auto found = files.constFind(path);
    if (words.value(0) != "GET" || found == files.constEnd()) {
        socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        return;
    }
    const QByteArray &body = *found;
    qint64 size = body.size();
    bool partial = first > 0 || last >= 0;
    if (partial)
        ++rangeRequests;
    if (last < 0 || last >= size)
        last = size - 1;
    if (first >= size) {
        socket->write(QStringLiteral("HTTP/1.1 416 Range Not Satisfiable\r\nContent-Range: bytes */%1\r\n"
                                     "Content-Length: 0\r\nConnection: close\r\n\r\n").arg(size).toLatin1());
        socket->disconnectFromHost();
        return;
    }
    QByteArray head = partial ? QByteArray("HTTP/1.1 206 Partial Content\r\n") : QByteArray("HTTP/1.1 200 OK\r\n");
    head += "Content-Type: application/octet-stream\r\nAccept-Ranges: bytes\r\nConnection: close\r\n";
    head += "Content-Length: " + QByteArray::number(last - first + 1) + "\r\n";
    if (partial)
        head += QStringLiteral("Content-Range: bytes %1-%2/%3\r\n").arg(first).arg(last).arg(size).toLatin1();
    socket->write(head + "\r\n");
    QByteArray part = body.mid(first, last - first + 1);
    if (rate <= 0) {
        socket->write(part);
        socket->disconnectFromHost();
        return;
    }
    pending.append({socket, part});
    trickle.start();
}

void HttpFileServer::Trickle()
{
    int chunk = std::max(1, rate / 20);
    for (auto it = pending.begin(); it != pending.end();) {
        if (!it->socket) {
            it = pending.erase(it);
            continue;
        }
        it->socket->write(it->rest.left(chunk));
        it->rest.remove(0, chunk);
        if (it->rest.isEmpty()) {
            it->socket->disconnectFromHost();
            it = pending.erase(it);
        } else {
            ++it;
        }
    }
    if (pending.isEmpty())
        trickle.stop();
}

RtspServer::RtspServer(const QString &mp3File, bool udpOnly)
{
    QString script = QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/rtspserve/rtspserve.py");
    if (!QFile::exists(script)) {
        why = QStringLiteral("no RTSP server script at ") + script;
        return;
    }
    // The system's Python carries GStreamer's bindings.
    QStringList args{script};
    if (udpOnly)
        args << QStringLiteral("--udp-only");
    process.start(QStringLiteral("/usr/bin/python3"), args << mp3File);
    if (!process.waitForStarted(5000)) {
        why = QStringLiteral("python3 did not start");
        return;
    }
    QDeadlineTimer deadline(10000);
    while (!process.canReadLine() && process.state() == QProcess::Running && !deadline.hasExpired())
        process.waitForReadyRead(100);
    QString line = QString::fromUtf8(process.readLine()).trimmed();
    if (line.startsWith(QLatin1String("rtsp://")))
        url = line;
    else
        why = QStringLiteral("the RTSP server did not start: ") + QString::fromUtf8(process.readAllStandardError());
}

RtspServer::~RtspServer()
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.closeWriteChannel();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}
