#pragma once
// The http:// side of the content server: GET and HEAD of the files in the
// content folder, with one byte range, the file's content type and length,
// many clients at once, an optional rate limit per response, and one log
// line per request. Every response closes its connection.
#include "ContentRoot.h"
#include "RequestLog.h"

#include <QAbstractHttpServer>
#include <QSet>

class HttpService : public QAbstractHttpServer {
    Q_OBJECT
public:
    // BytesPerSecond 0 sends as fast as each client takes.
    HttpService(const ContentRoot &Root, RequestLog &Log, qint64 BytesPerSecond, QObject *Parent = nullptr);

    // Responses whose bodies are still being sent.
    int ActiveTransfers() const { return int(FBusy.size()); }

protected:
    bool handleRequest(const QHttpServerRequest &Request, QTcpSocket *Socket) override;
    void missingHandler(const QHttpServerRequest &Request, QTcpSocket *Socket) override;

private:
    void Refuse(const QHttpServerRequest &Request, QTcpSocket *Socket, int Status, const QByteArray &Extra = {});

    const ContentRoot &FRoot;
    RequestLog &FLog;
    qint64 FRate;
    QSet<QTcpSocket *> FBusy;
};
