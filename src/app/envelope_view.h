// SPDX-License-Identifier: GPL-3.0-or-later
// The loudness of two sounds over their first two seconds, one above the
// other, each with its label and beat rates, as departures from the mean
// on one scale for both: the beats seen as they are heard. Painted with vectors at 100 % in logical pixels; the widget
// shows it at the window's zoom, and it saves as PNG or SVG and copies.
#pragma once

#include "envelope.h"
#include "picture_export.h"

#include <QString>
#include <QWidget>

#include <array>

namespace stimmung::app {

// Seconds of each sound the picture shows.
inline constexpr double kShownSeconds = 2.0;

struct EnvelopeTrace {
    QString label;     // "A: …", with its beats
    Envelope envelope; // drawn as its departure from its steady mean
};

struct EnvelopePicture {
    std::array<EnvelopeTrace, 2> traces;
};

// The picture at 100 %.
QSizeF EnvelopePictureSize();
void PaintEnvelopes(QPainter& p, const EnvelopePicture& picture);

class EnvelopeView : public QWidget {
public:
    explicit EnvelopeView(QWidget* parent);
    void setPicture(EnvelopePicture picture);
    void setZoomPercent(int percent);

    // At the zoom shown times the display scale.
    QImage image() const;
    bool save(const QString& path) const; // ".svg" vectors, else PNG

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture picture() const;

    EnvelopePicture picture_;
    int zoom_ = 100;
};

} // namespace stimmung::app
