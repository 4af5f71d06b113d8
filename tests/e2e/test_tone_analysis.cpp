// SPDX-License-Identifier: GPL-3.0-or-later
// The tone analysis of the end-to-end tests on synthetic captures: tones back
// to back with and without fades, repeated notes, pauses, very low and high
// notes, quiet and noisy captures. Edges must come within 1 ms and the
// frequency within 0.1 Hz, well inside what the window tests ask of the
// program's sound (5 ms, 1 Hz).
#include "sounding.h"
#include "tone_analysis.h"
#include "tone_synth.h"

#include <QtTest>

using stimmung::test::SynthNote;
using stimmung::test::SynthStyle;
using stimmung::tones::FindTones;
using stimmung::tones::Tone;

Q_DECLARE_METATYPE(std::vector<SynthNote>)
Q_DECLARE_METATYPE(SynthStyle)

namespace {

std::vector<SynthNote> BackToBack(std::initializer_list<double> frequencies, double durationMs) {
    std::vector<SynthNote> notes;
    for (double f : frequencies) notes.push_back({f, durationMs});
    return notes;
}

const std::initializer_list<double> kPythagoras360 = {360, 405, 456, 480, 540, 608, 683, 720};

SynthStyle Style(double fadeMs, bool restartPhase = true, double noise = 0, double amplitude = 0.3) {
    SynthStyle s;
    s.fadeMs = fadeMs;
    s.restartPhase = restartPhase;
    s.noise = noise;
    s.amplitude = amplitude;
    return s;
}

QString Describe(const std::vector<Tone>& tones) {
    QStringList rows;
    for (const Tone& t : tones)
        rows << QStringLiteral("%1-%2 ms %3 Hz").arg(t.startMs, 0, 'f', 2).arg(t.endMs, 0, 'f', 2).arg(t.frequencyHz, 0, 'f', 3);
    return rows.join(QStringLiteral("; "));
}

} // namespace

class ToneAnalysisTest : public QObject {
    Q_OBJECT

private slots:
    void findsEveryTone_data() {
        QTest::addColumn<std::vector<SynthNote>>("notes");
        QTest::addColumn<SynthStyle>("style");

        QTest::newRow("one tone, abrupt edges") << std::vector<SynthNote>{{440, 140}} << Style(0);
        QTest::newRow("one tone, 3 ms fades") << std::vector<SynthNote>{{440, 140}} << Style(3);
        QTest::newRow("scale back to back, 3 ms fades") << BackToBack(kPythagoras360, 140) << Style(3);
        QTest::newRow("scale back to back, no fades, phase restarted") << BackToBack(kPythagoras360, 140) << Style(0);
        QTest::newRow("scale back to back, no fades, phase carried on")
            << BackToBack(kPythagoras360, 140) << Style(0, false);
        QTest::newRow("same note three times, 3 ms fades") << BackToBack({335, 335, 335}, 280) << Style(3);
        QTest::newRow("same note three times, phase restarted") << BackToBack({335, 335, 335}, 280) << Style(0);
        QTest::newRow("neighbours 1.5 percent apart") << BackToBack({400, 406.5, 400}, 140) << Style(0, false);
        QTest::newRow("pauses between tones")
            << std::vector<SynthNote>{{360, 140, 50}, {720, 140, 7}, {331, 280, 300}, {349, 140}} << Style(3);
        QTest::newRow("very low and very high notes")
            << std::vector<SynthNote>{{110, 300, 100}, {3520, 140, 100}, {5000, 100}} << Style(3);
        QTest::newRow("quiet capture, 2 percent of full scale")
            << BackToBack({360, 405, 456}, 140) << Style(3, true, 0, 0.02);
        QTest::newRow("noise at a tenth of the tone level")
            << BackToBack({360, 405, 456, 480}, 140) << Style(3, true, 0.03);
        QTest::newRow("short tones of 20 ms") << BackToBack({500, 600, 700}, 20) << Style(3);
        QTest::newRow("melody rhythm, eighths of 140 ms")
            << std::vector<SynthNote>{{360, 280}, {331, 280}, {360, 280}, {338, 280}, {335, 280}, {331, 560}, {331, 840}}
            << Style(3);
    }

    void findsEveryTone() {
        QFETCH(std::vector<SynthNote>, notes);
        QFETCH(SynthStyle, style);
        const auto capture = stimmung::test::Synthesize(notes, style);
        const std::vector<Tone> found = FindTones(capture.samples);
        QVERIFY2(found.size() == capture.expected.size(), qPrintable(Describe(found)));
        for (std::size_t i = 0; i < found.size(); ++i) {
            const Tone& want = capture.expected[i];
            const Tone& got = found[i];
            const QString where = QStringLiteral("tone %1: %2").arg(i).arg(Describe({got}));
            QVERIFY2(std::abs(got.frequencyHz - want.frequencyHz) < 0.1, qPrintable(where));
            QVERIFY2(std::abs(got.startMs - want.startMs) < 1.0, qPrintable(where));
            QVERIFY2(std::abs(got.endMs - want.endMs) < 1.0, qPrintable(where));
            QVERIFY2(std::abs(got.level - want.level) < 0.1 * want.level + 0.01, qPrintable(where));
        }
    }

    // What cannot be told apart: the same note struck again with neither a
    // fade nor a jump of phase is one longer tone.
    void seamlessRepeatIsOneTone() {
        const auto capture = stimmung::test::Synthesize(BackToBack({400, 400}, 140), Style(0, false));
        const std::vector<Tone> found = FindTones(capture.samples);
        QCOMPARE(found.size(), std::size_t(1));
        QVERIFY(std::abs(found[0].durationMs() - 280) < 1.0);
    }

    void silenceHasNoTones_data() {
        QTest::addColumn<std::vector<std::int16_t>>("samples");
        QTest::newRow("empty") << std::vector<std::int16_t>{};
        QTest::newRow("digital silence") << std::vector<std::int16_t>(48000, 0);
        QTest::newRow("hiss below the silence level") << stimmung::test::Synthesize({}, Style(0, true, 0.002)).samples;
        QTest::newRow("a click of 1 ms") << stimmung::test::Synthesize({{1000, 1}}, Style(0)).samples;
    }

    void silenceHasNoTones() {
        QFETCH(std::vector<std::int16_t>, samples);
        QVERIFY2(FindTones(samples).empty(), qPrintable(Describe(FindTones(samples))));
    }

    // A held sound the sound path broke: every break is found, and the
    // longest piece between them is what the pitch is read on.
    void findsEveryBreak_data() {
        QTest::addColumn<std::vector<SynthNote>>("notes");
        QTest::addColumn<QList<double>>("breaksMs");
        QTest::addColumn<double>("unbrokenMs");
        QTest::newRow("unbroken") << std::vector<SynthNote>{{360, 3000}} << QList<double>{} << 3000.0;
        QTest::newRow("a gap too short to be a break") << std::vector<SynthNote>{{360, 1000, 0.5}, {360, 2000}}
                                                      << QList<double>{} << 3000.5;
        QTest::newRow("a short break before the longest one")
            << std::vector<SynthNote>{{360, 1000, 14}, {360, 1500, 20}, {360, 500}} << QList<double>{14, 20} << 1500.0;
    }

    void findsEveryBreak() {
        QFETCH(std::vector<SynthNote>, notes);
        QFETCH(QList<double>, breaksMs);
        QFETCH(double, unbrokenMs);
        const auto sounding = stimmung::tones::FindSounding(stimmung::test::Synthesize(notes, Style(0)).samples, 48000, 0);
        QVERIFY(sounding);
        QCOMPARE(sounding->breaks.size(), std::size_t(breaksMs.size()));
        for (qsizetype i = 0; i < breaksMs.size(); ++i)
            QVERIFY(std::abs(sounding->breaks[i].length / 48.0 - breaksMs[i]) < 0.1);
        const auto [begin, end] = stimmung::tones::LongestUnbroken(sounding->first, sounding->last + 1, sounding->breaks);
        QVERIFY2(std::abs((end - begin) / 48.0 - unbrokenMs) < 0.1, qPrintable(QString::number((end - begin) / 48.0)));
    }

    // Another capture rate: positions are converted with the rate given.
    void otherSampleRate() {
        SynthStyle style = Style(3);
        style.sampleRate = 44100;
        const auto capture = stimmung::test::Synthesize(BackToBack({360, 405}, 140), style);
        stimmung::tones::Options options;
        options.sampleRate = 44100;
        const std::vector<Tone> found = FindTones(capture.samples, options);
        QCOMPARE(found.size(), std::size_t(2));
        QVERIFY(std::abs(found[1].frequencyHz - 405) < 0.1);
        QVERIFY(std::abs(found[1].startMs - capture.expected[1].startMs) < 1.0);
    }
};

QTEST_APPLESS_MAIN(ToneAnalysisTest)
#include "test_tone_analysis.moc"
