#include <gtest/gtest.h>

#include <cmath>

#include "spectrum/complex.h"

namespace zt {
namespace {

TEST(ComplexTest, SumDifferenceAndScaling) {
    const Complex a{1.5f, -2.0f};
    const Complex b{0.25f, 4.0f};
    EXPECT_EQ(a + b, (Complex{1.75f, 2.0f}));
    EXPECT_EQ(a - b, (Complex{1.25f, -6.0f}));
    EXPECT_EQ(a * 2.0, (Complex{3.0f, -4.0f}));
    EXPECT_EQ(-0.5 * b, (Complex{-0.125f, -2.0f}));
}

TEST(ComplexTest, ProductFollowsTheComplexRule) {
    EXPECT_EQ((Complex{1.0f, 2.0f} * Complex{3.0f, -4.0f}), (Complex{11.0f, 2.0f}));
    EXPECT_EQ((Complex{0.0f, 1.0f} * Complex{0.0f, 1.0f}), (Complex{-1.0f, 0.0f}));
}

// (1 + 2^-12)^2 - 1 = 2^-11 + 2^-24 is a float, but rounding the square to float first loses
// the 2^-24 term: the product must round only once, at the end.
TEST(ComplexTest, ProductRoundsOnlyWhenStored) {
    const float a = 1.0f + std::ldexp(1.0f, -12);
    const Complex product = Complex{a, 1.0f} * Complex{a, 1.0f};
    EXPECT_EQ(product.re, std::ldexp(1.0f, -11) + std::ldexp(1.0f, -24));
    EXPECT_EQ(product.im, 2.0f * a);
}

TEST(ComplexTest, Magnitude) {
    EXPECT_EQ(Magnitude({3.0f, -4.0f}), 5.0f);
    EXPECT_EQ(Magnitude({0.0f, 0.0f}), 0.0f);
    // The squares overflow a float; the magnitude itself does not.
    EXPECT_FLOAT_EQ(Magnitude({3e30f, 4e30f}), 5e30f);
    EXPECT_FLOAT_EQ(Magnitude({3e-30f, 4e-30f}), 5e-30f);
}

}  // namespace
}  // namespace zt
