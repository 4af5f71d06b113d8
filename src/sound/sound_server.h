// SPDX-License-Identifier: GPL-3.0-or-later
// The latency the program asks of the sound server, and the device buffer it
// asks SDL for, by server. Plain C++.
//
// PulseAudio keeps a buffer of its own behind the device's small one; the
// program asks it for a few periods (PULSE_LATENCY_MSEC, which the client
// library reads). PipeWire runs its whole graph at one cycle that follows
// the latency its clients ask for, and keeps nothing beyond a cycle: at the
// PulseAudio figures its cycle is so short that a busy machine breaks the
// sound. Where PipeWire runs, both figures are larger.
#pragma once

#include <string>
#include <string_view>

namespace stimmung {

// The device buffer, in frames: small everywhere but on SDL's own PipeWire
// driver, whose buffer sets the graph's cycle.
inline constexpr int kDeviceBufferFrames = 256;
inline constexpr int kPipeWireBufferFrames = 512;

// The latency asked of the pulse server, PulseAudio's own or PipeWire's.
// pipewire-pulse runs a pulse client at a quarter of the latency it asks
// for, and the graph at that rounded down to a power of two: four cycles
// of the native driver's buffer, and a little more, give the same cycle.
inline constexpr int kPulseAudioLatencyMs = 20;
inline constexpr int kPipeWireLatencyMs = 48;
static_assert(kPipeWireLatencyMs * 48 / 4 >= kPipeWireBufferFrames, "a cycle shorter than the native driver's");

// Where a PipeWire client would connect: PIPEWIRE_REMOTE (default
// "pipewire-0") in PIPEWIRE_RUNTIME_DIR, else XDG_RUNTIME_DIR; an absolute
// remote as it stands. Empty without a runtime folder. Null arguments stand
// for unset variables.
std::string PipeWireSocket(const char* remote, const char* pipeWireRuntimeDir, const char* runtimeDir);

// Whether a PipeWire server runs for this user (its socket is there).
bool PipeWireRuns();

// The SDL driver to try first: "pipewire" where PipeWire runs and the user
// has not chosen one (SDL_AUDIODRIVER). Its stream feeds PipeWire's graph
// from the program's own real-time thread; through pipewire-pulse it would
// pass the server's normal-priority main thread, which a busy machine
// starves. Null: SDL's own order.
const char* PreferredAudioDriver();

// The buffer to ask SDL's driver `driver` ("pulseaudio", "pipewire", ...) for.
int DeviceBufferFrames(std::string_view driver);

// Sets what the pulse client library reads from the environment (the
// latency), unless the user set it already. Called once at the program's
// start, before any thread runs.
void PrepareSoundEnvironment();

// The latency the pulse client library will ask for, in seconds: what
// PULSE_LATENCY_MSEC says, else the PulseAudio figure.
double ServerLatencySeconds();

} // namespace stimmung
