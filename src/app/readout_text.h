// The readout under the pointer in the output area, as Text3 shows it: the
// ratio cut to three decimals, "  entspricht  ", the frequency cut to whole
// Hz, " Hz". Plain C++, no Qt.
#pragma once

#include <string>

namespace stimmung::app {

// `ratio`: the pointer's x in the output area (a frequency ratio, about 0.9
// to 2.1, any value while a button is held outside); `baseHz`: the base
// frequency. The ratio is cut in double precision and kept as a
// single-precision number (0.95f, held as 0.94999..., reads ".949"); the
// frequency floor(ratio x base) is written in double precision.
std::string ReadoutText(float ratio, double baseHz);

} // namespace stimmung::app
