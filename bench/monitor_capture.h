// SPDX-License-Identifier: GPL-3.0-or-later
// Recording clients on the default sink's monitor, for the tone benchmark
// (parec, over the pulse protocol): a neighbour that asks the sound server for
// a short latency, as another program would, and a capture of what the server
// really played (16-bit mono at 48000 Hz, latencies in ms) whose tones show
// the breaks.
#pragma once

#include "tone_analysis.h"

#include <cmath>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace bench {

inline constexpr int kCaptureRate = 48000;

// parec on the default monitor, writing to `file`, until stopped.
class Recorder {
public:
    Recorder(int latencyMs, const std::string& file) {
        const std::string latency = "--latency-msec=" + std::to_string(latencyMs);
        const std::string rate = "--rate=" + std::to_string(kCaptureRate);
        pid_ = ::fork();
        if (pid_ == 0) {
            const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (fd >= 0) ::dup2(fd, STDOUT_FILENO);
            ::execlp("parec", "parec", latency.c_str(), "-d", "@DEFAULT_MONITOR@", "--raw", "--format=s16le",
                     rate.c_str(), "--channels=1", static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~Recorder() { stop(); }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;
    void stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

struct CapturedBreaks {
    long long tones = 0;  // tones found in the capture
    long long breaks = 0; // tones split in two by a gap
};

// A break splits one tone into two of the same pitch, close together; the
// benchmark's melodies never repeat a pitch, and its single tones lie far apart.
inline CapturedBreaks BreaksInCapture(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(bytes.size() / sizeof(std::int16_t));
    std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(samples.size() * sizeof(std::int16_t)),
              reinterpret_cast<char*>(samples.data()));
    stimmung::tones::Options options;
    options.sampleRate = kCaptureRate;
    const auto found = stimmung::tones::FindTones(samples, options);
    constexpr double kCloseMs = 50;
    constexpr double kSamePitch = 0.03;
    CapturedBreaks result{static_cast<long long>(found.size()), 0};
    for (std::size_t i = 1; i < found.size(); ++i) {
        const auto& a = found[i - 1];
        const auto& b = found[i];
        if (b.startMs - a.endMs < kCloseMs && std::abs(b.frequencyHz - a.frequencyHz) < kSamePitch * a.frequencyHz)
            ++result.breaks;
    }
    return result;
}

} // namespace bench
