// SPDX-License-Identifier: GPL-3.0-or-later
// Starting a program with an environment of its own, and collecting it with
// its peak resident memory (kB, from the kernel's rusage of the child).
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

// Starts `argv[0]` (searched in PATH) with exactly `env`, stdout and stderr
// to /dev/null unless `quiet` is false; the child receives SIGTERM if the
// driver dies. Returns the process id, or -1.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, bool quiet = true);

struct Exit {
    bool exited = false; // false: still running at the deadline, then killed
    int status = 0;      // wait status
    long maxRssKb = 0;   // peak resident set size of the child
};

// Waits for the child until `deadline`; kills it with SIGKILL after that and
// collects it either way.
Exit WaitFor(pid_t pid, Clock::time_point deadline);

// Processor time the running child has used so far, all its threads, in ms
// (user and system; the kernel counts it in clock ticks, 10 ms); -1 if gone.
double CpuMs(pid_t pid);

// Peak resident set size of the running child so far (VmHWM), kB; -1 if gone.
long PeakRssKb(pid_t pid);

// SIGTERM, then SIGKILL after a grace period; collects the child.
void Stop(pid_t pid);

// The driver's environment without the entries whose names start with one of
// the prefixes, plus `extra` ("NAME=value").
std::vector<std::string> Environment(const std::vector<std::string>& dropPrefixes,
                                     const std::vector<std::string>& extra);

} // namespace bench
