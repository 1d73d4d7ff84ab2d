#include "eqgraph/eq_point_list.h"

#include <gtest/gtest.h>

#include "params/value_tables.h"

namespace zt {
namespace {

TEST(EqPointListTest, ResultAndLastItemPerPage) {
    struct Case {
        int page;
        int result;
    };
    const Case cases[] = {{0, 214}, {1, 2},   {2, 219}, {3, 219},  {4, 206}, {5, 206},
                          {6, 209}, {7, 9},   {23, 9},  {24, 206}, {25, 4},  {26, 4},
                          {27, 4},  {28, -1}, {30, -1}, {-1, -1}};
    for (const Case& c : cases) {
        ParamStore store;
        EqPointList list;
        EXPECT_EQ(LoadEqPoints(kAllItems, c.page, store, list), c.result) << c.page;
        if (c.result >= 0) {
            EXPECT_EQ(list.lastItem, LastItemOf(c.result)) << c.page;
        }
    }
}

TEST(EqPointListTest, BandsReadTheirFieldsAndShelvesTheirSlope) {
    ParamStore store;
    // Music band 2 (slots 20..24): a low shelf; band 3 (25..29): a PEQ.
    for (int slot = 20; const int v : {2, 100, 150, 40, 12}) store.Set(0, slot++, v);
    for (int slot = 25; const int v : {1, 200, 95, 100, 3}) store.Set(0, slot++, v);
    EqPointList list;
    LoadEqPoints(kAllItems, 0, store, list);
    const EqPoint& shelf = list.items[2];
    EXPECT_EQ(shelf.type, 2);
    EXPECT_FLOAT_EQ(shelf.frequency, static_cast<float>(FrequencyHz(100)));
    EXPECT_FLOAT_EQ(shelf.gain, 6.0f);
    EXPECT_FLOAT_EQ(shelf.q, static_cast<float>(QValue(12)));
    EXPECT_EQ(shelf.frequencySlot, 0x0015);
    EXPECT_EQ(shelf.gainSlot, 0x0016);
    EXPECT_EQ(shelf.qSlot, 0x0017);
    const EqPoint& peq = list.items[3];
    EXPECT_FLOAT_EQ(peq.gain, -5.0f);
    EXPECT_FLOAT_EQ(peq.q, 128.0f);
}

TEST(EqPointListTest, FiltersAndTheirControlEntries) {
    ParamStore store;
    store.Set(2, 9, 4);    // microphone high-pass "12dB Link-Riley"
    store.Set(2, 10, 0);   // at index 0: off
    store.Set(2, 11, 12);  // low-pass "36dB Link-Riley"
    store.Set(2, 12, 300);
    EqPointList list;
    EXPECT_EQ(LoadEqPoints(kAllItems, 2, store, list), 219);
    EXPECT_EQ(list.items[20].type, 100);
    EXPECT_FLOAT_EQ(list.items[20].frequency, 19.0f);
    EXPECT_EQ(list.items[21].type, 212);
    EXPECT_FLOAT_EQ(list.items[21].frequency, static_cast<float>(FrequencyHz(300)));
    EXPECT_EQ(list.items[21].frequencySlot, 0x020C);
    EXPECT_TRUE(list.items[21].frequencyOnPane);
    EXPECT_EQ(list.items[21].gainSlot, -1);

    // On the music page the filters are items 15 and 16; entries 20 and 21 hold their controls.
    store.Set(0, 7, 361);
    LoadEqPoints(kAllItems, 0, store, list);
    EXPECT_EQ(list.items[16].type, 200);
    EXPECT_FLOAT_EQ(list.items[16].frequency, 20600.0f);
    EXPECT_EQ(list.items[kHighPassEntry].frequencySlot, 0x0005);
    EXPECT_EQ(list.items[kLowPassEntry].frequencySlot, 0x0007);
    EXPECT_EQ(list.items[kLowPassEntry].gainSlot, -1);
    EXPECT_EQ(MarkerOfItem(15, 15), kHighPassEntry);
    EXPECT_EQ(MarkerOfItem(16, 15), kLowPassEntry);
    EXPECT_EQ(MarkerOfItem(4, 15), 4);
}

TEST(EqPointListTest, OneItemLoadLeavesTheOtherBands) {
    ParamStore store;
    EqPointList list;
    LoadEqPoints(kAllItems, 6, store, list);
    store.Set(6, 21 + 5 * 3 + 2, 180);
    store.Set(6, 21 + 5 * 4 + 2, 0);
    store.Set(6, 17, 100);  // the high-pass is reloaded every time
    LoadEqPoints(3, 6, store, list);
    EXPECT_FLOAT_EQ(list.items[3].gain, 12.0f);
    EXPECT_FLOAT_EQ(list.items[4].gain, -24.0f + 0.0f / 5) << "still the old value";
    EXPECT_FLOAT_EQ(list.items[10].frequency, static_cast<float>(FrequencyHz(100)));
}

TEST(EqPointListTest, DynamicEqBandsAreTenSlotsApart) {
    ParamStore store;
    store.Set(1, 12, 1);
    store.Set(1, 13, 150);
    store.Set(1, 14, 70);
    EqPointList list;
    EXPECT_EQ(LoadEqPoints(kAllItems, 1, store, list), 2);
    EXPECT_EQ(list.items[1].type, 1);
    EXPECT_FLOAT_EQ(list.items[1].frequency, static_cast<float>(FrequencyHz(150)));
    EXPECT_FLOAT_EQ(list.items[1].gain, -10.0f);
    EXPECT_EQ(list.items[1].frequencySlot, 0x010D);
}

}  // namespace
}  // namespace zt
