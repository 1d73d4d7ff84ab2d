// The sound server the editor records from stops while the editor runs (a desktop's sound
// service restarting, a USB sound card pulled): the recording ends and the editor goes on,
// linked to the processor. The editor records from a server of this test's own, so the shared
// test server and its source stay untouched.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/sim_run.h"
#include "tests/support/xvfb_session.h"

#ifndef ZT_EDITOR_PROGRAM
#define ZT_EDITOR_PROGRAM ""
#define ZT_SOUND_SERVER_SCRIPT ""
#endif

namespace zt::test {
namespace {

bool SoundServer(const QString& action, const QString& folder) {
    QProcess script;
    script.start(QStringLiteral("bash"), {QStringLiteral(ZT_SOUND_SERVER_SCRIPT), action, folder});
    return script.waitForFinished(60000) && script.exitStatus() == QProcess::NormalExit &&
           script.exitCode() == 0;
}

// The recording streams the server has, one line each.
QString RecordingStreams(const QString& server) {
    QProcess pactl;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PULSE_SERVER", server);
    pactl.setProcessEnvironment(env);
    pactl.start(QStringLiteral("pactl"), {"list", "short", "source-outputs"});
    if (!pactl.waitForFinished(10000)) return {};
    return QString::fromUtf8(pactl.readAllStandardOutput()).trimmed();
}

TEST(EditorLosesItsSoundServer, GoesOnLinkedToTheProcessor) {
    if (QStandardPaths::findExecutable("pulseaudio").isEmpty()) GTEST_SKIP() << "no pulseaudio";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(SoundServer("start", folder.path()));
    const QString server = "unix:" + folder.path() + "/native";

    SimRun sim({});
    ASSERT_TRUE(sim.Start()) << "zt461-sim did not start";
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PULSE_SERVER", server);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", folder.path() + "/config");  // settings of this run only
    editor.setProcessEnvironment(env);
    editor.setProcessChannelMode(QProcess::MergedChannels);
    editor.start(QStringLiteral(ZT_EDITOR_PROGRAM), {});
    ASSERT_TRUE(editor.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.status() == "online"; }, 45000))
        << "no link; status " << sim.status().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !RecordingStreams(server).isEmpty(); }, 10000))
        << "the editor does not record from the test's server";

    ASSERT_TRUE(SoundServer("stop", folder.path()));
    QTest::qWait(2000);
    SimState before;
    ASSERT_TRUE(sim.Dump(before));
    // Keep-alives come every second; a busy machine may take longer to show two.
    SimState after;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return sim.Dump(after) && after.framesReceived - before.framesReceived >= 2; },
        20000));

    EXPECT_EQ(editor.state(), QProcess::Running) << "exit code " << editor.exitCode() << "\n"
                                                 << editor.readAll().toStdString();
    // Keep-alives go on every second, and the link never dropped.
    EXPECT_GE(after.framesReceived - before.framesReceived, 2);
    EXPECT_EQ(after.onlineCount, before.onlineCount);
    StopProcess(editor);
}

}  // namespace
}  // namespace zt::test
