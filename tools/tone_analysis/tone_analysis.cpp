// SPDX-License-Identifier: GPL-3.0-or-later
#include "tone_analysis.h"

#include "sine_model.h"
#include "zero_crossings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>

namespace stimmung::tones {

namespace {

constexpr double kFullScale = 32768.0;
// The envelope is the largest magnitude within this window around each
// sample: wide enough to bridge the zero crossings of tones from 100 Hz up,
// narrow enough that a fade out and in of a few ms still dips below half.
constexpr double kEnvelopeWindowMs = 2.0;
// Crossings this close to a tone's outer edge may lie in its fade and stay
// out of the fit.
constexpr double kFadeGuardMs = 4.0;

std::vector<double> Envelope(std::span<const std::int16_t> x, std::size_t half) {
    // Sliding maximum of |x| over [n - half, n + half], by a monotone queue.
    const std::size_t size = x.size();
    std::vector<double> env(size);
    std::deque<std::size_t> window;
    std::size_t next = 0;
    for (std::size_t n = 0; n < size; ++n) {
        for (; next < size && next <= n + half; ++next) {
            while (!window.empty() && std::abs(x[window.back()]) <= std::abs(x[next])) window.pop_back();
            window.push_back(next);
        }
        while (window.front() + half < n) window.pop_front();
        env[n] = std::abs(x[window.front()]);
    }
    return env;
}

// The typical level of the tones: the median envelope where something sounds.
double ToneLevel(const std::vector<double>& env, double peak) {
    std::vector<double> loud;
    for (std::size_t n = 0; n < env.size(); n += 4)
        if (env[n] >= 0.25 * peak) loud.push_back(env[n]);
    if (loud.empty()) return peak;
    std::nth_element(loud.begin(), loud.begin() + static_cast<long>(loud.size() / 2), loud.end());
    return loud[loud.size() / 2];
}

struct Run {
    std::size_t begin, end;
};

std::vector<Run> LoudRuns(const std::vector<double>& env, double threshold, std::size_t shortest) {
    std::vector<Run> runs;
    std::size_t n = 0;
    while (n < env.size()) {
        if (env[n] < threshold) {
            ++n;
            continue;
        }
        const std::size_t begin = n;
        while (n < env.size() && env[n] >= threshold) ++n;
        if (n - begin >= shortest) runs.push_back({begin, n});
    }
    return runs;
}

// One steady stretch of a run: its body crossings and its model.
struct Piece {
    std::vector<double> body;
    SineModel model;
};

std::vector<Piece> PiecesOfRun(std::span<const std::int16_t> x, const Run& run, double level, const Options& o) {
    const std::vector<double> crossings = UpwardCrossings(x, run.begin, run.end, 0.25 * level);
    const std::vector<CrossingSpan> spans = SplitAtPeriodChanges(crossings, o.splitTolerance);
    const double guard = kFadeGuardMs * o.sampleRate / 1000.0;
    std::vector<Piece> pieces;
    for (std::size_t s = 0; s < spans.size(); ++s) {
        const CrossingSpan& span = spans[s];
        std::vector<double> body;
        for (std::size_t i = span.first; i <= span.last; ++i) {
            const double c = crossings[i];
            const bool nearOuterEdge = c < run.begin + guard || c > run.end - guard;
            const bool atSplit = (i == span.first && s > 0) || (i == span.last && s + 1 < spans.size());
            if (!nearOuterEdge && !atSplit) body.push_back(c);
        }
        if (body.size() < 3)
            body.assign(crossings.begin() + static_cast<long>(span.first),
                        crossings.begin() + static_cast<long>(span.last) + 1);
        if (body.size() < 2) continue;
        pieces.push_back({body, FitSine(x, body)});
    }
    return pieces;
}

} // namespace

std::vector<Tone> FindTones(std::span<const std::int16_t> x, const Options& o) {
    std::vector<Tone> tones;
    double peak = 0;
    for (std::int16_t v : x) peak = std::max(peak, static_cast<double>(std::abs(v)));
    if (peak < o.silenceLevel * kFullScale) return tones;

    const std::size_t half = std::max<std::size_t>(1, static_cast<std::size_t>(kEnvelopeWindowMs * o.sampleRate / 2000));
    const std::vector<double> env = Envelope(x, half);
    const double level = ToneLevel(env, peak);
    const auto shortest = static_cast<std::size_t>(o.shortestToneMs * o.sampleRate / 1000.0);
    const std::vector<Run> runs = LoudRuns(env, 0.5 * level, shortest);

    const double toMs = 1000.0 / o.sampleRate;
    double previousEnd = 0;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const Run& run = runs[r];
        const std::vector<Piece> pieces = PiecesOfRun(x, run, level, o);
        const long nextRunBegin = r + 1 < runs.size() ? static_cast<long>(runs[r + 1].begin) : static_cast<long>(x.size());
        double start = 0;
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            const Piece& piece = pieces[p];
            const long reach = static_cast<long>(half + piece.model.period) + 1;
            if (p == 0) {
                const long limit = std::max(static_cast<long>(run.begin) - reach, static_cast<long>(previousEnd));
                start = HalfAmplitudeEdge(x, piece.model, static_cast<long>(piece.body.front()), limit - 1);
            }
            double end;
            if (p + 1 < pieces.size()) {
                end = HandOver(x, piece.model, pieces[p + 1].model, static_cast<long>(piece.body.back()),
                               static_cast<long>(pieces[p + 1].body.front()));
            } else {
                const long limit = std::min(static_cast<long>(run.end) + reach, nextRunBegin);
                end = HalfAmplitudeEdge(x, piece.model, static_cast<long>(piece.body.back()), limit);
            }
            Tone tone;
            tone.startMs = start * toMs;
            tone.endMs = end * toMs;
            tone.frequencyHz = o.sampleRate / piece.model.period;
            tone.level = std::abs(piece.model.amplitude) / kFullScale;
            if (tone.durationMs() >= o.shortestToneMs) tones.push_back(tone);
            start = end;
            previousEnd = end;
        }
    }
    return tones;
}

} // namespace stimmung::tones
