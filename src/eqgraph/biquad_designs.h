#pragma once
// Coefficients of the prototype biquads behind every EQ graph response. All prototypes are
// centred on the normalised frequency pi/2; the graph shifts them to the item's frequency.

namespace zt {

// Coefficients held as 32-bit floats, as the drawing always has.
struct Biquad {
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f;
    float a0 = 1.0f, a1 = 0.0f, a2 = 0.0f;
};

enum class PassKind { HighPass, LowPass };

// Centre of every prototype: pi/2 held as a 32-bit float, whose cosine is a tiny negative
// number rather than 0.
inline constexpr float kPrototypeCentre = 1.57079632679489661923f;

Biquad PeakingDesign(float gainDb, float q);
// `slope` is the shelf slope; values above 4 draw as 4.
Biquad LowShelfDesign(float gainDb, float slope);
Biquad HighShelfDesign(float gainDb, float slope);

Biquad FirstOrderSection(PassKind kind);
// Second-order section with alpha = sin(w0) / divisor.
Biquad SecondOrderSection(PassKind kind, double divisor);
Biquad BesselSection(PassKind kind);       // Q = 1/sqrt(3)
Biquad ButterworthSection(PassKind kind);  // Q = 1/sqrt(2)
// Section `index` of an `order`-th order Butterworth filter.
Biquad ButterworthSection(PassKind kind, int order, int index);

}  // namespace zt
