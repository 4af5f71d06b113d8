// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard panel clicked as a user would: what each key sounds at
// start-up and after the markers moved, the octave key, the hand-defined
// scale in index order, and the duration field.
#include "recorded.h"
#include "test_window.h"

#include <QtTest>

using namespace stimmung;

namespace {
void PlaceMarker(Form1& f, int i, float r) {
    f.Line2[i]->setX1(r);
    f.Line2[i]->setX2(r);
    f.lblNote[i]->setLeft(r);
}
} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void keysAtStartUp_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("frequency");
        // Markers parked at 0.92 ... 0.97: all six below the base tone.
        const int expected[] = {360, 331, 335, 338, 342, 346, 349, 720};
        for (int k = 0; k < 8; ++k) QTest::newRow(qPrintable(QStringLiteral("key %1").arg(k + 1))) << k << expected[k];
    }
    void keysAtStartUp() {
        QFETCH(int, key);
        QFETCH(int, frequency);
        test::TestWindow tw;
        tw->cmdTaste[key]->button()->click();
        QCOMPARE(test::RequestsText(tw.sound), QStringLiteral("%1/140").arg(frequency));
        QCOMPARE(tw->cmdTaste[key]->BackColor(), kWhite);
    }

    void octaveKeyIsTwiceTheBase_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<int>("frequency");
        QTest::newRow("360") << "360" << 720;
        QTest::newRow("440.25: 880.5 to the even 880") << "440.25" << 880;
        QTest::newRow("440.75: 881.5 to the even 882") << "440.75" << 882;
        QTest::newRow("letters read 0") << "abc" << 0;
    }
    void octaveKeyIsTwiceTheBase() {
        QFETCH(QString, base);
        QFETCH(int, frequency);
        test::TestWindow tw;
        tw->Text1->setText(base.toStdString());
        // The markers do not matter to the octave key.
        PlaceMarker(tw.form(), 5, 2.15f);
        tw->cmdTaste[7]->button()->click();
        QCOMPARE(test::RequestsText(tw.sound), QStringLiteral("%1/140").arg(frequency));
    }

    void keysFollowTheirMarker_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<float>("ratio");
        QTest::addColumn<int>("frequency");
        QTest::newRow("key 2 at 9/8") << 1 << 1.125f << 405;
        QTest::newRow("key 4 at 27/16 (607.5 to 608)") << 3 << 1.6875f << 608;
        QTest::newRow("key 7 at the right end") << 6 << 2.15f << 774;
        // The single-precision ratio is widened, not the double 4/3.
        QTest::newRow("key 3 at 4/3 in single precision") << 2 << float(4.0 / 3.0) << 480;
    }
    void keysFollowTheirMarker() {
        QFETCH(int, key);
        QFETCH(float, ratio);
        QFETCH(int, frequency);
        test::TestWindow tw;
        PlaceMarker(tw.form(), key - 1, ratio);
        tw->cmdTaste[key]->button()->click();
        QCOMPARE(tw.sound.beeps().at(0).first, frequency);
    }

    void durationField_data() {
        QTest::addColumn<QString>("duration");
        QTest::addColumn<int>("ms");
        QTest::newRow("initial 140") << "140" << 140;
        QTest::newRow("empty gives 0 ms") << "" << 0;
        QTest::newRow("letters give 0 ms") << "lang" << 0;
        QTest::newRow("62.5 to the even 62") << "62.5" << 62;
    }
    void durationField() {
        QFETCH(QString, duration);
        QFETCH(int, ms);
        test::TestWindow tw;
        tw->Text2->setText(duration.toStdString());
        tw->cmdTaste[0]->button()->click();
        QCOMPARE(test::RequestsText(tw.sound), QStringLiteral("360/%1").arg(ms));
    }

    void handDefinedScaleInIndexOrder_data() {
        QTest::addColumn<QList<float>>("markers");
        QTest::addColumn<QString>("requests");
        QTest::newRow("start-up places")
            << QList<float>{} << "360/140 331/140 335/140 338/140 342/140 346/140 349/140 720/140";
        QTest::newRow("markers out of order are not sorted")
            << QList<float>{1.5f, 1.25f, 1.125f, 1.875f, 1.0f, 2.0f}
            << "360/140 540/140 450/140 405/140 675/140 360/140 720/140 720/140";
    }
    void handDefinedScaleInIndexOrder() {
        QFETCH(QList<float>, markers);
        QFETCH(QString, requests);
        test::TestWindow tw;
        for (int i = 0; i < markers.size(); ++i) PlaceMarker(tw.form(), i, markers[i]);
        tw->cmdHandlauf->button()->click();
        QCOMPARE(test::RequestsText(tw.sound), requests);
        for (CommandButton* key : tw->cmdTaste) QCOMPARE(key->BackColor(), kWhite);
    }

    void handDefinedScaleReadsEachKeyAnew() {
        test::TestWindow tw;
        // Moving marker 3 while key 2 sounds changes what key 5 plays.
        tw.sound.onBeep([&](int frequency, int) {
            if (frequency == 331) PlaceMarker(tw.form(), 3, 1.5f);
        });
        tw->cmdHandlauf->button()->click();
        QCOMPARE(test::FrequenciesText(tw.sound), QStringLiteral("360 331 335 338 540 346 349 720"));
    }

    void pythagoreanPresetOnTheKeyboard() {
        test::TestWindow tw;
        tw->cmdPythagorasstimmung->button()->click();
        tw->cmdHandlauf->button()->click();
        QCOMPARE(test::FrequenciesText(tw.sound), QStringLiteral("360 405 456 480 540 608 683 720"));
    }
};

QTEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
