#include "SwfTimelineControlHost.h"

#include "SwfActions.h"
#include "SwfBitReader.h"
#include "SwfError.h"
#include "SwfMovie.h"
#include "SwfMovieClip.h"

namespace swf {

void TimelineControlHost::runActions(MovieClip &target, const QByteArray &bytecode)
{
    std::vector<Action> actions;
    try {
        BitReader in(bytecode);
        actions = readActions(in, target.movie().version());
    } catch (const SwfError &) {
        return; // a broken block does nothing
    }
    for (const Action &a : actions) {
        if (target.removed())
            return;
        switch (a.kind) {
        case Action::Play:
            target.play();
            break;
        case Action::Stop:
            target.stop();
            break;
        case Action::NextFrame:
            target.gotoFrame(target.currentFrame() + 1, false);
            break;
        case Action::PrevFrame:
            target.gotoFrame(target.currentFrame() - 1, false);
            break;
        case Action::GotoFrame:
            target.gotoFrame(a.frame, target.playing());
            break;
        case Action::GotoLabel:
            if (int frame = target.frameOfLabel(a.label); frame >= 0)
                target.gotoFrame(frame, target.playing());
            break;
        }
    }
}

void TimelineControlHost::runInitActions(MovieClip &target, const QByteArray &bytecode)
{
    runActions(target, bytecode);
}

}
