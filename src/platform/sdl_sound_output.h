// The real tone engine: the default sound device through SDL2's audio
// subsystem, opened once and kept streaming for the program's life. Every Beep
// becomes a sine tone in that one stream. Plain C++; SDL stays in the .cpp.
//
// The stream and its clock
//   The device asks for a buffer of N frames every period P = N / rate (1024
//   frames, 21.3 ms at 48 kHz: a sound server given less runs dry under load
//   and breaks the tones up). The callback writes the queued tones into it
//   and silence where there is none. Each callback is timestamped and a
//   delay-locked loop (a second-order filter over the callback times) turns
//   those noisy times into a smooth map between stream frames and the steady
//   clock; it also follows a device whose clock runs a little fast or slow.
//
// The callback never waits for the window thread
//   Tones go to the callback through a single-producer/single-consumer ring;
//   an end of the queued tones is asked for with an atomic queue index; the
//   callback publishes its position and clock map under a sequence lock that
//   readers retry and the writer never waits on, and its record of tone
//   starts through a second ring. The callback takes no lock, so a window
//   thread that is busy or descheduled cannot delay a buffer.
//
// Handing a tone over without gap or overlap
//   Tones are placed at absolute frame positions, one after the other, so two
//   tones can never overlap. A tone that comes while the previous one is
//   still queued or sounding starts at the frame right after the previous
//   tone's last frame (no gap); after a Sleep it starts exactly that long
//   after the previous tone's end, if that point is still ahead in the
//   stream. Any other tone starts at the start lead Ls after the moment of
//   the call: one period, a margin (1 ms) and the largest recent amount by
//   which the callback came earlier than the map predicted (a jittery sound
//   server makes it grow by itself), about 22-30 ms in all. That is the
//   latency from a click to its tone in the stream; the sound server adds its
//   own buffering (about one period more) before it is heard.
//   Beep returns the lead L = Ls + H before the stream reaches the tone's end,
//   H being the hand-over time (45 ms): the caller may come back up to H plus
//   the margin late (the melody player repaints the window between notes)
//   and its next tone still joins this one, as it is queued before the
//   callback fills the buffer in which this one ends. A caller that comes
//   back too late for a join (the join then has a gap) widens the margin of
//   L by 1 ms, up to 10 ms more. L is about 67-77 ms.
//   So a Beep that joins the one before blocks for its tone's duration on the
//   device's clock, a back to back melody comes out as one continuous stream,
//   and the first Beep of a melody, or a single one, returns H earlier than
//   its duration (at once for tones shorter than H): the sound ends L after
//   the last Beep of a run returned.
//
// Tone shape
//   A sine at the frequency with the phase exact inside the tone, a 0.3 full
//   scale amplitude and a raised-cosine fade-in and fade-out of 3 ms (at most a
//   quarter of the tone), so no tone begins or ends with a click, also where
//   two tones meet. A frequency the device cannot sound (below 20 Hz or at or
//   above half the rate) is silence for the tone's time.
//
// The end
//   Once the program's end is asked for (program_end.h), a Beep that is
//   waiting returns at once and ends the queued tones: the sounding one
//   fades out within the next buffer or two, none that has not begun sounds.
//   A later Beep sounds nothing. close() ends the queue the same way at the
//   program's end; otherwise it lets the tones whose Beeps have returned
//   finish (at most 300 ms), as their callers count them as played.
//
// When there is no sound
//   No device, a device that cannot be opened, a device lost while running
//   (a sound server that was killed), or a stream whose callback has stopped
//   for a quarter of a second: Beep blocks for the tone's duration on the
//   steady clock, in silence, and returns on time. A Beep that comes while
//   the device is still being opened waits for it, at most until two seconds
//   after start().
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sound_output.h"

namespace stimmung {

class SdlSoundOutput : public SoundOutput {
public:
    struct Options {
        int sampleRate = 48000;   // asked for; the device may give another
        int bufferFrames = 256;   // asked for; the device may give another
        double marginMs = 1.0;    // part of both leads, see above
        // How late a caller may come back and still join, in ms; below 0 it
        // is measured from the caller's own turnaround (hand_over.h).
        double handOverMs = -1;
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
        std::int64_t bufferFrame = 0; // the first frame that callback wrote
    };

    struct StreamStats {
        int sampleRate = 0;
        int bufferFrames = 0;
        double nominalPeriodMs = 0;   // bufferFrames / sampleRate
        double measuredPeriodMs = 0;  // period on the steady clock, filtered
        double leadMs = 0;            // L: Beep returns this long before its tone's end
        double startLeadMs = 0;       // Ls: a tone that joins nothing starts this long after its call
        double handOverMs = 0;        // H, part of L
        // The scheduling the device thread runs with ("SCHED_RR 10",
        // "nice -11", "normal"); empty before its first callback.
        std::string priority;
        std::int64_t framesDelivered = 0;
        std::int64_t callbacks = 0;
        std::int64_t lateCallbacks = 0;  // more than half a period later than due
        double longestCallbackGapMs = 0; // between two callbacks, since the stream ran
        // Tones that should have joined the one before but came after the
        // callback had passed its end (each widens the margin a little).
        std::int64_t missedJoins = 0;
        // Tones the callback found only after it had passed their first
        // frame (queued in the very moment it wrote it); each began whole at
        // the next frame it wrote, less than a buffer later than placed.
        std::int64_t lateStarts = 0;
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
    // Ends the queued tones as described under "The end" above, closes the
    // device, joins the opening thread. The destructor does the same.
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
