#pragma once
// One line per request, from the HTTP side (GUI thread) and the RTSP side
// (its own thread) alike: "<protocol> <client> <method> <path> <status>
// [<detail>]". Lines go to standard output, or to a sink set for tests.
#include <QString>
#include <functional>
#include <mutex>

class RequestLog {
public:
    using Sink = std::function<void(const QString &line)>;

    // A log that prints to standard output.
    RequestLog() = default;
    explicit RequestLog(Sink sink) : FSink(std::move(sink)) {}

    void Write(const QString &Protocol, const QString &Client, const QString &Method, const QString &Path, int Status,
               const QString &Detail = {});

private:
    std::mutex FLock;
    Sink FSink;
};
