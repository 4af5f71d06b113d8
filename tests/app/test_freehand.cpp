// SPDX-License-Identifier: GPL-3.0-or-later
// Freehand marking and colour choice: the readout under the pointer, the tone
// of a left click, dots left by a drag or by the indicator clicked directly,
// the swatches, and positions outside the area while a button is held.
// Mouse events are real QMouseEvents sent to the output area's widget.
#include "freehand.h"
#include "numbers.h"
#include "test_window.h"

#include <QMouseEvent>
#include <QtTest>

using namespace stimmung;

namespace {

constexpr int kBorder = 2; // the output area's border, in pixels

// Widget position of a logical interior pixel of the output area.
QPointF AtPixel(int x, int y) { return QPointF(x + kBorder, y + kBorder); }

void Send(QWidget* w, QEvent::Type type, QPointF local, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, local, w->mapToGlobal(local), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

struct Mouse {
    QWidget* area;
    void press(QPointF p, Qt::MouseButton b) { Send(area, QEvent::MouseButtonPress, p, b, b); }
    void move(QPointF p, Qt::MouseButtons held = Qt::NoButton) { Send(area, QEvent::MouseMove, p, Qt::NoButton, held); }
    void release(QPointF p, Qt::MouseButton b) { Send(area, QEvent::MouseButtonRelease, p, b, Qt::NoButton); }
};

Mouse MouseOn(test::TestWindow& tw) { return Mouse{tw->picAusgabe->widget()}; }

bool AnyOptionOn(test::TestWindow& tw) {
    if (tw->optZeichne->Value()) return true;
    for (auto* o : tw->optNote)
        if (o->Value()) return true;
    return false;
}

int PSetCount(const OutputArea& pic) {
    int n = 0;
    for (const auto& op : pic.trace()) n += op.kind == DrawKind::PSet;
    return n;
}

// Pixels of `colour` in the square of half-width `reach` around (x, y).
int CountAround(const OutputArea& pic, int x, int y, int reach, Rgb colour) {
    int n = 0;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) n += pic.pixelAt(x + dx, y + dy) == colour;
    return n;
}

// An empty stretch of the drawing after start-up: above the axis, right of
// the label "1", left of the label "2" (interior pixels).
constexpr int kRowY = 60;
const int kDotXs[] = {200, 260, 320, 380};

} // namespace

class FreehandTest : public QObject {
    Q_OBJECT

private slots:
    void readoutUnderThePointer_data() {
        QTest::addColumn<float>("x");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1.5 at 360 Hz") << 1.5f << "360" << " 1.5  entspricht   540 Hz";
        QTest::newRow("below 1: no leading zero") << 0.875f << "360" << " .875  entspricht   315 Hz";
        QTest::newRow("0.95 held just below") << 0.95f << "360" << " .949  entspricht   341 Hz";
        QTest::newRow("whole ratio, no point") << 1.0f << "360" << " 1  entspricht   360 Hz";
        QTest::newRow("cut, not rounded") << 1.9999f << "360" << " 1.999  entspricht   719 Hz";
        QTest::newRow("540.6 Hz shows 540") << 1.5f << "360.4" << " 1.5  entspricht   540 Hz";
        QTest::newRow("base of letters reads 0") << 1.5f << "abc" << " 1.5  entspricht   0 Hz";
        QTest::newRow("empty base") << 1.25f << "" << " 1.25  entspricht   0 Hz";
        QTest::newRow("left of the area, negative") << -0.25f << "360" << "-.25  entspricht  -90 Hz";
        QTest::newRow("negative frequency cut downward") << -0.2501f << "360" << "-.251  entspricht  -91 Hz";
        QTest::newRow("right of the area") << 2.5f << "360" << " 2.5  entspricht   900 Hz";
    }
    void readoutUnderThePointer() {
        QFETCH(float, x);
        QFETCH(QString, base);
        QFETCH(QString, expected);
        test::TestWindow tw;
        tw->Text1->setText(base.toStdString());
        app::picAusgabe_MouseMove(tw.form(), 0, x, 2.0f);
        QCOMPARE(QString::fromStdString(tw->Text3->Text()), expected);
        QCOMPARE(QString::fromStdString(tw->txtHilfe->Text()),
                 QStringLiteral("Linksklick := Ton mit angezeigter Frequenz erzeugen  /  Rechtsklick := im Feld schreiben"));
        // Without marking no dot is drawn.
        QCOMPARE(PSetCount(*tw->picAusgabe), 0);
    }

    void aMoveOverTheAreaReachesTheReadout() {
        test::TestWindow tw;
        // Interior pixel 522.5 of 1045 is the middle of 0.9 ... 2.1.
        MouseOn(tw).move(QPointF(522.5 + kBorder, 100));
        QCOMPARE(tw->Text3->Text(), std::string(" 1.5  entspricht   540 Hz"));
        QVERIFY(tw->txtHilfe->Text().starts_with("Linksklick"));
    }

    void leftClickSoundsTheRoundedFrequency_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<int>("hz");
        QTest::addColumn<int>("ms");
        QTest::addColumn<QString>("readout");
        QTest::newRow("540.6 Hz sounds 541") << "360.4" << "140" << 541 << 140 << " 1.5  entspricht   540 Hz";
        QTest::newRow("541.5 Hz: half to even") << "361" << "140" << 542 << 140 << " 1.5  entspricht   541 Hz";
        QTest::newRow("538.5 Hz: half to even") << "359" << "140" << 538 << 140 << " 1.5  entspricht   538 Hz";
        QTest::newRow("duration rounded too") << "360" << "140.5" << 540 << 140 << " 1.5  entspricht   540 Hz";
        QTest::newRow("letters: 0 Hz, 0 ms") << "Ton" << "lang" << 0 << 0 << " 1.5  entspricht   0 Hz";
    }
    void leftClickSoundsTheRoundedFrequency() {
        QFETCH(QString, base);
        QFETCH(QString, duration);
        QFETCH(int, hz);
        QFETCH(int, ms);
        QFETCH(QString, readout);
        test::TestWindow tw;
        tw->Text1->setText(base.toStdString());
        tw->Text2->setText(duration.toStdString());
        Mouse mouse = MouseOn(tw);
        const QPointF middle(522.5 + kBorder, 100);
        mouse.move(middle);
        mouse.press(middle, Qt::LeftButton);
        using Tone = std::pair<std::int32_t, std::int32_t>;
        QCOMPARE(tw.sound.beeps(), std::vector<Tone>{Tone(hz, ms)});
        QCOMPARE(QString::fromStdString(tw->Text3->Text()), readout);
        mouse.release(middle, Qt::LeftButton);
        // A left click marks nothing and leaves the marker selector as it was.
        QVERIFY(!tw->optZeichne->Value());
        QVERIFY(tw->optNote[0]->Value());
        QCOMPARE(tw->picAusgabe->DrawWidth, 2);
    }

    void anyOtherButtonMarks_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("right") << int(Qt::RightButton);
        QTest::newRow("middle") << int(Qt::MiddleButton);
    }
    void anyOtherButtonMarks() {
        QFETCH(int, button);
        const auto b = Qt::MouseButton(button);
        test::TestWindow tw;
        Mouse mouse = MouseOn(tw);
        mouse.press(AtPixel(kDotXs[0], kRowY), b);
        QVERIFY(tw->optZeichne->Value());
        QVERIFY(!tw->optNote[0]->Value()); // one group of seven
        QVERIFY(tw.sound.beeps().empty());
        mouse.move(AtPixel(kDotXs[1], kRowY), b);
        mouse.release(AtPixel(kDotXs[1], kRowY), b);
        QCOMPARE(PSetCount(*tw->picAusgabe), 1);
        QVERIFY(!AnyOptionOn(tw));
    }

    void rightDragLeavesTwoPixelDotsInTheSwatchColour_data() {
        QTest::addColumn<int>("swatch");
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::newRow("red") << 0 << 255 << 0 << 0;
        QTest::newRow("blue") << 1 << 0 << 0 << 255;
        QTest::newRow("black") << 2 << 0 << 0 << 0;
        QTest::newRow("grey") << 4 << 128 << 128 << 128;
    }
    void rightDragLeavesTwoPixelDotsInTheSwatchColour() {
        QFETCH(int, swatch);
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        const Rgb colour{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)};
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        QTest::mouseClick(tw->Picture1[swatch]->widget(), Qt::LeftButton);
        QCOMPARE(pic.ForeColor, colour);

        Mouse mouse = MouseOn(tw);
        mouse.press(AtPixel(kDotXs[0] - 30, kRowY), Qt::RightButton);
        for (int x : kDotXs) mouse.move(AtPixel(x, kRowY), Qt::RightButton);
        mouse.release(AtPixel(kDotXs[3], kRowY), Qt::RightButton);

        for (int x : kDotXs) {
            // A dot of 2 pixels diameter: its 2 x 2 core, nothing two pixels out.
            QCOMPARE(CountAround(pic, x, kRowY, 3, colour), 4);
            QCOMPARE(pic.pixelAt(x, kRowY), colour);
            QCOMPARE(pic.pixelAt(x - 1, kRowY - 1), colour);
        }
        // Consecutive dots are not joined.
        QCOMPARE(pic.pixelAt((kDotXs[0] + kDotXs[1]) / 2, kRowY), kWhite);
        for (const auto& op : pic.trace())
            if (op.kind == DrawKind::PSet) QCOMPARE(op.width, 2);
        QVERIFY(!AnyOptionOn(tw));
    }

    void theWhiteSwatchErasesWithTwoPixelDotsInADrag() {
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        QTest::mouseClick(tw->Picture1[3]->widget(), Qt::LeftButton);
        QCOMPARE(pic.ForeColor, kWhite);
        QCOMPARE(pic.DrawWidth, 10);
        // The axis (y = 3) is the interior row 114.5, three pixels thick.
        const int axisY = 114;
        QVERIFY(pic.pixelAt(300, axisY) != kWhite);
        Mouse mouse = MouseOn(tw);
        mouse.press(AtPixel(290, axisY), Qt::RightButton);
        QCOMPARE(pic.DrawWidth, 2);
        mouse.move(AtPixel(300, axisY), Qt::RightButton);
        mouse.release(AtPixel(300, axisY), Qt::RightButton);
        QCOMPARE(pic.pixelAt(300, axisY), kWhite);
        QCOMPARE(pic.pixelAt(299, axisY - 1), kWhite);
        // Only two pixels wide: the axis three pixels away is still there.
        QVERIFY(pic.pixelAt(303, axisY) != kWhite);
        QVERIFY(pic.pixelAt(296, axisY) != kWhite);
    }

    void indicatorClickedDirectlyMarksWithoutAButton_data() {
        QTest::addColumn<int>("swatch");
        QTest::addColumn<int>("width");
        QTest::newRow("red pen, 2 pixels") << 0 << 2;
        QTest::newRow("white eraser, 10 pixels") << 3 << 10;
    }
    void indicatorClickedDirectlyMarksWithoutAButton() {
        QFETCH(int, swatch);
        QFETCH(int, width);
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        QTest::mouseClick(tw->Picture1[swatch]->widget(), Qt::LeftButton);
        QTest::mouseClick(tw->optZeichne->widget(), Qt::LeftButton);
        QVERIFY(tw->optZeichne->Value());
        QVERIFY(!tw->optNote[0]->Value());

        Mouse mouse = MouseOn(tw);
        mouse.move(AtPixel(300, 114));
        mouse.move(AtPixel(340, 114));
        QCOMPARE(PSetCount(pic), 2);
        QCOMPARE(pic.trace().back().width, width);
        QCOMPARE(pic.trace().back().colour, tw->Picture1[swatch]->BackColor());
        // Drawn into the image: a 10-pixel white dot erases the axis 3 pixels off.
        QCOMPARE(pic.pixelAt(342, 114) == kWhite, width == 10);

        // A left click sounds and its release ends the marking.
        mouse.press(AtPixel(340, 114), Qt::LeftButton);
        QCOMPARE(int(tw.sound.beeps().size()), 1);
        QVERIFY(tw->optZeichne->Value());
        mouse.release(AtPixel(340, 114), Qt::LeftButton);
        QVERIFY(!AnyOptionOn(tw));
        mouse.move(AtPixel(380, 114));
        QCOMPARE(PSetCount(pic), 2);
    }

    void swatchesSetThePen_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("width");
        QTest::newRow("0 red") << 0 << 255 << 0 << 0 << 2;
        QTest::newRow("1 blue") << 1 << 0 << 0 << 255 << 2;
        QTest::newRow("2 black") << 2 << 0 << 0 << 0 << 2;
        QTest::newRow("3 white") << 3 << 255 << 255 << 255 << 10;
        QTest::newRow("4 grey") << 4 << 128 << 128 << 128 << 2;
    }
    void swatchesSetThePen() {
        QFETCH(int, index);
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        QFETCH(int, width);
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        pic.ForeColor = Rgb{1, 2, 3};
        pic.DrawWidth = 7;
        QTest::mouseClick(tw->Picture1[index]->widget(), Qt::LeftButton);
        QCOMPARE(pic.ForeColor, (Rgb{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)}));
        QCOMPARE(pic.DrawWidth, width);
        // The swatch only sets the pen: nothing is drawn, no field changes.
        QCOMPARE(PSetCount(pic), 0);
        QCOMPARE(tw->Text3->Text(), std::string("Text3"));
    }

    void positionsOutsideWhileAButtonIsHeld() {
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        Mouse mouse = MouseOn(tw);
        mouse.press(AtPixel(100, 100), Qt::RightButton);
        const QImage before = pic.image().copy();

        mouse.move(QPointF(-1000, -50), Qt::RightButton); // far left, above
        QVERIFY(ReadNumber(tw->Text3->Text()) < 0);
        QVERIFY(tw->Text3->Text().starts_with("-."));
        QVERIFY(tw->Text3->Text().find("entspricht  -") != std::string::npos);

        mouse.move(QPointF(3000, 900), Qt::RightButton); // far right, below
        QVERIFY(ReadNumber(tw->Text3->Text()) > 2.1);
        mouse.move(QPointF(1e6, -1e6), Qt::RightButton);
        QVERIFY(tw->Text3->Text().ends_with(" Hz"));

        // The dots were set but lie outside: nothing visible changed.
        QCOMPARE(PSetCount(pic), 3);
        QCOMPARE(pic.image(), before);
        mouse.release(QPointF(3000, 900), Qt::RightButton);
        QVERIFY(!AnyOptionOn(tw));
    }

    // Events already waiting when a press is handled run inside the press
    // (it lets them in first): a quick click's release must end the marking
    // for good, and a newer press held down meanwhile keeps it on.
    void eventsWaitingDuringAPress_data() {
        QTest::addColumn<bool>("pressAgain");
        QTest::addColumn<bool>("marking");
        QTest::newRow("quick click: released") << false << false;
        QTest::newRow("quick click, pressed again and held") << true << true;
    }
    void eventsWaitingDuringAPress() {
        QFETCH(bool, pressAgain);
        QFETCH(bool, marking);
        test::TestWindow tw;
        QWidget* area = tw->picAusgabe->widget();
        const QPointF p = AtPixel(100, 100);
        auto post = [&](QEvent::Type type, Qt::MouseButtons held) {
            QCoreApplication::postEvent(area, new QMouseEvent(type, p, area->mapToGlobal(p), Qt::RightButton, held,
                                                              Qt::NoModifier));
        };
        post(QEvent::MouseButtonRelease, Qt::NoButton);
        if (pressAgain) post(QEvent::MouseButtonPress, Qt::RightButton);
        MouseOn(tw).press(p, Qt::RightButton);
        QCOMPARE(tw->optZeichne->Value(), marking);
        // As after any right click: no marker selector is left on.
        QVERIFY(!tw->optNote[0]->Value());
        MouseOn(tw).move(AtPixel(120, 100));
        QCOMPARE(PSetCount(*tw->picAusgabe), marking ? 1 : 0);
    }
};

QTEST_MAIN(FreehandTest)
#include "test_freehand.moc"
