// SPDX-License-Identifier: GPL-3.0-or-later
// Timing of the tone engine: plays melodies of back to back tones and single
// tones and prints how long each Beep blocked against the duration asked for,
// the gaps and breaks in the stream, the latency from a call of Beep to its
// tone's first sample, and the priority the sound thread got.
//
// By default on SDL's disk driver (to a temporary file, paced like a device),
// where every sample is read back for breaks; --driver NAME uses that SDL
// driver (pulseaudio, pipewire) on the sound server the environment points
// to, --device the default one. A break there is a callback that came later
// than the server's buffer lasts. Options: --tones N and --ms D (each
// melody), --melodies M, --frames F (buffer size asked for), --singles S
// (single tones, each joining nothing), --late L (the caller comes back L ms
// after each Beep returned, as a window thread busy repainting between notes
// would), --hand-over H (a fixed hand-over time in ms instead of the measured
// one), --stress (every core kept busy by spinning processes at normal
// priority while it plays), --verbose (a line per tone of the first melody),
// --neighbour MS (another client records the default sink's monitor at MS ms
// latency for the whole run, so the server may run a shorter cycle). On a
// device a capture of the sink's monitor counts the breaks the server played.
// --render-cost opens no device: it prints what writing one buffer of a
// chord costs the callback, for 1, 2 and 4 notes of 1 and 16 partials, as a
// share of the buffer's period.
#include "sdl_sound_output.h"
#include "sound_server.h"
#include "sound_thread_priority.h"
#include "monitor_capture.h"
#include "startup/figures.h"
#include "tone_rules.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace stimmung;
using Clock = std::chrono::steady_clock;

namespace {

// The value furthest from `target`.
double Worst(const std::vector<double>& v, double target) {
    double worst = target;
    for (double x : v)
        if (std::abs(x - target) > std::abs(worst - target)) worst = x;
    return worst;
}

double Median(std::vector<double> v) { return bench::Summarise(std::move(v)).median; }
using bench::Percentile;

double Max(const std::vector<double>& v) { return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()); }

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Silence inside the melody: runs of two or more exact zeros between the
// first sounding sample and the melody's end (a single zero is a sine's zero
// phase). The file holds every frame of the stream from frame 0 on.
struct Silence {
    long long runs = 0;
    long long samples = 0;
};

Silence SilenceInside(const std::string& file, std::int64_t beginFrame, std::int64_t endFrame) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> s(bytes.size() / sizeof(float));
    std::memcpy(s.data(), bytes.data(), s.size() * sizeof(float));
    std::size_t first = std::min(s.size(), static_cast<std::size_t>(std::max<std::int64_t>(0, beginFrame)));
    std::size_t last = std::min(s.size(), static_cast<std::size_t>(std::max<std::int64_t>(0, endFrame)));
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

// Processes that spin on every core at normal priority, until stopped.
struct Spinners {
    std::vector<pid_t> pids;
    explicit Spinners(bool on) {
        const long cores = on ? std::max(1L, ::sysconf(_SC_NPROCESSORS_ONLN)) : 0;
        for (long i = 0; i < cores; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                volatile unsigned long n = 0;
                for (;;) n = n + 1;
            }
            if (pid > 0) pids.push_back(pid);
        }
    }
    ~Spinners() {
        for (pid_t pid : pids) ::kill(pid, SIGKILL);
        for (pid_t pid : pids) ::waitpid(pid, nullptr, 0);
    }
};

// When the stream reached a tone's first sample, at the callback's pace.
Clock::time_point FirstSample(const SdlSoundOutput::ToneStart& start, int rate) {
    return start.delivered + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                                 static_cast<double>(start.frame - start.bufferFrame) / rate));
}

// The tone that the callback writes, alone in its queue.
struct OneToneQueue {
    QueuedTone tone;
    bool popped = false;
    QueuedTone* front() { return popped ? nullptr : &tone; }
    void pop() { popped = true; }
};

// Times WriteTones over successive buffers of one long chord as the callback
// runs it, with no device: one buffer per period, at the sound thread's
// priority.
void PrintRenderCost(int bufferFrames) {
    constexpr int kRate = 48000;
    constexpr int kBuffers = 1000;
    const double periodMs = 1000.0 * bufferFrames / kRate;
    const auto period =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(periodMs));
    const double notesHz[] = {360.0, 453.5716, 539.3905, 679.5714};
    const PriorityText priority = RaiseSoundThreadPriority();
    std::printf("render cost of one buffer of %d frames (period %.3f ms), %d buffers each, thread %s\n", bufferFrames,
                periodMs, kBuffers, priority.data());
    std::vector<float> out(static_cast<std::size_t>(bufferFrames));
    for (const char* timbre : {"Sinus", "Sägezahn"}) {
        for (int notes : {1, 2, 4}) {
            ChordRequest chord = ChordOf({}, TimbreAt(*TimbreIndex(timbre)).amplitudes);
            chord.notes = notes;
            std::copy_n(notesHz, notes, chord.frequenciesHz.begin());
            OneToneQueue queue{ShapeChord(chord, 600000, kRate)};
            WriteState state;
            std::vector<double> shares;
            auto due = Clock::now();
            for (int b = 0; b < kBuffers; ++b) {
                std::this_thread::sleep_until(due += period);
                const auto before = Clock::now();
                WriteTones(queue, state, std::int64_t{b} * bufferFrames, out.data(), bufferFrames, kRate,
                           [](const QueuedTone&, std::int64_t) {});
                shares.push_back(100.0 * Ms(Clock::now() - before) / periodMs);
            }
            const int partials = static_cast<int>(
                std::count_if(chord.timbre.begin(), chord.timbre.end(), [](double a) { return a > 0; }));
            std::printf("%d note%s of %2d partial%s: median %.3f %% worst %.3f %% of the period\n", notes,
                        notes > 1 ? "s" : " ", partials, partials > 1 ? "s" : " ", Median(shares), Max(shares));
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    PrepareSoundEnvironment();
    std::string driver = "disk";
    bool verbose = false;
    bool stress = false;
    bool renderCost = false;
    int tones = 48;
    int melodies = 1;
    int durationMs = 140;
    int lateMs = 0;
    int singles = 12;
    int neighbourMs = 0;
    SdlSoundOutput::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--device")
            driver.clear();
        else if (arg == "--driver" && i + 1 < argc)
            driver = argv[++i];
        else if (arg == "--verbose")
            verbose = true;
        else if (arg == "--stress")
            stress = true;
        else if (arg == "--tones" && i + 1 < argc)
            tones = std::max(2, std::atoi(argv[++i]));
        else if (arg == "--melodies" && i + 1 < argc)
            melodies = std::max(1, std::atoi(argv[++i]));
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
        else if (arg == "--neighbour" && i + 1 < argc)
            neighbourMs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--render-cost")
            renderCost = true;
    }
    if (renderCost) {
        PrintRenderCost(options.bufferFrames > 0 ? options.bufferFrames : 256);
        return 0;
    }

    const bool disk = driver == "disk";
    std::string file;
    if (disk) {
        file =
            (std::filesystem::temp_directory_path() / ("stimmung-tone-timing-" + std::to_string(::getpid()) + ".raw"))
                .string();
        ::setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        ::unsetenv("SDL_DISKAUDIODELAY");
    }
    if (!driver.empty()) ::setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    std::optional<bench::Neighbour> neighbour;
    std::optional<bench::Capture> capture;
    if (neighbourMs > 0) neighbour.emplace(neighbourMs);
    // What the server plays, recorded at a latency no shorter than the program's.
    if (!disk) capture.emplace(30);

    SdlSoundOutput engine(options);
    const auto openStart = Clock::now();
    engine.start();
    const double startMs = Ms(Clock::now() - openStart);
    if (!engine.open()) {
        // Without a device every Beep waits out its tone on the melody's clock.
        const double failedMs = Ms(Clock::now() - openStart);
        Spinners spinners(stress);
        std::vector<double> ratios;
        const auto melodyStart = Clock::now();
        for (int i = 0; i < tones; ++i) {
            const auto before = Clock::now();
            engine.Beep(440, durationMs);
            ratios.push_back(Ms(Clock::now() - before) / durationMs);
            if (lateMs > 0 && i + 1 < tones) std::this_thread::sleep_for(std::chrono::milliseconds(lateMs));
        }
        const double totalMs = Ms(Clock::now() - melodyStart);
        std::printf("tone timing: no sound device could be opened (gave up after %.1f ms)%s\n", failedMs,
                    stress ? ", every core busy" : "");
        std::printf(
            "silent tones %d of %d ms, the caller %d ms late after each: blocked/requested median %.3f worst %.3f\n",
            tones, durationMs, lateMs, Median(ratios), Worst(ratios, 1.0));
        std::printf("silent melody total %.3f ms, error %.3f ms\n", totalMs,
                    totalMs - static_cast<double>(tones) * durationMs);
        return 0;
    }
    const double openMs = Ms(Clock::now() - openStart);
    // Lets the map between stream frames and the steady clock settle, as it
    // has long before a person's first click in the program.
    engine.Sleep(1500);
    const auto atStart = engine.streamStats();
    const int rate = atStart.sampleRate;

    Spinners spinners(stress);
    // A few steps of a scale, up and down.
    const int scale[] = {262, 294, 330, 349, 392, 440, 494, 523, 494, 440, 392, 349, 330, 294};
    std::vector<double> ratios, gaps, offsets, singleLatencies;
    long long breaks = 0, breakSamples = 0, delivered = 0, joinGaps = 0;
    std::vector<SdlSoundOutput::ToneStart> firstMelody;
    for (int m = 0; m < melodies; ++m) {
        engine.clearToneStarts();
        for (int i = 0; i < tones; ++i) {
            const auto before = Clock::now();
            engine.Beep(scale[i % std::size(scale)], durationMs);
            ratios.push_back(Ms(Clock::now() - before) / durationMs);
            if (lateMs > 0 && i + 1 < tones) std::this_thread::sleep_for(std::chrono::milliseconds(lateMs));
        }
        // The melody's last tone ends a lead after its Beep returned.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const auto starts = engine.toneStarts();
        delivered += static_cast<long long>(starts.size());
        for (std::size_t i = 0; i < starts.size(); ++i) {
            offsets.push_back(Ms(FirstSample(starts[i], rate) - starts[i].requested));
            if (i > 0) {
                const auto gap = static_cast<double>(starts[i].frame - (starts[i - 1].frame + starts[i - 1].frames));
                gaps.push_back(gap);
                if (gap != 0) ++joinGaps;
            }
        }
        if (disk && !starts.empty()) {
            const Silence silence =
                SilenceInside(file, starts.front().frame, starts.back().frame + starts.back().frames);
            breaks += silence.runs;
            breakSamples += silence.samples;
        }
        if (m == 0) firstMelody = starts;
    }
    const auto stats = engine.streamStats();
    // Single tones, each long after the one before, so that it joins nothing.
    engine.clearToneStarts();
    for (int i = 0; i < singles; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(150 + 37 * (i % 5)));
        engine.Beep(440, 40);
    }
    engine.close();
    std::optional<bench::CapturedBreaks> captured;
    if (capture) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        capture->stop();
        captured = capture->breaks();
    }
    neighbour.reset();
    for (const auto& start : engine.toneStarts())
        singleLatencies.push_back(Ms(FirstSample(start, rate) - start.requested));
    const auto end = engine.streamStats();

    // How fast the device's clock runs against the steady clock.
    const double pace = stats.nominalPeriodMs > 0 ? stats.nominalPeriodMs / stats.measuredPeriodMs : 1;
    std::vector<double> streamRatios;
    for (double r : ratios) streamRatios.push_back(r * pace);

    std::printf("tone timing on %s%s%s: %d melodies of %d tones of %d ms, the caller %d ms late after each\n",
                driver.empty() ? "the default device" : ("the " + driver + " driver").c_str(),
                stress ? ", every core busy" : "",
                neighbourMs > 0 ? (", a neighbour at " + std::to_string(neighbourMs) + " ms").c_str() : "", melodies,
                tones, durationMs, lateMs);
    std::printf("device rate %d Hz, %d frames per buffer, sound thread %s\n", stats.sampleRate, stats.bufferFrames,
                stats.priority.empty() ? "unknown" : stats.priority.c_str());
    std::printf("device period nominal %.3f ms measured %.3f ms, device clock / steady clock %.4f\n",
                stats.nominalPeriodMs, stats.measuredPeriodMs, pace);
    std::printf("callbacks during the melodies %lld, more than half a period late %lld, longest gap %.1f ms\n",
                static_cast<long long>(stats.callbacks - atStart.callbacks),
                static_cast<long long>(stats.lateCallbacks - atStart.lateCallbacks), stats.longestCallbackGapMs);
    std::printf("start() returned after %.3f ms, stream running after %.1f ms\n", startMs, openMs);
    std::printf("lead %.3f ms, start lead %.3f ms, hand-over %.3f ms\n", stats.leadMs, stats.startLeadMs,
                stats.handOverMs);
    std::printf("tones delivered %lld of %d\n", delivered, melodies * tones);
    if (disk)
        std::printf("breaks inside the melodies (file) %lld, silent samples %lld\n", breaks, breakSamples);
    else if (captured && captured->tones > 0) {
        std::printf("breaks (capture of the sink's monitor) %zu, tones found %lld of %d\n", captured->breaks.size(),
                    captured->tones, melodies * tones + singles);
        // A line per break on the steady clock, which with_sound_server.py
        // holds against the machine's witnessed stalls.
        for (const auto& b : captured->breaks)
            std::printf("capture break at %.4f s for %.1f ms\n",
                        std::chrono::duration<double>(b.at.time_since_epoch()).count(), b.ms);
    } else {
        // PipeWire's own driver holds about two periods; a pulse server the latency asked of it.
        const double heldMs = driver == "pipewire" ? 2.0 * stats.nominalPeriodMs : 1000.0 * ServerLatencySeconds();
        std::printf("breaks: callbacks later than the server holds (%.0f ms) %s\n", heldMs,
                    stats.longestCallbackGapMs > heldMs ? "some (see longest gap)" : "none");
    }
    std::printf("missed joins %lld, late starts %lld, joins with a gap %lld\n",
                static_cast<long long>(stats.missedJoins), static_cast<long long>(stats.lateStarts), joinGaps);
    std::printf("gap samples median %.0f worst %.0f\n", Median(gaps), Worst(gaps, 0.0));
    std::printf("blocked/requested median %.4f worst %.4f, on the device clock median %.4f worst %.4f\n",
                Median(ratios), Worst(ratios, 1.0), Median(streamRatios), Worst(streamRatios, 1.0));
    std::printf("in a melody, Beep call to its first sample ms median %.3f p95 %.3f\n", Median(offsets),
                Percentile(offsets, 0.95));
    std::printf("single tones %zu of %d, call to first sample ms median %.3f p95 %.3f worst %.3f\n",
                singleLatencies.size(), singles, Median(singleLatencies), Percentile(singleLatencies, 0.95),
                Max(singleLatencies));
    std::printf("longest callback gap over the whole run %.1f ms\n", end.longestCallbackGapMs);
    if (verbose)
        for (std::size_t i = 0; i < firstMelody.size(); ++i)
            std::printf("tone %zu frame %lld first sample %.3f ms after its call\n", i,
                        static_cast<long long>(firstMelody[i].frame),
                        Ms(FirstSample(firstMelody[i], rate) - firstMelody[i].requested));
    if (disk) std::filesystem::remove(file);
    return 0;
}
