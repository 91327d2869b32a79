// wordlark-content: serves a content folder over http:// and rtsp:// until
// it is stopped (SIGINT or SIGTERM).
//   wordlark-content --root DIR [--http-port N] [--rtsp-port M]
//                    [--address ADDR] [--throttle BYTES_PER_SECOND]
// Its first two lines are "http-port N" and "rtsp-port M"; then one line
// per request.
#include "ContentServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int SignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(SignalPipe[1], &byte, 1);
}

// Quits the event loop on SIGINT and SIGTERM, outside the signal handler.
void QuitOnSignals(QCoreApplication &App)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, &App);
    QObject::connect(notifier, &QSocketNotifier::activated, &App, &QCoreApplication::quit);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
}

bool Port(const QString &Text, int &Out)
{
    bool ok = false;
    Out = Text.toInt(&ok);
    return ok && Out >= 0 && Out <= 65535;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::signal(SIGPIPE, SIG_IGN);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves a content folder over http:// and rtsp://."));
    parser.addHelpOption();
    const QCommandLineOption root(QStringLiteral("root"), QStringLiteral("The folder to serve."), QStringLiteral("DIR"));
    const QCommandLineOption http(QStringLiteral("http-port"), QStringLiteral("HTTP port (also answers RTSP); 0 picks one."),
                                  QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption rtsp(QStringLiteral("rtsp-port"), QStringLiteral("RTSP port; 0 picks one."),
                                  QStringLiteral("M"), QStringLiteral("0"));
    const QCommandLineOption address(QStringLiteral("address"), QStringLiteral("Address to listen on."),
                                     QStringLiteral("ADDR"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption throttle(QStringLiteral("throttle"),
                                      QStringLiteral("Send http:// bodies at most this fast (bytes per second)."),
                                      QStringLiteral("RATE"), QStringLiteral("0"));
    parser.addOptions({root, http, rtsp, address, throttle});
    parser.process(app);

    ContentServerOptions options;
    options.Root = parser.value(root);
    options.Address = parser.value(address);
    bool rateOk = false;
    options.BytesPerSecond = parser.value(throttle).toLongLong(&rateOk);
    if (options.Root.isEmpty() || !Port(parser.value(http), options.HttpPort) ||
        !Port(parser.value(rtsp), options.RtspPort) || !rateOk || options.BytesPerSecond < 0) {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }

    RequestLog log;
    ContentServer server(options, log);
    QString error;
    if (!server.Start(error)) {
        std::fprintf(stderr, "wordlark-content: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("http-port %d\nrtsp-port %d\n", server.HttpPort(), server.RtspPort());
    std::fflush(stdout);
    QuitOnSignals(app);
    return app.exec();
}
