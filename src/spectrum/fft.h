#pragma once
// Forward discrete Fourier transform of any length whose prime factors are at most
// cMaxPrimeFactor: output[k] = sum_j input[j] e^(-2 pi i jk/n), not normalised.
//
// A mixed-radix decimation-in-time FFT: a digit-reversal permutation from input to output, then
// one in-place pass per factor, with dedicated butterflies for 2, 3, 4, 5, 8 and 10 and a direct
// sum for any other prime. Twiddles come from repeated complex multiplication in float, so the
// results carry single-precision accuracy.

#include <cstddef>
#include <span>
#include <vector>

#include "spectrum/complex.h"
#include "spectrum/fft_factors.h"

namespace zt {

// Everything a length needs that does not depend on the data: factors, permutation and the
// twiddle tables, built once with the same recurrences a single transform would run. Transform
// itself allocates nothing unless input and output share memory.
class FftPlan {
  public:
    // Throws FftLengthError for a length with a prime factor above cMaxPrimeFactor.
    explicit FftPlan(std::size_t n);

    std::size_t Length() const { return n_; }
    const std::vector<std::size_t>& Factors() const { return factors_; }

    // Transforms input[0 .. n-1] into output[0 .. n-1]. Both may be the same array; overlapping
    // memory is read through a copy first. Throws std::invalid_argument, before writing
    // anything, when either span is shorter than the length.
    void Transform(std::span<const Complex> input, std::span<Complex> output) const;

  private:
    struct Pass {
        std::size_t radix = 0;
        std::size_t sofar = 0;          // spacing of a block's elements
        std::size_t remain = 0;         // blocks per group
        std::vector<Complex> twiddles;  // group g, element k >= 1: w^(g k) at g (r-1) + k-1
        std::vector<Complex> trig;      // general butterfly only: e^(-2 pi i k/r)
    };

    void Permute(const Complex* input, Complex* output) const;
    static void RunPass(const Pass& pass, Complex* data);
    static Pass MakePass(std::size_t radix, std::size_t sofar, std::size_t remain);
    void MakePermutation();

    std::size_t n_ = 0;
    std::vector<std::size_t> factors_;
    std::vector<std::size_t> permutation_;  // output[p] = input[permutation_[p]]
    std::vector<Pass> passes_;
};

// One transform of length n without keeping a plan: builds the plan for n and runs it. Fails as
// FftPlan does, writing nothing. n = 0 does nothing.
void FFT(std::span<const Complex> input, std::span<Complex> output, std::size_t n);

}  // namespace zt
