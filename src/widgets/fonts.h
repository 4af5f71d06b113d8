// SPDX-License-Identifier: GPL-3.0-or-later
// The layout's two typefaces (fontconfig serves them as the metric-compatible
// Liberation fonts) and how a size in points becomes pixels.
#pragma once

namespace stimmung {

inline constexpr const char* kTimes = "Times New Roman";
inline constexpr const char* kCourier = "Courier New";

// The layout's resolution: its twips and points are pixels at this many dots per inch.
inline constexpr double kLayoutDotsPerInch = 96;

// Points to logical pixels at the layout's resolution, snapped to whole
// pixels (at least one), so that the texts fit the layout on every screen.
int FontPixels(double points);

} // namespace stimmung
