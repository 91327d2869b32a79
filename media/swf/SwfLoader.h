#pragma once
// Fetches a movie's bytes: a web address asynchronously over HTTP (redirects
// followed, progress reported), a local path or file: URL from disk at once.
#include <QObject>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

namespace swf {

// Why a transfer failed: what happened, in the user's words, and the
// technical reason (the network's or the file system's own text).
struct LoadFailure {
    QString what;
    QString detail;
    bool failed() const { return !what.isEmpty(); }
};

class Loader : public QObject {
    Q_OBJECT
public:
    explicit Loader(QObject *parent = nullptr);
    ~Loader() override;

    // Stops any transfer in progress, then starts on `address`. For a local
    // file every signal has been sent when this returns.
    void load(const QString &address);
    // The same, sending `body` as `contentType` with POST to a web address (a
    // local file is read as load reads it).
    void post(const QString &address, const QByteArray &body, const QString &contentType);
    // Stops the transfer in progress; no more signals come from it.
    void cancel();
    bool busy() const { return reply != nullptr; }
    // A transfer that receives nothing for this long fails as timed out
    // (0: never).
    void setStallTimeout(int ms) { stallTimeoutMs = ms; }

signals:
    void received(const QByteArray &bytes);
    void progress(qint64 receivedBytes, qint64 totalBytes); // total -1 when unknown
    // The transfer ended; `failure` is empty when it completed.
    void finished(const swf::LoadFailure &failure);

private:
    // Starts the transfer; `body` is sent with POST when not null.
    void start(const QString &address, const QByteArray &body, const QString &contentType);
    void loadFile(const QString &path);
    void readReply();
    void replyFinished();

    QNetworkAccessManager *network = nullptr;
    QNetworkReply *reply = nullptr;
    int stallTimeoutMs = 30000;
};

// True for the addresses fetched over the network.
bool isWebAddress(const QString &address);

}
