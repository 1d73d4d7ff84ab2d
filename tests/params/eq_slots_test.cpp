// The page table, EQ slot decoding and the Q slot a band's Q control edits.

#include <gtest/gtest.h>

#include "params/eq_slots.h"
#include "params/page_table.h"
#include "params/param_model.h"

namespace zt {
namespace {

struct SlotCase {
    ParamAddress logical;
    int item;
    int field;
};

constexpr int kNo = EqSlot::kNoEqField;

const SlotCase kSlots[] = {
    // Music: crossovers, then 15 bands from slot 10 with no upper end.
    {0x0004, 15, 0},
    {0x0005, 15, 0},
    {0x0006, 16, 0},
    {0x0007, 16, 0},
    {0x0008, 0, kNo},
    {0x0009, 0, kNo},
    {0x000A, 0, 0},
    {0x000E, 0, 4},
    {0x000F, 1, 0},
    {0x0054, 14, 4},
    {0x00A0, 30, 0},
    // Dynamic EQ: three bands of five slots, ten apart.
    {0x0101, 0, kNo},
    {0x0102, 0, 0},
    {0x0106, 0, 4},
    {0x0107, 0, kNo},
    {0x010B, 0, kNo},
    {0x010C, 1, 0},
    {0x0110, 1, 4},
    {0x0116, 2, 0},
    {0x011A, 2, 4},
    {0x011B, 0, kNo},
    // Microphone.
    {0x0209, 20, 0},
    {0x020A, 20, 0},
    {0x020B, 21, 0},
    {0x020C, 21, 0},
    {0x020E, 0, kNo},
    {0x020F, 0, 0},
    {0x0271, 19, 3},
    // Echo and reverb.
    {0x0409, 7, 0},
    {0x040C, 8, 0},
    {0x040D, 0, kNo},
    {0x040E, 0, 0},
    {0x0506, 7, 0},
    {0x0509, 8, 0},
    {0x050A, 0, kNo},
    {0x050B, 0, 0},
    // Outputs: high-pass in 16/17, low-pass type in 18 and frequency in 19, EQ pass in 20.
    {0x0603, 0, kNo},
    {0x0610, 10, 0},
    {0x0611, 10, 0},
    {0x0612, 11, 0},
    {0x0613, 11, 0},
    {0x0614, 0, kNo},
    {0x0615, 0, 0},
    {0x0645, 9, 3},
    // Hidden-tab page: EQ pass in slot 0, bands from slot 1.
    {0x1900, 0, kNo},
    {0x1901, 0, 0},
    {0x1919, 4, 4},
    // Pages reached only through the translation carry no EQ controls.
    {0x0315, 0, kNo},
    {0x180E, 0, kNo},
    {0x0716, 0, kNo},
    {0x1A01, 0, kNo},
    {0x1E0A, 0, kNo},
    // Outside the stores.
    {-1, 0, kNo},
    {0x00A5, 0, kNo},
    {0x1F0A, 0, kNo},
};

TEST(EqSlotInfoTest, DecodesItemAndField) {
    for (const SlotCase& c : kSlots) {
        const EqSlot slot = EqSlotInfo(c.logical);
        EXPECT_EQ(slot, (EqSlot{c.item, c.field}))
            << std::hex << "address 0x" << c.logical << std::dec << ": got (" << slot.item << ", "
            << slot.field << ")";
        EXPECT_EQ(slot.isEq(), c.field != kNo);
    }
}

TEST(PageTableTest, SlotCountsKindsAndLayouts) {
    // Pages 0..24 carry slots 0 to their preset file's last slot inclusive; the hidden pages'
    // five bands end at slot 25 and the settings pages need no more.
    const int slotCounts[kPageCount] = {165, 61, 115, 115, 49, 46, 71, 71, 71, 71, 71,
                                        71,  71, 71,  71,  71, 71, 71, 71, 71, 71, 71,
                                        71,  71, 49,  26,  26, 26, 37, 10, 21};
    const int kinds[kPageCount] = {0, 8, 1, 1, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3,
                                   3, 3, 3, 3, 3, 3, 3, 3, 2, 4, 4, 4, 4, 4, 4};
    for (int page = 0; page < kPageCount; ++page) {
        EXPECT_EQ(PageSlotCount(page), slotCounts[page]) << "page " << page;
        EXPECT_EQ(PageKind(MakeAddress(page, 7)), kinds[page]) << "page " << page;
        EXPECT_EQ(PageLayoutOf(page).kind, kinds[page]) << "page " << page;
    }
    EXPECT_EQ(PageSlotCount(-1), 0);
    EXPECT_EQ(PageSlotCount(31), 0);
}

TEST(PageTableTest, BandsAndCrossoversOfEachFamily) {
    struct Row {
        int page, bands, first, step, hpType, hpFrequency, lpType, lpFrequency;
    };
    const Row rows[] = {
        {0, 15, 10, 5, 4, 5, 6, 7},    {1, 3, 2, 10, -1, -1, -1, -1},
        {3, 20, 15, 5, 9, 10, 11, 12}, {24, 7, 14, 5, 9, 10, 11, 12},
        {5, 7, 11, 5, 6, 7, 8, 9},     {23, 10, 21, 5, 16, 17, 18, 19},
        {27, 5, 1, 5, -1, -1, -1, -1}, {28, 0, 0, 5, -1, -1, -1, -1},
    };
    for (const Row& r : rows) {
        const PageLayout& layout = PageLayoutOf(r.page);
        EXPECT_EQ(layout.bandCount, r.bands) << "page " << r.page;
        EXPECT_EQ(layout.firstBandSlot, r.first) << "page " << r.page;
        EXPECT_EQ(layout.bandStep, r.step) << "page " << r.page;
        EXPECT_EQ(layout.highPass.typeSlot, r.hpType) << "page " << r.page;
        EXPECT_EQ(layout.highPass.frequencySlot, r.hpFrequency) << "page " << r.page;
        EXPECT_EQ(layout.lowPass.typeSlot, r.lpType) << "page " << r.page;
        EXPECT_EQ(layout.lowPass.frequencySlot, r.lpFrequency) << "page " << r.page;
    }
}

TEST(PageTableTest, EqDefaultFrequencies) {
    EXPECT_EQ(EqDefaultFrequency(0, 0), 2);
    EXPECT_EQ(EqDefaultFrequency(0, 14), 333);
    EXPECT_EQ(EqDefaultFrequency(1, 13), 299);
    EXPECT_EQ(EqDefaultFrequency(1, 19), 360);
    EXPECT_EQ(EqDefaultFrequency(2, 6), 300);
    EXPECT_EQ(EqDefaultFrequency(3, 9), 272);
    EXPECT_EQ(EqDefaultFrequency(4, 4), 280);
    EXPECT_EQ(EqDefaultFrequency(8, 0), 20);
    EXPECT_EQ(EqDefaultFrequency(8, 1), 129);
    // Past the family's bands or outside the families: 0.
    EXPECT_EQ(EqDefaultFrequency(0, 15), 0);
    EXPECT_EQ(EqDefaultFrequency(8, 3), 0);
    EXPECT_EQ(EqDefaultFrequency(5, 0), 0);
    EXPECT_EQ(EqDefaultFrequency(3, -1), 0);
}

struct QCase {
    ParamAddress logical;
    ParamAddress typeAddress;
    int type;
    ParamAddress expected;
};

TEST(ActiveQSlotTest, PeqAndBypassUseField3ShelvesField4) {
    const QCase cases[] = {
        {0x000D, 0x000A, 3, 0x000E},                               // high shelf
        {0x000D, 0x000A, 1, 0x000D},                               // PEQ
        {0x000E, 0x000A, 1, 0x000D}, {0x000E, 0x000A, 0, 0x000D},  // bypass
        {0x000D, 0x000A, 2, 0x000E},                               // low shelf
        {0x0105, 0x0102, 3, 0x0106},                               // dynamic EQ band 0
        {0x0110, 0x010C, 1, 0x010F},                               // dynamic EQ band 1
        {0x0271, 0x026E, 2, 0x0272},  // last microphone band: field 4 at the slot count
        {0x1905, 0x1901, 0, 0x1904},
    };
    for (const QCase& c : cases) {
        ParamModel model;
        model.store().Set(c.typeAddress, c.type);
        EXPECT_EQ(model.ActiveQSlot(c.logical), c.expected)
            << std::hex << "0x" << c.logical << " with type " << c.type;
    }
}

TEST(ActiveQSlotTest, OtherAddressesComeBackUnchanged) {
    ParamModel model;
    model.store().Set(0x000A, 3);
    for (ParamAddress a : {0x000A, 0x000B, 0x000C, 0x0005, 0x0009, 0x0107, 0x0315, -1, 0x00A5}) {
        EXPECT_EQ(model.ActiveQSlot(a), a) << std::hex << a;
    }
}

}  // namespace
}  // namespace zt
