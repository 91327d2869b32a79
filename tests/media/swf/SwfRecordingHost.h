#pragma once
// A script host for tests: it records what the stage asks it to run ("path:
// bytecode" for action blocks, "path.onX" for handlers; a removed object's
// path is "removed name") and can act like a script through a hook.
#include "swf/SwfDisplayObject.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfScriptHost.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace swftest {

class RecordingHost : public swf::ScriptHost {
public:
    std::vector<std::string> log;
    // Runs after each action block is logged, with the block's clip.
    std::function<void(swf::MovieClip &, const QByteArray &)> script;
    // Handler methods "scripts" have set: (object, "onPress").
    std::set<std::pair<const swf::DisplayObject *, QString>> handlers;
    int created = 0, constructed = 0, removed = 0;
    // Turns open now (scripts run inside one share its time limit), and
    // how many were open at each script run, handler called and broadcast.
    int turns = 0;
    std::vector<int> turnsAtScripts;

    // Test movies carry text as their "bytecode", up to an end code.
    static std::string text(const QByteArray &bytecode) { return std::string(bytecode.constData()); }
    static std::string path(const swf::DisplayObject &object)
    {
        return (object.removed() ? "removed " + object.name() : object.targetPath()).toStdString();
    }

    void runActions(swf::MovieClip &target, const QByteArray &bytecode) override
    {
        log.push_back(path(target) + ": " + text(bytecode));
        turnsAtScripts.push_back(turns);
        if (script)
            script(target, bytecode);
    }
    void runInitActions(swf::MovieClip &target, const QByteArray &bytecode) override
    {
        log.push_back("init " + path(target) + ": " + text(bytecode));
    }
    void callHandler(swf::DisplayObject &object, const QString &name, const std::vector<swf::ScriptArg> &) override
    {
        log.push_back(path(object) + "." + name.toStdString());
        turnsAtScripts.push_back(turns);
    }
    bool hasHandler(swf::DisplayObject &object, const QString &name) override
    {
        return handlers.count({&object, name}) > 0;
    }
    void broadcast(const QString &source, const QString &name, const std::vector<swf::ScriptArg> &) override
    {
        log.push_back(source.toStdString() + "." + name.toStdString());
        turnsAtScripts.push_back(turns);
    }
    void objectCreated(swf::DisplayObject &) override { ++created; }
    void constructObject(swf::MovieClip &clip, const std::vector<QByteArray> &handlers) override
    {
        ++constructed;
        for (const QByteArray &code : handlers)
            runActions(clip, code);
    }
    void objectRemoved(swf::DisplayObject &) override { ++removed; }
    void frameScriptsDone() override {}
    void textChanged(swf::DisplayObject &) override {}
    std::optional<double> numberProperty(swf::DisplayObject &, const QString &) override { return std::nullopt; }
    void beginTurn() override { ++turns; }
    void endTurn() override { --turns; }
};

}
