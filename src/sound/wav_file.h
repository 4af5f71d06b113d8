// SPDX-License-Identifier: GPL-3.0-or-later
// Chords saved as a sound file: rendered off the device by the callback's
// own synthesis (with its fades), one after the other with a pause between,
// and written as a mono 16-bit WAV file at kSampleRate, which every player
// reads. Durations in ms; samples in full-scale units. Plain C++, no Qt.
#pragma once

#include "sound_output.h"

#include <span>
#include <string>
#include <vector>

namespace stimmung {

// Each chord for `durationMs`, `pauseMs` of silence between two of them.
std::vector<float> RenderChords(std::span<const ChordRequest> chords, std::int32_t durationMs, std::int32_t pauseMs);

// Writes `samples` at kSampleRate; false when the file cannot be written.
bool WriteWav(const std::string& path, std::span<const float> samples);

} // namespace stimmung
