// The link end to end on a real pseudo-terminal: TForm3 with ComPort and its QTimers, the link
// engine, and the zt461-sim program, in real time with generous margins.

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

#include "link/frame_codec.h"
#include "link/protocol.h"
#include "params/page_table.h"
#include "tests/link_qt/cpu_time.h"
#include "tests/link_qt/editor_rig.h"
#include "tests/support/sim_run.h"

namespace zt {
namespace {

using test::EditorRig;
using test::SimRun;

// Frames of a complete download: connect, 30 page requests, the mode names (every one but the
// first asked twice), the first system item twice, seven more system items.
constexpr int kDownloadFrames = 1 + 30 + (1 + 21 * 2) + 2 + 7;

// Every slot a download carries holds what the processor holds.
void ExpectImageMatches(const DeviceImage& image, const PageMemory& memory, int pages = 30) {
    int mismatches = 0;
    for (int page = 0; page < pages; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            if (image.Get(page, slot) != memory.Get(page, slot) && ++mismatches <= 5) {
                ADD_FAILURE() << "slot " << page << "/" << slot << ": " << image.Get(page, slot)
                              << " instead of " << memory.Get(page, slot);
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

void ExpectSystemItemsMatch(const DeviceImage& image, const PageMemory& memory) {
    for (ParamAddress item : {kAddrSaveMode, kAddrLoadMode, kAddrSystemItem3, kAddrPanelKeyLock,
                              kAddrManagerFlag, kAddrUploadTail}) {
        EXPECT_EQ(image.Get(item), memory.Get(item)) << std::hex << item;
    }
}

// Nothing beyond the slots a transfer carries was written.
void ExpectNothingBeyondTheTransferredSlots(const DeviceImage& image) {
    for (int page = 0; page < 30; ++page) {
        for (int slot = PageSlotCount(page); slot < kSlotCount; ++slot) {
            ASSERT_EQ(image.Get(page, slot), 0) << page << "/" << slot;
        }
    }
}

struct LinkFixture {
    explicit LinkFixture(QStringList flags) : sim(std::move(flags)) {}
    // Starts the program and the search; true once the simulator is in the port list.
    bool StartSearch() {
        if (!sim.Start()) return false;
        editor.form.SetPorts(sim.Ports());
        if (editor.form.ports().empty() || editor.form.ports().back().name != "ZT461-SIM") {
            return false;
        }
        editor.engine().OnLinkButton(LinkButton::LinkBtn);
        return true;
    }
    SimRun sim;
    EditorRig editor;
};

TEST(SimLinkTest, DownloadWriteModeLoadAndUpload) {
    LinkFixture f({});
    ASSERT_TRUE(f.StartSearch());
    ASSERT_TRUE(f.editor.WaitOnline(20000)) << f.editor.view.status.english;
    EXPECT_EQ(f.editor.view.searchPort, "ZT461-SIM");
    EXPECT_EQ(f.editor.view.refreshes, 1);

    SimState state;
    ASSERT_TRUE(f.sim.Dump(state));
    EXPECT_EQ(state.framesReceived, kDownloadFrames);
    const DeviceImage& image = f.editor.model.image();
    ExpectImageMatches(image, state.memory);
    ExpectSystemItemsMatch(image, state.memory);
    ExpectNothingBeyondTheTransferredSlots(image);
    const DeviceInfo& info = f.editor.engine().deviceInfo();
    for (int mode = 0; mode < kDeviceModeCount; ++mode) {
        EXPECT_EQ(info.modeNames[mode], state.modeNames[mode]) << mode;
    }
    EXPECT_EQ(info.systemPassword, state.systemPassword);
    EXPECT_EQ(info.panelLockPassword, state.panelPassword);
    EXPECT_EQ(info.systemPassword.size(), 6u);
    EXPECT_EQ(info.panelLockPassword.size(), 4u);
    // Scripts learn from the simulator's output that the editor is online: at its first
    // keep-alive after the download.
    QString output;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return (output += f.sim.output()).contains(QStringLiteral("editor online")); },
        20000));
    EXPECT_EQ(f.sim.status(), QStringLiteral("online"));

    // A parameter write and a new system password reach the processor.
    f.editor.engine().WriteParameter(0x0005, 204);
    f.editor.engine().WriteString(kAddrSystemPassword, "654321");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return f.sim.Dump(state) && state.memory.Get(0x0005) == 204 &&
                   state.systemPassword == "654321";
        },
        20000));
    EXPECT_EQ(state.memory.Get(0x0005), 204);
    EXPECT_EQ(state.systemPassword, "654321");

    // Loading factory mode MF3 reloads everything from the processor.
    f.editor.engine().WriteParameter(kAddrLoadMode, 18);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.editor.engine().linkOnline(); }, 20000));
    ASSERT_TRUE(f.editor.WaitOnline(20000)) << f.editor.view.status.english;
    EXPECT_EQ(f.editor.view.refreshes, 2);
    ASSERT_TRUE(f.sim.Dump(state));
    EXPECT_EQ(state.memory.Get(kAddrLoadMode), 18);
    EXPECT_EQ(image.Get(kAddrLoadMode), 18);
    ExpectImageMatches(image, state.memory);

    // An upload replaces the processor's pages by the image.
    DeviceImage& edited = f.editor.model.image();
    edited.Set(6, 0, 150);
    edited.Set(2, 20, 33);
    edited.Set(0, 163, 1);
    edited.Set(29, 1, 70);
    f.editor.engine().StartUpload();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.editor.engine().linkOnline(); }, 20000));
    ASSERT_TRUE(f.editor.WaitOnline(15000)) << f.editor.view.status.english;
    ASSERT_TRUE(f.sim.Dump(state));
    ExpectImageMatches(image, state.memory);
    EXPECT_EQ(state.memory.Get(6, 0), 150);
    EXPECT_EQ(state.memory.Get(0, 163), 1);
    EXPECT_TRUE(f.editor.view.messages.empty());
}

TEST(SimLinkTest, AnIdleLinkWakesForItsKeepAlivesOnly) {
    LinkFixture f({});
    ASSERT_TRUE(f.StartSearch());
    ASSERT_TRUE(f.editor.WaitOnline(20000)) << f.editor.view.status.english;
    LinkEngine& engine = f.editor.engine();
    const Bytes keepAlive = BuildCommandFrame(kCommandWrite, kAddrLinkControl, kLinkKeepAlive);
    int timeouts = 0;
    int keepAlives = 0;
    // Runs after the link's own handler of the same tick.
    QObject::connect(&f.editor.form.holdTimer(), &QTimer::timeout, [&] {
        ++timeouts;
        if (!engine.ready() && engine.inFlightFrame() == keepAlive) ++keepAlives;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return keepAlives >= 4; }, 20000));
    EXPECT_TRUE(engine.linkOnline());
    // A ticking timer fires 50 times a second; a sleeping one for the keep-alive and at most
    // once more after its acknowledgement.
    EXPECT_LE(timeouts, 2 * keepAlives + 2);

    // A write during the sleep goes out at once, and the link sleeps again after it.
    f.editor.engine().WriteParameter(0x0005, 77);
    SimState state;
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.sim.Dump(state) && state.memory.Get(0x0005) == 77; },
                                20000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return engine.holdAsleep(); }, 20000));
    EXPECT_TRUE(engine.linkOnline());
}

TEST(SimLinkTest, SilentProcessorFailsWhenTheSearchRunsOut) {
    LinkFixture f({QStringLiteral("--silent-after=0")});
    const qint64 start = f.editor.view.clock.elapsed();
    ASSERT_TRUE(f.StartSearch());
    const qint64 failed = f.editor.WaitMessage(kMessageLinkFailed, 8000);
    ASSERT_GE(failed, 0);
    // Tick 1 tries the port, tick 2 runs past the list's end, tick 3 gives up.
    EXPECT_GT(failed - start, 2000);
    EXPECT_LT(failed - start, 6000);
    EXPECT_FALSE(f.editor.engine().linkOnline());
    EXPECT_EQ(f.editor.view.refreshes, 0);
}

TEST(SimLinkTest, SilenceAfterTheDownloadLosesTheLink) {
    LinkFixture f({QStringLiteral("--silent-after=%1").arg(kDownloadFrames)});
    ASSERT_TRUE(f.StartSearch());
    ASSERT_TRUE(f.editor.WaitOnline(20000)) << f.editor.view.status.english;
    const qint64 online = f.editor.view.clock.elapsed();
    const qint64 lost = f.editor.WaitMessage(kMessageLinkLost, 12000);
    ASSERT_GE(lost, 0);
    // Five silent seconds end the link.
    EXPECT_GT(lost - online, 4000);
    EXPECT_LT(lost - online, 8000);
    EXPECT_FALSE(f.editor.engine().linkOnline());
}

TEST(SimLinkTest, SilenceFromPage12FailsTheDownload) {
    LinkFixture f({QStringLiteral("--silent-after=13")});  // the connect and pages 0..11
    ASSERT_TRUE(f.StartSearch());
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.editor.engine().transferCounter() == 12; }, 15000));
    const qint64 requested = f.editor.view.clock.elapsed();
    const qint64 failed = f.editor.WaitMessage(kMessageLinkFailed, 20000);
    ASSERT_GE(failed, 0);
    EXPECT_GT(failed - requested, 11500);  // about 13.2 s after the request
    EXPECT_LT(failed - requested, 16000);
    EXPECT_FALSE(f.editor.engine().linkOnline());
    // A failed download takes nothing: the twelve pages that came stay aside, and the image is
    // what it was before the link (the window never showed them).
    EXPECT_EQ(f.editor.model.image(), DeviceImage());
}

TEST(SimLinkTest, VanishedPortEndsTheLinkWithoutSpinning) {
    // The download and the first keep-alive are answered; then the terminal goes away.
    LinkFixture f({QStringLiteral("--vanish-after=%1").arg(kDownloadFrames + 1)});
    ASSERT_TRUE(f.StartSearch());
    ASSERT_TRUE(f.editor.WaitOnline(20000)) << f.editor.view.status.english;
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.editor.portLosses > 0; }, 20000));
    EXPECT_FALSE(f.editor.form.port().IsOpen());
    const double cpuBefore = test::CpuSeconds();
    const qint64 lost = f.editor.WaitMessage(kMessageLinkLost, 10000);
    ASSERT_GE(lost, 0);
    EXPECT_LT(lost - f.editor.lostAtMs, 8000);
    const double wallSeconds = (f.editor.view.clock.elapsed() - f.editor.lostAtMs) / 1000.0;
    EXPECT_LT(test::CpuSeconds() - cpuBefore, 0.25 * wallSeconds + 0.2);
    EXPECT_EQ(f.editor.portLosses, 1);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return f.sim.process().state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(f.sim.process().exitCode(), 0);
    EXPECT_FALSE(QFile::exists(f.sim.linkPath()));
    EXPECT_EQ(f.sim.status(), QStringLiteral("vanished"));
}

// The adapter is pulled while a message box of the link is open ("Save Success!"): the link
// ends as soon as the box is closed, not after the silent seconds of a lost link.
TEST(SimLinkTest, APortPulledWhileAMessageIsOpenEndsTheLinkWhenItCloses) {
    LinkFixture f({});
    qint64 closedAtMs = -1;
    f.editor.view.whileShown = [&](const BilingualText& text) {
        if (text != kMessageModeSaved) return;
        f.sim.process().kill();  // the far end of the terminal goes away
        QTest::qWait(1500);
        closedAtMs = f.editor.view.clock.elapsed();
    };
    ASSERT_TRUE(f.StartSearch());
    ASSERT_TRUE(f.editor.WaitOnline(20000)) << f.editor.view.status.english;
    f.editor.engine().SaveMode(std::string("\x02\x00Show", 6));
    const auto& messages = f.editor.view.messages;
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.size() >= 2; }, 15000));
    EXPECT_EQ(messages[0].text, kMessageModeSaved);
    EXPECT_EQ(f.editor.portLosses, 1);
    EXPECT_EQ(messages[1].text, kMessageLinkLost);
    EXPECT_LT(messages[1].atMs - closedAtMs, 500);
}

// Noise, lost acknowledgements and spoiled checksums: the link may have to search again, but it
// never crashes, and whatever it downloads is the processor's memory at its own addresses.
TEST(SimLinkTest, NoisyLineNeverCorruptsTheImage) {
    LinkFixture f({QStringLiteral("--garbage=0.3"), QStringLiteral("--drop-acks=0.2"),
                   QStringLiteral("--corrupt-checksums=0.3"), QStringLiteral("--seed=5")});
    ASSERT_TRUE(f.StartSearch());
    bool online = f.editor.WaitOnline(20000);
    for (int attempt = 0; !online && attempt < 2; ++attempt) {
        f.editor.engine().OnLinkButton(LinkButton::LinkBtn);
        online = f.editor.WaitOnline(20000);
    }
    ASSERT_TRUE(online);
    SimState state;
    ASSERT_TRUE(f.sim.Dump(state));
    ExpectImageMatches(f.editor.model.image(), state.memory);
    ExpectNothingBeyondTheTransferredSlots(f.editor.model.image());
    bool checksumLogged = false;
    for (const std::string& line : f.editor.log.lines()) {
        checksumLogged = checksumLogged || line.find("校验数据匹配不一致:") == 0;
    }
    EXPECT_TRUE(checksumLogged);

    // Writes go on over the lossy line; the repeats bring them through or the link ends
    // cleanly.
    for (int i = 0; i < 5; ++i) f.editor.engine().WriteParameter(MakeAddress(4, 5), 100 + i);
    QTest::qWait(2500);
    if (f.editor.engine().linkOnline() && f.editor.engine().txQueue().IsEmpty()) {
        ASSERT_TRUE(f.sim.Dump(state));
        EXPECT_EQ(state.memory.Get(4, 5), 104);
    }
}

}  // namespace
}  // namespace zt
