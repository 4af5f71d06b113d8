// SPDX-License-Identifier: GPL-3.0-or-later
// The tone engine on SDL's disk audio driver, which writes every sample the
// device receives to a file at the pace of a real device. The tests play tones
// through the engine and read back what came out: pitch, length, the joins of
// back to back tones, silence for what cannot be sounded, and the fallbacks
// when there is no device or the stream stops.
#include <QtTest>

#include "program_end.h"
#include "sdl_sound_output.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <numbers>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace stimmung;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kAmplitude = 0.3;
constexpr int kRate = 48000;
constexpr int kFade = 144; // 3 ms at 48 kHz

qint64 MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

void UseDiskDriver(const QString& file) {
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(file));
    qunsetenv("SDL_DISKAUDIODELAY"); // paced like a device: one buffer per period
}

std::vector<float> ReadSamples(const QString& file) {
    std::ifstream in(QFile::encodeName(file).constData(), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    return samples;
}

// The stretch from a tone's first sample to the last tone's last sample. A
// tone's first sample is exactly 0 (phase 0 and a nearly closed fade), so the
// region starts one before the first non-zero sample.
struct Region {
    std::size_t first = 0;
    std::size_t last = 0; // inclusive
};

std::optional<Region> SoundingRegion(const std::vector<float>& s, std::size_t from = 0) {
    std::size_t i = from;
    while (i < s.size() && s[i] == 0.0f) ++i;
    if (i == s.size()) return std::nullopt;
    std::size_t j = s.size() - 1;
    while (j > i && s[j] == 0.0f) --j;
    return Region{i > 0 ? i - 1 : 0, j};
}

// Runs of exact zeros of two or more samples: the silence the engine writes
// where no tone is. (A single zero also occurs inside a tone where the sine's
// phase is exactly 0.)
std::vector<std::pair<std::size_t, std::size_t>> SilentRuns(const std::vector<float>& s, Region r) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    std::size_t i = r.first + 1;
    while (i <= r.last) {
        if (s[i] != 0.0f) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j <= r.last && s[j] == 0.0f) ++j;
        if (j - i >= 2) runs.emplace_back(i, j - i);
        i = j;
    }
    return runs;
}

// Where two faded tones meet the signal stays below 1e-3 for about a dozen
// samples; inside a tone it does so for at most two samples around a zero
// crossing. Returns the middle of each such quiet run.
std::vector<std::size_t> Joins(const std::vector<float>& s, Region r) {
    std::vector<std::size_t> joins;
    std::size_t i = r.first + 20;
    while (i + 20 <= r.last) {
        if (std::abs(s[i]) >= 1e-3f) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j <= r.last && std::abs(s[j]) < 1e-3f) ++j;
        if (j - i >= 6) joins.push_back((i + j) / 2);
        i = j;
    }
    return joins;
}

// Frequency from the upward zero crossings, each placed between its two
// samples by linear interpolation.
double Frequency(const std::vector<float>& s, std::size_t from, std::size_t to, int rate) {
    double firstCrossing = -1, lastCrossing = -1;
    int crossings = 0;
    for (std::size_t n = from + 1; n < to; ++n) {
        if (s[n - 1] < 0.0f && s[n] >= 0.0f) {
            const double t = static_cast<double>(n - 1) + s[n - 1] / (s[n - 1] - s[n]);
            if (crossings == 0) firstCrossing = t;
            lastCrossing = t;
            ++crossings;
        }
    }
    if (crossings < 2) return 0;
    return (crossings - 1) * static_cast<double>(rate) / (lastCrossing - firstCrossing);
}

float Peak(const std::vector<float>& s, std::size_t from, std::size_t to) {
    float peak = 0;
    for (std::size_t n = from; n < to; ++n) peak = std::max(peak, std::abs(s[n]));
    return peak;
}

float LargestStep(const std::vector<float>& s, std::size_t from, std::size_t to) {
    float step = 0;
    for (std::size_t n = std::max<std::size_t>(from, 1); n < to; ++n) step = std::max(step, std::abs(s[n] - s[n - 1]));
    return step;
}

double FadeGain(int k) { return 0.5 - 0.5 * std::cos(std::numbers::pi * (k + 0.5) / kFade); }

// True when the kFade samples from `start` on (or, mirrored, up to `end`) stay
// inside the raised-cosine fade: a tone that begins or ends at full level
// would click.
bool FadesIn(const std::vector<float>& s, std::size_t start) {
    for (int k = 0; k < kFade; ++k)
        if (std::abs(s[start + k]) > kAmplitude * FadeGain(k) + 1e-6) return false;
    return true;
}
bool FadesOut(const std::vector<float>& s, std::size_t end) {
    for (int k = 0; k < kFade; ++k)
        if (std::abs(s[end - k]) > kAmplitude * FadeGain(k) + 1e-6) return false;
    return true;
}

std::int64_t Frames(int durationMs) { return std::llround(durationMs * kRate / 1000.0); }

// What these tests check (where tones land in the stream) does not depend on
// the margin. A wide one keeps the joins exact on a busy test machine, where
// the thread that calls Beep may be woken tens of milliseconds late: each Beep
// then returns long before its tone ends and the next one is queued in time.
// The margin stands in for the hand-over time here: the lead stays below the
// tones' 140 ms, so a tone has begun when its Beep returns.
SdlSoundOutput::Options Roomy() {
    SdlSoundOutput::Options options;
    options.marginMs = 100;
    options.handOverMs = 0;
    // A loaded machine (a sanitizer build beside other tests) can hold the
    // disk driver's thread back for longer than the normal stall and open
    // limits; these tests judge the stream, not the fallback, so they wait
    // longer for it.
    options.stallLimit = std::chrono::seconds(10);
    options.openTimeout = std::chrono::seconds(10);
    return options;
}

} // namespace

class TestSdlToneEngine : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString file;
    int run = 0;

private slots:
    void init() {
        ResetEndRequest();
        QVERIFY(dir.isValid());
        file = dir.filePath(QStringLiteral("out%1.raw").arg(++run));
        UseDiskDriver(file);
    }
    void cleanup() {
        ResetEndRequest();
        SetBeepTimbre(TimbreAt(kDefaultTimbre).amplitudes);
    }

    void opensTheDiskDevice() {
        SdlSoundOutput engine; // the default margin of 1 ms
        QVERIFY(engine.open());
        QVERIFY(engine.isOpen());
        const auto stats = engine.streamStats();
        QCOMPARE(stats.sampleRate, kRate);
        QVERIFY(stats.bufferFrames > 0);
        QVERIFY(stats.callbacks >= 4); // open() returns once the stream runs
        // The lead covers one period and the margin, and then not much more.
        QVERIFY(stats.leadMs > stats.nominalPeriodMs + 1);
        QVERIFY2(stats.leadMs < 5 * stats.nominalPeriodMs + 1, qPrintable(QString::number(stats.leadMs)));
        engine.close();
        QVERIFY(!engine.isOpen());
        QVERIFY(QFileInfo(file).size() > 0);
    }

    void threeTonesBackToBack() {
        const int freqs[3] = {360, 405, 456};
        {
            SdlSoundOutput engine(Roomy());
            QVERIFY(engine.open());
            for (int f : freqs) engine.Beep(f, 140);
            const auto starts = engine.toneStarts();
            QCOMPARE(starts.size(), std::size_t{3});
            // In the engine's own account: each tone begins on the frame
            // after the one before it ended.
            for (int i = 1; i < 3; ++i) QCOMPARE(starts[i].frame, starts[i - 1].frame + starts[i - 1].frames);
        }
        const auto s = ReadSamples(file);
        const auto region = SoundingRegion(s);
        QVERIFY(region);
        const std::size_t total = region->last - region->first + 1;
        QVERIFY2(std::llabs(static_cast<long long>(total) - 3 * Frames(140)) <= 2,
                 qPrintable(QStringLiteral("three tones span %1 samples").arg(total)));
        QVERIFY2(SilentRuns(s, *region).empty(), "silence between the tones");

        const auto joins = Joins(s, *region);
        QCOMPARE(joins.size(), std::size_t{2});
        const std::size_t bounds[4] = {region->first, joins[0], joins[1], region->last + 1};
        for (int i = 0; i < 3; ++i) {
            const auto length = static_cast<long long>(bounds[i + 1] - bounds[i]);
            QVERIFY2(std::llabs(length - Frames(140)) <= 12, qPrintable(QStringLiteral("tone %1 is %2 samples").arg(i).arg(length)));
            // Measured inside the fades: at a join the next tone's first
            // sample (exactly 0) would count as one more crossing.
            const double f = Frequency(s, bounds[i] + kFade, bounds[i + 1] - kFade, kRate);
            QVERIFY2(std::abs(f - freqs[i]) <= 0.5, qPrintable(QStringLiteral("tone %1 at %2 Hz").arg(i).arg(f)));
            const float peak = Peak(s, bounds[i], bounds[i + 1]);
            QVERIFY(peak > 0.29f && peak <= 0.3001f);
        }
        // The joins are smoother than the tones themselves.
        const float body = LargestStep(s, bounds[0] + 500, bounds[1] - 500);
        for (std::size_t join : joins) QVERIFY(LargestStep(s, join - 12, join + 12) <= body);
        QVERIFY(FadesIn(s, region->first));
        QVERIFY(FadesOut(s, region->last));
    }

    void manyShortTonesStayJoined_data() {
        QTest::addColumn<int>("durationMs");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("chords");
        // Shorter than the lead: several tones wait in the queue at once.
        QTest::newRow("10 ms") << 10 << 20 << false;
        QTest::newRow("1 ms") << 1 << 30 << false;
        QTest::newRow("7 ms, not a whole number of buffers") << 7 << 25 << false;
        // Every other one a chord, the Beeps with a timbre too: none as loud as a sine.
        QTest::newRow("10 ms, chords and Beeps of Obertöne") << 10 << 20 << true;
    }
    void manyShortTonesStayJoined() {
        QFETCH(int, durationMs);
        QFETCH(int, count);
        QFETCH(bool, chords);
        const PartialAmplitudes timbre = TimbreAt(chords ? 1 : kDefaultTimbre).amplitudes;
        SetBeepTimbre(timbre);
        {
            SdlSoundOutput engine(Roomy());
            QVERIFY(engine.open());
            for (int i = 0; i < count; ++i) {
                if (chords && i % 2) engine.Chord(ChordOf({1000, 1250.3}, timbre), durationMs);
                else engine.Beep(i % 2 ? 1000 : 1500, durationMs);
            }
            engine.close(); // lets the last queued tones finish
            const auto starts = engine.toneStarts();
            QCOMPARE(starts.size(), std::size_t(count));
            for (int i = 1; i < count; ++i) {
                QCOMPARE(starts[i].frame, starts[i - 1].frame + starts[i - 1].frames);
                QCOMPARE(starts[i].frames, Frames(durationMs));
            }
        }
        const auto s = ReadSamples(file);
        const auto region = SoundingRegion(s);
        QVERIFY(region);
        const auto total = static_cast<long long>(region->last - region->first + 1);
        QVERIFY2(std::llabs(total - count * Frames(durationMs)) <= 2, qPrintable(QString::number(total)));
        QVERIFY(SilentRuns(s, *region).empty());
        QCOMPARE(Peak(s, region->first, region->last) < 0.25f, chords);
    }

    void unsoundableFrequencyIsTimedSilence_data() {
        QTest::addColumn<int>("frequency");
        QTest::addColumn<bool>("audible");
        QTest::newRow("0 Hz") << 0 << false;
        QTest::newRow("negative") << -440 << false;
        QTest::newRow("10 Hz, below hearing") << 10 << false;
        QTest::newRow("19 Hz") << 19 << false;
        QTest::newRow("20 Hz, lowest sounded") << 20 << true;
        QTest::newRow("23999 Hz, just below half the rate") << 23999 << true;
        QTest::newRow("24000 Hz, half the rate") << 24000 << false;
        QTest::newRow("30000 Hz") << 30000 << false;
        QTest::newRow("largest int") << INT_MAX << false;
        QTest::newRow("smallest int") << INT_MIN << false;
    }
    void unsoundableFrequencyIsTimedSilence() {
        QFETCH(int, frequency);
        QFETCH(bool, audible);
        {
            SdlSoundOutput engine(Roomy());
            QVERIFY(engine.open());
            engine.Beep(360, 140);
            engine.Beep(frequency, 100);
            engine.Beep(405, 140);
            QCOMPARE(engine.toneStarts().size(), std::size_t{3});
        }
        const auto s = ReadSamples(file);
        const auto region = SoundingRegion(s);
        QVERIFY(region);
        const auto total = static_cast<long long>(region->last - region->first + 1);
        QVERIFY2(std::llabs(total - Frames(140 + 100 + 140)) <= 2, qPrintable(QString::number(total)));
        const std::size_t middle = region->first + Frames(140);
        const float peak = Peak(s, middle + 10, middle + Frames(100) - 10);
        if (audible) {
            QVERIFY2(peak > 0.05f, qPrintable(QString::number(peak)));
            QVERIFY(SilentRuns(s, *region).empty());
        } else {
            QCOMPARE(peak, 0.0f);
            const auto runs = SilentRuns(s, *region);
            QCOMPARE(runs.size(), std::size_t{1});
            // The first tone's last sample is non-zero, the silence is the
            // 100 ms and the next tone's first sample (exactly 0) after it.
            QVERIFY2(std::llabs(static_cast<long long>(runs[0].second) - (Frames(100) + 1)) <= 2,
                     qPrintable(QString::number(runs[0].second)));
            QVERIFY(FadesOut(s, runs[0].first - 1));
            QVERIFY(FadesIn(s, runs[0].first + runs[0].second - 1));
        }
    }

    void durationBelowOneSoundsNothing_data() {
        QTest::addColumn<int>("durationMs");
        QTest::newRow("zero") << 0;
        QTest::newRow("minus one") << -1;
        QTest::newRow("most negative") << INT_MIN;
    }
    void durationBelowOneSoundsNothing() {
        QFETCH(int, durationMs);
        {
            SdlSoundOutput engine(Roomy());
            QVERIFY(engine.open());
            engine.Beep(440, durationMs);
            engine.Sleep(durationMs);
            engine.Sleep(30);
            QVERIFY(engine.toneStarts().empty());
        }
        QVERIFY(!SoundingRegion(ReadSamples(file)));
    }

    void sleepBetweenTonesIsSilence_data() {
        QTest::addColumn<QList<int>>("sleeps");
        QTest::newRow("100 ms") << QList<int>{100};
        QTest::newRow("1 ms") << QList<int>{1};
        QTest::newRow("40 + 60 ms") << QList<int>{40, 60};
        QTest::newRow("300 ms, longer than the lead") << QList<int>{300};
        QTest::newRow("zero and negative add nothing") << QList<int>{0, 25, -10};
    }
    void sleepBetweenTonesIsSilence() {
        QFETCH(QList<int>, sleeps);
        int pauseMs = 0;
        {
            SdlSoundOutput engine(Roomy());
            QVERIFY(engine.open());
            engine.Beep(500, 60);
            for (int ms : sleeps) {
                engine.Sleep(ms);
                pauseMs += std::max(ms, 0);
            }
            engine.Beep(600, 60);
        }
        const auto s = ReadSamples(file);
        const auto region = SoundingRegion(s);
        QVERIFY(region);
        const auto runs = SilentRuns(s, *region);
        QCOMPARE(runs.size(), std::size_t{1});
        // Inside a melody the pause is kept in the stream's own time: the
        // silence plus the next tone's first sample (exactly 0).
        QVERIFY2(std::llabs(static_cast<long long>(runs[0].second) - (Frames(pauseMs) + 1)) <= 2,
                 qPrintable(QString::number(runs[0].second)));
    }

    void beepBeforeTheDeviceIsOpenWaitsForIt() {
        {
            SdlSoundOutput engine(Roomy());
            engine.start();
            engine.Beep(360, 140);
            QVERIFY(engine.isOpen());
            QCOMPARE(engine.toneStarts().size(), std::size_t{1});
        }
        const auto s = ReadSamples(file);
        const auto region = SoundingRegion(s);
        QVERIFY(region);
        QVERIFY(std::llabs(static_cast<long long>(region->last - region->first + 1) - Frames(140)) <= 2);
        QVERIFY(std::abs(Frequency(s, region->first, region->last, kRate) - 360) <= 0.5);
    }

    void beepWithoutStartOpensTheDevice() {
        SdlSoundOutput engine(Roomy());
        engine.Beep(360, 40);
        QVERIFY(engine.isOpen());
        engine.close(); // shorter than the lead: let it start
        QCOMPARE(engine.toneStarts().size(), std::size_t{1});
    }

    void endRequestedCutsTheToneWithAFade() {
        SdlSoundOutput engine(Roomy());
        QVERIFY(engine.open());
        std::thread ender([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            RequestEnd();
        });
        engine.Beep(440, 60'000);
        const auto framesAtReturn = engine.streamStats().framesDelivered;
        ender.join();
        const auto starts = engine.toneStarts();
        QCOMPARE(starts.size(), std::size_t{1});
        // Returned while the minute-long tone had hardly begun.
        QVERIFY(framesAtReturn - starts[0].frame < starts[0].frames / 10);
        ResetEndRequest();
        engine.close();
        const auto s = ReadSamples(file);
        const auto region = SoundingRegion(s);
        QVERIFY(region);
        QVERIFY(region->last - region->first < static_cast<std::size_t>(Frames(2000)));
        QVERIFY(FadesOut(s, region->last));
    }

    void noDeviceKeepsTheTiming_data() {
        QTest::addColumn<bool>("viaStart");
        QTest::newRow("open") << false;
        QTest::newRow("start") << true;
    }
    void noDeviceKeepsTheTiming() {
        QFETCH(bool, viaStart);
        qputenv("SDL_AUDIODRIVER", "stimmung-no-such-driver");
        SdlSoundOutput engine(Roomy());
        if (viaStart)
            engine.start();
        else
            QVERIFY(!engine.open());
        const auto begin = Clock::now();
        engine.Beep(440, 100);
        const auto elapsed = MillisecondsSince(begin);
        QVERIFY(!engine.isOpen());
        QVERIFY(engine.toneStarts().empty());
        QVERIFY2(elapsed >= 100, qPrintable(QString::number(elapsed)));
        engine.Beep(440, 0);
        engine.Sleep(10);
        engine.close();
    }

    void stoppedStreamFallsBackAndRecovers() {
        SdlSoundOutput engine; // a lead shorter than the tones, see below
        QVERIFY(engine.open());
        engine.suspendStreamForTesting(true);
        // Longer than the stop takes to be noticed: the Beep falls back to
        // the steady clock for the whole duration.
        auto begin = Clock::now();
        engine.Beep(440, 400);
        QVERIFY(MillisecondsSince(begin) >= 400);
        // Noticed already: silent from the start, on the melody's clock
        // right after the one before.
        engine.Beep(470, 50);
        QVERIFY(MillisecondsSince(begin) >= 400 + 50);
        engine.suspendStreamForTesting(false);
        engine.Sleep(100);
        // A Beep returns one lead before its tone ends; the stream stops
        // right then, with the tone's tail still queued, for longer than the
        // stall limit. When it runs again that tail is stale.
        engine.Beep(500, 200);
        engine.suspendStreamForTesting(true);
        engine.Sleep(400);
        engine.suspendStreamForTesting(false);
        engine.Sleep(100);
        engine.Beep(405, 140);
        engine.close();
        const auto starts = engine.toneStarts();
        // Nothing of the tones during the stop sounded late.
        QCOMPARE(starts.size(), std::size_t{2});
        QCOMPARE(starts[0].frequencyHz, 500);
        QCOMPARE(starts[1].frequencyHz, 405);
        const auto s = ReadSamples(file);
        const auto region = SoundingRegion(s);
        QVERIFY(region);
        // Two stretches of sound: the beginning of the 500 Hz tone and the
        // whole 405 Hz tone; its tail after the stop would be a third.
        std::vector<std::pair<std::size_t, std::size_t>> pauses;
        for (const auto& run : SilentRuns(s, *region))
            if (run.second > static_cast<std::size_t>(Frames(50))) pauses.push_back(run);
        QCOMPARE(pauses.size(), std::size_t{1});
        const std::size_t second = pauses[0].first + pauses[0].second - 1;
        QVERIFY(pauses[0].first - region->first <= static_cast<std::size_t>(Frames(200)));
        QVERIFY(std::llabs(static_cast<long long>(region->last - second + 1) - Frames(140)) <= 2);
        QVERIFY(std::abs(Frequency(s, second + kFade, region->last - kFade, kRate) - 405) <= 0.5);
    }

    // The melody player repaints the marked key and the help line between
    // two notes, so it comes back to Beep late; on a busy machine some tens
    // of milliseconds. A note that comes less than the hand-over time late
    // must still join the one before. (A hand-over of 100 ms here, so that
    // the sleeps below may overrun by 40 ms on a busy test machine.)
    void lateCallerStillJoins_data() {
        QTest::addColumn<int>("lateMs");
        QTest::newRow("at once") << 0;
        QTest::newRow("30 ms late") << 30;
        QTest::newRow("60 ms late") << 60;
    }
    void lateCallerStillJoins() {
        QFETCH(int, lateMs);
        const int count = 6;
        {
            SdlSoundOutput::Options options;
            options.handOverMs = 100;
            SdlSoundOutput engine(options);
            QVERIFY(engine.open());
            for (int i = 0; i < count; ++i) {
                engine.Beep(i % 2 ? 405 : 360, 140);
                std::this_thread::sleep_for(std::chrono::milliseconds(lateMs));
            }
            engine.close();
            const auto starts = engine.toneStarts();
            QCOMPARE(starts.size(), std::size_t(count));
            for (int i = 1; i < count; ++i) QCOMPARE(starts[i].frame, starts[i - 1].frame + starts[i - 1].frames);
            QCOMPARE(engine.streamStats().missedJoins, 0);
            QCOMPARE(engine.streamStats().lateStarts, 0);
        }
        const auto s = ReadSamples(file);
        const auto region = SoundingRegion(s);
        QVERIFY(region);
        QVERIFY2(SilentRuns(s, *region).empty(), "silence between the notes");
        const auto total = static_cast<long long>(region->last - region->first + 1);
        QVERIFY2(std::llabs(total - count * Frames(140)) <= 2, qPrintable(QString::number(total)));
    }

    // The hand-over time makes Beep return early, not the first tone start
    // late: a tone that joins nothing begins within about a period of its call,
    // well before the hand-over time (100 ms here) has passed.
    void singleToneStartsSoonAfterItsCall() {
        SdlSoundOutput::Options options;
        options.handOverMs = 100;
        SdlSoundOutput engine(options);
        QVERIFY(engine.open());
        engine.Sleep(300); // lets the clock map settle
        const auto before = engine.streamStats();
        QVERIFY(before.startLeadMs < before.nominalPeriodMs);
        QVERIFY(before.leadMs >= 0.5 * before.nominalPeriodMs + before.startLeadMs + options.handOverMs);
        engine.Beep(440, 200);
        const auto starts = engine.toneStarts();
        QCOMPARE(starts.size(), std::size_t{1});
        // Counted in stream frames from the frames written before the call.
        const double ahead = static_cast<double>(starts[0].frame - before.framesDelivered) * 1000.0 / kRate;
        QVERIFY2(ahead < options.handOverMs, qPrintable(QString::number(ahead)));
        QVERIFY2(ahead <= before.startLeadMs + before.nominalPeriodMs + 1, qPrintable(QString::number(ahead)));
    }

    // "Programm beenden" during a melody of short notes, several of them
    // queued ahead: none of those that have not begun may sound, and the one
    // sounding fades out.
    void endRequestedDropsTheQueuedTones() {
        const int count = 40;
        std::int64_t framesAtEnd = 0;
        std::int64_t period = 0;
        std::size_t started = 0;
        {
            SdlSoundOutput::Options options;
            options.handOverMs = 45; // a lead of more than two notes
            SdlSoundOutput engine(options);
            QVERIFY(engine.open());
            for (int i = 0; i < count; ++i) engine.Beep(i % 2 ? 1000 : 1500, 20);
            RequestEnd();
            const auto stats = engine.streamStats();
            framesAtEnd = stats.framesDelivered;
            period = stats.bufferFrames;
            engine.close();
            const auto starts = engine.toneStarts();
            started = starts.size();
            // The lead holds several 20 ms notes at once.
            QVERIFY2(started < static_cast<std::size_t>(count), qPrintable(QString::number(started)));
            // The callback takes the end in the buffer after the one it may
            // be writing.
            for (const auto& start : starts) QVERIFY(start.frame < framesAtEnd + 2 * period);
        }
        const auto s = ReadSamples(file);
        const auto region = SoundingRegion(s);
        QVERIFY(region);
        QVERIFY2(static_cast<std::int64_t>(region->last) < framesAtEnd + 2 * period + kFade,
                 qPrintable(QStringLiteral("sound until %1, end asked at %2").arg(region->last).arg(framesAtEnd)));
        // A cut tone may end on a sample that is exactly 0, one after the last
        // one found.
        QVERIFY(FadesOut(s, region->last) || FadesOut(s, region->last + 1));
    }

    // The device goes away in the middle of a melody (here: the reader of
    // the disk driver's pipe goes away, as a killed sound server would):
    // the remaining notes keep their time in silence.
    void deviceLostMidMelodyKeepsTheTiming() {
        std::signal(SIGPIPE, SIG_IGN);
        const QString fifo = dir.filePath(QStringLiteral("pipe%1").arg(run));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(fifo));
        const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        std::atomic<bool> stopReading{false};
        std::atomic<long long> bytesRead{0};
        std::thread drain([&] {
            char buffer[65536];
            while (!stopReading) {
                const auto n = ::read(reader, buffer, sizeof buffer);
                if (n > 0) bytesRead += n;
                else std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            ::close(reader);
        });

        SdlSoundOutput engine;
        const bool opened = engine.open();
        std::vector<qint64> blocked;
        Clock::time_point silentFrom;
        for (int i = 0; opened && i < 12; ++i) {
            if (i == 4) {
                stopReading = true;
                drain.join();
            }
            // A fresh start of the melody's clock, after the loss is noticed.
            if (i == 8) std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const auto begin = Clock::now();
            if (i == 8) silentFrom = begin;
            engine.Beep(440, 100);
            blocked.push_back(MillisecondsSince(i >= 8 ? silentFrom : begin));
        }
        if (drain.joinable()) {
            stopReading = true;
            drain.join();
        }
        QVERIFY(opened);
        QVERIFY(bytesRead > 0);
        QVERIFY(!engine.isOpen()); // noticed as lost
        // Once the loss is noticed every note waits out its 100 ms.
        for (std::size_t i = 8; i < blocked.size(); ++i)
            QVERIFY2(blocked[i] >= 100 * static_cast<qint64>(i - 7), qPrintable(QStringLiteral("note %1 blocked %2 ms").arg(i).arg(blocked[i])));
        const auto begin = Clock::now();
        engine.close();
        QVERIFY2(MillisecondsSince(begin) < 1000, "closing a lost device hangs");
    }

    void closeIsRepeatableAndReopens() {
        SdlSoundOutput engine(Roomy());
        engine.close(); // never opened
        QVERIFY(engine.open());
        engine.close();
        engine.close();
        QVERIFY(!engine.isOpen());
        engine.Beep(440, 20); // closed: silent, no tone
        QVERIFY(engine.toneStarts().empty());
        QVERIFY(engine.open());
        engine.Beep(440, 20);
        engine.close(); // the tone is shorter than the lead: let it start
        QCOMPARE(engine.toneStarts().size(), std::size_t{1});
    }
};

QTEST_GUILESS_MAIN(TestSdlToneEngine)
#include "test_sdl_tone_engine.moc"
