// Losses that the link used to keep to itself, each stepped tick by tick against the simulated
// processor with the fault placed exactly: writes held back while the user types, a save or an
// upload step completed by someone else's acknowledgement, a download step completed by a part
// of its answer, a failed download taken half, and the last slot of the pages never carried.
// Read-back is off here unless a test says otherwise: these are the link's own guarantees.

#include <gtest/gtest.h>

#include "sim_engine_rig.h"

namespace zt::test {
namespace {

constexpr bool kNoReadBack = false;

// Typing goes on while the acknowledgement of the first keep-alive is lost: the writes must
// still leave (the silence that counts is the processor's, not the user's), and the link must
// neither stall nor end.
TEST(SilentLossesTest, TypingThroughALostKeepAliveAcknowledgementReachesTheProcessor) {
    SimFaults faults;
    faults.dropKeepAliveAcks = 1;
    SimEngineRig r(faults, kNoReadBack);
    ASSERT_TRUE(r.WaitOnline(20000));
    const size_t before = r.line.written.size();
    ASSERT_TRUE(r.rig.StepUntil([&] { return r.line.written.size() > before; }, 1100));
    ASSERT_TRUE(IsKeepAlive(r.line.written.back()));

    const int received = r.sim.framesReceived();
    // Band gains of the MIC page, one edit every 0.3 s for 30 s.
    for (int edit = 0; edit < 100; ++edit) {
        r.rig.engine.WriteParameter(MakeAddress(2, 17 + 5 * (edit % 20)), 100 + edit);
        r.rig.Step(300);
        if (edit == 20) {
            // Six seconds in, the processor has long had the first writes.
            EXPECT_GT(r.sim.framesReceived() - received, 10);
        }
    }
    EXPECT_TRUE(r.rig.engine.linkOnline());
    r.rig.Step(1000);
    EXPECT_TRUE(r.Differences().empty());
    EXPECT_TRUE(r.rig.view.messages.empty());
}

// The processor stops answering while the user types and every write leaves at once: the link
// still finds out, as it does when nobody types.
TEST(SilentLossesTest, TypingDoesNotHideAProcessorThatStoppedAnswering) {
    SimEngineRig r({}, kNoReadBack);
    ASSERT_TRUE(r.WaitOnline(20000));
    r.SetFaults([&](SimFaults& f) { f.silentAfter = r.sim.framesReceived(); });
    const int64_t silent = r.rig.now;
    for (int edit = 0; edit < 60 && r.rig.view.messages.empty(); ++edit) {
        r.rig.engine.WriteParameter(MakeAddress(0, 12), edit);
        r.rig.Step(300);
    }
    ASSERT_EQ(r.rig.view.messages, std::vector<BilingualText>{kMessageLinkLost});
    EXPECT_LE(r.rig.now - silent, 7000);
}

// A save clicked right after a keep-alive, on a slow line, with the save frame itself lost (or
// the port pulled): the keep-alive's late acknowledgement must not report the save.
TEST(SilentLossesTest, ASaveIsReportedOnlyOnItsOwnAcknowledgement) {
    for (bool portPulled : {false, true}) {
        SCOPED_TRACE(portPulled ? "port pulled" : "save frame lost once");
        SimFaults faults;
        faults.delayMs = 400;
        SimEngineRig r(faults, kNoReadBack);
        ASSERT_TRUE(r.WaitOnline(40000));
        const size_t before = r.line.written.size();
        ASSERT_TRUE(r.rig.StepUntil([&] { return r.line.written.size() > before; }, 1100));
        ASSERT_TRUE(IsKeepAlive(r.line.written.back()));
        r.rig.Step(100);

        bool lostOnce = false;
        r.line.lose = [&](const Bytes& frame) {
            if (portPulled) return true;
            if (lostOnce || !IsWriteTo(frame, kAddrSaveMode)) return false;
            lostOnce = true;
            return true;
        };
        r.rig.engine.SaveMode(std::string("\x04\x00Stage", 7));
        if (portPulled) {
            r.rig.Step(600);  // the keep-alive's acknowledgement arrives, then the port is gone
            r.port.Close();
            r.rig.engine.OnPortLost();
            EXPECT_EQ(r.rig.view.messages, std::vector<BilingualText>{kMessageLinkLost});
            continue;
        }
        ASSERT_TRUE(r.rig.StepUntil([&] { return !r.rig.view.messages.empty(); }, 10000));
        EXPECT_EQ(r.rig.view.messages[0], kMessageModeSaved);
        EXPECT_EQ(r.sim.modeName(4), "Stage");
        EXPECT_GT(r.rig.now, 1500);  // the repeat was needed
    }
}

// A load-mode write completes on its own acknowledgement, not on a late one of a keep-alive.
TEST(SilentLossesTest, AModeLoadReloadsOnlyOnItsOwnAcknowledgement) {
    SimFaults faults;
    faults.delayMs = 400;
    SimEngineRig r(faults, kNoReadBack);
    ASSERT_TRUE(r.WaitOnline(40000));
    const size_t before = r.line.written.size();
    ASSERT_TRUE(r.rig.StepUntil([&] { return r.line.written.size() > before; }, 1100));
    ASSERT_TRUE(r.rig.StepUntil([&] { return r.rig.engine.ready(); }, 1000));
    bool lostOnce = false;
    r.line.lose = [&](const Bytes& frame) {
        if (lostOnce || !IsWriteTo(frame, kAddrLoadMode)) return false;
        lostOnce = true;
        return true;
    };
    // An edit goes out at once and the load right behind it; the edit's acknowledgement comes
    // 0.4 s later, while the load was lost on the way.
    r.rig.engine.WriteParameter(0x000A, 1);
    r.rig.engine.WriteParameter(kAddrLoadMode, 17);
    ASSERT_EQ(r.rig.engine.pendingAction(), kPendingReload);
    r.rig.Step(1000);
    // The load never arrived: no reload may have started on another frame's answer.
    EXPECT_FALSE(r.rig.engine.transferRunning());
    ASSERT_TRUE(r.rig.StepUntil([&] { return r.rig.engine.transferRunning(); }, 5000));
    EXPECT_EQ(r.sim.currentMode(), 17);
}

// Uploads with one frame lost: page 0's first chunk, page 29 and the value sent after it. The
// upload may only move on at the acknowledgement of each step's own last frame, so it ends with
// the processor holding the whole image.
TEST(SilentLossesTest, AnUploadMovesOnOnlyAtItsStepsOwnAcknowledgement) {
    struct Case {
        const char* name;
        std::function<bool(const Bytes&)> isTarget;
    };
    const Case cases[] = {
        {"first chunk of page 0",
         [](const Bytes& f) { return IsWriteTo(f, kAddrPageUpload) && f[6] == 0 && f[7] == 0; }},
        {"page 29", [](const Bytes& f) { return IsWriteTo(f, kAddrPageUpload) && f[6] == 29; }},
        {"the value after page 29", [](const Bytes& f) { return IsWriteTo(f, kAddrUploadTail); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimEngineRig r({}, kNoReadBack);
        ASSERT_TRUE(r.WaitOnline(20000));
        for (int page = 0; page < kTransferPageCount; ++page) {
            for (int slot = 0; slot < PageSlotCount(page); ++slot) {
                r.rig.model.image().Set(page, slot, (page * 7 + slot * 13) % 400 + 1);
            }
        }
        r.rig.model.image().Set(kAddrUploadTail, 2);
        bool lostOnce = false;
        r.line.lose = [&](const Bytes& frame) {
            if (lostOnce || !c.isTarget(frame)) return false;
            lostOnce = true;
            return true;
        };
        r.rig.engine.StartUpload();
        ASSERT_TRUE(r.WaitOnline(30000));
        EXPECT_TRUE(lostOnce);
        EXPECT_TRUE(r.Differences().empty());
        EXPECT_EQ(r.sim.memory().Get(kAddrUploadTail), 2);
        EXPECT_TRUE(r.rig.view.messages.empty());
    }
}

// An upload that fails says what happened and what to do, and names what is not on the
// processor.
TEST(SilentLossesTest, AFailedUploadSaysWhatToDoAndMarksWhatIsMissing) {
    SimEngineRig r({}, kNoReadBack);
    ASSERT_TRUE(r.WaitOnline(20000));
    r.line.lose = [](const Bytes& f) { return IsWriteTo(f, kAddrPageUpload) && f[6] == 12; };
    r.rig.engine.StartUpload();
    ASSERT_TRUE(r.rig.StepUntil([&] { return !r.rig.view.messages.empty(); }, 30000));
    EXPECT_EQ(r.rig.view.messages, std::vector<BilingualText>{kMessageUploadFailed});
    EXPECT_EQ(r.rig.view.status, kStatusOffLine);
    ASSERT_FALSE(r.rig.view.notOnProcessor.empty());
    EXPECT_EQ(r.rig.view.notOnProcessor.front(), MakeAddress(12, 0));
    EXPECT_EQ(r.rig.view.notOnProcessor.back(), kAddrUploadTail);
}

// Cuts the first reply frame of page 0 (slots 0..111) out of what arrives, once.
void CutFirstChunkOfPage0Once(SimEngineRig& r, bool& cut) {
    r.cut = [&cut](Bytes& bytes) {
        const Bytes header{
            kFrameStart, kFrameSecondStart, 4 + 2 * kFirstChunkSlots, kCommandWrite, 0x00, 0x00};
        const auto at = std::search(bytes.begin(), bytes.end(), header.begin(), header.end());
        const size_t size = kFrameOverhead + 2 * kFirstChunkSlots;
        if (cut || at == bytes.end() || static_cast<size_t>(bytes.end() - at) < size) return;
        bytes.erase(at, at + static_cast<std::ptrdiff_t>(size));
        cut = true;
    };
}

// A download step is answered only by the whole of what it asked for: page 0's second frame
// alone is no answer.
TEST(SilentLossesTest, ADownloadWaitsForTheWholeOfEachPage) {
    SimEngineRig r({}, kNoReadBack);
    for (int slot = 0; slot < kFirstChunkSlots; ++slot) r.sim.memory().Set(0, slot, 70 + slot);
    bool cut = false;
    CutFirstChunkOfPage0Once(r, cut);
    ASSERT_TRUE(r.WaitOnline(30000));
    EXPECT_TRUE(cut);
    r.ExpectImageMatches();
}

// A download that fails leaves the image, the names and the passwords as they were; one that
// completes takes them all.
TEST(SilentLossesTest, AFailedDownloadLeavesTheImageAsItWas) {
    SimEngineRig r({}, kNoReadBack);
    ASSERT_TRUE(r.WaitOnline(20000));
    r.rig.engine.WriteParameter(MakeAddress(2, 20), 33);
    r.rig.Step(500);
    // Mode 3 differs everywhere; the processor stops answering ten pages into the reload.
    r.sim.SetModeName(2, "Other");
    r.rig.engine.WriteParameter(kAddrLoadMode, 3);
    const DeviceImage before = r.rig.model.image();
    const DeviceInfo infoBefore = r.rig.engine.deviceInfo();
    r.SetFaults([&](SimFaults& f) { f.silentAfter = r.sim.framesReceived() + 11; });
    ASSERT_TRUE(r.rig.StepUntil([&] { return !r.rig.view.messages.empty(); }, 40000));
    EXPECT_EQ(r.rig.view.messages, std::vector<BilingualText>{kMessageLinkFailed});
    EXPECT_EQ(r.rig.model.image(), before);
    EXPECT_EQ(r.rig.engine.deviceInfo().modeNames, infoBefore.modeNames);
}

// The last slot of the pages saved in preset files (the last EQ band's shelf Q, the copy of the
// dynamic EQ's last slot) travels both ways.
TEST(SilentLossesTest, TheLastSlotOfEveryPageTravelsBothWays) {
    SimEngineRig r({}, kNoReadBack);
    const ParamAddress lastSlots[] = {
        MakeAddress(0, 164), MakeAddress(1, 60),  MakeAddress(2, 114),
        MakeAddress(3, 114), MakeAddress(4, 48),  MakeAddress(5, 45),
        MakeAddress(6, 70),  MakeAddress(23, 70), MakeAddress(24, 48)};
    for (ParamAddress a : lastSlots) r.sim.memory().Set(a, 10);
    ASSERT_TRUE(r.WaitOnline(20000));
    for (ParamAddress a : lastSlots) EXPECT_EQ(r.rig.model.image().Get(a), 10) << a;

    for (ParamAddress a : lastSlots) r.rig.model.image().Set(a, 7);
    r.rig.engine.StartUpload();
    ASSERT_TRUE(r.WaitOnline(20000));
    for (ParamAddress a : lastSlots) EXPECT_EQ(r.sim.memory().Get(a), 7) << a;
}

}  // namespace
}  // namespace zt::test
