#pragma once
// The one-byte code that selects how an item of the EQ graph is drawn.

#include <cstdint>

namespace zt {

// 0 "BYPSS", 1 "PEQ", 2 "LSEQ", 3 "HSEQ", any other value below 100 flat; 100 + i the
// high-pass and 200 + i the low-pass of crossover filter type i (the item index of the
// crossover type lists).
using PointTypeCode = std::uint8_t;

inline constexpr PointTypeCode kPointBypass = 0;
inline constexpr PointTypeCode kPointPeaking = 1;
inline constexpr PointTypeCode kPointLowShelf = 2;
inline constexpr PointTypeCode kPointHighShelf = 3;
inline constexpr PointTypeCode kPointHighPassBase = 100;
inline constexpr PointTypeCode kPointLowPassBase = 200;

// Number of crossover filter types, "Bypass" to "36dB Link-Riley".
inline constexpr int kFilterTypeCount = 13;

enum class ResponseDesign {
    None,  // code not drawn: the response array is left as it was
    Flat,
    Peaking,
    LowShelf,
    HighShelf,
    HighPass,
    LowPass,
};

struct DecodedPointType {
    ResponseDesign design = ResponseDesign::None;
    int filterType = 0;  // 0..12 for HighPass and LowPass
    bool operator==(const DecodedPointType&) const = default;
};

// Filters are recognised by hundreds and their type by the remainder modulo 20, so codes
// such as 120 or 241 still name a filter type while 113..119 name none.
constexpr DecodedPointType DecodePointType(PointTypeCode code) {
    if (code < kPointHighPassBase) {
        switch (code) {
            case kPointPeaking:
                return {ResponseDesign::Peaking, 0};
            case kPointLowShelf:
                return {ResponseDesign::LowShelf, 0};
            case kPointHighShelf:
                return {ResponseDesign::HighShelf, 0};
            default:
                return {ResponseDesign::Flat, 0};
        }
    }
    const int type = code % 20;
    if (type >= kFilterTypeCount) return {ResponseDesign::None, 0};
    const auto design =
        code < kPointLowPassBase ? ResponseDesign::HighPass : ResponseDesign::LowPass;
    return {design, type};
}

}  // namespace zt
