#pragma once
// A tiny HTTP server on 127.0.0.1 for loading tests: serves one body per
// path, optionally in slow pieces, redirects, fails or never answers.
#include <QHash>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

class TestHttpServer : public QObject {
public:
    enum class Mode { Serve, Slow, Truncate, Redirect, NotFound, Silent };
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
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                sockets.append(socket);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
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

private:
    void answer(QTcpSocket *socket)
    {
        QByteArray request = socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
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
        case Mode::Truncate: {
            QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: application/x-shockwave-flash\r\nContent-Length: "
                + QByteArray::number(r.body.size()) + "\r\nConnection: close\r\n\r\n";
            if (r.mode == Mode::Serve) {
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

    QTcpServer server;
    QHash<QByteArray, Route> routes;
    QList<QTcpSocket *> sockets;
    QList<std::pair<QPointer<QTcpSocket>, QByteArray>> waiting;
};
