#pragma once
// A tiny HTTP server on 127.0.0.1 for loading tests: serves one body per
// path, optionally in slow pieces, a byte at a time or without end,
// redirects, fails or never answers.
#include <QHash>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

class TestHttpServer : public QObject {
public:
    // Drip sends the body a byte every dripMs; Endless declares a terabyte
    // and follows the body with zeros for as long as the client reads.
    enum class Mode { Serve, Slow, Truncate, Drip, Endless, Redirect, NotFound, Silent };
    struct Route {
        Mode mode = Mode::Serve;
        QByteArray body;
        QByteArray location;   // Redirect
        qsizetype firstPart = 0; // Slow and Truncate: bytes sent at once
    };

    TestHttpServer()
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            sockets.removeIf([](const QPointer<QTcpSocket> &s) { return !s; });
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                sockets.append(socket);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
                // A closed connection's socket goes at once, not with the server: a
                // soak makes hundreds of them.
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server.serverPort()).arg(path);
    }
    void route(const QByteArray &path, const Route &r) { routes.insert(path, r); }
    // Sends the rest of every slow body.
    void release()
    {
        for (auto &[socket, rest] : waiting)
            if (socket) {
                socket->write(rest);
                socket->flush();
            }
        waiting.clear();
    }
    int requests = 0;
    int dripMs = 1000;
    qint64 bytesSent = 0;
    // Connections accepted and not yet closed by either side.
    int open() const
    {
        return int(std::count_if(sockets.begin(), sockets.end(), [](const QPointer<QTcpSocket> &s) {
            return s && s->state() == QAbstractSocket::ConnectedState;
        }));
    }

private:
    void answer(QTcpSocket *socket)
    {
        QByteArray request = socket->peek(8192);
        if (!request.contains("\r\n\r\n"))
            return;
        socket->readAll();
        ++requests;
        QByteArray path = request.split(' ').value(1);
        Route r = routes.value(path, Route{Mode::NotFound, {}, {}, 0});
        switch (r.mode) {
        case Mode::Silent:
            return;
        case Mode::NotFound:
            socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found");
            socket->disconnectFromHost();
            return;
        case Mode::Redirect:
            socket->write("HTTP/1.1 302 Found\r\nLocation: " + r.location + "\r\nContent-Length: 0\r\n\r\n");
            return;
        case Mode::Serve:
        case Mode::Slow:
        case Mode::Truncate:
        case Mode::Drip:
        case Mode::Endless: {
            const QByteArray length = r.mode == Mode::Endless ? "1099511627776" : QByteArray::number(r.body.size());
            QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: application/x-shockwave-flash\r\nContent-Length: "
                + length + "\r\nConnection: close\r\n\r\n";
            if (r.mode == Mode::Drip) {
                send(socket, head);
                drip(socket, r.body);
            } else if (r.mode == Mode::Endless) {
                send(socket, head + r.body);
                connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { topUp(socket); });
            } else if (r.mode == Mode::Serve) {
                socket->write(head + r.body);
                socket->disconnectFromHost();
            } else {
                socket->write(head + r.body.left(r.firstPart));
                socket->flush();
                if (r.mode == Mode::Truncate)
                    socket->disconnectFromHost();
                else
                    waiting.append({QPointer<QTcpSocket>(socket), r.body.mid(r.firstPart)});
            }
            return;
        }
        }
    }

    void send(QTcpSocket *socket, const QByteArray &bytes) { bytesSent += socket->write(bytes); }
    void drip(QTcpSocket *socket, const QByteArray &rest)
    {
        if (rest.isEmpty() || socket->state() != QAbstractSocket::ConnectedState)
            return;
        send(socket, rest.left(1));
        QTimer::singleShot(dripMs, socket, [this, socket, rest] { drip(socket, rest.mid(1)); });
    }
    // Keeps one chunk of zeros ahead of the reader: the body is endless,
    // the server's own buffer is not.
    void topUp(QTcpSocket *socket)
    {
        constexpr qsizetype kChunk = 64 * 1024;
        if (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < kChunk)
            send(socket, QByteArray(kChunk, '\0'));
    }

    QTcpServer server;
    QHash<QByteArray, Route> routes;
    QList<QPointer<QTcpSocket>> sockets;
    QList<std::pair<QPointer<QTcpSocket>, QByteArray>> waiting;
};
