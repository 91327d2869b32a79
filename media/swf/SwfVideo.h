#pragma once
// Embedded video: a DefineVideoStream character, the VideoFrame tags that
// carry its frames, and their decoding with FFmpeg's decoders (Sorenson
// H.263, screen video 1 and 2, VP6 and VP6 with alpha) into pictures.
#include "SwfCharacter.h"

#include <QByteArray>
#include <QImage>
#include <map>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

namespace swf {

class BitReader;

struct VideoCharacter : Character {
    enum Codec { SorensonH263 = 2, ScreenVideo = 3, Vp6 = 4, Vp6Alpha = 5, ScreenVideo2 = 6 };
    int frameCount = 0;
    int width = 0, height = 0; // pixels
    int deblocking = 0;        // 0: as the stream says, 1: off, 2 and up: on at some strength
    bool smoothing = false;
    int codec = 0;
    std::map<int, QByteArray> frames; // by frame number

    // DefineVideoStream after its character id.
    static std::shared_ptr<VideoCharacter> read(BitReader &in);
    // VideoFrame after its stream id: keeps the frame's data.
    void readFrame(BitReader &in);
};

// Decodes the frames of one stream in order, going back to the start of
// the stream when an earlier frame is asked for.
class VideoDecoder {
public:
    explicit VideoDecoder(const VideoCharacter &video);
    ~VideoDecoder();
    VideoDecoder(const VideoDecoder &) = delete;
    VideoDecoder &operator=(const VideoDecoder &) = delete;

    // The picture of frame `number` (premultiplied ARGB, the stream's size):
    // the last frame at or before it that decoded; null before any did.
    QImage frame(int number);

private:
    bool open();
    void decode(const QByteArray &data);
    QImage picture() const;

    const VideoCharacter &video;
    AVCodecContext *context = nullptr;
    AVFrame *decoded = nullptr;
    AVPacket *packet = nullptr;
    int current = -1; // the last frame fed to the decoder
    QImage shown;
};

}
