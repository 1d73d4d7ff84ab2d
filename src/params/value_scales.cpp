#include "params/value_scales.h"

#include <array>
#include <cmath>
#include <limits>
#include <string_view>

#include "params/value_tables.h"

namespace zt {
namespace {

// How a kind turns its raw value into text.
enum class Shape {
    kNoText,          // kind 0
    kEqType,          // "BYPSS", "PEQ", "LSEQ", "HSEQ"
    kFrequency,       // frequency table entry
    kOffOrFrequency,  // "Off", then the frequency table one entry lower
    kQ,               // Q table entry
    kRatio,
    kRelease,
    kAttack,
    kWhole,   // raw x scale + offset, a whole number
    kTenths,  // raw x scale + offset tenths, "#0.0"
    kHalves,  // raw x scale + offset halves, "#0"
};

struct KindRow {
    int maximum;
    Shape shape;
    int scale;
    int offset;
    std::string_view unit;
};

constexpr int kUnlimited = std::numeric_limits<int>::max();

// Each kind's arithmetic is exact in whole numbers, tenths or halves, so no binary fraction can
// tip a rounding.
constexpr std::array<KindRow, kValueKindCount> kKinds{{
    {kUnlimited, Shape::kNoText, 1, 0, ""},   // 0 hidden edit
    {3, Shape::kEqType, 1, 0, ""},            // 1 EQ type
    {361, Shape::kFrequency, 1, 0, "Hz"},     // 2 EQ frequency
    {180, Shape::kTenths, 2, -240, "dB"},     // 3 EQ gain, raw / 5 - 24
    {100, Shape::kQ, 1, 0, ""},               // 4 EQ Q
    {40, Shape::kTenths, 5, -100, "dB"},      // 5 input volume, raw / 2 - 10
    {361, Shape::kFrequency, 1, 0, "Hz"},     // 6 crossover frequency
    {64, Shape::kFrequency, 1, 0, "Hz"},      // 7
    {100, Shape::kWhole, 1, 0, "%"},          // 8 effect levels
    {200, Shape::kWhole, 1, 0, "%"},          // 9 output levels
    {100, Shape::kWhole, 1, -50, "%"},        // 10 echo right delay
    {250, Shape::kWhole, 2, 0, "ms"},         // 11 echo delay, pre-delay
    {80, Shape::kHalves, 125, 0, "ms"},       // 12 reverb time, raw x 62.5
    {205, Shape::kOffOrFrequency, 1, 0, ""},  // 13
    {34, Shape::kWhole, 1, -20, "dBu"},       // 14 output limiter level
    {40, Shape::kRatio, 1, 0, ""},            // 15 ratio
    {7, Shape::kRelease, 1, 0, ""},           // 16 release
    {19, Shape::kAttack, 1, 0, "ms"},         // 17 attack
    {500, Shape::kTenths, 1, 0, "ms"},        // 18 output delay, raw / 10
    {23, Shape::kQ, 1, 0, ""},                // 19
    {60, Shape::kWhole, 1, -60, "dBu"},       // 20 dynamic EQ threshold
    {14, Shape::kWhole, 1, -7, ""},           // 21 key control
    {40, Shape::kHalves, 1, -20, "dB"},       // 22 microphone input level, raw / 2 - 10
    {4, Shape::kWhole, 1, 0, ""},             // 23 feedback suppression
    {60, Shape::kWhole, 1, -90, "dB"},        // 24 noise gate threshold
    {34, Shape::kWhole, 1, -34, "dB"},        // 25 microphone limiter level
    {250, Shape::kWhole, 1, -100, "ms"},      // 26 echo pre-delay
}};

constexpr std::array<std::string_view, 4> kEqTypeTexts{"BYPSS", "PEQ", "LSEQ", "HSEQ"};

// The output levels whose pane shows twice the raw value on the SUB channel.
constexpr int kOutputLevelKind = 9;

bool IsKind(int kind) {
    return kind >= 0 && kind < kValueKindCount;
}

// "#0.0": one decimal; a minus sign before negative numbers.
std::string TenthsText(int tenths) {
    const int magnitude = tenths < 0 ? -tenths : tenths;
    return (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." +
           std::to_string(magnitude % 10);
}

// "#0" of a number of halves: halves round away from zero.
std::string HalvesText(int halves) {
    const int magnitude = halves < 0 ? -halves : halves;
    const int whole = (magnitude + 1) / 2;
    return (halves < 0 ? "-" : "") + std::to_string(whole);
}

std::string NumberText(const KindRow& row, int raw, bool chinese) {
    const int value = raw * row.scale + row.offset;
    switch (row.shape) {
        case Shape::kEqType:
            return std::string(kEqTypeTexts[raw]);
        case Shape::kFrequency:
            return FrequencyText(raw);
        case Shape::kQ:
            return QText(raw);
        case Shape::kRatio:
            return std::string(RatioText(raw));
        case Shape::kRelease:
            return std::string(chinese ? ReleaseTextChinese(raw) : ReleaseText(raw));
        case Shape::kAttack:
            return std::string(AttackText(raw));
        case Shape::kWhole:
            return std::to_string(value);
        case Shape::kTenths:
            return TenthsText(value);
        case Shape::kHalves:
            return HalvesText(value);
        case Shape::kOffOrFrequency:
        case Shape::kNoText:
            break;
    }
    return {};
}

bool IsSubOutputLevel(const FormatContext& context) {
    return context.outputPage >= 21 && context.outputPage <= 23 &&
           (context.slot == 0 || context.slot == 1);
}

// Rounds to the nearest whole number, a half to the even neighbour.
double RoundHalfToEven(double value, double tolerance) {
    const double below = std::floor(value);
    if (std::fabs(value - below - 0.5) <= tolerance) {
        return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
    }
    return std::round(value);
}

constexpr double kTypedTolerance = 1e-9;

int ParseFrequency(double hz) {
    const double tenths = hz * 10.0;
    const double tolerance = kTypedTolerance * 10.0;
    int first = 0;  // the first entry not below the number
    while (first < kFrequencyCount && !(FrequencyTenths(first) >= tenths - tolerance)) ++first;
    if (first == 0) return 0;
    if (first >= kFrequencyCount - 1) return kFrequencyCount - 1;
    const double toLower = tenths - FrequencyTenths(first - 1);
    const double toUpper = FrequencyTenths(first) - tenths;
    return toUpper < toLower - tolerance ? first : first - 1;
}

int ParseQ(double q) {
    const double hundredths = q * 100.0;
    const double tolerance = kTypedTolerance * 100.0;
    int first = 0;
    while (first < kQCount && !(QHundredths(first) >= hundredths - tolerance)) ++first;
    return first;  // kQCount (101) above 128.00
}

}  // namespace

ValueRange KindRange(int kind) {
    if (!IsKind(kind) || kKinds[kind].maximum == kUnlimited) {
        return {std::numeric_limits<int>::min(), kUnlimited};
    }
    return {0, kKinds[kind].maximum};
}

int KindMaximum(int kind) {
    return KindRange(kind).maximum;
}

FormatContext FormatContextFor(const SelectionState& selection, ParamAddress logical) {
    return {selection.outputPage, SlotOf(logical)};
}

std::optional<ValueText> FormatValue(int kind, int raw, const FormatContext& context) {
    if (!IsKind(kind) || kKinds[kind].shape == Shape::kNoText) return std::nullopt;
    const KindRow& row = kKinds[kind];
    raw = KindRange(kind).Clamp(raw);
    if (row.shape == Shape::kOffOrFrequency) {
        if (raw == 0) return ValueText{context.chinese ? "关闭" : "Off", ""};
        return ValueText{FrequencyText(raw - 1), "Hz"};
    }
    if (kind == kOutputLevelKind && IsSubOutputLevel(context)) raw *= 2;
    return ValueText{NumberText(row, raw, context.chinese), std::string(row.unit)};
}

std::string FormatValueText(int kind, int raw, const FormatContext& context) {
    const std::optional<ValueText> text = FormatValue(kind, raw, context);
    return text ? text->Joined() : std::string();
}

double ParseValue(int kind, double number) {
    switch (kind) {
        case kKindFrequency:
            return ParseFrequency(number);
        case kKindGain:
            return RoundHalfToEven((number + 24.0) * 5.0, kTypedTolerance);
        case kKindQ:
            return ParseQ(number);
        case kKindInputVolume:
            return RoundHalfToEven((number + 10.0) * 2.0, kTypedTolerance);
        default:
            return number;
    }
}

}  // namespace zt
