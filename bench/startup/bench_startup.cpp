// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up benchmark: the real `stimmung` beside a minimal Qt window of the
// same size, in turn, on a private virtual display with a sound server; and,
// to tell where the difference comes from, stimmung with no sound server to
// reach, the minimal window with one line of text, and the minimal window
// with SDL audio opened in the background.
// Each run starts the program, observes from outside when its window is
// mapped and when its first frame is on the screen, reads the peak resident
// memory the program has reached by then, lets it run on for a while (the
// sound device opens meanwhile), closes the window and collects the program
// with its peak resident memory over the whole run.
// Prints the medians and the ratios to the minimal window; asserts nothing.
//
//   bench_startup [--runs N] [--settle-ms MS] [--stimmung PATH] [--minimal PATH]
#include "child_process.h"
#include "figures.h"
#include "first_frame_watch.h"
#include "private_session.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using bench::Clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Program {
    Program(const char* label_, std::string path_, bool sound_)
            : label(label_), path(std::move(path_)), sound(sound_) {}
    const char* label;
    std::string path;
    bool sound; // sound server reachable
    std::vector<double> mapMs, frameMs, cpuMs, frameRssMb, rssMb;
    int failures = 0;
};

struct Options {
    int runs = 15;
    int settleMs = 1000;
    std::string stimmung = STIMMUNG_BINARY;
    std::string minimal = MINIMAL_WINDOW_BINARY;
    std::string minimalText = MINIMAL_TEXT_WINDOW_BINARY;
    std::string minimalSound = MINIMAL_SOUND_WINDOW_BINARY;
};

Options ReadOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const std::string value = argv[i + 1];
        if (key == "--runs")
            o.runs = std::max(1, std::atoi(value.c_str()));
        else if (key == "--settle-ms")
            o.settleMs = std::max(0, std::atoi(value.c_str()));
        else if (key == "--stimmung")
            o.stimmung = value;
        else if (key == "--minimal")
            o.minimal = value;
    }
    return o;
}

// One start: spawn, first frame, run on, close, collect.
void RunOnce(Program& p, const bench::PrivateSession& session, bench::FirstFrameWatch& watch, int settleMs,
             bool counted) {
    watch.drain();
    const auto start = Clock::now();
    const pid_t pid = bench::Spawn({p.path}, session.environment(p.sound));
    if (pid < 0) {
        ++p.failures;
        return;
    }
    const auto shown = watch.next(start + std::chrono::seconds(30));
    const double cpu = bench::CpuMs(pid);
    const long frameRssKb = bench::PeakRssKb(pid);
    if (shown.ok) std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    if (shown.window) watch.requestClose(shown.window);
    const auto exit = bench::WaitFor(pid, Clock::now() + std::chrono::seconds(10));
    const bool clean = shown.ok && exit.exited && WIFEXITED(exit.status) && WEXITSTATUS(exit.status) == 0;
    if (!clean) {
        ++p.failures;
        std::fprintf(stderr, "%s: %s\n", p.label,
                     !shown.ok ? "no first frame within 30 s" : "did not end cleanly after its window was closed");
        return;
    }
    if (!counted) return;
    p.mapMs.push_back(Ms(shown.mapped - start));
    p.frameMs.push_back(Ms(shown.painted - start));
    p.cpuMs.push_back(cpu);
    p.frameRssMb.push_back(static_cast<double>(frameRssKb) / 1024.0);
    p.rssMb.push_back(static_cast<double>(exit.maxRssKb) / 1024.0);
}

void PrintRow(const Program& p) {
    const auto map = bench::Summarise(p.mapMs);
    const auto frame = bench::Summarise(p.frameMs);
    const auto cpu = bench::Summarise(p.cpuMs);
    const auto frameRss = bench::Summarise(p.frameRssMb);
    const auto rss = bench::Summarise(p.rssMb);
    std::printf("%-30s %4zu %7.1f %8.1f %7.1f %7.1f %7.1f %8.1f %6.1f %6.1f %8.1f %4d\n", p.label, frame.count,
                map.median, frame.median, frame.min, frame.max, cpu.median, frameRss.median, frameRss.min, frameRss.max,
                rss.median, p.failures);
}

void PrintRatio(const char* what, const Program& p, const Program& base) {
    const auto ratio = [](const std::vector<double>& a, const std::vector<double>& b) {
        return bench::Summarise(a).median / bench::Summarise(b).median;
    };
    const auto verdict = [](double r) { return r <= 1.3 ? "met" : "MISSED"; };
    const double frame = ratio(p.frameMs, base.frameMs);
    const double cpu = ratio(p.cpuMs, base.cpuMs);
    const double frameRss = ratio(p.frameRssMb, base.frameRssMb);
    const double rss = ratio(p.rssMb, base.rssMb);
    std::printf("%-31s first frame %.2f (target <= 1.30: %s), cpu %.2f, peak RSS by first frame %.2f "
                "(target <= 1.30: %s), over the whole run %.2f\n",
                what, frame, verdict(frame), cpu, frameRss, verdict(frameRss), rss);
}

} // namespace

int main(int argc, char** argv) {
    const Options options = ReadOptions(argc, argv);
    bench::PrivateSession session;
    if (!session.displayUp()) {
        std::printf("bench_startup: skipped, %s\n", session.failure().c_str());
        return 0;
    }
    bench::FirstFrameWatch watch(session.display());
    if (!watch.connected()) {
        std::printf("bench_startup: skipped, cannot connect to the private display\n");
        return 0;
    }

    std::vector<Program> programs = {
        {"minimal Qt window", options.minimal, true},
        {"stimmung", options.stimmung, true},
        {"stimmung, no sound server", options.stimmung, false},
        {"minimal Qt window + text", options.minimalText, true},
        {"minimal Qt window + SDL audio", options.minimalSound, true},
    };
    // One round unrecorded fills the file cache; then the programs take turns
    // so that a slow phase of the machine falls on all of them alike.
    for (int round = 0; round <= options.runs; ++round)
        for (auto& p : programs) RunOnce(p, session, watch, options.settleMs, round > 0);

    std::printf("Start-up to first frame: private Xvfb 1280x720x24 without window manager, sound server: %s\n",
                session.soundServerUp() ? "PulseAudio with a null sink" : "none (PulseAudio not installed)");
    std::printf("%s; %d runs each after one unrecorded round, %d ms run-on before closing\n",
                bench::MachineDescription().c_str(), options.runs, options.settleMs);
    std::printf("Medians; frame: time to first frame, cpu: processor time used by then, RSS: peak resident memory\n"
                "by the first frame (with min and max), run RSS: peak resident memory over the whole run\n");
    std::printf("%-30s %4s %7s %8s %7s %7s %7s %8s %6s %6s %8s %4s\n", "program", "runs", "map ms", "frame ms", "min",
                "max", "cpu ms", "RSS MiB", "min", "max", "run RSS", "fail");
    for (const auto& p : programs) PrintRow(p);
    PrintRatio("stimmung / minimal:", programs[1], programs[0]);
    PrintRatio("no sound server / minimal:", programs[2], programs[0]);
    PrintRatio("minimal + text / minimal:", programs[3], programs[0]);
    PrintRatio("minimal + SDL audio / minimal:", programs[4], programs[0]);
    return 0;
}
