// SPDX-License-Identifier: GPL-3.0-or-later
// The tone engine's rules over stream frames and times: where a tone starts
// in the stream, when Beep gives the caller back, and what a callback writes.
// Plain C++; frames at the device's rate, times in seconds on the steady
// clock. The SDL device (sdl_sound_output.cpp) only applies them.
#pragma once

#include "stream_clock.h"
#include "tone_synthesis.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace stimmung {

// A tone in the stream: frames [start, start + frames).
struct QueuedTone {
    std::int64_t start = 0;
    std::int64_t frames = 0;
    std::int64_t fade = 1; // fade-in and fade-out length in frames
    Voice voice;
    std::int32_t frequencyHz = 0; // the first note's, rounded, for the record of tone starts
    bool audible = false;
    bool cancelled = false; // taken back before it began: never sounds
    std::chrono::steady_clock::time_point requested;
};

// The fade at both ends of every tone, and where a cut tone ends.
std::int64_t FadeFrames(int rate);

// A chord (tone_synthesis.h) with a raised-cosine fade of 3 ms (at most a
// quarter of the tone) at both ends; silence where the device can sound none
// of its notes.
QueuedTone ShapeChord(const ChordRequest& chord, std::int32_t durationMs, int rate);
// One sine of 0.3 full scale, the "Sinus" timbre's single note.
QueuedTone ShapeTone(std::int32_t frequencyHz, std::int32_t durationMs, int rate);
// Frames [offset, offset + n) of the tone.
void RenderTone(const QueuedTone& tone, std::int64_t offset, float* out, int n, int rate);
// A whole chord off the device, as the callback writes it into the stream.
std::vector<float> RenderChord(const ChordRequest& chord, std::int32_t durationMs, int rate);
// The tone's length when it is cut at frame `from`: it fades out from there.
std::int64_t CutLength(const QueuedTone& tone, std::int64_t from);

// Where the last placed tone leaves the melody.
struct Melody {
    std::int64_t lastEnd = 0; // frame after the last placed tone
    bool chainable = false;   // a new tone may join lastEnd
    std::int64_t pause = 0;   // frames of Sleep since then
};

struct Placement {
    std::int64_t start = 0;
    bool joining = false;    // meant to join the tone before (or too late for it)
    bool missedJoin = false; // meant to, but the stream had passed the join
};

// A tone asked for when the stream stands at `frameNow`. In a melody whose
// time (the last tone's end and the pauses since) is still ahead it starts
// right then; else at `firstFree` (FirstFreeFrame).
// Never before `nextFrame`, the next frame the callback writes, nor before
// the last tone's end. A call less than `leadFrames` after the melody's time
// meant to join as well.
Placement PlaceTone(const Melody& melody, std::int64_t nextFrame, double frameNow, std::int64_t firstFree,
                    double leadFrames);

// Where a tone asked for at `now` that joins nothing starts: at the next
// frame the callback writes, `nextFrame`, if that callback is due at least
// the start lead after now; else a buffer later, as the next callback may
// already be under way.
std::int64_t FirstFreeFrame(const StreamMap& map, std::int64_t nextFrame, double now, double startLead);

// The start lead: the margin and the callback's recent jitter, the least
// time between a call and the callback that writes its tone's first frame.
double StartLeadSeconds(const StreamMap& map, int rate, double marginSeconds);
// The join lead: the next tone must be queued before the callback whose
// buffer holds the join runs, up to a period before the join's own time.
double JoinLeadSeconds(const StreamMap& map, int rate, double marginSeconds);

// When a Beep whose tone ends before frame `end` next looks again, or
// nothing when it returns now: `lead` before that end on the map. While the
// next callback is overdue it waits for it rather than trusting the map.
std::optional<double> BeepWaitsUntil(const StreamMap& map, double now, std::int64_t end, double lead, int rate,
                                     double slice);

// What a callback writes: the tones of `queue` (front() / pop(), in order)
// from frame `position` on, silence where there is none. `sounding`: the
// tone at the front has begun. `began(tone, frame)` is told each tone's
// first frame. Returns the frame after the last sounding sample written, or
// `soundEnd` if none.
struct WriteState {
    bool sounding = false;
    std::int64_t soundEnd = 0;
    std::int64_t lateStarts = 0; // tones found after their first frame had passed
};

template <typename Queue, typename Began>
void WriteTones(Queue& queue, WriteState& state, std::int64_t position, float* out, int frames, int rate, Began began) {
    int k = 0;
    while (k < frames) {
        QueuedTone* tone = queue.front();
        if (tone == nullptr) {
            for (; k < frames; ++k) out[k] = 0.0f;
            break;
        }
        if (tone->cancelled) {
            queue.pop();
            state.sounding = false;
            continue;
        }
        if (!state.sounding) {
            if (tone->start > position) {
                const auto n = static_cast<int>(std::min<std::int64_t>(frames - k, tone->start - position));
                for (int i = 0; i < n; ++i) out[k + i] = 0.0f;
                k += n;
                position += n;
                continue;
            }
            // Queued after the callback had passed its start (a join made at
            // the last moment): it begins here, whole, rather than with its
            // beginning cut off.
            if (tone->start < position) {
                tone->start = position;
                ++state.lateStarts;
            }
            state.sounding = true;
            began(*tone, position);
        }
        const std::int64_t offset = position - tone->start;
        const auto n =
            static_cast<int>(std::max<std::int64_t>(0, std::min<std::int64_t>(frames - k, tone->frames - offset)));
        RenderTone(*tone, offset, out + k, n, rate);
        k += n;
        position += n;
        if (n > 0 && tone->audible) state.soundEnd = position;
        if (offset + n >= tone->frames) {
            queue.pop();
            state.sounding = false;
        }
    }
}

} // namespace stimmung
