// Value kinds: ranges, display texts and typed numbers.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "params/number_characters.h"
#include "params/value_scales.h"
#include "params/value_tables.h"

namespace zt {
namespace {

TEST(KindRangeTest, MaximumOfEveryKind) {
    const int maxima[kValueKindCount] = {std::numeric_limits<int>::max(),
                                         3,
                                         361,
                                         180,
                                         100,
                                         40,
                                         361,
                                         64,
                                         100,
                                         200,
                                         100,
                                         250,
                                         80,
                                         205,
                                         34,
                                         40,
                                         7,
                                         19,
                                         500,
                                         23,
                                         60,
                                         14,
                                         40,
                                         4,
                                         60,
                                         34,
                                         250};
    for (int kind = 1; kind < kValueKindCount; ++kind) {
        EXPECT_EQ(KindRange(kind), (ValueRange{0, maxima[kind]})) << "kind " << kind;
        EXPECT_EQ(KindMaximum(kind), maxima[kind]) << "kind " << kind;
    }
}

TEST(KindRangeTest, HiddenEditAndUnknownKindsAreUnlimited) {
    for (int kind : {0, -1, 27, 100}) {
        const ValueRange range = KindRange(kind);
        EXPECT_EQ(range.minimum, std::numeric_limits<int>::min()) << "kind " << kind;
        EXPECT_EQ(range.maximum, std::numeric_limits<int>::max()) << "kind " << kind;
    }
}

TEST(KindRangeTest, ClampAndLimitsBesideTheKind) {
    const ValueRange gain = KindRange(kKindGain);
    EXPECT_EQ(gain.Clamp(220), 180);
    EXPECT_EQ(gain.Clamp(-3), 0);
    EXPECT_EQ(gain.Clamp(77), 77);
    EXPECT_TRUE(gain.Contains(180));
    EXPECT_FALSE(gain.Contains(181));
    EXPECT_EQ(FormatValueText(kKindGain, kDynamicEqGainMinimum), "-12.0dB");
    EXPECT_EQ(FormatValueText(kKindQ, kShelfQMaximum), "1.60");
}

struct FormatCase {
    int kind;
    int raw;
    const char* number;
    const char* unit;
};

const FormatCase kFormats[] = {
    {1, 0, "BYPSS", ""},     {1, 1, "PEQ", ""},       {1, 2, "LSEQ", ""},
    {1, 3, "HSEQ", ""},      {1, 9, "HSEQ", ""},      {2, 0, "19.7", "Hz"},
    {2, 80, "91.9", "Hz"},   {2, 81, "94.0", "Hz"},   {2, 203, "981.0", "Hz"},
    {2, 204, "1000", "Hz"},  {2, 361, "20600", "Hz"}, {2, 400, "20600", "Hz"},
    {3, 0, "-24.0", "dB"},   {3, 10, "-22.0", "dB"},  {3, 119, "-0.2", "dB"},
    {3, 120, "0.0", "dB"},   {3, 121, "0.2", "dB"},   {3, 180, "12.0", "dB"},
    {3, -5, "-24.0", "dB"},  {4, 0, "0.40", ""},      {4, 10, "0.71", ""},
    {4, 16, "1.00", ""},     {4, 56, "10.10", ""},    {4, 100, "128.00", ""},
    {4, 150, "128.00", ""},  {5, 0, "-10.0", "dB"},   {5, 19, "-0.5", "dB"},
    {5, 20, "0.0", "dB"},    {5, 21, "0.5", "dB"},    {5, 40, "10.0", "dB"},
    {6, 204, "1000", "Hz"},  {7, 64, "67.5", "Hz"},   {7, 65, "67.5", "Hz"},
    {8, 0, "0", "%"},        {8, 100, "100", "%"},    {8, 1000, "100", "%"},
    {9, 150, "150", "%"},    {10, 0, "-50", "%"},     {10, 50, "0", "%"},
    {10, 100, "50", "%"},    {11, 1, "2", "ms"},      {11, 250, "500", "ms"},
    {12, 0, "0", "ms"},      {12, 1, "63", "ms"},     {12, 2, "125", "ms"},
    {12, 3, "188", "ms"},    {12, 80, "5000", "ms"},  {13, 0, "Off", ""},
    {13, 1, "19.7", "Hz"},   {13, 205, "1000", "Hz"}, {14, 0, "-20", "dBu"},
    {14, 34, "14", "dBu"},   {15, 0, "1.0", ""},      {15, 27, "12", ""},
    {15, 40, "100", ""},     {16, 0, "Atk x 2", ""},  {16, 7, "Atk x 32", ""},
    {17, 0, "0.5", "ms"},    {17, 9, "11", "ms"},     {17, 19, "400", "ms"},
    {18, 0, "0.0", "ms"},    {18, 5, "0.5", "ms"},    {18, 123, "12.3", "ms"},
    {18, 500, "50.0", "ms"}, {19, 23, "1.50", ""},    {19, 50, "1.50", ""},
    {20, 0, "-60", "dBu"},   {20, 60, "0", "dBu"},    {21, 0, "-7", ""},
    {21, 7, "0", ""},        {21, 14, "7", ""},       {22, 0, "-10", "dB"},
    {22, 1, "-10", "dB"},    {22, 3, "-9", "dB"},     {22, 19, "-1", "dB"},
    {22, 20, "0", "dB"},     {22, 21, "1", "dB"},     {22, 39, "10", "dB"},
    {23, 4, "4", ""},        {24, 0, "-90", "dB"},    {24, 60, "-30", "dB"},
    {25, 0, "-34", "dB"},    {25, 34, "0", "dB"},     {26, 0, "-100", "ms"},
    {26, 250, "150", "ms"},
};

TEST(FormatValueTest, NumberAndUnitOfEachKind) {
    for (const FormatCase& c : kFormats) {
        const std::optional<ValueText> text = FormatValue(c.kind, c.raw);
        ASSERT_TRUE(text.has_value()) << "kind " << c.kind << " raw " << c.raw;
        EXPECT_EQ(*text, (ValueText{c.number, c.unit}))
            << "kind " << c.kind << " raw " << c.raw << ": got " << text->Joined();
    }
}

TEST(FormatValueTest, UnitFollowsWithoutSpace) {
    EXPECT_EQ(FormatValueText(2, 0), "19.7Hz");
    EXPECT_EQ(FormatValueText(2, 204), "1000Hz");
    EXPECT_EQ(FormatValueText(3, 0), "-24.0dB");
    EXPECT_EQ(FormatValueText(12, 1), "63ms");
    EXPECT_EQ(FormatValueText(13, 0), "Off");
    EXPECT_EQ(FormatValueText(14, 0), "-20dBu");
    EXPECT_EQ(FormatValueText(16, 4), "Atk x 12");
}

TEST(FormatValueTest, WordsFollowTheLanguageAndNumbersDoNot) {
    const FormatContext chinese{.chinese = true};
    struct Case {
        int kind;
        int raw;
        const char* english;
        const char* inChinese;
    };
    const Case cases[] = {
        {16, 0, "Atk x 2", "启动 x 2"},
        {16, 3, "Atk x 8", "启动 x 8"},
        {16, 7, "Atk x 32", "启动 x 32"},
        {13, 0, "Off", "关闭"},
        {13, 205, "1000Hz", "1000Hz"},
        {3, 120, "0.0dB", "0.0dB"},
        {1, 1, "PEQ", "PEQ"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatValueText(c.kind, c.raw), c.english) << c.kind << " " << c.raw;
        EXPECT_EQ(FormatValueText(c.kind, c.raw, chinese), c.inChinese) << c.kind << " " << c.raw;
    }
}

TEST(FormatValueTest, HiddenEditAndUnknownKindsHaveNoText) {
    for (int kind : {0, -1, 27}) {
        EXPECT_FALSE(FormatValue(kind, 5).has_value()) << "kind " << kind;
        EXPECT_EQ(FormatValueText(kind, 5), "") << "kind " << kind;
    }
}

TEST(FormatValueTest, SubOutputLevelsShowTwiceTheirRaw) {
    struct Case {
        int outputPage, slot;
        const char* text;
    };
    const Case cases[] = {
        {21, 0, "200%"}, {22, 1, "200%"}, {23, 0, "200%"}, {21, 2, "100%"},
        {20, 0, "100%"}, {6, 0, "100%"},  {24, 0, "100%"}, {21, -1, "100%"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatValueText(9, 100, FormatContext{c.outputPage, c.slot}), c.text)
            << "OutputPage " << c.outputPage << " slot " << c.slot;
    }
    // The doubling belongs to kind 9 alone.
    EXPECT_EQ(FormatValueText(8, 100, FormatContext{21, 0}), "100%");

    SelectionState selection;
    selection.outputPage = 22;
    EXPECT_EQ(FormatValueText(9, 200, FormatContextFor(selection, 0x0600)), "400%");
    EXPECT_EQ(FormatValueText(9, 200, FormatContextFor(selection, 0x0602)), "200%");
}

// Every raw value of the numeric kinds shows a text whose number characters are the whole
// number part, so a typed-back text parses.
TEST(FormatValueTest, NumericTextsKeepTheirNumberWhole) {
    for (int kind = 2; kind < kValueKindCount; ++kind) {
        if (kind == 16) continue;  // release texts are words
        for (int raw = 0; raw <= KindMaximum(kind); ++raw) {
            const ValueText text = *FormatValue(kind, raw);
            if (kind == 13 && raw == 0) continue;
            ASSERT_EQ(KeepNumberCharacters(text.Joined()), text.number)
                << "kind " << kind << " raw " << raw;
        }
    }
}

// A shown value typed back gives the same raw value.
TEST(ParseValueTest, ShownValuesParseBackToTheirRaw) {
    for (int kind : {kKindFrequency, kKindGain, kKindQ, kKindInputVolume}) {
        for (int raw = 0; raw <= KindMaximum(kind); ++raw) {
            const std::string number = FormatValue(kind, raw)->number;
            ASSERT_EQ(ParseValue(kind, std::stod(number)), raw)
                << "kind " << kind << " text " << number;
        }
    }
}

struct ParseCase {
    int kind;
    double typed;
    double raw;
};

const ParseCase kParses[] = {
    // Frequency: the nearer entry, the lower one on a tie.
    {2, 1005, 204},
    {2, 1010, 204},
    {2, 1011, 205},
    {2, 1009.9, 204},
    {2, 20300, 361},
    {2, 20200, 360},
    {2, 20250, 361},
    {2, 1e9, 361},
    {2, 5, 0},
    {2, -3, 0},
    {2, 19.7, 0},
    {2, 19.9, 0},
    {2, 20.0, 1},
    {2, 20.3, 1},
    {2, 20.31, 2},
    {2, 94.5, 81},
    {2, 94.51, 82},
    {2, 925, 200},
    // Gain: (x + 24) x 5, halves to even, not limited here.
    {3, 0, 120},
    {3, 12, 180},
    {3, 20, 220},
    {3, -24, 0},
    {3, -30, -30},
    {3, 0.1, 120},
    {3, 0.3, 122},
    {3, 0.5, 122},
    {3, -0.1, 120},
    {3, -0.3, 118},
    {3, 0.29, 121},
    // Q: the first entry not below the number.
    {4, 1, 16},
    {4, 1.01, 17},
    {4, 0.71, 10},
    {4, 0.7, 10},
    {4, 0.1, 0},
    {4, 128, 100},
    {4, 128.01, 101},
    {4, 200, 101},
    // Input volume: (x + 10) x 2, halves to even.
    {5, 0.25, 20},
    {5, 0.75, 22},
    {5, 1.25, 22},
    {5, 1.75, 24},
    {5, -0.25, 20},
    {5, 10, 40},
    {5, -10, 0},
    // Other kinds keep the number.
    {0, 3.5, 3.5},
    {1, 2, 2},
    {6, 12.7, 12.7},
    {26, -4, -4},
};

TEST(ParseValueTest, TypedNumbersToRaw) {
    for (const ParseCase& c : kParses) {
        EXPECT_EQ(ParseValue(c.kind, c.typed), c.raw) << "kind " << c.kind << " typed " << c.typed;
    }
}

TEST(ParseValueTest, NumbersThatAreNoNumberLandOnTheTableEnds) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ParseValue(kKindFrequency, nan), 361);
    EXPECT_EQ(ParseValue(kKindFrequency, inf), 361);
    EXPECT_EQ(ParseValue(kKindFrequency, -inf), 0);
    EXPECT_EQ(ParseValue(kKindQ, nan), 101);
    EXPECT_EQ(ParseValue(kKindQ, -inf), 0);
}

TEST(KeepNumberCharactersTest, KeepsSignsDotsAndDigitsInOrder) {
    const std::pair<const char*, const char*> cases[] = {
        {"-12.5dB", "-12.5"},
        {"1000Hz", "1000"},
        {"1,000 Hz", "1000"},
        {"abc", ""},
        {"", ""},
        {"Off", ""},
        {"1-2.3.4", "1-2.3.4"},
        {"+7", "7"},
        {"Atk x 12", "12"},
        {"\xE2\x88\x92"
         "3",
         "3"},
    };
    for (const auto& [text, kept] : cases) {
        EXPECT_EQ(KeepNumberCharacters(text), kept) << text;
    }
}

}  // namespace
}  // namespace zt
