// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom and the drawing outside the program: at 200 % every control is twice
// its 100 % size and place, and a pointer at the same user coordinates reads
// and sounds the same; the drawing replayed from its operations is the
// window's own image (PNG, at 100 and 200 %) and holds its texts as text (SVG).
#include "drawing_export.h"
#include "freehand.h"
#include "test_window.h"
#include "zoom.h"

#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

using namespace stimmung;

namespace {

void Send(QWidget* w, QEvent::Type type, QPointF local, Qt::MouseButton button) {
    QMouseEvent e(type, local, w->mapToGlobal(local), button, button == Qt::NoButton ? Qt::NoButton : button,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// The readout and the tone of a left click at ratio x, at the given zoom.
std::pair<std::string, std::int32_t> ReadAndClick(test::TestWindow& tw, int percent, double x) {
    app::ApplyZoom(tw.main->window(), percent);
    OutputArea& pic = *tw->picAusgabe;
    // The pixel of the ratio at 100 %, doubled at 200 %: both land on the same user point.
    const double px100 = std::round((x - 0.9) / 1.2 * 1045) + 2;
    const QPointF at(px100 * percent / 100.0, pic.toPixelY(2.0));
    Send(pic.widget(), QEvent::MouseMove, at, Qt::NoButton);
    tw.sound.clear();
    Send(pic.widget(), QEvent::MouseButtonPress, at, Qt::LeftButton);
    Send(pic.widget(), QEvent::MouseButtonRelease, at, Qt::LeftButton);
    const auto beeps = tw.sound.beeps();
    return {tw->Text3->Text(), beeps.empty() ? -1 : beeps.front().first};
}

void DrawConstructionAndDots(test::TestWindow& tw) {
    QTest::mouseClick(tw->cmdComplett->button(), Qt::LeftButton);
    QTest::mouseClick(tw->cmdDia->button(), Qt::LeftButton);
    QTest::mouseClick(tw->Picture1[1]->widget(), Qt::LeftButton);
    tw->optZeichne->setValue(true);
    for (float x : {1.05f, 1.1f, 1.15f, 1.6f}) app::picAusgabe_MouseMove(tw.form(), 0, x, 5.5f);
}

} // namespace

class ZoomAndDrawing : public QObject {
    Q_OBJECT
private slots:
    void every_control_doubles_at_200_percent() {
        test::TestWindow tw;
        std::vector<QRect> before;
        for (const auto& c : tw.main->window().controls()) before.push_back(c->widget()->geometry());
        app::ApplyZoom(tw.main->window(), 200);
        const auto& controls = tw.main->window().controls();
        for (size_t i = 0; i < controls.size(); ++i) {
            const Control& c = *controls[i];
            if (dynamic_cast<const LineShape*>(&c)) continue; // decorations: a pen-wide margin around the line
            const QRect now = c.widget()->geometry(), was = before[i];
            const QString what = QString::fromStdString(c.Name()) + QString::number(c.Index());
            // Marker labels stand at a ratio: its pixel is rounded once, not doubled.
            const int slack = c.Name() == "lblNote" ? 1 : 0;
            QVERIFY2(std::abs(now.x() - 2 * was.x()) <= slack && now.y() == 2 * was.y() && now.size() == 2 * was.size(),
                     qPrintable(what));
            if (c.widget()->font().pixelSize() > 0) QCOMPARE(c.widget()->font().pixelSize() % 2, 0);
        }
    }

    void same_user_point_same_readout_and_tone_data() {
        QTest::addColumn<double>("x");
        QTest::newRow("base tone") << 1.0;
        QTest::newRow("third") << 1.25;
        QTest::newRow("fifth") << 1.5;
        QTest::newRow("below the base tone") << 0.95;
    }
    void same_user_point_same_readout_and_tone() {
        QFETCH(double, x);
        test::TestWindow tw;
        const auto at100 = ReadAndClick(tw, 100, x);
        const auto at200 = ReadAndClick(tw, 200, x);
        QCOMPARE(at200.first, at100.first);
        QCOMPARE(at200.second, at100.second);
        QVERIFY(at100.second > 0);
    }

    void png_is_the_windows_image_data() {
        QTest::addColumn<int>("percent");
        QTest::newRow("100 %") << 100;
        QTest::newRow("200 %, drawn again") << 200;
    }
    void png_is_the_windows_image() {
        QFETCH(int, percent);
        test::TestWindow tw;
        DrawConstructionAndDots(tw);
        app::ApplyZoom(tw.main->window(), percent);
        OutputArea& pic = *tw->picAusgabe;
        pic.widget()->grab(); // paints, so the image follows the new size
        const QImage drawn = pic.image();
        QCOMPARE(drawn.size(), QSize(1045, 229) * pic.image().devicePixelRatio() * percent / 100);
        QVERIFY(app::DrawingImage(pic) == drawn);
    }

    void svg_holds_the_texts_and_dots() {
        test::TestWindow tw;
        DrawConstructionAndDots(tw);
        QTemporaryDir dir;
        const QString path = dir.filePath("z.svg");
        QVERIFY(app::SaveDrawing(*tw->picAusgabe, path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString svg = QString::fromUtf8(file.readAll());
        for (const char* text : {">81<", ">64<", ">243<", ">5/4<", ">15/8<", ">1<", ">2<"})
            QVERIFY2(svg.contains(QLatin1String(text)), text);
        QVERIFY(svg.contains(QLatin1String("font-family=\"Times New Roman\"")));
        QVERIFY(svg.contains(QLatin1String("#0000ff"))); // the blue dots
    }
};

QTEST_MAIN(ZoomAndDrawing)
#include "test_zoom_and_drawing.moc"
