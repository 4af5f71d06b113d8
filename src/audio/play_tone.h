// SPDX-License-Identifier: GPL-3.0-or-later
// The one way the program sounds: a tone of a frequency in Hz for a duration
// in ms, both signed 32-bit integers computed by the caller with
// NearestInteger. Returns when the tone has ended; the window neither
// repaints nor reacts meanwhile.
#pragma once

#include <cstdint>

namespace stimmung::audio {

void PlayTone(std::int32_t frequencyHz, std::int32_t durationMs);

} // namespace stimmung::audio
