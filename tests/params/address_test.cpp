// Logical-to-device address translation, the two stores and StoreValue.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "params/param_model.h"
#include "params/selection.h"

namespace zt {
namespace {

std::string Hex(ParamAddress a) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(a));
    return text;
}

struct TranslationCase {
    const char* name;
    std::function<void(SelectionState&)> select;
    ParamAddress logical;
    ParamAddress device;
};

void Keep(SelectionState&) {}

const TranslationCase kTranslations[] = {
    {"music stays", Keep, 0x0005, 0x0005},
    {"system page stays", Keep, 0x1E05, 0x1E05},
    {"dynamic EQ stays", Keep, 0x0110, 0x0110},
    {"settings pages stay", Keep, 0x1C03, 0x1C03},
    {"MIC A shown", Keep, 0x0215, 0x0215},
    {"MIC B shown", [](SelectionState& s) { s.micPage = 3; }, 0x0215, 0x0315},
    {"page 3 follows MicPage", Keep, 0x0315, 0x0215},
    {"echo B shown", [](SelectionState& s) { s.effectPage = 24; }, 0x040E, 0x180E},
    {"echo A shown, page 24 follows", Keep, 0x180E, 0x040E},
    {"reverb shown, echo A stays", [](SelectionState& s) { s.effectPage = 5; }, 0x040E, 0x040E},
    {"reverb shown, echo B stays", [](SelectionState& s) { s.effectPage = 5; }, 0x180E, 0x180E},
    {"reverb page stays", [](SelectionState& s) { s.effectPage = 24; }, 0x050B, 0x050B},
    // Output pages: OutputPage 10 is main right, disco scene; OutputScene 1.
    {"shared limiter slot, main",
     [](SelectionState& s) {
         s.outputPage = 10;
         s.outputScene = 1;
     },
     0x060C, 0x070C},
    {"shared slot 15, main",
     [](SelectionState& s) {
         s.outputPage = 10;
         s.outputScene = 1;
     },
     0x060F, 0x070F},
    {"right delay, main",
     [](SelectionState& s) {
         s.outputPage = 10;
         s.outputScene = 1;
     },
     0x090A, 0x0A0A},
    {"left delay from page 6 is the shared page",
     [](SelectionState& s) {
         s.outputPage = 10;
         s.outputScene = 1;
     },
     0x060A, 0x070A},
    {"left mute from page 8",
     [](SelectionState& s) {
         s.outputPage = 10;
         s.outputScene = 1;
     },
     0x080B, 0x070B},
    {"right delay of surround",
     [](SelectionState& s) {
         s.outputPage = 10;
         s.outputScene = 1;
     },
     0x0F0A, 0x100A},
    {"left delay of surround from page 13",
     [](SelectionState& s) {
         s.outputPage = 10;
         s.outputScene = 2;
     },
     0x0D0A, 0x0E0A},
    {"delay from page 18 is the shared page",
     [](SelectionState& s) {
         s.outputPage = 10;
         s.outputScene = 1;
     },
     0x120A, 0x070A},
    {"EQ slot, main",
     [](SelectionState& s) {
         s.outputPage = 10;
         s.outputScene = 1;
     },
     0x0616, 0x0A16},
    {"slot 16 is not shared",
     [](SelectionState& s) {
         s.outputPage = 10;
         s.outputScene = 1;
     },
     0x0610, 0x0A10},
    {"slot 9 is not per side",
     [](SelectionState& s) {
         s.outputPage = 10;
         s.outputScene = 1;
     },
     0x0609, 0x0A09},
    {"shared slot, surround",
     [](SelectionState& s) {
         s.outputPage = 16;
         s.outputScene = 2;
     },
     0x060D, 0x0E0D},
    {"shared slot, centre uses OutputPage",
     [](SelectionState& s) {
         s.outputPage = 20;
         s.outputScene = 2;
     },
     0x060C, 0x140C},
    {"delay from page 6, SUB uses OutputPage",
     [](SelectionState& s) {
         s.outputPage = 22;
         s.outputScene = 1;
     },
     0x060A, 0x160A},
    {"right delay of main while SUB shown",
     [](SelectionState& s) {
         s.outputPage = 22;
         s.outputScene = 1;
     },
     0x090A, 0x0A0A},
    {"hidden page 26", [](SelectionState& s) { s.hiddenPage = 26; }, 0x1905, 0x1A05},
    {"hidden page 27 from 27", [](SelectionState& s) { s.hiddenPage = 25; }, 0x1B05, 0x1905},
    {"second music set, first band", [](SelectionState& s) { s.musicEqSet = 2; }, 0x000A, 0x0055},
    {"second music set, last slot", [](SelectionState& s) { s.musicEqSet = 2; }, 0x0054, 0x009F},
    {"second music set, slot 85 stays", [](SelectionState& s) { s.musicEqSet = 2; }, 0x0055,
     0x0055},
    {"second music set, slot 9 stays", [](SelectionState& s) { s.musicEqSet = 2; }, 0x0009, 0x0009},
    {"music set 1 is not redirected", [](SelectionState& s) { s.musicEqSet = 1; }, 0x000A, 0x000A},
    {"only the music page is redirected", [](SelectionState& s) { s.musicEqSet = 2; }, 0x020A,
     0x020A},
};

class TranslationTest : public testing::TestWithParam<TranslationCase> {};

TEST_P(TranslationTest, ToDeviceAddress) {
    const TranslationCase& c = GetParam();
    SelectionState selection;
    c.select(selection);
    EXPECT_EQ(Hex(ToDeviceAddress(selection, c.logical)), Hex(c.device));
}

INSTANTIATE_TEST_SUITE_P(Selections, TranslationTest, testing::ValuesIn(kTranslations),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

TEST(SelectionTest, StartsOnMicAEchoAMainSingFirstMusicSet) {
    const SelectionState s;
    EXPECT_EQ(s.micPage, 2);
    EXPECT_EQ(s.effectPage, 4);
    EXPECT_EQ(s.outputPage, 6);
    EXPECT_EQ(s.hiddenPage, 25);
    EXPECT_EQ(s.outputScene, 0);
    EXPECT_EQ(s.musicEqSet, 0);
}

TEST(SelectionTest, RightSideControlsFollowTheOutputShown) {
    SelectionState s;
    const std::pair<int, std::optional<int>> cases[] = {
        {6, 9}, {11, 9}, {12, 15}, {17, 15}, {18, std::nullopt}, {23, std::nullopt}};
    for (const auto& [outputPage, expected] : cases) {
        s.outputPage = outputPage;
        EXPECT_EQ(RightSideControlPage(s), expected) << "OutputPage " << outputPage;
    }
}

TEST(PageMemoryTest, AddressesOutsideTheStoreReadZeroAndAreNotWritten) {
    PageMemory memory;
    const PageMemory untouched;
    for (ParamAddress outside : {-1, -256, 0x00A5, 0x00FF, 0x1F00, 0x7FFFFFFF}) {
        memory.Set(outside, 5);
        EXPECT_EQ(memory.Get(outside), 0) << Hex(outside);
    }
    memory.Set(31, 0, 5);
    memory.Set(0, 165, 5);
    memory.Set(-1, 3, 5);
    EXPECT_EQ(memory, untouched);

    memory.Set(0x1EA4, 9);  // page 30, slot 164: the last one
    EXPECT_EQ(memory.Get(30, 164), 9);
}

TEST(StoreValueTest, StoresLogicallyAndUnderTheDeviceAddress) {
    ParamModel model;
    model.selection().micPage = 3;
    model.StoreValue(0x0215, 77);
    EXPECT_EQ(model.store().Get(0x0215), 77);
    EXPECT_EQ(model.image().Get(0x0315), 77);
    EXPECT_EQ(model.image().Get(0x0215), 0);
    EXPECT_EQ(model.store().Get(0x0315), 0);
}

TEST(StoreValueTest, SecondMusicSetOnlyInTheImage) {
    ParamModel model;
    model.selection().musicEqSet = 2;
    model.StoreValue(0x000B, 204);
    EXPECT_EQ(model.store().Get(0x000B), 204);
    EXPECT_EQ(model.store().Get(0x0056), 0);
    EXPECT_EQ(model.image().Get(0x0056), 204);
    EXPECT_EQ(model.image().Get(0x000B), 0);
}

TEST(StoreValueTest, IgnoresAddressesOutsideTheStores) {
    ParamModel model;
    // Slot 165 of page 2 would otherwise land on MicPage's page in the image.
    model.selection().micPage = 3;
    for (ParamAddress outside : {-1, 0x02A5, 0x00FF, 0x1F00, 0x2000}) model.StoreValue(outside, 5);
    EXPECT_EQ(model.store(), ParamStore{});
    EXPECT_EQ(model.image(), DeviceImage{});
}

}  // namespace
}  // namespace zt
