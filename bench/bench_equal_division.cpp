// SPDX-License-Identifier: GPL-3.0-or-later
// How long the equal division takes to redraw: one ShowEqualDivision for
// N = 12 and N = 100, and a sweep of HScroll1 from 2 to 100 (one completed
// change per step). Prints the median and the worst time in milliseconds;
// a redraw should stay well inside one frame (16 ms). Run offscreen.
#include "equal_division_view.h"
#include "main_window.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace stimmung;

namespace {

struct Figures {
    double median, worst;
};

Figures Measure(int runs, const std::function<void()>& work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

void Report(const char* what, Figures f) {
    std::printf("%-42s median %8.3f ms   worst %8.3f ms\n", what, f.median, f.worst);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MainWindow window(false);
    Form1& f = window.form();

    for (int N : {12, 100}) {
        f.txtWurzel->setText(std::to_string(N));
        const std::string label = "ShowEqualDivision, N = " + std::to_string(N);
        Report(label.c_str(), Measure(200, [&] { tuning::ShowEqualDivision(f); }));
    }

    QScrollBar* bar = f.HScroll1->bar();
    Report("HScroll1 sweep 2 to 100 (99 changes)", Measure(10, [&] {
               bar->setValue(2);
               for (int v = 3; v <= 100; ++v) bar->setValue(v);
           }));
    return 0;
}
