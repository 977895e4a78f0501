#pragma once
// Degrees to radians and the rotation by a small angle, shared by the readers that carry a
// direction from one angle to the next instead of calling cos and sin at every angle.

#include <cmath>

namespace analysis {

// Degrees to radians as pi times the constant 1/180 (not pi / 180): the last bit matters
// where a point sits on a half-pixel boundary.
inline constexpr double stopien = M_PI * (1.0 / 180.0);

// cos and sin of one angle.
struct Obrot {
    double cos;
    double sin;
};

// cos and sin of a small angle d (|d| <= 0.02 rad) from their series, to within 1e-17.
inline Obrot obrot(double d) {
    const double d2 = d * d;
    return {1.0 - d2 * (0.5 - d2 * (1.0 / 24.0 - d2 * (1.0 / 720.0))),
            d * (1.0 - d2 * (1.0 / 6.0 - d2 * (1.0 / 120.0 - d2 * (1.0 / 5040.0))))};
}

} // namespace analysis
