#include "SwfLoader.h"

#include "SwfStream.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrl>

namespace swf {

namespace {
constexpr qint64 kReadChunk = 256 * 1024;
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
    reply = network->get(request);
    connect(reply, &QNetworkReply::readyRead, this, &Loader::readReply);
    connect(reply, &QNetworkReply::downloadProgress, this, &Loader::progress);
    connect(reply, &QNetworkReply::finished, this, &Loader::replyFinished);
}

void Loader::loadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        emit finished(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
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
    emit finished(file.error() == QFileDevice::NoError ? QString() : file.errorString());
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
    QString error;
    if (r->error() != QNetworkReply::NoError)
        error = r->errorString();
    else if (status >= 400)
        error = QStringLiteral("HTTP %1").arg(status);
    emit finished(error);
}

}
