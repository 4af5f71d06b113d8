// SPDX-License-Identifier: GPL-3.0-or-later
// The priority of the thread that feeds the sound device. Plain C++.
//
// SDL is asked for a real-time device thread (it asks RealtimeKit over the
// system bus where that runs). The device thread itself then checks what it
// got; if it is not real-time it asks the kernel for round-robin scheduling
// within RLIMIT_RTPRIO, else for the best nice value RLIMIT_NICE allows.
// Every step may fail: the stream then runs at normal priority.
#pragma once

#include <array>

namespace stimmung {

// The scheduling a thread runs with, as text: "SCHED_RR 10", "SCHED_FIFO 5",
// "nice -11" or "normal". A fixed array, so the device thread can fill it
// without allocating.
using PriorityText = std::array<char, 24>;

// Tells SDL to run its device thread in real time. Before SDL's audio
// subsystem starts.
void AskForRealtimeSoundThread();

// From the device thread: raises it to real time (or the best nice value) if
// it does not run so already, and returns what it now runs with. One system
// call or a few; no lock, no allocation.
PriorityText RaiseSoundThreadPriority();

} // namespace stimmung
