#pragma once

#include <cmath>
#include <numbers>

namespace dorvek::test {

// Integrate's twelve steps as a plain double loop, written from the description of
// the method and sharing no code with it: the density as the reciprocal of the
// exponential, the step by one division of the span, the abscissa by repeated
// addition, the interior points first, then f(A), then f(B), and the final product
// grouped as (C * (H / 2)) * ((FA + FB) + 2 * S). The tests expect Integrate to give
// its bits exactly; the benchmark times Integrate against it.
inline double plainDensity(double x) {
    double y = x * x;
    y = y / 2;
    const double e = std::exp(y);
    return 1 / e;
}

inline double plainDoubleProbability(double A, double B) {
    const int N = 10000;
    double S = 0;
    const double H = (B - A) / N;
    double X = A;
    for (int i = 1; i <= N - 1; ++i) {
        X = X + H;
        S = S + plainDensity(X);
    }
    const double C = 1 / std::sqrt(2 * std::numbers::pi);
    const double FA = plainDensity(A);
    const double FB = plainDensity(B);
    return (C * (H / 2)) * ((FA + FB) + 2 * S);
}

} // namespace dorvek::test
