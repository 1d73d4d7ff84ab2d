#include "spectrum/fft.h"

#include <array>
#include <cmath>
#include <functional>
#include <numbers>

#include "spectrum/fft_butterflies.h"

namespace zt {

namespace {

using fft_kernels::ButterflyGeneral;

// e^(-2 pi i / period) rounded to float: the seed of every twiddle recurrence.
Complex UnitRoot(std::size_t period) {
    const double angle = 2.0 * std::numbers::pi / static_cast<double>(period);
    return {static_cast<float>(std::cos(angle)), static_cast<float>(-std::sin(angle))};
}

// root^0 .. root^(count-1) by repeated multiplication.
void AppendPowers(Complex root, std::size_t count, std::vector<Complex>& out) {
    Complex power{1.0f, 0.0f};
    for (std::size_t k = 0; k < count; ++k) {
        out.push_back(power);
        power = power * root;
    }
}

bool Overlap(const Complex* a, const Complex* b, std::size_t n) {
    const std::less<const Complex*> before;
    return before(a, b + n) && before(b, a + n);
}

// One pass of a special radix R: group g, block b covers data[g + b s R + k s], k = 0 .. R-1.
template <std::size_t R, void (*Kernel)(Complex*)>
void SpecialPass(Complex* data, std::size_t sofar, std::size_t remain, const Complex* twiddles) {
    const std::size_t stride = sofar * R;
    for (std::size_t g = 0; g < sofar; ++g) {
        const Complex* w = twiddles + g * (R - 1);
        for (std::size_t b = 0; b < remain; ++b) {
            Complex* block = data + g + b * stride;
            Complex z[R];
            z[0] = block[0];
            if (g == 0) {
                for (std::size_t k = 1; k < R; ++k) z[k] = block[k * sofar];
            } else {
                for (std::size_t k = 1; k < R; ++k) z[k] = block[k * sofar] * w[k - 1];
            }
            Kernel(z);
            for (std::size_t k = 0; k < R; ++k) block[k * sofar] = z[k];
        }
    }
}

void GeneralPass(Complex* data, std::size_t radix, std::size_t sofar, std::size_t remain,
                 const Complex* twiddles, const Complex* trig) {
    std::array<Complex, cMaxPrimeFactor> x;
    std::array<Complex, cMaxPrimeFactor> y;
    const std::size_t stride = sofar * radix;
    for (std::size_t g = 0; g < sofar; ++g) {
        const Complex* w = twiddles + g * (radix - 1);
        for (std::size_t b = 0; b < remain; ++b) {
            Complex* block = data + g + b * stride;
            x[0] = block[0];
            for (std::size_t k = 1; k < radix; ++k) {
                x[k] = (g == 0) ? block[k * sofar] : block[k * sofar] * w[k - 1];
            }
            ButterflyGeneral(x.data(), y.data(), trig, radix);
            for (std::size_t k = 0; k < radix; ++k) block[k * sofar] = y[k];
        }
    }
}

}  // namespace

FftPlan::FftPlan(std::size_t n) : n_(n), factors_(FftFactors(n)) {
    MakePermutation();
    std::size_t sofar = 1;
    std::size_t remain = n;
    for (const std::size_t radix : factors_) {
        remain /= radix;
        if (radix > 1) passes_.push_back(MakePass(radix, sofar, remain));
        sofar *= radix;
    }
}

FftPlan::Pass FftPlan::MakePass(std::size_t radix, std::size_t sofar, std::size_t remain) {
    Pass pass{radix, sofar, remain, {}, {}};
    // Group g turns its elements by powers of w^g; w^g itself steps from 1 by w.
    const Complex w = UnitRoot(sofar * radix);
    Complex omega{1.0f, 0.0f};
    pass.twiddles.reserve(sofar * (radix - 1));
    for (std::size_t g = 0; g < sofar; ++g) {
        Complex power = omega;
        for (std::size_t k = 1; k < radix; ++k) {
            pass.twiddles.push_back(power);
            power = power * omega;
        }
        omega = omega * w;
    }
    const bool special =
        radix == 2 || radix == 3 || radix == 4 || radix == 5 || radix == 8 || radix == 10;
    if (!special) AppendPowers(UnitRoot(radix), radix, pass.trig);
    return pass;
}

// Digit reversal with one counter per factor: stepping the output position by one steps the
// input index by remain_1, and a counter that wraps carries into the next factor's digit. A
// wrapping counter j has moved the index by f_j x remain_j in all, which is taken back before
// the next digit's step remain_(j+1) is added.
void FftPlan::MakePermutation() {
    if (n_ == 0) return;
    const std::size_t m = factors_.size();
    std::vector<std::size_t> remain(m + 1, 0);
    remain[0] = n_ / factors_[0];
    for (std::size_t i = 1; i < m; ++i) remain[i] = remain[i - 1] / factors_[i];

    std::vector<std::size_t> counter(m + 1, 0);
    permutation_.resize(n_);
    std::size_t k = 0;
    for (std::size_t p = 0; p + 1 < n_; ++p) {
        permutation_[p] = k;
        k += remain[0];
        ++counter[0];
        for (std::size_t j = 0; j < m && counter[j] >= factors_[j]; ++j) {
            counter[j] = 0;
            k -= factors_[j] * remain[j];
            k += remain[j + 1];
            ++counter[j + 1];
        }
    }
    permutation_[n_ - 1] = n_ - 1;
}

void FftPlan::Permute(const Complex* input, Complex* output) const {
    for (std::size_t p = 0; p < n_; ++p) output[p] = input[permutation_[p]];
}

void FftPlan::RunPass(const Pass& pass, Complex* data) {
    using namespace fft_kernels;
    const Complex* tw = pass.twiddles.data();
    switch (pass.radix) {
        case 2:
            return SpecialPass<2, Butterfly2>(data, pass.sofar, pass.remain, tw);
        case 3:
            return SpecialPass<3, Butterfly3>(data, pass.sofar, pass.remain, tw);
        case 4:
            return SpecialPass<4, Butterfly4>(data, pass.sofar, pass.remain, tw);
        case 5:
            return SpecialPass<5, Butterfly5>(data, pass.sofar, pass.remain, tw);
        case 8:
            return SpecialPass<8, Butterfly8>(data, pass.sofar, pass.remain, tw);
        case 10:
            return SpecialPass<10, Butterfly10>(data, pass.sofar, pass.remain, tw);
        default:
            return GeneralPass(data, pass.radix, pass.sofar, pass.remain, tw, pass.trig.data());
    }
}

void FftPlan::Transform(std::span<const Complex> input, std::span<Complex> output) const {
    if (input.size() < n_ || output.size() < n_) {
        throw std::invalid_argument("FFT buffer shorter than the transform length");
    }
    if (n_ == 0) return;
    if (Overlap(input.data(), output.data(), n_)) {
        const std::vector<Complex> copy(input.begin(), input.begin() + n_);
        Permute(copy.data(), output.data());
    } else {
        Permute(input.data(), output.data());
    }
    for (const Pass& pass : passes_) RunPass(pass, output.data());
}

void FFT(std::span<const Complex> input, std::span<Complex> output, std::size_t n) {
    if (n == 0) return;
    FftPlan(n).Transform(input, output);
}

}  // namespace zt
