#pragma once
// Fetches the movies a movie imports characters from (ImportAssets) and
// hands each to it once it has arrived, so the frames that use them can play.
#include "SwfLoader.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

namespace swf {

class Movie;

class ImportLoader : public QObject {
    Q_OBJECT
public:
    explicit ImportLoader(QObject *parent = nullptr);
    ~ImportLoader() override;

    // Follows the imports of `movie`, whose own address is `address` (the
    // imports' addresses are relative to it); null stops everything.
    void setMovie(std::shared_ptr<Movie> movie, const QString &address);
    // Starts fetching the imports the movie has read since the last call.
    void movieGrew();

signals:
    // A movie the current one imports from arrived or failed to.
    void provided();

private:
    struct Transfer;
    void ended(Transfer &transfer, const LoadFailure &failure);

    std::shared_ptr<Movie> importer;
    QString baseAddress;
    std::vector<std::unique_ptr<Transfer>> transfers; // one per import, in order
};

}
