#include "readout_text.h"

#include "numbers.h"

#include <cmath>

namespace stimmung::app {

std::string ReadoutText(float ratio, double baseHz) {
    const double x = ratio;
    const float cut = static_cast<float>(std::floor(x * 1000) / 1000);
    return NumberText(cut) + "  entspricht  " + NumberText(std::floor(x * baseHz)) + " Hz";
}

} // namespace stimmung::app
