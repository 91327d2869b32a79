#pragma once
// Plays a movie: the stage with the movie as level 0, ticked at the movie's
// frame rate on a GUI-thread timer, with play, stop and seeking, and its
// sounds. Frames are numbered from 0. At the last frame the movie starts
// again from the first unless looping is off; while it is still loading it
// waits at the last complete frame instead. While a stream sound plays on
// the root, the root follows the sound: frames are skipped to catch up with
// it and held to wait for it.
#include "SwfMovie.h"
#include "SwfMovieClip.h"
#include "SwfSoundPlayer.h"
#include "SwfStage.h"
#include "avm1/display/MovieScripts.h"

#include <QObject>
#include <QTimer>
#include <memory>

namespace swf {

class Player : public QObject {
    Q_OBJECT
public:
    explicit Player(QObject *parent = nullptr);

    // Drops the current movie and takes `movie` (null for none).
    void setMovie(std::shared_ptr<Movie> movie);
    const Movie *movie() const { return current.get(); }
    // More of the movie has arrived: shows the first frame once complete.
    void movieGrew();
    // The stage and its level 0 root: null until the first frame arrived.
    Stage *stage() { return stagePtr.get(); }
    const Stage *stage() const { return stagePtr.get(); }
    MovieClip *root() const { return stagePtr ? stagePtr->root() : nullptr; }

    void play();
    // Stops the root timeline and silences the movie.
    void stop();
    bool playing() const;
    // Whether a newly set movie starts playing by itself.
    void setAutoPlay(bool on) { autoPlay = on; }
    bool autoPlays() const { return autoPlay; }
    void setLoop(bool on);
    bool loops() const { return loop; }

    int frameNum() const;
    // Shows `frame` of the root without running its actions.
    void setFrameNum(int frame);
    // The declared frame count while loading, then the frames found.
    int totalFrames() const;

    // The player version the movie's scripts are told (0: this player's own).
    void setPlayerVersion(int version) { emulatedVersion = version; }
    int playerVersion() const { return emulatedVersion; }
    // Where the movie's shared objects are kept (empty: the user's own
    // folder for them); for the stages made after.
    void setSharedObjectFolder(const QString &folder) { sharedFolder = folder; }

    // Why the movie was stopped for good (its scripts wanted more memory
    // than a movie may have), for the stage to say; empty while it plays on.
    QString stopReason() const;
    // A movie stopped for good stays on the frame it reached, silent: called
    // at every tick and after every input its scripts heard. True when stopped.
    bool holdIfStopped();

    // With manual ticks the player's own timer stays off and the caller's
    // tick() is the clock; the first tick shows the first frame.
    void setManualTicks(bool on);
    bool manualTicks() const { return manual; }

    // One tick of the clock (the timer calls it; tests may too).
    void tick();

    SoundPlayer &sound() { return sounds; }
    // What sets the pace of the root timeline (the sound player unless
    // changed); the frame rate alone when it wants no frame.
    void setFrameClock(FrameClock *clock) { frameClock = clock; }

signals:
    void frameChanged();
    // A line the movie's script traced.
    void traced(const QString &line);

private:
    void startTimer();
    // Makes the stage with the movie as level 0 once its first frame is
    // complete; false when there is none yet or it exists already.
    bool startStage();

    // Declared before the stage, whose clips tell it of their end; the
    // stage goes before the script host and the sound player by member order.
    SoundPlayer sounds;
    FrameClock *frameClock = &sounds;
    std::shared_ptr<Movie> current;
    // Each stage has a script engine of its own, made with it.
    std::unique_ptr<avm1::MovieScripts> scripts;
    std::unique_ptr<Stage> stagePtr;
    // The first level's root the sound follows (a script may load another).
    std::weak_ptr<MovieClip> firstLevel;
    QTimer timer;
    qint64 ticks = 0; // of the movie's clock since the stage was made
    bool autoPlay = true;
    bool loop = true;
    bool wantPlaying = true; // before the first frame has arrived
    bool manual = false;
    int emulatedVersion = 0;
    QString sharedFolder;
};

}
