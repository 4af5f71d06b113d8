// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of one pointer movement over the output area while marking is on: the
// mouse event through its binding (dot drawn, Text3 and the help line
// written) and the repaint it causes, with the window shown. Prints the
// median and the worst time in microseconds; marking should keep up with the
// pointer (well under a screen refresh).
#include "main_window.h"

#include <QApplication>
#include <QMouseEvent>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace stimmung;

namespace {

void MoveTo(QWidget* area, QPointF p) {
    QMouseEvent move(QEvent::MouseMove, p, area->mapToGlobal(p), Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &move);
}

struct Figures {
    double median, p99, worst;
};

Figures Measure(QWidget* area, int moves, bool repaint) {
    std::vector<double> micros;
    micros.reserve(moves);
    const double width = area->width() - 4, height = area->height() - 4;
    for (int i = 0; i < moves; ++i) {
        // A zigzag over the whole interior, a few pixels per move.
        const double x = 2 + std::fmod(i * 3.0, width);
        const double y = 2 + std::fmod(i * 0.7, height);
        const auto start = std::chrono::steady_clock::now();
        MoveTo(area, QPointF(x, y));
        if (repaint) QCoreApplication::processEvents(); // the region's repaint
        const auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(micros.begin(), micros.end());
    return {micros[micros.size() / 2], micros[micros.size() * 99 / 100], micros.back()};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    Form1& f = window.form();
    QWidget* area = f.picAusgabe->widget();

    // Marking on, as after a right-button press.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100, 100), area->mapToGlobal(QPointF(100, 100)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &press);

    constexpr int kMoves = 10000;
    Measure(area, 500, true); // warm-up
    const Figures handler = Measure(area, kMoves, false);
    const Figures withRepaint = Measure(area, kMoves, true);
    std::printf("picAusgabe_MouseMove with marking on, %d moves (microseconds)\n", kMoves);
    std::printf("  handler only:        median %8.1f   99%% %8.1f   worst %8.1f\n", handler.median, handler.p99,
                handler.worst);
    std::printf("  handler and repaint: median %8.1f   99%% %8.1f   worst %8.1f\n", withRepaint.median, withRepaint.p99,
                withRepaint.worst);
    return 0;
}
