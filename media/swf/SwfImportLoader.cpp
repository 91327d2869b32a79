#include "SwfImportLoader.h"

#include "SwfLoadAddress.h"
#include "SwfMovie.h"

#include <QtGlobal>

namespace swf {

// A loader may be sending a signal when the movie is dropped: it is
// disconnected at once and deleted later.
struct ImportLoader::Transfer {
    explicit Transfer(QObject *owner) : loader(new Loader(owner)) {}
    ~Transfer()
    {
        loader->disconnect();
        loader->cancel();
        loader->deleteLater();
    }
    Loader *loader;
    std::shared_ptr<Movie> source = std::make_shared<Movie>();
    bool ended = false;
};

ImportLoader::ImportLoader(QObject *parent) : QObject(parent) {}

ImportLoader::~ImportLoader() = default;

void ImportLoader::setMovie(std::shared_ptr<Movie> movie, const QString &address)
{
    transfers.clear();
    importer = std::move(movie);
    baseAddress = address;
}

void ImportLoader::movieGrew()
{
    while (importer && transfers.size() < importer->info().imports.size()) {
        size_t index = transfers.size();
        transfers.push_back(std::make_unique<Transfer>(this));
        Transfer &t = *transfers.back();
        connect(t.loader, &Loader::received, this, [this, &t](const QByteArray &bytes) {
            t.source->append(bytes);
            // The exports are all read by the end tag; the rest is not needed.
            if (t.source->finished() || t.source->failed()) {
                t.loader->cancel();
                ended(t, {});
            }
        });
        connect(t.loader, &Loader::finished, this, [this, &t](const LoadFailure &failure) { ended(t, failure); });
        const QString url = importer->info().imports[index].url;
        const std::shared_ptr<Movie> current = importer;
        const QString address = permittedAddress(baseAddress, url);
        if (address.isEmpty())
            ended(t, {QStringLiteral("影片不能从这个地址读取。"), url});
        else
            t.loader->load(address);
        if (importer != current) // dropped while a local file was read
            return;
    }
}

void ImportLoader::ended(Transfer &t, const LoadFailure &failure)
{
    if (t.ended)
        return;
    t.ended = true;
    t.source->finish();
    size_t index = 0;
    while (index < transfers.size() && transfers[index].get() != &t)
        ++index;
    const bool usable = !failure.failed() && !t.source->failed();
    if (!usable)
        qWarning("Imported movie %s: %s %s", qPrintable(importer->info().imports[index].url),
                 qPrintable(failure.what), qPrintable(failure.failed() ? failure.detail : t.source->error()));
    importer->provideImport(index, usable ? t.source : nullptr);
    emit provided();
}

}
