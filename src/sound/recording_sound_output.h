// SPDX-License-Identifier: GPL-3.0-or-later
// A sound output for tests: notes every Beep, Chord and Sleep in the order
// they come and returns at once, so a melody of any length runs in no time and
// its tones can be compared with what was expected. Plain C++.
#pragma once

#include "sound_output.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace stimmung {

struct SoundRequest {
    enum class Kind { Beep, Sleep, Chord };
    Kind kind = Kind::Beep;
    std::int32_t frequencyHz = 0; // 0 for a Sleep and a Chord
    std::int32_t durationMs = 0;
    ChordRequest chord{}; // a Chord's notes and timbre

    friend bool operator==(const SoundRequest&, const SoundRequest&) = default;
};

class RecordingSoundOutput : public SoundOutput {
public:
    void Beep(std::int32_t frequencyHz, std::int32_t durationMs) override;
    void Chord(const ChordRequest& chord, std::int32_t durationMs) override;
    void Sleep(std::int32_t durationMs) override;

    // Every request so far, in order, as it was passed (also durations <= 0).
    const std::vector<SoundRequest>& requests() const { return requests_; }
    // Only the tones, as (frequency, duration) pairs.
    std::vector<std::pair<std::int32_t, std::int32_t>> beeps() const;
    void clear() { requests_.clear(); }

    // Runs `hook` inside every Beep, after the tone has been noted: a test
    // uses it to act "while the tone sounds". An empty function removes it.
    void onBeep(std::function<void(std::int32_t, std::int32_t)> hook) { hook_ = std::move(hook); }

private:
    std::vector<SoundRequest> requests_;
    std::function<void(std::int32_t, std::int32_t)> hook_;
};

} // namespace stimmung
