#include "SwfFetcher.h"

namespace swf {

// A loader may be sending a signal when its transfer is dropped: it is
// disconnected at once and deleted later.
struct Fetcher::Transfer {
    Transfer() : loader(new Loader) {}
    ~Transfer()
    {
        loader->disconnect();
        loader->cancel();
        loader->deleteLater();
    }
    Loader *loader;
    QByteArray bytes;
    Progress progress;
    LoadFailure failure;
    bool ended = false;
};

Fetcher::Fetcher() = default;

Fetcher::~Fetcher() = default;

int Fetcher::start(const FetchRequest &request)
{
    const int id = nextId++;
    auto owned = std::make_unique<Transfer>();
    Transfer &t = *owned;
    transfers[id] = std::move(owned);
    QObject::connect(t.loader, &Loader::received, t.loader, [this, id, &t](const QByteArray &bytes) {
        if (t.bytes.size() + bytes.size() > kMaxBytes) {
            t.loader->cancel();
            ended(id, {QStringLiteral("文件太大，无法读取。"), QStringLiteral("more than %1 bytes").arg(kMaxBytes)});
            return;
        }
        t.bytes += bytes;
        t.progress.loaded = t.bytes.size();
    });
    QObject::connect(t.loader, &Loader::progress, t.loader, [&t](qint64, qint64 total) { t.progress.total = total; });
    QObject::connect(t.loader, &Loader::finished, t.loader,
                     [this, id](const LoadFailure &failure) { ended(id, failure); });
    if (request.postBody.isNull())
        t.loader->load(request.address);
    else
        t.loader->post(request.address, request.postBody, request.contentType);
    return id;
}

void Fetcher::ended(int id, const LoadFailure &failure)
{
    auto it = transfers.find(id);
    if (it == transfers.end() || it->second->ended)
        return;
    Transfer &t = *it->second;
    t.ended = true;
    t.failure = failure;
    if (!failure.failed())
        t.progress.total = t.bytes.size();
    endedOrder.push_back(id);
}

void Fetcher::cancel(int id)
{
    transfers.erase(id);
    std::erase(endedOrder, id);
}

Fetcher::Progress Fetcher::progress(int id) const
{
    auto it = transfers.find(id);
    return it == transfers.end() ? Progress() : it->second->progress;
}

std::vector<Fetcher::Ended> Fetcher::takeEnded()
{
    std::vector<Ended> taken;
    for (int id : endedOrder) {
        auto it = transfers.find(id);
        taken.push_back({id, std::move(it->second->bytes), it->second->failure});
        transfers.erase(it);
    }
    endedOrder.clear();
    return taken;
}

}
