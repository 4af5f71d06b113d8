// SPDX-License-Identifier: GPL-3.0-or-later
// The tone engine's rules without a device: placement in the stream, the
// clock map, what a callback writes, the hand-over and the silent melody's
// clock, on a fake clock with exact expected frames and times; the sound of
// chords, measured in rendered samples.
#include <QtTest>

#include "cents.h"
#include "envelope.h"
#include "hand_over.h"
#include "melody_clock.h"
#include "sound_server.h"
#include "stream_clock.h"
#include "tone_rules.h"

#include <complex>
#include <numbers>
#include <vector>

using namespace stimmung;

namespace {

constexpr int kRate = 48000;

struct FakeQueue {
    std::vector<QueuedTone> tones;
    std::size_t head = 0;
    QueuedTone* front() { return head < tones.size() ? &tones[head] : nullptr; }
    void pop() { ++head; }
};

QueuedTone At(std::int64_t start, std::int64_t frames, bool cancelled = false) {
    QueuedTone tone = ShapeTone(1001, 1, kRate); // no zero of the sine inside
    tone.start = start;
    tone.frames = frames;
    tone.fade = 4;
    tone.cancelled = cancelled;
    return tone;
}

PartialAmplitudes TimbreNamed(const QString& name) { return TimbreAt(*TimbreIndex(name.toStdString())).amplitudes; }

QueuedTone ChordAt(std::int64_t start, std::int64_t frames) {
    QueuedTone tone = At(start, frames);
    tone.voice = ShapeChord(ChordOf({1001, 1262.7, 1499.3}, TimbreNamed("Sägezahn")), 1, kRate).voice;
    return tone;
}

// The amplitude of the partial at `hz` in samples [from, to), under a Hann window.
double Amplitude(const std::vector<float>& s, std::size_t from, std::size_t to, double hz) {
    std::complex<double> sum = 0;
    double weights = 0;
    for (std::size_t i = from; i < to; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i - from) / double(to - from));
        sum += w * double(s[i]) * std::polar(1.0, -2 * std::numbers::pi * hz * double(i) / kRate);
        weights += w;
    }
    return 2 * std::abs(sum) / weights;
}

} // namespace

Q_DECLARE_METATYPE(std::vector<QueuedTone>)
Q_DECLARE_METATYPE(std::vector<double>)

class TestToneRules : public QObject {
    Q_OBJECT

private slots:
    void placesTheTone_data() {
        QTest::addColumn<bool>("chainable");
        QTest::addColumn<qint64>("lastEnd");
        QTest::addColumn<qint64>("pause");
        QTest::addColumn<qint64>("next");
        QTest::addColumn<double>("now");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<bool>("joining");
        QTest::addColumn<bool>("missed");
        // One start lead is 300 frames, one lead 1000.
        QTest::newRow("single tone: a start lead after now") << false << 0LL << 0LL << 1000LL << 1100.0 << 1400LL << false << false;
        QTest::newRow("joins at the tone's end") << true << 5000LL << 0LL << 4096LL << 4200.0 << 5000LL << true << false;
        QTest::newRow("after a Sleep: the pause later") << true << 5000LL << 480LL << 4096LL << 4200.0 << 5480LL << true << false;
        QTest::newRow("end already written: next frame, a miss") << true << 5000LL << 0LL << 5256LL << 4990.0 << 5256LL << true << true;
        QTest::newRow("back within a lead too late: afresh, a miss") << true << 5000LL << 0LL << 5256LL << 5500.0 << 5800LL << true << true;
        QTest::newRow("long after the melody: afresh") << true << 5000LL << 0LL << 9000LL << 9000.0 << 9300LL << false << false;
        QTest::newRow("never before a cut tone's tail") << false << 7000LL << 0LL << 4096LL << 5000.0 << 7000LL << false << false;
        QTest::newRow("never before the next frame written") << false << 0LL << 0LL << 6000LL << 5000.0 << 6000LL << false << false;
    }
    void placesTheTone() {
        QFETCH(bool, chainable); QFETCH(qint64, lastEnd); QFETCH(qint64, pause); QFETCH(qint64, next);
        QFETCH(double, now); QFETCH(qint64, start); QFETCH(bool, joining); QFETCH(bool, missed);
        const Placement p = PlaceTone(Melody{lastEnd, chainable, pause}, next, now, std::int64_t(now) + 300, 1000);
        QCOMPARE(p.start, start);
        QCOMPARE(p.joining, joining);
        QCOMPARE(p.missedJoin, missed);
    }

    // Callbacks of 256 frames on a fake clock; the last one comes `late`
    // seconds after it was due.
    void clockFollowsTheDevice_data() {
        QTest::addColumn<double>("pace");
        QTest::addColumn<double>("late");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("frames"); // in the last callback
        QTest::newRow("on time") << 1.0 << 0.0 << int(StreamClock::Step::Followed) << 256;
        QTest::newRow("device 0.1 % fast") << 0.999 << 0.0 << int(StreamClock::Step::Followed) << 256;
        QTest::newRow("device 0.5 % slow, one callback 2 ms late") << 1.005 << 0.002 << int(StreamClock::Step::Followed) << 256;
        QTest::newRow("four periods late: the map restarts") << 1.0 << 0.0213 << int(StreamClock::Step::Restarted) << 256;
        QTest::newRow("stopped past the stall limit") << 1.0 << 0.3 << int(StreamClock::Step::Stalled) << 256;
        QTest::newRow("a shorter cycle: the map restarts") << 1.0 << 0.0 << int(StreamClock::Step::Restarted) << 128;
        QTest::newRow("a longer cycle, on time: the map restarts") << 1.0 << 0.0 << int(StreamClock::Step::Restarted) << 512;
        QTest::newRow("a resampler's frame more is the same cycle") << 1.0 << 0.0 << int(StreamClock::Step::Followed) << 257;
        QTest::newRow("a shorter cycle after a stall") << 1.0 << 0.3 << int(StreamClock::Step::Stalled) << 128;
    }
    void clockFollowsTheDevice() {
        QFETCH(double, pace); QFETCH(double, late); QFETCH(int, step); QFETCH(int, frames);
        const double period = pace * 256.0 / kRate;
        StreamClock clock(kRate, 0.25);
        StreamMap map;
        double t = 100.0, last = t;
        for (int i = 0; i < 3000; ++i, last = t, t += period) clock.follow(map, t, last, 256, 256LL * i);
        // Settled on the device's pace: the next frames' times are exact.
        QVERIFY2(std::abs(map.timeOfFrame(256LL * 3000) - t) < 1e-6, qPrintable(QString::number(map.timeOfFrame(256LL * 3000) - t)));
        QVERIFY(std::abs(map.frameAt(t + period) - 256.0 * 3001) < 1e-3);
        QVERIFY(map.earlyPeak < 1e-6);
        QCOMPARE(int(clock.follow(map, t + late, last, frames, 256LL * 3000)), step);
        QCOMPARE(map.mapFrame, 256LL * 3000);
        // From a restart on, the next callback is due a period of the new cycle later.
        if (step != int(StreamClock::Step::Followed)) QVERIFY(std::abs(map.timeOfFrame(256LL * 3000 + frames) - (t + late + double(frames) / kRate)) < 1e-6);
    }

    // A server that runs its missed cycles back to back after a stop: the map
    // still runs forward at about the device's pace.
    void clockSurvivesACatchUpBurst() {
        const double period = 256.0 / kRate;
        StreamClock clock(kRate, 0.25);
        StreamMap map;
        double t = 100.0;
        std::int64_t frame = 0;
        auto callback = [&](double step) {
            clock.follow(map, t + step, t, 256, frame);
            t += step;
            frame += 256;
            return map.t1 - map.t0;
        };
        for (int i = 0; i < 300; ++i) callback(period);
        for (int stop = 0; stop < 10; ++stop) {
            callback(8 * period);
            for (int i = 0; i < 9; ++i) {
                const double span = callback(period / 20);
                QVERIFY2(span >= 0.5 * period && span <= 2 * period, qPrintable(QString::number(span / period)));
            }
        }
    }

    // Buffers of 64 frames from `position`; tones with fades of 4 frames.
    void callbackWritesTheTones_data() {
        QTest::addColumn<std::vector<QueuedTone>>("tones");
        QTest::addColumn<qint64>("position");
        QTest::addColumn<QList<qint64>>("began");
        QTest::addColumn<qint64>("soundEnd");
        QTest::addColumn<qint64>("lateStarts");
        QTest::newRow("silence, then a tone mid-buffer") << std::vector{At(40, 20)} << 0LL << QList<qint64>{40} << 60LL << 0LL;
        QTest::newRow("two tones joined across a buffer") << std::vector{At(30, 50), At(80, 10)} << 0LL << QList<qint64>{30, 80} << 90LL << 0LL;
        QTest::newRow("queued late: whole, from the next frame") << std::vector{At(10, 30)} << 64LL << QList<qint64>{64} << 94LL << 1LL;
        QTest::newRow("a cancelled tone never sounds") << std::vector{At(10, 30, true), At(50, 10)} << 0LL << QList<qint64>{50} << 60LL << 0LL;
        QTest::newRow("nothing queued") << std::vector<QueuedTone>{} << 0LL << QList<qint64>{} << 0LL << 0LL;
        QTest::newRow("chords joined to a tone and each other") << std::vector{At(20, 30), ChordAt(50, 20), ChordAt(70, 40)} << 0LL << QList<qint64>{20, 50, 70} << 110LL << 0LL;
    }
    void callbackWritesTheTones() {
        QFETCH(std::vector<QueuedTone>, tones); QFETCH(qint64, position);
        QFETCH(QList<qint64>, began); QFETCH(qint64, soundEnd); QFETCH(qint64, lateStarts);
        FakeQueue queue{tones};
        WriteState state;
        QList<qint64> starts;
        std::vector<float> out(64, 1.0f);
        for (qint64 at = position; at < position + 128; at += 64) {
            WriteTones(queue, state, at, out.data(), 64, kRate, [&](const QueuedTone&, std::int64_t f) { starts << f; });
            for (int i = 0; i < 64; ++i) {
                const bool inTone = std::any_of(tones.begin(), tones.end(), [&](const QueuedTone& t) {
                    return !t.cancelled && at + i > std::max<std::int64_t>(t.start, position) && at + i < std::max<std::int64_t>(t.start, position) + t.frames;
                });
                QVERIFY2(inTone == (out[i] != 0.0f), qPrintable(QString::number(at + i)));
            }
        }
        QCOMPARE(starts, began);
        QCOMPARE(state.soundEnd, soundEnd);
        QCOMPARE(state.lateStarts, lateStarts);
        QVERIFY(!state.sounding);
    }

    void shapesTheTone_data() {
        QTest::addColumn<int>("frequency");
        QTest::addColumn<int>("durationMs");
        QTest::addColumn<qint64>("frames");
        QTest::addColumn<qint64>("fade");
        QTest::addColumn<bool>("audible");
        QTest::newRow("140 ms: a 3 ms fade") << 440 << 140 << 6720LL << 144LL << true;
        QTest::newRow("1 ms: a quarter of it") << 440 << 1 << 48LL << 12LL << true;
        QTest::newRow("below 20 Hz: silent") << 19 << 10 << 480LL << 120LL << false;
        QTest::newRow("half the rate: silent") << 24000 << 10 << 480LL << 120LL << false;
        QTest::newRow("below 1 ms: one frame") << 440 << -5 << 1LL << 1LL << true;
    }
    void shapesTheTone() {
        QFETCH(int, frequency); QFETCH(int, durationMs); QFETCH(qint64, frames); QFETCH(qint64, fade); QFETCH(bool, audible);
        const QueuedTone tone = ShapeTone(frequency, durationMs, kRate);
        QCOMPARE(tone.frames, frames);
        QCOMPARE(tone.fade, fade);
        QCOMPARE(tone.audible, audible);
        // Cut where it starts, it only fades; cut near its end, it keeps its length.
        QCOMPARE(CutLength(tone, tone.start), std::min(frames, fade));
        QCOMPARE(CutLength(tone, tone.start + frames - 1), frames);
    }

    // Chords of 2 s: never louder than one sine tone, every note as loud as
    // the others, nothing at `quiet` (Hz), and the beat measured in the
    // envelope (0: none; below 0: not looked at).
    void soundsTheChord_data() {
        QTest::addColumn<QString>("timbre");
        QTest::addColumn<QList<double>>("notes");
        QTest::addColumn<QList<double>>("quiet");
        QTest::addColumn<double>("beat");
        const double third = 360 * RatioOfCents(400), fifth = 360 * RatioOfCents(700);
        QTest::newRow("c–e just: no beat") << "Obertöne" << QList<double>{360, 450} << QList<double>{} << 0.0;
        QTest::newRow("c–e tempered") << "Obertöne" << QList<double>{360, third} << QList<double>{} << 4 * third - 1800;
        QTest::newRow("c–e Pythagorean") << "Obertöne" << QList<double>{360, 455.625} << QList<double>{} << 22.5;
        QTest::newRow("c–g tempered") << "Obertöne" << QList<double>{360, fifth} << QList<double>{} << 1080 - 2 * fifth;
        QTest::newRow("four notes of 16 partials") << "Sägezahn" << QList<double>{360, third, fifth, 360 * RatioOfCents(1100)} << QList<double>{} << -1.0;
        QTest::newRow("Klarinette: no even partial") << "Klarinette" << QList<double>{300, 377} << QList<double>{600, 754, 1200} << -1.0;
        // Partials 5 to 8 would fold back from 25 to 40 kHz.
        QTest::newRow("5 kHz: partials from half the rate left out") << "Obertöne" << QList<double>{5000} << QList<double>{23000, 18000, 13000, 8000} << -1.0;
    }
    void soundsTheChord() {
        QFETCH(QString, timbre); QFETCH(QList<double>, notes); QFETCH(QList<double>, quiet); QFETCH(double, beat);
        ChordRequest chord = ChordOf({}, TimbreNamed(timbre));
        chord.notes = int(notes.size());
        std::copy(notes.begin(), notes.end(), chord.frequenciesHz.begin());
        const std::vector<float> s = RenderChord(chord, 2000, kRate);
        const std::size_t from = 480, to = s.size() - 480; // clear of the fades
        QVERIFY(*std::max_element(s.begin(), s.end()) <= kTonePeak && *std::min_element(s.begin(), s.end()) >= -kTonePeak);
        for (double f : notes) QVERIFY(std::abs(Amplitude(s, from, to, f) / Amplitude(s, from, to, notes[0]) - 1) < 1e-3);
        for (double f : quiet) QVERIFY2(Amplitude(s, from, to, f) < 1e-5, qPrintable(QString::number(f)));
        const auto measured = BeatOfEnvelope(AmplitudeEnvelope(std::span(s).subspan(from, to - from), kRate));
        if (beat == 0) QVERIFY(!measured);
        if (beat > 0) QVERIFY2(measured && std::abs(measured->hz / beat - 1) < 0.02, qPrintable(QString::number(measured ? measured->hz : 0)));
        // Cut short, it is the same sound up to its fade-out, which starts exactly 3 ms before its end.
        const std::vector<float> cut = RenderChord(chord, 100, kRate);
        const std::size_t fade = 144, end = cut.size();
        QVERIFY(std::equal(cut.begin(), cut.end() - fade, s.begin()));
        for (std::size_t k = end - fade; k < end; ++k) QVERIFY(std::abs(cut[k]) < std::abs(s[k]) || s[k] == 0);
    }

    // Turnarounds in ms; a negative one is a call that did not mean to join.
    void handOverFollowsTheCaller_data() {
        QTest::addColumn<std::vector<double>>("turnarounds");
        QTest::addColumn<double>("handOverMs");
        QTest::newRow("no caller yet: the floor") << std::vector<double>{} << 10.0;
        QTest::newRow("a quick caller: the floor") << std::vector<double>{2, 4, 3} << 10.0;
        QTest::newRow("1.5 times the longest") << std::vector<double>{5, 20, 8} << 30.0;
        QTest::newRow("a slow caller: the ceiling") << std::vector<double>{50} << 60.0;
        QTest::newRow("a pause before a new melody counts not") << std::vector<double>{4, -900} << 10.0;
        std::vector<double> old{30};
        old.resize(1 + HandOver::kKept, 4.0);
        QTest::newRow("only the last 48") << old << 10.0;
    }
    void handOverFollowsTheCaller() {
        QFETCH(std::vector<double>, turnarounds); QFETCH(double, handOverMs);
        HandOver handOver;
        double t = 0;
        for (double ms : turnarounds) {
            handOver.returned(t);
            t += std::abs(ms) / 1000.0;
            handOver.called(t, ms >= 0);
        }
        QCOMPARE(handOver.seconds() * 1000.0, handOverMs);
    }

    // Pairs of (call time, duration) in seconds, then the expected deadlines.
    void silentTonesKeepTheMelodysClock_data() {
        QTest::addColumn<std::vector<double>>("calls");
        QTest::addColumn<std::vector<double>>("deadlines");
        QTest::newRow("back to back: the caller's time is not added") << std::vector<double>{0, .14, .1403, .14, .2805, .07} << std::vector<double>{.14, .28, .35};
        QTest::newRow("after a break: from the call") << std::vector<double>{0, .1, .3, .1} << std::vector<double>{.1, .4};
        QTest::newRow("a short tone long overdue: at once") << std::vector<double>{0, .1, .15, .01} << std::vector<double>{.1, .15};
    }
    void silentTonesKeepTheMelodysClock() {
        QFETCH(std::vector<double>, calls); QFETCH(std::vector<double>, deadlines);
        MelodyClock clock;
        for (std::size_t i = 0; i < deadlines.size(); ++i)
            QVERIFY(qFuzzyCompare(clock.deadline(calls[2 * i], calls[2 * i + 1]), deadlines[i]));
        clock.forget();
        QCOMPARE(clock.deadline(deadlines.back(), 0.05), deadlines.back() + 0.05);
    }

    // PIPEWIRE_REMOTE, PIPEWIRE_RUNTIME_DIR, XDG_RUNTIME_DIR ("-" unset), then the socket.
    void findsThePipeWireSocket_data() {
        QTest::addColumn<QStringList>("env");
        QTest::addColumn<QString>("socket");
        QTest::newRow("the default") << QStringList{"-", "-", "/run/u"} << "/run/u/pipewire-0";
        QTest::newRow("its own folder first") << QStringList{"-", "/pw", "/run/u"} << "/pw/pipewire-0";
        QTest::newRow("a named remote") << QStringList{"x", "", "/run/u"} << "/run/u/x";
        QTest::newRow("an absolute remote") << QStringList{"/s/p", "-", "-"} << "/s/p";
        QTest::newRow("no folder: none") << QStringList{"-", "-", "-"} << "";
    }
    void findsThePipeWireSocket() {
        QFETCH(QStringList, env); QFETCH(QString, socket);
        std::vector<QByteArray> v{env[0].toUtf8(), env[1].toUtf8(), env[2].toUtf8()};
        auto arg = [&](int i) { return env[i] == "-" ? nullptr : v[i].constData(); };
        QCOMPARE(QString::fromStdString(PipeWireSocket(arg(0), arg(1), arg(2))), socket);
    }

    void beepReturnsOneLeadBeforeTheEnd() {
        StreamMap map;
        map.mapFrames = 256;
        map.t0 = 10.0;
        map.t1 = 10.0 + 256.0 / kRate;
        const std::int64_t end = 4800; // 0.1 s after frame 0
        QCOMPARE(*BeepWaitsUntil(map, 10.0, end, 0.02, kRate, 0.02), 10.02);     // a slice
        QCOMPARE(*BeepWaitsUntil(map, 10.07, end, 0.02, kRate, 0.02), 10.08);    // the release
        QVERIFY(!BeepWaitsUntil(map, 10.004, end, 0.1, kRate, 0.02));            // now
        QCOMPARE(*BeepWaitsUntil(map, 10.5, 0, 0.02, kRate, 0.02), 10.501);      // callback overdue
        QCOMPARE(FirstFreeFrame(map, 256, 10.001, 0.002), 256);                  // the next buffer
        QCOMPARE(FirstFreeFrame(map, 256, 10.004, 0.002), 512);                  // it may be under way
    }
};

QTEST_GUILESS_MAIN(TestToneRules)
#include "test_tone_rules.moc"
