// SPDX-License-Identifier: GPL-3.0-or-later
#include "play_tone.h"

#include "sound_output.h"

namespace stimmung::audio {

// Hands both values unchanged to the platform's tone operation; what it
// reports is not looked at.
void PlayTone(std::int32_t frequencyHz, std::int32_t durationMs) { Beep(frequencyHz, durationMs); }

} // namespace stimmung::audio
