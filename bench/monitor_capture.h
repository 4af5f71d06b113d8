// SPDX-License-Identifier: GPL-3.0-or-later
// Recording clients on the default sink's monitor, for the tone benchmark
// (parec, over the pulse protocol): a neighbour that asks the sound server for
// a short latency, as another program would, and a capture of what the server
// really played (16-bit mono at 48000 Hz, latencies in ms) whose tones show
// the breaks, each placed on the steady clock so that a stall of the machine
// witnessed at that time can be told from a fault of the program.
#pragma once

#include "tone_analysis.h"

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace bench {

inline constexpr int kCaptureRate = 48000;
// parec hands a chunk over about this long after its last sample was played.
inline constexpr double kArrivalDelaySeconds = 0.015;

// parec on the default monitor at `latencyMs`, its samples to `outFd`.
inline pid_t StartParec(int latencyMs, int outFd) {
    const std::string latency = "--latency-msec=" + std::to_string(latencyMs);
    const std::string rate = "--rate=" + std::to_string(kCaptureRate);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outFd, STDOUT_FILENO);
        ::execlp("parec", "parec", latency.c_str(), "-d", "@DEFAULT_MONITOR@", "--raw", "--format=s16le",
                 rate.c_str(), "--channels=1", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

inline void StopParec(pid_t& pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    pid = -1;
}

// Another program that records at a short latency and throws it away.
class Neighbour {
public:
    explicit Neighbour(int latencyMs) {
        const int null = ::open("/dev/null", O_WRONLY);
        pid_ = StartParec(latencyMs, null);
        ::close(null);
    }
    ~Neighbour() { StopParec(pid_); }
    Neighbour(const Neighbour&) = delete;
    Neighbour& operator=(const Neighbour&) = delete;

private:
    pid_t pid_ = -1;
};

struct CaptureBreak {
    std::chrono::steady_clock::time_point at; // when the gap began to play
    double ms = 0;
};

struct CapturedBreaks {
    long long tones = 0; // tones found in the capture
    std::vector<CaptureBreak> breaks;
};

// What the server played, read as it arrives, with the arrival times.
class Capture {
public:
    explicit Capture(int latencyMs) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = StartParec(latencyMs, fds[1]);
        ::close(fds[1]);
        reader_ = std::thread([this, fd = fds[0]] { read(fd); });
    }
    ~Capture() { stop(); }
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    void stop() {
        StopParec(pid_);
        if (reader_.joinable()) reader_.join();
    }

    // A break splits one tone into two of the same pitch, close together;
    // the benchmark's melodies never repeat a pitch, and its single tones lie
    // far apart. Call after stop().
    CapturedBreaks breaks() const {
        stimmung::tones::Options options;
        options.sampleRate = kCaptureRate;
        const auto found = stimmung::tones::FindTones(samples_, options);
        constexpr double kCloseMs = 50;
        constexpr double kSamePitch = 0.03;
        CapturedBreaks result{static_cast<long long>(found.size()), {}};
        for (std::size_t i = 1; i < found.size(); ++i) {
            const auto& a = found[i - 1];
            const auto& b = found[i];
            if (b.startMs - a.endMs < kCloseMs && std::abs(b.frequencyHz - a.frequencyHz) < kSamePitch * a.frequencyHz)
                result.breaks.push_back({timeAt(a.endMs), b.startMs - a.endMs});
        }
        return result;
    }

private:
    struct Arrival {
        std::chrono::steady_clock::time_point at;
        std::size_t samples; // received so far
    };

    void read(int fd) {
        std::vector<char> bytes;
        char chunk[8192];
        for (;;) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n <= 0) break;
            bytes.insert(bytes.end(), chunk, chunk + n);
            arrivals_.push_back({std::chrono::steady_clock::now(), bytes.size() / sizeof(std::int16_t)});
        }
        ::close(fd);
        samples_.resize(bytes.size() / sizeof(std::int16_t));
        std::memcpy(samples_.data(), bytes.data(), samples_.size() * sizeof(std::int16_t));
    }

    // When the capture's position `ms` played: the first chunk that held it
    // arrived a delay after its last sample played.
    std::chrono::steady_clock::time_point timeAt(double ms) const {
        const auto position = static_cast<std::size_t>(ms * kCaptureRate / 1000.0);
        for (const Arrival& a : arrivals_)
            if (a.samples > position) {
                const double before = static_cast<double>(a.samples - position) / kCaptureRate + kArrivalDelaySeconds;
                return a.at - std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                  std::chrono::duration<double>(before));
            }
        return arrivals_.empty() ? std::chrono::steady_clock::time_point{} : arrivals_.back().at;
    }

    pid_t pid_ = -1;
    std::thread reader_;
    std::vector<Arrival> arrivals_;      // the reader's until stop()
    std::vector<std::int16_t> samples_; // filled when the reader ends
};

} // namespace bench
