// SPDX-License-Identifier: GPL-3.0-or-later
// The scroll-value/ratio mapping of the note markers, the readout text and
// the presets' ratios, without a window.
#include "marker_scale.h"
#include "preset_ratios.h"
#include "readout_text.h"

#include <QtTest>

#include <cmath>

using namespace stimmung::markers;

Q_DECLARE_METATYPE(Preset)

class MarkerScaleTest : public QObject {
    Q_OBJECT

private slots:
    void scrollValueToRatio_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("ratio");
        QTest::newRow("0 is the left edge") << 0 << 0.9;
        QTest::newRow("120 is the base tone") << 120 << 1.0;
        QTest::newRow("1320 is the octave") << 1320 << 2.0;
        QTest::newRow("1440 is the right edge") << 1440 << 2.1;
        QTest::newRow("1500 lies beyond it") << 1500 << 2.15;
        QTest::newRow("439") << 439 << 439 / 1200.0 + 0.9;
    }
    void scrollValueToRatio() {
        QFETCH(int, value);
        QFETCH(double, ratio);
        QCOMPARE(ScrollToRatio(value), ratio);
    }

    void readoutCutsBothValues_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("base");
        QTest::addColumn<QString>("readout");
        QTest::newRow("439 at 360") << 439 << 360.0 << " 1.265  entspricht   455 Hz";
        QTest::newRow("24 at 360") << 24 << 360.0 << " .92  entspricht   331 Hz";
        QTest::newRow("0 at 360") << 0 << 360.0 << " .9  entspricht   324 Hz";
        QTest::newRow("120 equals the base, cut") << 120 << 440.7 << " 1  entspricht   440 Hz";
        QTest::newRow("1 is cut down to .9") << 1 << 360.0 << " .9  entspricht   324 Hz";
        QTest::newRow("1198 at 360") << 1198 << 360.0 << " 1.898  entspricht   683 Hz";
        QTest::newRow("1500 at 360") << 1500 << 360.0 << " 2.15  entspricht   774 Hz";
        QTest::newRow("base 0") << 439 << 0.0 << " 1.265  entspricht   0 Hz";
        QTest::newRow("negative base goes toward minus infinity") << 439 << -360.0 << " 1.265  entspricht  -456 Hz";
    }
    void readoutCutsBothValues() {
        QFETCH(int, value);
        QFETCH(double, base);
        QFETCH(QString, readout);
        QCOMPARE(QString::fromStdString(ReadoutText(ScrollToRatio(value), base, stimmung::ReadoutRatio::Double)), readout);
    }

    // What selecting a marker sets after each preset, for markers 0 to 5.
    void presetRatiosGiveTheirScrollValues_data() {
        QTest::addColumn<Preset>("preset");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("Pythagoras") << Preset::Pythagorean << QList<int>{270, 439, 520, 720, 945, 1198};
        QTest::newRow("geometrisch") << Preset::Geometric << QList<int>{245, 383, 535, 703, 889, 1094};
        QTest::newRow("linear") << Preset::Linear << QList<int>{291, 463, 634, 806, 977, 1149};
        QTest::newRow("x") << Preset::TakenOut << QList<int>{12, 24, 36, 48, 60, 72};
    }
    void presetRatiosGiveTheirScrollValues() {
        QFETCH(Preset, preset);
        QFETCH(QList<int>, values);
        const PresetRatios ratios = RatiosOf(preset);
        QList<int> got;
        for (double r : ratios) got << RatioToScroll(float(r));
        QCOMPARE(got, values);
    }

    void presetRatiosInSinglePrecision_data() {
        QTest::addColumn<Preset>("preset");
        QTest::addColumn<QList<double>>("singles"); // eight significant digits, within one unit of float
        QTest::newRow("Pythagoras") << Preset::Pythagorean
                                    << QList<double>{1.125, 1.265625, 1.3333334, 1.5, 1.6875, 1.8984375};
        QTest::newRow("geometrisch") << Preset::Geometric
                                     << QList<double>{1.1040895, 1.2190137, 1.3459002, 1.4859943, 1.6406707, 1.8114474};
        QTest::newRow("linear") << Preset::Linear
                                << QList<double>{1.1428571, 1.2857143, 1.4285714, 1.5714286, 1.7142857, 1.8571429};
        QTest::newRow("x, left of the start-up places") << Preset::TakenOut
                                                       << QList<double>{0.91, 0.92, 0.93, 0.94, 0.95, 0.96};
    }
    void presetRatiosInSinglePrecision() {
        QFETCH(Preset, preset);
        QFETCH(QList<double>, singles);
        const PresetRatios ratios = RatiosOf(preset);
        for (int i = 0; i < 6; ++i)
            QVERIFY2(std::fabs(double(float(ratios[std::size_t(i)])) - singles[i]) < 1.2e-7, qPrintable(QString::number(i)));
    }

    void geometricStepsDivideTheOctave() {
        // The running product of the double step: one more step reaches the octave.
        const PresetRatios r = RatiosOf(Preset::Geometric);
        const double q = std::exp(std::log(2.0) / 7);
        QCOMPARE(r[0], q);
        for (int i = 1; i < 6; ++i) QCOMPARE(r[std::size_t(i)], r[std::size_t(i - 1)] * q);
        QVERIFY(std::fabs(r[5] * q - 2) < 1e-14);
    }

    void everyPresetFitsTheScrollRange() {
        for (Preset p : {Preset::Pythagorean, Preset::Geometric, Preset::Linear, Preset::TakenOut})
            for (double r : RatiosOf(p)) {
                QVERIFY(r >= 0.91 && r <= 1.8984375);
                QVERIFY(RatioToScroll(float(r)) >= 0 && RatioToScroll(float(r)) <= 1500);
            }
    }
};

QTEST_MAIN(MarkerScaleTest)
#include "test_marker_scale.moc"
