#pragma once
// A guided tour of the real program, for machines without a display: it
// answers the start-up notice, opens the first lesson of "看动画学英语" and
// watches it play (and records what it says), goes through the five looks, opens a programme and
// listens until it plays, closes the programme window and ends the program.
// Each step saves a screenshot and prints one line of what was done and
// seen; a step whose result does not come in time ends the tour as failed.
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

class Tour : public QObject {
public:
    // Screenshots go to Folder as NN-<step>.png.
    explicit Tour(const QString &Folder);

    // Starts the steps; call before the program makes its windows.
    void Start();
    bool Failed() const { return FFailed; }

private:
    struct Step {
        QString Name;                  // file name part of the screenshot
        std::function<void()> Act;     // what the user does
        std::function<bool()> Done;    // what the user waits to see
        std::function<QString()> Seen; // the printed line
        int TimeoutMs = 10000;
    };
    void Poll();
    void Add(Step S) { FSteps.push_back(std::move(S)); }
    void Shoot(const QString &Name);
    void Report(const QString &Line);
    // Takes the movie control's sound instead of a sound device.
    void Record();

    QString FFolder;
    std::vector<Step> FSteps;
    size_t FCurrent = 0;
    bool FActed = false;
    bool FFailed = false;
    QElapsedTimer FClock;      // since the current step began
    QElapsedTimer FSinceStart; // since the program began
    QTimer FTimer;

    // What the lesson step measures.
    int FFirstFrame = -1;
    qint64 FFirstFrameAt = 0;
    QImage FFirstPicture;
    double FFirstPosition = -1;
    QTimer FRecorder;
    QElapsedTimer FRecordClock;
    qint64 FRecorded = 0; // sample frames taken
    int FLoudest = 0;     // loudest sample heard
};
