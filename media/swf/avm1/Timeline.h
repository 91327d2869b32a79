#pragma once
// The actions that work on clips: timeline control of the current target
// (SetTarget, tellTarget), goto by number or label, Call, WaitForFrame and
// the numbered properties of GetProperty and SetProperty.
#include "Value.h"

#include <QString>

namespace swf::avm1 {

struct Frame;
class Object;

// The frame's target clip if it (or a clip at its path) is in the tree.
Object *liveTarget(Frame &f);
// Play, Stop, NextFrame, PrevFrame, ToggleQuality, StopSounds, EndDrag.
void timelineControl(Frame &f, uint8_t op);
// GotoFrame2: `frame` a number (from 1, plus `bias`), a label, or
// "path:frame" / "path:label".
void gotoFrame2(Frame &f, const Value &frame, bool play, int bias);
// GotoLabel.
void gotoLabel(Frame &f, const QString &label);
void callFrame(Frame &f, const Value &frame);
// WaitForFrame (`zeroBased` frame numbers) and WaitForFrame2.
bool frameLoaded(Frame &f, const Value &frame, bool zeroBased);
// SetTarget and SetTarget2: the new target; "" goes back to the frame's own.
Object *setTarget(Frame &f, const Value &target);
Value getProperty(Frame &f, const Value &target, int index);
void setProperty(Frame &f, const Value &target, int index, const Value &value);

}
