#include "SwfPlayer.h"

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
    rootInstance.reset();
    current = std::move(movie);
    sounds.setMovie(current.get());
    wantPlaying = autoPlay;
    movieGrew();
    emit frameChanged();
}

void Player::movieGrew()
{
    if (rootInstance || !current || current->framesLoaded() == 0)
        return;
    rootInstance = std::make_unique<TimelineInstance>(*current, current->timeline());
    rootInstance->setSound(&sounds);
    sounds.setRoot(rootInstance.get());
    rootInstance->setPlaying(wantPlaying);
    if (manual)
        return;
    rootInstance->advance();
    startTimer();
    emit frameChanged();
}

void Player::setManualTicks(bool on)
{
    manual = on;
    if (manual)
        timer.stop();
    else if (rootInstance && !timer.isActive())
        startTimer();
}

void Player::startTimer()
{
    timer.start(std::max(1, int(std::lround(1000.0 / current->frameRate()))));
}

void Player::tick()
{
    if (!rootInstance)
        return;
    sounds.passTime(1.0 / current->frameRate());
    int steps = 1;
    if (std::optional<int> wanted = frameClock ? frameClock->wantedFrame() : std::nullopt)
        steps = std::clamp(*wanted - rootInstance->frame(), 0, kMostFramesPerTick);
    for (int i = 0; i < steps; ++i)
        rootInstance->advance(loop && current->finished());
    sounds.update();
    emit frameChanged();
}

void Player::play()
{
    if (rootInstance)
        rootInstance->setPlaying(true);
    else
        wantPlaying = true;
}

void Player::stop()
{
    sounds.stopAll();
    if (rootInstance)
        rootInstance->setPlaying(false);
    else
        wantPlaying = false;
}

bool Player::playing() const
{
    return rootInstance ? rootInstance->playing() : (current && wantPlaying);
}

int Player::frameNum() const
{
    return rootInstance ? std::max(0, rootInstance->frame()) : 0;
}

void Player::setFrameNum(int frame)
{
    if (!rootInstance)
        return;
    rootInstance->gotoFrame(frame);
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
