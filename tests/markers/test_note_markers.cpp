// SPDX-License-Identifier: GPL-3.0-or-later
// Selecting and moving the note markers as a user would: pressing on the
// option buttons, arrow clicks and thumb drags on hscNote; the scroll value,
// the marker's three places, the help line and the readout field.
#include "test_window.h"

#include <QtTest>

using namespace stimmung;

namespace {

// The marker's three places agree and hold this value.
bool MarkerAt(Form1& f, int i, float r) {
    return f.Line2[i]->X1() == r && f.Line2[i]->X2() == r && f.lblNote[i]->Left() == r;
}

float Snapped(int value) { return float(value / 1200.0 + 0.9); }

void Press(Form1& f, int k, Qt::MouseButton button = Qt::LeftButton) { QTest::mousePress(f.optNote[k]->radio(), button); }

void StepRight(Form1& f) { f.hscNote->bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); }

QString Selected(Form1& f) {
    QString s;
    for (OptionButton* o : f.optNote) s += o->Value() ? '1' : '0';
    return s + (f.optZeichne->Value() ? " Z" : " -");
}

} // namespace

class NoteMarkersTest : public QObject {
    Q_OBJECT

private slots:
    void selectingAfterStartUp_data() {
        QTest::addColumn<int>("marker");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("readout");
        QTest::newRow("marker 0") << 0 << int(Qt::LeftButton) << 24 << " .92  entspricht   331 Hz";
        QTest::newRow("marker 2, right button") << 2 << int(Qt::RightButton) << 48 << " .94  entspricht   338 Hz";
        QTest::newRow("marker 5, middle button") << 5 << int(Qt::MiddleButton) << 84 << " .97  entspricht   349 Hz";
    }
    void selectingAfterStartUp() {
        QFETCH(int, marker);
        QFETCH(int, button);
        QFETCH(int, value);
        QFETCH(QString, readout);
        test::TestWindow tw;
        Form1& f = tw.form();
        const float parked = f.Line2[marker]->X1();
        Press(f, marker, Qt::MouseButton(button));
        QCOMPARE(f.hscNote->Value(), value);
        QVERIFY(MarkerAt(f, marker, Snapped(value)));
        QCOMPARE(Snapped(value), parked); // the parked places lie on scroll values
        QCOMPARE(QString::fromStdString(f.txtHilfe->Text()), QStringLiteral(" %1").arg(marker));
        QCOMPARE(QString::fromStdString(f.Text3->Text()), readout);
        QString expected(6, '0');
        expected[marker] = '1';
        QCOMPARE(Selected(f), expected + " -");
        QVERIFY(tw.sound.requests().empty());
    }

    void selectingSwitchesTheFreehandIndicatorOff() {
        test::TestWindow tw;
        Form1& f = tw.form();
        f.optZeichne->setValue(true);
        QCOMPARE(Selected(f), QStringLiteral("000000 Z"));
        Press(f, 3);
        QCOMPARE(Selected(f), QStringLiteral("000100 -"));
    }

    void snappingToTheScrollValue_data() {
        QTest::addColumn<int>("marker");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("readout");
        // After the Pythagorean preset.
        QTest::newRow("81/64 snaps to 439") << 1 << 439 << " 1.265  entspricht   455 Hz";
        QTest::newRow("243/128 snaps to 1198") << 5 << 1198 << " 1.898  entspricht   683 Hz";
        QTest::newRow("3/2 stays at 720") << 3 << 720 << " 1.5  entspricht   540 Hz";
    }
    void snappingToTheScrollValue() {
        QFETCH(int, marker);
        QFETCH(int, value);
        QFETCH(QString, readout);
        test::TestWindow tw;
        Form1& f = tw.form();
        f.cmdPythagorasstimmung->button()->click();
        Press(f, marker);
        QCOMPARE(f.hscNote->Value(), value);
        QVERIFY(MarkerAt(f, marker, Snapped(value)));
        QCOMPARE(QString::fromStdString(f.Text3->Text()), readout);
    }

    void secondPressOnTheSameSelectorChangesNothing() {
        test::TestWindow tw;
        Form1& f = tw.form();
        f.cmdPythagorasstimmung->button()->click();
        Press(f, 1);
        QVERIFY(MarkerAt(f, 1, Snapped(439)));
        // Back to 81/64, whose scroll value is still 439.
        f.cmdPythagorasstimmung->button()->click();
        f.txtHilfe->setText("Hilfe");
        f.Text3->setText("Text3");
        Press(f, 1);
        QCOMPARE(f.hscNote->Value(), 439);
        QVERIFY(MarkerAt(f, 1, 1.265625f));
        QCOMPARE(f.txtHilfe->Text(), std::string("Hilfe"));
        QCOMPARE(f.Text3->Text(), std::string("Text3"));
    }

    void firstScrollStepAfterStartUp() {
        test::TestWindow tw;
        Form1& f = tw.form();
        StepRight(f);
        QCOMPARE(f.hscNote->Value(), 1);
        // Marker 0 jumps left of where it was parked.
        QVERIFY(MarkerAt(f, 0, float(1 / 1200.0 + 0.9)));
        QVERIFY(f.Line2[0]->X1() < 0.91f);
        QCOMPARE(f.txtHilfe->Text(), std::string(" 0"));
        QCOMPARE(f.Text3->Text(), std::string(" .9  entspricht   324 Hz"));
        for (int i = 1; i < 6; ++i) QVERIFY(MarkerAt(f, i, float(0.92 + i / 100.0)));
    }

    void scrollValuesMoveTheSelectedMarker_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("readout");
        QTest::newRow("439 at 360") << 439 << "360" << " 1.265  entspricht   455 Hz";
        QTest::newRow("0, the left edge") << 0 << "360" << " .9  entspricht   324 Hz";
        QTest::newRow("120, the base tone") << 120 << "440.7" << " 1  entspricht   440 Hz";
        QTest::newRow("1500, beyond the right edge") << 1500 << "360" << " 2.15  entspricht   774 Hz";
        QTest::newRow("base field with letters") << 439 << "Grundton" << " 1.265  entspricht   0 Hz";
        QTest::newRow("negative base") << 439 << "-360" << " 1.265  entspricht  -456 Hz";
    }
    void scrollValuesMoveTheSelectedMarker() {
        QFETCH(int, value);
        QFETCH(QString, base);
        QFETCH(QString, readout);
        test::TestWindow tw;
        Form1& f = tw.form();
        Press(f, 4);
        f.Text1->setText(base.toStdString());
        f.hscNote->setValue(value == 0 ? 1 : 0);
        f.hscNote->setValue(value);
        QVERIFY(MarkerAt(f, 4, Snapped(value)));
        QCOMPARE(f.txtHilfe->Text(), std::string(" 4"));
        QCOMPARE(QString::fromStdString(f.Text3->Text()), readout);
    }

    void draggingTheThumbMovesTheMarkerAlong() {
        test::TestWindow tw;
        Form1& f = tw.form();
        Press(f, 2);
        QScrollBar* bar = f.hscNote->bar();
        bar->setSliderDown(true);
        for (int v : {100, 300, 700}) {
            bar->setSliderPosition(v);
            QVERIFY(MarkerAt(f, 2, Snapped(v)));
            QCOMPARE(f.txtHilfe->Text(), std::string(" 2"));
        }
        QCOMPARE(f.Text3->Text(), std::string(" 1.483  entspricht   534 Hz"));
        bar->setSliderDown(false);
        QVERIFY(MarkerAt(f, 2, Snapped(700)));
    }

    void noSelectorOnMovesMarker0() {
        test::TestWindow tw;
        Form1& f = tw.form();
        Press(f, 3);
        // Freehand marking leaves the whole group off.
        f.optZeichne->setValue(true);
        f.optZeichne->setValue(false);
        QCOMPARE(Selected(f), QStringLiteral("000000 -"));
        StepRight(f);
        QCOMPARE(f.hscNote->Value(), 61);
        QVERIFY(MarkerAt(f, 0, Snapped(61)));
        QVERIFY(MarkerAt(f, 3, Snapped(60)));
        QCOMPARE(f.txtHilfe->Text(), std::string(" 0"));
    }

    void selectorChangedWithoutAPressMakesTheMarkerJump() {
        test::TestWindow tw;
        Form1& f = tw.form();
        f.cmdLinear->button()->click();
        Press(f, 0); // 291
        // As the keyboard would: the scroll bar does not follow.
        f.optNote[4]->setValue(true);
        QCOMPARE(f.hscNote->Value(), 291);
        StepRight(f);
        QVERIFY(MarkerAt(f, 4, Snapped(292)));
        QVERIFY(MarkerAt(f, 0, Snapped(291)));
    }

    void markersMayShareOneValue() {
        test::TestWindow tw;
        Form1& f = tw.form();
        Press(f, 0);
        f.hscNote->setValue(500);
        Press(f, 1);
        f.hscNote->setValue(500);
        QVERIFY(MarkerAt(f, 0, Snapped(500)));
        QVERIFY(MarkerAt(f, 1, Snapped(500)));
    }
};

QTEST_MAIN(NoteMarkersTest)
#include "test_note_markers.moc"
