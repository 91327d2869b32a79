#pragma once
// A content server running in the test's own process on free loopback
// ports, over a temporary folder, with its log lines kept; and a raw HTTP
// client that sends exactly the bytes it is given.
#include "ContentServer.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>

struct HttpReply {
    int Status = 0; // 0: no answer
    QHash<QByteArray, QByteArray> Headers; // names in lower case
    QByteArray Body;
};

// Sends Request to the loopback port and reads until the server closes.
HttpReply RawHttp(int Port, const QByteArray &Request);
// "GET <Target> HTTP/1.1" with a Host header and the extra header lines.
QByteArray Get(const QByteArray &Target, const QByteArray &Extra = {}, const QByteArray &Method = "GET");

// Bytes that differ from offset to offset, so a wrong part shows.
QByteArray Pattern(int Size);
// A mono 16-bit WAV file of a tone, Seconds long.
QByteArray ToneWav(int Seconds);

class ServerFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the server over Folder() with the given rate limit.
    void StartServer(qint64 BytesPerSecond = 0);
    void WriteFile(const QString &RelativePath, const QByteArray &Bytes);
    QString Folder() const { return Dir.path() + "/content"; }
    QStringList Lines() const;
    // Waits until a log line contains every one of Parts.
    bool WaitForLine(const QStringList &Parts, int TimeoutMs = 10000) const;

    QTemporaryDir Dir;
    std::unique_ptr<RequestLog> Log;
    std::unique_ptr<ContentServer> Server;

private:
    mutable std::mutex FLock;
    QStringList FLines;
};
