// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the empty axis, clearing and ending, seen through the drawing
// trace, the image's pixels and the markers.
#include "test_window.h"

#include <QtTest>

using namespace stimmung;

namespace {

// Logical interior pixel of a user coordinate (interior 1045 x 229 pixels).
int Px(double x) { return int((x - 0.9) / 1.2 * 1045); }
int Py(double y) { return int(y / 6 * 229); }

bool Dark(Rgb c) { return c.r < 80 && c.g < 80 && c.b < 80; }
bool White(Rgb c) { return c == kWhite; }

std::vector<DrawOp> OfKind(const std::vector<DrawOp>& ops, DrawKind kind) {
    std::vector<DrawOp> out;
    for (const auto& op : ops)
        if (op.kind == kind) out.push_back(op);
    return out;
}

} // namespace

class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlNameResolvesAndEachEventIsBoundOnce() {
        test::TestWindow tw;
        const std::vector<std::string>& faults = tw.main->wiringFaults();
        QVERIFY2(faults.empty(), faults.empty() ? "" : faults.front().c_str());
    }

    void startUpDrawsTheEmptyAxis() {
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        const auto& ops = pic.trace();
        const auto lines = OfKind(ops, DrawKind::Line);
        QCOMPARE(int(lines.size()), 3);
        struct L { double x1, y1, x2, y2; } expected[] = {{0.9, 3, 2.1, 3}, {1, 2, 1, 5}, {2, 2, 2, 5}};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(lines[i].x1, expected[i].x1);
            QCOMPARE(lines[i].y1, expected[i].y1);
            QCOMPARE(lines[i].x2, expected[i].x2);
            QCOMPARE(lines[i].y2, expected[i].y2);
            QCOMPARE(lines[i].width, 3);
            QCOMPARE(lines[i].colour, kBlack);
        }
        const auto texts = OfKind(ops, DrawKind::Print);
        QCOMPARE(int(texts.size()), 2);
        QCOMPARE(texts[0].text, std::string("1"));
        QCOMPARE(texts[0].x1, 0.99);
        QCOMPARE(texts[0].y1, 1.0);
        QCOMPARE(texts[0].fontSize, 18.0);
        QCOMPARE(texts[1].text, std::string("2"));
        QCOMPARE(texts[1].x1, 1.99);
        // The labels stand above the upper ends of the vertical lines.
        QVERIFY(texts[0].y1 < lines[1].y1);
    }

    void drawingStateAfterStartUpAndClearing() {
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        QCOMPARE(pic.ForeColor, kBlack);
        QCOMPARE(pic.DrawWidth, 3);
        QCOMPARE(pic.FontSize, 18.0);
        pic.ForeColor = kRed;
        pic.FontSize = 11;
        tw->cmdClear->button()->click();
        QCOMPARE(pic.ForeColor, kBlack);
        QCOMPARE(pic.DrawWidth, 4);
        QCOMPARE(pic.FontSize, 18.0);
    }

    void axisAndLinesAtTheirPixels() {
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        QCOMPARE(pic.interiorSize(), QSizeF(1045, 229));
        // The axis across the whole width at half height.
        for (double x : {0.95, 1.5, 2.05}) QVERIFY2(Dark(pic.pixelAt(Px(x), Py(3))), qPrintable(QString::number(x)));
        // Base-tone and octave lines from y = 2 to 5, nothing above them.
        for (double x : {1.0, 2.0}) {
            QVERIFY(Dark(pic.pixelAt(Px(x), Py(2.2))));
            QVERIFY(Dark(pic.pixelAt(Px(x), Py(4.8))));
            QVERIFY(White(pic.pixelAt(Px(x), Py(1.8) - 2)));
            QVERIFY(White(pic.pixelAt(Px(x), Py(5.2) + 2)));
        }
        QVERIFY(White(pic.pixelAt(Px(1.5), Py(2))));
        QVERIFY(White(pic.pixelAt(Px(1.5), Py(4))));
    }

    void markersAreParkedInRedAsSinglePrecision() {
        test::TestWindow tw;
        Form1& f = tw.form();
        for (int i = 0; i < 6; ++i) {
            const float v = float(0.92 + i / 100.0);
            QCOMPARE(f.Line2[i]->X1(), v);
            QCOMPARE(f.Line2[i]->X2(), v);
            QCOMPARE(f.lblNote[i]->Left(), v);
            QCOMPARE(f.Line2[i]->BorderColor(), kRed);
            QCOMPARE(f.lblNote[i]->ForeColor(), kRed);
            QCOMPARE(f.lblNote[i]->Caption(), std::to_string(i + 2));
        }
        // Marker 0 holds the single-precision neighbour of 0.92, not the double.
        QCOMPARE(double(f.Line2[0]->X1()), 0.92000001668930054);
        QVERIFY(double(f.Line2[0]->X1()) != 0.92);
        // On screen between the left edge and the base-tone line, in index order.
        const int base = f.picAusgabe->toPixelX(1.0);
        int previous = 0;
        for (int i = 0; i < 6; ++i) {
            QRect g = f.Line2[i]->widget()->geometry();
            QVERIFY(g.center().x() < base);
            QVERIFY(g.center().x() > previous);
            previous = g.center().x();
            QCOMPARE(f.lblNote[i]->widget()->x(), qRound(f.picAusgabe->toPixelX(f.lblNote[i]->Left())));
        }
    }

    void clearingErasesAndRedrawsTheAxis() {
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        const QImage startUp = pic.image();
        pic.ForeColor = kBlue;
        pic.DrawWidth = 10;
        pic.PSet(1.5, 1.5);
        pic.Line(1.2, 0.5, 1.8, 5.5);
        QVERIFY(pic.image() != startUp);
        tw->cmdClear->button()->click();
        const QImage once = pic.image();
        QVERIFY(White(pic.pixelAt(Px(1.5), Py(1.5))));
        QVERIFY(Dark(pic.pixelAt(Px(1.5), Py(3))));
        tw->cmdClear->button()->click();
        QCOMPARE(pic.image(), once);
        QCOMPARE(pic.DrawWidth, 4);
        // Clearing leaves the markers where they are.
        QCOMPARE(tw->Line2[0]->X1(), 0.92f);
        QCOMPARE(tw->lblNote[5]->Left(), 0.97f);
    }

    void clsResetsTheTextPosition() {
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        pic.CurrentX = 1.5;
        pic.CurrentY = 2;
        pic.Cls();
        QCOMPARE(pic.CurrentX, 0.0);
        QCOMPARE(pic.CurrentY, 0.0);
    }

    void printIsTransparent() {
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        pic.ForeColor = kRed;
        pic.DrawWidth = 3;
        pic.Line(1.4, 0.5, 1.4, 1.6);
        pic.ForeColor = kBlue;
        pic.FontSize = 18;
        pic.CurrentX = 1.38;
        pic.CurrentY = 0.8;
        pic.Print("___");
        // The red line under the text's cell is still visible.
        QCOMPARE(pic.pixelAt(Px(1.4), Py(0.9)), kRed);
    }

    void circleIsRoundOnScreen() {
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        pic.Cls();
        pic.ForeColor = kBlue;
        pic.DrawWidth = 1;
        pic.Circle(1.5, 3, 0.05); // about 43.5 pixels
        const int cx = Px(1.5), cy = Py(3);
        const int r = int(0.05 / 1.2 * 1045);
        auto blueNear = [&](int x, int y) {
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    if (pic.pixelAt(x + dx, y + dy).b > 128 && pic.pixelAt(x + dx, y + dy).r < 128) return true;
            return false;
        };
        QVERIFY(blueNear(cx + r, cy));
        QVERIFY(blueNear(cx - r, cy));
        QVERIFY(blueNear(cx, cy + r));
        QVERIFY(blueNear(cx, cy - r));
        QVERIFY(White(pic.pixelAt(cx, cy)));
    }

    void farAwayCoordinatesDoNotBreakDrawing() {
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        pic.DrawWidth = 2;
        pic.PSet(1e300, -1e300);
        pic.Line(-1e308, 3, 1e308, 3);
        pic.Circle(1.5, 3, 1e200);
        QVERIFY(Dark(pic.pixelAt(Px(1.5), Py(3))));
    }

    void imageSurvivesHidingAndShowing() {
        test::TestWindow tw;
        QWidget* view = tw.main->window().widget();
        tw.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        OutputArea& pic = *tw->picAusgabe;
        pic.ForeColor = kBlue;
        pic.DrawWidth = 6;
        pic.PSet(1.5, 1.5);
        const QImage drawn = pic.image();
        view->hide();
        view->resize(600, 300);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QCOMPARE(pic.image(), drawn);
        QImage grabbed = pic.widget()->grab().toImage();
        const qreal dpr = grabbed.devicePixelRatio();
        QCOMPARE(grabbed.pixelColor(int((2 + Px(1.5)) * dpr), int((2 + Py(1.5)) * dpr)), QColor(Qt::blue));
    }
};

QTEST_MAIN(StartUpTest)
#include "test_start_up.moc"
