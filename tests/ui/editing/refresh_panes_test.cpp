// Every value pane shows the value of its bar after a download, whether the bar moved or not: a
// bar already at the downloaded value raises no change of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/page_table.h"
#include "params/value_scales.h"
#include "tests/ui/editing/editing_rig.h"

namespace zt::test {
namespace {

constexpr int kVolumePage = 29;

// A bound value pane and the bar whose value it shows.
struct BoundPane {
    ParamAddress address;
    StatusPane* pane;
    TrackBar* bar;
};

// Every pane of the binding table, once (the right-side delay pane serves two pages).
std::vector<BoundPane> AllBoundPanes(const ControlBinding& binding) {
    std::vector<BoundPane> panes;
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const ParamAddress a = MakeAddress(page, slot);
            auto* pane = qobject_cast<StatusPane*>(binding.PaneOf(a));
            auto* bar = binding.BoundControlAs<TrackBar>(a);
            if (!pane || !bar) continue;
            bool seen = false;
            for (const BoundPane& each : panes) seen |= each.pane == pane;
            if (!seen) panes.push_back({a, pane, bar});
        }
    }
    return panes;
}

// The text a pane must show for its bar: the formatted value, or for the volume bars the
// position as a whole number.
QString Expected(const EditingRig& rig, const BoundPane& p) {
    if (PageOf(p.address) == kVolumePage) return QString::number(p.bar->value());
    const int kind = p.pane->hint().toInt();
    const FormatContext context = FormatContextFor(rig.model.selection(), p.pane->tag());
    return QString::fromStdString(FormatValueText(kind, p.bar->value(), context));
}

// Fills the slots of every pane's bar in the simulator's memory; `value` gets the pane's index
// and the bar's maximum.
template <typename ValueOf>
void FillPaneSlots(EditingRig& rig, ValueOf value) {
    const std::vector<BoundPane> panes = AllBoundPanes(rig.binding);
    for (size_t i = 0; i < panes.size(); ++i) {
        // The right delay's pages 9 and 15 carry their own slots; the others are translated by
        // the selection (MIC A, echo A, main sing left).
        for (ParamAddress a : {panes[i].address, MakeAddress(15, 10)}) {
            if (a == MakeAddress(15, 10) && panes[i].bar != rig.Get<TrackBar>("MainRdelayBar")) {
                continue;
            }
            rig.sim.memory().Set(rig.model.ToDeviceAddress(a),
                                 value(static_cast<int>(i), panes[i].bar->maximum()));
        }
    }
}

void ExpectEveryPaneShowsItsBar(const EditingRig& rig, const std::string& when) {
    for (const BoundPane& p : AllBoundPanes(rig.binding)) {
        const QString name = p.pane->objectName();
        EXPECT_FALSE(p.pane->caption().isEmpty()) << when << ": " << name.toStdString();
        EXPECT_EQ(p.pane->caption(), Expected(rig, p)) << when << ": " << name.toStdString();
    }
}

TEST(RefreshPanesTest, TheTableHoldsEveryBoundPane) {
    EditingRig rig;
    const std::vector<BoundPane> panes = AllBoundPanes(rig.binding);
    // Music 3, dynamic EQ 12, microphone 11, echo 9, reverb 6, outputs 12 and the right delay,
    // volumes 9.
    EXPECT_EQ(panes.size(), 63u);
    std::vector<QString> names;
    for (const BoundPane& p : panes) names.push_back(p.pane->objectName());
    for (const char* reported : {"MicFBEPane", "MicNoiseLevelPane", "EchoRPreDelayPane",
                                 "MainRdelayPane", "SysMusNormalVolPane"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), reported), names.end()) << reported;
    }
}

TEST(RefreshPanesTest, EveryPaneShowsADownloadOfOtherValues) {
    EditingRig rig;
    FillPaneSlots(rig, [](int index, int maximum) { return 1 + (index * 7) % maximum; });
    ASSERT_TRUE(rig.Link());
    ExpectEveryPaneShowsItsBar(rig, "download");
    const std::vector<BoundPane> panes = AllBoundPanes(rig.binding);
    for (size_t i = 0; i < panes.size(); ++i) {
        if (panes[i].bar == rig.Get<TrackBar>("MainRdelayBar")) continue;
        EXPECT_EQ(panes[i].bar->value(), 1 + (static_cast<int>(i) * 7) % panes[i].bar->maximum())
            << panes[i].pane->objectName().toStdString();
    }
    for (int tab : {kTabMicB, kTabEffect, kTabMain, kTabSurround, kTabCenter, kTabSub,
                    kTabDynamicEq, kTabMusic}) {
        rig.ChooseTab(tab);
        ExpectEveryPaneShowsItsBar(rig, "tab " + std::to_string(tab));
    }
    EXPECT_TRUE(rig.TakeWrites().empty());
}

TEST(RefreshPanesTest, EveryPaneShowsADownloadOfZeros) {
    EditingRig rig;
    for (int page = 0; page < kSystemPage; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) rig.sim.memory().Set(page, slot, 0);
    }
    ASSERT_TRUE(rig.Link());
    ExpectEveryPaneShowsItsBar(rig, "download");
    EXPECT_EQ(rig.Get<StatusPane>("MicFBEPane")->caption(), "0");
    EXPECT_EQ(rig.Get<StatusPane>("MicNoiseLevelPane")->caption(), "-90dB");
    EXPECT_EQ(rig.Get<StatusPane>("EchoRPreDelayPane")->caption(), "0%");
    EXPECT_EQ(rig.Get<StatusPane>("MainRdelayPane")->caption(), "0.0ms");
    EXPECT_EQ(rig.Get<StatusPane>("SysMusMaxVolPane")->caption(), "0");
    for (int tab : {kTabSurround, kTabSub, kTabEffect, kTabDynamicEq}) {
        rig.ChooseTab(tab);
        ExpectEveryPaneShowsItsBar(rig, "tab " + std::to_string(tab));
    }
    rig.RefreshAfterTransfer();
    ExpectEveryPaneShowsItsBar(rig, "the same values again");
    EXPECT_TRUE(rig.TakeWrites().empty());
}

}  // namespace
}  // namespace zt::test
