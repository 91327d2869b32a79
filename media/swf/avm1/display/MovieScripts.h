#pragma once
// The script engine of a stage: one virtual machine for the movies the stage
// plays, running the action blocks and handlers the display tree asks for,
// and answering the machine's questions about clips from the display tree.
// Each movie clip, button and text field gets a script object when it is
// made; the object lives as long as the display object, and longer while
// scripts hold it (it then stands for whatever is at its old path).
#include "swf/SwfScriptHost.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/Vm.h"

#include <functional>
#include <memory>

namespace swf {
class Stage;
}

namespace swf::avm1 {

class ScriptLoads;
class SharedObjects;
class SoundObjects;

class MovieScripts : public ScriptHost, public Host {
public:
    // `traced` hears each line scripts trace; `playerMajor` is the player
    // version scripts are told (0: this player's own).
    explicit MovieScripts(std::function<void(const QString &)> traced, int playerMajor = 0);
    ~MovieScripts() override;

    Vm &machine() { return vm; }
    // The Sound objects whose sounds play or load.
    SoundObjects &soundObjects() { return *sounds; }
    // The movies, variables and texts scripts load.
    ScriptLoads &loads() { return *loading; }
    // The shared objects scripts opened.
    SharedObjects &sharedObjects() { return *shared; }
    // The stage of the objects made so far; null before the first.
    Stage *currentStage() const { return stage; }
    // The movie's clock reached `ms` milliseconds: intervals and timeouts due run.
    void runTimers(qint64 ms);

    // ScriptHost: the display tree asks.
    void runActions(MovieClip &target, const QByteArray &bytecode) override;
    void runInitActions(MovieClip &target, const QByteArray &bytecode) override;
    void callHandler(DisplayObject &object, const QString &name, const std::vector<ScriptArg> &args) override;
    bool hasHandler(DisplayObject &object, const QString &name) override;
    void broadcast(const QString &source, const QString &name, const std::vector<ScriptArg> &args) override;
    void objectCreated(DisplayObject &object) override;
    void constructObject(MovieClip &clip, const std::vector<QByteArray> &constructHandlers) override;
    void objectRemoved(DisplayObject &object) override;
    void frameScriptsDone() override;
    void textChanged(DisplayObject &field) override;
    std::optional<double> numberProperty(DisplayObject &object, const QString &name) override;
    void beginTurn() override { vm.beginTurn(); }
    void endTurn() override { vm.endTurn(); }

    // Host: the machine asks.
    void trace(const QString &line) override;
    void warn(const QString &message) override;
    bool isClip(const Object *object) const override;
    Object *follow(Object *clip) override;
    bool takenOut(Object *clip) override;
    Object *level(int n) override;
    Object *root(Object *clip) override;
    Object *parent(Object *clip) override;
    Object *child(Context &cx, Object *clip, String *name) override;
    QString targetPath(Object *clip, bool slashes) override;
    void control(Object *clip, Control what) override;
    void gotoFrame(Object *clip, int frame, bool play) override;
    int frameOfLabel(Object *clip, const QString &label) override;
    int framesLoaded(Object *clip) override;
    void callFrame(Object *clip, int frame) override;
    void getUrl(Context &cx, const QString &url, const QString &target, int method, bool loadTarget,
                bool loadVariables) override;
    void cloneSprite(Context &cx, Object *clip, const QString &name, int depth) override;
    void removeSprite(Context &cx, Object *clip) override;
    void startDrag(Context &cx, Object *clip, bool lockCenter, const double *bounds) override;

private:
    Value toValue(const ScriptArg &arg);
    // The display object at a target path ("_level0.a.b"), or null.
    DisplayObject *objectAt(const QString &path);

    std::function<void(const QString &)> traced;
    Vm vm;
    Stage *stage = nullptr; // the stage of the objects made, once one is
    // The prototypes of the script objects made for display objects.
    Object *clipPrototype = nullptr;
    Object *buttonPrototype = nullptr;
    Object *textFieldPrototype = nullptr;
    // Made after the machine and gone before it.
    std::unique_ptr<SoundObjects> sounds;
    std::unique_ptr<ScriptLoads> loading;
    std::unique_ptr<SharedObjects> shared;
};

}
