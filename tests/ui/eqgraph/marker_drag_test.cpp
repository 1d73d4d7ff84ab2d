// Dragging the EQ graph's markers with mouse events on the linked window: what the processor
// receives for each clamp and sheet rule, the locks, Q stepping and the gestures around them.
#include <QWheelEvent>
#include <cmath>

#include "eqgraph/drag_rules.h"
#include "linked_graph.h"
#include "params/value_scales.h"
#include "params/value_tables.h"
#include "ui/app/editing_side.h"
#include "ui/app/spectrum_side.h"
#include "ui/editing/editor.h"
#include "ui/widgets/band_number_label.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/range_handle.h"
#include "ui/widgets/track_bar.h"

namespace zt::test {
namespace {

using MarkerDrag = LinkedGraph;

// Music band n (from 0): frequency, gain and Q slots.
constexpr ParamAddress MusicSlot(int band, int field) {
    return 10 + 5 * band + field;
}

// Sets a band's values through its edits, as typing them would.
void SetBand(Editor& editor, const BindingLookup& binding, ParamAddress first, int frequency,
             int gain) {
    editor.SetValue(binding.BoundControl(first + 1), kStepNone, false, frequency);
    editor.SetValue(binding.BoundControl(first + 2), kStepNone, false, gain);
}

class Drags : public MarkerDrag {
protected:
    void SetUp() override {
        MarkerDrag::SetUp();
        lookup_ = std::make_unique<ControlBindingLookup>(app().binding());
    }
    Editor& editor() { return app().eqGraph().editor(); }
    void SetMusicBand(int band, int frequency, int gain) {
        SetBand(editor(), *lookup_, MusicSlot(band, 0), frequency, gain);
        app().eqGraph().OnTimer1Tick();
        Writes();
    }
    std::unique_ptr<ControlBindingLookup> lookup_;
};

TEST_F(Drags, ClampsOfTheMusicSheet) {
    struct Case {
        const char* what;
        QPoint delta;
        int frequencyIndex;  // -1: the frequency is left as it is
        int gainStep;        // -1: the gain is left as it is
    };
    const int w = panel().image1->width();
    const int h = panel().image1->height();
    const Case cases[] = {
        {"above the top", {0, -2 * h}, -1, 180},
        {"below the bottom", {0, 2 * h}, -1, 0},
        {"far right", {2 * w, 0}, 361, -1},
        // The centre stops at 19.5 Hz, which snaps to 20 Hz and to the table's 20.1 Hz.
        {"far left", {-2 * w, 0}, static_cast<int>(ParseValue(kKindFrequency, 20)), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetMusicBand(7, 200, 120);  // 926 Hz, 0 dB
        DragMarker(7, c.delta, 6);
        const auto writes = Writes();
        ASSERT_FALSE(writes.empty());
        const ProcessorWrite last = writes.back();
        if (c.gainStep >= 0) {
            EXPECT_EQ(last, (ProcessorWrite{Device(MusicSlot(7, 2)), c.gainStep}));
        }
        if (c.frequencyIndex >= 0) {
            EXPECT_EQ(last, (ProcessorWrite{Device(MusicSlot(7, 1)), c.frequencyIndex}));
        }
        for (const ProcessorWrite& write : writes) {
            const ParamAddress untouched = c.gainStep >= 0 ? MusicSlot(7, 1) : MusicSlot(7, 2);
            EXPECT_NE(write.address, Device(untouched)) << write;
        }
    }
}

TEST_F(Drags, MarkerStopsOnTheEdgesWhileTheDragLasts) {
    SetMusicBand(3, 150, 120);
    EqMarker* m = panel().markers[3];
    const QPoint centre(7, 7);
    const QPoint start = m->mapToGlobal(centre);
    const GraphMapping& map = graph().mapping();
    QTest::mousePress(m, Qt::LeftButton, {}, centre);
    QTest::mouseMove(m, m->mapFromGlobal(start + QPoint(0, -400)));
    EXPECT_EQ(m->y(), -7) << "centre on the top edge";
    QTest::mouseMove(m, m->mapFromGlobal(QPoint(start.x() + 3000, m->mapToGlobal(centre).y())));
    EXPECT_EQ(m->x(), static_cast<int>(std::lround(map.XOfFrequency(20600) - 7)));
    QTest::mouseMove(m, m->mapFromGlobal(QPoint(start.x() - 3000, m->mapToGlobal(centre).y())));
    EXPECT_EQ(m->x(), static_cast<int>(std::lround(map.XOfFrequency(19.5))) - 7);
    QTest::mouseRelease(m, Qt::LeftButton, {}, m->mapFromGlobal(m->mapToGlobal(centre)));
    EXPECT_FALSE(app().eqGraph().drag().dragging);
    // After the release the marker sits where its stored values put it.
    const EqPoint& band = graph().points().items[3];
    EXPECT_FLOAT_EQ(band.gain, 12.0f);
    EXPECT_NEAR(MarkerCentre(3).x(), map.XOfFrequency(band.frequency), 1.0);
}

TEST_F(Drags, HighPassMovesOnlySidewaysOnTheMusicSheet) {
    EqMarker* hpf = panel().markers[kHighPassEntry];
    ASSERT_TRUE(hpf->isVisible());
    const int top = hpf->y();
    DragMarker(kHighPassEntry, {120, -80});
    const auto writes = Writes();
    ASSERT_FALSE(writes.empty());
    for (const ProcessorWrite& write : writes) EXPECT_EQ(write.address, Device(0x0005)) << write;
    EXPECT_GT(writes.back().value, 0);
    EXPECT_EQ(hpf->y(), top);
    EXPECT_EQ(app().model().store().Get(0x0005), writes.back().value);
}

TEST_F(Drags, AMoveThatKeepsTheSnappedValuesSendsNothing) {
    SetMusicBand(5, 180, 130);
    const EqMarker* m = panel().markers[5];
    // The largest sideways move that still snaps to the marker's own frequency index.
    const GraphMapping& map = graph().mapping();
    const DragOutcome here = DragStep({kMusicSheet, m->x(), m->y(), 0, 0, m->height()}, map);
    int dx = 0;
    while (DragStep({kMusicSheet, m->x(), m->y(), dx + 1, 0, m->height()}, map).frequencyIndex ==
           here.frequencyIndex) {
        ++dx;
    }
    ASSERT_GT(dx, 0);
    DragMarker(5, {dx, 0}, dx);
    EXPECT_TRUE(Writes().empty());
    DragMarker(5, {dx + 1, 0}, 1);
    EXPECT_EQ(Writes().size(), 1u) << "one step further sends the new frequency index alone";
}

TEST_F(Drags, EqPassLocksTheMusicMarkersButNotTheMicrophoneFilters) {
    Click(panel().musEqAllpassBtn);
    ASSERT_FALSE(panel().eqPassLabel->isHidden());
    Writes();
    const QPoint band = panel().markers[2]->pos();
    DragMarker(2, {60, -60});
    DragMarker(kHighPassEntry, {60, 0});
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(panel().markers[2]->pos(), band);
    Click(panel().musEqAllpassBtn);  // off again

    ChooseTab(kTabMicA);
    Click(panel().musEqAllpassBtn);
    ASSERT_FALSE(panel().eqPassLabel->isHidden());
    Writes();
    DragMarker(4, {60, -60});
    EXPECT_TRUE(Writes().empty()) << "the microphone's bands are locked";
    DragMarker(kHighPassEntry, {80, 0});
    const auto writes = Writes();
    ASSERT_FALSE(writes.empty()) << "its filters are not";
    EXPECT_EQ(writes.back().address, Device(0x020A));
    Click(panel().musEqAllpassBtn);
    Writes();
}

TEST_F(Drags, OutputSheetInAutomaticModeTakesNoDrag) {
    ChooseTab(kTabMain);
    Click(panel().autoModeBtn);
    ASSERT_EQ(app().channel().manualFlag, 0);
    Writes();
    const QPoint before = panel().markers[1]->pos();
    DragMarker(1, {50, 50});
    EXPECT_FALSE(app().eqGraph().drag().dragging);
    const auto writes = Writes();
    EXPECT_TRUE(writes.empty()) << ::testing::PrintToString(writes);
    EXPECT_EQ(panel().markers[1]->pos(), before);
    Click(panel().manulModeBtn);
    Writes();
    DragMarker(1, {0, -50});
    EXPECT_FALSE(Writes().empty()) << "manual mode drags again";
}

TEST_F(Drags, DynamicEqBandsStopAtMinus12Db) {
    ChooseTab(kTabDynamicEq);
    DragMarker(1, {0, 2 * panel().image1->height()});
    const auto writes = Writes();
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.back(), (ProcessorWrite{Device(0x0100 + 2 + 10 + 2), 60}));
    const GraphMapping& map = graph().mapping();
    EXPECT_NEAR(MarkerCentre(1).y(), map.YOfGain(-12), 1.0);
}

TEST_F(Drags, FixedMarkersOfTheHintSheetSendNothing) {
    // The hint sheet shows five bands; its other markers, were they pressed, stay put.
    ChooseTab(kTabHint);
    PointEditing& editing = app().eqGraph().pointEditing();
    EqMarker* m = panel().markers[6];
    const QPoint before = m->pos();
    editing.OnMarkerPress(6, {7, 7}, Qt::LeftButton);
    editing.OnMarkerMove(6, {70, 40});
    editing.OnMarkerRelease(6, Qt::LeftButton);
    EXPECT_EQ(m->pos(), before);
    EXPECT_TRUE(Writes().empty());
}

TEST_F(Drags, RightButtonStepsTheQEveryThreePixels) {
    SetMusicBand(2, 150, 120);
    auto* q = qobject_cast<ValueEdit*>(lookup_->BoundControl(MusicSlot(2, 3)));
    ASSERT_TRUE(q);
    editor().SetValue(q, kStepNone, false, 20);
    Writes();
    EqMarker* m = panel().markers[2];
    const QPoint centre(7, 7);
    const QPoint start = m->mapToGlobal(centre);
    QTest::mousePress(m, Qt::RightButton, {}, centre);
    EXPECT_TRUE(app().eqGraph().drag().qMode);
    EXPECT_EQ(app().editorState().currentValueEdit, q) << "the band's Q edit is selected";
    QTest::mouseMove(m, m->mapFromGlobal(start + QPoint(2, 0)));
    EXPECT_TRUE(Writes().empty()) << "two pixels are no step";
    QTest::mouseMove(m, m->mapFromGlobal(start + QPoint(3, 0)));
    QTest::mouseMove(m, m->mapFromGlobal(start + QPoint(6, 0)));
    QTest::mouseMove(m, m->mapFromGlobal(start + QPoint(3, 1)));
    const ParamAddress qDevice = Device(MusicSlot(2, 3));
    EXPECT_EQ(Writes(), (std::vector<ProcessorWrite>{{qDevice, 21}, {qDevice, 22}, {qDevice, 21}}));
    EXPECT_EQ(m->mapToGlobal(centre), start) << "the marker stays";
    QTest::mouseRelease(m, Qt::RightButton, {}, m->mapFromGlobal(start + QPoint(3, 1)));
    EXPECT_FALSE(app().eqGraph().drag().qMode);

    // The Q edit stays selected: the wheel goes on stepping it.
    QWheelEvent wheel(QPointF(5, 5), panel().image1->mapToGlobal(QPointF(5, 5)), {}, {0, 120},
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(panel().image1, &wheel);
    EXPECT_EQ(Writes(), (std::vector<ProcessorWrite>{{qDevice, 22}}));
}

TEST_F(Drags, NumberLabelClickSelectsTheBandsFrequencyEdit) {
    auto* label = Get<BandNumberLabel>("MusEQPointLabel4");
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(app().editorState().currentValueEdit, lookup_->BoundControl(MusicSlot(3, 1)));
    ChooseTab(kTabDynamicEq);
    QTest::mouseClick(Get<BandNumberLabel>("DEQPointLabel2"), Qt::LeftButton);
    EXPECT_EQ(app().editorState().currentValueEdit, lookup_->BoundControl(0x0100 + 2 + 10 + 1))
        << "the dynamic EQ's bands are ten slots apart";
}

class CountingGesture : public EditGesture {
public:
    void GestureBegins() override { log.push_back(true); }
    void GestureEnds() override { log.push_back(false); }
    std::vector<bool> log;
};

TEST_F(Drags, EachDragAndQRunIsOneGesture) {
    CountingGesture gesture;
    app().eqGraph().pointEditing().SetGesture(&gesture);
    DragMarker(1, {40, -30});
    DragMarker(2, {5, 0}, 2, Qt::RightButton);
    app().eqGraph().pointEditing().SetGesture(nullptr);
    EXPECT_EQ(gesture.log, (std::vector<bool>{true, false, true, false}));
    Writes();
}

}  // namespace
}  // namespace zt::test

namespace zt::test {
namespace {

TEST_F(Drags, PressingAFilterPointShowsItsLabelUnderIt) {
    ChooseTab(kTabMain);
    EqMarker* hpf = panel().markers[kHighPassEntry];
    ASSERT_TRUE(hpf->isVisible());
    QTest::mousePress(hpf, Qt::LeftButton, {}, QPoint(7, 7));
    const SwappingLabel* label = panel().eqLabel;
    EXPECT_TRUE(label->isVisible());
    EXPECT_TRUE(label->text().startsWith("HPF:")) << label->text().toStdString();
    EXPECT_TRUE(label->text().endsWith("Hz"));
    EXPECT_EQ(label->y(), hpf->y() + hpf->height());
    QTest::mouseRelease(hpf, Qt::LeftButton, {}, QPoint(7, 7));
    EXPECT_TRUE(Writes().empty()) << "a press alone sends nothing";
}

TEST_F(Drags, OtherButtonsLeaveNoDragOpen) {
    EqMarker* m = panel().markers[3];
    QTest::mousePress(m, Qt::MiddleButton, {}, QPoint(7, 7));
    QTest::mouseMove(m, QPoint(40, -20));
    QTest::mouseRelease(m, Qt::MiddleButton, {}, QPoint(40, -20));
    EXPECT_FALSE(app().eqGraph().drag().dragging) << "Timer1 would stop following the EQ";
    EXPECT_TRUE(Writes().empty());
}

// A quick second press reaches the marker as a double click; it grabs the marker all the same.
TEST_F(Drags, AQuickSecondPressDragsToo) {
    SetMusicBand(7, 200, 120);
    EqMarker* m = panel().markers[7];
    const QPoint centre(m->width() / 2, m->height() / 2);
    QTest::mouseClick(m, Qt::LeftButton, {}, centre);
    Writes();
    const QPoint start = m->mapToGlobal(centre);
    auto send = [m](QEvent::Type type, QPoint global, Qt::MouseButton button,
                    Qt::MouseButtons held) {
        QMouseEvent event(type, m->mapFromGlobal(global), global, button, held, {});
        QApplication::sendEvent(m, &event);
    };
    send(QEvent::MouseButtonDblClick, start, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(app().eqGraph().drag().dragging);
    for (int k = 1; k <= 4; ++k) {
        send(QEvent::MouseMove, start + QPoint(0, -10 * k), Qt::NoButton, Qt::LeftButton);
    }
    send(QEvent::MouseButtonRelease, start + QPoint(0, -40), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(app().eqGraph().drag().dragging);
    const auto writes = Writes();
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.back().address, Device(MusicSlot(7, 2)));
    EXPECT_GT(writes.back().value, 120);
}

TEST_F(Drags, RangeHandleMovesItsVolumeBar) {
    auto* handle = Get<RangeHandle>("MusStartImage");
    auto* bar = Get<TrackBar>("SysMusStartVolBar");
    auto* label = Get<QLabel>("musLabel");
    bar->setValue(30);
    Writes();
    const int left = handle->x();
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseMove(handle, QPoint(4 - 19, 4));
    const int expected = static_cast<int>(std::nearbyint((left - 19 - 53) / 1.89));
    EXPECT_EQ(bar->value(), expected);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), QString::number(expected));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->mapFromGlobal(QCursor::pos()));
    EXPECT_FALSE(label->isVisible());
    EXPECT_FALSE(app().eqGraph().drag().dragging);
    EXPECT_EQ(Writes(), (std::vector<ProcessorWrite>{{Device(0x1D05), expected}}));
}

TEST_F(Drags, RangeHandleDragKeepsTheSpectrumRunningAndIsOneUndoStep) {
    auto* handle = Get<RangeHandle>("MusMaxImage");
    auto* bar = Get<TrackBar>("SysMusMaxVolBar");
    bar->setValue(60);
    Writes();
    EditHistory& history = app().editing().history();
    const int stepsBefore = history.stack().count();
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(4, 4));
    for (int dx : {-10, -20, -30}) {
        QTest::mouseMove(handle, QPoint(4 + dx, 4));
        // The analyser's bars go on moving while a volume handle is dragged: only a drag of the
        // graph's own markers holds them.
        app().eqGraph().OnTimer1Tick();
        EXPECT_FALSE(app().spectrum().display().feed().dragging());
        EXPECT_FALSE(app().eqGraph().drag().dragging);
    }
    QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->mapFromGlobal(QCursor::pos()));
    ASSERT_LT(bar->value(), 60);
    EXPECT_EQ(history.stack().count(), stepsBefore + 1);
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(bar->value(), 60);
    EXPECT_EQ(app().model().store().Get(0x1D06), 60);
    Writes();
}

}  // namespace
}  // namespace zt::test
