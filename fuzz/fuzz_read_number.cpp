// SPDX-License-Identifier: GPL-3.0-or-later
// ReadNumber on arbitrary bytes: it must never crash, never yield infinity or
// NaN, never yield a negative zero, and skipping blanks must not change what
// a text reads as.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = stimmung::ReadNumber(text);
    if (!std::isfinite(value)) std::abort();
    if (value == 0 && std::signbit(value)) std::abort();

    // Blanks are skipped wherever they stand, so a copy without them reads the same.
    std::string squeezed;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') squeezed += c;
    const double again = stimmung::ReadNumber(squeezed);
    if (!(again == value)) std::abort();
    return 0;
}
