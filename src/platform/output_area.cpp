#include "output_area.h"

#include "hairline.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace stimmung {

namespace {

// Points to logical pixels at 96 dots per inch; fonts snap to whole pixels.
int FontPixels(double points) {
    double px = points * 96.0 / 72.0;
    if (!(px >= 1)) return 1;
    return static_cast<int>(std::lround(std::min(px, 2000.0)));
}

QFont TextFont(double points) {
    QFont font(QStringLiteral("Times New Roman"));
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

void OutputArea::ensureImage() {
    const QSize logical = interiorSize().toSize();
    qreal dpr = widget()->isVisible() ? widget()->devicePixelRatioF() : qApp->devicePixelRatio();
    if (!image_.isNull() && image_.deviceIndependentSize().toSize() == logical && image_.devicePixelRatio() == dpr)
        return;
    QImage fresh(logical * dpr, QImage::Format_RGB32);
    fresh.setDevicePixelRatio(dpr);
    fresh.fill(ToQColor(BackColor()));
    if (!image_.isNull()) {
        // The window moved to a screen of another scale: keep what was drawn.
        QPainter p(&fresh);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(QPointF(0, 0), image_.deviceIndependentSize()), image_);
    }
    image_ = std::move(fresh);
}

void OutputArea::interiorResized() { ensureImage(); }

// ---- coordinates -----------------------------------------------------------

QPointF OutputArea::toInterior(double x, double y) const {
    return QPointF(Tame(toPixelX(x) - borderPx()), Tame(toPixelY(y) - borderPx()));
}

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

// ---- drawing operations ----------------------------------------------------

void OutputArea::note(DrawOp op) {
    if (!tracing_) return;
    op.colour = ForeColor;
    op.width = DrawWidth;
    op.fontSize = FontSize;
    trace_.push_back(std::move(op));
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
    ensureImage();
    QPointF a = toInterior(x1, y1), b = toInterior(x2, y2);
    const int w = std::max(1, DrawWidth);
    QPainter p(&image_);
    if (w == 1) {
        DrawHairline(p, ToQColor(ForeColor), a, b, image_.devicePixelRatio());
    } else {
        p.setPen(QPen(ToQColor(ForeColor), w, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, b);
    }
    touched(QRectF(a, b).normalized().adjusted(-w, -w, w, w));
}

void OutputArea::PSet(double x, double y) {
    note(Op(DrawKind::PSet, x, y));
    ensureImage();
    QPointF c = toInterior(x, y);
    const int w = std::max(1, DrawWidth);
    QPainter p(&image_);
    if (w == 1) {
        p.fillRect(HairlineDot(c, image_.devicePixelRatio()), ToQColor(ForeColor));
    } else {
        // A filled round dot of DrawWidth pixels diameter centred on the point.
        p.setPen(Qt::NoPen);
        p.setBrush(ToQColor(ForeColor));
        p.drawEllipse(c, w / 2.0, w / 2.0);
    }
    touched(QRectF(c.x() - w, c.y() - w, 2 * w, 2 * w));
}

void OutputArea::Circle(double x, double y, double radius) {
    DrawOp op = Op(DrawKind::Circle, x, y);
    op.radius = radius;
    note(std::move(op));
    ensureImage();
    QPointF c = toInterior(x, y);
    // The radius is in horizontal units; the circle is round on the screen.
    double r = scaled_ ? Tame(std::abs(radius) / std::abs(scaleWidth_) * interiorSize().width())
                       : Tame(std::abs(radius) / kTwipsPerPixel);
    const int w = std::max(1, DrawWidth);
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ToQColor(ForeColor), w));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    touched(QRectF(c.x() - r - w, c.y() - r - w, 2 * (r + w), 2 * (r + w)));
}

void OutputArea::Print(std::string_view text) {
    DrawOp op = Op(DrawKind::Print, CurrentX, CurrentY);
    op.text = std::string(text);
    note(std::move(op));
    ensureImage();
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFont font = TextFont(FontSize);
    const QFontMetricsF metrics(font);
    QPointF topLeft = toInterior(CurrentX, CurrentY);
    {
        QPainter p(&image_);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        p.setPen(ToQColor(ForeColor));
        // Transparent background: the drawing under the glyphs stays visible.
        p.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), s);
    }
    QRectF box(topLeft, QSizeF(metrics.horizontalAdvance(s) + metrics.maxWidth(), metrics.height()));
    touched(box);
    // The text position moves to the start of the next text line.
    CurrentX = scaled_ ? scaleLeft_ : 0;
    CurrentY += scaled_ ? metrics.height() / interiorSize().height() * scaleHeight_ : metrics.height() * kTwipsPerPixel;
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
