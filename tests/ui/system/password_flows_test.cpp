// The processor's passwords on the right column: the digit filter, the user / manager choice,
// the system password change and the panel lock password change.
#include "system_fixture.h"

namespace zt {
namespace {

using Shown = std::pair<QString, QString>;
// The messages as shown in English, the language of the tests.
Shown InEnglish(const char* text) {
    return {QString::fromUtf8(text), QStringLiteral("Confirm")};
}
const Shown kWrongPassword = InEnglish("Wrong password!");
const Shown kWrongOldPassword = InEnglish("Wrong old password!");
const Shown kPasswordsDiffer = InEnglish("The two new passwords differ!");
const Shown kUnchanged = InEnglish("The new password is the current one: nothing changed.");
const Shown kNotOnline = InEnglish("Off line: link to the processor to change its password.");

class PasswordFlowsTest : public SystemFixture {
protected:
    PlainEdit* Field(const char* name) { return Get<PlainEdit>(name); }
    // Types the keys into the field as the user would, Enter as "\r".
    void Type(const char* field, const QString& keys) {
        for (QChar key : keys) {
            if (key == QChar('\r')) {
                QTest::keyClick(Field(field), Qt::Key_Return);
            } else {
                QTest::keyClicks(Field(field), QString(key));
            }
        }
    }
    std::vector<std::string> StringsSentTo(ParamAddress address) {
        std::vector<std::string> texts;
        for (const Bytes& data : FramesAt(address)) texts.emplace_back(data.begin(), data.end());
        return texts;
    }
};

TEST_F(PasswordFlowsTest, PasswordFieldsTakeDigitsBackspaceAndEnterOnly) {
    for (const char* name :
         {"SysPassEdit", "SysPanelLabel1", "NewSysPassLabel1", "NewSysPassLabel2",
          "PassPanelLabel1", "NewPassLabel1", "PanelPassWordEdit"}) {
        PlainEdit* field = Field(name);
        field->setEnabled(true);
        field->clear();
        QTest::keyClicks(field, "1a2-B 3.");
        EXPECT_EQ(field->text(), "123") << name;
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text(), "12") << name;
        // Pasted text goes round the keys; it is held to digits as well.
        field->clear();
        field->insert("12ab");
        EXPECT_EQ(field->text(), "") << name;
    }
}

TEST_F(PasswordFlowsTest, TheSystemPasswordOpensTheUserManagerChoiceOnlyOnline) {
    QWidget* group = Get<QWidget>("SysUserMangerGrop");
    app().link().deviceInfo().systemPassword = "123456";
    // Wrong entries.
    for (const char* typed : {"654321", "12345", ""}) {
        messages_->shown.clear();
        Field("SysPassEdit")->setText(typed);
        Click("RzBmpButton118");
        EXPECT_EQ(messages_->shown, std::vector{kWrongPassword}) << typed;
        EXPECT_TRUE(Field("SysPassEdit")->text().isEmpty());
        EXPECT_FALSE(group->isEnabled());
    }
    // Right, but off line.
    messages_->shown.clear();
    Field("SysPassEdit")->setText("123456");
    Click("RzBmpButton118");
    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_TRUE(Field("SysPassEdit")->text().isEmpty());
    EXPECT_FALSE(group->isEnabled());

    LinkNow();
    EXPECT_EQ(app().link().deviceInfo().systemPassword, "123456");  // as the processor reported
    Type("SysPassEdit", "123456");
    Click("RzBmpButton118");
    ASSERT_TRUE(group->isEnabled());
    Click("SysManagerBtn");
    EXPECT_FALSE(group->isEnabled());
    EXPECT_EQ(app().model().store().Get(kAddrManagerFlag), 1);
    ASSERT_TRUE(WaitFor([&] { return sim_.processor().managerFlag() == 1; }, 20000));
}

TEST_F(PasswordFlowsTest, TheNewSystemPasswordFieldsOpenOneKeyAfterTheirInput) {
    LinkNow();
    Type("SysPanelLabel1", "123456");
    EXPECT_FALSE(Field("NewSysPassLabel1")->isEnabled()) << "not before the next key";
    Type("SysPanelLabel1", "\r");
    ASSERT_TRUE(Field("NewSysPassLabel1")->isEnabled());
    Type("NewSysPassLabel1", "654321");
    EXPECT_FALSE(Field("NewSysPassLabel2")->isEnabled());
    Type("NewSysPassLabel1", "\r");
    ASSERT_TRUE(Field("NewSysPassLabel2")->isEnabled());
    Type("NewSysPassLabel2", "654321\r");

    EXPECT_EQ(messages_->shown, std::vector{InEnglish("System password changed!")});
    EXPECT_EQ(app().link().deviceInfo().systemPassword, "654321");
    ASSERT_TRUE(WaitFor([&] { return sim_.processor().systemPassword() == "654321"; }, 20000));
    EXPECT_EQ(StringsSentTo(kAddrSystemPassword), std::vector<std::string>{"654321"});
    for (const char* name : {"SysPanelLabel1", "NewSysPassLabel1", "NewSysPassLabel2"}) {
        EXPECT_TRUE(Field(name)->text().isEmpty()) << name;
    }
    EXPECT_FALSE(Field("NewSysPassLabel1")->isEnabled());
    EXPECT_FALSE(Field("NewSysPassLabel2")->isEnabled());
}

TEST_F(PasswordFlowsTest, TheSameOrDifferingNewSystemPasswordsSendNothing) {
    LinkNow();
    struct Case {
        const char* first;
        const char* second;
        std::vector<std::pair<QString, QString>> messages;
    };
    const Case cases[] = {
        {"123456", "123456", {kUnchanged}},  // the current password: nothing to send
        {"111111", "222222", {kPasswordsDiffer}},
    };
    for (const Case& c : cases) {
        messages_->shown.clear();
        Type("SysPanelLabel1", "123456\r");
        Type("NewSysPassLabel1", QString(c.first) + "\r");
        Type("NewSysPassLabel2", QString(c.second) + "\r");
        EXPECT_EQ(messages_->shown, c.messages) << c.first;
        EXPECT_FALSE(Field("NewSysPassLabel1")->isEnabled());
        EXPECT_TRUE(Field("SysPanelLabel1")->text().isEmpty());
    }
    QTest::qWait(100);
    EXPECT_TRUE(StringsSentTo(kAddrSystemPassword).empty());
    EXPECT_EQ(app().link().deviceInfo().systemPassword, "123456");
}

TEST_F(PasswordFlowsTest, AWrongOldSystemPasswordOrNoLinkKeepsTheNewFieldsShut) {
    app().link().deviceInfo().systemPassword = "123456";
    Type("SysPanelLabel1", "123456\r\r");  // right, but off line
    EXPECT_FALSE(Field("NewSysPassLabel1")->isEnabled());
    EXPECT_EQ(messages_->shown, std::vector{kNotOnline});  // once: Enter cleared the field
    LinkNow();
    messages_->shown.clear();
    Type("SysPanelLabel1", "12345");
    EXPECT_TRUE(messages_->shown.empty()) << "nothing is said before Enter";
    Type("SysPanelLabel1", "5\r\r");
    EXPECT_FALSE(Field("NewSysPassLabel1")->isEnabled());
    EXPECT_EQ(messages_->shown, std::vector{kWrongOldPassword});
    EXPECT_TRUE(Field("SysPanelLabel1")->text().isEmpty());
}

TEST_F(PasswordFlowsTest, ThePanelLockPasswordIsCheckedThenChanged) {
    LinkNow();
    // Wrong: said, and the typed text stays.
    Type("PassPanelLabel1", "4321");
    Click("RzBmpButton22");
    EXPECT_EQ(messages_->shown, std::vector{kWrongOldPassword});
    EXPECT_FALSE(Field("NewPassLabel1")->isEnabled());
    EXPECT_EQ(Field("PassPanelLabel1")->text(), "4321");
    Field("PassPanelLabel1")->clear();

    Type("PassPanelLabel1", "1234");
    Click("RzBmpButton22");
    ASSERT_TRUE(Field("NewPassLabel1")->isEnabled());
    EXPECT_TRUE(Field("PassPanelLabel1")->text().isEmpty());
    Type("NewPassLabel1", "987");
    messages_->shown.clear();
    Click("RzBmpButton23");  // too short
    EXPECT_EQ(messages_->shown, std::vector{InEnglish("The new password must have 4 digits!")});
    EXPECT_TRUE(Field("NewPassLabel1")->isEnabled());
    messages_->shown.clear();
    Type("NewPassLabel1", "6");
    Click("RzBmpButton23");
    EXPECT_FALSE(Field("NewPassLabel1")->isEnabled());
    EXPECT_TRUE(Field("NewPassLabel1")->text().isEmpty());
    EXPECT_EQ(app().link().deviceInfo().panelLockPassword, "9876");
    ASSERT_TRUE(WaitFor([&] { return sim_.processor().panelPassword() == "9876"; }, 20000));
    EXPECT_EQ(StringsSentTo(kAddrPanelPassword), std::vector<std::string>{"9876"});
    EXPECT_EQ(messages_->shown, std::vector{InEnglish("Panel lock password changed!")});
}

TEST_F(PasswordFlowsTest, ChangesSayWhatHappenedInTheLanguageChosen) {
    LinkNow();
    UseChinese();
    Type("SysPanelLabel1", "123456\r");
    Type("NewSysPassLabel1", "123\r");  // too short
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0], Shown("新密码必须是 6 位数字!", "提示"));
    EXPECT_FALSE(Field("NewSysPassLabel2")->isEnabled());
    Type("NewSysPassLabel1", "456\r");
    Type("NewSysPassLabel2", "123456\r");
    Type("SysPanelLabel1", "123456\r");
    Type("NewSysPassLabel1", "111111\r");
    Type("NewSysPassLabel2", "111112\r");
    Type("SysPanelLabel1", "654321\r");
    Type("SysPanelLabel1", "123456\r");
    Type("NewSysPassLabel1", "111111\r");
    Type("NewSysPassLabel2", "111111\r");
    Click("RzBmpButton22");
    const std::vector<Shown> expected{
        {"新密码必须是 6 位数字!", "提示"},
        {"新密码与当前密码相同, 未修改。", "提示"},
        {"密码不一致!", "提示"},
        {"旧密码错误!", "提示"},
        {"系统密码已修改!", "提示"},
        {"旧密码错误!", "提示"},
    };
    EXPECT_EQ(messages_->shown, expected);
    EXPECT_EQ(app().link().deviceInfo().systemPassword, "111111");
}

}  // namespace
}  // namespace zt
