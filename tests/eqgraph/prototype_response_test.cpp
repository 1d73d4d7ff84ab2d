#include "eqgraph/prototype_response.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zt {
namespace {

TEST(PrototypeWarpTest, StretchedAxis) {
    using W = PrototypeWarp;
    struct Case {
        W warp;
        int step;
        double m;
    };
    const Case cases[] = {
        {W::None, 0, 0.0},
        {W::None, 231, 231.0},
        {W::None, 462, 462.0},
        // Shelves: flat below step 108, w = 0 at 108, 231 / 123 per step up to 354 (w = pi).
        {W::Shelf, 0, 1.0},
        {W::Shelf, 107, 1.0},
        {W::Shelf, 108, 0.0},
        {W::Shelf, 109, 231.0 / 123},
        {W::Shelf, 231, 231.0},
        {W::Shelf, 354, 462.0},
        {W::Shelf, 355, 461.0},
        {W::Shelf, 462, 461.0},
        // Filters: flat up to and including step 126, 2.2 per step up to 336 (w = pi).
        {W::Filter, 0, 1.0},
        {W::Filter, 126, 1.0},
        {W::Filter, 127, 2.2},
        {W::Filter, 231, 231.0},
        {W::Filter, 232, 233.2},
        {W::Filter, 336, 462.0},
        {W::Filter, 337, 461.0},
        {W::Filter, 462, 461.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(WarpedStep(c.step, c.warp), c.m, 1e-9)
            << static_cast<int>(c.warp) << " " << c.step;
    }
}

TEST(PrototypeResponseTest, ZeroOnTheUnitCircleRepeatsThePreviousStep) {
    PrototypeArray proto;
    PrototypeResponse(FirstOrderSection(PassKind::LowPass), PrototypeWarp::Filter, proto);
    EXPECT_EQ(proto[336], proto[335]);
    EXPECT_NEAR(proto[337], -49.37f, 0.05f);
    EXPECT_EQ(proto[462], proto[461]);
}

TEST(PrototypeResponseTest, DegenerateDesignDrawsFlatInsteadOfNan) {
    // A pole pair on the unit circle with a zero pair on it as well: nothing is drawable.
    const Biquad degenerate{1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f};
    PrototypeArray proto;
    PrototypeResponse(degenerate, PrototypeWarp::None, proto);
    for (float v : proto) ASSERT_TRUE(std::isfinite(v));
    EXPECT_EQ(proto[231], proto[230]);
}

TEST(PrototypeResponseTest, LayingRepeatsTheOutermostStepsPastTheEnds) {
    PrototypeArray proto;
    for (int j = 0; j < ResponseGrid::PointCount; ++j) proto[j] = static_cast<float>(j);
    float out[ResponseGrid::PointCount];
    struct Case {
        int centre;
        int k;
        float step;
    };
    const Case cases[] = {
        {273, 273, 231}, {273, 0, 0},     {273, 41, 0},    {273, 42, 0},  {273, 43, 1},
        {273, 462, 420}, {0, 0, 231},     {0, 230, 461},   {0, 231, 461}, {0, 462, 461},
        {462, 462, 231}, {462, 0, 0},     {462, 231, 0},   {462, 232, 1}, {547, 462, 146},
        {547, 0, 0},     {200, 430, 461}, {200, 429, 460},
    };
    for (const Case& c : cases) {
        LayOntoGrid(proto, c.centre, out);
        EXPECT_EQ(out[c.k], c.step) << c.centre << " " << c.k;
    }
}

}  // namespace
}  // namespace zt
