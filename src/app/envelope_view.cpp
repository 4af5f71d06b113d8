// SPDX-License-Identifier: GPL-3.0-or-later
#include "envelope_view.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace stimmung::app {

namespace {

constexpr double kWidth = 720;
constexpr double kPanelHeight = 130;
constexpr double kLabelHeight = 24;
constexpr double kAxisHeight = 22;
constexpr double kLeft = 40;
constexpr double kRight = 28;
constexpr QColor kTraceColour{0, 90, 160};

QFont PixelFont(int px, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(px);
    font.setBold(bold);
    return font;
}

// The fade-in and the smoothing's start are left out of the scale.
constexpr double kSteadyFromSeconds = 0.1;
// The least swell the scale shows over its full height, as a share of the mean.
constexpr double kLeastSpan = 0.01;

struct Steady {
    double mean = 0;
    double span = 0; // the largest departure from the mean, as a share of it
};

Steady SteadyPart(const Envelope& e) {
    const auto from = static_cast<std::size_t>(kSteadyFromSeconds * e.rateHz);
    const auto to = std::min(e.rms.size(), static_cast<std::size_t>(kShownSeconds * e.rateHz));
    Steady steady;
    if (from >= to) return steady;
    for (std::size_t i = from; i < to; ++i) steady.mean += e.rms[i];
    steady.mean /= static_cast<double>(to - from);
    if (!(steady.mean > 0)) return steady;
    for (std::size_t i = from; i < to; ++i) steady.span = std::max(steady.span, std::abs(e.rms[i] / steady.mean - 1));
    return steady;
}

void PaintTrace(QPainter& p, const EnvelopeTrace& trace, double top, double span) {
    const double plotTop = top + kLabelHeight, plotHeight = kPanelHeight - kLabelHeight - kAxisHeight;
    const double plotWidth = kWidth - kLeft - kRight;
    const QRectF plot(kLeft, plotTop, plotWidth, plotHeight);
    p.setPen(Qt::black);
    p.setFont(PixelFont(14, true));
    p.drawText(QRectF(kLeft, top, plotWidth, kLabelHeight), Qt::AlignLeft | Qt::AlignVCenter, trace.label);
    p.setPen(QPen(Qt::gray, 1));
    p.drawRect(plot);
    p.setFont(PixelFont(11));
    for (int tick = 0; tick <= 4; ++tick) {
        const double seconds = kShownSeconds * tick / 4, x = kLeft + plotWidth * tick / 4;
        p.setPen(QPen(Qt::gray, 1));
        p.drawLine(QPointF(x, plotTop + plotHeight), QPointF(x, plotTop + plotHeight + 4));
        p.setPen(Qt::black);
        p.drawText(QRectF(x - 30, plotTop + plotHeight + 4, 60, kAxisHeight - 4), Qt::AlignCenter,
                   QString::number(seconds, 'f', 1) + QStringLiteral(" s"));
    }
    p.drawText(QRectF(0, plotTop, kLeft - 4, plotHeight), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("±%1 %").arg(QString::number(span * 100, 'f', 1)));
    const Envelope& e = trace.envelope;
    const Steady steady = SteadyPart(e);
    if (e.rms.empty() || !(steady.mean > 0) || !(e.rateHz > 0)) return;
    QPainterPath path;
    const auto shown = std::min(e.rms.size(), static_cast<std::size_t>(kShownSeconds * e.rateHz));
    const double middle = plotTop + plotHeight / 2;
    for (std::size_t i = 0; i < shown; ++i) {
        const double share = std::clamp((e.rms[i] / steady.mean - 1) / span, -1.0, 1.0);
        const QPointF at(kLeft + plotWidth * (i / e.rateHz) / kShownSeconds, middle - share * 0.45 * plotHeight);
        if (i == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    p.save();
    p.setClipRect(plot);
    p.setPen(QPen(kTraceColour, 1.5));
    p.drawPath(path);
    p.restore();
}

} // namespace

QSizeF EnvelopePictureSize() { return {kWidth, 2 * kPanelHeight}; }

void PaintEnvelopes(QPainter& p, const EnvelopePicture& picture) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(QRectF(QPointF(0, 0), EnvelopePictureSize()), Qt::white);
    // One scale for both, so a steady sound stays flat beside one that beats.
    double span = kLeastSpan;
    for (const EnvelopeTrace& t : picture.traces) span = std::max(span, SteadyPart(t.envelope).span);
    for (std::size_t i = 0; i < picture.traces.size(); ++i) PaintTrace(p, picture.traces[i], i * kPanelHeight, span);
}

EnvelopeView::EnvelopeView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Lautstärkeverlauf von A und B"));
    setZoomPercent(100);
}

void EnvelopeView::setPicture(EnvelopePicture picture) {
    picture_ = std::move(picture);
    setAccessibleDescription(picture_.traces[0].label + QStringLiteral("; ") + picture_.traces[1].label);
    update();
}

void EnvelopeView::setZoomPercent(int percent) {
    zoom_ = percent;
    setFixedSize((EnvelopePictureSize() * percent / 100.0).toSize());
    update();
}

void EnvelopeView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.scale(zoom_ / 100.0, zoom_ / 100.0);
    PaintEnvelopes(p, picture_);
}

Picture EnvelopeView::picture() const {
    return {EnvelopePictureSize(), QStringLiteral("Schwebungen"),
            [picture = picture_](QPainter& p) { PaintEnvelopes(p, picture); }};
}

QImage EnvelopeView::image() const { return PictureImage(picture(), zoom_, devicePixelRatioF()); }

bool EnvelopeView::save(const QString& path) const { return SavePicture(picture(), path, zoom_, devicePixelRatioF()); }

} // namespace stimmung::app
