#include "eqgraph/exchange_channel.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

// Every slot holds its own number, so a band read from the wrong slot shows which one.
PageMemory NumberedPage(int page) {
    PageMemory memory;
    for (int slot = 0; slot < kSlotCount; ++slot) memory.Set(page, slot, slot);
    return memory;
}

TEST(ExchangeChannel, ReadsBandsFieldByFieldAndTheCrossovers) {
    struct Case {
        int page;
        int bands;
        ExchangeBand first;  // the fields of band 0
        ExchangeBand last;
        std::optional<ExchangeCrossover> highPass;
        std::optional<ExchangeCrossover> lowPass;
    };
    const Case cases[] = {
        // music: 15 bands from slot 10, crossovers at 4/5 and 6/7
        {0, 15, {10, 11, 12, 13, 14}, {80, 81, 82, 83, 84}, {{4, 5}}, {{6, 7}}},
        // microphone: 20 bands from slot 15
        {2, 20, {15, 16, 17, 18, 19}, {110, 111, 112, 113, 114}, {{9, 10}}, {{11, 12}}},
        // dynamic EQ: 3 bands 10 slots apart, no crossovers
        {1, 3, {2, 3, 4, 5, 6}, {22, 23, 24, 25, 26}, std::nullopt, std::nullopt},
        // the system page has no bands
        {30, 0, {}, {}, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        const ExchangeChannel channel = ExchangeChannelAt(NumberedPage(c.page), c.page);
        ASSERT_EQ(static_cast<int>(channel.bands.size()), c.bands);
        if (c.bands > 0) {
            EXPECT_EQ(channel.bands.front(), c.first);
            EXPECT_EQ(channel.bands.back(), c.last);
        }
        EXPECT_EQ(channel.highPass, c.highPass);
        EXPECT_EQ(channel.lowPass, c.lowPass);
        EXPECT_TRUE(channel.name.empty());
    }
}

TEST(ExchangeChannel, ReadsTheMusicChannelsOtherSetFromItsOwnFirstSlot) {
    const std::vector<ExchangeBand> other = ExchangeBandsAt(NumberedPage(0), 0, 85);
    ASSERT_EQ(other.size(), 15u);
    EXPECT_EQ(other.front(), (ExchangeBand{85, 86, 87, 88, 89}));
    EXPECT_EQ(other.back(), (ExchangeBand{155, 156, 157, 158, 159}));
}

}  // namespace
}  // namespace zt
