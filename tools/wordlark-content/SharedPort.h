#pragma once
// The http:// port, which also answers rtsp://: the program writes both
// kinds of address with the same host[:port], so a connection whose first
// request line ends in "RTSP/1.0" goes to the RTSP service and every other
// one to the HTTP service. The first line is looked at without taking it
// from the socket; a connection that sends no full line within ten seconds
// is closed.
#include <QTcpServer>
#include <functional>

class SharedPort : public QTcpServer {
    Q_OBJECT
public:
    // Takes an accepted RTSP connection: descriptor, peer address and port.
    using RtspTaker = std::function<void(qintptr, const QString &, int)>;

    explicit SharedPort(RtspTaker TakeRtsp, QObject *Parent = nullptr);

protected:
    void incomingConnection(qintptr Descriptor) override;

private:
    enum class Kind { Undecided, Http, Rtsp };
    static Kind Sniff(qintptr Descriptor);
    void Hand(qintptr Descriptor, Kind kind);

    RtspTaker FTakeRtsp;
};
