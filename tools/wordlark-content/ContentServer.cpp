#include "ContentServer.h"

#include <QHostAddress>

ContentServer::ContentServer(const ContentServerOptions &Options, RequestLog &Log)
    : FOptions(Options), FRoot(Options.Root), FHttp(FRoot, Log, Options.BytesPerSecond), FRtsp(FRoot, Log),
      FPort([this](qintptr descriptor, const QString &peer, int port) { FRtsp.Adopt(descriptor, peer, port); })
{
}

ContentServer::~ContentServer()
{
    FPort.close();
    FRtsp.Stop();
}

bool ContentServer::Start(QString &Error)
{
    if (!FRoot.Valid()) {
        Error = QStringLiteral("%1 is not a folder").arg(FOptions.Root);
        return false;
    }
    const QHostAddress address(FOptions.Address);
    if (address.isNull()) {
        Error = QStringLiteral("%1 is not an IP address").arg(FOptions.Address);
        return false;
    }
    FRtspPort = FRtsp.Start(FOptions.Address, FOptions.RtspPort, Error);
    if (FRtspPort == 0)
        return false;
    if (!FPort.listen(address, quint16(FOptions.HttpPort))) {
        Error = FPort.errorString();
        return false;
    }
    FHttp.bind(&FPort);
    return true;
}

int ContentServer::HttpPort() const
{
    return FPort.serverPort();
}
