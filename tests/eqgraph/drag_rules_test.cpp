#include "eqgraph/drag_rules.h"

#include <gtest/gtest.h>

#include <cmath>

#include "params/value_scales.h"
#include "tests/eqgraph/curve_test_support.h"

namespace zt {
namespace {

using M = MarkerMovement;

TEST(DragRulesTest, MovementAndEqPassLockPerSheet) {
    struct Case {
        int sheet;
        int marker;
        MarkerMovement movement;
        bool passLocked;
    };
    const Case cases[] = {
        {0, 0, M::Free, true},         {0, 14, M::Free, true},        {0, 15, M::Horizontal, true},
        {0, 20, M::Horizontal, true},  {0, 21, M::Horizontal, true},  {1, 19, M::Free, true},
        {1, 20, M::Horizontal, false}, {1, 21, M::Horizontal, false}, {2, 6, M::Free, true},
        {2, 7, M::Horizontal, false},  {3, 9, M::Free, true},         {3, 10, M::Horizontal, false},
        {4, 4, M::Free, true},         {4, 5, M::Fixed, false},       {4, 21, M::Fixed, false},
        {5, 21, M::Free, false},       {7, 3, M::Free, false},        {8, 2, M::Free, true},
        {8, 3, M::Fixed, false},       {8, 20, M::Fixed, false},      {9, 0, M::Free, false},
        {-1, 0, M::Free, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MovementOf(c.sheet, c.marker), c.movement) << c.sheet << "/" << c.marker;
        EXPECT_EQ(LockedByEqPass(c.sheet, c.marker), c.passLocked) << c.sheet << "/" << c.marker;
    }
    EXPECT_TRUE(EditingLockedOut(3, true));
    EXPECT_FALSE(EditingLockedOut(3, false));
    EXPECT_FALSE(EditingLockedOut(0, true));
}

int Round(double v) {
    return static_cast<int>(std::lround(v));
}

TEST(DragRulesTest, DragStepClampsAndSnaps) {
    const int x1k = Round(kDesign.XOfFrequency(1000)) - 7;
    const int y0 = 89 - 7;
    struct Case {
        const char* what;
        MarkerDrag drag;
        int left, top;
        int hz;
        double gain;
    };
    const int left195 = Round(kDesign.XOfFrequency(19.5)) - 7;
    const int left20600 = Round(kDesign.XOfFrequency(20600) - 7);
    const int topMinus12 = Round(kDesign.YOfGain(-12) - 7);
    const Case cases[] = {
        {"still", {0, x1k, y0, 0, 0, 14}, x1k, y0, -1, 0.0},
        {"above the top", {0, x1k, y0, 0, -500, 14}, x1k, -7, -1, 12.0},
        {"below the bottom", {0, x1k, y0, 0, 500, 14}, x1k, 261, -1, -24.0},
        {"far left", {0, x1k, y0, -2000, 0, 14}, left195, y0, 20, 0.0},
        {"far right", {0, x1k, y0, 100000, 0, 14}, left20600, y0, 20600, 0.0},
        {"dynamic EQ floor", {8, x1k, y0, 0, 200, 14}, x1k, topMinus12, -1, -12.0},
        {"dynamic EQ above the floor", {8, x1k, y0, 0, 40, 14}, x1k, y0 + 40, -1, -1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DragOutcome out = DragStep(c.drag, kDesign);
        EXPECT_EQ(out.left, c.left);
        EXPECT_EQ(out.top, c.top);
        if (c.hz > 0) {
            EXPECT_EQ(out.frequencyHz, c.hz);
        }
        if (c.gain > -1) {
            EXPECT_NEAR(out.gainDb, c.gain, 1e-9);
        }
        EXPECT_FLOAT_EQ(out.frequencyIndex, ParseValue(kKindFrequency, out.frequencyHz));
        EXPECT_FLOAT_EQ(out.gainStep, std::nearbyint((out.gainDb + 24) * 5));
    }
    EXPECT_FLOAT_EQ(DragStep({0, x1k, y0, 100000, 0, 14}, kDesign).frequencyIndex, 361);
    EXPECT_FLOAT_EQ(DragStep({0, x1k, y0, 0, -500, 14}, kDesign).gainStep, 180);
    EXPECT_FLOAT_EQ(DragStep({8, x1k, y0, 0, 500, 14}, kDesign).gainStep, 60);
}

}  // namespace
}  // namespace zt
