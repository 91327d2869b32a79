#include "AudioDecoder.h"

#include "AudioBuffer.h"

AudioDecoder::AudioDecoder(AVCodecContext *codec, PacketQueue &queue, std::shared_ptr<AudioBuffer> buffer)
    : Decoder(codec, queue), output(std::move(buffer)), converter(output->SampleRate(), output->Channels())
{
}

AudioDecoder::~AudioDecoder()
{
    Join();
}

void AudioDecoder::Write(int serial)
{
    int frames = int(converted.size()) / output->Channels();
    if (frames > 0)
        output->Write(reinterpret_cast<const uint8_t *>(converted.data()), frames, serial);
    converted.clear();
}

void AudioDecoder::OnFrame(AVFrame *frame, int serial)
{
    if (converter.convert(frame, converted))
        Write(serial);
}

void AudioDecoder::OnRestart(int)
{
    // Samples held back for resampling belong to the old position.
    converter.reset();
}

void AudioDecoder::OnEnd(int serial)
{
    converter.drain(converted);
    Write(serial);
}
