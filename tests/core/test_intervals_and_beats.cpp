// SPDX-License-Identifier: GPL-3.0-or-later
// The timbre table.
#include <QtTest>

#include "timbres.h"

#include <algorithm>

using namespace stimmung;

class TestIntervalsAndBeats : public QObject {
    Q_OBJECT

private slots:
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
