#pragma once
// A simulated room for the measurement's tests: cookbook filters run on a signal at 48 kHz,
// a delay for the sound card's latency, and the filters' exact magnitude to compare with.

#include <cmath>
#include <complex>
#include <cstddef>
#include <numbers>
#include <vector>

#include "eqgraph/cookbook_filter.h"

namespace zt::testing_support {

inline constexpr double kRoomRate = 48000.0;

// The signal through every filter in turn (direct form I in double), delayed by `delay`
// samples and followed by `tail` samples of the filters' ringing.
inline std::vector<float> ThroughRoom(const std::vector<float>& signal,
                                      const std::vector<CookbookFilter>& filters, std::size_t delay,
                                      std::size_t tail) {
    std::vector<double> x(delay + signal.size() + tail, 0.0);
    for (std::size_t i = 0; i < signal.size(); ++i) x[delay + i] = signal[i];
    for (const CookbookFilter& filter : filters) {
        const CookbookCoefficients c = DesignCookbook(filter, kRoomRate);
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        for (double& v : x) {
            const double y = (c.b0 * v + c.b1 * x1 + c.b2 * x2 - c.a1 * y1 - c.a2 * y2) / c.a0;
            x2 = x1, x1 = v, y2 = y1, y1 = y, v = y;
        }
    }
    return std::vector<float>(x.begin(), x.end());
}

// The filters' summed magnitude in dB at a frequency.
inline double RoomDb(const std::vector<CookbookFilter>& filters, double hz) {
    const std::complex<double> z = std::polar(1.0, -2 * std::numbers::pi * hz / kRoomRate);
    double db = 0;
    for (const CookbookFilter& filter : filters) {
        const CookbookCoefficients c = DesignCookbook(filter, kRoomRate);
        const std::complex<double> h =
            (c.b0 + c.b1 * z + c.b2 * z * z) / (c.a0 + c.a1 * z + c.a2 * z * z);
        db += 20 * std::log10(std::abs(h));
    }
    return db;
}

}  // namespace zt::testing_support
