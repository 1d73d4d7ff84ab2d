#pragma once
// How a transform length is split into the radices the FFT passes run, and the error for a
// length whose largest prime factor is beyond what the general butterfly handles.

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace zt {

// The largest prime factor a transform length may have.
inline constexpr std::size_t cMaxPrimeFactor = 1021;

inline constexpr const char* kFftLengthErrorText =
    "Prime factor for FFT length too large. Change value for cMaxPrimeFactor in FFTs unit";

// A length the transform cannot take. The length lies outside the domain on which the transform
// is defined here, the same kind of fault as a mathematical function given an argument outside
// its domain, so it belongs to the domain-error branch of the standard arithmetic errors.
class FftLengthError : public std::domain_error {
public:
    FftLengthError() : std::domain_error(kFftLengthErrorText) {}
};

// The radices in the order the passes use them: the largest prime factor first when the length
// has one beyond the special radices 10, 8, 5, 4, 3 and 2. Length 1 gives {1}, length 0 gives
// no factor. Throws FftLengthError when the first factor exceeds cMaxPrimeFactor.
std::vector<std::size_t> FftFactors(std::size_t n);

}  // namespace zt
