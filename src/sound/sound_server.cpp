// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_server.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace stimmung {

std::string PipeWireSocket(const char* remote, const char* pipeWireRuntimeDir, const char* runtimeDir) {
    const std::string name = remote && *remote ? remote : "pipewire-0";
    if (name.front() == '/') return name;
    const char* dir = pipeWireRuntimeDir && *pipeWireRuntimeDir ? pipeWireRuntimeDir : runtimeDir;
    if (!dir || !*dir) return {};
    return std::string(dir) + "/" + name;
}

bool PipeWireRuns() {
    const std::string socket = PipeWireSocket(std::getenv("PIPEWIRE_REMOTE"), std::getenv("PIPEWIRE_RUNTIME_DIR"),
                                              std::getenv("XDG_RUNTIME_DIR"));
    struct stat info {};
    return !socket.empty() && ::stat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

const char* PreferredAudioDriver() {
    const char* chosen = std::getenv("SDL_AUDIODRIVER");
    return (!chosen || !*chosen) && PipeWireRuns() ? "pipewire" : nullptr;
}

int DeviceBufferFrames(std::string_view driver) {
    return driver == "pipewire" ? kPipeWireBufferFrames : kDeviceBufferFrames;
}

void PrepareSoundEnvironment() {
    const int latency = PipeWireRuns() ? kPipeWireLatencyMs : kPulseAudioLatencyMs;
    ::setenv("PULSE_LATENCY_MSEC", std::to_string(latency).c_str(), 0);
}

double ServerLatencySeconds() {
    const char* text = std::getenv("PULSE_LATENCY_MSEC");
    const int ms = text ? std::atoi(text) : 0;
    return (ms > 0 ? ms : kPulseAudioLatencyMs) / 1000.0;
}

} // namespace stimmung
