// SPDX-License-Identifier: GPL-3.0-or-later
// The four marker presets clicked as a user would: where the six markers
// stand afterwards (seen through the scroll value that selecting each one
// sets), and that nothing else of the window changes.
#include "test_window.h"

#include <QtTest>

using namespace stimmung;

class MarkerPresetsTest : public QObject {
    Q_OBJECT

private slots:
    void scrollValuesAfterEachPreset_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("Pythagoras") << "cmdPythagorasstimmung" << QList<int>{270, 439, 520, 720, 945, 1198};
        QTest::newRow("geometrisch") << "cmdGeometrisch" << QList<int>{245, 383, 535, 703, 889, 1094};
        QTest::newRow("linear") << "cmdLinear" << QList<int>{291, 463, 634, 806, 977, 1149};
        QTest::newRow("x") << "cmdRausnehmen" << QList<int>{12, 24, 36, 48, 60, 72};
    }
    void scrollValuesAfterEachPreset() {
        QFETCH(QString, button);
        QFETCH(QList<int>, values);
        test::TestWindow tw;
        Form1& f = tw.form();
        tw.main->window().get<CommandButton>(button.toStdString())->button()->click();
        QList<int> got;
        for (int i = 0; i < 6; ++i) {
            QTest::mousePress(f.optNote[i]->radio(), Qt::LeftButton);
            got << f.hscNote->Value();
        }
        QCOMPARE(got, values);
    }

    void presetSetsAllThreePlacesAlike_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<float>>("ratios");
        QTest::newRow("Pythagoras") << "cmdPythagorasstimmung"
                                    << QList<float>{1.125f, 1.265625f, float(4.0 / 3), 1.5f, 1.6875f, 1.8984375f};
        QTest::newRow("linear") << "cmdLinear"
                                << QList<float>{float(8 / 7.0), float(9 / 7.0), float(10 / 7.0), float(11 / 7.0),
                                                float(12 / 7.0), float(13 / 7.0)};
        QTest::newRow("x, not the start-up places") << "cmdRausnehmen"
                                                    << QList<float>{0.91f, 0.92f, 0.93f, 0.94f, 0.95f, 0.96f};
    }
    void presetSetsAllThreePlacesAlike() {
        QFETCH(QString, button);
        QFETCH(QList<float>, ratios);
        test::TestWindow tw;
        Form1& f = tw.form();
        tw.main->window().get<CommandButton>(button.toStdString())->button()->click();
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(f.Line2[i]->X1(), ratios[i]);
            QCOMPARE(f.Line2[i]->X2(), ratios[i]);
            QCOMPARE(f.lblNote[i]->Left(), ratios[i]);
            QCOMPARE(f.Line2[i]->BorderColor(), kRed);
            QCOMPARE(f.lblNote[i]->ForeColor(), kRed);
        }
    }

    void presetsChangeNothingElse_data() {
        QTest::addColumn<QString>("button");
        for (const char* b : {"cmdPythagorasstimmung", "cmdGeometrisch", "cmdLinear", "cmdRausnehmen"})
            QTest::newRow(b) << b;
    }
    void presetsChangeNothingElse() {
        QFETCH(QString, button);
        test::TestWindow tw;
        Form1& f = tw.form();
        QTest::mousePress(f.optNote[2]->radio(), Qt::LeftButton);
        const int value = f.hscNote->Value();
        const std::string help = f.txtHilfe->Text(), readout = f.Text3->Text(), base = f.Text1->Text();
        const size_t drawn = f.picAusgabe->trace().size();
        CommandButton* b = tw.main->window().get<CommandButton>(button.toStdString());
        b->button()->click();
        b->button()->click(); // pressing again sets the same places
        QCOMPARE(f.hscNote->Value(), value);
        QCOMPARE(f.txtHilfe->Text(), help);
        QCOMPARE(f.Text3->Text(), readout);
        QCOMPARE(f.Text1->Text(), base);
        QVERIFY(f.optNote[2]->Value());
        QCOMPARE(f.picAusgabe->trace().size(), drawn);
        QVERIFY(tw.sound.requests().empty());
    }

    void scrollStepAfterAPresetJumpsFromTheOldValue() {
        test::TestWindow tw;
        Form1& f = tw.form();
        QTest::mousePress(f.optNote[0]->radio(), Qt::LeftButton); // 24
        f.cmdGeometrisch->button()->click();
        f.hscNote->bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(f.Line2[0]->X1(), float(25 / 1200.0 + 0.9));
        QCOMPARE(f.Line2[1]->X1(), float(std::exp(std::log(2.0) / 7) * std::exp(std::log(2.0) / 7)));
    }
};

QTEST_MAIN(MarkerPresetsTest)
#include "test_marker_presets.moc"
