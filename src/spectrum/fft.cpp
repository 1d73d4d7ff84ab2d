#include "spectrum/fft.h"

#include <functional>
#include <stdexcept>

namespace zt {

namespace {

bool Overlap(const Complex* a, const Complex* b, std::size_t n) {
    const std::less<const Complex*> before;
    return before(a, b + n) && before(b, a + n);
}

}  // namespace

FftPlan::FftPlan(std::size_t n) : FftPlan(n, WidestFftInstructionSet()) {}

FftPlan::FftPlan(std::size_t n, FftInstructionSet set) : n_(n), set_(set), factors_(FftFactors(n)) {
    if (set > WidestFftInstructionSet()) {
        throw std::invalid_argument("FFT instruction set not supported by this processor");
    }
    MakePermutation();
    std::size_t sofar = 1;
    std::size_t remain = n;
    for (const std::size_t radix : factors_) {
        remain /= radix;
        if (radix > 1) passes_.push_back(MakeFftPass(radix, sofar, remain));
        sofar *= radix;
    }
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

void FftPlan::Transform(std::span<const Complex> input, std::span<Complex> output) const {
    if (input.size() < n_ || output.size() < n_) {
        throw std::invalid_argument("FFT buffer shorter than the transform length");
    }
    if (n_ == 0) return;
    std::vector<Complex> copy;
    const Complex* source = input.data();
    if (Overlap(source, output.data(), n_)) {
        copy.assign(input.begin(), input.begin() + n_);
        source = copy.data();
    }
    if (passes_.empty()) {  // length 1
        output[0] = source[0];
        return;
    }
    // The first pass takes its blocks straight from the digit-reversed input.
    RunFirstFftPass(set_, passes_.front(), permutation_.data(), source, output.data());
    for (std::size_t i = 1; i < passes_.size(); ++i) RunFftPass(set_, passes_[i], output.data());
}

void FFT(std::span<const Complex> input, std::span<Complex> output, std::size_t n) {
    if (n == 0) return;
    FftPlan(n).Transform(input, output);
}

}  // namespace zt
