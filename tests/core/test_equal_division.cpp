// SPDX-License-Identifier: GPL-3.0-or-later
// The equal division without a window: the tempered ticks, the steps nearest
// to the just third, fourth and fifth, their truncated quotients and the
// total error, and the texts written into the fields.
#include "equal_division.h"
#include "equal_division_texts.h"
#include "equal_steps.h"

#include <QtTest>

#include <cmath>

using namespace stimmung::tuning;

namespace {
constexpr int kThird = 0, kFourth = 1, kFifth = 2;
}

class EqualDivisionTest : public QObject {
    Q_OBJECT

private slots:
    void errorsForN_data() {
        QTest::addColumn<double>("N");
        QTest::addColumn<QList<double>>("k");       // third, fourth, fifth
        QTest::addColumn<QList<double>>("t");       // circle positions, 6 decimals
        QTest::addColumn<QStringList>("english");   // fields with "."
        QTest::addColumn<QStringList>("german");    // fields with ","
        QTest::addColumn<double>("E");
        QTest::newRow("N=12 the usual temperament")
            << 12.0 << QList<double>{4, 5, 7} << QList<double>{1.259921, 1.334840, 1.498307}
            << QStringList{"1.0079", "1.0011", "1.0011"} << QStringList{"1,0079", "1,0011", "1,0011"} << 101.0;
        QTest::newRow("N=2 all three on the square root")
            << 2.0 << QList<double>{1, 1, 1} << QList<double>{1.414214, 1.414214, 1.414214}
            << QStringList{"1.1313", "1.0606", "1.0606"} << QStringList{"1,1313", "1,0606", "1,0606"} << 2725.0;
        QTest::newRow("N=3 third and fourth share a step")
            << 3.0 << QList<double>{1, 1, 2} << QList<double>{1.259921, 1.259921, 1.587401}
            << QStringList{"1.0079", "1.0582", "1.0582"} << QStringList{"1,0079", "1,0582", "1,0582"} << 1286.0;
        QTest::newRow("N=19") << 19.0 << QList<double>{6, 8, 11}
                              << QList<double>{std::exp2(6 / 19.0), std::exp2(8 / 19.0), std::exp2(11 / 19.0)}
                              << QStringList{"1.0042", "1.0041", "1.0041"} << QStringList{"1,0042", "1,0041", "1,0041"}
                              << 124.0;
        QTest::newRow("N=53 fourth and fifth below 1.0001")
            << 53.0 << QList<double>{17, 22, 31}
            << QList<double>{std::exp2(17 / 53.0), std::exp2(22 / 53.0), std::exp2(31 / 53.0)}
            << QStringList{"1.0008", "1", "1"} << QStringList{"1,0008", "1", "1"} << 8.0;
    }

    void errorsForN() {
        QFETCH(double, N);
        QFETCH(QList<double>, k);
        QFETCH(QList<double>, t);
        QFETCH(QStringList, english);
        QFETCH(QStringList, german);
        QFETCH(double, E);
        const TemperedErrors errors = ErrorsFor(N);
        for (int i = 0; i < 3; ++i) {
            const IntervalError& err = errors.intervals[i];
            QCOMPARE(err.k, k[i]);
            QVERIFY2(std::abs(err.t - t[i]) < 5e-7, qPrintable(QString::number(err.t, 'f', 9)));
            QVERIFY(err.Q >= 1);
            QCOMPARE(QString::fromStdString(GeneralNumberText(err.e, ".")), english[i]);
            QCOMPARE(QString::fromStdString(GeneralNumberText(err.e, ",")), german[i]);
        }
        QCOMPARE(errors.E, E);
        QCOMPARE(QString::fromStdString(GeneralNumberText(errors.E, ",")), QString::number(E));
    }

    // The tempered fourth and fifth are each other's complement in the
    // octave, so they always miss 4/3 and 3/2 by the same quotient.
    void fourthAndFifthAgreeForEveryN() {
        for (int N = 2; N <= 100; ++N) {
            const TemperedErrors errors = ErrorsFor(N);
            QVERIFY2(errors.intervals[kFourth].e == errors.intervals[kFifth].e, qPrintable(QString::number(N)));
            QCOMPARE(errors.intervals[kFourth].k + errors.intervals[kFifth].k, double(N));
        }
    }

    void quotientsAreTruncatedNotRounded_data() {
        QTest::addColumn<double>("Q");
        QTest::addColumn<double>("e");
        QTest::newRow("just below the next step stays down") << 1.00799999 << 1.0079;
        QTest::newRow("exactly one") << 1.0 << 1.0;
        QTest::newRow("exact fourth decimal kept") << 1.0625 << 1.0625;
        QTest::newRow("fifth decimal dropped") << 1.13137 << 1.1313;
    }

    void quotientsAreTruncatedNotRounded() {
        QFETCH(double, Q);
        QFETCH(double, e);
        QCOMPARE(TruncateToFourDecimals(Q), e);
    }

    void totalErrorFromTheTruncatedQuotients() {
        // (1.0079 * 1.0011) * 1.0011 = 1.010117...: 101, not rounded up.
        QCOMPARE(TotalError(1.0079, 1.0011, 1.0011), 101.0);
        QCOMPARE(TotalError(1, 1, 1), 0.0);
    }

    // Products of four-decimal quotients are exact decimals; in doubles they
    // can fall a hair below the whole ten-thousandth they are.
    void totalErrorIsExactOnWholeTenThousandths_data() {
        QTest::addColumn<double>("third");
        QTest::addColumn<double>("fourth");
        QTest::addColumn<double>("fifth");
        QTest::addColumn<double>("E");
        QTest::newRow("N=53: 1.0008 * 1 * 1") << 1.0008 << 1.0 << 1.0 << 8.0;
        QTest::newRow("1.0001 * 1.0001 * 1 just above 2") << 1.0001 << 1.0001 << 1.0 << 2.0;
        QTest::newRow("1.0011 * 1.0011 * 1") << 1.0011 << 1.0011 << 1.0 << 22.0;
        QTest::newRow("below one goes down") << 0.9999 << 1.0 << 1.0 << -1.0;
    }

    void totalErrorIsExactOnWholeTenThousandths() {
        QFETCH(double, third);
        QFETCH(double, fourth);
        QFETCH(double, fifth);
        QFETCH(double, E);
        QCOMPARE(TotalError(third, fourth, fifth), E);
    }

    void nearestStepRoundsHalvesUp() {
        // N = 1 puts the fifth at log2(3/2) = 0.58 steps: nearest is 1; the
        // third at 0.32: nearest is 0, so t = 1 and Q = R.
        QCOMPARE(ErrorOf(1.5, 1).k, 1.0);
        const IntervalError third = ErrorOf(1.25, 1);
        QCOMPARE(third.k, 0.0);
        QCOMPARE(third.Q, 1.25);
    }

    void tickPositions_data() {
        QTest::addColumn<double>("N");
        QTest::newRow("N=2") << 2.0;
        QTest::newRow("N=12") << 12.0;
        QTest::newRow("N=53") << 53.0;
        QTest::newRow("N=100") << 100.0;
    }

    void tickPositions() {
        QFETCH(double, N);
        const std::vector<double> ticks = TickPositions(N);
        QCOMPARE(int(ticks.size()), int(N) - 1);
        QCOMPARE(ticks.front(), stimmung::EqualStepRatio(N));
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            // The running product stays on 2^(i/N) to far below a pixel.
            QVERIFY(std::abs(ticks[i] - std::exp2((i + 1) / N)) < 1e-12);
            if (i > 0) QVERIFY(ticks[i] > ticks[i - 1]);
        }
        QVERIFY(ticks.back() < 2);
    }

    void tickPositionsForTwelve() {
        const std::vector<double> ticks = TickPositions(12);
        double r = stimmung::EqualStepRatio(12);
        for (double tick : ticks) {
            QCOMPARE(tick, r); // bit for bit the product, not the power
            r *= stimmung::EqualStepRatio(12);
        }
    }

    void generalNumberText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::newRow("German comma") << 1.0079 << "," << "1,0079";
        QTest::newRow("English point") << 1.0079 << "." << "1.0079";
        QTest::newRow("exactly one") << 1.0 << "," << "1";
        QTest::newRow("whole total") << 2725.0 << "," << "2725";
        QTest::newRow("no grouping") << 12345678.0 << "," << "12345678";
        QTest::newRow("no trailing zeros") << 1.5 << "," << "1,5";
        QTest::newRow("15 significant digits") << 1.0 / 3 << "," << "0,333333333333333";
        QTest::newRow("separator of more than one byte") << 1.0606 << QString(QChar(0x066B)) << QString("1") + QChar(0x066B) + "0606";
    }

    void generalNumberText() {
        QFETCH(double, value);
        QFETCH(QString, separator);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(GeneralNumberText(value, separator.toStdString())), text);
    }

    void stepTexts() {
        QCOMPARE(StepNumberText(1), std::string(" 1"));
        QCOMPARE(StepNumberText(99), std::string(" 99"));
        QCOMPARE(StepCountText(12), std::string("12"));
        QCOMPARE(StepCountText(100), std::string("100"));
    }
};

QTEST_APPLESS_MAIN(EqualDivisionTest)
#include "test_equal_division.moc"
