#include "SwfPlayer.h"

#include <cmath>

namespace swf {

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
    wantPlaying = autoPlay;
    movieGrew();
    emit frameChanged();
}

void Player::movieGrew()
{
    if (rootInstance || !current || current->framesLoaded() == 0)
        return;
    rootInstance = std::make_unique<TimelineInstance>(*current, current->timeline());
    rootInstance->setPlaying(wantPlaying);
    rootInstance->advance();
    startTimer();
    emit frameChanged();
}

void Player::startTimer()
{
    timer.start(std::max(1, int(std::lround(1000.0 / current->frameRate()))));
}

void Player::tick()
{
    if (!rootInstance)
        return;
    rootInstance->advance(loop && current->finished());
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
