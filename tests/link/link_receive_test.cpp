// The engine's receive event: what frames and short messages do to the link flags, the image
// and the window.

#include <gtest/gtest.h>

#include "link_rig.h"

namespace zt::test {
namespace {

class LinkReceiveTest : public ScriptedLinkTest {
protected:
    void Receive(const Bytes& bytes) { rig.engine.OnReceive(bytes); }
};

TEST_F(LinkReceiveTest, AFrameLandsInTheImageInOneEventOrSplit) {
    const Bytes frame = BuildCommandFrame(kCommandWrite, 0x000A, 16);
    Receive(frame);
    EXPECT_EQ(rig.model.image().Get(0x000A), 16);
    EXPECT_EQ(rig.engine.transferStep(), kStepFrame);
    EXPECT_FALSE(rig.engine.ready());
    EXPECT_EQ(rig.log.lines(), std::vector<std::string>{"缓存长度K:C:L=9 9 5"});

    rig.model.image().Set(0x000A, 0);
    Receive(Bytes(frame.begin(), frame.begin() + 4));
    EXPECT_EQ(rig.model.image().Get(0x000A), 0);
    Receive(Bytes(frame.begin() + 4, frame.end()));
    EXPECT_EQ(rig.model.image().Get(0x000A), 16);
    EXPECT_EQ(rig.log.lines().back(), "缓存长度K:C:L=5 5 5");
}

TEST_F(LinkReceiveTest, TheLogReportsTheCountOfTheReceiveEvent) {
    const Bytes frame = BuildCommandFrame(kCommandWrite, 0x000A, 16);
    rig.engine.OnReceive(frame, 12);
    EXPECT_EQ(rig.log.lines(), std::vector<std::string>{"缓存长度K:C:L=12 12 5"});
}

TEST_F(LinkReceiveTest, AShortMessageIsAnAcknowledgementAndAnAnswer) {
    Receive({0x00, 0x13, kShortStart, kShortAccept});
    EXPECT_TRUE(rig.engine.answered());
    EXPECT_TRUE(rig.engine.ready());
    EXPECT_EQ(rig.engine.transferStep(), kStepShortMessage);
    EXPECT_TRUE(rig.log.lines().empty());
    EXPECT_EQ(rig.model.image(), DeviceImage());
}

TEST_F(LinkReceiveTest, TheDeviceIdGoesToItsCaption) {
    Receive(BuildFrame(kCommandWrite, kAddrDeviceId, Bytes{0x12, 0x34, 0xAB, 0xCD}));
    EXPECT_EQ(rig.view.deviceId, "1234ABCD");
    EXPECT_EQ(rig.engine.deviceInfo().deviceId, "1234ABCD");
}

TEST_F(LinkReceiveTest, ABadChecksumIsLoggedAfterTheSizeLine) {
    Receive({0xF5, 0xB1, 0x06, 0xB7, 0x03, 0x04, 0xFF, 0xFF, 0x00});
    EXPECT_EQ(rig.model.image().Get(0x0304), 65535);
    ASSERT_EQ(rig.log.lines().size(), 4u);
    EXPECT_EQ(rig.log.lines()[0], "缓存长度K:C:L=9 9 5");
    EXPECT_EQ(rig.log.lines()[1], "3********************");
}

}  // namespace
}  // namespace zt::test
