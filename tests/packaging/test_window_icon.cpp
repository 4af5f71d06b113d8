// SPDX-License-Identifier: GPL-3.0-or-later
// The window carries the same icon that the menu entry installs: every size
// of the hicolor theme comes out of the window icon pixel for pixel, also on
// a screen of scale 2, where a 16 px title-bar icon is drawn from 32 pixels.
#include "main_window.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTest>

namespace {

// Pixels that differ, compared premultiplied as the icon keeps them (the
// scale a pixmap is meant for does not matter here).
int DifferingPixels(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int differing = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) differing += x.pixel(col, row) != y.pixel(col, row);
    return differing;
}

} // namespace

class TestWindowIcon : public QObject {
    Q_OBJECT

private slots:
    void iconOfEverySize_data() {
        QTest::addColumn<int>("logicalSize");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("fileSize");
        QTest::newRow("16 px menu") << 16 << 1.0 << 16;
        QTest::newRow("32 px title bar") << 32 << 1.0 << 32;
        QTest::newRow("48 px launcher") << 48 << 1.0 << 48;
        QTest::newRow("256 px software centre") << 256 << 1.0 << 256;
        QTest::newRow("16 px at scale 2") << 16 << 2.0 << 32;
        QTest::newRow("24 px at scale 2") << 24 << 2.0 << 48;
        QTest::newRow("128 px at scale 2") << 128 << 2.0 << 256;
    }
    void iconOfEverySize() {
        QFETCH(int, logicalSize);
        QFETCH(double, scale);
        QFETCH(int, fileSize);
        stimmung::MainWindow window;
        const QIcon icon = window.window().widget()->windowIcon();
        const QPixmap pixmap = icon.pixmap(QSize(logicalSize, logicalSize), scale);
        QVERIFY2(!pixmap.isNull(), "the window icon has no picture: its resources are not in the program");

        const QString file = QStringLiteral(STIMMUNG_ICON_DIR "/stimmung-%1.png").arg(fileSize);
        const QImage expected(file);
        QVERIFY2(!expected.isNull(), qPrintable(file));
        const QImage actual = pixmap.toImage();
        QCOMPARE(actual.size(), expected.size());
        QCOMPARE(DifferingPixels(actual, expected), 0);
    }
};

QTEST_MAIN(TestWindowIcon)
#include "test_window_icon.moc"
