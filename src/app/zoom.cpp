// SPDX-License-Identifier: GPL-3.0-or-later
#include "zoom.h"

#include "window.h"

#include <QFont>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace stimmung::app {

namespace {
constexpr int kZoomSteps[] = {100, 125, 150, 175, 200, 250, 300};
} // namespace

int NextZoomStep(int percent, int direction) {
    if (direction > 0) {
        for (int step : kZoomSteps)
            if (step > percent) return step;
        return std::end(kZoomSteps)[-1];
    }
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
        if (*it < percent) return *it;
    return kZoomSteps[0];
}

int ValidZoomStep(int percent) {
    return std::find(std::begin(kZoomSteps), std::end(kZoomSteps), percent) != std::end(kZoomSteps) ? percent : 100;
}

int FittingZoom(QSize content, QSize screen) {
    if (content.isEmpty()) return 100;
    const double fit = std::min(double(screen.width()) / content.width(), double(screen.height()) / content.height());
    return std::max(100, static_cast<int>(std::floor(fit * 100)));
}

void ApplyZoom(Window& window, int percent) {
    const double zoom = percent / 100.0;
    window.setZoom(zoom);
    for (const auto& control : window.controls()) {
        QWidget* w = control->widget();
        // The font size the builder gave the control is its size at 100 %.
        QVariant base = w->property("stimmungFontPx");
        if (!base.isValid()) {
            if (w->font().pixelSize() <= 0) continue;
            base = w->font().pixelSize();
            w->setProperty("stimmungFontPx", base);
        }
        QFont font = w->font();
        font.setPixelSize(ZoomedPixels(base.toInt(), zoom));
        w->setFont(font);
    }
}

} // namespace stimmung::app
