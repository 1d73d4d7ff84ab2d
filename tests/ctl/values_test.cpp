// zt461ctl get, set, volume and mode against a simulator; bad input refused before any frame.

#include <gtest/gtest.h>

#include <QJsonArray>

#include "ctl_rig.h"

namespace zt::test {
namespace {

TEST(CtlValues, BadInputIsRefusedAndNothingIsSent) {
    CtlVenue venue;
    ASSERT_TRUE(venue.StartSim("ROOM"));
    SimState before;
    ASSERT_TRUE(venue.Dump("ROOM", before));
    struct Case {
        QStringList args;
        const char* says;
    };
    const Case cases[] = {
        {{"set", "mic_a.eq33.gain=-3dB"}, "unknown key mic_a.eq33.gain"},
        {{"set", "mic_a.eq3.gain=-30dB"}, "out of range"},
        {{"set", "mic_a.eq3.gain=-3x"}, "the unit is dB"},
        {{"set", "mic_a.eq3.gain=1.2.3"}, "not a number"},
        {{"set", "mic_a.eq3.freq=1k", "mic_a.eq3.gain"}, "expected KEY=VALUE"},
        {{"set", "music.volume=4.5"}, "not a whole number"},
        {{"set", "system.mode=3"}, "cannot be set"},
        {{"volume", "music", "85"}, "out of range"},
        {{"volume", "bass", "10"}, "usage: volume"},
        {{"mode", "save", "3", "大厅"}, "cannot keep"},
        {{"mode", "save", "MF2", "Hall"}, "only user modes"},
        {{"mode", "load", "17"}, "1..16 or MF1..MF6"},
        {{"get", "nothing.here"}, "unknown key"},
        {{"frobnicate"}, "unknown command"},
    };
    for (const Case& c : cases) {
        const CtlRun run = venue.Ctl(c.args + QStringList{"-p", "ROOM"});
        EXPECT_EQ(run.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.says))
            << c.args.join(' ').toStdString() << ": " << run.err.toStdString();
    }
    SimState after;
    ASSERT_TRUE(venue.Dump("ROOM", after));
    EXPECT_EQ(after.framesReceived, before.framesReceived);
    // The refusal in Chinese.
    const CtlRun chinese = venue.Ctl({"set", "mic_a.eq3.gain=20dB", "-p", "ROOM", "--lang", "zh"});
    EXPECT_EQ(chinese.exitCode, 2);
    EXPECT_TRUE(chinese.err.contains("超出范围")) << chinese.err.toStdString();
}

TEST(CtlValues, SetVolumeAndModeLandOnTheProcessor) {
    CtlVenue venue;
    ASSERT_TRUE(venue.StartSim("ROOM"));
    const CtlRun set = venue.Ctl({"set", "mic_b.eq3.gain=-3dB", "main.disco.right.delay=12.5ms",
                                  "music.hp.type=24dB Butterworth", "-p", "ROOM", "--json"});
    ASSERT_EQ(set.exitCode, 0) << set.out.toStdString() << set.err.toStdString();
    const QJsonArray values = set.json()["processors"][0]["values"].toArray();
    ASSERT_EQ(values.size(), 3);
    EXPECT_EQ(values[0]["value"].toString(), "-3.0dB");
    EXPECT_EQ(values[1]["value"].toString(), "12.5ms");
    const CtlRun volume = venue.Ctl({"volume", "music", "40", "-p", "ROOM"});
    ASSERT_EQ(volume.exitCode, 0) << volume.out.toStdString() << volume.err.toStdString();
    SimState held;
    ASSERT_TRUE(venue.Dump("ROOM", held));
    EXPECT_EQ(held.memory.Get(0x031B), 105);  // MIC B band 3 gain
    EXPECT_EQ(held.memory.Get(0x0A0A), 125);  // main right, disco, delay in tenths of a ms
    EXPECT_EQ(held.memory.Get(0x0004), 8);    // music high-pass type
    EXPECT_EQ(held.memory.Get(0x1D01), 40);   // music volume

    const CtlRun load = venue.Ctl({"mode", "load", "MF2", "-p", "ROOM"});
    ASSERT_EQ(load.exitCode, 0) << load.out.toStdString() << load.err.toStdString();
    ASSERT_TRUE(venue.Dump("ROOM", held));
    EXPECT_EQ(held.memory.Get(0x1E02), 17);  // MF2
    EXPECT_EQ(held.memory.Get(0x1D01), 40);  // a factory mode keeps the volumes

    // Saving is the manager's: in user mode only with the system password.
    const CtlRun refused = venue.Ctl({"mode", "save", "5", "Late Night", "-p", "ROOM"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.contains("--password")) << refused.out.toStdString();
    const CtlRun saved =
        venue.Ctl({"mode", "save", "5", "Late Night", "-p", "ROOM", "--password", "123456"});
    ASSERT_EQ(saved.exitCode, 0) << saved.out.toStdString() << saved.err.toStdString();
    ASSERT_TRUE(venue.Dump("ROOM", held));
    EXPECT_EQ(held.modeNames[4], "Late Night");
}

}  // namespace
}  // namespace zt::test
