// SPDX-License-Identifier: GPL-3.0-or-later
// One-pixel lines and dots that stay crisp and even at any display scale.
// A line one logical pixel wide is 1.5 device pixels at scale 1.5; drawn
// as it is, it comes out one or two device pixels wide depending on where it
// falls. Here it becomes a whole number of device pixels (the scale rounded)
// and is placed on the device pixel grid, so every such line has one width.
// At scale 1 nothing changes: one pixel on the pixel's centre.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>

#include <algorithm>
#include <cmath>

namespace stimmung {

// The width of a one-pixel line in device pixels.
inline int HairlineDevicePixels(qreal dpr) { return std::max(1, static_cast<int>(std::lround(dpr))); }

// The logical point at the centre of the hairline that covers the device
// pixels from floor(p * dpr) on.
inline QPointF HairlineCentre(QPointF p, qreal dpr) {
    const qreal half = HairlineDevicePixels(dpr) / 2.0;
    return QPointF((std::floor(p.x() * dpr) + half) / dpr, (std::floor(p.y() * dpr) + half) / dpr);
}

// Draws a one-pixel line from a to b (logical points, top-left of their pixel)
// with a pen of whole device pixels, without antialiasing.
inline void DrawHairline(QPainter& p, const QColor& colour, QPointF a, QPointF b, qreal dpr) {
    p.setRenderHint(QPainter::Antialiasing, false);
    if (dpr == 1.0) {
        p.setPen(QPen(colour, 1, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(a + QPointF(0.5, 0.5), b + QPointF(0.5, 0.5));
        return;
    }
    QPen pen(colour, HairlineDevicePixels(dpr), Qt::SolidLine, Qt::SquareCap);
    pen.setCosmetic(true); // its width is in device pixels
    p.setPen(pen);
    p.drawLine(HairlineCentre(a, dpr), HairlineCentre(b, dpr));
}

// The logical rectangle of a one-pixel dot at p: whole device pixels.
inline QRectF HairlineDot(QPointF p, qreal dpr) {
    const qreal side = HairlineDevicePixels(dpr);
    return QRectF(std::floor(p.x() * dpr) / dpr, std::floor(p.y() * dpr) / dpr, side / dpr, side / dpr);
}

} // namespace stimmung
