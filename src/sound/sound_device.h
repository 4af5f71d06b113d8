// SPDX-License-Identifier: GPL-3.0-or-later
// One open sound device the tone engine streams to: mono float samples at the
// device's rate, asked for by a callback on the device's own thread, so many
// frames at a time as the device wants (which may change while it runs).
// Plain C++; each kind of device keeps its library in its own .cpp.
#pragma once

#include <memory>

namespace stimmung {

// Writes `frames` samples to `out`; called on the device's thread. It must
// not lock, allocate or wait.
using FillFrames = void (*)(void* user, float* out, int frames);

class SoundDevice {
public:
    virtual ~SoundDevice() = default; // stops the callbacks, closes the device
    // Starts (true) or holds (false) the callbacks; a device opens held.
    virtual void run(bool running) = 0;
    // The device went away while open (its sound server ended).
    virtual bool lost() const = 0;
    virtual int rate() const = 0;         // frames per second
    virtual int bufferFrames() const = 0; // frames per callback when opened
};

struct DeviceRequest {
    int sampleRate = 0;
    int bufferFrames = 0; // 0: the program's figure for the driver (sound_server.h)
    FillFrames fill = nullptr;
    void* user = nullptr;
};

// The program's own output to a running PipeWire server; null where no
// stream can be connected.
std::unique_ptr<SoundDevice> OpenPipeWireDevice(const DeviceRequest& request);
// The default device through SDL2, on the driver SDL picks (the preferred one
// first, sound_server.h); null where none opens.
std::unique_ptr<SoundDevice> OpenSdlDevice(const DeviceRequest& request);
// SDL keeps per-thread data (its error text) for threads it did not create;
// a thread that opened an SDL device ends with this.
void ForgetSdlThreadData();

} // namespace stimmung
