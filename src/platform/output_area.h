// The output area: a picture box with a persistent image, a user coordinate
// system set by Scale, one shared drawing state (ForeColor, DrawWidth in
// pixels, FontSize in points, CurrentX/CurrentY in user units) and the drawing
// operations Cls, Line, PSet, Circle and Print. Every operation draws into the
// image at once (also before the window is shown) and repaints only the region
// it touched. The image is kept at the screen's device pixel ratio, so the
// drawing stays sharp at any display scale.
//
// Tests can switch on a trace: every operation is noted with the drawing state
// it used, so "six black ticks at these ratios" can be asserted exactly.
#pragma once

#include "controls.h"

#include <QImage>

#include <string>
#include <string_view>
#include <vector>

namespace stimmung {

enum class DrawKind { Scale, Cls, Line, PSet, Circle, Print };

struct DrawOp {
    DrawKind kind;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // Line, Scale: both points; PSet, Circle, Print: (x1, y1)
    double radius = 0;                     // Circle, in horizontal user units
    std::string text;                      // Print
    Rgb colour{};                          // ForeColor in force
    int width = 0;                         // DrawWidth in force
    double fontSize = 0;                   // FontSize in force
};

class OutputArea : public PictureBox {
public:
    // The interior is `interiorWidthPx` by `interiorHeightPx` logical pixels
    // inside a border of `borderPx` on each side.
    OutputArea(std::string name, Container* container, int borderPx);

    // Drawing state, shared by every drawing; set it before drawing.
    Rgb ForeColor = kBlack;
    int DrawWidth = 1;
    double FontSize = 18;      // points; the typeface is Times New Roman
    double CurrentX = 0;       // user units
    double CurrentY = 0;

    void Scale(double x1, double y1, double x2, double y2);
    void Cls();
    void Line(double x1, double y1, double x2, double y2);
    void PSet(double x, double y);
    void Circle(double x, double y, double radius);
    void Print(std::string_view text);

    // The user coordinate system, and the mapping to logical pixels of the
    // widget (border included).
    double toPixelX(double x) const override;
    double toPixelY(double y) const override;
    double fromPixelX(double px) const override;
    double fromPixelY(double py) const override;
    QSizeF interiorSize() const;

    // The persistent image (interior only), at the device pixel ratio.
    const QImage& image() const { return image_; }
    // The colour of the image at a logical interior pixel (x to the right, y down).
    Rgb pixelAt(int x, int y) const;

    void setTracing(bool on) { tracing_ = on; }
    const std::vector<DrawOp>& trace() const { return trace_; }
    void clearTrace() { trace_.clear(); }

protected:
    void paintInterior(QPainter& painter, const QRect& dirty) override;
    void interiorResized() override;

private:
    void note(DrawOp op);
    void touched(const QRectF& logicalRect);
    QPointF toInterior(double x, double y) const;
    void ensureImage();

    double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 0, scaleHeight_ = 0;
    bool scaled_ = false;
    QImage image_;
    bool tracing_ = false;
    std::vector<DrawOp> trace_;
};

} // namespace stimmung
