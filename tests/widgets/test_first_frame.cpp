// SPDX-License-Identifier: GPL-3.0-or-later
// Work put off until the window's first frame: it runs once, not before the
// window has painted, and also when the window never paints.
#include <QtTest>

#include "first_frame.h"

#include <QPainter>
#include <QWidget>

using namespace std::chrono_literals;

namespace {

// Notes whether it has painted when the task runs.
class PaintingWidget : public QWidget {
public:
    bool painted = false;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::white);
        painted = true;
        ++paints;
    }
};

} // namespace

class TestFirstFrame : public QObject {
    Q_OBJECT

private slots:
    void runsOnceAfterTheFirstPaint() {
        PaintingWidget window;
        window.resize(200, 100);
        int runs = 0;
        bool paintedBefore = false;
        stimmung::AfterFirstFrame(&window, [&] {
            ++runs;
            paintedBefore = window.painted;
        }, 5000ms);
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0); // not shown, not painted: nothing yet
        window.show();
        QTRY_COMPARE_WITH_TIMEOUT(runs, 1, 3000);
        QVERIFY(paintedBefore);
        window.update();
        QTRY_VERIFY(window.paints >= 2);
        QCOMPARE(runs, 1);
        QTRY_VERIFY(window.children().isEmpty()); // the watcher is gone: nothing can run again
    }

    void runsAfterTheFallbackWhenNeverPainted() {
        QWidget window;
        int runs = 0;
        stimmung::AfterFirstFrame(&window, [&] { ++runs; }, 50ms);
        QTRY_COMPARE_WITH_TIMEOUT(runs, 1, 2000);
        QTRY_VERIFY(window.children().isEmpty()); // the watcher is gone: nothing can run again
        QCOMPARE(runs, 1);
    }

    void nothingRunsWhenTheWindowGoesFirst() {
        int runs = 0;
        {
            QWidget window;
            stimmung::AfterFirstFrame(&window, [&] { ++runs; }, 20ms);
        }
        // Timers fire in the order of their deadlines: once a later one has,
        // the fallback would have too.
        QTimer later;
        later.setSingleShot(true);
        QSignalSpy fired(&later, &QTimer::timeout);
        later.start(40ms);
        QVERIFY(fired.wait(5000));
        QCOMPARE(runs, 0);
    }
};

QTEST_MAIN(TestFirstFrame)
#include "test_first_frame.moc"
