// SPDX-License-Identifier: GPL-3.0-or-later
#include "temperament_drawing.h"

namespace stimmung::app {

namespace {

// A label at 8 points, per character and between two labels, in ratio units
// at the width the drawing is laid out in.
constexpr double kCharWidth = 0.0065;
constexpr double kLabelGap = 0.006;
// The label starts just right of its tick, clear of a marker line standing
// on the same note.
constexpr double kLabelOffset = 0.005;

// The constructions rely on the state the last drawing left behind.
class KeptDrawingState {
public:
    explicit KeptDrawingState(OutputArea& pic)
        : pic_(pic), colour_(pic.ForeColor), width_(pic.DrawWidth), font_(pic.FontSize), x_(pic.CurrentX),
          y_(pic.CurrentY) {}
    ~KeptDrawingState() {
        pic_.ForeColor = colour_;
        pic_.DrawWidth = width_;
        pic_.FontSize = font_;
        pic_.CurrentX = x_;
        pic_.CurrentY = y_;
    }
    KeptDrawingState(const KeptDrawingState&) = delete;
    KeptDrawingState& operator=(const KeptDrawingState&) = delete;

private:
    OutputArea& pic_;
    Rgb colour_;
    int width_;
    double font_, x_, y_;
};

} // namespace

int DrawScaleTicks(OutputArea& pic, std::span<const tuning::ScaleNote> notes) {
    const tuning::TickPlan plan = tuning::PlanTicks(notes, kCharWidth, kLabelGap);
    KeptDrawingState kept(pic);
    pic.ForeColor = kTemperamentColour;
    pic.DrawWidth = 2;
    pic.FontSize = kTickFontSize;
    for (const tuning::PlacedTick& tick : plan.ticks) {
        pic.Line(tick.ratio, kTickTop, tick.ratio, kTickBottom);
        if (tick.label.empty()) continue;
        pic.CurrentX = tick.ratio + kLabelOffset;
        pic.CurrentY = kLabelRowTop[tick.row];
        pic.Print(tick.label);
    }
    return plan.leftOut;
}

} // namespace stimmung::app
