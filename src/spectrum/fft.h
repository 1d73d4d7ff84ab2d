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
#include "spectrum/fft_pass.h"

namespace zt {

// Everything a length needs that does not depend on the data: factors, permutation and the
// twiddle tables, built once with the same recurrences a single transform would run. Transform
// itself allocates nothing unless input and output share memory.
class FftPlan {
public:
    // Throws FftLengthError for a length with a prime factor above cMaxPrimeFactor. The passes
    // run on the widest instruction set the processor has, or on `set` when given; every set
    // gives the same bits. Throws std::invalid_argument for a set the processor lacks.
    explicit FftPlan(std::size_t n);
    FftPlan(std::size_t n, FftInstructionSet set);

    std::size_t Length() const { return n_; }
    const std::vector<std::size_t>& Factors() const { return factors_; }
    FftInstructionSet InstructionSet() const { return set_; }

    // Transforms input[0 .. n-1] into output[0 .. n-1]. Both may be the same array; overlapping
    // memory is read through a copy first. Throws std::invalid_argument, before writing
    // anything, when either span is shorter than the length.
    void Transform(std::span<const Complex> input, std::span<Complex> output) const;

private:
    void MakePermutation();

    std::size_t n_ = 0;
    FftInstructionSet set_ = FftInstructionSet::kPlain;
    std::vector<std::size_t> factors_;
    std::vector<std::size_t> permutation_;  // output[p] = input[permutation_[p]]
    std::vector<FftPass> passes_;
};

// One transform of length n without keeping a plan: builds the plan for n and runs it. Fails as
// FftPlan does, writing nothing. n = 0 does nothing.
void FFT(std::span<const Complex> input, std::span<Complex> output, std::size_t n);

}  // namespace zt
