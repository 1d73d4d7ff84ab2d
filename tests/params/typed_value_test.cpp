// Committing typed text: which texts are numbers, and the raw value each kind stores for them.

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "params/typed_value.h"

namespace zt {
namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

TEST(TypedNumberTest, AcceptsOnlyOneSignedDecimal) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"12", 12},
        {"-12.5", -12.5},
        {"1.", 1},
        {".5", 0.5},
        {"-.5", -0.5},
        {"007", 7},
        {"", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"-.", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1-2", std::nullopt},
        {"--1", std::nullopt},
        {"1e5", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"+1", std::nullopt},
        {"1 ", std::nullopt},
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(TypedNumber(text), number) << text;
}

TEST(TypedNumberTest, DigitsBeyondADoubleAreNoNumber) {
    EXPECT_EQ(TypedNumber(std::string(400, '9')), std::nullopt);
    EXPECT_EQ(TypedNumber("0." + std::string(400, '0') + "1"), std::nullopt);
}

TEST(TruncatedRawTest, DropsTheFractionAndStaysAnInt) {
    const std::pair<double, int> cases[] = {
        {3.9, 3},
        {-3.9, -3},
        {0.0, 0},
        {2147483647.0, kIntMax},
        {1e300, kIntMax},
        {-1e300, kIntMin},
        {std::numeric_limits<double>::infinity(), kIntMax},
        {-std::numeric_limits<double>::infinity(), kIntMin},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& [x, raw] : cases) EXPECT_EQ(TruncatedRaw(x), raw) << x;
}

TEST(StepWithinTest, StepsThenKeepsTheRange) {
    const ValueRange range{60, 180};
    EXPECT_EQ(StepWithin(100, 1, range), 101);
    EXPECT_EQ(StepWithin(100, -1, range), 99);
    EXPECT_EQ(StepWithin(180, 1, range), 180);
    EXPECT_EQ(StepWithin(60, -1, range), 60);
    EXPECT_EQ(StepWithin(-5000, 0, range), 60);
    EXPECT_EQ(StepWithin(1e300, 0, range), 180);
}

struct CommitCase {
    int kind;
    const char* text;
    int step;
    ValueRange range;
    std::optional<int> raw;
};

const ValueRange kGain = KindRange(kKindGain);
const ValueRange kDynamicGain{kDynamicEqGainMinimum, KindMaximum(kKindGain)};
const ValueRange kQ = KindRange(kKindQ);
const ValueRange kShelfQ{0, kShelfQMaximum};

const CommitCase kCommits[] = {
    // Units, spaces and thousands separators fall away before the number is read.
    {kKindFrequency, "1 kHz", 0, KindRange(kKindFrequency), 0},
    {kKindFrequency, "1,000 Hz", 0, KindRange(kKindFrequency), 204},
    {kKindFrequency, "99999999", 0, KindRange(kKindFrequency), 361},
    {kKindGain, "-12.5dB", 0, kGain, 58},
    {kKindGain, "+3", 0, kGain, 135},
    {kKindGain, "-100", 0, kGain, 0},
    {kKindGain, "100", 0, kGain, 180},
    {kKindGain, "-20", 0, kDynamicGain, 60},
    {kKindGain, "0", 1, kGain, 121},
    {kKindGain, "12", 1, kGain, 180},
    {kKindGain, "-24", -1, kGain, 0},
    {kKindQ, "1.0", 0, kQ, 16},
    {kKindQ, "50", 0, kShelfQ, 24},
    {kKindQ, "500", 0, kQ, 100},
    {kKindInputVolume, "-3.5", 0, KindRange(kKindInputVolume), 13},
    // The hidden edit's kind keeps any number, however large.
    {kKindHidden, "123.9", 0, KindRange(kKindHidden), 123},
    {kKindHidden, "100000000000000000000", 1, KindRange(kKindHidden), kIntMax},
    {kKindHidden, "-100000000000000000000", 0, KindRange(kKindHidden), kIntMin},
    // No number: the edit shows its last good text again.
    {kKindGain, "dB", 0, kGain, std::nullopt},
    {kKindGain, "1-2", 0, kGain, std::nullopt},
    {kKindQ, "0.1.2", 0, kQ, std::nullopt},
    {kKindFrequency, "-", 0, KindRange(kKindFrequency), std::nullopt},
};

TEST(CommitTypedTextTest, TextToRawForEveryEditKind) {
    for (const CommitCase& c : kCommits) {
        EXPECT_EQ(CommitTypedText(c.kind, c.text, c.step, c.range), c.raw)
            << "kind " << c.kind << " text \"" << c.text << "\" step " << c.step;
    }
}

// Committing the text an edit shows stores the raw value it shows.
TEST(CommitTypedTextTest, ShownTextsCommitToTheirRaw) {
    for (int kind : {kKindFrequency, kKindGain, kKindQ, kKindInputVolume}) {
        const ValueRange range = KindRange(kind);
        for (int raw = range.minimum; raw <= range.maximum; ++raw) {
            ASSERT_EQ(CommitTypedText(kind, FormatValueText(kind, raw), 0, range), raw)
                << "kind " << kind << " raw " << raw;
        }
    }
}

}  // namespace
}  // namespace zt
