// The behaviour of the window's own control classes that the change handlers rely on.
#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "ui/widgets/band_number_label.h"
#include "ui/widgets/band_scroll_box.h"
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

TEST(TrackBarTest, RaisesChangeWhenCodeMovesItButNotWhenPositionStays) {
    TrackBar bar(Qt::Horizontal);
    bar.setRange(0, 361);
    QSignalSpy changes(&bar, &QSlider::valueChanged);
    bar.setValue(204);
    bar.setValue(204);
    bar.setValue(500);  // beyond the maximum: the bar stops at 361
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(changes.at(0).at(0).toInt(), 204);
    EXPECT_EQ(changes.at(1).at(0).toInt(), 361);
}

TEST(TrackBarTest, TakesThePicturesOfItsModel) {
    TrackBar model(Qt::Vertical);
    model.setLook(TrackBar::Look::Gain);
    model.setFillOrigin(120);
    TrackBar bar(Qt::Vertical);
    bar.setLook(TrackBar::Look::Volume);
    bar.TakePicturesOf(model);
    EXPECT_EQ(bar.look(), TrackBar::Look::Gain);
    EXPECT_EQ(bar.fillOrigin(), 120);
}

class EditTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 60);
        edit = new ValueEdit(&window);
        edit->setGeometry(0, 0, 80, 20);
        other = new PlainEdit(&window);
        other->setGeometry(0, 30, 80, 20);
        window.show();
        QApplication::setActiveWindow(&window);
        edit->setFocus();
    }
    QWidget window;
    ValueEdit* edit = nullptr;
    PlainEdit* other = nullptr;
};

TEST_F(EditTest, KeyHandlersSeeKeyDownBeforeTheCharacterAndMaySwallowIt) {
    QStringList seen;
    QObject::connect(edit, &PlainEdit::keyDown, [&](int key, Qt::KeyboardModifiers) {
        seen << QStringLiteral("down %1").arg(key, 0, 16);
    });
    QObject::connect(edit, &PlainEdit::keyPressed, [&](KeyPress* press) {
        seen << QStringLiteral("press %1").arg(press->character.unicode());
        press->swallowed = !press->character.isDigit() && press->character != QChar('\b');
    });
    QTest::keyClicks(edit, "1a2");
    EXPECT_EQ(edit->text(), "12");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "1");
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Up);
    const QStringList expected{
        "down 31",     "press 49",     "down 41", "press 97",     "down 32",
        "press 50",    "down 1000003", "press 8", "down 1000004", "press 13",
        "down 1000013"  // an arrow types nothing
    };
    EXPECT_EQ(seen, expected);
}

TEST_F(EditTest, ClickAndLeaveAreSignalled) {
    QSignalSpy clicks(edit, &PlainEdit::clicked);
    QSignalSpy leaves(edit, &PlainEdit::left);
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    other->setFocus();
    EXPECT_EQ(leaves.count(), 1);
}

TEST_F(EditTest, BackgroundShowsTheHighlight) {
    edit->setBackground(QColor(200, 200, 200));
    EXPECT_EQ(edit->background(), QColor(200, 200, 200));
    edit->setBackground(QColor(230, 230, 230));
    EXPECT_EQ(edit->background(), QColor(230, 230, 230));
}

TEST(SelectorTest, OnlyTheUsersChoiceIsActivated) {
    QWidget window;
    Selector selector(QStringList{"BYPSS", "PEQ", "LSEQ", "HSEQ"}, &window);
    window.show();
    QApplication::setActiveWindow(&window);
    QSignalSpy activated(&selector, &QComboBox::activated);
    selector.setCurrentIndex(2);
    EXPECT_EQ(activated.count(), 0);
    selector.setFocus();
    QTest::keyClick(&selector, Qt::Key_Down);
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 3);
}

TEST(SelectorTest, WheelWithoutFocusLeavesTheItem) {
    QWidget window;
    Selector selector(QStringList{"Auto", "IN1", "IN2", "OPTI"}, &window);
    PlainEdit focusHolder(&window);
    focusHolder.move(0, 40);
    window.show();
    QApplication::setActiveWindow(&window);
    focusHolder.setFocus();
    QWheelEvent wheel(QPointF(5, 5), selector.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&selector, &wheel);
    EXPECT_EQ(selector.currentIndex(), 0);
}

TEST(BitmapButtonTest, ToggleShowsWhatItsHandlerChoosesAndPlainShowsPressedWhileHeld) {
    BitmapButton button("启用");
    button.resize(40, 20);
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(button.showsPressed());  // a click alone changes no picture
    button.setShowsPressed(true);
    EXPECT_TRUE(button.showsPressed());
    button.setDisabledShowsPressed(true);
    EXPECT_TRUE(button.disabledShowsPressed());

    BitmapButton phase;
    phase.setPicture(BitmapButton::Picture::Key);
    BitmapButton model;
    model.setPicture(BitmapButton::Picture::Phase);
    phase.TakePicturesOf(model);
    EXPECT_EQ(phase.picture(), BitmapButton::Picture::Phase);
}

TEST(SpinButtonsTest, UpperHalfStepsUpAndLowerHalfStepsDown) {
    SpinButtons spin;
    spin.resize(15, 20);
    spin.show();
    QSignalSpy ups(&spin, &SpinButtons::upClicked);
    QSignalSpy downs(&spin, &SpinButtons::downClicked);
    QTest::mouseClick(spin.upButton(), Qt::LeftButton);
    QTest::mouseClick(spin.downButton(), Qt::LeftButton);
    QTest::mouseClick(spin.downButton(), Qt::LeftButton);
    EXPECT_EQ(ups.count(), 1);
    EXPECT_EQ(downs.count(), 2);
    EXPECT_LT(spin.upButton()->geometry().bottom(), spin.downButton()->geometry().top());
}

TEST(LabelTest, TypeAndBandLabelsAreClickableAndShowTheirLooks) {
    TypeLabel type("LS");
    type.resize(20, 15);
    QSignalSpy typeClicks(&type, &TypeLabel::clicked);
    QTest::mouseClick(&type, Qt::LeftButton);
    EXPECT_EQ(typeClicks.count(), 1);
    type.setChosenLook(true);
    EXPECT_EQ(type.faceColour(), QColor(Qt::white));
    EXPECT_EQ(type.textColour(), QColor(128, 128, 128));
    type.setChosenLook(false);
    EXPECT_EQ(type.textColour(), QColor(Qt::white));

    BandNumberLabel band(7);
    band.resize(20, 15);
    EXPECT_EQ(band.text(), "7");
    QSignalSpy bandClicks(&band, &BandNumberLabel::clicked);
    QTest::mouseClick(&band, Qt::LeftButton);
    EXPECT_EQ(bandClicks.count(), 1);
    band.setOpaque(true);
    EXPECT_TRUE(band.opaque());
}

TEST(SwappingTest, ExchangingTwiceRestoresEveryKindOfSwappingControl) {
    SwappingLabel label("音乐音量", "Music Vol");
    SwappingGroupBox group("混响高低通", "Rvb LHP ");
    SwappingPushButton push("确定", "OK");
    SwappingToolButton tool("效果", "Effect");
    SwappingSheet sheet("回声", "");
    const std::vector<QWidget*> controls{&label, &group, &push, &tool, &sheet};
    for (QWidget* control : controls) ASSERT_TRUE(SwapCaptionAndHint(control));
    EXPECT_EQ(label.text(), "Music Vol");
    EXPECT_EQ(group.title(), "Rvb LHP ");
    EXPECT_EQ(push.text(), "OK");
    EXPECT_EQ(tool.text(), "Effect");
    EXPECT_EQ(sheet.caption(), "");  // no English text: empty in English
    EXPECT_EQ(sheet.hint(), "回声");
    for (QWidget* control : controls) SwapCaptionAndHint(control);
    EXPECT_EQ(label.text(), "音乐音量");
    EXPECT_EQ(label.hint(), "Music Vol");
    EXPECT_EQ(sheet.caption(), "回声");

    StatusPane pane;
    pane.setText("1000Hz");
    pane.setHint("6");
    EXPECT_FALSE(SwapCaptionAndHint(&pane));
    EXPECT_EQ(pane.text(), "1000Hz");
}

TEST(SwappingTest, SheetOfATabWidgetShowsItsCaptionAsTabText) {
    QTabWidget tabs;
    auto* sheet = new SwappingSheet("主音量", "Main Volume");
    tabs.addTab(sheet, sheet->caption());
    SwapCaptionAndHint(sheet);
    EXPECT_EQ(tabs.tabText(0), "Main Volume");
}

TEST(SwappingTest, ToolButtonKeepsItsSelectedLook) {
    SwappingToolButton tab("音乐", "Music");
    EXPECT_FALSE(tab.selectedLook());
    tab.setSelectedLook(true);
    EXPECT_TRUE(tab.selectedLook());
}

TEST(BandScrollBoxTest, MovesWholeColumns) {
    BandScrollBox box;
    box.resize(3 * kBandColumnWidth, 100);
    box.strip()->resize(10 * kBandColumnWidth, 100);
    box.show();
    box.setBandPosition(4);
    EXPECT_EQ(box.bandPosition(), 4);
    EXPECT_EQ(box.strip()->mapToParent(QPoint(0, 0)).x(), -4 * kBandColumnWidth);
}

}  // namespace
}  // namespace zt
