// SPDX-License-Identifier: GPL-3.0-or-later
// Two notes as an interval: its cents, the nearest just interval, the beat
// under a timbre and their texts; the timbre table.
#include <QtTest>

#include "cents.h"
#include "intervals.h"
#include "timbres.h"

#include <algorithm>
#include <cmath>

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
};

QTEST_GUILESS_MAIN(TestIntervalsAndBeats)
#include "test_intervals_and_beats.moc"
