#pragma once
// The standard biquads of the audio EQ cookbook as room-measurement tools and system-wide
// equalisers compute them: peaking, low and high shelf with a Q, and second-order high- and
// low-pass sections, and the notch. Their magnitude is evaluated at a sample rate, on the points of
// the ResponseGrid, so that it can be compared with the curves of the EQ graph.

#include <array>
#include <span>

#include "eqgraph/response_grid.h"

namespace zt {

enum class CookbookType { Peaking, LowShelf, HighShelf, HighPass, LowPass, Notch };

struct CookbookFilter {
    CookbookType type = CookbookType::Peaking;
    double frequencyHz = 1000.0;
    double gainDb = 0.0;  // peaking and shelves
    double q = 0.7071067811865476;
};

// The sample rate the exchanged filter settings are meant for.
inline constexpr double kExchangeSampleRate = 48000.0;

// The filter's coefficients at a sample rate (not normalised: a0 is not 1).
struct CookbookCoefficients {
    double b0, b1, b2, a0, a1, a2;
};
CookbookCoefficients DesignCookbook(const CookbookFilter& filter, double sampleRate);

// Magnitudes of cookbook filters on the ResponseGrid at one sample rate. Grid points at or
// above half the sample rate are left out.
class CookbookResponse {
public:
    explicit CookbookResponse(double sampleRate = kExchangeSampleRate);

    // Gain in dB of the filter at grid point `index`.
    double GainDb(const CookbookFilter& filter, int index) const;
    // Adds the filter's gain in dB to `sum` at every grid point below half the sample rate.
    void AddTo(const CookbookFilter& filter, std::span<double> sum) const;
    double sampleRate() const { return sampleRate_; }
    bool Covers(int index) const;

private:
    using Coefficients = CookbookCoefficients;
    // The squared magnitudes of numerator and denominator as c0 + c1 cos(w) + c2 cos(2w).
    struct Terms {
        double num0, num1, num2, den0, den1, den2;
    };
    static Terms TermsOf(const Coefficients& c);
    static double MagnitudeDb(const Terms& t, double cosW, double cos2W);

    double sampleRate_;
    int coveredCount_ = 0;  // grid points below half the sample rate
    std::array<double, ResponseGrid::PointCount> cosW_{};
    std::array<double, ResponseGrid::PointCount> cos2W_{};
};

}  // namespace zt
