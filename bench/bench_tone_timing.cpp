// Timing of the tone engine: plays a melody of back to back tones and prints
// how long each Beep blocked against the duration asked for, the gaps between
// consecutive tones in the delivered stream, and the latency from a call of
// Beep to the callback that wrote the tone's first sample.
//
// By default on SDL's disk driver (to a temporary file, paced like a device);
// with --device on the default sound device. Options: --tones N, --ms D,
// --frames F (buffer size asked for), --singles S (single tones after the
// melody, for the latency of a tone that joins nothing), --late L (the caller comes back L ms
// after each Beep returned, as a window thread busy repainting between notes
// would), --hand-over H (the engine's hand-over time in ms; 0 gives the lead
// of one period and the margins alone), --verbose (a line per tone).
#include "sdl_sound_output.h"
#include "sound_thread_priority.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace stimmung;
using Clock = std::chrono::steady_clock;

namespace {

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

// The value furthest from `target`.
double Worst(const std::vector<double>& v, double target) {
    double worst = target;
    for (double x : v)
        if (std::abs(x - target) > std::abs(worst - target)) worst = x;
    return worst;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Silence inside the melody: runs of two or more exact zeros between the
// first sounding sample and the melody's end (a single zero is a sine's zero
// phase). The file holds every frame of the stream from frame 0 on.
struct Silence {
    long long runs = 0;
    long long samples = 0;
};

Silence SilenceInside(const std::string& file, std::int64_t endFrame) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> s(bytes.size() / sizeof(float));
    std::memcpy(s.data(), bytes.data(), s.size() * sizeof(float));
    std::size_t first = 0, last = std::min(s.size(), static_cast<std::size_t>(std::max<std::int64_t>(0, endFrame)));
    while (first < s.size() && s[first] == 0.0f) ++first;
    while (last > first && s[last - 1] == 0.0f) --last;
    Silence silence;
    for (std::size_t i = first; i < last;) {
        std::size_t j = i;
        while (j < last && s[j] == 0.0f) ++j;
        if (j - i >= 2) {
            ++silence.runs;
            silence.samples += static_cast<long long>(j - i);
        }
        i = j == i ? i + 1 : j;
    }
    return silence;
}

} // namespace

int main(int argc, char** argv) {
    PrepareSoundEnvironment();
    bool device = false;
    bool verbose = false;
    int tones = 48;
    int durationMs = 140;
    int lateMs = 0;
    int singles = 12;
    SdlSoundOutput::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--device")
            device = true;
        else if (arg == "--verbose")
            verbose = true;
        else if (arg == "--tones" && i + 1 < argc)
            tones = std::max(2, std::atoi(argv[++i]));
        else if (arg == "--frames" && i + 1 < argc)
            options.bufferFrames = std::max(16, std::atoi(argv[++i]));
        else if (arg == "--ms" && i + 1 < argc)
            durationMs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--singles" && i + 1 < argc)
            singles = std::max(0, std::atoi(argv[++i]));
        else if (arg == "--hand-over" && i + 1 < argc)
            options.handOverMs = std::max(0, std::atoi(argv[++i]));
        else if (arg == "--late" && i + 1 < argc)
            lateMs = std::max(0, std::atoi(argv[++i]));
    }

    std::string file;
    if (!device) {
        file = (std::filesystem::temp_directory_path() / ("stimmung-tone-timing-" + std::to_string(::getpid()) + ".raw")).string();
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        ::unsetenv("SDL_DISKAUDIODELAY");
    }

    SdlSoundOutput engine(options);
    const auto openStart = Clock::now();
    engine.start();
    const double startMs = Ms(Clock::now() - openStart);
    if (!engine.open()) {
        // Without a device every Beep waits out its tone on the steady clock.
        const double failedMs = Ms(Clock::now() - openStart);
        std::vector<double> ratios;
        for (int i = 0; i < tones; ++i) {
            const auto before = Clock::now();
            engine.Beep(440, durationMs);
            ratios.push_back(Ms(Clock::now() - before) / durationMs);
        }
        std::printf("tone timing: no sound device could be opened (gave up after %.1f ms)\n", failedMs);
        std::printf("silent tones %d of %d ms, blocked/requested median %.3f worst %.3f\n", tones, durationMs,
                    Median(ratios), Worst(ratios, 1.0));
        return 0;
    }
    const double openMs = Ms(Clock::now() - openStart);
    // Lets the map between stream frames and the steady clock settle, as it
    // has long before a person's first click in the program.
    engine.Sleep(1500);
    engine.clearToneStarts();
    const auto atMelody = engine.streamStats();

    // A few steps of a scale, up and down.
    const int scale[] = {262, 294, 330, 349, 392, 440, 494, 523, 494, 440, 392, 349, 330, 294};
    std::vector<double> ratios;
    for (int i = 0; i < tones; ++i) {
        const auto before = Clock::now();
        engine.Beep(scale[i % std::size(scale)], durationMs);
        ratios.push_back(Ms(Clock::now() - before) / durationMs);
        if (lateMs > 0 && i + 1 < tones) std::this_thread::sleep_for(std::chrono::milliseconds(lateMs));
    }
    const auto stats = engine.streamStats();
    // Single tones, each long after the one before, so that it joins nothing.
    for (int i = 0; i < singles; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        engine.Beep(440, durationMs);
    }
    engine.close();
    const auto all = engine.toneStarts();
    const std::vector<SdlSoundOutput::ToneStart> starts(all.begin(), all.begin() + std::min<std::ptrdiff_t>(tones, all.size()));

    // In the melody a tone is queued one lead before the previous one ends,
    // so its latency is mostly time in the queue; a single tone's latency is
    // what a click waits for its sound.
    std::vector<double> gaps, latencies, singleLatencies;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        latencies.push_back(Ms(starts[i].delivered - starts[i].requested));
        if (i > 0) gaps.push_back(static_cast<double>(starts[i].frame - (starts[i - 1].frame + starts[i - 1].frames)));
    }
    for (std::size_t i = starts.size(); i < all.size(); ++i) singleLatencies.push_back(Ms(all[i].delivered - all[i].requested));
    // How fast the device's clock runs against the steady clock.
    const double pace = stats.nominalPeriodMs > 0 ? stats.nominalPeriodMs / stats.measuredPeriodMs : 1;
    std::vector<double> streamRatios;
    for (double r : ratios) streamRatios.push_back(r * pace);

    std::printf("tone timing on %s: %d tones of %d ms, the caller %d ms late after each\n",
                device ? "the default device" : "the disk driver", tones, durationMs, lateMs);
    std::printf("device rate %d Hz, %d frames per buffer\n", stats.sampleRate, stats.bufferFrames);
    std::printf("device period nominal %.3f ms measured %.3f ms\n", stats.nominalPeriodMs, stats.measuredPeriodMs);
    std::printf("device clock / steady clock %.4f\n", pace);
    std::printf("callbacks during the melody %lld, of them more than half a period late %lld\n",
                static_cast<long long>(stats.callbacks - atMelody.callbacks),
                static_cast<long long>(stats.lateCallbacks - atMelody.lateCallbacks));
    std::printf("start() returned after %.3f ms, stream running after %.1f ms\n", startMs, openMs);
    std::printf("lead %.3f ms, start lead %.3f ms, hand-over %.3f ms\n", stats.leadMs, stats.startLeadMs, stats.handOverMs);
    std::printf("sound thread priority %s\n", stats.priority.empty() ? "unknown" : stats.priority.c_str());
    std::printf("tones delivered %zu of %d\n", starts.size(), tones);
    std::printf("blocked/requested median %.3f worst %.3f\n", Median(ratios), Worst(ratios, 1.0));
    std::printf("blocked/requested on the device clock median %.3f worst %.3f\n", Median(streamRatios),
                Worst(streamRatios, 1.0));
    std::printf("gap samples median %.0f worst %.0f\n", Median(gaps), Worst(gaps, 0.0));
    std::printf("missed joins %lld, late starts %lld\n", static_cast<long long>(stats.missedJoins),
                static_cast<long long>(stats.lateStarts));
    std::printf("latency ms median %.3f worst %.3f\n", Median(latencies),
                latencies.empty() ? 0.0 : *std::max_element(latencies.begin(), latencies.end()));
    std::printf("single tones delivered %zu of %d, latency ms median %.3f worst %.3f\n", singleLatencies.size(), singles,
                Median(singleLatencies),
                singleLatencies.empty() ? 0.0 : *std::max_element(singleLatencies.begin(), singleLatencies.end()));
    if (verbose)
        for (std::size_t i = 0; i < ratios.size(); ++i)
            std::printf("tone %zu blocked/requested %.3f latency %.3f ms gap %.0f\n", i, ratios[i],
                        i < latencies.size() ? latencies[i] : 0.0, i > 0 && i - 1 < gaps.size() ? gaps[i - 1] : 0.0);
    if (!device) {
        const std::int64_t melodyEnd = starts.empty() ? 0 : starts.back().frame + starts.back().frames;
        const Silence silence = SilenceInside(file, melodyEnd);
        std::printf("breaks inside the melody (file) %lld, silent samples %lld\n", silence.runs, silence.samples);
        std::filesystem::remove(file);
    }
    return 0;
}
