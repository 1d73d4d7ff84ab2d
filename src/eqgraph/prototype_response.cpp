#include "eqgraph/prototype_response.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "eqgraph/nearest.h"

namespace zt {

namespace {

constexpr int kSteps = ResponseGrid::GridSteps;
constexpr int kLastUsedStep = kSteps - 1;

// Start of the stretched part of the axis: nearest(462 * K / 512).
int WarpStart(PrototypeWarp warp) {
    const int k = warp == PrototypeWarp::Shelf ? 120 : 140;
    return static_cast<int>(Nearest(kSteps * k / 512.0));
}

// phi = (2 sin(w/2))^2 per step; the same for every design that shares a warp, so it is
// computed once per warp.
using PhiTable = std::array<float, ResponseGrid::PointCount>;

PhiTable MakePhiTable(PrototypeWarp warp) {
    PhiTable phi{};
    for (int j = 0; j <= kSteps; ++j) {
        const double w = WarpedStep(j, warp) * std::numbers::pi / kSteps;
        const double s = 2.0 * std::sin(w / 2.0);
        phi[j] = static_cast<float>(s * s);
    }
    return phi;
}

const PhiTable& PhiOf(PrototypeWarp warp) {
    static const PhiTable none = MakePhiTable(PrototypeWarp::None);
    static const PhiTable shelf = MakePhiTable(PrototypeWarp::Shelf);
    static const PhiTable filter = MakePhiTable(PrototypeWarp::Filter);
    switch (warp) {
        case PrototypeWarp::Shelf:
            return shelf;
        case PrototypeWarp::Filter:
            return filter;
        default:
            return none;
    }
}

// |B(e^jw)|^2 written in phi: phi * (p * phi - cross) + sum^2, with the squared sum and the
// cross term kept as floats like the coefficients. The product c0 c2 stays unrounded: at the
// centre of a narrow band the terms nearly cancel, and a float product there would move the
// drawn peak by a quarter of a dB.
struct PowerPolynomial {
    double product;  // c0 c2
    float cross;     // c1 (c0 + c2) + 4 c0 c2
    float sumSq;     // (c0 + c1 + c2)^2

    PowerPolynomial(float c0, float c1, float c2) {
        const double p = static_cast<double>(c0) * c2;
        const double sum = static_cast<double>(c0) + c1 + c2;
        product = p;
        cross =
            static_cast<float>(static_cast<double>(c1) * (static_cast<double>(c0) + c2) + 4.0 * p);
        sumSq = static_cast<float>(sum * sum);
    }

    // Evaluated in double: near a zero of the filter the terms cancel to far below float
    // resolution, and the far ends of the steep filters live there.
    double operator()(double phi) const { return phi * (product * phi - cross) + sumSq; }
};

bool UsablePower(double v) {
    return v > 0.0 && std::isfinite(v);
}

}  // namespace

double WarpedStep(int step, PrototypeWarp warp) {
    if (warp == PrototypeWarp::None) return step;
    const int t = WarpStart(warp);
    const int h = kPrototypeCentreStep;
    const double stretch = static_cast<double>(h) / (h - t);
    if (step <= h) {
        // Shelves start the stretched axis at t itself (w = 0 there), filters one step later,
        // and below that the axis stays at step 1 rather than 0.
        const bool stretched = warp == PrototypeWarp::Shelf ? step >= t : step > t;
        return stretched ? (step - t) * stretch : 1.0;
    }
    return step <= kSteps - t ? h + (step - h) * stretch : static_cast<double>(kLastUsedStep);
}

void PrototypeResponse(const Biquad& design, PrototypeWarp warp, PrototypeArray& proto) {
    const PhiTable& phi = PhiOf(warp);
    const PowerPolynomial num(design.b0, design.b1, design.b2);
    const PowerPolynomial den(design.a0, design.a1, design.a2);
    float previous = 0.0f;
    for (int j = 0; j <= kLastUsedStep; ++j) {
        const double n = num(phi[j]);
        const double d = den(phi[j]);
        if (UsablePower(n) && UsablePower(d)) {
            const double db = 10.0 * std::log10(n / d);
            if (std::isfinite(db)) previous = static_cast<float>(db);
        }
        proto[j] = previous;
    }
    proto[kSteps] = proto[kLastUsedStep];
}

void LayOntoGrid(const PrototypeArray& proto, int centreIndex, float* out) {
    // Walking away from the centre in either direction takes successive prototype steps; past
    // the prototype's ends the outermost used step repeats.
    for (int k = 0; k <= kSteps; ++k) {
        const long step = static_cast<long>(kPrototypeCentreStep) + k - centreIndex;
        out[k] = proto[std::clamp(step, 0L, static_cast<long>(kLastUsedStep))];
    }
}

}  // namespace zt
