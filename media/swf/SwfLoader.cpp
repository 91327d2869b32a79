#include "SwfLoader.h"

#include "SwfStream.h"

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrl>

namespace swf {

namespace {
constexpr qint64 kReadChunk = 256 * 1024;

// Words a failed web transfer by what the user can do about it. Only
// cancel() aborts a reply, and it disconnects first, so a cancelled reply
// that still reports is one the stall timeout ended.
LoadFailure describeReply(const QNetworkReply &reply, int status, int stallMs)
{
    const QString host = reply.url().host();
    QString technical = reply.error() != QNetworkReply::NoError ? reply.errorString() : QStringLiteral("HTTP %1").arg(status);
    if (reply.error() == QNetworkReply::OperationCanceledError)
        technical = QStringLiteral("nothing received for %1 ms").arg(stallMs);
    switch (reply.error()) {
    case QNetworkReply::HostNotFoundError:
        return {QStringLiteral("找不到服务器 %1，请检查网络连接。").arg(host), technical};
    case QNetworkReply::ConnectionRefusedError:
        return {QStringLiteral("服务器 %1 拒绝了连接。").arg(host), technical};
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        return {QStringLiteral("服务器 %1 长时间没有响应，连接超时。").arg(host), technical};
    case QNetworkReply::RemoteHostClosedError:
        return {QStringLiteral("服务器 %1 中断了连接。").arg(host), technical};
    case QNetworkReply::TooManyRedirectsError:
        return {QStringLiteral("服务器 %1 一再转向别的地址，取不到影片。").arg(host), technical};
    default:
        break;
    }
    if (status == 404 || status == 410)
        return {QStringLiteral("服务器上没有这个影片（%1）。").arg(status), technical};
    if (status == 401 || status == 403)
        return {QStringLiteral("服务器不允许读取这个影片（%1）。").arg(status), technical};
    if (status >= 400)
        return {QStringLiteral("服务器无法提供这个影片（%1）。").arg(status), technical};
    return {QStringLiteral("无法从服务器 %1 读取影片。").arg(host), technical};
}
}

bool isWebAddress(const QString &address)
{
    return address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || address.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

Loader::Loader(QObject *parent) : QObject(parent) {}

Loader::~Loader()
{
    cancel();
}

void Loader::cancel()
{
    if (!reply)
        return;
    QNetworkReply *r = reply;
    reply = nullptr;
    r->disconnect(this);
    r->abort();
    r->deleteLater();
}

void Loader::load(const QString &address)
{
    start(address, QByteArray(), QString());
}

void Loader::post(const QString &address, const QByteArray &body, const QString &contentType)
{
    start(address, body.isNull() ? QByteArray("") : body, contentType);
}

void Loader::start(const QString &address, const QByteArray &body, const QString &contentType)
{
    cancel();
    if (!isWebAddress(address)) {
        QUrl url(address);
        loadFile(url.isLocalFile() ? url.toLocalFile() : address);
        return;
    }
    if (!network)
        network = new QNetworkAccessManager(this);
    QNetworkRequest request{QUrl(address)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(stallTimeoutMs);
    if (body.isNull()) {
        reply = network->get(request);
    } else {
        request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
        reply = network->post(request, body);
    }
    connect(reply, &QNetworkReply::readyRead, this, &Loader::readReply);
    connect(reply, &QNetworkReply::downloadProgress, this, &Loader::progress);
    connect(reply, &QNetworkReply::finished, this, &Loader::replyFinished);
}

void Loader::loadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString what = file.exists() ? QStringLiteral("无法打开文件 %1。") : QStringLiteral("找不到文件 %1。");
        emit finished({what.arg(QDir::toNativeSeparators(path)), file.errorString()});
        return;
    }
    qint64 total = file.size();
    qint64 done = 0;
    // More than the largest movie plus its header is never needed.
    while (done < qint64(SwfStream::kMaxBodyBytes) + 8) {
        QByteArray chunk = file.read(kReadChunk);
        if (chunk.isEmpty())
            break;
        done += chunk.size();
        emit received(chunk);
        emit progress(done, total);
    }
    if (file.error() != QFileDevice::NoError)
        emit finished({QStringLiteral("读取文件 %1 时出错。").arg(QDir::toNativeSeparators(path)), file.errorString()});
    else
        emit finished({});
}

void Loader::readReply()
{
    if (!reply)
        return;
    QByteArray bytes = reply->readAll();
    // An error page is not the movie.
    if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() < 400)
        emit received(bytes);
}

void Loader::replyFinished()
{
    QNetworkReply *r = reply;
    if (!r)
        return;
    int status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QByteArray rest = r->readAll();
    if (!rest.isEmpty() && status < 400)
        emit received(rest);
    reply = nullptr;
    r->deleteLater();
    if (r->error() != QNetworkReply::NoError || status >= 400)
        emit finished(describeReply(*r, status, stallTimeoutMs));
    else
        emit finished({});
}

}
