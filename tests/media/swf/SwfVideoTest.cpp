// Embedded video: frames encoded here with FFmpeg's encoders, stored in
// DefineVideoStream and VideoFrame tags, decoded and drawn where and when
// the placement's ratio says; going back restarts the stream; the stream's
// or the frame's deblocking flag smooths block edges; broken data and
// oversized streams draw nothing.
#include "SwfTestUtil.h"
#include "SwfWriter.h"
#include "swf/SwfVideo.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
}

using swfmake::MovieWriter;

namespace {

constexpr int kSide = 32;

// Encodes `images` (kSide square) as one stream of packets at `quantizer`.
std::vector<QByteArray> encode(AVCodecID id, const std::vector<QImage> &images, int quantizer = 2)
{
    std::vector<QByteArray> packets;
    const AVCodec *codec = avcodec_find_encoder(id);
    if (!codec)
        return packets;
    AVCodecContext *c = avcodec_alloc_context3(codec);
    c->width = c->height = kSide;
    c->time_base = {1, 12};
    c->gop_size = 12;
    c->pix_fmt = id == AV_CODEC_ID_FLASHSV ? AV_PIX_FMT_BGR24 : AV_PIX_FMT_YUV420P;
    c->flags |= AV_CODEC_FLAG_QSCALE;
    c->global_quality = FF_QP2LAMBDA * quantizer;
    if (avcodec_open2(c, codec, nullptr) < 0) {
        avcodec_free_context(&c);
        return packets;
    }
    AVFrame *frame = av_frame_alloc();
    AVPacket *packet = av_packet_alloc();
    int index = 0;
    auto drain = [&] {
        while (avcodec_receive_packet(c, packet) == 0) {
            packets.emplace_back(reinterpret_cast<const char *>(packet->data), packet->size);
            av_packet_unref(packet);
        }
    };
    for (const QImage &image : images) {
        frame->format = c->pix_fmt;
        frame->width = frame->height = kSide;
        av_frame_get_buffer(frame, 0);
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                QColor p = image.pixelColor(x, y);
                if (c->pix_fmt == AV_PIX_FMT_BGR24) {
                    uint8_t *d = frame->data[0] + y * frame->linesize[0] + 3 * x;
                    d[0] = uint8_t(p.blue());
                    d[1] = uint8_t(p.green());
                    d[2] = uint8_t(p.red());
                    continue;
                }
                frame->data[0][y * frame->linesize[0] + x] =
                    uint8_t(16 + (65.7 * p.red() + 129 * p.green() + 25 * p.blue()) / 256);
                if (x % 2 == 0 && y % 2 == 0) {
                    frame->data[1][y / 2 * frame->linesize[1] + x / 2] =
                        uint8_t(128 + (-37.9 * p.red() - 74.5 * p.green() + 112.4 * p.blue()) / 256);
                    frame->data[2][y / 2 * frame->linesize[2] + x / 2] =
                        uint8_t(128 + (112.4 * p.red() - 94.2 * p.green() - 18.2 * p.blue()) / 256);
                }
            }
        frame->pts = index++;
        frame->quality = c->global_quality;
        avcodec_send_frame(c, frame);
        drain();
        av_frame_unref(frame);
    }
    avcodec_send_frame(c, nullptr);
    drain();
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&c);
    return packets;
}

QImage solid(const QColor &c)
{
    QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(c);
    return image;
}

QByteArray defineStream(int frames, int codec, int flags, int width = kSide, int height = kSide)
{
    swfmake::BitWriter w;
    w.u16(1);
    w.u16(frames);
    w.u16(width);
    w.u16(height);
    w.u8(flags);
    w.u8(codec);
    return w.data();
}

QByteArray videoFrame(int number, const QByteArray &data)
{
    swfmake::BitWriter w;
    w.u16(1);
    w.u16(number);
    w.bytes(data);
    return w.data();
}

// A movie showing the stream at (8, 8), one frame per video frame.
std::shared_ptr<swf::Movie> movieOf(const std::vector<QByteArray> &packets, int codec, int flags = 0)
{
    MovieWriter m(48, 48, 12);
    m.setBackground(Qt::black);
    m.tag(60, defineStream(int(packets.size()), codec, flags));
    for (size_t i = 0; i < packets.size(); ++i) {
        m.tag(61, videoFrame(int(i), packets[i]));
        swfmake::Place p;
        p.depth = 1;
        p.move = i > 0;
        if (i == 0)
            p.character = 1;
        p.matrix = QTransform::fromTranslate(8 * 20, 8 * 20);
        p.ratio = int(i);
        m.place(p);
        m.showFrame();
    }
    return swftest::load(m.finish());
}

bool near(QRgb a, const QColor &b, int tolerance)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
        && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

}

TEST(SwfVideo, SorensonFramesShowAtTheirPlaceAndRatio)
{
    auto packets = encode(AV_CODEC_ID_FLV1, {solid(QColor(200, 40, 40)), solid(QColor(40, 40, 200))});
    ASSERT_EQ(packets.size(), 2u);
    auto movie = movieOf(packets, swf::VideoCharacter::SorensonH263);
    auto *video = movie->characterAs<swf::VideoCharacter>(1);
    ASSERT_TRUE(video);
    EXPECT_EQ(video->frames.size(), 2u);
    EXPECT_EQ(video->width, kSide);

    auto scene = swftest::at(movie, 1);
    QImage second = swftest::render(*scene, QSize(48, 48));
    EXPECT_TRUE(near(second.pixel(20, 20), QColor(40, 40, 200), 12)) << std::hex << second.pixel(20, 20);
    EXPECT_EQ(second.pixel(4, 4), qRgb(0, 0, 0)) << "nothing outside the video";
    EXPECT_NE(second.pixel(8, 8), qRgb(0, 0, 0));
    EXPECT_EQ(second.pixel(40, 40), qRgb(0, 0, 0));

    scene->root().gotoFrame(0, false);
    QImage first = swftest::render(*scene, QSize(48, 48));
    EXPECT_TRUE(near(first.pixel(20, 20), QColor(200, 40, 40), 12)) << "going back decodes from the start";
}

TEST(SwfVideo, DecoderGoesBackToTheStart)
{
    auto packets = encode(AV_CODEC_ID_FLV1, {solid(Qt::red), solid(Qt::green), solid(Qt::blue)});
    ASSERT_EQ(packets.size(), 3u);
    auto movie = movieOf(packets, swf::VideoCharacter::SorensonH263);
    swf::VideoDecoder decoder(*movie->characterAs<swf::VideoCharacter>(1));
    EXPECT_TRUE(near(decoder.frame(2).pixel(5, 5), Qt::blue, 16));
    EXPECT_TRUE(near(decoder.frame(0).pixel(5, 5), Qt::red, 16));
    EXPECT_TRUE(near(decoder.frame(1).pixel(5, 5), Qt::green, 16));
    EXPECT_TRUE(near(decoder.frame(7).pixel(5, 5), Qt::blue, 16)) << "past the end the last frame stays";
}

TEST(SwfVideo, ScreenVideoKeepsExactColours)
{
    QImage picture = solid(QColor(10, 200, 120));
    QPainter(&picture).fillRect(0, 0, 16, 32, QColor(250, 5, 60));
    auto packets = encode(AV_CODEC_ID_FLASHSV, {picture});
    ASSERT_EQ(packets.size(), 1u);
    auto movie = movieOf(packets, swf::VideoCharacter::ScreenVideo);
    swf::VideoDecoder decoder(*movie->characterAs<swf::VideoCharacter>(1));
    QImage frame = decoder.frame(0);
    ASSERT_FALSE(frame.isNull());
    EXPECT_EQ(frame.pixel(3, 3), qRgb(250, 5, 60));
    EXPECT_EQ(frame.pixel(20, 3), qRgb(10, 200, 120));
}

TEST(SwfVideo, DeblockingSmoothsBlockEdges)
{
    // Columns of 8 pixels in two greys: block edges with a small step.
    QImage stripes = solid(QColor(100, 100, 100));
    for (int x = 8; x < kSide; x += 16)
        QPainter(&stripes).fillRect(x, 0, 8, kSide, QColor(112, 112, 112));
    auto packets = encode(AV_CODEC_ID_FLV1, {stripes}, 20);
    ASSERT_EQ(packets.size(), 1u);
    auto plain = movieOf(packets, swf::VideoCharacter::SorensonH263, 1 << 1); // the stream turns it off
    auto smoothed = movieOf(packets, swf::VideoCharacter::SorensonH263, 2 << 1); // and on
    swf::VideoDecoder a(*plain->characterAs<swf::VideoCharacter>(1)), b(*smoothed->characterAs<swf::VideoCharacter>(1));
    QImage sharp = a.frame(0), soft = b.frame(0);
    int sharpStep = std::abs(qRed(sharp.pixel(8, 10)) - qRed(sharp.pixel(7, 10)));
    int softStep = std::abs(qRed(soft.pixel(8, 10)) - qRed(soft.pixel(7, 10)));
    EXPECT_GT(sharpStep, 8);
    EXPECT_LT(softStep, sharpStep) << "the step across the block edge is smaller";
    EXPECT_EQ(qRed(soft.pixel(3, 10)), qRed(sharp.pixel(3, 10))) << "inside blocks nothing changes";
}

TEST(SwfVideo, BrokenDataAndOversizedStreamsDrawNothing)
{
    QByteArray garbage(200, '\x5a');
    auto movie = movieOf({garbage, QByteArray()}, swf::VideoCharacter::Vp6);
    QImage image = swftest::render(*swftest::at(movie, 1), QSize(48, 48));
    EXPECT_EQ(image.pixel(20, 20), qRgb(0, 0, 0));

    MovieWriter m(48, 48, 12);
    m.tag(60, defineStream(1, swf::VideoCharacter::SorensonH263, 0, 60000, 60000));
    m.tag(61, videoFrame(0, garbage));
    auto huge = swftest::load(m.finish());
    swf::VideoDecoder decoder(*huge->characterAs<swf::VideoCharacter>(1));
    EXPECT_TRUE(decoder.frame(0).isNull());
}
