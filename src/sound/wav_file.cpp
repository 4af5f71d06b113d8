// SPDX-License-Identifier: GPL-3.0-or-later
#include "wav_file.h"

#include "sample_rate.h"
#include "tone_rules.h"

#include <sndfile.h>

namespace stimmung {

std::vector<float> RenderChords(std::span<const ChordRequest> chords, std::int32_t durationMs, std::int32_t pauseMs) {
    std::vector<float> samples;
    const auto pause = static_cast<std::size_t>(std::int64_t{pauseMs} * kSampleRate / 1000);
    for (std::size_t i = 0; i < chords.size(); ++i) {
        if (i > 0) samples.insert(samples.end(), pause, 0.0f);
        const std::vector<float> chord = RenderChord(chords[i], durationMs, kSampleRate);
        samples.insert(samples.end(), chord.begin(), chord.end());
    }
    return samples;
}

bool WriteWav(const std::string& path, std::span<const float> samples) {
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) return false;
    const auto count = static_cast<sf_count_t>(samples.size());
    const bool written = sf_writef_float(file, samples.data(), count) == count;
    return sf_close(file) == 0 && written;
}

} // namespace stimmung
