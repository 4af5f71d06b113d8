// SPDX-License-Identifier: GPL-3.0-or-later
// An envelope smoothed for the eye: a Hann window over its values takes out
// the fast swells two notes' non-beating partials make (roughness, tens of
// Hz and more) and keeps the slow beats. Windows in ms. Plain C++.
#pragma once

#include "envelope.h"

namespace stimmung {

// Its first zero at 80 Hz, below the roughness of any interval from a
// second up, while a beat at the beat limit keeps most of its depth.
inline constexpr double kSmoothingWindowMs = 25.0;

// Each value the Hann-weighted mean of the values around it; the rate kept.
Envelope SmoothedEnvelope(const Envelope& envelope, double windowMs = kSmoothingWindowMs);

} // namespace stimmung
