// SPDX-License-Identifier: GPL-3.0-or-later
#include "sine_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace stimmung::tones {

double SineModel::unit(double n) const { return std::sin(2 * std::numbers::pi * (n - crossing) / period); }

SineModel FitSine(std::span<const std::int16_t> x, std::span<const double> crossings) {
    // Crossing i lies at crossing + i * period: least squares over all of them.
    const double m = static_cast<double>(crossings.size());
    double si = 0, sc = 0, sii = 0, sic = 0;
    for (std::size_t i = 0; i < crossings.size(); ++i) {
        const double fi = static_cast<double>(i);
        si += fi;
        sc += crossings[i];
        sii += fi * fi;
        sic += fi * crossings[i];
    }
    SineModel model;
    model.period = (m * sic - si * sc) / (m * sii - si * si);
    model.crossing = (sc - model.period * si) / m;

    // Amplitude: projection of the body onto the model's unit sine.
    double xs = 0, ss = 0;
    const long begin = static_cast<long>(std::ceil(crossings.front()));
    const long end = static_cast<long>(std::floor(crossings.back()));
    for (long n = begin; n <= end && n < static_cast<long>(x.size()); ++n) {
        const double s = model.unit(static_cast<double>(n));
        xs += x[static_cast<std::size_t>(n)] * s;
        ss += s * s;
    }
    model.amplitude = ss > 0 ? xs / ss : 0;
    return model;
}

double HalfAmplitudeEdge(std::span<const std::int16_t> x, const SineModel& model, long from, long limit) {
    const long step = from < limit ? 1 : -1;
    const long size = static_cast<long>(x.size());
    // Readings only where the model's sine is large enough to divide by.
    struct Reading {
        long n;
        double ratio;
    };
    Reading inner{from, 1.0};
    std::vector<Reading> below;
    for (long n = from; n != limit && n >= 0 && n < size; n += step) {
        const double u = model.unit(static_cast<double>(n));
        if (std::abs(u) < 0.5) continue;
        const double ratio = x[static_cast<std::size_t>(n)] / (model.amplitude * u);
        if (ratio >= 0.5) {
            inner = {n, ratio};
            below.clear();
            continue;
        }
        below.push_back({n, ratio});
        if (below.size() == 3) {
            const Reading& outer = below.front();
            const double t = (inner.ratio - 0.5) / (inner.ratio - outer.ratio);
            return static_cast<double>(inner.n) + t * static_cast<double>(outer.n - inner.n);
        }
    }
    return static_cast<double>(limit);
}

double HandOver(std::span<const std::int16_t> x, const SineModel& before, const SineModel& after, long lo, long hi) {
    lo = std::max(lo, 0L);
    hi = std::min(hi, static_cast<long>(x.size()) - 1);
    if (hi <= lo) return static_cast<double>(lo);
    // cost(b) = errors of `before` on [lo, b) + errors of `after` on [b, hi].
    const std::size_t count = static_cast<std::size_t>(hi - lo + 1);
    std::vector<double> errBefore(count + 1, 0.0), errAfter(count + 1, 0.0);
    for (std::size_t i = 0; i < count; ++i) {
        const double n = static_cast<double>(lo) + static_cast<double>(i);
        const double v = x[static_cast<std::size_t>(lo) + i];
        errBefore[i + 1] = errBefore[i] + (v - before.at(n)) * (v - before.at(n));
        errAfter[i + 1] = errAfter[i] + (v - after.at(n)) * (v - after.at(n));
    }
    std::size_t best = 0;
    double bestCost = errAfter[count];
    for (std::size_t b = 1; b <= count; ++b) {
        const double cost = errBefore[b] + (errAfter[count] - errAfter[b]);
        if (cost < bestCost) {
            bestCost = cost;
            best = b;
        }
    }
    return static_cast<double>(lo) + static_cast<double>(best);
}

} // namespace stimmung::tones
