// The content server's http:// side, over real loopback connections: whole
// files and byte ranges with their headers, HEAD, paths that try to leave
// the folder, many clients at once, the rate limit, and a client that goes
// away in the middle of a file.
#include "ServerFixture.h"

#include "WaitFor.h"

#include <QFile>
#include <QTcpSocket>
#include <memory>
#include <vector>

namespace {

class HttpServiceTest : public ServerFixture {
protected:
    void SetUp() override
    {
        ServerFixture::SetUp();
        movie = Pattern(300000);
        WriteFile("software2/wyh/故事/1.swf", movie);
        WriteFile("notes.txt", "hello");
        QFile secret(Dir.path() + "/secret.txt");
        ASSERT_TRUE(secret.open(QIODevice::WriteOnly));
        secret.write("TOP-SECRET");
        secret.close();
        QFile::link(Dir.path() + "/secret.txt", Folder() + "/link.txt");
    }
    QByteArray movie;
    const QByteArray moviePath = "/software2/wyh/%E6%95%85%E4%BA%8B/1.swf";
};

TEST_F(HttpServiceTest, GetSendsTheWholeFileWithItsTypeAndLength)
{
    StartServer();
    const HttpReply reply = RawHttp(Server->HttpPort(), Get(moviePath));
    EXPECT_EQ(reply.Status, 200);
    EXPECT_EQ(reply.Headers.value("content-type"), "application/x-shockwave-flash");
    EXPECT_EQ(reply.Headers.value("content-length"), QByteArray::number(movie.size()));
    EXPECT_EQ(reply.Headers.value("accept-ranges"), "bytes");
    EXPECT_TRUE(reply.Body == movie);
    EXPECT_EQ(RawHttp(Server->HttpPort(), Get("/notes.txt")).Headers.value("content-type"), "text/plain; charset=utf-8");
    EXPECT_TRUE(WaitForLine({"HTTP 127.0.0.1 GET /software2/wyh/故事/1.swf 200", "300000 bytes"}));
}

TEST_F(HttpServiceTest, HeadSendsTheHeadersOnly)
{
    StartServer();
    const HttpReply reply = RawHttp(Server->HttpPort(), Get(moviePath, {}, "HEAD"));
    EXPECT_EQ(reply.Status, 200);
    EXPECT_EQ(reply.Headers.value("content-length"), QByteArray::number(movie.size()));
    EXPECT_TRUE(reply.Body.isEmpty());
    EXPECT_TRUE(WaitForLine({"HEAD", "200"}));
}

TEST_F(HttpServiceTest, RangesSendThePartAsked)
{
    StartServer();
    HttpReply reply = RawHttp(Server->HttpPort(), Get(moviePath, "Range: bytes=1000-1999\r\n"));
    EXPECT_EQ(reply.Status, 206);
    EXPECT_EQ(reply.Headers.value("content-range"), "bytes 1000-1999/300000");
    EXPECT_EQ(reply.Headers.value("content-length"), "1000");
    EXPECT_TRUE(reply.Body == movie.mid(1000, 1000));

    reply = RawHttp(Server->HttpPort(), Get(moviePath, "Range: bytes=-10\r\n"));
    EXPECT_EQ(reply.Status, 206);
    EXPECT_TRUE(reply.Body == movie.right(10));

    reply = RawHttp(Server->HttpPort(), Get(moviePath, "range: bytes=299990-\r\n"));
    EXPECT_EQ(reply.Status, 206);
    EXPECT_TRUE(reply.Body == movie.right(10));

    reply = RawHttp(Server->HttpPort(), Get(moviePath, "Range: bytes=400000-\r\n"));
    EXPECT_EQ(reply.Status, 416);
    EXPECT_EQ(reply.Headers.value("content-range"), "bytes */300000");
    EXPECT_TRUE(reply.Body.isEmpty());
}

TEST_F(HttpServiceTest, PathsThatTryToLeaveTheFolderGetNothing)
{
    StartServer();
    for (const char *target : {"/../secret.txt", "/%2e%2e/secret.txt", "/%2E%2E%2Fsecret.txt", "/software2/..%2f..%2fsecret.txt",
                               "/software2/%2e%2e/%2e%2e/secret.txt", "/..%5csecret.txt", "/link.txt", "/%2e/notes.txt",
                               "/notes.txt%00.swf"}) {
        const HttpReply reply = RawHttp(Server->HttpPort(), Get(target));
        EXPECT_TRUE(reply.Status == 403 || reply.Status == 404 || reply.Status == 400) << target << " " << reply.Status;
        EXPECT_FALSE(reply.Body.contains("TOP-SECRET")) << target;
    }
    EXPECT_EQ(RawHttp(Server->HttpPort(), Get("/%2e%2e/secret.txt")).Status, 403);
    EXPECT_EQ(RawHttp(Server->HttpPort(), Get("/missing.swf")).Status, 404);
    EXPECT_EQ(RawHttp(Server->HttpPort(), Get("/software2")).Status, 404);
}

TEST_F(HttpServiceTest, OtherMethodsAreNotAllowed)
{
    StartServer();
    const HttpReply reply = RawHttp(Server->HttpPort(), Get("/notes.txt", "Content-Length: 0\r\n", "POST"));
    EXPECT_EQ(reply.Status, 405);
    EXPECT_EQ(reply.Headers.value("allow"), "GET, HEAD");
}

TEST_F(HttpServiceTest, ManyClientsAreServedAtOnce)
{
    // Slow enough that every transfer is still going when the last starts.
    StartServer(200000);
    struct Client {
        QTcpSocket Socket;
        QByteArray Received;
    };
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < 6; ++i) {
        auto client = std::make_unique<Client>();
        Client *c = client.get();
        QObject::connect(&c->Socket, &QTcpSocket::readyRead, [c] { c->Received += c->Socket.readAll(); });
        c->Socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(Server->HttpPort()));
        c->Socket.write(Get(moviePath, "Range: bytes=0-99999\r\n"));
        clients.push_back(std::move(client));
    }
    EXPECT_TRUE(WaitFor([&] { return Server->Http().ActiveTransfers() == 6; }, 10000));
    EXPECT_TRUE(WaitFor(
        [&] {
            for (auto &c : clients)
                if (c->Socket.state() != QAbstractSocket::UnconnectedState)
                    return false;
            return true;
        },
        20000));
    for (auto &c : clients)
        EXPECT_TRUE(c->Received.endsWith(movie.left(100000)));
    EXPECT_EQ(Server->Http().ActiveTransfers(), 0);
}

TEST_F(HttpServiceTest, TheRateLimitSpreadsABodyOverTime)
{
    StartServer(50000);
    QTcpSocket socket;
    QByteArray received;
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { received += socket.readAll(); });
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(Server->HttpPort()));
    socket.write(Get(moviePath, "Range: bytes=0-99999\r\n"));
    ASSERT_TRUE(WaitFor([&] { return received.contains("\r\n\r\n"); }, 5000));
    // Far less than the part has come while the first bytes arrive...
    EXPECT_LT(received.size(), 60000);
    // ...and the rest follows.
    EXPECT_TRUE(WaitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; }, 10000));
    EXPECT_TRUE(received.endsWith(movie.left(100000)));
}

TEST_F(HttpServiceTest, AClientThatLeavesMidFileEndsItsTransferOnly)
{
    StartServer(20000);
    QTcpSocket socket;
    QByteArray received;
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { received += socket.readAll(); });
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(Server->HttpPort()));
    socket.write(Get(moviePath));
    ASSERT_TRUE(WaitFor([&] { return received.size() > 5000; }, 5000));
    socket.abort();
    EXPECT_TRUE(WaitForLine({"GET /software2/wyh/故事/1.swf 200", "client gone after"}));
    EXPECT_TRUE(WaitFor([&] { return Server->Http().ActiveTransfers() == 0; }, 5000));
    // The server goes on answering.
    EXPECT_EQ(RawHttp(Server->HttpPort(), Get("/notes.txt")).Body, "hello");
}

TEST_F(HttpServiceTest, EveryRequestIsOneLogLine)
{
    StartServer();
    RawHttp(Server->HttpPort(), Get("/notes.txt"));
    RawHttp(Server->HttpPort(), Get("/missing"));
    RawHttp(Server->HttpPort(), Get("/notes.txt", {}, "HEAD"));
    RawHttp(Server->HttpPort(), Get("/bad%0d%0aline"));
    ASSERT_TRUE(WaitFor([&] { return Lines().size() >= 4; }));
    EXPECT_EQ(Lines().size(), 4);
    for (const QString &line : Lines())
        EXPECT_FALSE(line.contains('\n') || line.contains('\r')) << line.toStdString();
}

} // namespace
