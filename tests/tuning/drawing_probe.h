// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the output area in the tuning tests: the traced operations of one
// kind, and whether the image really holds a traced colour near a user
// coordinate (interior 1045 x 229 logical pixels for x 0.9 to 2.1, y 0 to 6).
#pragma once

#include "output_area.h"

#include <cmath>
#include <vector>

namespace stimmung::test {

inline std::vector<DrawOp> OfKind(const std::vector<DrawOp>& ops, DrawKind kind) {
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops)
        if (op.kind == kind) out.push_back(op);
    return out;
}

inline int Px(double x) { return static_cast<int>(std::floor((x - 0.9) / 1.2 * 1045)); }
inline int Py(double y) { return static_cast<int>(std::floor(y / 6 * 229)); }

// Some pixel within `reach` pixels of (x, y) has exactly `colour`.
inline bool ColourNear(const OutputArea& pic, double x, double y, Rgb colour, int reach = 1) {
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (pic.pixelAt(Px(x) + dx, Py(y) + dy) == colour) return true;
    return false;
}

// Some pixel of the box from (x, y), w by h pixels, is mostly `colour`
// (glyphs and round shapes are antialiased at their edges).
inline bool TintIn(const OutputArea& pic, double x, double y, int w, int h, Rgb colour) {
    for (int py = Py(y); py < Py(y) + h; ++py)
        for (int px = Px(x); px < Px(x) + w; ++px) {
            const Rgb c = pic.pixelAt(px, py);
            if (std::abs(c.r - colour.r) < 70 && std::abs(c.g - colour.g) < 70 && std::abs(c.b - colour.b) < 70 &&
                !(c == kWhite))
                return true;
        }
    return false;
}

} // namespace stimmung::test
