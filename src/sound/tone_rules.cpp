// SPDX-License-Identifier: GPL-3.0-or-later
#include "tone_rules.h"

#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace stimmung {

namespace {

constexpr double kFadeMs = 3.0;

// Raised-cosine gain for frame k of a fade of `length` frames, rising from
// nearly 0 to nearly 1; sampled at frame centres so that neither end is
// exactly 0 or 1 and a fade-out mirrors the fade-in.
double FadeGain(std::int64_t k, std::int64_t length) {
    return 0.5 - 0.5 * std::cos(std::numbers::pi * (static_cast<double>(k) + 0.5) / static_cast<double>(length));
}

} // namespace

std::int64_t FadeFrames(int rate) { return std::llround(kFadeMs * rate / 1000.0); }

QueuedTone ShapeChord(const ChordRequest& chord, std::int32_t durationMs, int rate) {
    QueuedTone tone;
    tone.frames = std::max<std::int64_t>(1, std::llround(static_cast<double>(durationMs) * rate / 1000.0));
    tone.fade = std::max<std::int64_t>(1, std::min<std::int64_t>(FadeFrames(rate), tone.frames / 4));
    tone.voice = VoiceOf(chord, rate);
    tone.frequencyHz = chord.notes > 0 ? NearestInteger(chord.frequenciesHz[0]) : 0;
    tone.audible = tone.voice.audible();
    return tone;
}

QueuedTone ShapeTone(std::int32_t frequencyHz, std::int32_t durationMs, int rate) {
    return ShapeChord(ChordOf({static_cast<double>(frequencyHz)}, TimbreAt(kDefaultTimbre).amplitudes), durationMs,
                      rate);
}

void RenderTone(const QueuedTone& tone, std::int64_t offset, float* out, int n, int rate) {
    if (!tone.audible) {
        std::fill(out, out + n, 0.0f);
        return;
    }
    for (int i = 0; i < n; ++i) {
        const std::int64_t k = offset + i;
        double gain = 1.0;
        if (k < tone.fade) gain *= FadeGain(k, tone.fade);
        const std::int64_t fromEnd = tone.frames - 1 - k;
        if (fromEnd < tone.fade) gain *= FadeGain(fromEnd, tone.fade);
        out[i] = static_cast<float>(tone.voice.level * gain * VoiceSum(tone.voice, k, rate));
    }
}

std::vector<float> RenderChord(const ChordRequest& chord, std::int32_t durationMs, int rate) {
    const QueuedTone tone = ShapeChord(chord, durationMs, rate);
    std::vector<float> samples(static_cast<std::size_t>(tone.frames));
    constexpr std::int64_t kChunk = 1 << 16;
    for (std::int64_t at = 0; at < tone.frames; at += kChunk)
        RenderTone(tone, at, samples.data() + at, static_cast<int>(std::min(kChunk, tone.frames - at)), rate);
    return samples;
}

std::int64_t CutLength(const QueuedTone& tone, std::int64_t from) {
    const std::int64_t offset = from - tone.start;
    return std::max(offset, std::min(tone.frames, offset + tone.fade));
}

Placement PlaceTone(const Melody& melody, std::int64_t nextFrame, double frameNow, std::int64_t firstFree,
                    double leadFrames) {
    const std::int64_t inMelody = melody.lastEnd + melody.pause;
    Placement placement;
    if (melody.chainable && static_cast<double>(inMelody) >= frameNow) {
        placement.start = std::max(inMelody, nextFrame);
        placement.joining = true;
        placement.missedJoin = placement.start > inMelody;
        return placement;
    }
    placement.joining = placement.missedJoin =
        melody.chainable && frameNow - static_cast<double>(inMelody) < leadFrames;
    placement.start = std::max({firstFree, nextFrame, melody.lastEnd});
    return placement;
}

std::int64_t FirstFreeFrame(const StreamMap& map, std::int64_t nextFrame, double now, double startLead) {
    return map.timeOfFrame(nextFrame) >= now + startLead ? nextFrame : nextFrame + map.mapFrames;
}

double StartLeadSeconds(const StreamMap& map, int rate, double marginSeconds) {
    const double nominal = static_cast<double>(map.mapFrames) / rate;
    return marginSeconds + std::min(map.earlyPeak, 3.0 * nominal);
}

double JoinLeadSeconds(const StreamMap& map, int rate, double marginSeconds) {
    return (map.t1 - map.t0) + StartLeadSeconds(map, rate, marginSeconds);
}

std::optional<double> BeepWaitsUntil(const StreamMap& map, double now, std::int64_t end, double lead, int rate,
                                     double slice) {
    const double release = map.timeOfFrame(end) - lead;
    if (now < release) return std::min(release, now + slice);
    if (map.overdue(now, rate)) return now + 0.001;
    return std::nullopt;
}

} // namespace stimmung
