#pragma once
// The transfers a movie's scripts start (movies, images, variables, XML):
// each collects its bytes, up to a limit, and once ended waits until the
// frame loop takes it, so scripts hear of loads only between frames.
#include "SwfLoader.h"

#include <QByteArray>
#include <QString>
#include <map>
#include <memory>
#include <vector>

namespace swf {

struct FetchRequest {
    QString address;     // resolved, and permitted to the movie asking
    QByteArray postBody; // sent with POST when not null
    QString contentType;
};

class Fetcher {
public:
    // A transfer that would hold more than this fails.
    static constexpr qint64 kMaxBytes = 64 << 20;

    Fetcher();
    ~Fetcher();
    Fetcher(const Fetcher &) = delete;
    Fetcher &operator=(const Fetcher &) = delete;

    // Starts a transfer and returns its number (from 1). A local file has
    // been read when this returns.
    int start(const FetchRequest &request);
    // Stops a transfer; nothing more is heard of it.
    void cancel(int id);

    struct Progress {
        qint64 loaded = 0;
        qint64 total = -1; // -1 while unknown
    };
    // How far a transfer that has not been taken yet has come.
    Progress progress(int id) const;

    struct Ended {
        int id = 0;
        QByteArray bytes;
        LoadFailure failure;
    };
    // The transfers that ended since the last call, in the order they ended.
    std::vector<Ended> takeEnded();

private:
    struct Transfer;
    void ended(int id, const LoadFailure &failure);

    std::map<int, std::unique_ptr<Transfer>> transfers;
    std::vector<int> endedOrder;
    int nextId = 1;
};

}
