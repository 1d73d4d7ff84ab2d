// Set value and the value edits: what a control shows, what both stores hold and what reaches
// the processor when the user moves a bar, types a value, steps it or leaves an edit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include "tests/ui/editing/editing_rig.h"

namespace zt::test {
namespace {

class ValueEditTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.Link()); }
    EditingRig rig;
};

TEST_F(ValueEditTest, HighPassBarShowsItsFrequencyAndWritesIt) {
    auto* bar = rig.Get<TrackBar>("MusHPFREBar");
    bar->setValue(204);
    EXPECT_EQ(rig.Get<StatusPane>("MusHPFREPane")->caption(), "1000Hz");
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x0005, 204}}));
    EXPECT_EQ(rig.model.store().Get(0x0005), 204);
    EXPECT_EQ(rig.model.image().Get(0x0005), 204);
    // The bar leaves no edit selected, so the wheel steps nothing.
    EXPECT_EQ(rig.editor->editorState().currentValueEdit, rig.Get<ValueEdit>("Example"));
}

}  // namespace
}  // namespace zt::test

namespace zt::test {
namespace {

// Clicks an edit, erases its text and types `text` (each key as the user would).
void TypeInto(ValueEdit* edit, const QString& text) {
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

TEST_F(ValueEditTest, TypedFrequencyIsWrittenOnEnter) {
    auto* edit = rig.Get<ValueEdit>("MusFreEdit1");
    TypeInto(edit, "1000");
    EXPECT_TRUE(rig.TakeWrites().empty()) << "typing alone sends nothing";
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x000B, 204}}));
    EXPECT_EQ(edit->text(), "1000Hz");
    EXPECT_EQ(rig.model.store().Get(0x000B), 204);
}

TEST_F(ValueEditTest, ClickingAnEditSendsNothingAndSelectsItsBand) {
    auto* edit = rig.Get<ValueEdit>("MusGainEdit3");
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_TRUE(rig.TakeWrites().empty());
    EXPECT_EQ(rig.editor->editorState().currentValueEdit, edit);
    EXPECT_TRUE(rig.editor->state().wheelStepping);
    EXPECT_EQ(rig.editor->state().selectedBand[0], 2);
    EXPECT_EQ(rig.editor->lastWritten().address, 0x000C + 10);
    EXPECT_EQ(edit->background(), QColor(200, 200, 200));
    EXPECT_TRUE(rig.Get<BandNumberLabel>("MusEQPointLabel3")->opaque());
    EXPECT_FALSE(rig.Get<BandNumberLabel>("MusEQPointLabel1")->opaque());
    // The edit highlighted before keeps the lighter grey.
    QTest::mouseClick(rig.Get<ValueEdit>("MusQEdit4"), Qt::LeftButton);
    EXPECT_EQ(edit->background(), QColor(230, 230, 230));
    EXPECT_TRUE(rig.Get<BandNumberLabel>("MusEQPointLabel4")->opaque());
}

TEST_F(ValueEditTest, ArrowsCrossBetweenFrequencyAndGain) {
    auto* frequency = rig.Get<ValueEdit>("MusFreEdit1");
    auto* gain = rig.Get<ValueEdit>("MusGainEdit1");
    const int f = rig.model.store().Get(0x000B);
    const int g = rig.model.store().Get(0x000C);
    QTest::mouseClick(frequency, Qt::LeftButton);
    QTest::keyClick(frequency, Qt::Key_Up);
    EXPECT_EQ(rig.editor->editorState().currentValueEdit, gain);
    EXPECT_EQ(rig.model.store().Get(0x000C), g + 1);
    EXPECT_EQ(rig.TakeWrites().back(), (Received{0x000C, g + 1}));

    QTest::keyClick(gain, Qt::Key_Left);
    EXPECT_EQ(rig.editor->editorState().currentValueEdit, frequency);
    EXPECT_EQ(rig.model.store().Get(0x000B), f - 1);
    EXPECT_EQ(rig.TakeWrites().back(), (Received{0x000B, f - 1}));

    // In any other edit all four arrows step the edit itself.
    auto* q = rig.Get<ValueEdit>("MusQEdit1");
    QTest::mouseClick(q, Qt::LeftButton);
    const int stored = rig.model.store().Get(0x000D);
    QTest::keyClick(q, Qt::Key_Right);
    QTest::keyClick(q, Qt::Key_Up);
    EXPECT_EQ(rig.model.store().Get(0x000D), stored + 2);
    EXPECT_EQ(rig.editor->editorState().currentValueEdit, q);
}

TEST_F(ValueEditTest, LettersAreSwallowedAndAnErasedEditIsRestored) {
    auto* edit = rig.Get<ValueEdit>("MusFreEdit2");
    QTest::mouseClick(edit, Qt::LeftButton);
    const QString shown = edit->text();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, "1a2b!");
    EXPECT_EQ(edit->text(), "12");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::mouseClick(rig.Get<ValueEdit>("MusGainEdit2"), Qt::LeftButton);  // leaves the edit
    EXPECT_EQ(edit->text(), shown);
    EXPECT_TRUE(rig.TakeWrites().empty());
}

TEST_F(ValueEditTest, TextThatIsNoNumberRestoresTheLastGoodText) {
    auto* edit = rig.Get<ValueEdit>("MusFreEdit2");
    QTest::mouseClick(edit, Qt::LeftButton);
    const QString shown = edit->text();
    for (const char* text : {"-", ".", "1.2.3", "--5", "5-"}) {
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(edit->text(), shown) << text;
    }
    EXPECT_TRUE(rig.TakeWrites().empty());
}

// Typed values of every edit kind, limited as the kind and the band allow.
TEST_F(ValueEditTest, TypedValuesAreParsedAndLimited) {
    struct Case {
        const char* edit;
        const char* typed;
        ParamAddress address;
        int raw;
        const char* shown;
    };
    rig.ChooseTab(kTabDynamicEq);
    const Case cases[] = {
        {"DEQFreEdit1", "20300", 0x0103, 361, "20600Hz"},
        {"DEQFreEdit1", "1010", 0x0103, 204, "1000Hz"},
        {"DEQGainEdit1", "20", 0x0104, 180, "12.0dB"},
        {"DEQGainEdit1", "-20", 0x0104, 60, "-12.0dB"},  // the dynamic EQ stops at -12 dB
        {"DEQQEdit1", "200", 0x0105, 100, "128.00"},
        {"DEQQEdit1", "1.01", 0x0105, 17, "1.06"},
    };
    for (const Case& c : cases) {
        auto* edit = rig.Get<ValueEdit>(c.edit);
        TypeInto(edit, c.typed);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(edit->text(), c.shown) << c.edit << " " << c.typed;
        EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{c.address, c.raw}})) << c.typed;
    }
    // The input volumes step by 0.5 dB.
    rig.ChooseTab(kTabMusic);
    auto* volume = rig.Get<ValueEdit>("MusGain1Edit");
    TypeInto(volume, "0.25");
    QTest::keyClick(volume, Qt::Key_Return);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x0000, 20}}));
}

TEST_F(ValueEditTest, StepsStopAtTheEndsOfTheScale) {
    auto* edit = rig.Get<ValueEdit>("MusFreEdit1");
    TypeInto(edit, "20600");
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_EQ(rig.model.store().Get(0x000B), 361);
    TypeInto(edit, "5");
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Left);
    EXPECT_EQ(rig.model.store().Get(0x000B), 0);
    EXPECT_EQ(edit->text(), "19.7Hz");
}

TEST_F(ValueEditTest, SpinButtonsStepTheirEdit) {
    auto* spin = rig.Get<SpinButtons>("MusQUpDownBtn1");
    const int q = rig.model.store().Get(0x000D);
    emit spin->upClicked();
    emit spin->upClicked();
    emit spin->downClicked();
    EXPECT_EQ(rig.model.store().Get(0x000D), q + 1);
    EXPECT_EQ(rig.editor->editorState().currentValueEdit, rig.Get<ValueEdit>("MusQEdit1"));
    EXPECT_EQ(rig.TakeWrites().back(), (Received{0x000D, q + 1}));
}

TEST_F(ValueEditTest, WheelStepsTheClickedEditUntilABarIsMoved) {
    auto* edit = rig.Get<ValueEdit>("MusFreEdit1");
    const int f = rig.model.store().Get(0x000B);
    QWidget* elsewhere = rig.Get<TrackBar>("MusPitchBar");
    auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(5, 5), elsewhere->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        return QApplication::sendEvent(elsewhere, &event) && event.isAccepted();
    };
    const int pitch = rig.Get<TrackBar>("MusPitchBar")->value();
    QTest::mouseClick(edit, Qt::LeftButton);
    wheel(120);
    wheel(120);
    wheel(-120);
    EXPECT_EQ(rig.model.store().Get(0x000B), f + 1);
    EXPECT_EQ(rig.Get<TrackBar>("MusPitchBar")->value(), pitch) << "the wheel was taken";
    wheel(60);  // half a notch steps nothing yet
    EXPECT_EQ(rig.model.store().Get(0x000B), f + 1);

    rig.Get<TrackBar>("MusHPFREBar")->setValue(100);
    wheel(120);
    EXPECT_EQ(rig.model.store().Get(0x000B), f + 1);
    // A page switch ends the stepping as well.
    QTest::mouseClick(edit, Qt::LeftButton);
    rig.ChooseTab(kTabMusic);
    EXPECT_FALSE(rig.editor->state().wheelStepping);
}

TEST_F(ValueEditTest, EditingAMicrophoneBandScrollsItIntoView) {
    rig.ChooseTab(kTabMicA);
    auto* scroll = rig.Get<QScrollBar>("MicPanScrollBar");
    ASSERT_EQ(scroll->value(), 0);
    QTest::mouseClick(rig.Get<ValueEdit>("MicFreEdit12"), Qt::LeftButton);
    EXPECT_EQ(scroll->value(), 4);
    EXPECT_EQ(rig.Get<BandScrollBox>("MicScrollBox")->bandPosition(), 4);
    QTest::mouseClick(rig.Get<ValueEdit>("MicFreEdit3"), Qt::LeftButton);
    EXPECT_EQ(scroll->value(), 2);
    EXPECT_TRUE(rig.TakeWrites().empty());
}

TEST_F(ValueEditTest, GainBarMovesItsEditAndTheDynamicEqBarStopsAtItsFloor) {
    rig.Get<TrackBar>("MusEQGainBar2")->setValue(150);
    EXPECT_EQ(rig.Get<ValueEdit>("MusGainEdit2")->text(), "6.0dB");
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x0011, 150}}));
    rig.ChooseTab(kTabDynamicEq);
    auto* bar = rig.Get<TrackBar>("DEQGainBar1");
    bar->setValue(10);
    EXPECT_EQ(bar->value(), 60) << "the bar is moved back to what the edit accepted";
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x0104, 60}}));
}

}  // namespace
}  // namespace zt::test
