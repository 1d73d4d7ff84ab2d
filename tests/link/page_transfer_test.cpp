// Downloads and uploads against the in-process processor simulator.

#include <gtest/gtest.h>

#include "link_rig.h"
#include "params/page_table.h"
#include "sim/sim_port.h"
#include "sim/sim_processor.h"

namespace zt::test {
namespace {

class PageTransferTest : public ::testing::Test {
protected:
    PageTransferTest()
        : rig(port, [this](LinkEngine&) {
              port.Advance(1);
              port.Deliver();
          }) {
        port.SetReceiver([this](const Bytes& bytes, int count) {
            rig.engine.OnReceive(bytes, static_cast<size_t>(count));
        });
        rig.engine.SetPortNames({port.portName()});
    }

    void StartLink() { rig.engine.OnLinkButton(LinkButton::LinkBtn); }
    bool StepUntilOnline(int64_t limitMs = 20000) {
        return rig.StepUntil([this] { return rig.engine.linkOnline(); }, limitMs);
    }
    void Silence(int afterFrames) {
        SimFaults faults = processor.faults();
        faults.silentAfter = afterFrames;
        processor.SetFaults(faults);
    }
    bool LastWriteIs(const Bytes& frame) const {
        return !port.writes().empty() && port.writes().back() == frame;
    }
    static Bytes PageRequest(int page) {
        return BuildCommandFrame(kCommandRead, kAddrPageRequest, page);
    }
    // Steps until the frame is written; returns the time it was.
    int64_t StepUntilWritten(const Bytes& frame) {
        EXPECT_TRUE(rig.StepUntil([&] { return LastWriteIs(frame); }, 20000)) << HexText(frame);
        return rig.now;
    }
    size_t WritesOf(const Bytes& frame) const {
        return static_cast<size_t>(std::count(port.writes().begin(), port.writes().end(), frame));
    }

    SimProcessor processor;
    SimPort port{processor};
    LinkRig rig;
};

TEST_F(PageTransferTest, ACompleteDownloadFillsTheImageAndGoesOnline) {
    processor.memory().Set(12, 7, 4321);
    processor.memory().Set(0, 163, 65535);
    processor.memory().Set(0, 0xA1, 5);  // a scene above 2 counts as 2
    processor.SetModeName(2, "Studio");
    processor.SetSystemPassword("654321");
    processor.SetPanelPassword("4321");
    StartLink();
    rig.Step(2000);  // the second search tick sees the answer
    ASSERT_TRUE(rig.engine.transferRunning());
    const int64_t linking = rig.now;
    EXPECT_EQ(rig.view.status, kStatusLinking);

    ASSERT_TRUE(StepUntilOnline());
    EXPECT_GE(rig.now - linking, 60 * kTransferPeriodMs);  // one step per tick
    for (int page = 0; page < kTransferPageCount; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            ASSERT_EQ(rig.model.image().Get(page, slot), processor.memory().Get(page, slot))
                << "page " << page << " slot " << slot;
        }
    }
    for (int mode = 0; mode < kDeviceModeCount; ++mode) {
        EXPECT_EQ(rig.engine.deviceInfo().modeNames[mode], processor.modeName(mode)) << mode;
    }
    EXPECT_EQ(rig.engine.deviceInfo().modeNames[2], "Studio");
    EXPECT_EQ(rig.engine.deviceInfo().systemPassword, "654321");
    EXPECT_EQ(rig.engine.deviceInfo().panelLockPassword, "4321");
    for (ParamAddress item :
         {kAddrLoadMode, kAddrPanelKeyLock, kAddrManagerFlag, kAddrUploadTail}) {
        EXPECT_EQ(rig.model.image().Get(item), processor.memory().Get(item)) << item;
    }

    // The status dialog showed 30 of 38 while the names came in, and the end.
    EXPECT_NE(std::find(rig.view.progressSeen.begin(), rig.view.progressSeen.end(), 79),
              rig.view.progressSeen.end());
    EXPECT_EQ(rig.view.progress, 100);
    EXPECT_FALSE(rig.view.dialogVisible);
    // Link action 1.
    EXPECT_EQ(rig.model.selection().outputScene, 2);
    EXPECT_EQ(rig.engine.lockStage(), 1);
    EXPECT_EQ(rig.view.refreshes, 1);
    EXPECT_EQ(rig.view.bringUps, 1);
    EXPECT_EQ(rig.view.status, kStatusOnline);
    EXPECT_EQ(rig.view.colour, LinkLabelColour::Online);
    EXPECT_TRUE(rig.view.linked);
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_TRUE(rig.engine.holdRunning());
    EXPECT_FALSE(rig.engine.transferRunning());
    EXPECT_FALSE(rig.engine.searchRunning());

    // And the link stays up on keep-alives.
    rig.Step(10000);
    EXPECT_TRUE(rig.engine.linkOnline());
    EXPECT_EQ(processor.onlineCount(), 1);
}

TEST_F(PageTransferTest, TheDownloadAsksInTheProcessorsOrder) {
    StartLink();
    ASSERT_TRUE(StepUntilOnline());
    std::vector<std::string> asked;
    for (const SimFrame& f : processor.log()) {
        if (f.command != kCommandRead) continue;
        asked.push_back(HexText(BuildFrame(kCommandRead, f.address, f.data)));
    }
    std::vector<std::string> expected;
    for (int page = 0; page < kTransferPageCount; ++page) {
        expected.push_back(HexText(PageRequest(page)));
    }
    // Every name request but the first goes out twice.
    for (int record = 0; record < kDeviceModeCount; ++record) {
        const Bytes data = {static_cast<uint8_t>(record), 0};
        const std::string request = HexText(BuildFrame(kCommandRead, kAddrModeName, data));
        expected.insert(expected.end(), record == 0 ? 1 : 2, request);
    }
    const ParamAddress items[] = {kAddrSaveMode,       kAddrSaveMode,      kAddrLoadMode,
                                  kAddrSystemItem3,    kAddrPanelKeyLock,  kAddrManagerFlag,
                                  kAddrSystemPassword, kAddrPanelPassword, kAddrUploadTail};
    for (ParamAddress item : items) {
        expected.push_back(HexText(BuildFrame(kCommandRead, item, {})));
    }
    EXPECT_EQ(asked, expected);
    EXPECT_EQ(rig.engine.modeRecordCounter(), 0);
}

TEST_F(PageTransferTest, ADownloadAfterOneCutShortAmongTheNamesAsksForEveryName) {
    Silence(1 + kTransferPageCount + 5);  // names 0, 1 and 2 arrive, then nothing
    StartLink();
    ASSERT_TRUE(rig.StepUntil([this] { return !rig.view.messages.empty(); }, 40000));
    ASSERT_EQ(rig.engine.transferCounter(), 30);
    // A download that fails changes nothing: the names that came are not taken either.
    EXPECT_EQ(rig.engine.deviceInfo().modeNames[2], "");
    EXPECT_EQ(rig.model.image(), DeviceImage());

    Silence(-1);
    processor.SetModeName(0, "Again");
    processor.ClearLog();
    StartLink();
    ASSERT_TRUE(StepUntilOnline());
    for (int mode = 0; mode < kDeviceModeCount; ++mode) {
        EXPECT_EQ(rig.engine.deviceInfo().modeNames[mode], processor.modeName(mode)) << mode;
    }
    const Bytes firstName = BuildFrame(kCommandRead, kAddrModeName, Bytes{0, 0});
    const auto asked = std::find_if(processor.log().begin(), processor.log().end(),
                                    [](const SimFrame& f) { return f.address == kAddrModeName; });
    ASSERT_NE(asked, processor.log().end());
    EXPECT_EQ(HexText(BuildFrame(kCommandRead, asked->address, asked->data)), HexText(firstName));
}

TEST_F(PageTransferTest, ANoisySplitLineStillDownloadsEveryValue) {
    SimFaults faults;
    faults.garbage = 0.4;
    faults.corruptChecksums = 0.1;
    faults.seed = 7;
    processor.SetFaults(faults);
    port.SetEventSize(5);
    StartLink();
    ASSERT_TRUE(StepUntilOnline(40000));
    for (int page = 0; page < kTransferPageCount; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            ASSERT_EQ(rig.model.image().Get(page, slot), processor.memory().Get(page, slot))
                << "page " << page << " slot " << slot;
        }
    }
    // Corrupted checksums were logged in threes, and applied all the same.
    const auto& lines = rig.log.lines();
    const auto mismatches = std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.rfind("校验数据匹配不一致:", 0) == 0;
    });
    EXPECT_GT(mismatches, 0);
    EXPECT_EQ(rig.view.status, kStatusOnline);
}

TEST_F(PageTransferTest, APageThatIsNeverAnsweredIsAskedAgainThenTheLinkFails) {
    Silence(1 + 12);  // the connect and pages 0..11
    StartLink();
    const int64_t asked = StepUntilWritten(PageRequest(12));
    EXPECT_EQ(rig.engine.transferCounter(), 12);
    rig.Step(3199);
    EXPECT_EQ(WritesOf(PageRequest(12)), 1u);
    rig.Step(1);
    EXPECT_EQ(WritesOf(PageRequest(12)), 2u);
    EXPECT_EQ(rig.now - asked, 3200);
    EXPECT_TRUE(rig.view.messages.empty());
    rig.StepUntil([this] { return !rig.view.messages.empty(); }, 20000);
    EXPECT_EQ(rig.now - asked, 13200);
    EXPECT_EQ(rig.view.messages, std::vector<BilingualText>{kMessageLinkFailed});
    EXPECT_EQ(rig.view.status, kStatusOffLine);
    EXPECT_EQ(rig.view.colour, LinkLabelColour::OffLine);
    EXPECT_FALSE(rig.view.linked);
    EXPECT_FALSE(rig.engine.transferRunning());
    EXPECT_FALSE(rig.engine.linkOnline());
    // While it waits for the time-out, the request goes out again every two seconds (5.2, 7.2,
    // 9.2 and 11.2 s after the first).
    EXPECT_EQ(WritesOf(PageRequest(12)), 6u);
}

// A processor that answers the connect frame and then nothing must not leave the editor
// "Linking..." for ever: the first request is repeated and times out like every other.
TEST_F(PageTransferTest, SilenceRightAfterTheConnectAnswerEndsInFailure) {
    Silence(1);
    StartLink();
    const int64_t asked = StepUntilWritten(PageRequest(0));
    EXPECT_EQ(rig.view.status, kStatusLinking);
    rig.Step(1100);
    EXPECT_EQ(WritesOf(PageRequest(0)), 2u);  // the first request is repeated early
    rig.Step(2100);
    EXPECT_EQ(WritesOf(PageRequest(0)), 3u);
    EXPECT_EQ(rig.view.status, kStatusLinking);
    rig.StepUntil([this] { return !rig.view.messages.empty(); }, 20000);
    EXPECT_EQ(rig.now - asked, 13200);
    EXPECT_EQ(rig.view.messages, std::vector<BilingualText>{kMessageLinkFailed});
    EXPECT_EQ(rig.view.status, kStatusOffLine);
}

// A port that goes away ends the link at once, whatever phase it is in; a search goes on.
TEST_F(PageTransferTest, ALostPortEndsADownloadOrAnOnlineLinkAtOnce) {
    StartLink();
    StepUntilWritten(PageRequest(3));
    port.Close();
    rig.engine.OnPortLost();
    EXPECT_EQ(rig.view.messages, std::vector<BilingualText>{kMessageLinkFailed});
    EXPECT_FALSE(rig.engine.transferRunning());
    EXPECT_EQ(rig.view.status, kStatusOffLine);

    rig.view.messages.clear();
    StartLink();
    ASSERT_TRUE(StepUntilOnline());
    port.Close();
    rig.engine.OnPortLost();
    EXPECT_EQ(rig.view.messages, std::vector<BilingualText>{kMessageLinkLost});
    EXPECT_FALSE(rig.engine.holdRunning());
    EXPECT_FALSE(rig.engine.linkOnline());
    rig.Step(10000);  // no further message from the time-outs
    EXPECT_EQ(rig.view.messages.size(), 1u);

    StartLink();
    rig.engine.OnPortLost();
    EXPECT_TRUE(rig.engine.searchRunning());
    EXPECT_EQ(rig.view.messages.size(), 1u);
}

TEST_F(PageTransferTest, AShortMessageNeitherAdvancesNorStallsADownload) {
    Silence(1 + 5);
    StartLink();
    const int64_t asked = StepUntilWritten(PageRequest(5));
    rig.Step(500);
    const Bytes ack = {kShortStart, kShortAccept};
    rig.engine.OnReceive(ack);
    rig.Step(500);
    EXPECT_EQ(rig.engine.transferCounter(), 5);
    EXPECT_EQ(WritesOf(PageRequest(6)), 0u);
    rig.StepUntil([this] { return !rig.view.messages.empty(); }, 20000);
    EXPECT_EQ(rig.now - asked, 13200);
    EXPECT_EQ(WritesOf(PageRequest(5)), 6u);  // at 0 and 3.2 s, then every 2 s
}

TEST_F(PageTransferTest, AnUploadSendsEveryPageOneAcknowledgementAtATime) {
    StartLink();
    ASSERT_TRUE(StepUntilOnline());
    // A preset file was loaded into the image.
    for (int page = 0; page < kTransferPageCount; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            rig.model.image().Set(page, slot, (page * 7 + slot * 13) % 400);
        }
    }
    rig.model.image().Set(kAddrUploadTail, 1);
    const int refreshes = rig.view.refreshes;
    rig.engine.StartUpload();
    EXPECT_EQ(rig.view.status, kStatusDownload);
    EXPECT_FALSE(rig.engine.linkOnline());
    EXPECT_FALSE(rig.engine.holdRunning());
    EXPECT_TRUE(rig.engine.transferRunning());
    EXPECT_EQ(rig.engine.transferTotal(), kUploadTotal);
    const int64_t started = rig.now;

    ASSERT_TRUE(StepUntilOnline());
    EXPECT_GE(rig.now - started, 30 * kTransferPeriodMs);
    for (int page = 0; page < kTransferPageCount; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            ASSERT_EQ(processor.memory().Get(page, slot), rig.model.image().Get(page, slot))
                << "page " << page << " slot " << slot;
        }
    }
    EXPECT_EQ(processor.memory().Get(kAddrUploadTail), 1);
    EXPECT_EQ(rig.clock.pauses, std::vector<int>{2});  // between the two chunks of page 0
    EXPECT_EQ(rig.view.refreshes, refreshes + 1);
    // Online shows once the pages asked for again match what was sent.
    EXPECT_EQ(rig.view.status, kStatusChecking);
    ASSERT_TRUE(rig.StepUntil([this] { return rig.view.status == kStatusOnline; }, 10000));
    EXPECT_TRUE(rig.engine.readBackStatus().allMatch());
    EXPECT_TRUE(rig.view.messages.empty());
}

TEST_F(PageTransferTest, AnUploadOnlyStartsWhileOnline) {
    rig.engine.StartUpload();
    EXPECT_TRUE(port.writes().empty());
    EXPECT_FALSE(rig.engine.transferRunning());
    EXPECT_TRUE(rig.view.statuses.empty());
}

TEST_F(PageTransferTest, AnUnansweredUploadFailsAfterItsRepeats) {
    StartLink();
    ASSERT_TRUE(StepUntilOnline());
    Silence(processor.framesReceived());
    rig.engine.StartUpload();
    const size_t firstFrames = port.writes().size();
    rig.StepUntil([this] { return !rig.view.messages.empty(); }, 20000);
    EXPECT_EQ(rig.view.messages, std::vector<BilingualText>{kMessageUploadFailed});
    // Page 0 (two frames) went out seven times: at the start, 1.1 s and 3.2 s later, then
    // every two seconds until the time-out.
    EXPECT_EQ(port.writes().size(), firstFrames + 6 * 2);
}

}  // namespace
}  // namespace zt::test
