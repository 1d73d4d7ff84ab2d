#include "eqgraph/biquad_designs.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zt {

namespace {

struct Centre {
    double sw;
    double cw;
};

Centre PrototypeCentre() {
    // sin and cos of the float centre, themselves kept as floats.
    const double w0 = kPrototypeCentre;
    return {static_cast<float>(std::sin(w0)), static_cast<float>(std::cos(w0))};
}

Biquad Rounded(double b0, double b1, double b2, double a0, double a1, double a2) {
    return {static_cast<float>(b0), static_cast<float>(b1), static_cast<float>(b2),
            static_cast<float>(a0), static_cast<float>(a1), static_cast<float>(a2)};
}

double Amplitude(float gainDb) {
    return std::pow(10.0, gainDb / 40.0);
}

// Shelf alpha: the slope is clamped to 4 and nudged off zero; the absolute value keeps the
// root real for slopes and gains where the usual expression would turn negative.
double ShelfAlpha(double A, double sw, float slope) {
    const double S = std::min(static_cast<double>(slope), 4.0) + 0.001;
    return sw / 2.0 * std::sqrt(std::abs((A + 1.0 / A) * (1.0 / S - 1.0) + 2.0));
}

}  // namespace

Biquad PeakingDesign(float gainDb, float q) {
    const auto [sw, cw] = PrototypeCentre();
    const double A = Amplitude(gainDb);
    const double qs = (q + 0.01) / 0.35714285714285715;
    const double alpha = sw / (2.0 * qs);
    return Rounded(1.0 + alpha * A, -2.0 * cw, 1.0 - alpha * A,  //
                   1.0 + alpha / A, -2.0 * cw, 1.0 - alpha / A);
}

Biquad LowShelfDesign(float gainDb, float slope) {
    const auto [sw, cw] = PrototypeCentre();
    const double A = Amplitude(gainDb);
    const double r = 2.0 * std::sqrt(A) * ShelfAlpha(A, sw, slope);
    return Rounded(A * ((A + 1) - (A - 1) * cw + r), 2.0 * A * ((A - 1) - (A + 1) * cw),
                   A * ((A + 1) - (A - 1) * cw - r),  //
                   (A + 1) + (A - 1) * cw + r, -2.0 * ((A - 1) + (A + 1) * cw),
                   (A + 1) + (A - 1) * cw - r);
}

Biquad HighShelfDesign(float gainDb, float slope) {
    const auto [sw, cw] = PrototypeCentre();
    const double A = Amplitude(gainDb);
    const double r = 2.0 * std::sqrt(A) * ShelfAlpha(A, sw, slope);
    return Rounded(A * ((A + 1) + (A - 1) * cw + r), -2.0 * A * ((A - 1) + (A + 1) * cw),
                   A * ((A + 1) + (A - 1) * cw - r),  //
                   (A + 1) - (A - 1) * cw + r, 2.0 * ((A - 1) - (A + 1) * cw),
                   (A + 1) - (A - 1) * cw - r);
}

Biquad FirstOrderSection(PassKind kind) {
    const auto [sw, cw] = PrototypeCentre();
    const double a0 = 1.0 + sw + cw;
    const double a1 = sw - cw - 1.0;
    if (kind == PassKind::HighPass) return Rounded(1.0 + cw, -(1.0 + cw), 0.0, a0, a1, 0.0);
    return Rounded(sw, sw, 0.0, a0, a1, 0.0);
}

Biquad SecondOrderSection(PassKind kind, double divisor) {
    const auto [sw, cw] = PrototypeCentre();
    const double alpha = sw / divisor;
    const double a0 = 1.0 + alpha, a1 = -2.0 * cw, a2 = 1.0 - alpha;
    if (kind == PassKind::HighPass) {
        const double b0 = static_cast<float>((1.0 + cw) / 2.0);
        return Rounded(b0, -(1.0 + cw), b0, a0, a1, a2);
    }
    const double b0 = static_cast<float>((1.0 - cw) / 2.0);
    return Rounded(b0, 1.0 - cw, b0, a0, a1, a2);
}

Biquad BesselSection(PassKind kind) {
    return SecondOrderSection(kind, 1.1547005383792515);
}

Biquad ButterworthSection(PassKind kind) {
    return SecondOrderSection(kind, 1.4142135623730951);
}

Biquad ButterworthSection(PassKind kind, int order, int index) {
    const double theta = std::numbers::pi / order * (index + 0.5);
    return SecondOrderSection(kind, 2.0 * (1.0 / (2.0 * std::sin(theta))));
}

}  // namespace zt
