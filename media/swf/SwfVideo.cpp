#include "SwfVideo.h"

#include "SwfBitReader.h"
#include "SwfError.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/pixdesc.h>
}

namespace swf {

namespace {
// Streams larger than this are refused rather than decoded.
constexpr int kMaxVideoSide = 4096;

AVCodecID codecId(int codec)
{
    switch (codec) {
    case VideoCharacter::SorensonH263:
        return AV_CODEC_ID_FLV1;
    case VideoCharacter::ScreenVideo:
        return AV_CODEC_ID_FLASHSV;
    case VideoCharacter::Vp6:
        return AV_CODEC_ID_VP6F;
    case VideoCharacter::Vp6Alpha:
        return AV_CODEC_ID_VP6A;
    case VideoCharacter::ScreenVideo2:
        return AV_CODEC_ID_FLASHSV2;
    default:
        return AV_CODEC_ID_NONE;
    }
}

// Video's limited-range YCbCr (BT.601) to RGB, in 16.16 fixed point. With
// an alpha plane the colours count as already multiplied by it.
QRgb yuvToRgb(int y, int u, int v, int alpha)
{
    int c = (y - 16) * 76309, d = u - 128, e = v - 128;
    int r = std::clamp((c + 104597 * e + 32768) >> 16, 0, alpha);
    int g = std::clamp((c - 25675 * d - 53279 * e + 32768) >> 16, 0, alpha);
    int b = std::clamp((c + 132201 * d + 32768) >> 16, 0, alpha);
    return qRgba(r, g, b, alpha);
}

// The deblocking strength for each quantizer (1..31).
constexpr int kStrength[32] = {0, 1, 1, 2, 2, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10, 10, 11, 11, 11, 12, 12};

int upDownRamp(int x, int strength)
{
    int a = std::abs(x);
    int v = std::max(0, a - std::max(0, 2 * (a - strength)));
    return x < 0 ? -v : v;
}

// Smooths the steps across the edges of 8 x 8 blocks of one plane: four
// pixels A B | C D across each edge move towards each other, the more the
// coarser the quantizer, the less the larger the step (a real edge).
void deblock(uint8_t *plane, int stride, int width, int height, int quantizer)
{
    int strength = kStrength[std::clamp(quantizer, 1, 31)];
    auto filter = [&](uint8_t &a, uint8_t &b, uint8_t &c, uint8_t &d) {
        // Divisions round down, negative values included.
        int step = (a - 4 * b + 4 * c - d) >> 3;
        int d1 = upDownRamp(step, strength);
        int b1 = std::clamp(b + d1, 0, 255), c1 = std::clamp(c - d1, 0, 255);
        int limit = std::abs(d1 >> 1);
        int d2 = std::clamp((a - d) >> 2, -limit, limit);
        a = uint8_t(a - d2);
        d = uint8_t(d + d2);
        b = uint8_t(b1);
        c = uint8_t(c1);
    };
    // The edges between rows of blocks first, then those between columns.
    for (int y = 8; y + 1 < height; y += 8)
        for (int x = 0; x < width; ++x) {
            uint8_t *p = plane + y * stride + x;
            filter(p[-2 * stride], p[-stride], p[0], p[stride]);
        }
    for (int y = 0; y < height; ++y)
        for (int x = 8; x + 1 < width; x += 8) {
            uint8_t *p = plane + y * stride + x;
            filter(p[-2], p[-1], p[0], p[1]);
        }
}

// The deblocking flag and quantizer of a Sorenson H.263 picture header.
bool h263Deblocking(const QByteArray &data, int &quantizer)
{
    BitReader in(reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size()));
    try {
        if (in.ub(17) != 1)
            return false;
        in.ub(5);
        in.ub(8);
        int size = int(in.ub(3));
        if (size == 0)
            in.ub(16);
        else if (size == 1)
            in.ub(32);
        in.ub(2);
        bool deblocking = in.ub(1);
        quantizer = int(in.ub(5));
        return deblocking;
    } catch (const SwfError &) {
        return false;
    }
}
}

std::shared_ptr<VideoCharacter> VideoCharacter::read(BitReader &in)
{
    auto video = std::make_shared<VideoCharacter>();
    video->frameCount = in.u16();
    video->width = in.u16();
    video->height = in.u16();
    in.ub(4);
    video->deblocking = int(in.ub(3));
    video->smoothing = in.ub(1);
    video->codec = in.u8();
    return video;
}

void VideoCharacter::readFrame(BitReader &in)
{
    int number = in.u16();
    frames[number] = in.bytes(in.remaining());
}

VideoDecoder::VideoDecoder(const VideoCharacter &video) : video(video)
{
}

VideoDecoder::~VideoDecoder()
{
    avcodec_free_context(&context);
    av_frame_free(&decoded);
    av_packet_free(&packet);
}

bool VideoDecoder::open()
{
    avcodec_free_context(&context);
    current = -1;
    shown = QImage();
    const AVCodec *codec = avcodec_find_decoder(codecId(video.codec));
    if (!codec || video.width <= 0 || video.height <= 0 || video.width > kMaxVideoSide
        || video.height > kMaxVideoSide)
        return false;
    context = avcodec_alloc_context3(codec);
    context->width = video.width;
    context->height = video.height;
    context->thread_count = 1;
    if (avcodec_open2(context, codec, nullptr) < 0) {
        avcodec_free_context(&context);
        return false;
    }
    if (!decoded)
        decoded = av_frame_alloc();
    if (!packet)
        packet = av_packet_alloc();
    return true;
}

QImage VideoDecoder::frame(int number)
{
    if (number < current || !context) {
        if (!open())
            return QImage();
    }
    for (auto it = video.frames.upper_bound(current); it != video.frames.end() && it->first <= number; ++it) {
        decode(it->second);
        current = it->first;
    }
    current = std::max(current, number);
    return shown;
}

void VideoDecoder::decode(const QByteArray &data)
{
    // The stream turns deblocking off (1) or on (2 and up), or leaves it to each frame (0).
    int quantizer = 0;
    bool frameDeblocks = video.codec == VideoCharacter::SorensonH263 && h263Deblocking(data, quantizer);
    bool deblocking = quantizer > 0 && (video.deblocking >= 2 || (video.deblocking == 0 && frameDeblocks));
    if (data.isEmpty() || av_new_packet(packet, int(data.size())) < 0)
        return;
    std::copy(data.begin(), data.end(), packet->data);
    int sent = avcodec_send_packet(context, packet);
    av_packet_unref(packet);
    if (sent < 0)
        return;
    while (avcodec_receive_frame(context, decoded) == 0) {
        if (deblocking && av_frame_make_writable(decoded) == 0 && decoded->format == AV_PIX_FMT_YUV420P) {
            deblock(decoded->data[0], decoded->linesize[0], decoded->width, decoded->height, quantizer);
            for (int plane : {1, 2})
                deblock(decoded->data[plane], decoded->linesize[plane], (decoded->width + 1) / 2,
                        (decoded->height + 1) / 2, quantizer);
        }
        QImage picture = this->picture();
        if (!picture.isNull())
            shown = picture;
        av_frame_unref(decoded);
    }
}

QImage VideoDecoder::picture() const
{
    int width = std::min(decoded->width, video.width), height = std::min(decoded->height, video.height);
    if (width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    auto format = AVPixelFormat(decoded->format);
    if (format == AV_PIX_FMT_YUV420P || format == AV_PIX_FMT_YUVA420P) {
        bool alpha = format == AV_PIX_FMT_YUVA420P;
        for (int y = 0; y < height; ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            const uint8_t *luma = decoded->data[0] + y * decoded->linesize[0];
            const uint8_t *u = decoded->data[1] + (y / 2) * decoded->linesize[1];
            const uint8_t *v = decoded->data[2] + (y / 2) * decoded->linesize[2];
            const uint8_t *a = alpha ? decoded->data[3] + y * decoded->linesize[3] : nullptr;
            for (int x = 0; x < width; ++x)
                row[x] = yuvToRgb(luma[x], u[x / 2], v[x / 2], a ? a[x] : 255);
        }
    } else if (format == AV_PIX_FMT_BGR24) {
        for (int y = 0; y < height; ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            const uint8_t *from = decoded->data[0] + y * decoded->linesize[0];
            for (int x = 0; x < width; ++x)
                row[x] = qRgb(from[3 * x + 2], from[3 * x + 1], from[3 * x]);
        }
    } else {
        return QImage();
    }
    return image;
}

}
