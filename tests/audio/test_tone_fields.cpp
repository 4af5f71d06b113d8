// SPDX-License-Identifier: GPL-3.0-or-later
// The base-frequency and duration fields and their "+10" / "-10" adjusters,
// clicked as a user would: the new texts, the two different lower
// thresholds, and fields that hold no number.
#include "test_window.h"

#include <QtTest>

using namespace stimmung;

class ToneFieldsTest : public QObject {
    Q_OBJECT

private slots:
    void adjusters_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("+10 on the initial 360") << "cmdPlusF" << "360" << " 370";
        QTest::newRow("-10 back from 370") << "cmdMinusF" << " 370" << " 360";
        QTest::newRow("frequency -10 at 10 keeps the text") << "cmdMinusF" << "10" << "10";
        QTest::newRow("frequency -10 at 12 gives 2") << "cmdMinusF" << "12" << " 2";
        QTest::newRow("frequency -10 just above 10") << "cmdMinusF" << "10.5" << " .5";
        QTest::newRow("duration -10 at 10 gives 0") << "cmdMinusT" << "10" << " 0";
        QTest::newRow("duration -10 at 9 keeps the text") << "cmdMinusT" << "9" << "9";
        QTest::newRow("duration -10 at 5 keeps the text") << "cmdMinusT" << "5" << "5";
        QTest::newRow("duration -10 just above 9 goes negative") << "cmdMinusT" << "9.5" << "-.5";
        QTest::newRow("duration +10 on 140") << "cmdPlusT" << "140" << " 150";
        QTest::newRow("frequency +10 on letters") << "cmdPlusF" << "abc" << " 10";
        QTest::newRow("frequency -10 on letters keeps them") << "cmdMinusF" << "abc" << "abc";
        QTest::newRow("duration +10 on letters") << "cmdPlusT" << "abc" << " 10";
        QTest::newRow("duration -10 on letters keeps them") << "cmdMinusT" << "abc" << "abc";
        QTest::newRow("+10 on an empty field") << "cmdPlusT" << "" << " 10";
        QTest::newRow("number then letters: the whole text is replaced") << "cmdPlusF" << "440 Hz" << " 450";
        QTest::newRow("comma ends the number") << "cmdPlusF" << "12,5" << " 22";
        QTest::newRow("no upper limit") << "cmdPlusF" << "99999999999999" << " 100000000000009";
        QTest::newRow("negative frequency stays below the threshold") << "cmdMinusF" << "-5" << "-5";
        QTest::newRow("negative frequency +10") << "cmdPlusF" << "-25" << "-15";
    }
    void adjusters() {
        QFETCH(QString, button);
        QFETCH(QString, before);
        QFETCH(QString, after);
        test::TestWindow tw;
        Form1& f = tw.form();
        const bool frequency = button.endsWith('F');
        TextBox* field = frequency ? f.Text1 : f.Text2;
        TextBox* other = frequency ? f.Text2 : f.Text1;
        const std::string otherBefore = other->Text();
        field->setText(before.toStdString());
        tw.main->window().get<CommandButton>(button.toStdString())->button()->click();
        QCOMPARE(QString::fromStdString(field->Text()), after);
        QCOMPARE(other->Text(), otherBefore);
        QVERIFY(tw.sound.requests().empty());
    }

    void repeatedMinusStopsAtTheThreshold_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("frequency from 360 stops at 10 Hz") << "cmdMinusF" << "360" << " 10";
        QTest::newRow("duration from 140 reaches 0 ms") << "cmdMinusT" << "140" << " 0";
        QTest::newRow("duration from 145 stops at 5 ms") << "cmdMinusT" << "145" << " 5";
    }
    void repeatedMinusStopsAtTheThreshold() {
        QFETCH(QString, button);
        QFETCH(QString, start);
        QFETCH(QString, end);
        test::TestWindow tw;
        TextBox* field = button.endsWith('F') ? tw->Text1 : tw->Text2;
        field->setText(start.toStdString());
        for (int i = 0; i < 40; ++i) tw.main->window().get<CommandButton>(button.toStdString())->button()->click();
        QCOMPARE(QString::fromStdString(field->Text()), end);
    }
};

QTEST_MAIN(ToneFieldsTest)
#include "test_tone_fields.moc"
