#pragma once
// The content server: one content folder served over http:// and rtsp://.
// The http:// port answers RTSP too (see SharedPort); the rtsp:// port is
// GStreamer's own listener.
#include "ContentRoot.h"
#include "HttpService.h"
#include "RequestLog.h"
#include "RtspService.h"
#include "SharedPort.h"

#include <QString>
#include <memory>

struct ContentServerOptions {
    QString Root;
    QString Address = QStringLiteral("127.0.0.1");
    int HttpPort = 0; // 0 picks a free port
    int RtspPort = 0;
    qint64 BytesPerSecond = 0; // 0: no limit on http:// bodies
};

class ContentServer {
public:
    // Log receives one line per request.
    ContentServer(const ContentServerOptions &Options, RequestLog &Log);
    ~ContentServer();

    // Starts both services; false with Error set when one cannot start.
    bool Start(QString &Error);
    int HttpPort() const;
    int RtspPort() const { return FRtspPort; }
    const HttpService &Http() const { return FHttp; }

private:
    ContentServerOptions FOptions;
    ContentRoot FRoot;
    HttpService FHttp;
    RtspService FRtsp;
    SharedPort FPort;
    int FRtspPort = 0;
};
