#pragma once
// A movie component with exact, scripted behaviour, registered under the
// Flash class id in place of the real one: a test sets its frame count,
// frame and playing state and reads the calls made to it in order.
#include "ComObj.h"

#include <QStringList>
#include <map>
#include <QWidget>
#include <memory>

struct TScriptedMovieState {
    int TotalFrames = 0;
    int Frame = 0;
    bool Playing = false;
    // Frame counts of movies by address; a movie not listed has TotalFrames.
    std::map<QString, int> Lengths;
    // Every access raises EOleException with this text when it is set.
    QString Refusal;
    // "Movie=<address>", "MovieTitle=<caption>", "FrameNum=<n>", "Play",
    // "StopPlay", ...
    QStringList Calls;
};

class TScriptedMovie : public IOleComponent {
public:
    TScriptedMovie(QWidget *Parent, std::shared_ptr<TScriptedMovieState> State);
    QWidget *Window() const override { return FWindow; }
    OleVariant GetProperty(DISPID Id) override;
    void SetProperty(DISPID Id, const OleVariant &Value) override;
    OleVariant CallMethod(int Position, const QVariantList &Args = {}) override;

private:
    QWidget *FWindow;
    std::shared_ptr<TScriptedMovieState> FState;
};

// Registers the scripted movie under the Flash class id for the life of the
// object; the real control comes back afterwards.
class TScriptedMovieRegistration {
public:
    TScriptedMovieRegistration();
    ~TScriptedMovieRegistration();
    std::shared_ptr<TScriptedMovieState> State = std::make_shared<TScriptedMovieState>();
};
