// The window's one edit path, gesture by gesture, against a processor simulated behind a real
// pseudo-terminal: every kind of edit stores each value once, sends each once, tells the views
// of each value with one changed event, has the graph draw once and makes one step of the
// history; undo and redo go the same way back and forth, and a page refresh only shows.
#include <QTest>
#include <functional>
#include <map>
#include <set>

#include "params/page_table.h"
#include "tests/ui/eqgraph/linked_graph.h"
#include "ui/app/editing_side.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt::test {
namespace {

class EditPathOnWindow : public LinkedGraph {
protected:
    EditHistory& history() { return app().editingSide().history(); }
    Editor& editor() { return app().editingSide().editor(); }
};

struct PathRow {
    const char* gesture;
    std::function<void()> act;
    int drawings;      // of the graph, once the window has handled the gesture
    int historyMoves;  // +1 a new step (or one redone), -1 one undone, 0 none
    bool sends;        // whether the processor receives the values
};

TEST_F(EditPathOnWindow, EveryGestureSetsEachValueOnceAndDrawsOnce) {
    std::map<int, int> events;  // logical address -> changed events
    QObject::connect(&app().editPath(), &EditPath::changed, &window(),
                     [&events](int address) { ++events[address]; });
    auto typeInto = [this](const char* name, const char* text) {
        auto* edit = Get<ValueEdit>(name);
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    };
    const std::vector<PathRow> rows = {
        {"typed value", [&] { typeInto("MusGainEdit1", "4.5"); }, 1, +1, true},
        {"track bar",
         [&] {
             auto* bar = Get<TrackBar>("MusEQGainBar3");
             bar->setSliderDown(true);
             bar->setValue(bar->value() - 7);
             bar->setSliderDown(false);
         },
         1, +1, true},
        {"spin button", [&] { Get<SpinButtons>("MusQUpDownBtn2")->upButton()->click(); }, 1, +1,
         true},
        {"wheel",
         [&] {
             QTest::mouseClick(Get<ValueEdit>("MusQEdit4"), Qt::LeftButton);
             editor().WheelStep(120);
         },
         1, +1, true},
        // One drawing for the pointer's step, one at the release that puts the marker where
        // its stored values lie.
        {"graph drag", [&] { DragMarker(5, QPoint(24, -18), 1); }, 2, +1, true},
        {"type label", [&] { QTest::mouseClick(Get<TypeLabel>("MusHSQBtn3"), Qt::LeftButton); }, 1,
         +1, true},
        {"undo", [&] { ASSERT_TRUE(history().Undo()); }, 1, -1, true},
        {"redo", [&] { ASSERT_TRUE(history().Redo()); }, 1, +1, true},
        {"EQ import",
         [&] {
             app().editingSide().exchange().ImportText(
                 "Filter 1: ON PK Fc 1000 Hz Gain 3.0 dB Q 1.41\n"
                 "Filter 2: ON LSC Fc 120 Hz Gain -4.0 dB Q 0.71\n");
         },
         1, +1, true},
        {"page refresh", [&] { editor().RefreshPage(app().channel().selectedPage); }, 1, 0, false},
    };
    for (const PathRow& row : rows) {
        SCOPED_TRACE(row.gesture);
        events.clear();
        const int drawingsBefore = graph().drawings();
        const int stepBefore = history().stack().index();
        row.act();
        QApplication::processEvents();
        const std::vector<ProcessorWrite> frames = Writes();

        EXPECT_EQ(graph().drawings() - drawingsBefore, row.drawings);
        EXPECT_EQ(history().stack().index() - stepBefore, row.historyMoves);
        std::set<int> changedOnDevice;
        for (const auto& [address, count] : events) {
            EXPECT_EQ(count, 1) << "changed events of 0x" << std::hex << address;
            changedOnDevice.insert(Device(address));
            EXPECT_EQ(app().model().image().Get(Device(address)),
                      app().model().store().Get(address))
                << "both stores hold 0x" << std::hex << address;
        }
        std::set<int> sentOnce;
        for (const ProcessorWrite& frame : frames) {
            EXPECT_TRUE(sentOnce.insert(frame.address).second) << "sent twice: " << frame;
            EXPECT_EQ(app().model().image().Get(frame.address), frame.value) << frame;
        }
        if (row.sends) {
            EXPECT_FALSE(events.empty()) << "no value changed";
            EXPECT_EQ(sentOnce, changedOnDevice) << "every changed value, and only those, sent";
        } else {
            EXPECT_TRUE(events.empty());
            EXPECT_TRUE(frames.empty());
        }
    }
}

}  // namespace
}  // namespace zt::test
