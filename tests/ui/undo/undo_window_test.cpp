// Undo and redo on the whole window against a simulated processor: every kind of edit is one
// step, and undoing or redoing it brings the controls, both stores and the processor's memory
// back to what they held, with the values sent again.
#include <QApplication>
#include <QTest>
#include <functional>
#include <map>
#include <set>

#include "link/protocol.h"
#include "params/page_table.h"
#include "tests/ui/undo/linked_window.h"
#include "ui/app/editing_side.h"
#include "ui/app/eq_graph_side.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt {
namespace {

using UndoOnWindow = LinkedWindow;

struct EditKind {
    const char* name;
    int tab;
    std::vector<const char*> shown;  // controls whose look follows the values
    std::function<void()> edit;
};

void Activate(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void Drag(QAbstractSlider* bar, std::initializer_list<int> moves) {
    bar->setSliderDown(true);
    for (int by : moves) bar->setValue(bar->value() + by);
    bar->setSliderDown(false);
}

// The other of a pair of buttons: the one that is not shown pressed.
void ClickReleased(BitmapButton* a, BitmapButton* b) {
    (a->showsPressed() ? b : a)->click();
}

TEST_F(UndoOnWindow, EveryKindOfEditIsOneStepUndoneAndRedone) {
    auto get = [this](const char* name) {
        return app().registry().Find(QString::fromLatin1(name));
    };
    const std::vector<EditKind> kinds = {
        {"typed value",
         kTabMusic,
         {"MusFreEdit1"},
         [&] {
             auto* edit = qobject_cast<ValueEdit*>(get("MusFreEdit1"));
             QTest::mouseClick(edit, Qt::LeftButton);
             edit->selectAll();
             QTest::keyClicks(edit, "2000");
             QTest::keyClick(edit, Qt::Key_Return);
         }},
        {"track bar drag",
         kTabMusic,
         {"MusHPFREBar", "MusHPFREPane"},
         [&] {
             Drag(qobject_cast<TrackBar*>(get("MusHPFREBar")), {+12, +12, -4});
         }},
        {"gain bar drag",
         kTabMusic,
         {"MusEQGainBar3", "MusGainEdit3"},
         [&] {
             Drag(qobject_cast<TrackBar*>(get("MusEQGainBar3")), {-5, -5, -5});
         }},
        {"spin button",
         kTabMusic,
         {"MusQEdit2"},
         [&] { qobject_cast<SpinButtons*>(get("MusQUpDownBtn2"))->upButton()->click(); }},
        {"type selector",
         kTabMusic,
         {"MusModeBox2", "MusLSQBtn2", "MusPEQBtn2"},
         [&] { Activate(qobject_cast<Selector*>(get("MusModeBox2")), 2); }},
        {"type label",
         kTabMusic,
         {"MusModeBox3", "MusHSQBtn3"},
         [&] { QTest::mouseClick(get("MusHSQBtn3"), Qt::LeftButton); }},
        {"crossover selector",
         kTabMusic,
         {"MusHPTypeBox"},
         [&] { Activate(qobject_cast<Selector*>(get("MusHPTypeBox")), 3); }},
        {"EQ pass switch",
         kTabMicA,
         {"MusEQAllpassBtn"},
         [&] { qobject_cast<BitmapButton*>(get("MusEQAllpassBtn"))->click(); }},
        {"phase switch",
         kTabEffect,
         {"EchoEffPhaseBtn"},
         [&] { qobject_cast<BitmapButton*>(get("EchoEffPhaseBtn"))->click(); }},
        {"auto / manual",
         kTabMain,
         {"AutoModeBtn", "ManulModeBtn"},
         [&] {
             ClickReleased(qobject_cast<BitmapButton*>(get("AutoModeBtn")),
                           qobject_cast<BitmapButton*>(get("ManulModeBtn")));
         }},
        {"mute switch",
         kTabMain,
         {"MainLmuteBtn"},
         [&] { qobject_cast<BitmapButton*>(get("MainLmuteBtn"))->click(); }},
        {"scene button",
         kTabMain,
         {"SingModeBtn", "DiscoModeBtn", "MainLdelayBar"},
         [&] {
             ClickReleased(qobject_cast<BitmapButton*>(get("DiscoModeBtn")),
                           qobject_cast<BitmapButton*>(get("SingModeBtn")));
         }},
        {"side button",
         kTabMusic,
         {"SameBtn", "LeftBtn"},
         [&] {
             ClickReleased(qobject_cast<BitmapButton*>(get("SameBtn")),
                           qobject_cast<BitmapButton*>(get("LeftBtn")));
         }},
        {"volume limit bar",
         kTabMusic,
         {"SysMusStartVolBar", "SysMusStartVolPane"},
         [&] {
             Drag(qobject_cast<TrackBar*>(get("SysMusStartVolBar")), {-3, -3});
         }},
        {"system switch",
         kTabMusic,
         {"SysVolRunBtn1", "SysVolRunBtn2"},
         [&] {
             ClickReleased(qobject_cast<BitmapButton*>(get("SysVolRunBtn1")),
                           qobject_cast<BitmapButton*>(get("SysVolRunBtn2")));
         }},
    };

    int turn = 0;
    for (const EditKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        ClickTab(kind.tab);
        const DeviceImage image0 = model().image();
        const ParamStore store0 = model().store();
        const std::vector<QString> shown0 = ShownAll(kind.shown);
        const int steps0 = steps();

        Mark();
        kind.edit();
        Settle();
        const DeviceImage image1 = model().image();
        const ParamStore store1 = model().store();
        const std::vector<QString> shown1 = ShownAll(kind.shown);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !WritesSinceMark().empty(); }, 20000));
        ExpectProcessorHolds(WritesSinceMark(), image1);
        const Writes sent = WritesSinceMark();
        EXPECT_NE(image1, image0);
        EXPECT_NE(shown1, shown0);
        EXPECT_EQ(steps(), steps0 + 1);
        ExpectProcessorHolds(sent, image1);

        Mark();
        Undo(turn);
        EXPECT_EQ(model().image(), image0);
        EXPECT_EQ(model().store(), store0);
        EXPECT_EQ(ShownAll(kind.shown), shown0);
        EXPECT_EQ(app().channel().currentTab, kind.tab);
        ExpectProcessorHolds(sent, image0);
        Writes resent = WritesSinceMark();
        for (const auto& [address, value] : sent) {
            EXPECT_TRUE(resent.count(address)) << std::hex << address;
        }

        Mark();
        Redo(turn);
        EXPECT_EQ(model().image(), image1);
        EXPECT_EQ(model().store(), store1);
        EXPECT_EQ(ShownAll(kind.shown), shown1);
        ExpectProcessorHolds(sent, image1);
        resent = WritesSinceMark();
        for (const auto& [address, value] : sent) {
            EXPECT_TRUE(resent.count(address)) << std::hex << address;
        }
        EXPECT_EQ(steps(), steps0 + 1);
        ++turn;
    }
}

TEST_F(UndoOnWindow, AnEqResetIsUndoneInOneStep) {
    auto* frequency = Get<ValueEdit>("MusFreEdit1");
    QTest::mouseClick(frequency, Qt::LeftButton);
    frequency->selectAll();
    QTest::keyClicks(frequency, "2000");
    QTest::keyClick(frequency, Qt::Key_Return);
    auto* gain = Get<TrackBar>("MusEQGainBar5");
    Drag(gain, {+20});
    Settle();
    const DeviceImage edited = model().image();
    const QString shownGain = Shown("MusGainEdit5");
    ASSERT_EQ(steps(), 2);

    Mark();
    Get<BitmapButton>("EQResetBtn")->click();
    Settle();
    const DeviceImage reset = model().image();
    // Every field of every music band went out, one acknowledged frame at a time.
    EXPECT_TRUE(QTest::qWaitFor([&] { return WritesSinceMark().size() == 75u; }, 20000));
    ASSERT_EQ(steps(), 3);
    EXPECT_NE(Shown("MusFreEdit1"), "2000Hz");
    EXPECT_NE(Shown("MusGainEdit5"), shownGain);

    Mark();
    Undo(0);
    EXPECT_EQ(model().image(), edited);
    EXPECT_EQ(Shown("MusFreEdit1"), "2000Hz");
    EXPECT_EQ(Shown("MusGainEdit5"), shownGain);
    // The two bands the reset changed go back; the others did not change.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return WritesSinceMark().count(0x000B) && WritesSinceMark().count(0x0020); }, 20000));
    const Writes back = WritesSinceMark();
    ExpectProcessorHolds(back, edited);
    EXPECT_TRUE(history().stack().canUndo());

    Redo(0);
    EXPECT_EQ(model().image(), reset);
    Undo(0);
    Undo(0);
    Undo(0);
    EXPECT_FALSE(history().stack().canUndo());
    EXPECT_FALSE(app().editingSide().undoControls().undoButton()->isEnabled());
    EXPECT_TRUE(app().editingSide().undoControls().redoButton()->isEnabled());
}

TEST_F(UndoOnWindow, UndoGoesBackToTheChannelOfTheEdit) {
    // The microphones start out together; the right side button parts them and shows MIC B.
    ClickTab(kTabMicA);
    const int together = model().image().Get(0x020D);
    Get<BitmapButton>("RightBtn")->click();
    Settle();
    ASSERT_EQ(model().selection().micPage, 3);
    ASSERT_EQ(app().channel().currentTab, kTabMicB);
    auto* gain = Get<ValueEdit>("MicGainEdit2");
    const QString before = gain->text();
    const int deviceGain = MakeAddress(3, 15 + 5 + 2);
    const int was = model().image().Get(deviceGain);
    Drag(Get<TrackBar>("MicEQGainBar2"), {+10});
    Settle();
    ASSERT_EQ(model().image().Get(deviceGain), was + 10);
    ASSERT_EQ(processor().Get(deviceGain), was + 10);

    ClickTab(kTabMusic);
    Mark();
    Undo(0);
    // The MIC B page is shown again, and MIC B's value went to the processor, not MIC A's.
    EXPECT_EQ(app().channel().currentTab, kTabMicB);
    EXPECT_EQ(model().selection().micPage, 3);
    EXPECT_TRUE(window().tabStrip().tabs[kTabMicB]->selectedLook());
    EXPECT_EQ(gain->text(), before);
    EXPECT_TRUE(QTest::qWaitFor([&] { return processor().Get(deviceGain) == was; }, 20000));
    EXPECT_EQ(WritesSinceMark(), (Writes{{deviceGain, was}}));
    EXPECT_EQ(processor().Get(deviceGain), was);

    // Undoing the side button joins the microphones again on the MIC A tab.
    Undo(0);
    EXPECT_EQ(model().image().Get(0x020D), together);
    EXPECT_EQ(processor().Get(0x020D), together);
    EXPECT_EQ(app().channel().currentTab, kTabMicA);
    EXPECT_EQ(model().selection().micPage, 2);
    EXPECT_TRUE(Get<BitmapButton>(together == 1 ? "SameBtn" : "LeftBtn")->showsPressed());
}

TEST_F(UndoOnWindow, RefreshesRecordNothingAndModeLoadsAndDownloadsClearTheHistory) {
    UndoControls& controls = app().editingSide().undoControls();
    EXPECT_FALSE(controls.undoButton()->isEnabled());
    EXPECT_FALSE(controls.redoButton()->isEnabled());
    Drag(Get<TrackBar>("MusEQGainBar1"), {+5});
    Settle();
    EXPECT_EQ(steps(), 1);
    EXPECT_TRUE(controls.undoButton()->isEnabled());

    // Page switches and a language switch show stored values without recording them.
    for (int tab : {kTabDynamicEq, kTabMicA, kTabMicB, kTabEffect, kTabMain, kTabSurround,
                    kTabCenter, kTabSub, kTabMusic}) {
        ClickTab(tab);
    }
    window().tabStrip().languageButton->click();
    Settle();
    EXPECT_EQ(steps(), 1);

    // The tooltips follow the language shown.
    const bool chinese = app().language().chinese();
    EXPECT_EQ(controls.undoButton()->toolTipText(),
              chinese ? QStringLiteral("撤销 (Ctrl+Z)") : QStringLiteral("Undo (Ctrl+Z)"));

    // Loading a mode replaces the whole image: nothing before it can be undone.
    messages_->answers.push_back(true);
    Get<BitmapButton>("SysModeBtn2")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return steps() == 0 && app().link().linkOnline(); }, 30000));
    EXPECT_FALSE(controls.undoButton()->isEnabled());

    // So does a new download.
    Drag(Get<TrackBar>("MusEQGainBar1"), {+5});
    Settle();
    ASSERT_EQ(steps(), 1);
    app().link().OnLinkButton(LinkButton::UnLinkBtn);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !app().link().linkOnline(); }, 20000));
    app().link().OnLinkButton(LinkButton::LinkBtn);
    ASSERT_TRUE(QTest::qWaitFor([&] { return app().link().linkOnline(); }, 30000));
    EXPECT_EQ(steps(), 0);
    EXPECT_FALSE(controls.undoButton()->isEnabled());
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(steps(), 0);
}

// A mouse event on a marker as the window delivers it, with the buttons held.
void SendMouse(QWidget* target, QEvent::Type type, QPoint position, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, position, target->mapToGlobal(position), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

TEST_F(UndoOnWindow, AMarkerDragIsUndoneInOneStep) {
    QWidget* marker = window().graph().markers[2];  // band 3 of the music channel
    const ParamAddress frequency = 0x0014 + kFieldFrequency;
    const ParamAddress gain = 0x0014 + kFieldGain;
    const DeviceImage image0 = model().image();
    const QString shownFrequency = Shown("MusFreEdit3");
    const QString shownGain = Shown("MusGainEdit3");

    Mark();
    const QPoint grab(marker->width() / 2, marker->height() / 2);
    SendMouse(marker, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= 6; ++step) {
        SendMouse(marker, QEvent::MouseMove, grab + QPoint(8, -5), Qt::NoButton, Qt::LeftButton);
    }
    SendMouse(marker, QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
    Settle();
    const DeviceImage image1 = model().image();
    ASSERT_NE(image1.Get(frequency), image0.Get(frequency));
    ASSERT_NE(image1.Get(gain), image0.Get(gain));
    EXPECT_EQ(steps(), 1);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return processor().Get(frequency) == image1.Get(frequency) &&
                   processor().Get(gain) == image1.Get(gain);
        },
        20000));
    const Writes sent = WritesSinceMark();
    EXPECT_TRUE(sent.count(frequency) && sent.count(gain));

    Mark();
    Undo(0);
    EXPECT_EQ(model().image(), image0);
    EXPECT_EQ(Shown("MusFreEdit3"), shownFrequency);
    EXPECT_EQ(Shown("MusGainEdit3"), shownGain);
    EXPECT_TRUE(QTest::qWaitFor([&] { return processor().Get(gain) == image0.Get(gain); }, 20000));
    EXPECT_EQ(WritesSinceMark(),
              (Writes{{frequency, image0.Get(frequency)}, {gain, image0.Get(gain)}}));
    // The marker sits on the band's stored values again.
    const EqPoint& point = app().eqGraph().graph().points().items[2];
    EXPECT_FLOAT_EQ(point.gain, image0.Get(gain) / 5.0f - 24.0f);

    Redo(0);
    EXPECT_EQ(model().image(), image1);
    EXPECT_FALSE(history().stack().canRedo());
}

// Wheel notches, arrow keys and spin button clicks on one control that follow each other are
// one step; a pause longer than the run's gap starts a new one, and a run back to where it
// began leaves none.
TEST_F(UndoOnWindow, ARunOfStepsOfOneControlIsOneStep) {
    qint64 now = 0;
    history().SetClock([&now] { return now; });
    struct Stepper {
        const char* name;
        std::function<void(bool up)> step;
    };
    auto* spin = Get<SpinButtons>("MusQUpDownBtn2");
    auto* gainEdit = Get<ValueEdit>("MusGainEdit3");
    auto* bar = Get<TrackBar>("MusHPFREBar");
    const std::vector<Stepper> steppers = {
        {"spin buttons", [&](bool up) { (up ? spin->upButton() : spin->downButton())->click(); }},
        {"arrow keys in an edit",
         [&](bool up) {
             QTest::mouseClick(gainEdit, Qt::LeftButton);
             QTest::keyClick(gainEdit, up ? Qt::Key_Up : Qt::Key_Down);
         }},
        {"keys on a track bar",
         [&](bool up) { QTest::keyClick(bar, up ? Qt::Key_Up : Qt::Key_Down); }},
    };
    ClickTab(kTabMusic);
    for (const Stepper& stepper : steppers) {
        SCOPED_TRACE(stepper.name);
        const DeviceImage image0 = model().image();
        const int steps0 = steps();
        for (int i = 0; i < 3; ++i) {
            now += kStepRunGapMs - 100;
            stepper.step(true);
        }
        Settle();
        const DeviceImage image1 = model().image();
        ASSERT_NE(image1, image0);
        EXPECT_EQ(steps(), steps0 + 1);
        Undo(0);
        EXPECT_EQ(model().image(), image0);
        Redo(0);
        EXPECT_EQ(model().image(), image1);

        now += kStepRunGapMs + 1;
        stepper.step(true);
        EXPECT_EQ(steps(), steps0 + 2);

        now += 10;
        stepper.step(false);
        EXPECT_EQ(steps(), steps0 + 1) << "a run back to where it began is no step";
        Settle();
        EXPECT_EQ(model().image(), image1);
    }
}

// Moves a bar one position at a time, as a slow drag does, between press and release.
void DragTo(QAbstractSlider* bar, int value) {
    bar->setSliderDown(true);
    while (bar->value() != value) bar->setValue(bar->value() + (value > bar->value() ? 1 : -1));
    bar->setSliderDown(false);
}

// Undo and redo put a volume group back exactly: neither the volume limits nor the normal
// volume's one-step rise stand in the way, whatever positions the bars pass.
TEST_F(UndoOnWindow, VolumeGroupsComeBackExactly) {
    ClickTab(kTabMusic);
    auto* normal = Get<TrackBar>("SysMusNormalVolBar");
    auto* start = Get<TrackBar>("SysMusStartVolBar");
    auto* maximum = Get<TrackBar>("SysMusMaxVolBar");
    DragTo(maximum, 60);
    DragTo(start, 12);
    DragTo(normal, 10);
    Settle();
    struct Move {
        const char* what;
        QAbstractSlider* bar;
        int to;
    };
    const Move moves[] = {
        {"maximum to a position that is also a value kind's number", maximum, 23},
        {"maximum below the others, which it pulls down", maximum, 4},
        {"normal up, one step a change", normal, 30},
    };
    for (const Move& move : moves) {
        SCOPED_TRACE(move.what);
        const DeviceImage image0 = model().image();
        const std::vector<int> bars0 = {normal->value(), start->value(), maximum->value()};
        DragTo(move.bar, move.to);
        Settle();
        const DeviceImage image1 = model().image();
        const std::vector<int> bars1 = {normal->value(), start->value(), maximum->value()};
        Undo(0);
        EXPECT_EQ((std::vector<int>{normal->value(), start->value(), maximum->value()}), bars0);
        EXPECT_EQ(model().image(), image0);
        const Writes all = WritesSinceMark();
        ExpectProcessorHolds(all, image0);
        Redo(0);
        EXPECT_EQ((std::vector<int>{normal->value(), start->value(), maximum->value()}), bars1);
        EXPECT_EQ(model().image(), image1);
        ExpectProcessorHolds(all, image1);
        Undo(0);
        ASSERT_EQ(model().image(), image0);
    }
}

// An upload sends the whole image; an undo in between would be overwritten, so there is none,
// and the upload's refresh ends the history.
TEST_F(UndoOnWindow, NothingIsUndoneWhilePagesTravel) {
    ClickTab(kTabMusic);
    Get<SpinButtons>("MusQUpDownBtn2")->upButton()->click();
    Settle();
    ASSERT_EQ(steps(), 1);
    const DeviceImage edited = model().image();
    app().link().StartUpload();
    ASSERT_TRUE(app().link().transferRunning());
    EXPECT_FALSE(history().Undo());
    EXPECT_EQ(model().image(), edited);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !app().link().transferRunning(); }, 30000));
    Settle();
    EXPECT_EQ(steps(), 0);
    EXPECT_EQ(model().image(), edited);
}

class UndoOffLine : public WindowFixture {};

TEST_F(UndoOffLine, UndoTakesBackTypingNotYetEntered) {
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    EditHistory& history = app().editingSide().history();
    auto* edit = Get<ValueEdit>("MusFreEdit2");
    const QString shown = edit->text();
    const DeviceImage image0 = app().model().image();
    // Nothing to undo yet: the keys do nothing.
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(history.stack().count(), 0);

    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClicks(edit, "5000");
    ASSERT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    // The typing was entered as a step of its own and at once taken back; off line the stores
    // follow all the same.
    EXPECT_EQ(edit->text(), shown);
    EXPECT_EQ(app().model().image(), image0);
    EXPECT_EQ(history.stack().count(), 1);
    EXPECT_TRUE(history.stack().canRedo());
    QTest::keyClick(&window(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "5040Hz");  // the nearest entry of the frequency table
}

}  // namespace
}  // namespace zt
