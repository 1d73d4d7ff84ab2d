// The special-radix passes, on packs of neighbouring groups (or, in the first pass, blocks).
// They are built once per instruction set; every function they call is inlined into each
// build, and the lanes do the same arithmetic in all of them, so the instruction set changes
// the speed only, never a bit of the result.
#include "spectrum/fft_butterflies.h"
#include "spectrum/fft_pack.h"
#include "spectrum/fft_pass.h"

namespace zt {

namespace {

using fft_kernels::Pack;

// Elements are single Complex values or packs of neighbouring ones.
template <class T>
constexpr std::size_t kLanes = 1;
template <>
constexpr std::size_t kLanes<Pack> = Pack::kLanes;

template <class T>
T LoadElement(const Complex* p);
template <>
ZT_FFT_INLINE Complex LoadElement<Complex>(const Complex* p) {
    return *p;
}
template <>
ZT_FFT_INLINE Pack LoadElement<Pack>(const Complex* p) {
    return Pack::Load(p);
}

ZT_FFT_INLINE void StoreElement(Complex value, Complex* p) {
    *p = value;
}
ZT_FFT_INLINE void StoreElement(Pack value, Complex* p) {
    value.Store(p);
}

// Twiddle k of a group, or of kLanes<T> neighbouring groups starting at group g.
template <class T>
struct TwiddleOf;
template <>
struct TwiddleOf<Complex> {
    using Type = Complex;
    ZT_FFT_INLINE static Complex Load(const FftPass& pass, std::size_t at) {
        return {static_cast<float>(pass.twiddleRe[2 * at]),
                static_cast<float>(pass.twiddleIm[2 * at + 1])};
    }
};
template <>
struct TwiddleOf<Pack> {
    using Type = fft_kernels::WideTwiddle;
    ZT_FFT_INLINE static Type Load(const FftPass& pass, std::size_t at) {
        return Type::Load(pass.twiddleRe.data() + 2 * at, pass.twiddleIm.data() + 2 * at);
    }
};

// The first group of a pass is not turned; in a pack only its first lane belongs to it.
ZT_FFT_INLINE Complex Turn(Complex element, Complex twiddle, bool firstGroup) {
    return firstGroup ? element : element * twiddle;
}
ZT_FFT_INLINE Pack Turn(Pack element, const fft_kernels::WideTwiddle& twiddle, bool firstGroup) {
    const Pack turned = fft_kernels::Turned(element, twiddle);
    return firstGroup ? fft_kernels::KeepFirstLane(turned, element) : turned;
}

template <std::size_t R, class T>
ZT_FFT_INLINE void Butterfly(T* z) {
    using namespace fft_kernels;
    if constexpr (R == 2) Butterfly2(z);
    if constexpr (R == 3) Butterfly3(z);
    if constexpr (R == 4) Butterfly4(z);
    if constexpr (R == 5) Butterfly5(z);
    if constexpr (R == 8) Butterfly8(z);
    if constexpr (R == 10) Butterfly10(z);
}

// Groups [gBegin, gEnd) of a later pass of special radix R, kLanes<T> groups at a time.
template <std::size_t R, class T>
ZT_FFT_INLINE void SpecialGroups(const FftPass& pass, Complex* data, std::size_t gBegin,
                                 std::size_t gEnd) {
    const std::size_t s = pass.sofar;
    const std::size_t stride = s * R;
    for (std::size_t g = gBegin; g + kLanes<T> <= gEnd; g += kLanes<T>) {
        typename TwiddleOf<T>::Type w[R];
#pragma GCC unroll 16
        for (std::size_t k = 1; k < R; ++k) w[k] = TwiddleOf<T>::Load(pass, (k - 1) * s + g);
        const bool firstGroup = g == 0;
        for (std::size_t b = 0; b < pass.remain; ++b) {
            Complex* block = data + g + b * stride;
            T z[R];
            z[0] = LoadElement<T>(block);
#pragma GCC unroll 16
            for (std::size_t k = 1; k < R; ++k) {
                z[k] = Turn(LoadElement<T>(block + k * s), w[k], firstGroup);
            }
            Butterfly<R>(z);
#pragma GCC unroll 16
            for (std::size_t k = 0; k < R; ++k) StoreElement(z[k], block + k * s);
        }
    }
}

template <std::size_t R>
ZT_FFT_INLINE void SpecialPass(const FftPass& pass, Complex* data) {
    const std::size_t packed = pass.sofar - pass.sofar % Pack::kLanes;
    SpecialGroups<R, Pack>(pass, data, 0, packed);
    SpecialGroups<R, Complex>(pass, data, packed, pass.sofar);
}

// First pass: block b is output[b R .. b R + R-1], whose element k comes from
// input[permutation[b R] + k q]; digit reversal keeps a block's elements q apart in the input.
template <std::size_t R>
ZT_FFT_INLINE void SpecialFirstPass(const FftPass& pass, const std::size_t* permutation,
                                    const Complex* input, Complex* output) {
    const std::size_t q = pass.remain;
    std::size_t b = 0;
    for (; b + Pack::kLanes <= q; b += Pack::kLanes) {
        const Complex* from0 = input + permutation[b * R];
        const Complex* from1 = input + permutation[(b + 1) * R];
        const Complex* from2 = input + permutation[(b + 2) * R];
        const Complex* from3 = input + permutation[(b + 3) * R];
        Pack z[R];
#pragma GCC unroll 16
        for (std::size_t k = 0; k < R; ++k) {
            z[k] = Pack::Gather(from0[k * q], from1[k * q], from2[k * q], from3[k * q]);
        }
        Butterfly<R>(z);
        Complex* to = output + b * R;
#pragma GCC unroll 16
        for (std::size_t k = 0; k < R; ++k)
            z[k].Scatter(to + k, to + R + k, to + 2 * R + k, to + 3 * R + k);
    }
    for (; b < q; ++b) {
        const Complex* from = input + permutation[b * R];
        Complex z[R];
        for (std::size_t k = 0; k < R; ++k) z[k] = from[k * q];
        Butterfly<R>(z);
        for (std::size_t k = 0; k < R; ++k) output[b * R + k] = z[k];
    }
}

ZT_FFT_INLINE void FirstPass(const FftPass& pass, const std::size_t* permutation,
                             const Complex* input, Complex* output) {
    switch (pass.radix) {
        case 2:
            return SpecialFirstPass<2>(pass, permutation, input, output);
        case 3:
            return SpecialFirstPass<3>(pass, permutation, input, output);
        case 4:
            return SpecialFirstPass<4>(pass, permutation, input, output);
        case 5:
            return SpecialFirstPass<5>(pass, permutation, input, output);
        case 8:
            return SpecialFirstPass<8>(pass, permutation, input, output);
        case 10:
            return SpecialFirstPass<10>(pass, permutation, input, output);
        default:
            for (std::size_t p = 0; p < pass.radix * pass.remain; ++p) {
                output[p] = input[permutation[p]];
            }
            return RunGeneralFftPass(pass, output);
    }
}

ZT_FFT_INLINE void LaterPass(const FftPass& pass, Complex* data) {
    switch (pass.radix) {
        case 2:
            return SpecialPass<2>(pass, data);
        case 3:
            return SpecialPass<3>(pass, data);
        case 4:
            return SpecialPass<4>(pass, data);
        case 5:
            return SpecialPass<5>(pass, data);
        case 8:
            return SpecialPass<8>(pass, data);
        case 10:
            return SpecialPass<10>(pass, data);
        default:
            return RunGeneralFftPass(pass, data);
    }
}

void FirstPassPlain(const FftPass& pass, const std::size_t* permutation, const Complex* input,
                    Complex* output) {
    FirstPass(pass, permutation, input, output);
}

void LaterPassPlain(const FftPass& pass, Complex* data) {
    LaterPass(pass, data);
}

#if defined(__x86_64__)
__attribute__((target("avx"))) void FirstPassAvx(const FftPass& pass,
                                                 const std::size_t* permutation,
                                                 const Complex* input, Complex* output) {
    FirstPass(pass, permutation, input, output);
}

__attribute__((target("avx"))) void LaterPassAvx(const FftPass& pass, Complex* data) {
    LaterPass(pass, data);
}

__attribute__((target("avx512f"))) void FirstPassAvx512(const FftPass& pass,
                                                        const std::size_t* permutation,
                                                        const Complex* input, Complex* output) {
    FirstPass(pass, permutation, input, output);
}

__attribute__((target("avx512f"))) void LaterPassAvx512(const FftPass& pass, Complex* data) {
    LaterPass(pass, data);
}
#endif

}  // namespace

void RunFirstFftPass(FftInstructionSet set, const FftPass& pass, const std::size_t* permutation,
                     const Complex* input, Complex* output) {
#if defined(__x86_64__)
    if (set == FftInstructionSet::kAvx512) return FirstPassAvx512(pass, permutation, input, output);
    if (set == FftInstructionSet::kAvx) return FirstPassAvx(pass, permutation, input, output);
#endif
    FirstPassPlain(pass, permutation, input, output);
}

void RunFftPass(FftInstructionSet set, const FftPass& pass, Complex* data) {
#if defined(__x86_64__)
    if (set == FftInstructionSet::kAvx512) return LaterPassAvx512(pass, data);
    if (set == FftInstructionSet::kAvx) return LaterPassAvx(pass, data);
#endif
    LaterPassPlain(pass, data);
}

}  // namespace zt
