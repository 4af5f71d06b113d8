// SPDX-License-Identifier: GPL-3.0-or-later
// The four scale players clicked as a user would, heard through the
// recorder: the exact tone sequences of the fixed scales and of the equal
// division, the rounding of halves, fields read anew for every tone, and step
// counts that play nothing.
#include "recorded.h"
#include "test_window.h"

#include <QtTest>

using namespace stimmung;

class ScalePlayersTest : public QObject {
    Q_OBJECT

private slots:
    void sequences_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("steps"); // text of txtWurzel
        QTest::addColumn<QString>("frequencies");
        QTest::newRow("Pythagoras at 360") << "cmdPythagoras" << "360" << "12" << "360 405 456 480 540 608 683 720";
        QTest::newRow("Didymos at 360") << "cmdrein" << "360" << "12" << "360 405 450 480 540 600 675 720";
        QTest::newRow("temperiert at 360") << "cmdtemperiert" << "360" << "12" << "360 404 453 480 539 605 679 720";
        QTest::newRow("Pythagoras at 440: 742.5 gives 742") << "cmdPythagoras" << "440" << "12"
                                                           << "440 495 557 587 660 742 835 880";
        QTest::newRow("Didymos with no number in the field") << "cmdrein" << "Hz" << "12" << "0 0 0 0 0 0 0 0";
        QTest::newRow("all 12 steps") << "cmdalle" << "360" << "12"
                                      << "360 381 404 428 454 481 509 539 571 605 641 680 720";
        QTest::newRow("all 2 steps") << "cmdalle" << "360" << "2" << "360 509 720";
    }
    void sequences() {
        QFETCH(QString, button);
        QFETCH(QString, base);
        QFETCH(QString, steps);
        QFETCH(QString, frequencies);
        test::TestWindow tw;
        tw->Text1->setText(base.toStdString());
        tw->txtWurzel->setText(steps.toStdString());
        tw.main->window().get<CommandButton>(button.toStdString())->button()->click();
        QCOMPARE(test::FrequenciesText(tw.sound), frequencies);
        // Every tone lasts the duration field's 140 ms; no wait of their own.
        for (const SoundRequest& r : tw.sound.requests()) {
            QCOMPARE(r.kind, SoundRequest::Kind::Beep);
            QCOMPARE(r.durationMs, 140);
        }
    }

    void fieldsAreReadAnewForEveryTone_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("requests");
        QTest::newRow("Pythagoras") << "cmdPythagoras" << "360/140 495/70 557/70 587/70 660/70 742/70 835/70 880/70";
        QTest::newRow("all steps") << "cmdalle" << "360/140 622/70 880/70";
    }
    void fieldsAreReadAnewForEveryTone() {
        QFETCH(QString, button);
        QFETCH(QString, requests);
        test::TestWindow tw;
        tw->txtWurzel->setText("2");
        // A change made while the first tone sounds reaches the second.
        tw.sound.onBeep([&](int, int) {
            tw->Text1->setText("440");
            tw->Text2->setText("70");
        });
        tw.main->window().get<CommandButton>(button.toStdString())->button()->click();
        QCOMPARE(test::RequestsText(tw.sound), requests);
    }

    void durationsAreRoundedHalfToEven_data() {
        QTest::addColumn<QString>("duration");
        QTest::addColumn<int>("ms");
        QTest::newRow("empty field gives 0 ms") << "" << 0;
        QTest::newRow("140.5 gives 140") << "140.5" << 140;
        QTest::newRow("141.5 gives 142") << "141.5" << 142;
        QTest::newRow("negative is passed on") << "-20" << -20;
    }
    void durationsAreRoundedHalfToEven() {
        QFETCH(QString, duration);
        QFETCH(int, ms);
        test::TestWindow tw;
        tw->Text2->setText(duration.toStdString());
        tw->cmdtemperiert->button()->click();
        QCOMPARE(int(tw.sound.beeps().size()), 8);
        for (const auto& [frequency, d] : tw.sound.beeps()) QCOMPARE(d, ms);
    }

    // A step count that is not a whole number from 2 to 100 plays nothing,
    // instead of dividing by zero or playing for ever.
    void badStepCountPlaysNothing_data() {
        QTest::addColumn<QString>("steps");
        for (const char* t : {"", "0", "1", "101", "12.5", "-12", "abc", "1e9"}) QTest::newRow(t[0] ? t : "empty") << t;
    }
    void badStepCountPlaysNothing() {
        QFETCH(QString, steps);
        test::TestWindow tw;
        tw->txtWurzel->setText(steps.toStdString());
        tw->cmdalle->button()->click();
        QVERIFY(tw.sound.requests().empty());
        QCOMPARE(QString::fromStdString(tw->txtWurzel->Text()), steps);
    }

    void playersChangeNothingInTheWindow() {
        test::TestWindow tw;
        Form1& f = tw.form();
        const std::string help = f.txtHilfe->Text(), readout = f.Text3->Text();
        const size_t drawn = f.picAusgabe->trace().size();
        for (CommandButton* b : {f.cmdPythagoras, f.cmdrein, f.cmdtemperiert, f.cmdalle}) b->button()->click();
        QCOMPARE(int(tw.sound.beeps().size()), 3 * 8 + 13);
        QCOMPARE(f.txtHilfe->Text(), help);
        QCOMPARE(f.Text3->Text(), readout);
        QCOMPARE(f.picAusgabe->trace().size(), drawn);
        for (CommandButton* key : f.cmdTaste) QCOMPARE(key->BackColor(), kWhite);
    }
};

QTEST_MAIN(ScalePlayersTest)
#include "test_scale_players.moc"
