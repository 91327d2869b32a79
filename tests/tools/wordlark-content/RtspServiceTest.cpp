// The content server's rtsp:// side played by FFmpeg's RTSP client, over TCP
// and UDP, on the RTSP port and on the shared http:// port: describe, set
// up, play, pause, play again, tear down; and paths it must not serve.
#include "ServerFixture.h"

#include "WaitFor.h"

#include <QFile>
#include <chrono>
#include <future>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

struct Session {
    bool Opened = false;
    int Codec = AV_CODEC_ID_NONE;
    int PacketsBeforePause = 0;
    int PacketsAfterPause = 0;
    QString Error;
};

int ReadPackets(AVFormatContext *Format, int Count)
{
    AVPacket *packet = av_packet_alloc();
    int got = 0;
    while (got < Count && av_read_frame(Format, packet) >= 0) {
        ++got;
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    return got;
}

// A whole session as the programme control has one, run off the GUI thread
// (the shared port is served there).
Session Play(const QString &Url, const char *Transport)
{
    Session session;
    AVFormatContext *format = nullptr;
    AVDictionary *options = nullptr;
    av_dict_set(&options, "rtsp_transport", Transport, 0);
    av_dict_set(&options, "timeout", "5000000", 0);
    const int opened = avformat_open_input(&format, Url.toUtf8().constData(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0) {
        char text[256];
        av_strerror(opened, text, sizeof text);
        session.Error = QString::fromUtf8(text);
        return session;
    }
    session.Opened = true;
    // As the programme control does: the stream's codec is known for sure
    // only once its first frames are parsed.
    avformat_find_stream_info(format, nullptr);
    if (format->nb_streams > 0)
        session.Codec = format->streams[0]->codecpar->codec_id;
    session.PacketsBeforePause = ReadPackets(format, 20);
    av_read_pause(format);
    av_read_play(format);
    session.PacketsAfterPause = ReadPackets(format, 20);
    avformat_close_input(&format);
    return session;
}

class RtspServiceTest : public ServerFixture {
protected:
    void SetUp() override
    {
        ServerFixture::SetUp();
        WriteFile("SOFTWARE2/GOGO_MTV/02.RM", ToneWav(6));
        WriteFile("notes.txt", "not audio");
        StartServer();
    }
    Session Run(const QString &Url, const char *Transport)
    {
        std::future<Session> future = std::async(std::launch::async, [=] { return Play(Url, Transport); });
        WaitFor([&] { return future.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 30000);
        return future.get();
    }
    QString Url(int Port, const char *Path) const
    {
        return QStringLiteral("rtsp://127.0.0.1:%1%2").arg(Port).arg(QString::fromUtf8(Path));
    }
};

TEST_F(RtspServiceTest, PlaysPausesAndTearsDownOverTcp)
{
    const Session s = Run(Url(Server->RtspPort(), "/SOFTWARE2/GOGO_MTV/02.RM"), "tcp");
    ASSERT_TRUE(s.Opened) << s.Error.toStdString();
    EXPECT_EQ(s.Codec, AV_CODEC_ID_MP3);
    EXPECT_EQ(s.PacketsBeforePause, 20);
    EXPECT_EQ(s.PacketsAfterPause, 20);
    for (const char *method : {"DESCRIBE", "PLAY", "PAUSE", "TEARDOWN"})
        EXPECT_TRUE(WaitForLine({"RTSP 127.0.0.1", method, "/SOFTWARE2/GOGO_MTV/02.RM", " 200"})) << method;
    EXPECT_TRUE(WaitForLine({"SETUP", "200 TCP"}));
}

TEST_F(RtspServiceTest, PlaysPausesAndTearsDownOverUdp)
{
    const Session s = Run(Url(Server->RtspPort(), "/SOFTWARE2/GOGO_MTV/02.RM"), "udp");
    ASSERT_TRUE(s.Opened) << s.Error.toStdString();
    EXPECT_EQ(s.Codec, AV_CODEC_ID_MP3);
    EXPECT_EQ(s.PacketsBeforePause, 20);
    EXPECT_EQ(s.PacketsAfterPause, 20);
    EXPECT_TRUE(WaitForLine({"SETUP", "200 UDP"}));
    for (const char *method : {"PAUSE", "TEARDOWN"})
        EXPECT_TRUE(WaitForLine({method, "/SOFTWARE2/GOGO_MTV/02.RM", " 200"})) << method;
}

TEST_F(RtspServiceTest, TheHttpPortAnswersRtspToo)
{
    // The program writes rtsp:// addresses with the content host's port.
    const Session s = Run(Url(Server->HttpPort(), "/SOFTWARE2/GOGO_MTV/02.RM"), "tcp");
    ASSERT_TRUE(s.Opened) << s.Error.toStdString();
    EXPECT_EQ(s.PacketsBeforePause, 20);
    // ...while it still answers http://.
    EXPECT_EQ(RawHttp(Server->HttpPort(), Get("/notes.txt")).Body, "not audio");
}

TEST_F(RtspServiceTest, MissingAndEscapingPathsAreNotServed)
{
    QFile secret(Dir.path() + "/secret.wav");
    ASSERT_TRUE(secret.open(QIODevice::WriteOnly));
    secret.write(ToneWav(1));
    secret.close();
    EXPECT_FALSE(Run(Url(Server->RtspPort(), "/SOFTWARE2/GOGO_MTV/99.RM"), "tcp").Opened);
    EXPECT_TRUE(WaitForLine({"DESCRIBE", "/SOFTWARE2/GOGO_MTV/99.RM", " 404"}));
    EXPECT_FALSE(Run(Url(Server->RtspPort(), "/%2e%2e/secret.wav"), "tcp").Opened);
    EXPECT_TRUE(WaitForLine({"DESCRIBE", "/../secret.wav", " 403"}));
    // A file that is not audio cannot be described.
    EXPECT_FALSE(Run(Url(Server->RtspPort(), "/notes.txt"), "tcp").Opened);
}

} // namespace
