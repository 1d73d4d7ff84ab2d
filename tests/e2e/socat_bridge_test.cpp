// A processor behind a serial-to-network bridge: one socat serves the zt461-sim program's
// terminal on a loopback TCP port (the bridge), a second socat makes a pseudo-terminal link in
// the editor's virtual port folder that reaches that port (the commands the README gives the
// user). The editor's whole window links through it, downloads and sends an edit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "params/page_table.h"
#include "sim/sim_state_dump.h"
#include "tests/support/sim_run.h"
#include "ui/app/editor_app.h"
#include "ui/widgets/track_bar.h"

namespace zt::test {
namespace {

class QuietMessages : public WindowMessages {
public:
    void Inform(const QString& text, const QString&) override { texts << text; }
    QStringList texts;
};

// A socat process ended with the test.
struct Socat {
    ~Socat() {
        process.terminate();
        if (!process.waitForFinished(2000)) process.kill();
        process.waitForFinished(1000);
    }
    bool Start(const QStringList& addresses) {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral("socat"), addresses);
        return process.waitForStarted(3000);
    }
    QProcess process;
};

TEST(SocatBridge, TheEditorLinksThroughANetworkSerialPort) {
    if (QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty()) {
        GTEST_SKIP() << "socat is not installed (scripts/setup.sh installs it)";
    }
    SimRun sim({});
    ASSERT_TRUE(sim.Start());
    const QString simDevice = QFileInfo(sim.linkPath()).symLinkTarget();

    // The bridge: the processor's serial line served on a loopback port.
    Socat bridge;
    const int tcpPort = 20000 + static_cast<int>(QCoreApplication::applicationPid() % 20000);
    ASSERT_TRUE(bridge.Start({QStringLiteral("TCP-LISTEN:%1,bind=127.0.0.1,reuseaddr").arg(tcpPort),
                              QStringLiteral("FILE:%1,raw,echo=0").arg(simDevice)}));

    // The editor's side: its own runtime folder, holding only the link socat makes.
    QTemporaryDir editorRuntime;
    const QString ports = editorRuntime.path() + QStringLiteral("/zt461/ports");
    ASSERT_TRUE(QDir().mkpath(ports));
    const QString netPort = ports + QStringLiteral("/ZT461-NET");
    Socat client;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            if (client.process.state() == QProcess::NotRunning) {
                // socat opens its addresses in order: the link appears only once the bridge
                // took the connection, never for a try the bridge refused.
                client.Start({QStringLiteral("TCP:127.0.0.1:%1").arg(tcpPort),
                              QStringLiteral("PTY,link=%1,raw,echo=0").arg(netPort)});
            }
            return QFile::exists(netPort);
        },
        20000));

    qputenv("XDG_RUNTIME_DIR", editorRuntime.path().toUtf8());
    auto recorder = std::make_unique<QuietMessages>();
    QuietMessages* messages = recorder.get();
    EditorApp app(std::move(recorder));
    app.Show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.link().linkOnline(); }, 30000))
        << messages->texts.join('|').toStdString();
    EXPECT_EQ(app.link().portNames(), std::vector<std::string>{"ZT461-NET"});

    app.registry().Get<TrackBar>(QStringLiteral("MusHPFREBar"))->setValue(123);
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.link().settled(); }, 20000));
    QTest::qWait(300);
    SimState state;
    ASSERT_TRUE(sim.Dump(state));
    EXPECT_EQ(state.memory.Get(0x0005), 123);
    for (int page = 0; page < kTransferPageCount; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            ASSERT_EQ(app.model().image().Get(page, slot), state.memory.Get(page, slot))
                << page << "/" << slot;
        }
    }
    EXPECT_TRUE(messages->texts.isEmpty());
}

}  // namespace
}  // namespace zt::test
