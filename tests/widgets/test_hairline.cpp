// SPDX-License-Identifier: GPL-3.0-or-later
// One-pixel lines and dots at display scales 1, 1.5 and 2: every one the same
// whole number of device pixels wide, wherever it falls.
#include <QtTest>

#include "hairline.h"

#include <QImage>

using namespace stimmung;

namespace {

// Device pixels of the vertical line drawn at logical x (and of nothing else).
int WidthOfVerticalLine(qreal dpr, qreal x) {
    QImage image(QSize(40, 20) * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        DrawHairline(p, Qt::black, QPointF(x, 2), QPointF(x, 15), dpr);
    }
    const int row = static_cast<int>(8 * dpr);
    int black = 0;
    for (int column = 0; column < image.width(); ++column)
        if (qRed(image.pixel(column, row)) < 128) ++black;
    return black;
}

int DotPixels(qreal dpr, QPointF at) {
    QImage image(QSize(20, 20) * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.fillRect(HairlineDot(at, dpr), Qt::black);
    }
    int black = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qRed(image.pixel(x, y)) < 128) ++black;
    return black;
}

} // namespace

class TestHairline : public QObject {
    Q_OBJECT

private slots:
    void lineWidthIsEvenEverywhere_data() {
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<int>("devicePixels");
        QTest::newRow("scale 1") << 1.0 << 1;
        QTest::newRow("scale 1.25") << 1.25 << 1;
        QTest::newRow("scale 1.5") << 1.5 << 2;
        QTest::newRow("scale 2") << 2.0 << 2;
    }
    void lineWidthIsEvenEverywhere() {
        QFETCH(qreal, dpr);
        QFETCH(int, devicePixels);
        for (qreal x : {3.0, 4.0, 5.0, 6.0, 7.0, 10.5, 11.25, 20.0, 33.0})
            QCOMPARE(WidthOfVerticalLine(dpr, x), devicePixels);
    }

    void dotIsWholeDevicePixels() {
        QCOMPARE(DotPixels(1.0, {5, 5}), 1);
        QCOMPARE(DotPixels(1.5, {5, 5}), 4);
        QCOMPARE(DotPixels(1.5, {6, 7}), 4);
        QCOMPARE(DotPixels(2.0, {5.7, 5.2}), 4);
    }

    void lineStartsAtItsPointsDevicePixel() {
        // Logical x 5 at scale 1.5 is device pixel 7.5: the line covers 7 and 8.
        QCOMPARE(HairlineCentre(QPointF(5, 5), 1.5).x() * 1.5, 8.0);
        QCOMPARE(HairlineCentre(QPointF(4, 4), 1.0).x(), 4.5);
    }
};

QTEST_GUILESS_MAIN(TestHairline)
#include "test_hairline.moc"
