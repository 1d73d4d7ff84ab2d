#pragma once
// One pass of the mixed-radix FFT: for a factor r with sofar s and remain q, s groups of q
// blocks, each block r elements spaced s apart, turned by its group's twiddles and put through
// the radix-r butterfly in place.

#include <cstddef>
#include <vector>

#include "spectrum/complex.h"

namespace zt {

struct FftPass {
    std::size_t radix = 0;
    std::size_t sofar = 0;   // spacing of a block's elements, and the number of groups
    std::size_t remain = 0;  // blocks per group
    // The twiddle w^(g k) of group g and element k >= 1 sits at (k-1) sofar + g, so that
    // neighbouring groups' twiddles lie side by side. It is kept spread, and already widened,
    // for the lane-wise product x w = (x.re, x.im) (w.re, w.re) + (x.im, x.re) (-w.im, w.im):
    std::vector<double> twiddleRe;  // w.re, w.re per twiddle
    std::vector<double> twiddleIm;  // -w.im, w.im per twiddle
    std::vector<Complex> trig;      // general butterfly only: e^(-2 pi i k/r), k = 0 .. r-1
};

// The instruction sets the passes are built for; all give the same bits.
enum class FftInstructionSet { kPlain, kAvx, kAvx512 };

// The widest instruction set this processor (and its operating system) supports.
FftInstructionSet WidestFftInstructionSet();

bool IsSpecialFftRadix(std::size_t radix);

// The tables of a pass, by the same recurrences a transform would run on every call: w^g steps
// from 1 by w, and each group's powers step from w^g by w^g.
FftPass MakeFftPass(std::size_t radix, std::size_t sofar, std::size_t remain);

// The first pass (sofar 1, no twiddles) reading its blocks straight from the digit-reversed
// input: output[p] is taken as input[permutation[p]].
void RunFirstFftPass(FftInstructionSet set, const FftPass& pass, const std::size_t* permutation,
                     const Complex* input, Complex* output);

// Any further pass, in place.
void RunFftPass(FftInstructionSet set, const FftPass& pass, Complex* data);

// A pass of a radix without a special butterfly, one element at a time, in place.
void RunGeneralFftPass(const FftPass& pass, Complex* data);

}  // namespace zt
