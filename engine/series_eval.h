// Inline helpers of the series evaluation: the hot loop runs one of these per term.
#pragma once
#include <cmath>

namespace velkaro {

// The same arithmetic as Normalize360 (bit for bit), inlined; floor is done by
// conversion for the range the series produce, since std::floor is a library
// call without SSE4.1.
inline double Reduce360(double x) {
    double q = x * (1.0 / 360.0);
    double f;
    if (q > -4.0e15 && q < 4.0e15) {
        f = static_cast<double>(static_cast<long long>(q));
        if (f > q) f -= 1.0;
    } else {
        f = std::floor(q);
    }
    double r = x - 360.0 * f;
    if (r >= 360.0 || r < 0.0) r = 0.0;
    return r;
}

}  // namespace velkaro
