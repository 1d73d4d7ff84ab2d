// Loading and saving the processor's modes from the right column, on the whole window against
// the simulated processor.
#include <QComboBox>

#include "link/link_texts.h"
#include "system_fixture.h"

namespace zt {
namespace {

using Question = RecordingMessages::Question;

class ModeFlowsTest : public SystemFixture {
protected:
    void SetUp() override {
        SystemFixture::SetUp();
        NameModes({{2, "Studio"}, {9, "Live"}, {16, "Hall"}, {17, "Club"}});
    }
    int CurrentModeInImage() { return app().model().image().Get(kAddrLoadMode); }
};

TEST_F(ModeFlowsTest, LoadQuestionsInBothLanguages) {
    struct Case {
        int language;
        int index;
        const char* question;
    };
    const Case cases[] = {
        {kChinese, 2, "模式切换为3-Studio?"},
        {kEnglish, 2, "Load Mode to3-Studio?"},
        {kChinese, 17, "模式切换为MF2-Club?"},
        {kEnglish, 17, "Load Mode toMF2-Club?"},
    };
    for (const Case& c : cases) {
        app().languageSwitch().SetLanguage(c.language);
        messages_->asked.clear();
        messages_->answers = {false};
        PickMode(c.index);
        Click("SysLoadModeBtn");
        EXPECT_EQ(
            messages_->asked,
            (std::vector<Question>{{QString::fromUtf8(c.question),
                                    c.language == kChinese ? QStringLiteral("确认") : "Confirm",
                                    AskButtons::YesNo}}));
        EXPECT_EQ(CurrentModeInImage(), 0) << "No loads nothing";
    }
}

TEST_F(ModeFlowsTest, TheNameFieldTakesTheNamePartOfThePickedItem) {
    NameModes({{6, ""}});
    auto* name = Get<PlainEdit>("PresetModeEdit");
    const std::pair<int, const char*> cases[] = {{9, "Live"}, {16, "Hall"}, {6, ""}, {2, "Studio"}};
    for (const auto& [index, expected] : cases) {
        PickMode(index);
        EXPECT_EQ(name->text(), QString::fromUtf8(expected)) << index;
    }
    EXPECT_EQ(Get<QComboBox>("SysModeBox")->itemText(6), "7-");
}

TEST_F(ModeFlowsTest, QuickButtonsAreIgnoredOffLine) {
    for (const char* button : {"SysModeBtn1", "SysModeBtn4", "SysFactoryBtn", "SysFactoryBtn6"}) {
        Click(button);
    }
    EXPECT_TRUE(messages_->asked.empty());
    EXPECT_EQ(Get<QComboBox>("SysModeBox")->currentIndex(), 0);
}

TEST_F(ModeFlowsTest, SavingIsRefusedInUserModeAndForAFactoryModeWithoutTheHintTab) {
    struct Case {
        int language;
        bool manager;
        int index;
        std::pair<QString, QString> message;
    };
    const QString title = QString::fromLatin1(kApplicationTitle);
    const Case cases[] = {
        {kEnglish, false, 2, {"Users can not perform the save operation mode!", "Confirm"}},
        {kChinese, false, 2, {QStringLiteral("用户模式无法执行保存操作!"), QStringLiteral("确认")}},
        {kEnglish, false, 17, {"Users can not perform the save operation mode!", "Confirm"}},
        {kEnglish, true, 17, {"Factory modes cannot be saved!", title}},
        {kChinese, true, 21, {QStringLiteral("工厂模式无法保存"), title}},
    };
    for (const Case& c : cases) {
        app().languageSwitch().SetLanguage(c.language);
        SetManager(c.manager);
        messages_->shown.clear();
        PickMode(c.index);
        Click("SysSaveModeBtn");
        EXPECT_EQ(messages_->shown, (std::vector<std::pair<QString, QString>>{c.message}));
        EXPECT_TRUE(messages_->asked.empty());
    }
    EXPECT_EQ(app().link().deviceInfo().modeNames[17], "Club");
}

TEST_F(ModeFlowsTest, ANameTheProcessorCannotKeepIsRefusedBeforeAnythingIsSent) {
    SetManager(true);
    struct Case {
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {{"Café", "é"}, {"卡拉OK", "卡"}, {"Tab\there", "control"}};
    for (const Case& c : cases) {
        messages_->shown.clear();
        PickMode(3);
        Get<PlainEdit>("PresetModeEdit")->setText(QString::fromUtf8(c.typed));
        Click("SysSaveModeBtn");
        ASSERT_EQ(messages_->shown.size(), 1u) << c.typed;
        EXPECT_TRUE(messages_->shown[0].first.contains(QString::fromUtf8(c.shown)))
            << messages_->shown[0].first.toStdString();
        EXPECT_TRUE(messages_->asked.empty());
    }
    UseChinese();
    messages_->shown.clear();
    Get<PlainEdit>("PresetModeEdit")->setText(QStringLiteral("Café"));
    Click("SysSaveModeBtn");
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_TRUE(messages_->shown[0].first.startsWith(QStringLiteral("模式名称")));
    EXPECT_EQ(app().link().deviceInfo().modeNames[3], "");
    EXPECT_TRUE(FramesAt(kAddrSaveMode).empty());
}

TEST_F(ModeFlowsTest, OnlineQuickButtonsAndTheUserModeListLoadAndDownloadAgain) {
    LinkNow();
    struct Case {
        const char* what;
        std::function<void()> pick;
        int index;
        const char* item;
    };
    const Case cases[] = {
        {"SysModeBox2 item 5", [&] { emit Get<QComboBox>("SysModeBox2")->activated(0); }, 4, "5-"},
        {"SysFactoryBtn3", [&] { Click("SysFactoryBtn3"); }, 18, "MF3-"},
        {"SysModeBtn2", [&] { Click("SysModeBtn2"); }, 1, "2-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages_->asked.clear();
        messages_->answers = {true};
        c.pick();
        ASSERT_EQ(messages_->asked.size(), 1u);
        EXPECT_TRUE(messages_->asked[0].text.startsWith("Load Mode to" + QString(c.item)));
        ASSERT_TRUE(DriveThroughTransfer());
        EXPECT_EQ(sim_.processor().currentMode(), c.index);
        EXPECT_EQ(CurrentModeInImage(), c.index);
        EXPECT_EQ(Get<QComboBox>("SysModeBox")->currentIndex(), c.index);
    }
    // The refresh after the download marks the quick button of the current mode.
    EXPECT_TRUE(Get<BitmapButton>("SysModeBtn2")->showsPressed());
    EXPECT_FALSE(Get<BitmapButton>("SysFactoryBtn3")->showsPressed());
    EXPECT_EQ(FramesAt(kAddrLoadMode).size(), 3u);
}

TEST_F(ModeFlowsTest, ALoadAskedForWhileAWriteAwaitsItsAcknowledgementStillReloads) {
    LinkNow();
    app().link().WriteParameterPaced(0x000C, 90);
    app().link().WriteParameter(0x0011, 91);
    ASSERT_FALSE(app().link().ready());
    messages_->answers = {true};
    Click("SysModeBtn3");
    ASSERT_TRUE(DriveThroughTransfer());
    EXPECT_EQ(sim_.processor().currentMode(), 2);
    EXPECT_EQ(CurrentModeInImage(), 2);
    EXPECT_EQ(FramesAt(kAddrLoadMode).size(), 1u);
    // The writes before the load reached the processor first; the loaded mode replaced them.
    EXPECT_EQ(app().model().image().Get(0, 0x11), sim_.processor().memory().Get(0, 0x11));
}

TEST_F(ModeFlowsTest, SavingSendsTheIndexAZeroAndTheNamePaddedTo22Bytes) {
    LinkNow();
    SetManager(true);
    PickMode(9);
    Get<PlainEdit>("PresetModeEdit")->setText("Night");
    messages_->answers = {true};
    Click("SysSaveModeBtn");
    ASSERT_EQ(messages_->asked.size(), 1u);
    EXPECT_EQ(messages_->asked[0].text, "Save the current settings as mode 10-Night?");
    EXPECT_EQ(messages_->asked[0].caption, "Confirm");
    EXPECT_EQ(window().tabStrip().linkLabel->text(), "Saving...");
    ASSERT_TRUE(WaitFor([&] { return !messages_->shown.empty(); }, 20000));
    EXPECT_EQ(messages_->shown[0], std::make_pair(QString("Save Success!"), QString("Confirm")));

    Bytes expected{9, 0, 'N', 'i', 'g', 'h', 't'};
    expected.resize(22, ' ');
    EXPECT_EQ(FramesAt(kAddrSaveMode), std::vector<Bytes>{expected});
    EXPECT_EQ(sim_.processor().modeName(9), "Night");
    EXPECT_EQ(Get<QComboBox>("SysModeBox")->itemText(9), "10-Night");
    EXPECT_EQ(Get<QComboBox>("SysModeBox")->currentIndex(), 9);
    EXPECT_TRUE(app().link().linkOnline());
}

TEST_F(ModeFlowsTest, AFactoryModeIsSavedWithTheHintTabAndALongNameIsCut) {
    LinkNow();
    SetManager(true);
    QTest::mouseDClick(window().tabStrip().linkLabel, Qt::LeftButton);
    QTest::keyClicks(window().sysLogoEdit(), "OPERATOR725");
    QTest::keyClick(window().sysLogoEdit(), Qt::Key_Return);
    PickMode(17);
    Get<PlainEdit>("PresetModeEdit")->setMaxLength(40);
    Get<PlainEdit>("PresetModeEdit")->setText("A name of 25 characters!!");
    messages_->answers = {true};
    Click("SysSaveModeBtn");
    ASSERT_EQ(messages_->asked.size(), 1u);
    EXPECT_EQ(messages_->asked[0].text,
              "Save the current settings as mode MF2-A name of 25 charact?");
    ASSERT_TRUE(WaitFor([&] { return !messages_->shown.empty(); }, 20000));
    EXPECT_EQ(sim_.processor().modeName(17), "A name of 25 charact");
    EXPECT_EQ(app().link().deviceInfo().modeNames[17], "A name of 25 charact");
}

}  // namespace
}  // namespace zt
