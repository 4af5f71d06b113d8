// SPDX-License-Identifier: GPL-3.0-or-later
// Two notes as an interval: its cents, the nearest just interval, the beat
// under a timbre and their texts; the timbre table; the beat found in the
// envelope of a sampled signal.
#include <QtTest>

#include "cents.h"
#include "envelope.h"
#include "intervals.h"
#include "timbres.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace stimmung;

class TestIntervalsAndBeats : public QObject {
    Q_OBJECT

private slots:
    // The upper note over c at 360 Hz; beats "none" where no pair comes close.
    void measuresTheInterval_data() {
        QTest::addColumn<QString>("timbre");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("upperHz");
        QTest::addColumn<QString>("cents");
        QTest::addColumn<QString>("just");
        QTest::addColumn<QString>("deviation");
        QTest::addColumn<QString>("beats");
        QTest::newRow("c–e just 5/4") << "Obertöne" << 5 / 4.0 << 450.0 << "386.31" << "5/4" << "0.00" << "0.00";
        QTest::newRow("c–e 12 equal steps") << "Obertöne" << RatioOfCents(400) << 453.5716 << "400.00" << "5/4" << "+13.69" << "14.29";
        QTest::newRow("c–e Pythagorean 81/64") << "Obertöne" << 81 / 64.0 << 455.625 << "407.82" << "5/4" << "+21.51" << "22.50";
        QTest::newRow("c–g 12 equal steps") << "Obertöne" << RatioOfCents(700) << 539.3905 << "700.00" << "3/2" << "−1.96" << "1.22";
        QTest::newRow("c–f 12 equal steps") << "Obertöne" << RatioOfCents(500) << 480.5423 << "500.00" << "4/3" << "+1.96" << "1.63";
        QTest::newRow("c–e tempered as sines: too far apart") << "Sinus" << RatioOfCents(400) << 453.5716 << "400.00" << "5/4" << "+13.69" << "none";
        QTest::newRow("c–g on a clarinet: no even partial") << "Klarinette" << RatioOfCents(700) << 539.3905 << "700.00" << "3/2" << "−1.96" << "none";
        QTest::newRow("c–e' a tenth, just") << "Obertöne" << 5 / 2.0 << 900.0 << "1586.31" << "5/4 + 1" << "0.00" << "0.00";
        QTest::newRow("a tritone below: its size") << "Sägezahn" << RatioOfCents(-600) << 254.5584 << "−600.00" << "45/32" << "+9.78" << "18.09";
    }
    void measuresTheInterval() {
        QFETCH(QString, timbre); QFETCH(double, ratio); QFETCH(double, upperHz);
        QFETCH(QString, cents); QFETCH(QString, just); QFETCH(QString, deviation); QFETCH(QString, beats);
        const double upper = 360 * ratio;
        QCOMPARE(std::round(upper * 1e4) / 1e4, upperHz);
        const double size = IntervalCents(360, upper);
        QCOMPARE(QString::fromStdString(CentsText(size)), cents);
        const JustNeighbour nearest = NearestJustInterval(size);
        QCOMPARE(QString("%1/%2").arg(nearest.ratio.numerator).arg(nearest.ratio.denominator) + (nearest.octaves ? QString(" + %1").arg(nearest.octaves) : ""), just);
        QCOMPARE(QString::fromStdString(DeviationText(nearest.deviationCents)), deviation);
        const auto beat = BeatOf(upper, 360, TimbreAt(*TimbreIndex(timbre.toStdString())).amplitudes);
        QCOMPARE(beat ? QString::fromStdString(BeatText(beat->hz)) : "none", beats);
    }

    // The count of partials present and the highest, or -1 for no such timbre.
    void findsTheTimbre_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("partials");
        QTest::addColumn<int>("highest");
        QTest::newRow("Sinus, the default") << "Sinus" << 0 << 1 << 1;
        QTest::newRow("Obertöne") << "Obertöne" << 1 << 8 << 8;
        QTest::newRow("Klarinette: the odd ones") << "Klarinette" << 2 << 8 << 15;
        QTest::newRow("no such name") << "Orgel" << -1 << 1 << 1;
    }
    void findsTheTimbre() {
        QFETCH(QString, name); QFETCH(int, index); QFETCH(int, partials); QFETCH(int, highest);
        const auto found = TimbreIndex(name.toStdString());
        QCOMPARE(found ? int(*found) : -1, index);
        const Timbre& timbre = TimbreAt(found.value_or(Timbres().size())); // the default where there is none
        QCOMPARE(int(std::count_if(timbre.amplitudes.begin(), timbre.amplitudes.end(), [](double a) { return a > 0; })), partials);
        for (int n = 1; n <= kPartials; ++n) QCOMPARE(timbre.amplitudes[n - 1] > 0, n <= highest && (partials == highest || n % 2 == 1));
    }

    // Two sines of 0.2 and `second` full scale, 2 s at 48 kHz: the beat found
    // in their envelope (0: none).
    void findsTheBeatInTheEnvelope_data() {
        QTest::addColumn<double>("lowHz");
        QTest::addColumn<double>("highHz");
        QTest::addColumn<double>("second");
        QTest::addColumn<double>("beat");
        QTest::newRow("4 Hz apart") << 440.0 << 444.0 << 0.2 << 4.0;
        QTest::newRow("1.5 Hz, one tenth as loud") << 300.0 << 301.5 << 0.02 << 1.5;
        QTest::newRow("20 Hz, faint: 1 % of the first") << 600.0 << 620.0 << 0.002 << 20.0;
        QTest::newRow("one sine: none") << 440.0 << 440.0 << 0.0 << 0.0;
        QTest::newRow("40 Hz apart: roughness, no beat") << 440.0 << 480.0 << 0.2 << 0.0;
        QTest::newRow("slower than a swell per second: none") << 440.0 << 440.4 << 0.2 << 0.0;
    }
    void findsTheBeatInTheEnvelope() {
        QFETCH(double, lowHz); QFETCH(double, highHz); QFETCH(double, second); QFETCH(double, beat);
        std::vector<float> s(96000);
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double t = 2 * std::numbers::pi * double(i) / 48000;
            s[i] = float(0.2 * std::sin(lowHz * t) + second * std::sin(highHz * t + 1));
        }
        const Envelope envelope = AmplitudeEnvelope(s, 48000);
        QCOMPARE(envelope.rateHz, 1000.0);
        QCOMPARE(envelope.rms.size(), std::size_t{1991});
        const auto found = BeatOfEnvelope(envelope);
        QCOMPARE(bool(found), beat > 0);
        if (found) QVERIFY2(std::abs(found->hz / beat - 1) < 0.02, qPrintable(QString::number(found->hz)));
    }
};

QTEST_GUILESS_MAIN(TestIntervalsAndBeats)
#include "test_intervals_and_beats.moc"
