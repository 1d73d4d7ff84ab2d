// Store rebuild, EQ reset and EQ copy of the parameter model.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "params/param_model.h"

namespace zt {
namespace {

// Every image slot holds page * 1000 + slot, so a value tells where it came from.
void FillImage(DeviceImage& image) {
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) image.Set(page, slot, page * 1000 + slot);
    }
}

class RecordingWriter : public PacedParamWriter {
public:
    void WriteParameterPaced(ParamAddress logical, int value) override {
        writes.emplace_back(logical, value);
    }
    std::vector<std::pair<ParamAddress, int>> writes;
};

class RecordingRefresher : public PageRefresher {
public:
    void RefreshPage(int page) override { pages.push_back(page); }
    std::vector<int> pages;
};

// ---------------------------------------------------------------- RebuildParamStore

class RebuildTest : public testing::Test {
protected:
    void SetUp() override {
        FillImage(model.image());
        SelectionState& s = model.selection();
        s.micPage = 3;
        s.effectPage = 24;
        s.outputPage = 10;
        s.outputScene = 1;
        s.hiddenPage = 26;
        s.musicEqSet = 2;
        model.RebuildParamStore();
    }
    int Store(int page, int slot) const { return model.store().Get(page, slot); }
    ParamModel model;
};

TEST_F(RebuildTest, LogicalPagesReadTheSelectedProcessorPages) {
    struct Expectation {
        int page, slot, value;
    };
    const Expectation cases[] = {
        {0, 0, 0},
        {0, 9, 9},
        {0, 10, 85},
        {0, 84, 159},
        {0, 85, 85},
        {0, 163, 163},
        {1, 59, 1059},
        {2, 0, 3000},
        {2, 113, 3113},
        {4, 47, 24047},
        {5, 44, 5044},
        {6, 0, 10000},
        {6, 10, 7010},
        {6, 11, 7011},
        {6, 12, 7012},
        {6, 15, 7015},
        {6, 16, 10016},
        {6, 69, 10069},
        {25, 25, 26025},
        {26, 3, 26003},
        {27, 3, 26003},
        {28, 36, 28036},
        {29, 9, 29009},
        {30, 20, 30020},
        // Right sides of the stereo outputs, from the current scene.
        {9, 10, 10010},
        {9, 11, 10011},
        {15, 10, 16010},
        {15, 11, 16011},
    };
    for (const Expectation& e : cases) {
        EXPECT_EQ(Store(e.page, e.slot), e.value) << "page " << e.page << " slot " << e.slot;
    }
}

TEST_F(RebuildTest, SlotsPastTheSlotCountAndOtherPagesStayUntouched) {
    // Pages 0..24 carry their last preset slot (0 164, 1 60, 2 114 ...); one past is untouched.
    const std::pair<int, int> untouched[] = {{1, 61},  {2, 115}, {4, 49},  {5, 46},  {6, 71},
                                             {25, 26}, {28, 37}, {29, 10}, {30, 21}, {3, 20},
                                             {7, 30},  {9, 12},  {15, 9},  {24, 20}};
    for (const auto& [page, slot] : untouched) {
        EXPECT_EQ(Store(page, slot), 0) << "page " << page << " slot " << slot;
    }
}

// ---------------------------------------------------------------- ResetEq

// Default of band `band`, field `field` on a page of the given PageKind.
int DefaultOf(int pageKind, int band, int field) {
    const int defaults[] = {1, -1, 120, 16, 10};
    return field == 1 ? EqDefaultFrequency(pageKind, band) : defaults[field];
}

class ResetEqTest : public testing::Test {
protected:
    void SetUp() override { FillImage(model.image()); }
    ParamModel model;
    RecordingWriter writer;
    RecordingRefresher refresher;
};

struct SinglePageCase {
    int page;
    void (*select)(SelectionState&);
    int target;
};

const SinglePageCase kSinglePages[] = {
    {2, [](SelectionState& s) { s.micPage = 3; }, 3},
    {2, [](SelectionState&) {}, 2},
    {3, [](SelectionState& s) { s.micPage = 2; }, 3},
    {4, [](SelectionState& s) { s.effectPage = 24; }, 24},
    {4, [](SelectionState& s) { s.effectPage = 5; }, 5},
    {5, [](SelectionState&) {}, 5},
    {6, [](SelectionState& s) { s.outputPage = 15; }, 15},
    {25, [](SelectionState& s) { s.hiddenPage = 27; }, 27},
    {1, [](SelectionState&) {}, 1},
    {0, [](SelectionState&) {}, 0},
};

TEST_F(ResetEqTest, SinglePageResetsTheSelectedPageAndSendsItPaced) {
    for (const SinglePageCase& c : kSinglePages) {
        SCOPED_TRACE("ResetEq(" + std::to_string(c.page) + ") -> page " + std::to_string(c.target));
        ParamModel fresh;
        FillImage(fresh.image());
        c.select(fresh.selection());
        const DeviceImage before = fresh.image();
        RecordingWriter sent;
        RecordingRefresher refreshed;

        fresh.ResetEq(c.page, sent, refreshed);

        const PageLayout& layout = PageLayoutOf(c.target);
        const int kind = PageKind(MakeAddress(c.target, 0));
        DeviceImage expected = before;
        std::vector<std::pair<ParamAddress, int>> expectedWrites;
        for (int band = 0; band < layout.bandCount; ++band) {
            for (int field = 0; field < 5; ++field) {
                const int slot = layout.firstBandSlot + band * layout.bandStep + field;
                const int value = DefaultOf(kind, band, field);
                expected.Set(c.target, slot, value);
                expectedWrites.emplace_back(MakeAddress(c.target, slot), value);
                EXPECT_EQ(fresh.store().Get(c.target, slot), value);
            }
        }
        EXPECT_EQ(fresh.image(), expected);
        EXPECT_EQ(sent.writes, expectedWrites);
        EXPECT_EQ(refreshed.pages, std::vector<int>{c.page});
    }
}

TEST_F(ResetEqTest, MicBResetOfPage2SendsPage3Defaults) {
    model.selection().micPage = 3;
    model.ResetEq(2, writer, refresher);
    ASSERT_EQ(writer.writes.size(), 100u);
    EXPECT_EQ(writer.writes.front(), std::make_pair(0x030F, 1));
    EXPECT_EQ(writer.writes[1], std::make_pair(0x0310, 2));
    EXPECT_EQ(writer.writes[2], std::make_pair(0x0311, 120));
    EXPECT_EQ(writer.writes[3], std::make_pair(0x0312, 16));
    EXPECT_EQ(writer.writes[4], std::make_pair(0x0313, 10));
    EXPECT_EQ(writer.writes.back(), std::make_pair(0x0372, 10));
    EXPECT_EQ(writer.writes[96], std::make_pair(0x036F, 360));
    EXPECT_EQ(model.image().Get(2, 15), 2015);  // MIC A untouched
    EXPECT_EQ(model.image().Get(3, 14), 3014);  // EQ pass slot untouched
}

TEST_F(ResetEqTest, DynamicEqBandsAreTenApart) {
    model.ResetEq(1, writer, refresher);
    EXPECT_EQ(model.image().Get(1, 2), 1);
    EXPECT_EQ(model.image().Get(1, 3), 20);
    EXPECT_EQ(model.image().Get(1, 13), 129);
    EXPECT_EQ(model.image().Get(1, 23), 280);
    EXPECT_EQ(model.image().Get(1, 26), 10);
    EXPECT_EQ(model.image().Get(1, 7), 1007);  // threshold of band 0 keeps its value
    EXPECT_EQ(model.image().Get(1, 1), 1001);
    EXPECT_EQ(writer.writes.size(), 15u);
}

TEST_F(ResetEqTest, SecondMusicSetShownResetsItAndSendsLogicalAddresses) {
    model.selection().musicEqSet = 2;
    model.ResetEq(0, writer, refresher);
    EXPECT_EQ(model.image().Get(0, 85), 1);
    EXPECT_EQ(model.image().Get(0, 86), 2);
    EXPECT_EQ(model.image().Get(0, 159), 10);
    EXPECT_EQ(model.image().Get(0, 10), 10);  // first set keeps its values
    EXPECT_EQ(model.image().Get(0, 11), 11);
    EXPECT_EQ(model.store().Get(0, 11), 2);
    EXPECT_EQ(writer.writes.front(), std::make_pair(0x000A, 1));
    EXPECT_EQ(writer.writes.back(), std::make_pair(0x0054, 10));
    EXPECT_EQ(model.selection().musicEqSet, 2);
}

TEST_F(ResetEqTest, PagesWithoutEqWriteNothing) {
    for (int page : {28, 29, 30}) {
        const DeviceImage before = model.image();
        model.ResetEq(page, writer, refresher);
        EXPECT_EQ(model.image(), before);
    }
    EXPECT_TRUE(writer.writes.empty());
    EXPECT_EQ(model.store(), ParamStore{});
    EXPECT_EQ(refresher.pages, (std::vector<int>{28, 29, 30}));
}

TEST_F(ResetEqTest, AllPagesSendNothingAndResetBothMusicSets) {
    model.selection().musicEqSet = 2;
    model.ResetEq(kAllPages, writer, refresher);

    EXPECT_TRUE(writer.writes.empty());
    EXPECT_EQ(refresher.pages, std::vector<int>{kAllPages});
    EXPECT_EQ(model.selection().musicEqSet, 0);

    for (int page = 0; page <= 27; ++page) {
        const PageLayout& layout = PageLayoutOf(page);
        for (int band = 0; band < layout.bandCount; ++band) {
            for (int field = 0; field < 5; ++field) {
                const int slot = layout.firstBandSlot + band * layout.bandStep + field;
                const int value = DefaultOf(layout.kind, band, field);
                ASSERT_EQ(model.image().Get(page, slot), value)
                    << "page " << page << " slot " << slot;
                ASSERT_EQ(model.store().Get(page, slot), value)
                    << "page " << page << " slot " << slot;
            }
        }
    }
    // Second music set: image only.
    for (int band = 0; band < 15; ++band) {
        for (int field = 0; field < 5; ++field) {
            const int slot = 85 + band * 5 + field;
            EXPECT_EQ(model.image().Get(0, slot), DefaultOf(0, band, field)) << "slot " << slot;
            EXPECT_EQ(model.store().Get(0, slot), 0) << "slot " << slot;
        }
    }
    // Everything that is no EQ band keeps its value.
    const std::pair<int, int> kept[] = {{0, 9},  {0, 160}, {0, 7},  {1, 7},   {2, 14},
                                        {6, 20}, {6, 19},  {23, 0}, {25, 0},  {28, 1},
                                        {29, 3}, {30, 4},  {1, 27}, {2, 115}, {6, 71}};
    for (const auto& [page, slot] : kept) {
        EXPECT_EQ(model.image().Get(page, slot), page * 1000 + slot)
            << "page " << page << " slot " << slot;
    }
}

// ---------------------------------------------------------------- CopyEq

struct CopyCase {
    EqCopyChannel channel;
    const char* name;
    // (from page, to page) pairs, slots first..last, destination offset
    std::vector<std::pair<int, int>> pages;
    int first, last, offset;
};

const CopyCase kCopies[] = {
    {EqCopyChannel::Music, "music", {{0, 0}}, 10, 84, 75},
    {EqCopyChannel::DynamicEq, "dynamic EQ", {{1, 1}}, 1, 30, 30},
    {EqCopyChannel::Microphone, "microphone", {{2, 3}}, 15, 114, 0},
    {EqCopyChannel::Main, "main", {{6, 9}, {7, 10}, {8, 11}}, 0, 70, 0},
    {EqCopyChannel::Surround, "surround", {{12, 15}, {13, 16}, {14, 17}}, 0, 70, 0},
    {EqCopyChannel::Other, "other", {}, 0, -1, 0},
};

TEST(CopyEqTest, CopiesInsideTheImageOnly) {
    for (const CopyCase& c : kCopies) {
        SCOPED_TRACE(c.name);
        ParamModel model;
        FillImage(model.image());
        model.selection().micPage = 3;  // the selection plays no part
        DeviceImage expected = model.image();
        for (const auto& [from, to] : c.pages) {
            for (int slot = c.first; slot <= c.last; ++slot) {
                expected.Set(to, slot + c.offset, from * 1000 + slot);
            }
        }
        model.CopyEq(c.channel);
        EXPECT_EQ(model.image(), expected);
        EXPECT_EQ(model.store(), ParamStore{});
    }
}

TEST(CopyEqTest, BoundariesOfEachCopy) {
    ParamModel model;
    FillImage(model.image());
    for (EqCopyChannel channel :
         {EqCopyChannel::Music, EqCopyChannel::DynamicEq, EqCopyChannel::Microphone,
          EqCopyChannel::Main, EqCopyChannel::Surround}) {
        model.CopyEq(channel);
    }
    const DeviceImage& image = model.image();
    EXPECT_EQ(image.Get(0, 85), 10);
    EXPECT_EQ(image.Get(0, 159), 84);
    EXPECT_EQ(image.Get(0, 160), 160);  // the auto/manual slot keeps its value
    EXPECT_EQ(image.Get(0, 84), 84);
    EXPECT_EQ(image.Get(1, 31), 1001);
    EXPECT_EQ(image.Get(1, 60), 1030);
    EXPECT_EQ(image.Get(1, 61), 1061);
    EXPECT_EQ(image.Get(1, 0), 1000);
    EXPECT_EQ(image.Get(3, 14), 3014);
    EXPECT_EQ(image.Get(3, 15), 2015);
    EXPECT_EQ(image.Get(3, 114), 2114);
    EXPECT_EQ(image.Get(3, 115), 3115);
    EXPECT_EQ(image.Get(9, 0), 6000);
    EXPECT_EQ(image.Get(11, 70), 8070);
    EXPECT_EQ(image.Get(11, 71), 11071);
    EXPECT_EQ(image.Get(17, 70), 14070);
    EXPECT_EQ(image.Get(18, 0), 18000);  // centre is not copied
}

}  // namespace
}  // namespace zt
