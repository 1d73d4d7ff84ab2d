// The frequency, Q, ratio, release and attack tables.

#include <gtest/gtest.h>

#include <cmath>

#include "params/value_tables.h"

namespace zt {
namespace {

TEST(FrequencyTableTest, EntriesAndTexts) {
    struct Entry {
        int index;
        int tenths;
        const char* text;
    };
    const Entry entries[] = {
        {0, 197, "19.7"},       {1, 201, "20.1"},       {19, 284, "28.4"},
        {80, 919, "91.9"},      {81, 940, "94.0"},      {82, 950, "95.0"},
        {200, 9260, "926.0"},   {203, 9810, "981.0"},   {204, 10000, "1000"},
        {212, 11700, "1170"},   {324, 101000, "10100"}, {360, 202000, "20200"},
        {361, 206000, "20600"},
    };
    for (const Entry& e : entries) {
        EXPECT_EQ(FrequencyTenths(e.index), e.tenths) << "index " << e.index;
        EXPECT_EQ(FrequencyText(e.index), e.text) << "index " << e.index;
    }
    EXPECT_DOUBLE_EQ(FrequencyHz(0), 19.7);
    EXPECT_DOUBLE_EQ(FrequencyHz(204), 1000.0);
    EXPECT_DOUBLE_EQ(FrequencyHz(361), 20600.0);
}

TEST(FrequencyTableTest, RisesByAbout36thOfAnOctavePerStep) {
    EXPECT_EQ(kFrequencyCount, 362);
    for (int i = 1; i < kFrequencyCount; ++i) {
        ASSERT_GT(FrequencyTenths(i), FrequencyTenths(i - 1)) << "index " << i;
    }
    // The listed entries stay within 1 % of 19.7 x 2^(i / 36); one step is about 2 %.
    for (int i = 0; i < kFrequencyCount; ++i) {
        const double ideal = 19.7 * std::pow(2.0, i / 36.0);
        EXPECT_NEAR(FrequencyHz(i) / ideal, 1.0, 0.01) << "index " << i;
    }
}

TEST(FrequencyTableTest, IndicesOutsideTakeTheNearestEnd) {
    EXPECT_EQ(FrequencyText(-1), "19.7");
    EXPECT_EQ(FrequencyText(362), "20600");
}

TEST(QTableTest, EntriesAndTexts) {
    EXPECT_EQ(kQCount, 101);
    struct Entry {
        int index;
        int hundredths;
        const char* text;
    };
    const Entry entries[] = {
        {0, 40, "0.40"},       {1, 42, "0.42"},        {10, 71, "0.71"},    {16, 100, "1.00"},
        {20, 126, "1.26"},     {24, 160, "1.60"},      {56, 1010, "10.10"}, {70, 2300, "23.00"},
        {99, 12100, "121.00"}, {100, 12800, "128.00"},
    };
    for (const Entry& e : entries) {
        EXPECT_EQ(QHundredths(e.index), e.hundredths) << "index " << e.index;
        EXPECT_EQ(QText(e.index), e.text) << "index " << e.index;
    }
    for (int i = 1; i < kQCount; ++i) ASSERT_GT(QHundredths(i), QHundredths(i - 1)) << i;
    EXPECT_DOUBLE_EQ(QValue(16), 1.0);
    EXPECT_EQ(QText(-3), "0.40");
    EXPECT_EQ(QText(101), "128.00");
}

TEST(DynamicsTablesTest, RatioReleaseAttack) {
    EXPECT_EQ(RatioText(0), "1.0");
    EXPECT_EQ(RatioText(22), "9.0");
    EXPECT_EQ(RatioText(26), "11.4");
    EXPECT_EQ(RatioText(27), "12");
    EXPECT_EQ(RatioText(39), "30");
    EXPECT_EQ(RatioText(40), "100");
    EXPECT_EQ(RatioText(41), "100");
    EXPECT_EQ(ReleaseText(0), "Atk x 2");
    EXPECT_EQ(ReleaseText(3), "Atk x 8");
    EXPECT_EQ(ReleaseText(7), "Atk x 32");
    EXPECT_EQ(AttackText(0), "0.5");
    EXPECT_EQ(AttackText(8), "8.0");
    EXPECT_EQ(AttackText(9), "11");
    EXPECT_EQ(AttackText(19), "400");
    EXPECT_EQ(AttackText(-1), "0.5");
}

}  // namespace
}  // namespace zt
