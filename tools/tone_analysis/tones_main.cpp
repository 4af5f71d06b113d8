// SPDX-License-Identifier: GPL-3.0-or-later
// stimmung-tones: prints the tones of a raw capture (signed 16-bit little
// endian, mono) as tab-separated rows: start, end, duration and the gap
// before the tone in ms, frequency in Hz, level 0 to 1 of full scale.
//   stimmung-tones [--rate HZ] FILE     (FILE "-" reads standard input)
#include "tone_analysis.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::int16_t> ReadSamples(std::istream& in) {
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto lo = static_cast<unsigned char>(bytes[2 * i]);
        const auto hi = static_cast<unsigned char>(bytes[2 * i + 1]);
        samples[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
    }
    return samples;
}

int Usage() {
    std::fprintf(stderr, "usage: stimmung-tones [--rate HZ] FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    stimmung::tones::Options options;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rate") == 0 && i + 1 < argc) {
            options.sampleRate = std::atoi(argv[++i]);
            if (options.sampleRate <= 0) return Usage();
        } else if (!path) {
            path = argv[i];
        } else {
            return Usage();
        }
    }
    if (!path) return Usage();

    std::vector<std::int16_t> samples;
    if (std::strcmp(path, "-") == 0) {
        samples = ReadSamples(std::cin);
    } else {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "stimmung-tones: cannot read %s\n", path);
            return 1;
        }
        samples = ReadSamples(file);
    }

    std::printf("start_ms\tend_ms\tduration_ms\tgap_ms\tfrequency_hz\tlevel\n");
    double previousEnd = 0;
    for (const auto& t : stimmung::tones::FindTones(samples, options)) {
        std::printf("%.2f\t%.2f\t%.2f\t%.2f\t%.3f\t%.4f\n", t.startMs, t.endMs, t.durationMs(), t.startMs - previousEnd,
                    t.frequencyHz, t.level);
        previousEnd = t.endMs;
    }
    return 0;
}
