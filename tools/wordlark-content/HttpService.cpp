#include "HttpService.h"

#include "ByteRange.h"
#include "ContentType.h"
#include "FileSender.h"

#include <QFileInfo>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>

namespace {

using Status = QHttpServerResponder::StatusCode;

QString MethodName(QHttpServerRequest::Method Method)
{
    switch (Method) {
    case QHttpServerRequest::Method::Get:
        return QStringLiteral("GET");
    case QHttpServerRequest::Method::Head:
        return QStringLiteral("HEAD");
    case QHttpServerRequest::Method::Put:
        return QStringLiteral("PUT");
    case QHttpServerRequest::Method::Delete:
        return QStringLiteral("DELETE");
    case QHttpServerRequest::Method::Post:
        return QStringLiteral("POST");
    case QHttpServerRequest::Method::Options:
        return QStringLiteral("OPTIONS");
    case QHttpServerRequest::Method::Patch:
        return QStringLiteral("PATCH");
    case QHttpServerRequest::Method::Connect:
        return QStringLiteral("CONNECT");
    case QHttpServerRequest::Method::Trace:
        return QStringLiteral("TRACE");
    default:
        return QStringLiteral("?");
    }
}

QString Client(const QHttpServerRequest &Request)
{
    return Request.remoteAddress().toString();
}

QString PathOf(const QHttpServerRequest &Request)
{
    return Request.url().path(QUrl::FullyDecoded);
}

} // namespace

HttpService::HttpService(const ContentRoot &Root, RequestLog &Log, qint64 BytesPerSecond, QObject *Parent)
    : QAbstractHttpServer(Parent), FRoot(Root), FLog(Log), FRate(BytesPerSecond)
{
}

void HttpService::Refuse(const QHttpServerRequest &Request, QTcpSocket *Socket, int Code, const QByteArray &Extra)
{
    QHttpServerResponder responder = makeResponder(Request, Socket);
    responder.writeStatusLine(Status(Code));
    responder.writeHeader("Content-Length", "0");
    responder.writeHeader("Connection", "close");
    if (Code == int(Status::MethodNotAllowed))
        responder.writeHeader("Allow", "GET, HEAD");
    if (!Extra.isEmpty())
        responder.writeHeader("Content-Range", Extra);
    responder.writeBody(QByteArray());
    Socket->disconnectFromHost();
    FLog.Write(QStringLiteral("HTTP"), Client(Request), MethodName(Request.method()), PathOf(Request), Code);
}

bool HttpService::handleRequest(const QHttpServerRequest &Request, QTcpSocket *Socket)
{
    // A request that arrives behind one still being answered on the same
    // connection is dropped: the answer says the connection closes.
    if (FBusy.contains(Socket))
        return true;
    const QHttpServerRequest::Method method = Request.method();
    if (method != QHttpServerRequest::Method::Get && method != QHttpServerRequest::Method::Head) {
        Refuse(Request, Socket, int(Status::MethodNotAllowed));
        return true;
    }
    const ContentRoot::Lookup found = FRoot.Resolve(PathOf(Request));
    if (found.Result != ContentRoot::Outcome::Found) {
        Refuse(Request, Socket, int(found.Result == ContentRoot::Outcome::Refused ? Status::Forbidden : Status::NotFound));
        return true;
    }
    const qint64 size = QFileInfo(found.File).size();
    const ByteRange range = ByteRange::Parse(Request.value("Range"), size);
    if (range.Result == ByteRange::Kind::Unsatisfiable) {
        Refuse(Request, Socket, int(Status::RequestRangeNotSatisfiable), range.ContentRange(size));
        return true;
    }
    const bool part = range.Result == ByteRange::Kind::Part;
    const int code = int(part ? Status::PartialContent : Status::Ok);
    QHttpServerResponder responder = makeResponder(Request, Socket);
    responder.writeStatusLine(Status(code));
    responder.writeHeader("Content-Type", ContentTypeFor(found.File));
    responder.writeHeader("Content-Length", QByteArray::number(range.Length()));
    responder.writeHeader("Accept-Ranges", "bytes");
    if (part)
        responder.writeHeader("Content-Range", range.ContentRange(size));
    responder.writeHeader("Connection", "close");

    const QString client = Client(Request), path = PathOf(Request), name = MethodName(method);
    const QString detail = part ? QStringLiteral("bytes=%1-%2").arg(range.First).arg(range.Last) : QString();
    if (method == QHttpServerRequest::Method::Head || range.Length() == 0) {
        responder.writeBody(QByteArray());
        Socket->disconnectFromHost();
        FLog.Write(QStringLiteral("HTTP"), client, name, path, code, detail);
        return true;
    }
    auto *sender = new FileSender(std::move(responder), found.File, range.First, range.Length(), FRate, this);
    FBusy.insert(Socket);
    connect(sender, &FileSender::Finished, this, [this, sender, Socket, client, name, path, code, detail](qint64 sent, bool complete) {
        FBusy.remove(Socket);
        const QString outcome = complete ? QStringLiteral("%1 bytes").arg(sent)
                                         : QStringLiteral("client gone after %1 bytes").arg(sent);
        FLog.Write(QStringLiteral("HTTP"), client, name, path, code, detail.isEmpty() ? outcome : detail + QLatin1Char(' ') + outcome);
        sender->deleteLater();
    });
    sender->Start();
    return true;
}

void HttpService::missingHandler(const QHttpServerRequest &Request, QTcpSocket *Socket)
{
    Refuse(Request, Socket, int(Status::NotFound));
}
