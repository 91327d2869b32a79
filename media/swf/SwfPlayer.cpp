#include "SwfPlayer.h"

#include "avm1/display/ScriptLoads.h"
#include "avm1/display/SharedObjects.h"

#include <algorithm>
#include <cmath>

namespace swf {

namespace {

// Catching up with the sound never runs more frames than this in one tick.
constexpr int kMostFramesPerTick = 1000;

}

Player::Player(QObject *parent) : QObject(parent)
{
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &Player::tick);
}

void Player::setMovie(std::shared_ptr<Movie> movie)
{
    timer.stop();
    stagePtr.reset();
    scripts.reset();
    current = std::move(movie);
    sounds.setMovie(current.get());
    wantPlaying = autoPlay;
    movieGrew();
    emit frameChanged();
}

void Player::movieGrew()
{
    // With manual ticks the caller's first tick shows the first frame.
    if (manual || !startStage())
        return;
    startTimer();
    emit frameChanged();
}

bool Player::startStage()
{
    if (stagePtr || !current || current->framesLoaded() == 0)
        return false;
    scripts = std::make_unique<avm1::MovieScripts>([this](const QString &line) { emit traced(line); }, emulatedVersion);
    if (!sharedFolder.isEmpty())
        scripts->sharedObjects().setFolder(sharedFolder);
    stagePtr = std::make_unique<Stage>(*scripts);
    ticks = 0;
    stagePtr->setSound(&sounds);
    MovieClip *root = stagePtr->loadLevel(0, current);
    firstLevel = stagePtr->levels().at(0);
    sounds.setRoot(root);
    root->setLooping(loop);
    if (!wantPlaying)
        root->stop();
    stagePtr->runQueuedActions();
    return true;
}

void Player::setManualTicks(bool on)
{
    manual = on;
    if (manual)
        timer.stop();
    else if (stagePtr && !timer.isActive())
        startTimer();
}

void Player::startTimer()
{
    timer.start(std::max(1, int(std::lround(1000.0 / current->frameRate()))));
}

void Player::tick()
{
    // With manual ticks the first tick starts the stage on the first frame.
    const bool starting = !stagePtr && manual && current && current->framesLoaded() > 0;
    if (!stagePtr && !starting)
        return;
    if (holdIfStopped())
        return;
    sounds.passTime(1.0 / current->frameRate());
    if (scripts)
        scripts->loads().frameBegins();
    if (starting) {
        startStage();
    } else {
        // The frames of this tick and the timers due share one script time limit.
        ScriptTurn turn(*scripts);
        int steps = 1;
        if (std::optional<int> wanted = frameClock ? frameClock->wantedFrame() : std::nullopt)
            steps = std::clamp(*wanted - frameNum(), 0, kMostFramesPerTick);
        for (int i = 0; i < steps; ++i)
            stagePtr->tick();
        scripts->runTimers(std::llround(++ticks * 1000.0 / current->frameRate()));
        stagePtr->runQueuedActions();
        scripts->loads().frameEnded();
        // A movie loaded into the first level replaces the root the sound follows.
        if (MovieClip *first = root(); first && firstLevel.lock().get() != first) {
            firstLevel = stagePtr->levels().at(0);
            sounds.setRoot(first);
            first->setLooping(loop);
        }
    }
    sounds.update();
    emit frameChanged();
}

QString Player::stopReason() const
{
    if (!scripts || !scripts->machine().disabled())
        return {};
    return QStringLiteral("这个影片占用的内存超过了上限，已停止播放。");
}

bool Player::holdIfStopped()
{
    if (stopReason().isEmpty())
        return false;
    stop();
    return true;
}

void Player::play()
{
    if (MovieClip *r = root())
        r->play();
    else
        wantPlaying = true;
}

void Player::stop()
{
    sounds.stopAll();
    if (MovieClip *r = root())
        r->stop();
    else
        wantPlaying = false;
}

bool Player::playing() const
{
    MovieClip *r = root();
    return r ? r->playing() : (current && wantPlaying);
}

void Player::setLoop(bool on)
{
    loop = on;
    if (MovieClip *r = root())
        r->setLooping(on);
}

int Player::frameNum() const
{
    MovieClip *r = root();
    return r ? std::max(0, r->currentFrame()) : 0;
}

void Player::setFrameNum(int frame)
{
    MovieClip *r = root();
    if (!r)
        return;
    r->gotoFrame(frame, r->playing(), false);
    stagePtr->runQueuedActions();
    emit frameChanged();
}

int Player::totalFrames() const
{
    if (!current)
        return 0;
    if (current->finished())
        return current->framesLoaded();
    return std::max(current->declaredFrameCount(), current->framesLoaded());
}

}
