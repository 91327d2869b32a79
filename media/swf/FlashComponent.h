#pragma once
// The movie control as a hosted component under the Flash class id.
//
// Properties by dispatch id:
//   Movie        102  write: drops the current movie, loads the address
//                     (http://, https://, file: URL or local path) and plays
//                     it by itself; read: the address last written
//   TotalFrames  124  read: the declared frame count while loading, then the
//                     number of complete frames
//   FrameNum     107  read: the frame shown, counted from 0; write: jump there
//   Playing      125  read: short -1 (true) or 0 (false); write: play or stop,
//                     and before a movie is set, whether it starts by itself
//   Quality      105  int: 0 Low, 1 High (antialiased)
//   Loop         106  bool: start again after the last frame (default true)
//   ScaleMode    120  int: 0 ShowAll, 1 NoBorder, 2 ExactFit (default)
//   WMode        133  string: "Window" (default), "Opaque", "Transparent"
//   Scale        137  string: "ShowAll", "NoBorder", "ExactFit"
//   Quality2     141  string: "Low", "Medium", "High" (default), "Best", ...
//   ExtentX     1000  int: width of the control's window in pixels (335)
//   ExtentY     1001  int: height of the control's window in pixels (247)
//   MovieTitle  1002  string: the name the user knows the movie by (a
//                     lesson's caption), which the stage's loading and error
//                     messages show; cleared by every Movie write, so it is
//                     written after Movie
// Methods by function-table position:
//   Play 28, StopPlay 33, CurrentFrame 35 (returns the frame shown).
// Other ids raise EOleException.
#include "ComObj.h"

#include <QPointer>
#include <QWidget>

namespace swf {
class FlashControl;
}

// The Flash class id the control is registered under.
extern const char *const kFlashClassId;

namespace FlashDispId {
enum : DISPID {
    Movie = 102,
    Quality = 105,
    Loop = 106,
    FrameNum = 107,
    ScaleMode = 120,
    TotalFrames = 124,
    Playing = 125,
    WMode = 133,
    Scale = 137,
    Quality2 = 141,
    ExtentX = 1000,
    ExtentY = 1001,
    MovieTitle = 1002,
};
}

namespace FlashMethod {
enum : int { Play = 28, StopPlay = 33, CurrentFrame = 35 };
}

class FlashComponent : public IOleComponent {
public:
    explicit FlashComponent(QWidget *parent);
    ~FlashComponent() override;

    QWidget *Window() const override;
    OleVariant GetProperty(DISPID id) override;
    void SetProperty(DISPID id, const OleVariant &value) override;
    OleVariant CallMethod(int position, const QVariantList &args = {}) override;

    swf::FlashControl *control() const;

private:
    swf::FlashControl &live() const;
    QPointer<QWidget> window; // the parent may destroy it first
};

// Registers the movie control under kFlashClassId. Start-up and tests call
// it; calling it again does no harm.
void RegisterFlashControl();
