// Value edits behave like the numeric fields users know: a click selects the whole value, the
// standard editing shortcuts work, and pasted text is filtered like typed text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <memory>

#include "tests/ui/editing/editing_rig.h"

namespace zt::test {
namespace {

class EditShortcutsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.Link()); }
    EditingRig rig;
};

TEST_F(EditShortcutsTest, AClickSelectsTheWholeValueSoTypingReplacesIt) {
    auto* edit = rig.Get<ValueEdit>("MusFreEdit1");
    const QString shown = edit->text();
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(edit->width() - 3, 5));
    EXPECT_EQ(edit->selectedText(), shown);
    QTest::keyClicks(edit, "1000");
    EXPECT_EQ(edit->text(), "1000");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), "1000Hz");
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x000B, 204}}));
    // The gain edit of another band the same way.
    auto* gain = rig.Get<ValueEdit>("MusGainEdit2");
    QTest::mouseClick(gain, Qt::LeftButton);
    EXPECT_EQ(gain->selectedText(), gain->text());
}

TEST_F(EditShortcutsTest, EditingShortcutsPassTheKeyFilter) {
    auto* edit = rig.Get<ValueEdit>("MusGainEdit1");
    QTest::mouseClick(edit, Qt::LeftButton);
    const QString shown = edit->text();
    ASSERT_TRUE(shown.endsWith("dB"));
    QClipboard* clipboard = QApplication::clipboard();

    edit->deselect();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit->selectedText(), shown);
    EXPECT_EQ(edit->text(), shown) << "Ctrl+A types no letter";

    clipboard->clear();
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), shown);

    QTest::keyClick(edit, Qt::Key_Home);
    EXPECT_EQ(edit->cursorPosition(), 0);
    QTest::keyClick(edit, Qt::Key_End);
    EXPECT_EQ(edit->cursorPosition(), shown.size());
    // Shift with an arrow selects; it does not step the value.
    const int stored = rig.model.store().Get(0x000C);
    QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(edit->selectedText(), shown.right(2));
    QTest::keyClick(edit, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(edit->selectedText(), shown);
    EXPECT_EQ(rig.model.store().Get(0x000C), stored);
    EXPECT_EQ(edit->text(), shown);

    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(clipboard->text(), shown);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), shown.chopped(2)) << "the unit is no number character";
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), shown);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x000C, stored}}));
}

TEST_F(EditShortcutsTest, PastedTextIsFilteredLikeTypedText) {
    auto* edit = rig.Get<ValueEdit>("MusFreEdit2");
    QApplication::clipboard()->setText("1 kHz");
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "1");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), "19.7Hz");
    EXPECT_EQ(rig.model.store().Get(0x0010), 0);

    // Line breaks do not commit halfway, and Shift+Insert pastes the same way.
    QApplication::clipboard()->setText("20\n00 Hz\r\n");
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(edit->text(), "2000");
    EXPECT_EQ(rig.model.store().Get(0x0010), 0);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), "2000Hz");
    EXPECT_EQ(rig.model.store().Get(0x0010), 240);
}

TEST_F(EditShortcutsTest, TheContextMenusPasteIsFilteredToo) {
    auto* edit = rig.Get<ValueEdit>("MusQEdit3");
    QTest::mouseClick(edit, Qt::LeftButton);
    QApplication::clipboard()->setText("Q = 2.5");
    std::unique_ptr<QMenu> menu(edit->CreateContextMenu());
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith("&Paste")) paste = action;
    }
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    EXPECT_EQ(edit->text(), "2.5");
}

TEST_F(EditShortcutsTest, DroppedTextIsFilteredToo) {
    auto* edit = rig.Get<ValueEdit>("MusGain1Edit");
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->clear();
    QMimeData data;
    data.setText("+3 dB");
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Delivered straight to the edit: the application passes drops on only during a drag.
    static_cast<QObject*>(edit)->event(&drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(edit->text(), "3");
}

}  // namespace
}  // namespace zt::test
