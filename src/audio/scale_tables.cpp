#include "scale_tables.h"

#include "numbers.h"

#include <cmath>

namespace stimmung::audio {

namespace {
using K = ScaleDegree::Kind;
constexpr ScaleDegree Base{K::Base};
constexpr ScaleDegree Octave{K::Octave};
constexpr ScaleDegree Frac(double a, double b) { return {K::Fraction, a, b}; }
constexpr ScaleDegree Const(double c) { return {K::Constant, c}; }
} // namespace

const FixedScale kPythagoreanScale = {
    Base, Frac(9, 8), Frac(81, 64), Frac(4, 3), Frac(3, 2), Frac(27, 16), Frac(243, 128), Octave,
};

const FixedScale kDidymosScale = {
    Base, Frac(9, 8), Frac(5, 4), Frac(4, 3), Frac(3, 2), Frac(5, 3), Frac(15, 8), Octave,
};

const FixedScale kTemperedScale = {
    Base, Const(1.122), Const(1.259), Const(1.334), Const(1.497), Const(1.681), Const(1.887), Octave,
};

double DegreeFrequency(const ScaleDegree& degree, double base) {
    switch (degree.kind) {
    case K::Base: return base;
    case K::Fraction: return base * degree.numerator / degree.denominator;
    case K::Constant: return base * degree.numerator;
    case K::Octave: return base + base;
    }
    return base;
}

std::optional<int> EqualStepCount(std::string_view text) {
    const double n = ReadNumber(text);
    // A text that reads 0 would divide by zero, a huge one would play for ever.
    if (!(n >= 2 && n <= 100) || n != std::floor(n)) return std::nullopt;
    return static_cast<int>(n);
}

} // namespace stimmung::audio
