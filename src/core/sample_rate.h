// SPDX-License-Identifier: GPL-3.0-or-later
// The rate of every sound the program makes, played or saved, in frames per
// second (one channel).
#pragma once

namespace stimmung {

inline constexpr int kSampleRate = 48000;

} // namespace stimmung
