// The language switch: swapping controls exchange caption and hint, bitmap buttons take their
// captions from the fixed table, the link button and the status dialog follow.
#include <QTabWidget>
#include <QTest>

#include "link/link_texts.h"
#include "link/qt/status_dialog.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"
#include "ui/window/caption_tables.h"
#include "ui/window/window_chrome.h"
#include "window_fixture.h"

namespace zt {
namespace {

struct Texts {
    std::vector<std::pair<QString, QString>> swapping;  // caption, hint
    std::vector<QString> buttons;
    std::vector<QString> rightTabs;
    bool operator==(const Texts&) const = default;
};

class Languages : public WindowFixture {
protected:
    Texts Snapshot() {
        Texts t;
        for (QWidget* w : app().registry().InCreationOrder()) {
            if (SwappingControl* s = SwappingOf(w))
                t.swapping.emplace_back(s->caption(), PropsOf(w)->hint());
            if (auto* b = qobject_cast<BitmapButton*>(w)) t.buttons.push_back(b->text());
        }
        QTabWidget* right = window().advPageControl1();
        for (int i = 0; i < right->count(); ++i) t.rightTabs.push_back(right->tabText(i));
        return t;
    }
    QString Caption(const char* name) { return SwappingOf(Get<QWidget>(name))->caption(); }
};

TEST_F(Languages, ChineseAndBackRestoresEveryCaption) {
    const Texts english = Snapshot();
    app().languageSwitch().SetLanguage(kChinese);
    EXPECT_EQ(app().language().current(), kChinese);
    EXPECT_EQ(window().tabStrip().tabs[kTabDynamicEq]->text(), QStringLiteral("动态均衡"));
    EXPECT_EQ(window().advPageControl1()->tabText(0), QStringLiteral("主音量"));
    EXPECT_EQ(window().tabStrip().languageButton->text(), "English");
    for (const CaptionPair& pair : FixedButtonCaptions()) {
        EXPECT_EQ(Get<BitmapButton>(pair.control)->text(), QString::fromUtf8(pair.chinese))
            << pair.control;
    }
    EXPECT_NE(Snapshot(), english);

    app().languageSwitch().SetLanguage(kEnglish);
    EXPECT_EQ(Snapshot(), english);
    for (const CaptionPair& pair : FixedButtonCaptions()) {
        EXPECT_EQ(Get<BitmapButton>(pair.control)->text(), pair.english) << pair.control;
    }
}

TEST_F(Languages, TextsWithoutEnglishAreEmptyInEnglish) {
    for (const char* name : {"SysLogoLabel", "EQlabel"}) {
        EXPECT_EQ(Caption(name), QString()) << name;
    }
    app().languageSwitch().SetLanguage(kChinese);
    EXPECT_EQ(Caption("SysLogoLabel"), QStringLiteral("运行："));
    app().languageSwitch().SetLanguage(kEnglish);
    EXPECT_EQ(Caption("SysLogoLabel"), QString());
    EXPECT_EQ(PropsOf(Get<QWidget>("SysLogoLabel"))->hint(), QStringLiteral("运行："));
}

TEST_F(Languages, SettingTheLanguageShownChangesNothing) {
    const Texts english = Snapshot();
    app().languageSwitch().SetLanguage(kEnglish);
    EXPECT_EQ(Snapshot(), english);
    app().languageSwitch().SetLanguage(kChinese);
    const Texts chinese = Snapshot();
    app().languageSwitch().SetLanguage(kChinese);
    EXPECT_EQ(Snapshot(), chinese);
}

TEST_F(Languages, LinkButtonNamesThePhaseInBothLanguages) {
    LinkLookButton* button = window().tabStrip().linkBtn;
    // Start-up left the link searching.
    EXPECT_EQ(button->text(), "Unlink");
    app().languageSwitch().SetLanguage(kChinese);
    EXPECT_EQ(button->text(), QStringLiteral("断开"));

    app().link().OnLinkButton(LinkButton::UnLinkBtn);
    EXPECT_FALSE(button->linkedLook());
    EXPECT_EQ(button->text(), QStringLiteral("联机"));
    app().languageSwitch().SetLanguage(kEnglish);
    EXPECT_EQ(button->text(), "link");
    EXPECT_EQ(button->captionColour(), QColor(Qt::black));

    app().linkView().SetLinkButtonLinked(true);
    EXPECT_EQ(button->text(), "Unlink");
    EXPECT_EQ(button->captionColour(), QColor(243, 152, 0));
}

TEST_F(Languages, StatusDialogFollowsAndCopiesTheStatusLine) {
    TForm2& dialog = app().statusDialog();
    app().languageSwitch().SetLanguage(kChinese);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("设备状态"));
    EXPECT_EQ(dialog.warnLabel()->text(), QStringLiteral("请稍等,可能需要几秒钟才能完成操作！"));
    EXPECT_EQ(dialog.linkLabel()->text(), window().tabStrip().linkLabel->text());
    EXPECT_EQ(dialog.linkLabel()->text(), QStringLiteral("设备搜索..."));

    app().linkView().ShowLinkStatus(kStatusOnline);
    EXPECT_EQ(window().tabStrip().linkLabel->text(), QStringLiteral("设备已连接"));
    EXPECT_EQ(window().tabStrip().linkLabel->hint(), "Online");
    app().languageSwitch().SetLanguage(kEnglish);
    EXPECT_EQ(dialog.windowTitle(), "Device Staus");
    EXPECT_EQ(dialog.warnLabel()->text(), "Please Wait for a moment!");
    EXPECT_EQ(dialog.linkLabel()->text(), "Online");
}

TEST_F(Languages, LanguageButtonTogglesAndNamesTheChannelAgain) {
    window().tabStrip().tabs[kTabMain]->click();
    refresher_.pages.clear();
    SwappingToolButton* button = window().tabStrip().languageButton;

    app().OnLanguageButton();
    EXPECT_EQ(app().language().current(), kChinese);
    EXPECT_EQ(button->tag(), kEnglish);
    EXPECT_EQ(window().graph().leftBtn->text(), QStringLiteral("主左"));
    EXPECT_EQ(window().graph().leftBtn->hint(), "Main L");
    EXPECT_EQ(Get<BitmapButton>("MainLmuteBtn")->text(), QStringLiteral("左静音"));
    EXPECT_EQ(refresher_.pages, std::vector<int>{6});

    app().OnLanguageButton();
    EXPECT_EQ(app().language().current(), kEnglish);
    EXPECT_EQ(button->tag(), kChinese);
    EXPECT_EQ(window().graph().leftBtn->text(), "Main L");
}

TEST_F(Languages, ReleaseTimesReadInTheLanguageChosenOnEveryPage) {
    // One release on the page shown, one on a page not shown.
    window().tabStrip().tabs[kTabMicA]->click();
    auto* shown = Get<TrackBar>("MicRmsReleaseBar");
    auto* hidden = Get<TrackBar>("MainRmsReleaseBar");
    shown->setValue(3);
    hidden->setValue(5);
    auto pane = [this](const char* name) { return Get<StatusPane>(name)->caption(); };
    ASSERT_EQ(pane("MicRmsReleasePane"), "Atk x 8");
    ASSERT_EQ(pane("MainRmsReleasePane"), "Atk x 16");

    app().OnLanguageButton();
    ASSERT_EQ(app().language().current(), kChinese);
    EXPECT_EQ(pane("MicRmsReleasePane"), QStringLiteral("启动 x 8"));
    EXPECT_EQ(pane("MainRmsReleasePane"), QStringLiteral("启动 x 16"));
    shown->setValue(4);
    EXPECT_EQ(pane("MicRmsReleasePane"), QStringLiteral("启动 x 12"));

    app().OnLanguageButton();
    EXPECT_EQ(pane("MicRmsReleasePane"), "Atk x 12");
    EXPECT_EQ(pane("MainRmsReleasePane"), "Atk x 16");
}

// Where a tab's caption starts and ends in the strip.
std::pair<qreal, qreal> CaptionSpan(const SwappingToolButton* tab) {
    const qreal text = QFontMetricsF(tab->CaptionFont()).horizontalAdvance(tab->text());
    const qreal left = tab->x() + (tab->width() - text) / 2;
    return {left, left + text};
}

// The tabs' captions stand evenly spaced, and the language button, the link label and the link
// button follow the last tab at the right end of the strip without touching it.
void ExpectEvenStrip(const TabStrip& strip, const std::string& when) {
    std::vector<qreal> gaps;
    const SwappingToolButton* previous = nullptr;
    for (const SwappingToolButton* tab : strip.tabs) {
        if (tab->isHidden()) continue;
        if (previous) gaps.push_back(CaptionSpan(tab).first - CaptionSpan(previous).second);
        previous = tab;
    }
    ASSERT_FALSE(gaps.empty());
    for (qreal gap : gaps) EXPECT_NEAR(gap, gaps.front(), 1.0) << when;
    const QRect language = strip.languageButton->geometry();
    EXPECT_GT(language.left(), previous->geometry().right() + 4) << when;
    EXPECT_LT(language.right(), strip.linkLabel->geometry().left()) << when;
    EXPECT_LT(strip.linkLabel->geometry().right(), strip.linkBtn->geometry().left()) << when;
    EXPECT_LE(strip.linkBtn->geometry().right(), strip.strip->width()) << when;
}

TEST_F(Languages, LanguageButtonRoundTripAtTheEndOfAnEvenStrip) {
    const TabStrip& strip = window().tabStrip();
    SwappingToolButton* button = strip.languageButton;
    ASSERT_TRUE(button->isVisibleTo(&window()));
    ExpectEvenStrip(strip, "english");
    EXPECT_EQ(button->text(), QStringLiteral("中文"));

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(app().language().current(), kChinese);
    EXPECT_EQ(button->text(), "English");
    EXPECT_FALSE(button->selectedLook());
    EXPECT_EQ(strip.tabs[kTabSurround]->text(), QStringLiteral("环绕"));
    ExpectEvenStrip(strip, "chinese");

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(app().language().current(), kEnglish);
    EXPECT_EQ(button->text(), QStringLiteral("中文"));
    EXPECT_EQ(strip.tabs[kTabSurround]->text(), "Surround");
    ExpectEvenStrip(strip, "english again");

    // The Hint tab, once the access code shows it, still leaves room for the button.
    strip.tabs[kTabHint]->show();
    ExpectEvenStrip(strip, "english with the hint tab");
    QTest::mouseClick(button, Qt::LeftButton);
    ExpectEvenStrip(strip, "chinese with the hint tab");
}

}  // namespace
}  // namespace zt
