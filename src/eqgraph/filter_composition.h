#pragma once
// How each of the 13 crossover filter types is drawn: at most two prototype sections, each
// with a factor, added in dB.

#include <array>

#include "eqgraph/biquad_designs.h"
#include "eqgraph/point_type_code.h"

namespace zt {

enum class FilterSection {
    None,
    FirstOrder,
    Bessel,          // second order, Q = 1/sqrt(3)
    Butterworth,     // second order, Q = 1/sqrt(2)
    Butterworth4_0,  // first section of a 4th-order Butterworth
    Butterworth4_1,  // second section of a 4th-order Butterworth
    Butterworth3_0,  // second-order section of a 3rd-order Butterworth
};

struct FilterComposition {
    FilterSection first = FilterSection::None;
    float firstFactor = 1.0f;
    FilterSection second = FilterSection::None;
    float secondFactor = 1.0f;
};

// Indexed by filter type: "Bypass", "6dB 1st ", "12dB Besse", "12dB Butterworth",
// "12dB Link-Riley", "18dB Bessel", "18dB Butterworth", "24dB Bessel", "24dB Butterworth",
// "24dB Link-Riley", "36dB Bessel", "36dB Butterworth", "36dB Link-Riley".
inline constexpr std::array<FilterComposition, kFilterTypeCount> kFilterCompositions{{
    {},
    {FilterSection::FirstOrder},
    {FilterSection::Bessel},
    {FilterSection::Butterworth},
    {FilterSection::FirstOrder, 1.0f, FilterSection::FirstOrder, 1.0f},
    {FilterSection::Bessel, 1.0f, FilterSection::FirstOrder, 1.0f},
    {FilterSection::Butterworth, 1.0f, FilterSection::FirstOrder, 1.0f},
    {FilterSection::Bessel, 1.0f, FilterSection::Bessel, 1.0f},
    {FilterSection::Butterworth4_0, 1.0f, FilterSection::Butterworth4_1, 1.0f},
    {FilterSection::Butterworth, 1.0f, FilterSection::Butterworth, 1.0f},
    {FilterSection::Bessel, 1.0f, FilterSection::Bessel, 2.0f},
    {FilterSection::Butterworth4_0, 1.0f, FilterSection::Butterworth4_1, 2.0f},
    {FilterSection::Butterworth3_0, 2.0f, FilterSection::FirstOrder, 2.0f},
}};

// Coefficients of one section; None gives the flat biquad.
Biquad SectionDesign(FilterSection section, PassKind kind);

}  // namespace zt
