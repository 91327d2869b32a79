#pragma once
// Controls that host an in-process component created by class id (ComObj.h).
// The component's window covers the control's client area and follows its
// size; properties are reached by dispatch id and methods by their position
// in the component's function table. A refused access raises EOleException,
// which ends the calling handler and reaches the application's handler.
#include "ComObj.h"
#include "Controls.h"

#include <utility>
#include <vector>

class TOleControl : public TWinControl {
public:
    TOleControl(TComponent *AOwner, const String &ClassId);
    ~TOleControl() override;

    const String &ClassId() const { return FClassId; }
    // The hosted component; it is created with the control's window.
    IOleComponent *Component();

    OleVariant GetProperty(DISPID Id);
    void SetProperty(DISPID Id, const OleVariant &Value);
    OleVariant CallMethod(int Position, const QVariantList &Args = {});

    // A stored setting of the component: applied when the component is
    // created (and at once when it exists already).
    void SetControlData(DISPID Id, const OleVariant &Value);

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void WMSize(TMessage &Message) override;

private:
    void PlaceComponent();

    String FClassId;
    std::unique_ptr<IOleComponent> FComponent;
    String FCreateError;
    std::vector<std::pair<DISPID, OleVariant>> FControlData;
};

// The movie control of the main window.
class TShockwaveFlash : public TOleControl {
public:
    explicit TShockwaveFlash(TComponent *AOwner);

    void SetMovie(const String &Value);
    // The name the movie's loading and error messages give it; written after
    // Movie, which clears it.
    void SetMovieTitle(const String &Value);
    int TotalFrames();
    int FrameNum();
    void SetFrameNum(int Value);
    bool Playing();

    void Play();
    void StopPlay();
    int CurrentFrame();
};

// The programme control of the programme window.
class TRealAudio : public TOleControl {
public:
    explicit TRealAudio(TComponent *AOwner);

    void SetSource(const String &Value);
    // Ends playback.
    void DoStop();
    // Tells the component that its window changed size.
    void ResizeNotice();
};
