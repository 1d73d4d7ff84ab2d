// The soak: random edits through the window's own controls (track bars, drop-down lists, spin
// buttons, tab switches) against the zt461-sim program, in bursts as fast as code can make them.
// At the end the processor's memory equals the editor's DeviceImage everywhere.
//
// The test command runs a short form. ZT_SOAK_EDITS sets the number of edits and ZT_SOAK_FLAGS
// the simulator's fault flags (scripts/soak.sh runs the long forms); with faults the run
// reports how many parameters the processor missed, per 10 000 edits.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <cstdio>
#include <memory>
#include <random>

#include "params/page_table.h"
#include "sim/sim_state_dump.h"
#include "tests/support/side_pairs_view.h"
#include "tests/support/sim_run.h"
#include "ui/app/editor_app.h"
#include "ui/binding/control_binding.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/track_bar.h"

namespace zt::test {
namespace {

constexpr int kShortSoakEdits = 600;
constexpr int kBurst = 20;           // edits between two turns of the event loop
constexpr int kBurstGapMs = 40;      // a user's pause between bursts
constexpr int kTabSwitchEvery = 50;  // edits

class CountedMessages : public WindowMessages {
public:
    void Inform(const QString& text, const QString&) override { texts.push_back(text); }
    std::vector<QString> texts;
};

int EnvInt(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        const QString flags = qEnvironmentVariable("ZT_SOAK_FLAGS");
        faulty = !flags.trimmed().isEmpty();
        sim = std::make_unique<SimRun>(flags.split(' ', Qt::SkipEmptyParts));
        ASSERT_TRUE(sim->Start());
        auto recorder = std::make_unique<CountedMessages>();
        messages = recorder.get();
        app = std::make_unique<EditorApp>(std::move(recorder));
        app->Show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return app->link().linkOnline(); }, 40000));
        CollectControls();
    }
    void TearDown() override {
        app.reset();
        sim.reset();
    }

    // The bound track bars and drop-down lists, and the spin buttons of bound value edits.
    void CollectControls() {
        const ControlBinding& binding = app->binding();
        for (QWidget* w : app->registry().InCreationOrder()) {
            QWidget* bound = binding.BoundControlOf(AddressOf(w));
            if ((qobject_cast<TrackBar*>(w) || qobject_cast<Selector*>(w)) && bound == w) {
                controls.push_back(w);
            } else if (qobject_cast<SpinButtons*>(w) && bound != nullptr) {
                controls.push_back(w);
            }
        }
    }

    void Edit(QWidget* control) {
        if (!control->isEnabled()) return;
        if (auto* bar = qobject_cast<TrackBar*>(control)) {
            bar->setValue(std::uniform_int_distribution<int>(bar->minimum(), bar->maximum())(dice));
        } else if (auto* box = qobject_cast<Selector*>(control)) {
            if (box->count() == 0) return;
            const int index = std::uniform_int_distribution<int>(0, box->count() - 1)(dice);
            box->setCurrentIndex(index);
            emit box->activated(index);
        } else if (auto* spin = qobject_cast<SpinButtons*>(control)) {
            QTest::mouseClick(dice() % 2 ? spin->upButton() : spin->downButton(), Qt::LeftButton);
        }
    }

    void RunEdits(int edits) {
        std::uniform_int_distribution<size_t> pick(0, controls.size() - 1);
        for (int i = 0; i < edits; ++i) {
            if (i % kTabSwitchEvery == 0) {
                app->pageSwitcher().OnTabClicked(std::uniform_int_distribution<int>(0, 9)(dice));
            }
            Edit(controls[pick(dice)]);
            if (i % kBurst == kBurst - 1) QTest::qWait(kBurstGapMs);
        }
    }

    // Parameters whose value the processor does not hold.
    int Differing() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return app->link().settled(); }, 10000));
        QTest::qWait(300);
        SimState state;
        EXPECT_TRUE(sim->Dump(state));
        int differing = 0;
        for (int page = 0; page < kTransferPageCount; ++page) {
            for (int slot = 0; slot < PageSlotCount(page); ++slot) {
                if (app->model().image().Get(page, slot) != state.memory.Get(page, slot) &&
                    !FollowsLeftSide(state.memory, page, slot)) {
                    ++differing;
                    if (!faulty) ADD_FAILURE() << "differs at " << page << "/" << slot;
                }
            }
        }
        return differing;
    }

    std::mt19937 dice{461};
    bool faulty = false;
    std::unique_ptr<SimRun> sim;
    CountedMessages* messages = nullptr;
    std::unique_ptr<EditorApp> app;
    std::vector<QWidget*> controls;
};

TEST_F(Soak, RandomEditsLandInTheProcessor) {
    ASSERT_GT(controls.size(), 200u);
    const int edits = EnvInt("ZT_SOAK_EDITS", kShortSoakEdits);
    RunEdits(edits);
    const int differing = Differing();
    std::printf("soak: %d edits over %zu controls, %d parameters differ (%.1f per 10 000 edits)\n",
                edits, controls.size(), differing, differing * 10000.0 / edits);
    RecordProperty("differing", differing);
    EXPECT_TRUE(messages->texts.empty());
    EXPECT_TRUE(app->link().linkOnline());
}

}  // namespace
}  // namespace zt::test
