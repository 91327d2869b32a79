#include "SharedPort.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTcpSocket>
#include <QTimer>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Longest first line looked for; past it the connection is HTTP's to answer.
constexpr int LineLimit = 4096;
constexpr int WaitMs = 10 * 1000;
// Pause before looking again at a line that has come only in part.
constexpr int RetryMs = 20;

} // namespace

SharedPort::SharedPort(RtspTaker TakeRtsp, QObject *Parent) : QTcpServer(Parent), FTakeRtsp(std::move(TakeRtsp)) {}

SharedPort::Kind SharedPort::Sniff(qintptr Descriptor)
{
    char buffer[LineLimit];
    const ssize_t got = ::recv(int(Descriptor), buffer, sizeof buffer, MSG_PEEK | MSG_DONTWAIT);
    if (got == 0)
        return Kind::Http; // closed before a request: HTTP's side ends it
    if (got < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? Kind::Undecided : Kind::Http;
    const QByteArray seen(buffer, got);
    const qsizetype end = seen.indexOf('\n');
    if (end < 0)
        return got >= LineLimit ? Kind::Http : Kind::Undecided;
    return seen.left(end).trimmed().endsWith(" RTSP/1.0") ? Kind::Rtsp : Kind::Http;
}

void SharedPort::incomingConnection(qintptr Descriptor)
{
    // Waits for the first line with a notifier; a line that comes in pieces
    // is looked at again after a short pause rather than on every wake-up.
    auto *notifier = new QSocketNotifier(Descriptor, QSocketNotifier::Read, this);
    auto *retry = new QTimer(notifier);
    retry->setSingleShot(true);
    const QDeadlineTimer deadline(WaitMs);
    auto look = [this, notifier, retry, Descriptor, deadline] {
        const Kind kind = Sniff(Descriptor);
        if (kind == Kind::Undecided && !deadline.hasExpired()) {
            notifier->setEnabled(false);
            retry->start(RetryMs);
            return;
        }
        notifier->setEnabled(false);
        notifier->deleteLater();
        if (kind == Kind::Undecided)
            ::close(int(Descriptor));
        else
            Hand(Descriptor, kind);
    };
    connect(notifier, &QSocketNotifier::activated, this, look);
    connect(retry, &QTimer::timeout, this, [notifier] { notifier->setEnabled(true); });
    // A silent client never wakes the notifier: the deadline still ends it.
    auto *timeout = new QTimer(notifier);
    timeout->setSingleShot(true);
    connect(timeout, &QTimer::timeout, this, look);
    timeout->start(WaitMs + RetryMs);
}

void SharedPort::Hand(qintptr Descriptor, Kind kind)
{
    if (kind == Kind::Rtsp) {
        sockaddr_storage peer{};
        socklen_t length = sizeof peer;
        QHostAddress address;
        int port = 0;
        if (::getpeername(int(Descriptor), reinterpret_cast<sockaddr *>(&peer), &length) == 0) {
            address.setAddress(reinterpret_cast<sockaddr *>(&peer));
            port = peer.ss_family == AF_INET6 ? ntohs(reinterpret_cast<sockaddr_in6 *>(&peer)->sin6_port)
                                              : ntohs(reinterpret_cast<sockaddr_in *>(&peer)->sin_port);
        }
        FTakeRtsp(Descriptor, address.toString(), port);
        return;
    }
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(Descriptor)) {
        delete socket;
        ::close(int(Descriptor));
        return;
    }
    addPendingConnection(socket);
    Q_EMIT newConnection();
}
