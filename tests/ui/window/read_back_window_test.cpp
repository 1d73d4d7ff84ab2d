// The read-back on the window, linked to a simulated processor that loses writes: the state's
// mark left of the status line's text (never over it or the link button), its words in the
// tooltip in the language chosen, and the mark on a field whose value the processor does not
// hold until the line is clean again.

#include <QAbstractSlider>
#include <QLabel>
#include <QTest>

#include "tests/ui/undo/linked_window.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/swapping.h"
#include "ui/window/window_chrome.h"

namespace zt {
namespace {

constexpr int kReadBackWaitMs = 60000;

class ReadBackOnWindow : public LinkedWindow {
protected:
    QLabel* LinkLabel() { return window().tabStrip().linkLabel; }
    QLabel* Mark() { return LinkLabel()->findChild<QLabel*>(QStringLiteral("ReadBackLabel")); }

    // The mark stands inside the status line's box, wholly left of its right-aligned text.
    void ExpectMarkClearOfTheText() {
        QLabel* mark = Mark();
        ASSERT_NE(mark, nullptr);
        const int textLeft = LinkLabel()->width() -
                             LinkLabel()->fontMetrics().horizontalAdvance(LinkLabel()->text());
        EXPECT_GE(mark->x(), 0);
        EXPECT_LT(mark->geometry().right(), textLeft) << LinkLabel()->text().toStdString();
    }
    bool MarkShows(const QString& text) {
        return QTest::qWaitFor(
            [&] { return Mark() && Mark()->isVisible() && Mark()->text() == text; },
            kReadBackWaitMs);
    }
};

TEST_F(ReadBackOnWindow, ALostWriteIsMarkedAndMendedOnceTheLineIsClean) {
    ASSERT_TRUE(MarkShows(QStringLiteral("\u2713"))) << "after the download everything matches";
    ExpectMarkClearOfTheText();

    SimFaults losing;
    losing.loseWrites = 1.0;
    sim_.processor().SetFaults(losing);
    auto* volume = Get<QAbstractSlider>("SysMusNormalVolBar");
    volume->setValue(volume->value() - 7);
    ASSERT_TRUE(MarkShows(QStringLiteral("!1"))) << Mark()->text().toStdString();
    EXPECT_EQ(Mark()->toolTip(), QStringLiteral("1 not confirmed"));
    ExpectMarkClearOfTheText();

    sim_.processor().SetFaults({});
    EXPECT_TRUE(MarkShows(QStringLiteral("\u2713"))) << Mark()->text().toStdString();

    window().tabStrip().languageButton->click();
    EXPECT_EQ(Mark()->toolTip(), QStringLiteral("参数一致"));
    ExpectMarkClearOfTheText();

    // While the link is down or searches, nothing on the processor is checked: no mark.
    window().tabStrip().unLinkBtn->click();
    EXPECT_FALSE(Mark()->isVisible());
    window().tabStrip().linkBtn->click();
    ASSERT_TRUE(app().link().searchRunning());
    EXPECT_FALSE(Mark()->isVisible()) << LinkLabel()->text().toStdString();
    EXPECT_TRUE(MarkShows(QStringLiteral("✓"))) << "online again, everything matches";
}

}  // namespace
}  // namespace zt
