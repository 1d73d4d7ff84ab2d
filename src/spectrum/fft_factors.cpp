#include "spectrum/fft_factors.h"

#include <algorithm>
#include <array>

namespace zt {

namespace {

// Tried in this order, each as often as it divides what is left.
constexpr std::array<std::size_t, 6> kSpecialRadices = {10, 8, 5, 4, 3, 2};

// A trailing 2 after an 8 makes a radix-2 pass that the two radix-4 kernels do better:
// 8 x 2 becomes 4 x 4.
void MergeTrailingTwo(std::vector<std::size_t>& factors) {
    if (factors.size() < 2 || factors.back() != 2) return;
    const auto eight = std::find(factors.rbegin() + 1, factors.rend(), std::size_t{8});
    if (eight == factors.rend()) return;
    *eight = 4;
    factors.back() = 4;
}

}  // namespace

std::vector<std::size_t> FftFactors(std::size_t n) {
    std::vector<std::size_t> factors;
    if (n == 0) return factors;
    if (n == 1) return {1};

    std::size_t rest = n;
    for (const std::size_t radix : kSpecialRadices) {
        while (rest % radix == 0) {
            factors.push_back(radix);
            rest /= radix;
        }
    }
    MergeTrailingTwo(factors);

    // What is left has no factor 2, 3 or 5. Trial division need not go past cMaxPrimeFactor:
    // a remainder that survives it holds a larger prime, and the length fails either way.
    for (std::size_t divisor = 2; divisor <= cMaxPrimeFactor && divisor * divisor <= rest;
         ++divisor) {
        while (rest % divisor == 0) {
            factors.push_back(divisor);
            rest /= divisor;
        }
    }
    if (rest > 1) factors.push_back(rest);

    std::reverse(factors.begin(), factors.end());
    if (factors.front() > cMaxPrimeFactor) throw FftLengthError();
    return factors;
}

}  // namespace zt
