// The real tone engine: the default sound device through SDL2's audio
// subsystem, opened once and kept streaming for the program's life. Every Beep
// becomes a sine tone in that one stream. Plain C++; SDL stays in the .cpp.
//
// The stream and its clock
//   The device asks for a buffer of N frames every period P = N / rate (about
//   256 frames, 5.3 ms at 48 kHz). The callback writes the queued tones into
//   it and silence where there is none. Each callback is timestamped and a
//   delay-locked loop (a second-order filter over the callback times) turns
//   those noisy times into a smooth map between stream frames and the steady
//   clock; it also follows a device whose clock runs a little fast or slow.
//
// Handing a tone over without gap or overlap
//   Tones are placed at absolute frame positions, one after the other, so two
//   tones can never overlap. A tone that comes while the previous one still
//   sounds starts at the frame right after the previous tone's last frame
//   (no gap); after a Sleep it starts exactly that long after the previous
//   tone's end, if that point is still ahead in the stream. Any other tone
//   starts at a fixed lead L after the moment of the call.
//   Beep returns L before the stream reaches the tone's end, that is when the
//   tone is committed to the stream and the caller's next tone can still be
//   queued before the callback fills the buffer in which this one ends. L is
//   one period plus a margin (1 ms) plus the largest recent amount by which
//   the callback came earlier than the map predicted (a jittery sound server
//   makes L grow by itself). A caller that comes back too late for a join
//   (the join then has a gap shorter than one buffer) widens the margin by
//   1 ms, up to 10 ms more.
//   Because a first tone starts L after the call and every Beep returns L
//   before its tone's end, the time a Beep blocks is the tone's duration on
//   the device's clock, and a melody of back to back Beeps comes out as one
//   continuous stream. The price is L of latency between a call and its
//   sound, about 6-9 ms.
//
// Tone shape
//   A sine at the frequency with the phase exact inside the tone, a 0.3 full
//   scale amplitude and a raised-cosine fade-in and fade-out of 3 ms (at most a
//   quarter of the tone), so no tone begins or ends with a click, also where
//   two tones meet. A frequency the device cannot sound (below 20 Hz or at or
//   above half the rate) is silence for the tone's time.
//
// When there is no sound
//   No device, a device that cannot be opened, a device lost while running,
//   or a stream whose callback has stopped for a quarter of a second: Beep
//   blocks for the tone's duration on the steady clock, in silence. A Beep
//   that comes while the device is still being opened waits for it, at most
//   until two seconds after start().
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "sound_output.h"

namespace stimmung {

class SdlSoundOutput : public SoundOutput {
public:
    struct Options {
        int sampleRate = 48000;   // asked for; the device may give another
        int bufferFrames = 256;   // asked for; the device may give another
        double marginMs = 1.0;    // part of the lead, see above
        std::chrono::milliseconds openTimeout{2000};
        std::chrono::milliseconds stallLimit{250};
    };

    // The moment the callback wrote a tone's first frame, for the benchmark
    // and tests.
    struct ToneStart {
        std::int64_t frame = 0;   // stream frame of the tone's first sample
        std::int64_t frames = 0;  // the tone's length in frames
        std::int32_t frequencyHz = 0;
        std::chrono::steady_clock::time_point requested; // the call of Beep
        std::chrono::steady_clock::time_point delivered; // that callback's time
    };

    struct StreamStats {
        int sampleRate = 0;
        int bufferFrames = 0;
        double nominalPeriodMs = 0;   // bufferFrames / sampleRate
        double measuredPeriodMs = 0;  // period on the steady clock, filtered
        double leadMs = 0;            // the lead L now
        std::int64_t framesDelivered = 0;
        std::int64_t callbacks = 0;
        // Tones that should have joined the one before but came after the
        // callback had passed its end (each widens the margin a little).
        std::int64_t missedJoins = 0;
    };

    SdlSoundOutput();
    explicit SdlSoundOutput(Options options);
    ~SdlSoundOutput() override;
    SdlSoundOutput(const SdlSoundOutput&) = delete;
    SdlSoundOutput& operator=(const SdlSoundOutput&) = delete;

    // Opens the device on a background thread and returns at once.
    void start();
    // Opens the device and returns when its stream runs (or opening failed).
    bool open();
    // Lets the queued tones finish (briefly), closes the device, joins the
    // opening thread. The destructor does the same.
    void close();

    void Beep(std::int32_t frequencyHz, std::int32_t durationMs) override;
    void Sleep(std::int32_t durationMs) override;

    // The device is open and its stream runs.
    bool isOpen() const;
    StreamStats streamStats() const;
    // The last tone starts (at most a few thousand are kept).
    std::vector<ToneStart> toneStarts() const;
    void clearToneStarts();

    // Holds the device's stream (the callback stops being called), as a lost
    // device would; false lets it run again. For tests of the stall fallback.
    void suspendStreamForTesting(bool suspended);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace stimmung
