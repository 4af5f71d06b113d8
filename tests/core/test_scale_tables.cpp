// SPDX-License-Identifier: GPL-3.0-or-later
// The scale tables and the step count of the equal division, without a
// window: how each kind of degree is computed and which texts of txtWurzel
// give a playable step count.
#include "scale_frequencies.h"
#include "scale_tables.h"

#include <QtTest>

using namespace stimmung::audio;

class ScaleTablesTest : public QObject {
    Q_OBJECT

private slots:
    void degreeFrequencies_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("degree");
        QTest::addColumn<double>("base");
        QTest::addColumn<double>("frequency");
        // 0 Pythagorean, 1 Didymos, 2 tempered; degrees counted from 1.
        QTest::newRow("degree 1 is the base itself") << 0 << 1 << 360.0 << 360.0;
        QTest::newRow("degree 8 is base + base") << 2 << 8 << 361.5 << 723.0;
        QTest::newRow("sixth 27/16 at 440 is 742.5") << 0 << 6 << 440.0 << 742.5;
        QTest::newRow("sixth 27/16 at 360 is 607.5") << 0 << 6 << 360.0 << 607.5;
        QTest::newRow("third 81/64 at 360") << 0 << 3 << 360.0 << 455.625;
        QTest::newRow("just third 5/4") << 1 << 3 << 360.0 << 450.0;
        QTest::newRow("just sixth 5/3") << 1 << 6 << 360.0 << 600.0;
        QTest::newRow("tempered third is 1.259") << 2 << 3 << 1000.0 << 1259.0;
        QTest::newRow("tempered fifth is 1.497") << 2 << 5 << 1000.0 << 1497.0;
        QTest::newRow("tempered seventh is 1.887") << 2 << 7 << 1000.0 << 1887.0;
        QTest::newRow("a base of 0 stays 0") << 0 << 7 << 0.0 << 0.0;
        QTest::newRow("a negative base goes on") << 1 << 7 << -8.0 << -15.0;
    }
    void degreeFrequencies() {
        QFETCH(int, scale);
        QFETCH(int, degree);
        QFETCH(double, base);
        QFETCH(double, frequency);
        const std::size_t i = std::size_t(degree - 1);
        const double got = scale == 0   ? DegreeFrequency(stimmung::kPythagoreanScale[i], base)
                           : scale == 1 ? DegreeFrequency(stimmung::kJustScale[i], base)
                                        : DegreeFrequency(stimmung::kTemperedScale[i], base);
        QCOMPARE(got, frequency);
    }

    void fractionIsMultipliedFirstThenDivided() {
        // base × 4 / 3 and base × (4 / 3) differ in the last bit for this base.
        const double base = 7.7;
        QCOMPARE(DegreeFrequency(stimmung::kPythagoreanScale[3], base), base * 4 / 3);
        QVERIFY(base * 4 / 3 != base * (4.0 / 3.0));
    }

    void stepCountFromItsText_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("steps"); // 0: nothing is played
        QTest::newRow("initial 12") << QByteArray("12") << 12;
        QTest::newRow("lowest 2") << QByteArray("2") << 2;
        QTest::newRow("highest 100") << QByteArray("100") << 100;
        QTest::newRow("blanks skipped") << QByteArray(" 12 ") << 12;
        QTest::newRow("letters after the number") << QByteArray("12abc") << 12;
        QTest::newRow("exponent form") << QByteArray("1E2") << 100;
        QTest::newRow("whole value with a point") << QByteArray("24.0") << 24;
        QTest::newRow("empty reads 0") << QByteArray("") << 0;
        QTest::newRow("letters read 0") << QByteArray("Text4") << 0;
        QTest::newRow("0 would divide by zero") << QByteArray("0") << 0;
        QTest::newRow("1 is below the range") << QByteArray("1") << 0;
        QTest::newRow("101 is above the range") << QByteArray("101") << 0;
        QTest::newRow("fraction") << QByteArray("12.5") << 0;
        QTest::newRow("negative") << QByteArray("-12") << 0;
        QTest::newRow("huge, would play for ever") << QByteArray("1e300") << 0;
        QTest::newRow("beyond double range") << QByteArray("1e999") << 0;
    }
    void stepCountFromItsText() {
        QFETCH(QByteArray, text);
        QFETCH(int, steps);
        const auto n = EqualStepCount(std::string_view(text.constData(), std::size_t(text.size())));
        QCOMPARE(n.value_or(0), steps);
    }
};

QTEST_MAIN(ScaleTablesTest)
#include "test_scale_tables.moc"
