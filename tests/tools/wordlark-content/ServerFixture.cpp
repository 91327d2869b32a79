#include "ServerFixture.h"

#include "WaitFor.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTcpSocket>
#include <QTimer>
#include <QtEndian>
#include <cmath>

HttpReply RawHttp(int Port, const QByteArray &Request)
{
    QTcpSocket socket;
    QByteArray received;
    QEventLoop loop;
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { received += socket.readAll(); });
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(Port));
    socket.write(Request);
    loop.exec();
    received += socket.readAll();

    HttpReply reply;
    const qsizetype end = received.indexOf("\r\n\r\n");
    if (end < 0)
        return reply;
    const QList<QByteArray> lines = received.left(end).split('\n');
    const QList<QByteArray> statusLine = lines.value(0).trimmed().split(' ');
    reply.Status = statusLine.value(1).toInt();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            reply.Headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    reply.Body = received.mid(end + 4);
    return reply;
}

QByteArray Get(const QByteArray &Target, const QByteArray &Extra, const QByteArray &Method)
{
    return Method + ' ' + Target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + Extra + "\r\n";
}

QByteArray Pattern(int Size)
{
    QByteArray bytes(Size, '\0');
    for (int i = 0; i < Size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

QByteArray ToneWav(int Seconds)
{
    const int rate = 22050, samples = rate * Seconds;
    QByteArray data(samples * 2, '\0');
    for (int i = 0; i < samples; ++i)
        qToLittleEndian<qint16>(qint16(8000 * std::sin(i * 440.0 * 2 * M_PI / rate)), data.data() + 2 * i);
    QByteArray head;
    auto u32 = [&](quint32 v) { head += QByteArray(4, '\0'); qToLittleEndian(v, head.data() + head.size() - 4); };
    auto u16 = [&](quint16 v) { head += QByteArray(2, '\0'); qToLittleEndian(v, head.data() + head.size() - 2); };
    head += "RIFF";
    u32(quint32(36 + data.size()));
    head += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    head += "data";
    u32(quint32(data.size()));
    return head + data;
}

void ServerFixture::SetUp()
{
    ASSERT_TRUE(Dir.isValid());
    QDir().mkpath(Folder());
    Log = std::make_unique<RequestLog>([this](const QString &line) {
        const std::lock_guard<std::mutex> hold(FLock);
        FLines << line;
    });
}

void ServerFixture::TearDown()
{
    Server.reset();
}

void ServerFixture::StartServer(qint64 BytesPerSecond)
{
    ContentServerOptions options;
    options.Root = Folder();
    options.BytesPerSecond = BytesPerSecond;
    Server = std::make_unique<ContentServer>(options, *Log);
    QString error;
    ASSERT_TRUE(Server->Start(error)) << error.toStdString();
    ASSERT_GT(Server->HttpPort(), 0);
    ASSERT_GT(Server->RtspPort(), 0);
}

void ServerFixture::WriteFile(const QString &RelativePath, const QByteArray &Bytes)
{
    const QString path = Folder() + "/" + RelativePath;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Bytes);
}

QStringList ServerFixture::Lines() const
{
    const std::lock_guard<std::mutex> hold(FLock);
    return FLines;
}

bool ServerFixture::WaitForLine(const QStringList &Parts, int TimeoutMs) const
{
    return WaitFor(
        [&] {
            for (const QString &line : Lines()) {
                bool all = true;
                for (const QString &part : Parts)
                    all = all && line.contains(part);
                if (all)
                    return true;
            }
            return false;
        },
        TimeoutMs);
}
