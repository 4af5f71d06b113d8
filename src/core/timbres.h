// SPDX-License-Identifier: GPL-3.0-or-later
// The timbres a tone can sound with, in one table: each is the relative
// amplitudes of partials 1 to 16 (partial n at n times the note's frequency;
// amplitudes from 0 to 1, 0 where the partial is absent). Plain C++.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace stimmung {

inline constexpr int kPartials = 16;

// Index n - 1 holds partial n.
using PartialAmplitudes = std::array<double, kPartials>;

struct Timbre {
    std::string_view name; // as the menu shows it (German, UTF-8)
    PartialAmplitudes amplitudes;
};

// Every timbre, the default ("Sinus", the program's plain tone) first.
std::span<const Timbre> Timbres();
inline constexpr std::size_t kDefaultTimbre = 0;

// The row at `index`; the default where there is none.
const Timbre& TimbreAt(std::size_t index);
// The index of the timbre called `name`, if any.
std::optional<std::size_t> TimbreIndex(std::string_view name);

} // namespace stimmung
