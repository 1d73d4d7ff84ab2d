#include "presets/mode_names.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(ModeNamePartTest, TakesTheTextAfterTheNumber) {
    EXPECT_EQ(ModeNamePart("10-Live", 9), "Live");
    EXPECT_EQ(ModeNamePart("MF1-Hall", 16), "Hall");
    EXPECT_EQ(ModeNamePart("7-", 6), "");
    EXPECT_EQ(ModeNamePart("3-Studio", 2), "Studio");
    EXPECT_EQ(ModeNamePart("MF", 20), "");
}

}  // namespace
}  // namespace zt
