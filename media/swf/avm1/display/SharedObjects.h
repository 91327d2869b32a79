#pragma once
// The shared objects the scripts of one engine opened with
// SharedObject.getLocal: the same object for the same place, its `data`
// read from the store when first opened and written back by flush() and
// when the engine ends (as when the movie is closed), so what a movie keeps
// outlives the program. A stored file that cannot be read as one is
// reported and left out: the object starts empty.
#include "SharedObjectStore.h"
#include "swf/avm1/Heap.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace swf::avm1 {

class Context;
class MovieScripts;
class Object;
class Vm;

class SharedObjects {
public:
    // More objects open at once are refused.
    static constexpr size_t kMaxOpen = 1000;

    explicit SharedObjects(MovieScripts &scripts) : scripts(scripts) {}
    ~SharedObjects();
    SharedObjects(const SharedObjects &) = delete;
    SharedObjects &operator=(const SharedObjects &) = delete;

    static SharedObjects &of(Vm &vm);

    // Where the objects are stored; set before the first is opened.
    void setFolder(const QString &folder) { store = SharedObjectStore(folder); }

    // The object named `name` of the first level's movie, made with
    // `prototype`; null when the name or path gives no place.
    Object *getLocal(Context &cx, const QString &name, const std::optional<QString> &localPath, Object *prototype);
    // Stores the object's data; false (and its onStatus told) when it would
    // take more than the store allows or cannot be written.
    bool flush(Context &cx, Object *object, qint64 minBytes);
    // The bytes its data takes stored; 0 without data.
    qint64 size(Context &cx, Object *object);
    // Empties its data and removes what was stored.
    void clear(Context &cx, Object *object);

private:
    struct Open {
        QString path;
        QString name;
        Pinned<Object> object;
        QByteArray stored; // what the file holds, as far as this engine knows
    };
    Open *find(Object *object);
    // The stored form of the object's data; empty without data.
    QByteArray encode(Context &cx, const Open &open);
    void readStored(Context &cx, Open &open, Object *data);

    MovieScripts &scripts;
    SharedObjectStore store;
    std::vector<Open> open;
};

}
