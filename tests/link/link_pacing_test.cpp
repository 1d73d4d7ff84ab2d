// Write parameter, TxQueue and the hold timer while the link is online.

#include <gtest/gtest.h>

#include "link_rig.h"

namespace zt::test {
namespace {

const char* const kKeepAlive = "F5 B1 06 B7 1E 30 66 00 60";

// The pacing on its own: the read-back's page requests would add frames to what these tests
// count (read_back_test.cpp shows that they leave this timing as it is).
class LinkPacingTest : public ScriptedLinkTest {
protected:
    void SetUp() override {
        rig.engine.SetReadBackEnabled(false);
        BringOnline();
    }

    // Frames written at or after `from`, as (time, hex text).
    std::vector<std::pair<int64_t, std::string>> WrittenSince(int64_t from) const {
        std::vector<std::pair<int64_t, std::string>> out;
        for (const auto& w : port.writes) {
            if (w.at >= from) out.emplace_back(w.at, HexText(w.bytes));
        }
        return out;
    }
    static std::string Frame(ParamAddress device, int value) {
        return HexText(BuildCommandFrame(kCommandWrite, device, value));
    }
    // Makes the processor silent and leaves one paced write unacknowledged, so that further
    // writes queue up.
    void HoldAcknowledgement() {
        processor.answering = false;
        rig.engine.WriteParameterPaced(0x000A, 1);
        ASSERT_FALSE(rig.engine.ready());
    }
};

TEST_F(LinkPacingTest, AnIdleLinkSendsOneKeepAlivePerSecond) {
    const int64_t start = rig.now;
    rig.Step(10000);
    const auto written = WrittenSince(start);
    ASSERT_EQ(written.size(), 10u);
    for (size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(written[i].second, kKeepAlive);
        if (i > 0) {
            EXPECT_EQ(written[i].first - written[i - 1].first, 1000);
        }
    }
    EXPECT_TRUE(rig.engine.linkOnline());
    EXPECT_TRUE(rig.view.messages.empty());
}

TEST_F(LinkPacingTest, EditsGoOutAtOnceWhileEverythingIsAcknowledged) {
    rig.engine.WriteParameter(0x0005, 204);
    rig.engine.WriteParameter(0x0006, 3);
    EXPECT_EQ(port.Written(), (std::vector<std::string>{Frame(0x0005, 204), Frame(0x0006, 3)}));
    EXPECT_TRUE(rig.engine.ready());
    EXPECT_TRUE(rig.engine.txQueue().IsEmpty());
    EXPECT_EQ(rig.model.store().Get(0x0005), 204);
    EXPECT_EQ(rig.model.image().Get(0x0005), 204);
}

TEST_F(LinkPacingTest, EditsWritesGoToTheDeviceAddressOfTheSelection) {
    rig.model.selection().micPage = 3;
    rig.engine.WriteParameter(0x0220, 9);
    EXPECT_EQ(port.Written(), std::vector<std::string>{Frame(0x0320, 9)});
    EXPECT_EQ(rig.model.store().Get(0x0220), 9);
    EXPECT_EQ(rig.model.image().Get(0x0320), 9);
}

TEST_F(LinkPacingTest, QueuedWritesCoalesceOnlyWhenConsecutive) {
    HoldAcknowledgement();
    port.writes.clear();
    for (int value : {1, 2, 3}) rig.engine.WriteParameter(0x0005, value);
    EXPECT_EQ(rig.engine.txQueue().PendingCount(), 1);
    const TxQueue& queue = rig.engine.txQueue();
    EXPECT_EQ(queue.Entry(queue.writeIndex()).value, 3);
    rig.engine.WriteParameter(0x0006, 4);
    rig.engine.WriteParameter(0x0005, 5);
    EXPECT_EQ(queue.PendingCount(), 3);
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(LinkPacingTest, TheHoldTimerSendsOneQueuedFramePerAcknowledgement) {
    rig.engine.WriteParameterPaced(0x000A, 1);  // acknowledged a millisecond later
    rig.engine.WriteParameter(0x0005, 2);
    rig.engine.WriteParameter(0x0006, 3);
    rig.engine.WriteParameter(0x0007, 4);
    const int64_t start = rig.now;
    rig.Step(200);
    const auto written = WrittenSince(start);
    ASSERT_EQ(written.size(), 4u);
    EXPECT_EQ(written[0].second, Frame(0x000A, 1));
    EXPECT_EQ(written[1].second, Frame(0x0005, 2));
    EXPECT_EQ(written[2].second, Frame(0x0006, 3));
    EXPECT_EQ(written[3].second, Frame(0x0007, 4));
    // One frame per hold tick, each after the previous one's acknowledgement.
    EXPECT_EQ(written[2].first - written[1].first, kHoldPeriodMs);
    EXPECT_EQ(written[3].first - written[2].first, kHoldPeriodMs);
    EXPECT_TRUE(rig.engine.txQueue().IsEmpty());
}

// A full queue coalesces a write with its address's waiting entry, and names a write it cannot
// hold instead of putting it in another write's place.
TEST_F(LinkPacingTest, AFullQueueCoalescesOrReportsAndNeverDropsAWriteSilently) {
    HoldAcknowledgement();
    std::vector<ParamAddress> addresses;
    for (int page : {0, 1, 28, 29}) {
        for (int slot = 0; slot < kSlotCount; ++slot) addresses.push_back(MakeAddress(page, slot));
    }
    for (int i = 0; i < TxQueue::kCapacity - 1; ++i) rig.engine.WriteParameter(addresses[i], i);
    const TxQueue& queue = rig.engine.txQueue();
    ASSERT_TRUE(queue.IsFull());
    const int newest = queue.writeIndex();
    rig.engine.WriteParameter(addresses[10], 4242);
    EXPECT_EQ(queue.PendingCount(), TxQueue::kCapacity - 1);
    EXPECT_EQ(queue.Entry(newest).address, addresses[TxQueue::kCapacity - 2]);
    EXPECT_EQ(queue.Entry(queue.readIndex() + 11).value, 4242);
    EXPECT_TRUE(rig.view.writesNotHeld.empty());

    rig.engine.WriteParameter(addresses[TxQueue::kCapacity - 1], 4343);
    EXPECT_EQ(rig.view.writesNotHeld, std::vector<ParamAddress>{addresses[TxQueue::kCapacity - 1]});
    EXPECT_EQ(queue.Entry(newest).value, TxQueue::kCapacity - 2);
    // Every write still reached the stores, and the read-back keeps the refused one to check.
    EXPECT_EQ(rig.model.image().Get(addresses[TxQueue::kCapacity - 1]), 4343);
    const auto pending = rig.engine.readBack().PendingAddresses();
    EXPECT_NE(std::find(pending.begin(), pending.end(), addresses[TxQueue::kCapacity - 1]),
              pending.end());
}

TEST_F(LinkPacingTest, SuppressedOrOffLineWritesOnlyStore) {
    rig.engine.SetSuppressSend(true);
    rig.engine.WriteParameter(0x0005, 77);
    EXPECT_EQ(rig.model.store().Get(0x0005), 77);
    EXPECT_EQ(rig.model.image().Get(0x0005), 77);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(rig.engine.txQueue().IsEmpty());

    rig.engine.SetSuppressSend(false);
    rig.engine.OnLinkButton(LinkButton::UnLinkBtn);
    port.writes.clear();
    rig.engine.WriteParameter(0x0006, 5);
    EXPECT_EQ(rig.model.image().Get(0x0006), 5);
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(LinkPacingTest, LoadingAModeReloadsAfterItsAcknowledgement) {
    rig.engine.WriteParameter(kAddrLoadMode, 3);
    EXPECT_EQ(port.Written(), std::vector<std::string>{"F5 B1 06 B7 1E 02 03 00 CF"});
    EXPECT_EQ(rig.view.status, kStatusLoading);
    EXPECT_FALSE(rig.engine.linkOnline());
    EXPECT_EQ(rig.engine.pendingAction(), kPendingReload);
    EXPECT_FALSE(rig.engine.ready());

    const int refreshes = rig.view.refreshes;
    rig.Step(2 * kHoldPeriodMs);  // acknowledgement, then the hold tick runs the reload
    EXPECT_TRUE(rig.engine.transferRunning());
    EXPECT_FALSE(rig.engine.holdRunning());
    EXPECT_EQ(port.Written().back(), HexText(BuildCommandFrame(kCommandRead, kAddrPageRequest, 0)));
    EXPECT_EQ(rig.view.status, kStatusLoading);
    ASSERT_TRUE(rig.StepUntil([this] { return rig.engine.linkOnline(); }, 20000));
    EXPECT_EQ(rig.view.refreshes, refreshes + 1);
    EXPECT_EQ(rig.view.status, kStatusOnline);
    EXPECT_TRUE(rig.view.messages.empty());
}

TEST_F(LinkPacingTest, AQueuedLoadModeIsSentAsAnOrdinaryParameter) {
    rig.engine.WriteParameterPaced(0x000A, 1);
    rig.engine.WriteParameter(kAddrLoadMode, 4);
    EXPECT_EQ(rig.engine.txQueue().PendingCount(), 1);
    EXPECT_TRUE(rig.engine.linkOnline());
    rig.Step(200);
    EXPECT_EQ(port.Written().back(), "F5 B1 06 B7 1E 02 04 00 D0");
    EXPECT_TRUE(rig.engine.linkOnline());
    EXPECT_FALSE(rig.engine.transferRunning());
    EXPECT_EQ(rig.engine.pendingAction(), kNoPendingAction);
}

// An unanswered frame sent by the hold timer: repeated at the second and fourth silent
// second (the frame itself while more wait behind it, else a keep-alive), lost at the fifth.
TEST_F(LinkPacingTest, AnUnansweredFrameIsRepeatedTwiceThenTheLinkIsLost) {
    for (bool moreQueued : {true, false}) {
        SCOPED_TRACE(moreQueued ? "more queued" : "nothing queued behind");
        if (!rig.engine.linkOnline()) BringOnline();
        rig.engine.WriteParameterPaced(0x000A, 1);  // acknowledged
        processor.answering = false;
        port.writes.clear();
        rig.engine.WriteParameter(0x0005, 2);
        if (moreQueued) rig.engine.WriteParameter(0x0006, 3);
        const int64_t start = rig.now;
        rig.Step(5000 + 2 * kHoldPeriodMs);
        const auto written = WrittenSince(start);
        const std::string repeat = moreQueued ? Frame(0x0005, 2) : kKeepAlive;
        ASSERT_EQ(written.size(), 3u);
        EXPECT_EQ(written[0].second, Frame(0x0005, 2));
        const int64_t sent = written[0].first;
        EXPECT_EQ(written[1], std::make_pair(sent + 2000, repeat));
        EXPECT_EQ(written[2], std::make_pair(sent + 4000, repeat));
        ASSERT_EQ(rig.view.messages.size(), 1u);
        EXPECT_EQ(rig.view.messages[0], kMessageLinkLost);
        EXPECT_EQ(rig.view.status, kStatusOffLine);
        EXPECT_EQ(rig.view.colour, LinkLabelColour::OffLine);
        EXPECT_FALSE(rig.view.linked);
        EXPECT_FALSE(rig.engine.linkOnline());
        EXPECT_FALSE(rig.engine.holdRunning());
        rig.view.messages.clear();
        processor.answering = true;
    }
}

// A keep-alive whose acknowledgement is lost, with writes queued behind it: the repeat at the
// second silent second after the keep-alive (the writes do not put it off) is that keep-alive,
// never a queue entry from before it (in a fresh session the entry there was never written, after a
// mode load it is the load itself), and the writes then leave in order with their own values.
TEST_F(LinkPacingTest, ALostKeepAliveAcknowledgementRepeatsTheKeepAlive) {
    enum class Before { FreshSession, ModeLoad, DirectSend };
    for (Before before : {Before::FreshSession, Before::ModeLoad, Before::DirectSend}) {
        SCOPED_TRACE(static_cast<int>(before));
        if (before == Before::ModeLoad) {
            rig.engine.WriteParameter(kAddrLoadMode, 3);
            ASSERT_TRUE(rig.StepUntil([this] { return rig.engine.transferRunning(); }, 1000));
            ASSERT_TRUE(rig.StepUntil([this] { return rig.engine.linkOnline(); }, 20000));
        } else if (before == Before::DirectSend) {
            rig.engine.WriteParameter(0x0007, 9);
            rig.Step(100);
        }
        processor.keepAliveAcksToLose = 1;
        port.writes.clear();
        ASSERT_TRUE(rig.StepUntil([this] { return !port.writes.empty(); }, 1100));
        ASSERT_EQ(port.Written(), std::vector<std::string>{kKeepAlive});
        rig.Step(300);
        const int64_t edited = rig.now;
        for (int value : {1, 2, 3}) rig.engine.WriteParameter(0x0000, value);
        rig.engine.WriteParameter(0x0006, 4);
        rig.Step(2500);

        const auto written = WrittenSince(0);
        ASSERT_EQ(written.size(), 4u);
        EXPECT_EQ(written[1], std::make_pair(written[0].first + 2000, std::string(kKeepAlive)));
        EXPECT_LT(written[1].first, edited + 2000);
        EXPECT_EQ(written[2].second, Frame(0x0000, 3));
        EXPECT_EQ(written[3].second, Frame(0x0006, 4));
        EXPECT_EQ(written[3].first - written[2].first, kHoldPeriodMs);
        EXPECT_TRUE(rig.engine.txQueue().IsEmpty());
        EXPECT_TRUE(rig.engine.linkOnline());
        EXPECT_TRUE(rig.view.messages.empty());
        rig.Step(1000);
    }
}

TEST_F(LinkPacingTest, AClosedPortLosesTheLinkWithinSixSeconds) {
    port.Close();
    const int64_t closed = rig.now;
    rig.StepUntil([this] { return !rig.view.messages.empty(); }, 8000);
    ASSERT_EQ(rig.view.messages.size(), 1u);
    EXPECT_EQ(rig.view.messages[0], kMessageLinkLost);
    EXPECT_GT(rig.now - closed, 5000);
    EXPECT_LE(rig.now - closed, 6000 + kHoldPeriodMs);
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(LinkPacingTest, ASavedModeIsReportedOnceTheProcessorAcknowledgedIt) {
    rig.engine.deviceInfo().modeNames[5] = "Live";
    processor.answering = false;
    const int64_t start = rig.now;
    rig.engine.SaveMode(std::string("\x05\x00Live", 6));
    EXPECT_EQ(rig.view.status, kStatusSaving);
    EXPECT_FALSE(rig.engine.linkOnline());
    const std::string saveFrame =
        HexText(BuildTextFrame(kAddrSaveMode, std::string("\x05\x00Live", 6)));
    EXPECT_EQ(port.Written(), std::vector<std::string>{saveFrame});
    // No answer yet: no success either; the save goes out again at the second silent second,
    // as it was (its acknowledgement, or the frame itself, may have been lost).
    rig.Step(2000 + kHoldPeriodMs);
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_EQ(rig.view.status, kStatusSaving);
    const auto written = WrittenSince(start);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[1].second, saveFrame);
    EXPECT_NEAR(static_cast<double>(written[1].first - start), 2000.0, 2.0 * kHoldPeriodMs);
    const Bytes ack = {kShortStart, kShortAccept};
    rig.engine.OnReceive(ack);
    rig.Step(kHoldPeriodMs);
    ASSERT_EQ(rig.view.modeLists.size(), 1u);
    const auto& items = rig.view.modeLists[0];
    ASSERT_EQ(items.size(), static_cast<size_t>(kDeviceModeCount));
    EXPECT_EQ(items[0], "1-M0");
    EXPECT_EQ(items[5], "6-Live");
    EXPECT_EQ(items[15], "16-M15");
    EXPECT_EQ(items[16], "MF1-M16");
    EXPECT_EQ(items[21], "MF6-M21");
    EXPECT_TRUE(rig.engine.linkOnline());
    EXPECT_EQ(rig.view.status, kStatusOnline);
    EXPECT_EQ(rig.view.colour, LinkLabelColour::Online);
    ASSERT_EQ(rig.view.messages.size(), 1u);
    EXPECT_EQ(rig.view.messages[0], kMessageModeSaved);
    EXPECT_EQ(rig.view.captions[0], kMessageCaption);
}

TEST_F(LinkPacingTest, AnUnacknowledgedSaveGivesUpAfterFiftyOneSecondsAndStaysForgotten) {
    processor.answering = false;
    rig.engine.WriteParameterPaced(0x000A, 1);
    rig.engine.ExpectSaveResult();
    port.writes.clear();
    const int64_t start = rig.now;
    rig.Step(50900);
    EXPECT_TRUE(rig.view.messages.empty());
    // Busy: no keep-alives, only the unanswered write again every second silent second.
    const auto written = WrittenSince(start);
    EXPECT_EQ(written.size(), 25u);
    for (const auto& [at, frame] : written) EXPECT_EQ(frame, Frame(0x000A, 1)) << at;
    rig.Step(200);
    ASSERT_EQ(rig.view.messages.size(), 1u);
    EXPECT_EQ(rig.view.messages[0], kMessageLinkLost);
    EXPECT_FALSE(rig.engine.holdRunning());
    // Linking again must not report the old save as a success.
    processor.answering = true;
    BringOnline();
    rig.Step(3000);
    EXPECT_EQ(rig.view.messages.size(), 1u);
    EXPECT_TRUE(rig.view.modeLists.empty());
}

}  // namespace
}  // namespace zt::test
