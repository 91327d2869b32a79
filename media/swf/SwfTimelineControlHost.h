#pragma once
// The script host used while no script engine is plugged in: it runs the
// timeline controls of action blocks (play, stop, next and previous frame,
// go to a frame or a label) and nothing else. Without an engine no script
// can set handlers, so there are none to call.
#include "SwfScriptHost.h"

namespace swf {

class TimelineControlHost : public ScriptHost {
public:
    void runActions(MovieClip &target, const QByteArray &bytecode) override;
    void runInitActions(MovieClip &target, const QByteArray &bytecode) override;
    void callHandler(DisplayObject &, const QString &, const std::vector<ScriptArg> &) override {}
    bool hasHandler(DisplayObject &, const QString &) override { return false; }
    void broadcast(const QString &, const QString &, const std::vector<ScriptArg> &) override {}
    void objectCreated(DisplayObject &) override {}
    void constructObject(MovieClip &, const std::vector<QByteArray> &) override {}
    void objectRemoved(DisplayObject &) override {}
};

}
