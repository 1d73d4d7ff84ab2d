#include "eqgraph/eq_info_text.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(EqInfoTextTest, FixedDecimalsRoundHalvesAwayFromZero) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {{-3.0, 1, "-3.0"},  {3.0, 1, "3.0"},       {0.0, 1, "0.0"},
                          {-0.04, 1, "0.0"},  {0.25, 1, "0.3"},      {-0.25, 1, "-0.3"},
                          {12.0, 1, "12.0"},  {-23.8f, 1, "-23.8"},  {0.4f, 2, "0.40"},
                          {128, 2, "128.00"}, {19.7f, 2, "19.70"},   {1000, 2, "1000.00"},
                          {0.125, 2, "0.13"}, {20600, 2, "20600.00"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FixedDecimals(c.value, c.decimals), c.text) << c.value;
    }
}

TEST(EqInfoTextTest, BandAndFilterTexts) {
    EqPoint band;
    band.gain = -3.0f;
    band.q = 1.41f;
    band.frequency = 926.0f;
    EXPECT_EQ(EqInfoText(band, EqItemRole::Band), "-3.0dB\nQ:1.41\n926.00Hz");
    band.gain = 4.2f;
    EXPECT_EQ(EqInfoText(band, EqItemRole::Band), "4.2dB\nQ:1.41\n926.00Hz");
    EqPoint filter;
    filter.frequency = 19.0f;
    EXPECT_EQ(EqInfoText(filter, EqItemRole::HighPass), "HPF:19.00Hz");
    filter.frequency = 20600.0f;
    EXPECT_EQ(EqInfoText(filter, EqItemRole::LowPass), "LPF:20600.00Hz");
}

}  // namespace
}  // namespace zt
