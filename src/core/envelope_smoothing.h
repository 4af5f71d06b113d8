// SPDX-License-Identifier: GPL-3.0-or-later
// An envelope smoothed for the eye: a low-pass over its values takes out the
// fast swells that two notes' non-beating partials make (roughness, sixty Hz
// and more) and keeps the slow beats flat up to the beat limit. Plain C++.
#pragma once

#include "envelope.h"

namespace stimmung {

// A windowed sinc (Blackman) cut off at this frequency, this long each side:
// flat to the beat limit, at least 70 dB down from about 60 Hz on, so that an
// interval that does not beat draws as a flat line.
inline constexpr double kSmoothingCutoffHz = 35.0;
inline constexpr double kSmoothingHalfWindowMs = 60.0;

// Each value the weighted mean of the values around it; the rate kept.
Envelope SmoothedEnvelope(const Envelope& envelope);

} // namespace stimmung
