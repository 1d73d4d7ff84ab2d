// A whole link from the window to a simulated processor, and closing the window: the
// disconnect frame leaves before the editor ends while the link is online, nothing while not.
#include <QTest>

#include "link/link_texts.h"
#include "link/protocol.h"
#include "link/qt/status_dialog.h"
#include "pty_sim.h"
#include "ui/widgets/swapping.h"
#include "ui/window/window_chrome.h"
#include "window_fixture.h"

namespace zt {
namespace {

class WithProcessor : public WindowFixture {
protected:
    void BeforeStart() override {
        std::string error;
        ASSERT_TRUE(sim_.Start(runtime_.path(), error)) << error;
    }

    int LinkFrames(int value) {
        int count = 0;
        for (const SimFrame& f : sim_.processor().log()) {
            if (f.address == kAddrLinkControl && !f.data.empty() && f.data[0] == value) ++count;
        }
        return count;
    }

    PtySim sim_;
};

TEST_F(WithProcessor, LinksAndDisconnectsWhenClosed) {
    // One search tick, one download of at least 60 transfer ticks.
    ASSERT_TRUE(QTest::qWaitFor([&] { return app().link().linkOnline(); }, 30000))
        << "status " << window().tabStrip().linkLabel->text().toStdString();
    const auto& strip = window().tabStrip();
    EXPECT_EQ(strip.linkLabel->text(), "Online");
    EXPECT_EQ(strip.linkLabel->palette().color(QPalette::WindowText), QColor(0, 51, 153));
    EXPECT_EQ(strip.linkBtn->text(), "Unlink");
    EXPECT_FALSE(app().statusDialog().isVisible());
    EXPECT_TRUE(messages_->shown.empty());
    // The download ends with the refresh of every page and then of the channel shown.
    ASSERT_GE(refresher_.pages.size(), 2u);
    EXPECT_EQ(refresher_.pages[refresher_.pages.size() - 2], kAllPages);
    EXPECT_EQ(refresher_.pages.back(), 0);
    EXPECT_EQ(LinkFrames(kLinkDisconnect), 0);

    window().close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return LinkFrames(kLinkDisconnect) == 1; }, 20000));
    EXPECT_FALSE(sim_.processor().connected());
}

TEST_F(WithProcessor, ClosingOffLineSendsNothing) {
    // Before the first search tick no port is open yet.
    window().close();
    QTest::qWait(100);
    EXPECT_EQ(sim_.processor().framesReceived(), 0);
}

}  // namespace
}  // namespace zt
