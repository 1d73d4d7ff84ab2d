// Range descriptions: the two ends of a value kind with the unit written once.
#include "params/value_hints.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(DescribeRangeTest, EndsOfTheKindWithTheUnitOnce) {
    EXPECT_EQ(DescribeRange(3, 0, 180),
              (RangeDescription{"范围：-24.0 至 12.0 dB", "Range: -24.0 to 12.0 dB"}));
    EXPECT_EQ(DescribeRange(21, 0, 14).english, "Range: -7 to 7");
    EXPECT_EQ(DescribeRange(16, 0, 7),
              (RangeDescription{"范围：启动 x 2 至 启动 x 32", "Range: Atk x 2 to Atk x 32"}));
}

TEST(DescribeRangeTest, EndsAreLimitedToTheKindAndTheContextApplies) {
    EXPECT_EQ(DescribeRange(2, -5, 999).english, "Range: 19.7 to 20600 Hz");
    const FormatContext sub{.outputPage = 22, .slot = 0};
    EXPECT_EQ(DescribeRange(9, 0, 200, sub).english, "Range: 0 to 400 %");
}

TEST(DescribeRangeTest, EndsWithOtherUnitsKeepEach) {
    EXPECT_EQ(DescribeRange(13, 0, 205),
              (RangeDescription{"范围：关闭 至 1000Hz", "Range: Off to 1000Hz"}));
    EXPECT_EQ(DescribeRange(0, 0, 10), RangeDescription{});
    EXPECT_EQ(DescribeRange(99, 0, 10), RangeDescription{});
}

}  // namespace
}  // namespace zt
