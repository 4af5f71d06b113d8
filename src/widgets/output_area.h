// SPDX-License-Identifier: GPL-3.0-or-later
// The output area: a picture box with a persistent image, a user coordinate
// system set by Scale, one shared drawing state (ForeColor, DrawWidth in
// pixels, FontSize in points, CurrentX/CurrentY in user units) and the drawing
// operations Cls, Line, PSet, Circle and Print. Every operation draws into the
// image at once (also before the window is shown) and repaints only the region
// it touched. The image is kept at the screen's device pixel ratio, so the
// drawing stays sharp at any display scale.
//
// Everything drawn since the last Cls is also kept as a list of operations in
// user coordinates, with the state each used: the image is drawn again from it,
// sharp, when the area changes size (zoom) or display scale, and any painter
// can replay it (saving, copying and printing the drawing).
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

// The font size the output area starts with and returns to when cleared, in points.
inline constexpr double kStartFontSize = 18;

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
    double FontSize = kStartFontSize; // points; the typeface is Times New Roman
    double CurrentX = 0;  // user units
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
    // The interior at 100 % zoom: the size the drawing is laid out in.
    QSizeF baseInteriorSize() const;

    // The persistent image (interior only), at the device pixel ratio.
    const QImage& image() const { return image_; }
    // The colour of the image at a logical interior pixel (x to the right, y down).
    Rgb pixelAt(int x, int y) const;

    // Paints what has been drawn since the last Cls onto `painter`, the
    // interior filling `target` (in the painter's coordinates). `vector`:
    // hairlines as plain one-unit lines rather than snapped to a pixel grid.
    void replay(QPainter& painter, const QRectF& target, bool vector) const;

    void setTracing(bool on) { tracing_ = on; }
    const std::vector<DrawOp>& trace() const { return trace_; }
    void clearTrace() { trace_.clear(); }

protected:
    void paintInterior(QPainter& painter, const QRect& dirty) override;
    void interiorResized() override;

private:
    // The user rectangle in force, and what one operation needs to be drawn.
    struct UserScale {
        double left = 0, top = 0, width = 0, height = 0;
        bool set = false;
    };
    struct Canvas {
        UserScale scale;
        QSizeF base;       // interior at 100 %, logical pixels
        qreal hairlineDpr; // device pixels per base pixel; 1 for vector output
    };
    void note(DrawOp op);
    void draw(const DrawOp& op);
    // Draws one operation in base pixels; returns the base rectangle it touched.
    static QRectF render(QPainter& p, const DrawOp& op, Canvas& canvas);
    static QPointF toBase(const Canvas& canvas, double x, double y);
    void touched(const QRectF& logicalRect);
    void ensureImage();

    double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 0, scaleHeight_ = 0;
    bool scaled_ = false;
    UserScale shownFrom_;       // the user rectangle when shown_ began
    std::vector<DrawOp> shown_; // since the last Cls (or the start)
    QImage image_;
    bool tracing_ = false;
    std::vector<DrawOp> trace_;
};

} // namespace stimmung
