// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_area.h"

#include "fonts.h"
#include "hairline.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace stimmung {

namespace {

QFont TextFont(double points) {
    QFont font(QString::fromUtf8(kTimes));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(FontPixels(points));
    return font;
}

// Keeps far-away coordinates (a pointer dragged outside the area) from
// overflowing the painter's integer arithmetic.
double Tame(double v) { return std::isfinite(v) ? std::clamp(v, -1e6, 1e6) : 0.0; }

DrawOp Op(DrawKind kind, double x1 = 0, double y1 = 0, double x2 = 0, double y2 = 0) {
    DrawOp op{};
    op.kind = kind;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    return op;
}

} // namespace

OutputArea::OutputArea(std::string name, Container* container, int borderPx)
        : PictureBox(std::move(name), -1, container, borderPx) {
    widget()->setAttribute(Qt::WA_StaticContents);
}

QSizeF OutputArea::interiorSize() const {
    const int b = borderPx();
    return QSizeF(std::max(1, widget()->width() - 2 * b), std::max(1, widget()->height() - 2 * b));
}

QSizeF OutputArea::baseInteriorSize() const {
    const double z = zoom();
    return z == 1.0 ? interiorSize() : interiorSize() / z;
}

void OutputArea::ensureImage() {
    const QSize logical = interiorSize().toSize();
    qreal dpr = widget()->isVisible() ? widget()->devicePixelRatioF() : qApp->devicePixelRatio();
    if (!image_.isNull() && image_.deviceIndependentSize().toSize() == logical && image_.devicePixelRatio() == dpr)
        return;
    QImage fresh(logical * dpr, QImage::Format_RGB32);
    fresh.setDevicePixelRatio(dpr);
    fresh.fill(ToQColor(BackColor()));
    image_ = std::move(fresh);
    // A new size (zoom) or display scale: everything drawn is drawn again, sharp.
    if (!shown_.empty()) {
        QPainter p(&image_);
        replay(p, QRectF(QPointF(0, 0), interiorSize()), false);
    }
}

void OutputArea::interiorResized() { ensureImage(); }

// ---- coordinates -----------------------------------------------------------

double OutputArea::toPixelX(double x) const {
    if (!scaled_) return PictureBox::toPixelX(x);
    return borderPx() + (x - scaleLeft_) / scaleWidth_ * interiorSize().width();
}

double OutputArea::toPixelY(double y) const {
    if (!scaled_) return PictureBox::toPixelY(y);
    return borderPx() + (y - scaleTop_) / scaleHeight_ * interiorSize().height();
}

double OutputArea::fromPixelX(double px) const {
    if (!scaled_) return PictureBox::fromPixelX(px);
    return scaleLeft_ + (px - borderPx()) / interiorSize().width() * scaleWidth_;
}

double OutputArea::fromPixelY(double py) const {
    if (!scaled_) return PictureBox::fromPixelY(py);
    return scaleTop_ + (py - borderPx()) / interiorSize().height() * scaleHeight_;
}

QPointF OutputArea::toBase(const Canvas& c, double x, double y) {
    if (!c.scale.set) return QPointF(Tame(x / kTwipsPerPixel), Tame(y / kTwipsPerPixel));
    return QPointF(Tame((x - c.scale.left) / c.scale.width * c.base.width()),
                   Tame((y - c.scale.top) / c.scale.height * c.base.height()));
}

// ---- drawing operations ----------------------------------------------------

void OutputArea::note(DrawOp op) {
    op.colour = ForeColor;
    op.width = DrawWidth;
    op.fontSize = FontSize;
    if (tracing_) trace_.push_back(op);
    if (op.kind == DrawKind::Cls) {
        shown_.clear();
        shownFrom_ = UserScale{scaleLeft_, scaleTop_, scaleWidth_, scaleHeight_, scaled_};
    } else {
        shown_.push_back(std::move(op));
    }
}

QRectF OutputArea::render(QPainter& p, const DrawOp& op, Canvas& c) {
    const int w = std::max(1, op.width);
    const QColor colour = ToQColor(op.colour);
    switch (op.kind) {
    case DrawKind::Scale:
        if (op.x2 != op.x1 && op.y2 != op.y1) c.scale = UserScale{op.x1, op.y1, op.x2 - op.x1, op.y2 - op.y1, true};
        return {};
    case DrawKind::Cls: return {};
    case DrawKind::Line: {
        QPointF a = toBase(c, op.x1, op.y1), b = toBase(c, op.x2, op.y2);
        if (w == 1) {
            DrawHairline(p, colour, a, b, c.hairlineDpr);
        } else {
            p.setPen(QPen(colour, w, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(a, b);
        }
        return QRectF(a, b).normalized().adjusted(-w, -w, w, w);
    }
    case DrawKind::PSet: {
        QPointF centre = toBase(c, op.x1, op.y1);
        if (w == 1) {
            p.fillRect(HairlineDot(centre, c.hairlineDpr), colour);
        } else {
            // A filled round dot of DrawWidth pixels diameter centred on the point.
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawEllipse(centre, w / 2.0, w / 2.0);
        }
        return QRectF(centre.x() - w, centre.y() - w, 2 * w, 2 * w);
    }
    case DrawKind::Circle: {
        QPointF centre = toBase(c, op.x1, op.y1);
        // The radius is in horizontal units; the circle is round on the screen.
        double r = c.scale.set ? Tame(std::abs(op.radius) / std::abs(c.scale.width) * c.base.width())
                               : Tame(std::abs(op.radius) / kTwipsPerPixel);
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(colour, w));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, r, r);
        p.restore();
        return QRectF(centre.x() - r - w, centre.y() - r - w, 2 * (r + w), 2 * (r + w));
    }
    case DrawKind::Print: {
        const QString s = QString::fromStdString(op.text);
        const QFont font = TextFont(op.fontSize);
        const QFontMetricsF metrics(font);
        QPointF topLeft = toBase(c, op.x1, op.y1);
        p.save();
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        p.setPen(colour);
        // Transparent background: the drawing under the glyphs stays visible.
        p.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), s);
        p.restore();
        return QRectF(topLeft, QSizeF(metrics.horizontalAdvance(s) + metrics.maxWidth(), metrics.height()));
    }
    }
    return {};
}

void OutputArea::replay(QPainter& p, const QRectF& target, bool vector) const {
    const QSizeF base = baseInteriorSize();
    const double sx = target.width() / base.width(), sy = target.height() / base.height();
    p.save();
    p.fillRect(target, ToQColor(BackColor()));
    p.setClipRect(target);
    p.translate(target.topLeft());
    p.scale(sx, sy);
    Canvas canvas{shownFrom_, base, vector ? 1.0 : p.device()->devicePixelRatioF() * sx};
    for (const DrawOp& op : shown_) render(p, op, canvas);
    p.restore();
}

void OutputArea::draw(const DrawOp& op) {
    ensureImage();
    const QSizeF base = baseInteriorSize();
    const double sx = interiorSize().width() / base.width(), sy = interiorSize().height() / base.height();
    Canvas canvas{UserScale{scaleLeft_, scaleTop_, scaleWidth_, scaleHeight_, scaled_}, base,
                  image_.devicePixelRatio() * sx};
    QRectF touchedBase;
    {
        QPainter p(&image_);
        if (sx != 1.0 || sy != 1.0) p.scale(sx, sy);
        touchedBase = render(p, op, canvas);
    }
    touched(QRectF(touchedBase.x() * sx, touchedBase.y() * sy, touchedBase.width() * sx, touchedBase.height() * sy));
}

void OutputArea::touched(const QRectF& logicalRect) {
    QRect r = logicalRect.toAlignedRect().adjusted(-2, -2, 2, 2).translated(borderPx(), borderPx());
    widget()->update(r);
}

void OutputArea::Scale(double x1, double y1, double x2, double y2) {
    note(Op(DrawKind::Scale, x1, y1, x2, y2));
    if (x2 == x1 || y2 == y1) return; // an empty rectangle would divide by zero
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleWidth_ = x2 - x1;
    scaleHeight_ = y2 - y1;
    scaled_ = true;
    repositionScaledChildren();
}

void OutputArea::Cls() {
    note(Op(DrawKind::Cls));
    ensureImage();
    image_.fill(ToQColor(BackColor()));
    CurrentX = 0;
    CurrentY = 0;
    widget()->update();
}

void OutputArea::Line(double x1, double y1, double x2, double y2) {
    note(Op(DrawKind::Line, x1, y1, x2, y2));
    draw(shown_.back());
}

void OutputArea::PSet(double x, double y) {
    note(Op(DrawKind::PSet, x, y));
    draw(shown_.back());
}

void OutputArea::Circle(double x, double y, double radius) {
    DrawOp op = Op(DrawKind::Circle, x, y);
    op.radius = radius;
    note(std::move(op));
    draw(shown_.back());
}

void OutputArea::Print(std::string_view text) {
    DrawOp op = Op(DrawKind::Print, CurrentX, CurrentY);
    op.text = std::string(text);
    note(std::move(op));
    draw(shown_.back());
    const QFontMetricsF metrics(TextFont(FontSize));
    // The text position moves to the start of the next text line.
    CurrentX = scaled_ ? scaleLeft_ : 0;
    CurrentY +=
        scaled_ ? metrics.height() / baseInteriorSize().height() * scaleHeight_ : metrics.height() * kTwipsPerPixel;
}

// ---- showing ---------------------------------------------------------------

void OutputArea::paintInterior(QPainter& painter, const QRect&) {
    ensureImage();
    const int b = borderPx();
    painter.drawImage(QPointF(b, b), image_);
}

Rgb OutputArea::pixelAt(int x, int y) const {
    if (image_.isNull()) return BackColor();
    const qreal dpr = image_.devicePixelRatio();
    int dx = static_cast<int>(std::floor((x + 0.5) * dpr));
    int dy = static_cast<int>(std::floor((y + 0.5) * dpr));
    if (dx < 0 || dy < 0 || dx >= image_.width() || dy >= image_.height()) return BackColor();
    QRgb c = image_.pixel(dx, dy);
    return Rgb{static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
               static_cast<std::uint8_t>(qBlue(c))};
}

} // namespace stimmung
