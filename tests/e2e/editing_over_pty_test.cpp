// The editing side of the window over a real serial line: the zt461-sim program on a
// pseudo-terminal and the editor's whole window with its link window, port and timers.
// After the download every control shows what the processor holds; an edit on each kind of
// shared page lands at the processor address its selection implies.
#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "params/page_table.h"
#include "params/value_scales.h"
#include "sim/sim_state_dump.h"
#include "tests/support/sim_run.h"
#include "ui/app/editor_app.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/track_bar.h"

namespace zt::test {
namespace {

class SilentMessages : public WindowMessages {
public:
    void Inform(const QString&, const QString&) override {}
    bool Ask(const QString&, const QString&, AskButtons) override { return false; }
};

// The editor program's composition root in this process: the main window with its start-up,
// linking to the simulator through the port folder.
class EditingOverPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Start());
        app = std::make_unique<EditorApp>(std::make_unique<SilentMessages>());
        app->Show();
        QApplication::setActiveWindow(&app->window());
        ASSERT_TRUE(QTest::qWaitFor([this] { return app->link().linkOnline(); }, 30000))
            << "no link to the simulator";
    }
    void TearDown() override { app.reset(); }

    // Lets the link send what is queued, then reads the processor's memory.
    SimState Settle() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return app->link().settled(); }, 20000));
        QTest::qWait(100);
        SimState state;
        EXPECT_TRUE(sim.Dump(state));
        return state;
    }

    template <typename T>
    T* Get(const char* name) {
        return app->registry().Get<T>(QString::fromLatin1(name));
    }
    void Click(const char* name) { QTest::mouseClick(Get<QWidget>(name), Qt::LeftButton); }
    void ChooseTab(int tab) { app->pageSwitcher().OnTabClicked(tab); }

    SimRun sim{{}};
    std::unique_ptr<EditorApp> app;
};

TEST_F(EditingOverPty, EveryControlShowsTheDownloadedValue) {
    const SimState state = Settle();
    int checked = 0;
    for (int page : {0, 1, 2, 4, 5, 6, 25, 29, 30}) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            const ParamAddress a = MakeAddress(page, slot);
            QWidget* control = app->binding().BoundControlOf(a);
            const int expected = state.memory.Get(app->model().ToDeviceAddress(a));
            const std::string at = std::to_string(page) + "/" + std::to_string(slot);
            if (auto* bar = qobject_cast<TrackBar*>(control)) {
                EXPECT_EQ(bar->value(), std::min(expected, bar->maximum())) << at;
                ++checked;
            } else if (auto* box = qobject_cast<Selector*>(control);
                       box && expected < box->count()) {
                EXPECT_EQ(box->currentIndex(), expected) << at;
                ++checked;
            } else if (auto* edit = qobject_cast<ValueEdit*>(control);
                       edit && edit != Get<ValueEdit>("Example")) {
                const int kind = edit->hint().toInt();
                const int shown =
                    state.memory.Get(app->model().ToDeviceAddress(app->model().ActiveQSlot(a)));
                EXPECT_EQ(edit->text().toStdString(), FormatValueText(kind, shown)) << at;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 200);
}

TEST_F(EditingOverPty, EditsLandWhereTheSelectionPoints) {
    // MIC B: the microphones apart, then the MIC B side.
    ChooseTab(kTabMicA);
    Click("LeftBtn");
    Click("RightBtn");
    ASSERT_EQ(app->model().selection().micPage, 3);
    Get<TrackBar>("MicHPFreBar")->setValue(150);
    // Echo B.
    ChooseTab(kTabEffect);
    Click("EchoBToolButton");
    Get<TrackBar>("EchoTimeBar")->setValue(100);
    // Surround right in scene 2, in manual mode.
    ChooseTab(kTabSurround);
    Click("ManulModeBtn");
    Click("CodeModeBtn");
    Click("LeftBtn");
    Click("RightBtn");
    ASSERT_EQ(app->model().selection().outputPage, 17);
    Get<TrackBar>("MainMusLevelBar")->setValue(90);
    Get<TrackBar>("MainRdelayBar")->setValue(250);
    // The hint pages of MIC A and MIC B.
    ChooseTab(kTabHint);
    Click("HintMicABtn");
    Get<TrackBar>("HintEQGainBar1")->setValue(140);
    Click("HintMicBBtn");
    Get<TrackBar>("HintEQGainBar1")->setValue(100);

    const SimState state = Settle();
    EXPECT_EQ(state.memory.Get(3, 10), 150);
    EXPECT_EQ(state.memory.Get(24, 5), 100);
    EXPECT_EQ(state.memory.Get(0, 0xA1), 2);
    EXPECT_EQ(state.memory.Get(17, 0), 90);
    EXPECT_EQ(state.memory.Get(17, 10), 250);
    EXPECT_EQ(state.memory.Get(26, 3), 140);
    EXPECT_EQ(state.memory.Get(27, 3), 100);
    // The editor's own image agrees with the processor on every parameter page.
    for (int page = 0; page < 30; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            EXPECT_EQ(app->model().image().Get(page, slot), state.memory.Get(page, slot))
                << page << "/" << slot;
        }
    }
}

struct TogetherCase {
    const char* name;
    int tab;
    bool output;             // an output page: its EQ is edited in manual mode
    const char* bar;         // the band's gain bar
    ParamAddress gain;       // its logical address
    ParamAddress leftGain;   // where the processor keeps it on the left side
    ParamAddress rightGain;  // and on the right side
};

class SidesTogetherOverPty : public EditingOverPty,
                             public ::testing::WithParamInterface<TogetherCase> {};

// With both sides together the editor edits the left side only; the processor takes each
// value on both sides, so pressing the right side shows what the processor holds there.
TEST_P(SidesTogetherOverPty, TheRightSideHoldsWhatWasEditedTogether) {
    const TogetherCase& c = GetParam();
    ChooseTab(c.tab);
    if (c.output) Click("ManulModeBtn");
    Click("SameBtn");
    auto* gain = Get<TrackBar>(c.bar);
    ASSERT_NE(gain, nullptr);
    const int edited = gain->value() == 180 ? 170 : 180;
    gain->setValue(edited);
    SimState state = Settle();
    EXPECT_EQ(state.memory.Get(c.leftGain), edited);
    EXPECT_EQ(state.memory.Get(c.rightGain), edited);

    Click("RightBtn");
    state = Settle();
    EXPECT_EQ(app->model().ToDeviceAddress(c.gain), c.rightGain);
    EXPECT_EQ(gain->value(), edited);
    EXPECT_EQ(state.memory.Get(c.rightGain), edited);
    // The right side apart: its own edits stay there.
    gain->setValue(edited - 40);
    state = Settle();
    EXPECT_EQ(state.memory.Get(c.leftGain), edited);
    EXPECT_EQ(state.memory.Get(c.rightGain), edited - 40);
    for (int page = 0; page < 30; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            EXPECT_EQ(app->model().image().Get(page, slot), state.memory.Get(page, slot))
                << page << "/" << slot;
        }
    }
}

// The third band's gain of each pair; the outputs in scene 0 (the factory's).
INSTANTIATE_TEST_SUITE_P(
    Pairs, SidesTogetherOverPty,
    ::testing::Values(
        TogetherCase{"Music", kTabMusic, false, "MusEQGainBar3", 0x0016, 0x0016, 0x0061},
        TogetherCase{"Microphones", kTabMicA, false, "MicEQGainBar3", 0x021B, 0x021B, 0x031B},
        TogetherCase{"Main", kTabMain, true, "MainEQGainBar3", 0x0621, 0x0621, 0x0921},
        TogetherCase{"Surround", kTabSurround, true, "MainEQGainBar3", 0x0621, 0x0C21, 0x0F21}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zt::test
