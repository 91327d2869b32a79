// Movie sound: the share of one core that a ten-minute lesson's sound takes
// (a 44.1 kHz stereo MP3 stream the timeline follows and 30 spoken event
// sounds, mixed and handed on in 10 ms pieces, the timeline ticking without
// drawing), and how long an event sound takes to be heard once started.
#include "SoundWriter.h"
#include "swf/SwfMovie.h"
#include "swf/SwfPlayer.h"

#include <QElapsedTimer>
#include <QThread>
#include <benchmark/benchmark.h>
#include <cmath>
#include <ctime>

namespace {

constexpr double kFps = 12;

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

swfmake::Pcm tone(int seconds, int rate, int channels, double hz)
{
    swfmake::Pcm pcm;
    pcm.rate = rate;
    pcm.channels = channels;
    pcm.samples.resize(size_t(seconds) * size_t(rate) * size_t(channels));
    for (size_t i = 0; i < pcm.samples.size(); ++i) {
        double t = double(i / size_t(channels)) / rate;
        // A melody of changing notes, so the encoder has music to code.
        double note = hz * std::pow(2.0, double(int(t * 2) % 12) / 12);
        pcm.samples[i] = int16_t(8000 * std::sin(2 * M_PI * note * t) * (0.6 + 0.4 * std::sin(t)));
    }
    return pcm;
}

std::shared_ptr<swf::Movie> lessonMovie()
{
    static QByteArray bytes = [] {
        const int seconds = 600;
        auto stream = swfmake::mp3Stream(tone(seconds, 44100, 2, 220), kFps, 128);
        auto word = swfmake::mp3Sound(tone(1, 22050, 1, 440), 32);
        if (!stream || !word)
            return QByteArray();
        swfmake::MovieWriter m(550, 400, kFps);
        swfmake::defineSound(m, 1, *word);
        swfmake::writeStreamHead(m, *stream);
        int frames = int(seconds * kFps);
        for (int k = 0; k < frames; ++k) {
            if (k % (frames / 30) == 15)
                swfmake::startSound(m, 1);
            swfmake::writeStreamBlock(m, *stream, k);
            m.showFrame();
        }
        return m.finish();
    }();
    auto movie = std::make_shared<swf::Movie>();
    movie->append(bytes);
    movie->finish();
    return movie;
}

void SwfSoundTenMinuteLesson(benchmark::State &state)
{
    auto movie = lessonMovie();
    if (movie->framesLoaded() == 0) {
        state.SkipWithError("FFmpeg has no MP3 encoder");
        return;
    }
    for (auto _ : state) {
        swf::Player player;
        player.sound().setManualOutput(true);
        player.setMovie(movie);
        std::vector<int16_t> piece(441 * 2);
        double start = cpuSeconds();
        int64_t nextTickMs = 0;
        int events = 0;
        for (int64_t ms = 0; ms < 600000; ms += 10) {
            player.sound().mixer().mix(piece.data(), 441);
            if (ms >= nextTickMs) {
                player.tick();
                events = std::max(events, player.sound().eventsPlaying());
                nextTickMs += 1000 / int(kFps);
            }
        }
        double used = cpuSeconds() - start;
        state.counters["cpu_share_percent"] = used / 600 * 100;
        state.counters["frame_reached"] = player.frameNum();
        benchmark::DoNotOptimize(events);
    }
}
BENCHMARK(SwfSoundTenMinuteLesson)->Iterations(1)->Unit(benchmark::kMillisecond);

// From asking for a sound to its first sample being heard, through the
// output's own thread (the device, or the silent clock where there is none).
void SwfSoundStartLatency(benchmark::State &state)
{
    swfmake::MovieWriter m(100, 100, kFps);
    swfmake::defineSound(m, 1, swfmake::pcmSound(tone(1, 44100, 1, 880)));
    m.showFrame();
    auto movie = std::make_shared<swf::Movie>();
    movie->append(m.finish());
    movie->finish();
    swf::SoundPlayer sound;
    sound.setMovie(movie.get());
    double worst = 0, total = 0;
    int count = 0;
    for (auto _ : state) {
        sound.stopAll();
        QElapsedTimer clock;
        clock.start();
        swf::SoundMixer::VoiceId id = sound.startSound(1, {});
        while (sound.mixer().progress(id).framesPlayed == 0)
            QThread::usleep(100);
        double ms = double(clock.nsecsElapsed()) / 1e6;
        worst = std::max(worst, ms);
        total += ms;
        ++count;
    }
    state.counters["mean_ms"] = total / std::max(1, count);
    state.counters["worst_ms"] = worst;
    state.counters["on_device"] = sound.output().onDevice() ? 1 : 0;
}
BENCHMARK(SwfSoundStartLatency)->Iterations(50)->Unit(benchmark::kMillisecond);

}
