// The port search, the link button, closing the window and the off-line link actions.

#include <gtest/gtest.h>

#include "link_rig.h"

namespace zt::test {
namespace {

const char* const kConnect = "F5 B1 06 B7 1E 30 11 00 0B";
const char* const kDisconnect = "F5 B1 06 B7 1E 30 AA 00 A4";
const char* const kRequestPage0 = "F5 B1 06 B0 1E 10 00 00 D3";

using LinkSearchTest = ScriptedLinkTest;

TEST_F(LinkSearchTest, OnlyTheSecondPortAnswersAndStaysOpen) {
    port.present = {"COM1", "COM3"};
    rig.engine.SetPortNames({"COM1", "COM3"});
    rig.engine.OnLinkButton(LinkButton::LinkBtn);
    EXPECT_EQ(rig.view.status, kStatusSearch);
    EXPECT_TRUE(rig.view.linked);
    EXPECT_TRUE(rig.view.dialogVisible);
    EXPECT_EQ(rig.view.progress, 0);
    EXPECT_TRUE(rig.engine.searchRunning());

    rig.Step(1000);  // first tick: COM1
    EXPECT_EQ(port.openAttempts, std::vector<std::string>{"COM1"});
    EXPECT_EQ(port.Written("COM1"), std::vector<std::string>{kConnect});
    EXPECT_EQ(rig.view.searchPort, "COM1");

    rig.Step(1000);  // second tick: COM1 closed, COM3 opened
    EXPECT_EQ(port.closes, 1);
    EXPECT_EQ(port.openAttempts, (std::vector<std::string>{"COM1", "COM3"}));
    EXPECT_EQ(port.Written("COM3"), std::vector<std::string>{kConnect});
    EXPECT_FALSE(rig.engine.answered());
    rig.Step(1);  // the answer arrives
    EXPECT_TRUE(rig.engine.answered());
    EXPECT_EQ(rig.view.status, kStatusSearch);

    rig.Step(999);  // third tick sees the answer: download from COM3
    EXPECT_FALSE(rig.engine.searchRunning());
    EXPECT_TRUE(rig.engine.transferRunning());
    EXPECT_TRUE(port.open);
    EXPECT_EQ(port.closes, 1);
    EXPECT_EQ(port.Written("COM3").back(), kRequestPage0);
    EXPECT_EQ(rig.view.status, kStatusLinking);
    EXPECT_EQ(rig.view.colour, LinkLabelColour::Linking);
    EXPECT_TRUE(rig.view.messages.empty());
}

// Ports the user lacks the right to, or that another program holds: the dialog's port line
// names the port and the cause; when nothing answered, "Off Line!" is followed by the advice.
TEST_F(LinkSearchTest, PortsThatCannotBeOpenedAreNamedWithTheirCause) {
    struct Case {
        const char* what;
        std::map<std::string, PortFault> refusing;
        bool links;
        std::vector<std::string> adviceHas;
    };
    const Case cases[] = {
        {"no right to COM1, COM3 answers", {{"COM1", PortFault::NoPermission}}, true, {}},
        {"no right to COM3",
         {{"COM3", PortFault::NoPermission}},
         false,
         {"Port COM3 cannot be opened", "dialout", "usermod"}},
        {"COM3 held by another program",
         {{"COM3", PortFault::Busy}},
         false,
         {"Port COM3 is in use by another program (minicom)"}},
        {"both",
         {{"COM1", PortFault::Busy}, {"COM3", PortFault::NoPermission}},
         false,
         {"Port COM1 is in use", "\nPort COM3 cannot be opened"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        rig.view.messages.clear();
        rig.view.portProblems.clear();
        port.refusing = c.refusing;
        port.present = {"COM1", "COM3"};
        rig.engine.SetPortNames({"COM1", "COM3"});
        rig.engine.OnLinkButton(LinkButton::LinkBtn);
        rig.StepUntil([this] { return rig.engine.linkOnline() || !rig.view.messages.empty(); },
                      20000);
        ASSERT_EQ(rig.view.portProblems.size(), c.refusing.size());
        for (const auto& [name, problem] : rig.view.portProblems) {
            const PortFault fault = c.refusing.at(name);
            EXPECT_EQ(problem.english,
                      fault == PortFault::Busy ? "busy (held by minicom)" : "no permission");
            EXPECT_EQ(problem.chinese,
                      fault == PortFault::Busy ? "被占用（minicom）" : "无访问权限");
        }
        EXPECT_EQ(rig.engine.linkOnline(), c.links);
        if (c.links) {
            EXPECT_TRUE(rig.view.messages.empty());
            rig.engine.OnLinkButton(LinkButton::UnLinkBtn);
            rig.Step(10);  // the disconnect's answer
            continue;
        }
        // The dialog still names the last port tried, with its cause.
        EXPECT_EQ(rig.view.searchPort, "COM3");
        ASSERT_EQ(rig.view.messages.size(), 2u);
        EXPECT_EQ(rig.view.messages[0], kMessageLinkFailed);
        for (const std::string& part : c.adviceHas) {
            EXPECT_NE(rig.view.messages[1].english.find(part), std::string::npos) << part;
        }
        EXPECT_NE(rig.view.messages[1].chinese.find("COM3"), std::string::npos);
        EXPECT_EQ(rig.view.captions[1], kMessageCaption);
    }
}

struct FailureCase {
    const char* what;
    std::vector<std::string> listed;
    std::set<std::string> present;
    int failingTick;
};

TEST_F(LinkSearchTest, NoAnswerFailsTwoTicksAfterTheLastPortWasTried) {
    const FailureCase cases[] = {
        {"two silent ports", {"COM1", "COM2"}, {"COM1", "COM2"}, 4},
        {"one silent port", {"COM1"}, {"COM1"}, 3},
        {"ports that do not open", {"COM1", "COM2"}, {}, 4},
        {"no port at all", {}, {}, 1},
    };
    answeringPort = "none";
    for (const auto& c : cases) {
        port.present = c.present;
        rig.view = RecordingView();
        rig.engine.SetPortNames(c.listed);
        rig.engine.OnLinkButton(LinkButton::LinkBtn);
        rig.Step(1000 * (c.failingTick - 1));
        EXPECT_TRUE(rig.view.messages.empty()) << c.what;
        EXPECT_TRUE(rig.engine.searchRunning()) << c.what;
        rig.Step(1000);
        ASSERT_EQ(rig.view.messages.size(), 2u) << c.what;
        EXPECT_EQ(rig.view.messages[0], kMessageLinkFailed) << c.what;
        EXPECT_EQ(rig.view.captions[0], kMessageCaption) << c.what;
        // Then what to check: the ports tried, the cable, the power; or that there is no port.
        const BilingualText& advice = rig.view.messages[1];
        EXPECT_EQ(rig.view.captions[1], kMessageCaption) << c.what;
        const std::vector<std::string> english =
            c.listed.empty() ? std::vector<std::string>{"No serial port", "cable"}
                             : std::vector<std::string>{"No processor answered on " + c.listed[0],
                                                        "cable", "switched on", "port"};
        for (const std::string& part : english) {
            EXPECT_NE(advice.english.find(part), std::string::npos) << c.what << ": " << part;
        }
        EXPECT_NE(advice.chinese.find(c.listed.empty() ? "串口" : "电源"), std::string::npos);
        EXPECT_EQ(rig.view.status, kStatusOffLine) << c.what;
        EXPECT_EQ(rig.view.colour, LinkLabelColour::OffLine) << c.what;
        EXPECT_FALSE(rig.view.linked) << c.what;
        EXPECT_FALSE(rig.view.dialogVisible) << c.what;
        EXPECT_FALSE(rig.engine.searchRunning()) << c.what;
        EXPECT_FALSE(rig.engine.transferRunning()) << c.what;
    }
}

TEST_F(LinkSearchTest, ASecondSearchStartsFromTheFirstPortAgain) {
    answeringPort = "none";
    port.present = {"COM1", "COM2"};
    rig.engine.SetPortNames({"COM1", "COM2"});
    rig.engine.OnLinkButton(LinkButton::LinkBtn);
    rig.Step(4000);
    ASSERT_EQ(rig.view.messages.size(), 2u);  // "Off Line!" and what to check
    port.openAttempts.clear();
    answeringPort = "COM1";
    rig.engine.OnLinkButton(LinkButton::LinkBtn);
    rig.Step(2000);
    EXPECT_EQ(port.openAttempts, std::vector<std::string>{"COM1"});
    EXPECT_TRUE(rig.engine.transferRunning());
}

class OnlineLinkTest : public ScriptedLinkTest {
protected:
    void SetUp() override { BringOnline(); }
};

TEST_F(OnlineLinkTest, BothButtonsDisconnectWhileOnline) {
    for (LinkButton button : {LinkButton::LinkBtn, LinkButton::UnLinkBtn}) {
        if (!rig.engine.linkOnline()) {
            rig.engine.OnLinkButton(LinkButton::LinkBtn);
            ASSERT_TRUE(rig.StepUntil([this] { return rig.engine.linkOnline(); }, 20000));
            port.writes.clear();
        }
        rig.view.dialogVisible = true;
        rig.engine.OnLinkButton(button);
        EXPECT_EQ(port.Written(), std::vector<std::string>{kDisconnect});
        EXPECT_FALSE(rig.engine.linkOnline());
        EXPECT_FALSE(rig.engine.holdRunning());
        EXPECT_FALSE(rig.engine.searchRunning());
        EXPECT_FALSE(rig.engine.transferRunning());
        EXPECT_TRUE(port.open);  // the port stays open
        EXPECT_FALSE(rig.view.linked);
        EXPECT_EQ(rig.view.status, kStatusOffLine);
        EXPECT_EQ(rig.view.colour, LinkLabelColour::OffLine);
        EXPECT_EQ(rig.engine.transferTotal(), kUploadTotal);
        EXPECT_FALSE(rig.view.dialogVisible);
        EXPECT_TRUE(rig.view.messages.empty());
        port.writes.clear();
        rig.Step(3000);
        EXPECT_TRUE(port.writes.empty());
    }
}

TEST_F(OnlineLinkTest, ClosingTheWindowSendsTheDisconnectOnlyWhileOnline) {
    rig.engine.OnMainWindowClose();
    EXPECT_EQ(port.Written(), std::vector<std::string>{kDisconnect});
    rig.engine.OnLinkButton(LinkButton::UnLinkBtn);
    port.writes.clear();
    rig.engine.OnMainWindowClose();
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(OnlineLinkTest, ADisconnectWithThePortClosedStillChangesTheState) {
    port.Close();
    rig.engine.OnLinkButton(LinkButton::UnLinkBtn);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_FALSE(rig.engine.linkOnline());
    EXPECT_EQ(rig.view.status, kStatusOffLine);
}

TEST_F(OnlineLinkTest, ASearchClearsSuppressSendAndTheReassembly) {
    rig.engine.SetSuppressSend(true);
    const Bytes halfFrame = {0xF5, 0xB1, 0x06, 0xB7, 0x00};
    rig.engine.OnReceive(halfFrame);
    EXPECT_EQ(rig.engine.rxState(), RxState::Body);
    rig.engine.SetLockStage(2);
    rig.engine.OnLinkButton(LinkButton::UnLinkBtn);
    rig.engine.OnLinkButton(LinkButton::LinkBtn);
    EXPECT_FALSE(rig.engine.suppressSend());
    EXPECT_EQ(rig.engine.rxState(), RxState::Hunting);
    EXPECT_EQ(rig.engine.lockStage(), 0);
    EXPECT_FALSE(rig.engine.answered());
}

}  // namespace
}  // namespace zt::test
