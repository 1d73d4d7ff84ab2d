#include "eqgraph/cookbook_filter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zt {

CookbookResponse::CookbookResponse(double sampleRate) : sampleRate_(sampleRate) {
    for (int i = 0; i < ResponseGrid::PointCount; ++i) {
        const double hz = ResponseGrid::FrequencyOfIndex(i);
        // The grid rises: the points below half the sample rate are its first ones.
        if (hz < sampleRate_ / 2) coveredCount_ = i + 1;
        const double w = 2 * std::numbers::pi * hz / sampleRate_;
        cosW_[i] = std::cos(w);
        cos2W_[i] = std::cos(2 * w);
    }
}

bool CookbookResponse::Covers(int index) const {
    return index >= 0 && index < coveredCount_;
}

CookbookCoefficients DesignCookbook(const CookbookFilter& f, double sampleRate) {
    const double a = std::pow(10.0, f.gainDb / 40);
    const double w0 = 2 * std::numbers::pi * f.frequencyHz / sampleRate;
    const double cw = std::cos(w0);
    const double alpha = std::sin(w0) / (2 * f.q);
    const double r = 2 * std::sqrt(a) * alpha;
    switch (f.type) {
        case CookbookType::Peaking:
            return {1 + alpha * a, -2 * cw, 1 - alpha * a, 1 + alpha / a, -2 * cw, 1 - alpha / a};
        case CookbookType::LowShelf:
            return {a * ((a + 1) - (a - 1) * cw + r), 2 * a * ((a - 1) - (a + 1) * cw),
                    a * ((a + 1) - (a - 1) * cw - r), (a + 1) + (a - 1) * cw + r,
                    -2 * ((a - 1) + (a + 1) * cw),    (a + 1) + (a - 1) * cw - r};
        case CookbookType::HighShelf:
            return {a * ((a + 1) + (a - 1) * cw + r), -2 * a * ((a - 1) + (a + 1) * cw),
                    a * ((a + 1) + (a - 1) * cw - r), (a + 1) - (a - 1) * cw + r,
                    2 * ((a - 1) - (a + 1) * cw),     (a + 1) - (a - 1) * cw - r};
        case CookbookType::HighPass:
            return {(1 + cw) / 2, -(1 + cw), (1 + cw) / 2, 1 + alpha, -2 * cw, 1 - alpha};
        case CookbookType::LowPass:
            return {(1 - cw) / 2, 1 - cw, (1 - cw) / 2, 1 + alpha, -2 * cw, 1 - alpha};
        case CookbookType::Notch:
            return {1, -2 * cw, 1, 1 + alpha, -2 * cw, 1 - alpha};
    }
    return {1, 0, 0, 1, 0, 0};
}

CookbookResponse::Terms CookbookResponse::TermsOf(const Coefficients& c) {
    // |b0 + b1 z^-1 + b2 z^-2|^2 on the unit circle is a constant, a cos(w) and a cos(2w) term;
    // the same for the a's.
    return {
        c.b0 * c.b0 + c.b1 * c.b1 + c.b2 * c.b2, 2 * (c.b0 * c.b1 + c.b1 * c.b2), 2 * c.b0 * c.b2,
        c.a0 * c.a0 + c.a1 * c.a1 + c.a2 * c.a2, 2 * (c.a0 * c.a1 + c.a1 * c.a2), 2 * c.a0 * c.a2};
}

double CookbookResponse::MagnitudeDb(const Terms& t, double cosW, double cos2W) {
    const double num = t.num0 + t.num1 * cosW + t.num2 * cos2W;
    const double den = t.den0 + t.den1 * cosW + t.den2 * cos2W;
    // A pass filter's zero lies exactly on the circle only at 0 Hz or half the sample rate,
    // which no grid point reaches; the floor keeps the logarithm finite all the same.
    return 10 * std::log10(std::max(num, 1e-30) / std::max(den, 1e-30));
}

double CookbookResponse::GainDb(const CookbookFilter& filter, int index) const {
    if (!Covers(index)) return 0.0;
    return MagnitudeDb(TermsOf(DesignCookbook(filter, sampleRate_)), cosW_[index], cos2W_[index]);
}

void CookbookResponse::AddTo(const CookbookFilter& filter, std::span<double> sum) const {
    const Terms t = TermsOf(DesignCookbook(filter, sampleRate_));
    const int count = std::min(coveredCount_, static_cast<int>(sum.size()));
    double* out = sum.data();
    const double* cosW = cosW_.data();
    const double* cos2W = cos2W_.data();
    for (int i = 0; i < count; ++i) out[i] += MagnitudeDb(t, cosW[i], cos2W[i]);
}

}  // namespace zt
