#include "StreamSession.h"

#include "AudioBuffer.h"
#include "AudioDecoder.h"
#include "RamFile.h"
#include "FfmpegErrorLog.h"
#include "StreamErrors.h"
#include "VideoDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <algorithm>

namespace {
// Socket time-outs handed to FFmpeg's protocols, and our own deadline for one
// read while playing (a stalled server ends the clip with a clear text).
constexpr int kSocketTimeoutMs = 10000;
constexpr int kReadTimeoutMs = 15000;
// Decoded sound kept ahead of the device.
constexpr int kAudioBufferMs = 2000;
// Packets read ahead per stream, and a cap on memory for either.
constexpr int kAudioPacketsAhead = 100;
constexpr int kVideoPacketsAhead = 60;
constexpr int64_t kMaxQueuedBytes = 16 * 1024 * 1024;
// How much of a clip is read to learn its streams when the header is not enough.
constexpr int64_t kProbeMicroseconds = 2000000;

AVCodecContext *OpenCodec(const AVStream *stream)
{
    const AVCodec *codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return nullptr;
    AVCodecContext *context = avcodec_alloc_context3(codec);
    if (!context)
        return nullptr;
    if (avcodec_parameters_to_context(context, stream->codecpar) < 0
        || (context->pkt_timebase = stream->time_base, avcodec_open2(context, codec, nullptr) < 0)) {
        avcodec_free_context(&context);
        return nullptr;
    }
    return context;
}

// Whether the header left a stream without what its decoder needs. Probing
// reads ahead, and on a clip whose packets carry no usable time stamps it
// reads until its size limit: on a stream that arrives in real time that is
// minutes of "Connecting", so it is done only when needed.
bool NeedsProbing(const AVFormatContext *format)
{
    if (format->nb_streams == 0)
        return true;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVCodecParameters *p = format->streams[i]->codecpar;
        if (p->codec_id == AV_CODEC_ID_NONE)
            return true;
        if (p->codec_type == AVMEDIA_TYPE_AUDIO && (p->sample_rate <= 0 || p->ch_layout.nb_channels <= 0))
            return true;
        if (p->codec_type == AVMEDIA_TYPE_VIDEO && (p->width <= 0 || p->height <= 0))
            return true;
    }
    return false;
}

// The clip's length in seconds from the header (0 when unknown): the whole
// file's if given, else the longest of the played streams'.
double ClipDuration(const AVFormatContext *format, std::initializer_list<int> streams)
{
    if (format->duration > 0)
        return double(format->duration) / AV_TIME_BASE;
    double longest = 0;
    for (int index : streams) {
        if (index < 0)
            continue;
        const AVStream *stream = format->streams[index];
        if (stream->duration > 0)
            longest = std::max(longest, double(stream->duration) * av_q2d(stream->time_base));
    }
    return longest;
}
}

StreamSession::StreamSession(const QString &source, int timeoutMs)
    : address(source), openTimeoutMs(timeoutMs)
{
}

StreamSession::~StreamSession()
{
    RequestStop();
    if (reader.joinable())
        reader.join();
}

void StreamSession::Start()
{
    reader = std::thread([this] { Run(); });
}

void StreamSession::RequestStop()
{
    interrupt.Abort();
    audioPackets.Abort();
    videoPackets.Abort();
    pictures.Abort();
    std::lock_guard lock(mutex);
    if (state.audio)
        state.audio->Abort();
    wake.notify_all();
}

StreamSession::State StreamSession::Snapshot() const
{
    std::lock_guard lock(mutex);
    State copy = state;
    if (audioDecoder)
        copy.audioDoneSerial = audioDecoder->DoneSerial();
    if (videoDecoder)
        copy.videoDoneSerial = videoDecoder->DoneSerial();
    return copy;
}

void StreamSession::Seek(double seconds, int serial)
{
    std::lock_guard lock(mutex);
    seekPending = true;
    seekTarget = seconds;
    seekSerial = serial;
    wake.notify_all();
}

void StreamSession::SetPaused(bool pause)
{
    std::lock_guard lock(mutex);
    paused = pause;
    wake.notify_all();
}

void StreamSession::Run()
{
    FfmpegErrorLog errors;
    ffmpegErrors = &errors;
    AVFormatContext *format = nullptr;
    if (Open(format))
        ReadLoop(format);
    // The decoders stop once their queues and outputs are aborted.
    RequestStop();
    std::unique_ptr<AudioDecoder> audio;
    std::unique_ptr<VideoDecoder> video;
    {
        std::lock_guard lock(mutex);
        audio = std::move(audioDecoder);
        video = std::move(videoDecoder);
    }
    audio.reset();
    video.reset();
    // Closing may talk to the server; the aborted interrupt keeps it short.
    avformat_close_input(&format);
    finished = true;
}

void StreamSession::Fail(const StreamFailure &failure)
{
    std::lock_guard lock(mutex);
    state.error = failure;
}

void StreamSession::FailOpen(int averror)
{
    if (interrupt.Aborted())
        return;
    Fail(interrupt.TimedOut() ? TimedOutFailure(address) : DescribeStreamError(averror, ffmpegErrors->Last(), address));
}

bool StreamSession::Open(AVFormatContext *&format)
{
    QString target = address;
    interrupt.Arm(openTimeoutMs);
    if (IsRamAddress(target)) {
        QStringList listed;
        int err = ReadRamFile(target, interrupt.Callback(), kSocketTimeoutMs, listed);
        if (err < 0) {
            FailOpen(err);
            return false;
        }
        target = listed.first();
    }
    // RTSP is asked for the stream interleaved on its own TCP connection
    // first, which passes home routers; a server that refuses it gets the
    // default (UDP, falling back to TCP).
    bool rtsp = target.startsWith(QLatin1String("rtsp://"), Qt::CaseInsensitive);
    int err = OpenInput(format, target, rtsp ? "tcp" : nullptr);
    if (err < 0 && rtsp && !interrupt.Aborted() && !interrupt.TimedOut() && err != AVERROR(ECONNREFUSED)
        && err != AVERROR_STREAM_NOT_FOUND)
        err = OpenInput(format, target, nullptr);
    if (err < 0) {
        FailOpen(err);
        return false;
    }
    if (NeedsProbing(format)) {
        format->max_analyze_duration = kProbeMicroseconds;
        err = avformat_find_stream_info(format, nullptr);
        if (interrupt.Aborted())
            return false;
        if (err < 0 && interrupt.TimedOut()) {
            FailOpen(err);
            return false;
        }
    }
    interrupt.Disarm();
    return OpenStreams(format);
}

int StreamSession::OpenInput(AVFormatContext *&format, const QString &target, const char *rtspTransport)
{
    format = avformat_alloc_context();
    if (!format)
        return AVERROR(ENOMEM);
    format->interrupt_callback = interrupt.Callback();
    // Seek by estimate where a format offers it (MP3 without a table of
    // contents would otherwise read its way to the target).
    format->flags |= AVFMT_FLAG_FAST_SEEK;
    AVDictionary *options = nullptr;
    QByteArray timeout = QByteArray::number(qint64(kSocketTimeoutMs) * 1000);
    av_dict_set(&options, "timeout", timeout.constData(), 0);
    av_dict_set(&options, "rw_timeout", timeout.constData(), 0);
    av_dict_set(&options, "stimeout", timeout.constData(), 0);
    // A seek further ahead than this asks the server for the new range instead
    // of reading through everything in between (by default as much as the
    // socket's receive buffer, megabytes on a fast link).
    av_dict_set(&options, "short_seek_size", "65536", 0);
    if (rtspTransport)
        av_dict_set(&options, "rtsp_transport", rtspTransport, 0);
    // On failure the context is freed and `format` set to null.
    int err = avformat_open_input(&format, target.toUtf8().constData(), nullptr, &options);
    av_dict_free(&options);
    return err;
}

bool StreamSession::OpenStreams(AVFormatContext *format)
{
    audioIndex = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    videoIndex = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, audioIndex, nullptr, 0);
    AVCodecContext *audioCodec = audioIndex >= 0 ? OpenCodec(format->streams[audioIndex]) : nullptr;
    AVCodecContext *videoCodec = videoIndex >= 0 ? OpenCodec(format->streams[videoIndex]) : nullptr;
    if (!audioCodec)
        audioIndex = -1;
    if (!videoCodec)
        videoIndex = -1;
    // Only the chosen streams are demuxed; alternative bit rates and other
    // tracks are skipped.
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        if (int(i) != audioIndex && int(i) != videoIndex)
            format->streams[i]->discard = AVDISCARD_ALL;
    }
    if (!audioCodec && !videoCodec) {
        Fail(format->nb_streams ? NoStreamsFailure() : NoMediaFailure());
        return false;
    }

    std::shared_ptr<AudioBuffer> audioBuffer;
    std::unique_ptr<AudioDecoder> audio;
    if (audioCodec) {
        int rate = audioCodec->sample_rate;
        if (rate < 4000 || rate > 192000)
            rate = 44100;
        int channels = audioCodec->ch_layout.nb_channels >= 2 ? 2 : 1;
        audioBuffer = std::make_shared<AudioBuffer>(rate, channels, kAudioBufferMs);
        audio = std::make_unique<AudioDecoder>(audioCodec, audioPackets, audioBuffer);
    }
    std::unique_ptr<VideoDecoder> video;
    if (videoCodec) {
        AVStream *stream = format->streams[videoIndex];
        AVRational rate = av_guess_frame_rate(format, stream, nullptr);
        double frameDuration = rate.num > 0 && rate.den > 0 ? av_q2d(av_inv_q(rate)) : 0.04;
        frameDuration = std::clamp(frameDuration, 0.005, 1.0);
        double timeBase = av_q2d(stream->time_base);
        double startTime = stream->start_time != AV_NOPTS_VALUE ? double(stream->start_time) * timeBase : 0;
        video = std::make_unique<VideoDecoder>(videoCodec, videoPackets, pictures, timeBase, startTime,
                                               frameDuration);
    }

    bool canSeek = format->pb ? (format->pb->seekable & AVIO_SEEKABLE_NORMAL) != 0
                              : (format->iformat->read_seek || format->iformat->read_seek2);
    std::lock_guard lock(mutex);
    state.opened = true;
    state.duration = ClipDuration(format, {audioIndex, videoIndex});
    state.seekable = canSeek && state.duration > 0;
    state.audio = audioBuffer;
    state.hasVideo = video != nullptr;
    audioDecoder = std::move(audio);
    videoDecoder = std::move(video);
    if (audioDecoder)
        audioDecoder->Start();
    if (videoDecoder)
        videoDecoder->Start();
    return true;
}

bool StreamSession::QueuesFull() const
{
    if (audioPackets.Bytes() + videoPackets.Bytes() > kMaxQueuedBytes)
        return true;
    return (audioIndex < 0 || audioPackets.Count() >= kAudioPacketsAhead)
        && (videoIndex < 0 || videoPackets.Count() >= kVideoPacketsAhead);
}

void StreamSession::Wait(int ms)
{
    std::unique_lock lock(mutex);
    wake.wait_for(lock, std::chrono::milliseconds(ms));
}

void StreamSession::ReadLoop(AVFormatContext *format)
{
    AVPacket *packet = av_packet_alloc();
    bool readPaused = false;
    while (!interrupt.Aborted()) {
        std::unique_lock lock(mutex);
        if (seekPending) {
            seekPending = false;
            double target = seekTarget;
            int serial = seekSerial;
            state.atEnd = false;
            state.endError = {};
            lock.unlock();
            int64_t stamp = int64_t(target * AV_TIME_BASE);
            if (format->start_time != AV_NOPTS_VALUE)
                stamp += format->start_time;
            interrupt.Arm(kReadTimeoutMs);
            avformat_seek_file(format, -1, INT64_MIN, stamp, INT64_MAX, 0);
            if (videoDecoder)
                videoDecoder->SetRestartTime(target);
            audioPackets.Flush(serial);
            videoPackets.Flush(serial);
            continue;
        }
        bool wantPause = paused;
        bool idle = wantPause || state.atEnd;
        lock.unlock();
        if (wantPause != readPaused) {
            readPaused = wantPause;
            interrupt.Arm(kReadTimeoutMs);
            wantPause ? av_read_pause(format) : av_read_play(format);
        }
        if (idle) {
            Wait(100);
            continue;
        }
        if (QueuesFull()) {
            Wait(20);
            continue;
        }
        interrupt.Arm(kReadTimeoutMs);
        int err = av_read_frame(format, packet);
        if (err == AVERROR(EAGAIN)) {
            Wait(10);
            continue;
        }
        if (err < 0) {
            if (interrupt.Aborted())
                break;
            lock.lock();
            if (err != AVERROR_EOF && !(format->pb && avio_feof(format->pb) && !format->pb->error))
                state.endError = interrupt.TimedOut() ? TimedOutFailure(address)
                                                      : DescribeStreamError(err, ffmpegErrors->Last(), address);
            state.atEnd = true;
            lock.unlock();
            audioPackets.PutEnd();
            videoPackets.PutEnd();
            continue;
        }
        if (packet->stream_index == audioIndex)
            audioPackets.Put(packet);
        else if (packet->stream_index == videoIndex)
            videoPackets.Put(packet);
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
}
