// Fifty changes of source in a row, among clips that play, clips on a slow
// server, missing clips and a server that never answers: nothing is left
// behind by the clips let go, neither memory, threads nor sockets.
#include "ProcessUse.h"
#include "stream/StreamPlayer.h"
#include "StreamTestMedia.h"
#include "TestServers.h"
#include "WaitFor.h"

#include <gtest/gtest.h>

TEST(StreamSoak, FiftySourceChangesLeaveNothingBehind)
{
    HttpFileServer http;
    http.ServeFile("/tone.rm", StreamTestMedia::Ac3Long());
    http.ServeFile("/song.mp3", StreamTestMedia::Mp3());
    HttpFileServer slow;
    slow.ServeFile("/slow.mp3", StreamTestMedia::Mp3());
    slow.SetRate(4000);
    SilentServer silent;
    const QStringList sources = {
        StreamTestMedia::Mp3(),
        http.Url("/tone.rm"),
        StreamTestMedia::RealAudio144(),
        slow.Url("/slow.mp3"),
        http.Url("/missing.rm"),
        QStringLiteral("http://127.0.0.1:%1/never.rm").arg(silent.Port()),
        http.Url("/song.mp3"),
        StreamTestMedia::RealVideo10Ac3(),
        StreamTestMedia::Path("no-such-clip.rm"),
        StreamTestMedia::Mpeg4Video(),
    };
    StreamPlayer player;
    player.SetOpenTimeout(2000);
    ProcessUse::Held warm{};
    for (int change = 0; change < 50; ++change) {
        const QString &source = sources[change % sources.size()];
        SCOPED_TRACE(source.toStdString());
        player.SetSource(source);
        // Each source gets as far as it can in a moment: playing, failed, or
        // still connecting when the next one replaces it.
        WaitFor([&] { return player.GetState() == StreamPlayer::State::Playing || player.Failed(); }, 400);
        if (change == sources.size() * 2 - 1)
            warm = ProcessUse::Now();
    }
    player.Stop();
    ASSERT_EQ(player.GetState(), StreamPlayer::State::Idle);
    // The clips' threads end and their connections close soon after Stop.
    ProcessUse::ExpectBackTo(warm, 16 * 1024);
}
