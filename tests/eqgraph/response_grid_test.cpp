#include "eqgraph/response_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "eqgraph/nearest.h"

namespace zt {
namespace {

TEST(ResponseGridTest, EndsAndKnownFrequencies) {
    struct Case {
        double hz;
        double index;
    };
    const Case cases[] = {
        {10.0, 0.0}, {24000.0, 462.0}, {1000.0, 273.3557}, {100.0, 136.6778}, {20000.0, 451.1777},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(ResponseGrid::IndexOfFrequency(c.hz), c.index, 1e-3) << c.hz;
        EXPECT_NEAR(ResponseGrid::FrequencyOfIndex(c.index), c.hz, c.hz * 1e-5) << c.hz;
    }
}

TEST(ResponseGridTest, OneOctaveSpansAbout41Steps) {
    const double octave =
        ResponseGrid::IndexOfFrequency(2000.0) - ResponseGrid::IndexOfFrequency(1000.0);
    EXPECT_NEAR(octave, 41.1, 0.05);
}

TEST(ResponseGridTest, MappingsAreInverse) {
    for (double x : {-20.0, 0.0, 0.5, 17.25, 231.0, 461.9, 462.0, 600.0}) {
        EXPECT_NEAR(ResponseGrid::IndexOfFrequency(ResponseGrid::FrequencyOfIndex(x)), x, 1e-9);
    }
}

TEST(ResponseGridTest, FrequenciesBelowOneHertzCountAsOneHertz) {
    const double atOne = ResponseGrid::IndexOfFrequency(1.0);
    EXPECT_NEAR(atOne, -136.6778, 1e-3);
    for (double hz : {0.999, 0.0, -5.0, -std::numeric_limits<double>::infinity(),
                      std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(ResponseGrid::IndexOfFrequency(hz), atOne) << hz;
    }
}

TEST(NearestTest, HalvesGoToEven) {
    struct Case {
        double in;
        double out;
    };
    const Case cases[] = {{0.5, 0.0},      {1.5, 2.0},      {2.5, 2.0},  {231.0, 231.0},
                          {273.49, 273.0}, {273.51, 274.0}, {-0.5, 0.0}, {-1.5, -2.0},
                          {-2.5, -2.0},    {-2.6, -3.0}};
    for (const Case& c : cases) EXPECT_EQ(Nearest(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace zt
