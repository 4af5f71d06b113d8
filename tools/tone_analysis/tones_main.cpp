// SPDX-License-Identifier: GPL-3.0-or-later
// stimmung-tones: prints the tones of a raw capture (signed 16-bit little
// endian, mono) as tab-separated rows: start, end, duration and the gap
// before the tone in ms, frequency in Hz, level 0 to 1 of full scale.
//   stimmung-tones [--rate HZ] FILE     (FILE "-" reads standard input)
// With --sounding it measures the first sound from FROM_MS on instead (see
// PrintSounding): its extent, breaks, peak, envelope beat and the given partials.
//   stimmung-tones [--rate HZ] --sounding FROM_MS FILE [HZ ...]
#include "envelope.h"
#include "sounding.h"
#include "tone_analysis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <span>
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

// The steady part of a sounding leaves out kFadeMs at each end.
constexpr double kFadeMs = 250;

// The samples under a Hann window, scaled so that a sine of amplitude A
// gives a spectrum peak of A.
std::vector<double> Windowed(std::span<const float> x) {
    std::vector<double> out(x.size());
    double windowSum = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double w = stimmung::HannWeight(i, x.size());
        out[i] = w * x[i];
        windowSum += w;
    }
    for (double& v : out) v *= 2.0 / windowSum;
    return out;
}

double Amplitude(const std::vector<double>& windowed, double hz, int rate) {
    return stimmung::MagnitudeAt(windowed, hz, rate);
}

// Prints the sounding's start and end (ms), its longest stretch below the
// sound level and where it begins, each break (where and how long, ms), its
// peak (of full scale), the length of the longest steady piece no break
// touches (ms) and, measured on that piece, the beat of its envelope (or
// "none") and, for each partial asked for, the strongest frequency within
// 3 Hz, its amplitude and the strongest amplitude 4 to 12 Hz away on either side.
int PrintSounding(const std::vector<std::int16_t>& samples, int rate, double fromMs,
                  const std::vector<double>& partials) {
    const auto at = [rate](double ms) { return static_cast<std::size_t>(std::max(0.0, ms) * rate / 1000); };
    const auto ms = [rate](std::size_t n) { return 1000.0 * n / rate; };
    const auto sounding = stimmung::tones::FindSounding(samples, rate, at(fromMs));
    if (!sounding || at(2 * kFadeMs + 100) > sounding->last - sounding->first) {
        std::printf("no sounding\n");
        return 1;
    }
    const auto& s = *sounding;
    std::printf("start_ms\t%.1f\nend_ms\t%.1f\nlongest_break_ms\t%.2f\nlongest_break_at_ms\t%.1f\npeak\t%.5f\n",
                ms(s.first), ms(s.last + 1), ms(s.longest.length), ms(s.longest.at), s.peak / 32768.0);
    for (const auto& b : s.breaks) std::printf("break\t%.1f\t%.2f\n", ms(b.at), ms(b.length));
    const auto [begin, end] = stimmung::tones::LongestUnbroken(s.first + at(kFadeMs), s.last + 1 - at(kFadeMs), s.breaks);
    std::printf("unbroken_ms\t%.1f\n", ms(end - begin));
    std::vector<float> steady;
    for (std::size_t i = begin; i < end; ++i) steady.push_back(samples[i] / 32768.0f);
    if (const auto beat = stimmung::BeatOfEnvelope(stimmung::AmplitudeEnvelope(steady, rate)))
        std::printf("beat_hz\t%.3f\ndepth\t%.4f\n", beat->hz, beat->depth);
    else
        std::printf("beat_hz\tnone\n");
    const std::vector<double> windowed = Windowed(steady);
    for (double hz : partials) {
        double found = hz, amplitude = 0, neighbours = 0;
        for (double f = hz - 3; f <= hz + 3; f += 0.02)
            if (const double a = Amplitude(windowed, f, rate); a > amplitude) found = f, amplitude = a;
        for (double d = 4; d <= 12; d += 0.5)
            neighbours = std::max({neighbours, Amplitude(windowed, hz - d, rate), Amplitude(windowed, hz + d, rate)});
        std::printf("partial\t%.3f\t%.3f\t%.5f\t%.6f\n", hz, found, amplitude, neighbours);
    }
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: stimmung-tones [--rate HZ] [--sounding FROM_MS] FILE [HZ ...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    stimmung::tones::Options options;
    const char* path = nullptr;
    double soundingFromMs = -1;
    std::vector<double> partials;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rate") == 0 && i + 1 < argc) {
            options.sampleRate = std::atoi(argv[++i]);
            if (options.sampleRate <= 0) return Usage();
        } else if (std::strcmp(argv[i], "--sounding") == 0 && i + 1 < argc) {
            soundingFromMs = std::atof(argv[++i]);
        } else if (!path) {
            path = argv[i];
        } else if (soundingFromMs >= 0) {
            partials.push_back(std::atof(argv[i]));
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

    if (soundingFromMs >= 0) return PrintSounding(samples, options.sampleRate, soundingFromMs, partials);
    std::printf("start_ms\tend_ms\tduration_ms\tgap_ms\tfrequency_hz\tlevel\n");
    double previousEnd = 0;
    for (const auto& t : stimmung::tones::FindTones(samples, options)) {
        std::printf("%.2f\t%.2f\t%.2f\t%.2f\t%.3f\t%.4f\n", t.startMs, t.endMs, t.durationMs(), t.startMs - previousEnd,
                    t.frequencyHz, t.level);
        previousEnd = t.endMs;
    }
    return 0;
}
