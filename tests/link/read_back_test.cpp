// Read-back while online, stepped tick by tick against the simulated processor: a write lost on
// the line is found and sent again once the line is quiet, a write made while its page's answer
// is on its way is never judged by that answer, a value that never sticks is named, and the
// keep-alives, the writes and the end of a silent link keep the timing they have without it.

#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

#include "link/read_back_texts.h"
#include "sim_engine_rig.h"

namespace zt::test {
namespace {

constexpr ParamAddress kMicGain = MakeAddress(2, 17);  // MIC A band 1 gain (logical = device)

// Loses the first `count` writes to the address (every one for a negative count).
std::function<bool(const Bytes&)> LoseWritesTo(ParamAddress address, int count) {
    auto left = std::make_shared<int>(count);
    return [address, left](const Bytes& frame) {
        if (!IsWriteTo(frame, address) || *left == 0) return false;
        if (*left > 0) --*left;
        return true;
    };
}

class ReadBackTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(r.WaitOnline(20000)); }

    size_t PageRequestsSince(size_t from) const {
        size_t n = 0;
        for (size_t i = from; i < r.line.written.size(); ++i) n += IsPageRequest(r.line.written[i]);
        return n;
    }
    bool AllMatch() const { return r.rig.engine.readBackStatus().allMatch(); }

    SimEngineRig r;
};

TEST_F(ReadBackTest, ALostWriteIsFoundAndSentAgainWithinThreeSecondsOfQuiet) {
    r.line.lose = LoseWritesTo(kMicGain, 1);
    r.rig.engine.WriteParameter(MakeAddress(2, 15), 2);
    r.rig.engine.WriteParameter(kMicGain, 150);
    r.rig.engine.WriteParameter(MakeAddress(2, 22), 140);
    const int64_t quiet = r.rig.now;
    const size_t written = r.line.written.size();
    EXPECT_NE(r.sim.memory().Get(kMicGain), 150);

    ASSERT_TRUE(r.rig.StepUntil([&] { return r.sim.memory().Get(kMicGain) == 150; }, 3000));
    EXPECT_GE(r.rig.now - quiet, 1000);  // not before the line was quiet for a second
    // Asked with the download's own page request.
    EXPECT_NE(std::find(r.line.written.begin() + written, r.line.written.end(),
                        BuildCommandFrame(kCommandRead, kAddrPageRequest, 2)),
              r.line.written.end());
    ASSERT_TRUE(r.rig.StepUntil([&] { return AllMatch(); }, 3000));
    EXPECT_TRUE(r.Differences().empty());
    // The window saw the check and its end.
    const auto& seen = r.rig.view.readBacks;
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](auto& s) { return s.checking; }));
    EXPECT_TRUE(seen.back().allMatch());
    EXPECT_TRUE(r.rig.view.unconfirmedReports.empty());
    // Confirmed pages are not asked for again.
    const size_t after = r.line.written.size();
    r.rig.Step(5000);
    EXPECT_EQ(PageRequestsSince(after), 0u);
}

// The user writes while the page's answer is on its way: the answer shows the page from before
// those writes and must judge nothing. Here it would even agree with the image, while the
// processor holds another value: the user's last write was lost after one that arrived.
TEST_F(ReadBackTest, AWriteWhileItsPagesAnswerIsOnItsWayIsNeverJudgedByIt) {
    r.rig.engine.WriteParameter(kMicGain, 150);
    ASSERT_TRUE(r.rig.StepUntil([&] { return AllMatch(); }, 5000));
    r.SetFaults([](SimFaults& f) { f.delayMs = 150; });
    r.rig.engine.WriteParameter(MakeAddress(2, 22), 5);  // another slot of the page
    const size_t before = r.line.written.size();
    ASSERT_TRUE(r.rig.StepUntil([&] { return PageRequestsSince(before) == 1; }, 3000));
    r.rig.Step(20);
    // While the answer (gain 150) is on its way: 90 arrives, then 150 again is lost.
    r.rig.engine.WriteParameter(kMicGain, 90);
    r.line.lose = LoseWritesTo(kMicGain, 1);
    r.rig.Step(kHoldPeriodMs);
    r.rig.engine.WriteParameter(kMicGain, 150);
    r.rig.Step(kHoldPeriodMs);
    ASSERT_EQ(r.sim.memory().Get(kMicGain), 90);

    ASSERT_TRUE(r.rig.StepUntil([&] { return AllMatch(); }, 8000));
    EXPECT_EQ(r.rig.model.image().Get(kMicGain), 150);
    EXPECT_EQ(r.sim.memory().Get(kMicGain), 150);
    // The stale answer was not counted as a round: the page was asked for again.
    EXPECT_GE(PageRequestsSince(before), 2u);
    EXPECT_TRUE(r.rig.view.unconfirmedReports.empty());
}

TEST_F(ReadBackTest, AValueThatNeverSticksIsNamedAfterThreeRoundsAndUntilItIsConfirmed) {
    r.line.lose = LoseWritesTo(kMicGain, -1);
    r.rig.engine.WriteParameter(kMicGain, 150);
    ASSERT_TRUE(r.rig.StepUntil([&] { return !r.rig.view.unconfirmedReports.empty(); }, 10000));
    EXPECT_EQ(r.rig.view.unconfirmedReports, std::vector<std::vector<ParamAddress>>{{kMicGain}});
    EXPECT_EQ(r.rig.engine.readBackStatus().unconfirmed, std::vector<ParamAddress>{kMicGain});
    EXPECT_FALSE(AllMatch());
    // Reported once, not every round.
    r.rig.Step(5000);
    EXPECT_EQ(r.rig.view.unconfirmedReports.size(), 1u);

    r.line.lose = nullptr;  // the line mends
    ASSERT_TRUE(r.rig.StepUntil([&] { return AllMatch(); }, 15000));
    EXPECT_EQ(r.sim.memory().Get(kMicGain), 150);
    EXPECT_TRUE(r.rig.engine.readBackStatus().unconfirmed.empty());
}

// One frame lost at its send and at both its repeats while the user types on: the processor
// answers the writes typed meanwhile, so the line is not silent and the link stays; a lost write
// is mended by the read-back. (A processor that answers nothing ends the link as before; the
// pacing tests pin when.)
TEST(ReadBackLossTest, AFrameLostThreeTimesWhileTheUserTypesCostsNeitherTheLinkNorTheValue) {
    struct Case {
        const char* name;
        bool keepAliveLost;  // else the write of the MIC gain, sent by the hold timer
    };
    for (const Case& c : {Case{"keep-alive", true}, Case{"paced write", false}}) {
        SCOPED_TRACE(c.name);
        SimEngineRig r;
        ASSERT_TRUE(r.WaitOnline(20000));
        // The next keep-alive is lost three times; or once, so that the gain queues behind it
        // and then leaves as the frame in flight, lost three times in its turn (before the fix
        // at its send and both repeats, now at its send, its first repeat and one resend).
        auto keepAlivesToLose = std::make_shared<int>(c.keepAliveLost ? 3 : 1);
        auto loseGain = LoseWritesTo(kMicGain, c.keepAliveLost ? 0 : 3);
        r.line.lose = [&, keepAlivesToLose](const Bytes& frame) {
            if (!IsKeepAlive(frame) || *keepAlivesToLose == 0) return loseGain(frame);
            --*keepAlivesToLose;
            return true;
        };
        const size_t before = r.line.written.size();
        ASSERT_TRUE(r.rig.StepUntil([&] { return r.line.written.size() > before; }, 1100));
        r.rig.Step(100);
        r.rig.engine.WriteParameter(kMicGain, 150);
        for (int edit = 0; edit < 30; ++edit) {
            r.rig.engine.WriteParameter(MakeAddress(6, 22 + 5 * (edit % 10)), 100 + edit);
            r.rig.Step(300);
        }
        EXPECT_TRUE(r.rig.engine.linkOnline());
        EXPECT_TRUE(r.rig.view.messages.empty());
        const auto gainWrites =
            std::count_if(r.line.written.begin() + before, r.line.written.end(),
                          [](const Bytes& f) { return IsWriteTo(f, kMicGain); });
        EXPECT_GE(gainWrites, c.keepAliveLost ? 1 : 2);  // the frame in flight, repeated
        r.rig.Step(5000);
        EXPECT_TRUE(r.Differences().empty());
        EXPECT_EQ(r.sim.memory().Get(kMicGain), 150);
    }
}

// Whoever waits for the values written so far (an EQ import's report) learns when they are
// confirmed, or which are not: named after three rounds, or open when the link ended.
TEST(ReadBackWaitTest, AWaitEndsOnceTheValuesWrittenAreConfirmedOrNamed) {
    enum class Line { LosesOnce, LosesAlways, FallsSilent, ReadBackOff };
    struct Case {
        const char* name;
        Line line;
        bool checked;
        std::vector<ParamAddress> notConfirmed;
    };
    for (const Case& c :
         {Case{"lost once", Line::LosesOnce, true, {}},
          Case{"never sticks", Line::LosesAlways, true, {kMicGain}},
          Case{"link ends", Line::FallsSilent, true, {MakeAddress(2, 15), kMicGain}},
          Case{"read-back off", Line::ReadBackOff, false, {}}}) {
        SCOPED_TRACE(c.name);
        SimEngineRig r;
        ASSERT_TRUE(r.WaitOnline(20000));
        r.rig.engine.SetReadBackEnabled(c.line != Line::ReadBackOff);
        r.line.lose = LoseWritesTo(kMicGain, c.line == Line::LosesOnce ? 1 : -1);
        if (c.line == Line::FallsSilent) r.line.lose = [](const Bytes&) { return true; };
        r.rig.engine.WriteParameter(MakeAddress(2, 15), 2);
        r.rig.engine.WriteParameter(kMicGain, 150);
        std::vector<WriteConfirmation> told;
        r.rig.engine.WhenWritesConfirmed(
            [&](const WriteConfirmation& confirmation) { told.push_back(confirmation); });
        if (c.line == Line::ReadBackOff) {
            ASSERT_EQ(told.size(), 1u) << "nothing to wait for";
        } else {
            EXPECT_TRUE(told.empty());
            ASSERT_TRUE(r.rig.StepUntil([&] { return !told.empty(); }, 30000));
        }
        EXPECT_EQ(told[0].checked, c.checked);
        EXPECT_EQ(told[0].notConfirmed, c.notConfirmed);
        if (c.line == Line::LosesOnce) {
            EXPECT_EQ(r.sim.memory().Get(kMicGain), 150) << "told before the value was there";
        }
        r.rig.Step(5000);
        EXPECT_EQ(told.size(), 1u) << "told once";
    }
}

TEST_F(ReadBackTest, AnUploadShowsOnlineOnlyOnceTheProcessorShowsThePages) {
    for (int slot = 0; slot < PageSlotCount(4); ++slot) r.rig.model.image().Set(4, slot, slot);
    r.rig.engine.StartUpload();
    ASSERT_TRUE(r.WaitOnline(20000));
    EXPECT_EQ(r.rig.view.status, kStatusChecking);
    // The processor lost one value of what it acknowledged.
    r.sim.memory().Set(4, 20, 999);
    ASSERT_TRUE(r.rig.StepUntil([&] { return r.rig.view.status == kStatusOnline; }, 10000));
    EXPECT_TRUE(r.Differences().empty());
    EXPECT_TRUE(AllMatch());
}

TEST_F(ReadBackTest, ASaveWaitsUntilThePagesMatch) {
    r.line.lose = LoseWritesTo(kMicGain, 1);
    r.rig.engine.WriteParameter(kMicGain, 150);
    r.rig.engine.SaveMode(std::string("\x05\x00Mended", 8));
    EXPECT_EQ(r.rig.view.status, kStatusSaving);
    ASSERT_TRUE(r.rig.StepUntil([&] { return !r.rig.view.messages.empty(); }, 10000));
    EXPECT_EQ(r.rig.view.messages[0], kMessageModeSaved);
    EXPECT_EQ(r.sim.modeName(5), "Mended");
    EXPECT_EQ(r.sim.modeMemory(5).Get(kMicGain), 150);
}

TEST_F(ReadBackTest, SwitchedOffNothingIsAskedFor) {
    r.rig.engine.SetReadBackEnabled(false);
    EXPECT_FALSE(r.rig.engine.readBackStatus().enabled);
    r.line.lose = LoseWritesTo(kMicGain, 1);
    r.rig.engine.WriteParameter(kMicGain, 150);
    const size_t before = r.line.written.size();
    r.rig.Step(5000);
    EXPECT_EQ(PageRequestsSince(before), 0u);
    EXPECT_NE(r.sim.memory().Get(kMicGain), 150);
}

// The same session with and without read-back: one write lost among five, then quiet. The
// keep-alives and the user's writes leave at the same ticks (within one), and when the
// processor then falls silent the link ends at the same time.
TEST(ReadBackTimingTest, KeepAlivesWritesAndTheEndOfALinkKeepTheirTiming) {
    struct Run {
        std::vector<int64_t> keepAlives;   // from the first edit on, until the processor is silent
        std::vector<int64_t> writeDelays;  // from each WriteParameter to its frame
        int64_t lostAfter = 0;
        size_t pageRequests = 0;
        int mended = 0;
    };
    auto run = [](bool readBack) {
        SimEngineRig r({}, readBack);
        Run out;
        EXPECT_TRUE(r.WaitOnline(20000));
        // The last value of the MIC gain is lost, once.
        const Bytes lastGain = BuildCommandFrame(kCommandWrite, kMicGain, 102);
        bool lost = false;
        r.line.lose = [&](const Bytes& frame) {
            if (lost || frame != lastGain) return false;
            lost = true;
            return true;
        };
        const int64_t start = r.rig.now;
        r.rig.Step(7);  // off the hold ticks
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i < 5; ++i) {
                const ParamAddress address = MakeAddress(2, 17 + 5 * i);
                const int64_t at = r.rig.now;
                r.rig.engine.WriteParameter(address, 100 + i + round);
                const Bytes frame = BuildCommandFrame(kCommandWrite, address, 100 + i + round);
                EXPECT_TRUE(r.rig.StepUntil([&] { return r.line.written.back() == frame; }, 500));
                out.writeDelays.push_back(r.rig.now - at);
                r.rig.Step(300);
            }
            r.rig.Step(1500);  // long enough for a read-back round to run
        }
        r.rig.Step(3000);
        out.mended = r.sim.memory().Get(kMicGain);
        r.SetFaults([&](SimFaults& f) { f.silentAfter = r.sim.framesReceived(); });
        const int64_t silent = r.rig.now;
        EXPECT_TRUE(r.rig.StepUntil([&] { return !r.rig.view.messages.empty(); }, 10000));
        out.lostAfter = r.rig.now - silent;
        for (size_t i = 0; i < r.line.written.size(); ++i) {
            const int64_t at = r.line.writtenAt[i];
            if (IsKeepAlive(r.line.written[i]) && at >= start && at < silent) {
                out.keepAlives.push_back(at);
            }
            out.pageRequests += IsPageRequest(r.line.written[i]);
        }
        return out;
    };
    const Run with = run(true);
    const Run without = run(false);
    EXPECT_EQ(with.mended, 102);
    EXPECT_NE(without.mended, 102);
    EXPECT_GT(with.pageRequests, without.pageRequests);
    ASSERT_EQ(with.keepAlives.size(), without.keepAlives.size());
    for (size_t i = 0; i < with.keepAlives.size(); ++i) {
        EXPECT_NEAR(static_cast<double>(with.keepAlives[i]),
                    static_cast<double>(without.keepAlives[i]), kHoldPeriodMs)
            << "keep-alive " << i;
    }
    for (size_t i = 0; i < with.writeDelays.size(); ++i) {
        EXPECT_LE(with.writeDelays[i], without.writeDelays[i] + kHoldPeriodMs) << "write " << i;
    }
    EXPECT_NEAR(static_cast<double>(with.lostAfter), static_cast<double>(without.lostAfter),
                kHoldPeriodMs);
}

TEST(ReadBackTextsTest, DeviceAddressesAreNamedAsTheUserKnowsThem) {
    struct Case {
        ParamAddress device;
        const char* english;
    };
    const Case cases[] = {
        {MakeAddress(3, 114), "MIC B band 20 shelf Q (0x0372)"},
        {MakeAddress(0, 5), "Music high-pass frequency (0x0005)"},
        {MakeAddress(0, 86), "Music band 1 (2) frequency (0x0056)"},
        {MakeAddress(10, 19), "Main right disco low-pass frequency (0x0A13)"},
        {MakeAddress(1, 13), "Dynamic EQ band 2 frequency (0x010D)"},
        {MakeAddress(28, 3), "Settings slot 3 (0x1C03)"},
        {MakeAddress(26, 1), "Hidden MIC A band 1 type (0x1A01)"},
    };
    for (const Case& c : cases) EXPECT_EQ(DeviceParamName(c.device).english, c.english);
    EXPECT_EQ(DeviceParamName(MakeAddress(3, 114)).chinese, "话筒B 第20段搁架Q (0x0372)");

    const BilingualText message = UnconfirmedMessage({MakeAddress(2, 17), MakeAddress(4, 22)});
    EXPECT_NE(message.english.find("MIC A band 1 gain (0x0211)"), std::string::npos);
    EXPECT_NE(message.english.find("Echo A band 2 Q (0x0416)"), std::string::npos);

    EXPECT_EQ(ReadBackStateText({true, true, {}}), kReadBackChecking);
    EXPECT_EQ(ReadBackStateText({true, false, {}}), kReadBackAllMatch);
    EXPECT_EQ(ReadBackStateText({true, false, {1, 2}}).english, "2 not confirmed");
    EXPECT_EQ(ReadBackStateText({false, false, {}}), kReadBackOff);
}

}  // namespace
}  // namespace zt::test
