// SPDX-License-Identifier: GPL-3.0-or-later
// A tuning by name: its notes with their names, as ratios over the base tone
// (the first note is the base tone, ratio 1). What a temperament or a Scala
// file hands to the windows that draw or sound it.
#pragma once

#include <string>
#include <vector>

namespace stimmung {

struct NamedTuning {
    std::string name;                   // shown in menus and lists, UTF-8
    std::vector<std::string> noteNames; // one per ratio: "c", "cis", ... or "1", "2", ...
    std::vector<double> ratios;         // over the base tone, the first 1
};

} // namespace stimmung
