// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording_sound_output.h"

namespace stimmung {

void RecordingSoundOutput::Beep(std::int32_t frequencyHz, std::int32_t durationMs) {
    requests_.push_back({SoundRequest::Kind::Beep, frequencyHz, durationMs});
    if (hook_) {
        // A copy, so that a hook that replaces or removes itself (or beeps
        // again) does not destroy the function that is running.
        auto hook = hook_;
        hook(frequencyHz, durationMs);
    }
}

void RecordingSoundOutput::Chord(const ChordRequest& chord, std::int32_t durationMs) {
    requests_.push_back({SoundRequest::Kind::Chord, 0, durationMs, chord});
}

void RecordingSoundOutput::Sleep(std::int32_t durationMs) {
    requests_.push_back({SoundRequest::Kind::Sleep, 0, durationMs});
}

std::vector<std::pair<std::int32_t, std::int32_t>> RecordingSoundOutput::beeps() const {
    std::vector<std::pair<std::int32_t, std::int32_t>> tones;
    for (const auto& request : requests_)
        if (request.kind == SoundRequest::Kind::Beep) tones.emplace_back(request.frequencyHz, request.durationMs);
    return tones;
}

} // namespace stimmung
