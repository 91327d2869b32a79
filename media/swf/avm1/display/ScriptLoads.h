#pragma once
// The loads scripts start: movies into clips and levels, variables into
// clips, the text of LoadVars and XML objects. Addresses are relative to the
// first level's movie and must be permitted to it. What ended before a frame
// is handed over after that frame's scripts, in the order it ended. A movie
// replaces the clip it loads into (the new clip keeps the name, depth, place
// and clip handlers); a MovieClipLoader hears onLoadStart, onLoadProgress and
// onLoadComplete at once, and onLoadInit after the movie's first frame ran.
// The query of a movie's address ("child.swf?a=1") gives its root variables.
#include "swf/SwfFetcher.h"
#include "swf/avm1/Value.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace swf {
class DisplayObject;
class Movie;
class MovieClip;
}

namespace swf::avm1 {

class MovieScripts;
class Object;
class Vm;

// Where a movie or variables go: a level, or a clip.
struct LoadTarget {
    int level = -1;
    std::weak_ptr<DisplayObject> clip; // when level is -1
    bool operator==(const LoadTarget &o) const
    {
        return level == o.level && !clip.owner_before(o.clip) && !o.clip.owner_before(clip);
    }
};

// What a request sends: nothing, or form data by GET (appended to the
// address) or POST.
struct LoadSend {
    enum Method { None, Get, Post } method = None;
    QByteArray data;
    QString contentType = QStringLiteral("application/x-www-form-urlencoded");
};

class ScriptLoads {
public:
    explicit ScriptLoads(MovieScripts &scripts);
    ~ScriptLoads();
    ScriptLoads(const ScriptLoads &) = delete;
    ScriptLoads &operator=(const ScriptLoads &) = delete;

    // The loads of the engine `vm` runs in.
    static ScriptLoads &of(Vm &vm);

    // Each returns false when the address is refused; a new load into a
    // target (or for a receiver) stops the one before. `loader`: the
    // MovieClipLoader that hears of the load, or null.
    bool loadMovie(const QString &url, const LoadTarget &target, const LoadSend &send, Object *loader = nullptr);
    bool loadVariables(const QString &url, const LoadTarget &target, const LoadSend &send);
    // `receiver`'s onData hears the text, or undefined when the load failed.
    bool loadText(const QString &url, Object *receiver, const LoadSend &send);
    // Sends form data and forgets the answer.
    bool send(const QString &url, const LoadSend &send);
    // Stops any movie loading into a clip or a level at once, and empties it
    // when the next frame's scripts have run, with the loads that ended.
    void unloadMovie(const LoadTarget &target);

    // The clip or level root a target names now, or null.
    MovieClip *targetClip(const LoadTarget &target) const;

    // A frame begins: the loads that ended before it are taken.
    void frameBegins();
    // The frame's scripts ran: the loads taken are handed over.
    void frameEnded();

private:
    enum class Kind { Movie, Variables, Text, Send };
    struct Request {
        Kind kind;
        int transfer = 0;
        QString address;
        LoadTarget target;
        Object *object = nullptr; // the receiver or the MovieClipLoader, pinned
        QString query;            // of the address asked for: a loaded movie's first variables
    };
    bool start(Kind kind, const QString &url, const LoadSend &send, const LoadTarget &target, Object *object);
    void drop(std::vector<Request>::iterator request);
    void unload(const LoadTarget &target);
    void deliverMovie(const Request &request, const Fetcher::Ended &ended);
    void deliverVariables(const Request &request, const Fetcher::Ended &ended);
    void deliverText(const Request &request, const Fetcher::Ended &ended);
    // Puts `movie` (null: an empty clip) where `target` says; the new clip.
    MovieClip *place(const LoadTarget &target, std::shared_ptr<const Movie> movie);
    void tell(Object *loader, const char *event, std::vector<Value> args);

    MovieScripts &scripts;
    Fetcher fetcher;
    std::vector<Request> requests; // in the order they were made
    std::vector<Fetcher::Ended> ready;
    // Targets to empty: asked for, and asked for before this frame.
    std::vector<LoadTarget> unloadsAsked, unloadsReady;
    // Clips loaded by a MovieClipLoader waiting for their onLoadInit.
    std::vector<std::pair<std::weak_ptr<DisplayObject>, Object *>> initPending;
};

}
