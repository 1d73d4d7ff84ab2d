// What the link shows on the window.
#include <QComboBox>
#include <QTest>

#include "link/link_texts.h"
#include "link/qt/status_dialog.h"
#include "pty_sim.h"
#include "ui/widgets/swapping.h"
#include "ui/window/window_chrome.h"
#include "window_fixture.h"

namespace zt {
namespace {

using LinkOnWindow = WindowFixture;

TEST_F(LinkOnWindow, StatusTextFollowsTheLanguage) {
    SwappingLabel* label = window().tabStrip().linkLabel;
    app().linkView().ShowLinkStatus(kStatusLinking);
    EXPECT_EQ(label->text(), "Linking...");
    EXPECT_EQ(label->hint(), QStringLiteral("连接中..."));
    app().languageSwitch().SetLanguage(kChinese);
    EXPECT_EQ(label->text(), QStringLiteral("连接中..."));
    app().linkView().ShowLinkStatus(kStatusOffLine);
    EXPECT_EQ(label->text(), QStringLiteral("设备未连接"));
    EXPECT_EQ(label->hint(), "Off Line");
}

TEST_F(LinkOnWindow, StatusColours) {
    SwappingLabel* label = window().tabStrip().linkLabel;
    const std::pair<LinkLabelColour, QColor> colours[] = {
        {LinkLabelColour::Online, QColor(0, 51, 153)},
        {LinkLabelColour::Linking, QColor(0, 0, 0)},
        {LinkLabelColour::OffLine, QColor(255, 0, 0)},
    };
    for (const auto& [colour, rgb] : colours) {
        app().linkView().SetLinkLabelColour(colour);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), rgb);
    }
}

TEST_F(LinkOnWindow, MessagesInTheCurrentLanguage) {
    app().linkView().ShowLinkMessage(kMessageLinkFailed, kMessageCaption);
    app().languageSwitch().SetLanguage(kChinese);
    app().linkView().ShowLinkMessage(kMessageModeSaved, kMessageCaption);
    ASSERT_EQ(messages_->shown.size(), 2u);
    EXPECT_EQ(messages_->shown[0], std::make_pair(QString("Off Line!"), QString("Confirm")));
    EXPECT_EQ(messages_->shown[1],
              std::make_pair(QStringLiteral("保存成功!"), QStringLiteral("提示")));
}

TEST_F(LinkOnWindow, StatusDialogShowsPortAndProgress) {
    app().linkView().ShowSearchPort("ZT461-SIM");
    app().linkView().UpdateStatusDialog(79);
    EXPECT_EQ(app().statusDialog().comLabel()->text(), "ZT461-SIM");
    EXPECT_EQ(app().statusDialog().linkLabel()->text(), window().tabStrip().linkLabel->text());
    app().linkView().HideStatusDialog();
    EXPECT_FALSE(app().statusDialog().isVisible());
    app().linkView().ShowStatusDialog();
    EXPECT_TRUE(app().statusDialog().isVisible());
}

TEST_F(LinkOnWindow, ModeListIsRebuiltOnTheSameIndex) {
    auto* box = Get<QComboBox>("SysModeBox");
    std::vector<std::string> items;
    for (int i = 0; i < 22; ++i) items.push_back("item " + std::to_string(i));
    app().linkView().RebuildModeList(items);
    box->setCurrentIndex(17);
    items[17] = "18-Saved";
    app().linkView().RebuildModeList(items);
    EXPECT_EQ(box->count(), 22);
    EXPECT_EQ(box->currentIndex(), 17);
    EXPECT_EQ(box->currentText(), "18-Saved");
}

TEST_F(LinkOnWindow, AfterATransferEveryPageThenTheChannelIsRefreshed) {
    window().tabStrip().tabs[kTabSurround]->click();
    app().channel().surroundSide = kSideRight;
    app().model().image().Set(0, 0xA1, 2);  // the processor reports the decode scene
    refresher_.pages.clear();
    app().linkView().RefreshAfterTransfer();
    EXPECT_EQ(refresher_.pages, (std::vector<int>{kAllPages, 6}));
    EXPECT_EQ(app().model().selection().outputPage, 17);
    EXPECT_EQ(app().channel().selectedChannel, 0x0603);
}

TEST_F(LinkOnWindow, DeviceIdGoesToItsLabel) {
    app().linkView().ShowDeviceId("1234ABCD");
    EXPECT_EQ(Get<QLabel>("DeviceIDLabel")->text(), "1234ABCD");
}

TEST_F(LinkOnWindow, FailedSearchEndsOffLineWithAMessage) {
    // No port in the list: the first search tick gives up.
    app().link().OnSearchTick();
    EXPECT_EQ(window().tabStrip().linkLabel->text(), "Off Line");
    EXPECT_EQ(window().tabStrip().linkBtn->text(), "link");
    EXPECT_FALSE(app().statusDialog().isVisible());
    // "Off Line!", then what to check: this PC has no serial port.
    ASSERT_EQ(messages_->shown.size(), 2u);
    EXPECT_EQ(messages_->shown[0].first, "Off Line!");
    EXPECT_TRUE(messages_->shown[1].first.startsWith("No serial port was found"));
}

// A processor plugged in after the editor started (a USB adapter, a bridge's port) is found by
// the link button: every search it starts reads the port list again.
TEST_F(LinkOnWindow, TheLinkButtonFindsAPortThatCameLater) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages_->shown.empty(); }, 20000));
    EXPECT_EQ(messages_->shown[0].first, "Off Line!");
    PtySim sim;
    std::string error;
    ASSERT_TRUE(sim.Start(runtime_.path(), error)) << error;
    window().tabStrip().linkBtn->click();
    QComboBox* list = window().tabStrip().comComboBox1;
    EXPECT_GE(list->findText("ZT461-SIM"), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return app().link().linkOnline(); }, 30000));
}

}  // namespace
}  // namespace zt
