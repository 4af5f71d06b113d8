// SPDX-License-Identifier: GPL-3.0-or-later
// A colour as the window uses it: an RGB triple, each component 0 to 255.
#pragma once

#include <cstdint>

namespace stimmung {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};

} // namespace stimmung
