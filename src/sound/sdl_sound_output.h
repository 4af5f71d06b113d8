// SPDX-License-Identifier: GPL-3.0-or-later
// The real tone engine: the default sound device (the program's own PipeWire
// output where PipeWire runs, else SDL2's audio subsystem, sound_device.h),
// opened once and kept streaming for the program's life. Every Beep
// and Chord becomes a tone in that one stream; what is said of a Beep below
// holds for a Chord alike. Plain C++; SDL stays in the .cpp, the rules it
// applies are plain functions and classes of their own.
//
// The stream and its thread
//   The device asks for a small buffer of N frames every period P = N / rate
//   (the size by driver in sound_server.h; on PipeWire the graph's cycle,
//   which another client's shorter latency shortens). The thread that feeds it runs in
//   real time where the system grants it (sound_thread_priority.h), so a busy
//   machine does not starve it; the program asks the sound server for its
//   latency itself (PrepareSoundEnvironment), not only its tests.
//   The callback writes the queued tones into the buffer and silence where
//   there is none (WriteTones in tone_rules.h). Each callback is timestamped
//   and a delay-locked loop turns those noisy times into a smooth map between
//   stream frames and the steady clock (stream_clock.h).
//
// The callback never waits for the window thread
//   Tones go to the callback through a single-producer/single-consumer ring;
//   an end of the queued tones is asked for with an atomic queue index; the
//   callback publishes its position and clock map under a sequence lock that
//   readers retry and the writer never waits on, and its record of tone
//   starts through a second ring (lock_free.h). The callback takes no lock and
//   does not allocate.
//
// Tones are placed at exact frames (PlaceTone)
//   Tones are placed at absolute frame positions, one after the other, so two
//   tones can never overlap. A tone that comes while the previous one is
//   still queued or sounding starts at the frame right after the previous
//   tone's last frame (no gap); after a Sleep it starts exactly that long
//   after the previous tone's end, if that point is still ahead in the
//   stream. Any other tone starts in the next buffer the callback writes
//   that is still at least the start lead Ls ahead of the call: a margin and
//   the largest recent amount by which the callback came earlier than the
//   map predicted. So a click reaches the stream within about one period;
//   the sound server adds its own buffering.
//   SDL's own queue (SDL_QueueAudio) would append samples where the queue
//   happens to end, not at a chosen frame, so the engine keeps its own.
//
// When Beep returns (BeepWaitsUntil)
//   Beep returns the lead L = P + Ls + H before the stream reaches the tone's
//   end: the next tone must be queued before the callback whose buffer holds
//   the join, which runs up to a period P before the join's own time.
//   H, the hand-over, follows the caller (hand_over.h): 1.5 times its longest
//   recent turnaround from a return to its next Beep, between a floor and a
//   ceiling. So a caller that comes straight back (a scale player) gets its
//   next note marked almost with the sound, and one that repaints between
//   notes (the melody player) still joins. A caller that comes back too late
//   for a join widens the margin of L a little, up to a cap.
//   So a Beep that joins the one before blocks for its tone's duration on the
//   device's clock, a back to back melody comes out as one continuous stream,
//   and the first Beep of a melody, or a single one, returns H earlier than
//   its duration (at once for tones shorter than H): the sound ends L after
//   the last Beep of a run returned.
//
// Tone shape (ShapeChord, RenderTone)
//   The notes of the chord with the partials of its timbre (a Beep: one note
//   with BeepTimbre(), by default a sine), each phase exact inside the tone
//   (tone_synthesis.h); at most 0.3 full scale, the peak of a single sine, and
//   a raised-cosine fade-in and fade-out of 3 ms (at most a quarter of the
//   tone), so no tone begins or ends with a click, also where two tones meet.
//   A note the device cannot sound (below 20 Hz or at or above half the rate)
//   is left out, and so are partials at or above half the rate; a tone with
//   nothing left is silence for its time.
//
// The end
//   Once the program's end is asked for (program_end.h), a Beep that is
//   waiting returns at once and ends the queued tones: the sounding one
//   fades out within the next buffer or two, none that has not begun sounds.
//   A later Beep sounds nothing. close() ends the queue the same way at the
//   program's end; otherwise it lets the tones whose Beeps have returned
//   finish (briefly), as their callers count them as played. Either way it
//   closes the device only once the fade-out and what the server still holds
//   have been played, so the last tone never ends with a click.
//
// When there is no sound
//   No device, a device that cannot be opened, a device lost while running
//   (a sound server that was killed), or a stream whose callback has stopped
//   for a quarter of a second: Beep blocks in silence for the tone's duration
//   on the melody's own clock (melody_clock.h): a tone that follows the one
//   before straight away ends its duration after that one's end, so the
//   caller's time between the calls does not add up over a melody. A Beep
//   that comes while the device is still being opened waits for it, at most
//   until two seconds after start().
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sample_rate.h"
#include "sound_output.h"

namespace stimmung {

class SdlSoundOutput : public SoundOutput {
public:
    struct Options {
        int sampleRate = kSampleRate; // asked for; the device may give another
        int bufferFrames = 0;   // asked for (0: by driver); the device may give another
        double marginMs = 1.0;  // part of both leads, see above
        // How late a caller may come back and still join, in ms; below 0 it
        // is measured from the caller's own turnaround (hand_over.h).
        double handOverMs = -1;
        std::chrono::milliseconds openTimeout{2000};
        std::chrono::milliseconds stallLimit{250};
    };

    // The moment the callback wrote a tone's first frame, for the benchmark
    // and tests.
    struct ToneStart {
        std::int64_t frame = 0;  // stream frame of the tone's first sample
        std::int64_t frames = 0; // the tone's length in frames
        std::int32_t frequencyHz = 0;
        std::chrono::steady_clock::time_point requested; // the call of Beep
        std::chrono::steady_clock::time_point delivered; // that callback's time
        std::int64_t bufferFrame = 0;                    // the first frame that callback wrote
    };

    struct StreamStats {
        int sampleRate = 0;
        int bufferFrames = 0;        // per callback, as the device asks now
        double nominalPeriodMs = 0;  // bufferFrames / sampleRate
        double measuredPeriodMs = 0; // period on the steady clock, filtered
        double leadMs = 0;           // L: Beep returns this long before its tone's end
        double startLeadMs = 0;      // Ls: a tone that joins nothing starts at least this long after its call
        double handOverMs = 0;       // H, part of L
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

    // A Beep is the chord of its one note with BeepTimbre().
    void Beep(std::int32_t frequencyHz, std::int32_t durationMs) override;
    void Chord(const ChordRequest& chord, std::int32_t durationMs) override;
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
