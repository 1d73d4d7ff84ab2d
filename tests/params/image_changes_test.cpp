// Two edits made one after the other, merged into one step of the history.

#include <gtest/gtest.h>

#include "params/image_changes.h"

namespace zt {
namespace {

TEST(MergeChangesTest, SlotsOfBothEditsInAddressOrder) {
    const std::vector<ParamChange> first = {{0x0102, 0x0102, 10, 11}, {0x0105, kStoredOnly, 0, 1}};
    const std::vector<ParamChange> second = {
        {0x0101, 0x0101, 5, 6}, {0x0102, 0x0102, 11, 12}, {0x0107, 0x0107, 3, 4}};
    const std::vector<ParamChange> merged = {{0x0101, 0x0101, 5, 6},
                                             {0x0102, 0x0102, 10, 12},
                                             {0x0105, kStoredOnly, 0, 1},
                                             {0x0107, 0x0107, 3, 4}};
    EXPECT_EQ(MergeChanges(first, second), merged);
}

TEST(MergeChangesTest, ASlotBackWhereItBeganIsLeftOut) {
    const std::vector<ParamChange> up = {{0x0102, 0x0102, 10, 11}};
    const std::vector<ParamChange> down = {{0x0102, 0x0102, 11, 10}};
    EXPECT_TRUE(MergeChanges(up, down).empty());
}

// A later write that was only stored does not undo that the value was sent, as within one edit.
TEST(MergeChangesTest, KeepsTheAddressTheValueWasLastSentUnder) {
    const std::vector<ParamChange> sent = {{0x0702, 0x0302, 1, 2}};
    const std::vector<ParamChange> stored = {{0x0702, kStoredOnly, 2, 3}};
    const std::vector<ParamChange> resent = {{0x0702, 0x0402, 2, 3}};
    EXPECT_EQ(MergeChanges(sent, stored), (std::vector<ParamChange>{{0x0702, 0x0302, 1, 3}}));
    const std::vector<ParamChange> sentAfter = {{0x0702, 0x0302, 3, 4}};
    EXPECT_EQ(MergeChanges(stored, sentAfter), (std::vector<ParamChange>{{0x0702, 0x0302, 2, 4}}));
    EXPECT_EQ(MergeChanges(sent, resent), (std::vector<ParamChange>{{0x0702, 0x0402, 1, 3}}));
}

}  // namespace
}  // namespace zt
