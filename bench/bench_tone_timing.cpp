// Timing of the tone engine: plays a melody of back to back tones and prints
// how long each Beep blocked against the duration asked for, the gaps between
// consecutive tones in the delivered stream, and the latency from a call of
// Beep to the callback that wrote the tone's first sample.
//
// By default on SDL's disk driver (to a temporary file, paced like a device);
// with --device on the default sound device. Options: --tones N, --ms D,
// --frames F (buffer size asked for), --verbose (a line per tone).
#include "sdl_sound_output.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
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

// Samples inside the melody that are silence: runs of two or more exact zeros
// between the first and the last sounding sample (a single zero is a sine's
// zero phase).
long long SilentSamplesInside(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> s(bytes.size() / sizeof(float));
    std::memcpy(s.data(), bytes.data(), s.size() * sizeof(float));
    std::size_t first = 0, last = s.size();
    while (first < s.size() && s[first] == 0.0f) ++first;
    while (last > first && s[last - 1] == 0.0f) --last;
    long long silent = 0;
    for (std::size_t i = first; i < last;) {
        std::size_t j = i;
        while (j < last && s[j] == 0.0f) ++j;
        if (j - i >= 2) silent += static_cast<long long>(j - i);
        i = j == i ? i + 1 : j;
    }
    return silent;
}

} // namespace

int main(int argc, char** argv) {
    bool device = false;
    bool verbose = false;
    int tones = 48;
    int durationMs = 140;
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
        std::printf("tone timing: no sound device could be opened; nothing measured\n");
        return 0;
    }
    const double openMs = Ms(Clock::now() - openStart);
    // Lets the map between stream frames and the steady clock settle, as it
    // has long before a person's first click in the program.
    engine.Sleep(1500);
    engine.clearToneStarts();

    // A few steps of a scale, up and down.
    const int scale[] = {262, 294, 330, 349, 392, 440, 494, 523, 494, 440, 392, 349, 330, 294};
    std::vector<double> ratios;
    for (int i = 0; i < tones; ++i) {
        const auto before = Clock::now();
        engine.Beep(scale[i % std::size(scale)], durationMs);
        ratios.push_back(Ms(Clock::now() - before) / durationMs);
    }
    const auto stats = engine.streamStats();
    engine.close();
    const auto starts = engine.toneStarts();

    std::vector<double> gaps, latencies;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        latencies.push_back(Ms(starts[i].delivered - starts[i].requested));
        if (i > 0) gaps.push_back(static_cast<double>(starts[i].frame - (starts[i - 1].frame + starts[i - 1].frames)));
    }
    // How fast the device's clock runs against the steady clock.
    const double pace = stats.nominalPeriodMs > 0 ? stats.nominalPeriodMs / stats.measuredPeriodMs : 1;
    std::vector<double> streamRatios;
    for (double r : ratios) streamRatios.push_back(r * pace);

    std::printf("tone timing on %s: %d tones of %d ms\n", device ? "the default device" : "the disk driver", tones,
                durationMs);
    std::printf("device rate %d Hz, %d frames per buffer\n", stats.sampleRate, stats.bufferFrames);
    std::printf("device period nominal %.3f ms measured %.3f ms\n", stats.nominalPeriodMs, stats.measuredPeriodMs);
    std::printf("device clock / steady clock %.4f\n", pace);
    std::printf("start() returned after %.3f ms, stream running after %.1f ms\n", startMs, openMs);
    std::printf("lead %.3f ms\n", stats.leadMs);
    std::printf("tones delivered %zu of %d\n", starts.size(), tones);
    std::printf("blocked/requested median %.3f worst %.3f\n", Median(ratios), Worst(ratios, 1.0));
    std::printf("blocked/requested on the device clock median %.3f worst %.3f\n", Median(streamRatios),
                Worst(streamRatios, 1.0));
    std::printf("gap samples median %.0f worst %.0f\n", Median(gaps), Worst(gaps, 0.0));
    std::printf("missed joins %lld\n", static_cast<long long>(stats.missedJoins));
    std::printf("latency ms median %.3f worst %.3f\n", Median(latencies),
                latencies.empty() ? 0.0 : *std::max_element(latencies.begin(), latencies.end()));
    if (verbose)
        for (std::size_t i = 0; i < ratios.size(); ++i)
            std::printf("tone %zu blocked/requested %.3f latency %.3f ms gap %.0f\n", i, ratios[i],
                        i < latencies.size() ? latencies[i] : 0.0, i > 0 && i - 1 < gaps.size() ? gaps[i - 1] : 0.0);
    if (!device) {
        std::printf("silent samples inside the melody (file) %lld\n", SilentSamplesInside(file));
        std::filesystem::remove(file);
    }
    return 0;
}
