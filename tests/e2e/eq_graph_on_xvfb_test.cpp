// The EQ graph of the real editor program on a private X server, linked to the zt461-sim
// program: a marker dragged with the X pointer lands in the simulator's memory as the band's
// frequency index and gain step. A screenshot of the shaped music page is saved beside the
// build's tests.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <cmath>
#include <cstdio>

#include "eqgraph/drag_rules.h"
#include "eqgraph/nearest.h"
#include "params/value_tables.h"
#include "tests/e2e/xvfb_editor.h"
#include "tests/support/sim_run.h"
#include "tests/support/xvfb_session.h"

#ifndef ZT_EDITOR_PROGRAM
#define ZT_EDITOR_PROGRAM ""
#define ZT_SIM_PROGRAM ""
#endif

namespace zt::test {
namespace {

// Image1's top-left corner inside the window at design size: the 1-pixel frame, then the title
// strip (25), tab strip (30) and page area (232) above the graph panel, whose grey panel sits at
// (44, 6).
const QPoint kPlotInWindow(1 + 44, 1 + 25 + 30 + 232 + 6);
constexpr GraphMapping kPlot{883, 268};

class EqGraphOnXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        xdotool_ = QStandardPaths::findExecutable("xdotool");
        if (xvfb.isEmpty() || xdotool_.isEmpty()) GTEST_SKIP() << "Xvfb or xdotool missing";
        ASSERT_TRUE(QFileInfo(QStringLiteral(ZT_EDITOR_PROGRAM)).isExecutable());
        ASSERT_TRUE(sim_.Start()) << "zt461-sim did not start";
        const int display = FreeXDisplay();
        ASSERT_GT(display, 0);
        env_ = QProcessEnvironment::systemEnvironment();  // holds the simulator's runtime folder
        env_.insert("DISPLAY", QStringLiteral(":%1").arg(display));
        env_.insert("QT_QPA_PLATFORM", "xcb");
        // The editor keeps its settings in the test's own folder.
        env_.insert("XDG_CONFIG_HOME", qEnvironmentVariable("XDG_RUNTIME_DIR") + "/config");
        env_.remove("WAYLAND_DISPLAY");
        xvfb_.start(xvfb, {QStringLiteral(":%1").arg(display), "-screen", "0", "1280x800x24",
                           "-nolisten", "tcp"});
        ASSERT_TRUE(xvfb_.waitForStarted());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)); },
            10000));
        editor_.setProcessEnvironment(env_);
        editor_.setProcessChannelMode(QProcess::MergedChannels);
        editor_.start(QStringLiteral(ZT_EDITOR_PROGRAM), {});
        ASSERT_TRUE(editor_.waitForStarted());
        ASSERT_TRUE(QTest::qWaitFor([&] { return sim_.status() == "online"; }, 45000))
            << "no link; status " << sim_.status().toStdString();
        QTest::qWait(500);  // the window repaints after the download
    }

    void TearDown() override {
        StopProcess(editor_);
        StopProcess(xvfb_);
    }

    QString Tool(const QStringList& args) {
        QProcess tool;
        tool.setProcessEnvironment(env_);
        tool.start(xdotool_, args);
        if (!tool.waitForFinished(10000)) tool.kill();
        return QString::fromUtf8(tool.readAllStandardOutput());
    }

    // Top-left corner of the editor's window on the X screen.
    QPoint WindowOrigin() {
        const QString out = Tool({"search", "--name", kEditorTitle, "getwindowgeometry", "%@"});
        // Qt's leader window shares the title; the editor's is the one of design size.
        const QRegularExpression block(R"(Position: (\d+),(\d+).*\n\s*Geometry: (\d+)x(\d+))");
        for (auto it = block.globalMatch(out); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(3).toInt() > 1000) return {m.captured(1).toInt(), m.captured(2).toInt()};
        }
        ADD_FAILURE() << "no editor window:\n" << out.toStdString();
        return {};
    }

    // Drags the pointer from `from` by `delta` in small moves with the left button held.
    void DragPointer(QPoint from, QPoint delta) {
        Tool({"mousemove", QString::number(from.x()), QString::number(from.y())});
        QTest::qWait(100);
        Tool({"mousedown", "1"});
        constexpr int kMoves = 8;
        for (int k = 1; k <= kMoves; ++k) {
            const QPoint at = from + delta * k / kMoves;
            Tool({"mousemove", QString::number(at.x()), QString::number(at.y())});
            QTest::qWait(30);
        }
        Tool({"mouseup", "1"});
        QTest::qWait(300);
    }

    SimState Memory() {
        SimState state;
        EXPECT_TRUE(sim_.Dump(state));
        return state;
    }

    SimRun sim_{{}};
    QString xdotool_;
    QProcessEnvironment env_;
    QProcess xvfb_, editor_;
};

TEST_F(EqGraphOnXvfb, DraggedMarkersLandInTheProcessorsMemory) {
    const QPoint plot = WindowOrigin() + kPlotInWindow;
    struct Drag {
        int band;
        QPoint delta;
    };
    for (const Drag drag :
         {Drag{5, {60, -70}}, Drag{9, {-40, 60}}, Drag{2, {25, -40}}, Drag{12, {30, 50}}}) {
        SCOPED_TRACE(drag.band);
        // Music band n keeps its frequency index and gain step at slots 10 + 5n + 1 and + 2.
        const int frequencySlot = 10 + 5 * drag.band + 1;
        const SimState before = Memory();
        const int index = before.memory.Get(0, frequencySlot);
        const double gain = before.memory.Get(0, frequencySlot + 1) / 5.0 - 24.0;
        const int left = NearestPixel(kPlot.XOfFrequency(FrequencyHz(index)) - kMarkerSize / 2);
        const int top = NearestPixel(kPlot.YOfGain(gain) - kMarkerSize / 2);
        DragPointer(plot + QPoint(left + kMarkerSize / 2, top + kMarkerSize / 2), drag.delta);

        const DragOutcome expected =
            DragStep({kMusicSheet, left, top, drag.delta.x(), drag.delta.y(), kMarkerSize}, kPlot);
        // The writes reach the processor some time after the release; a busy machine may take
        // long.
        SimState after;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                after = Memory();
                return after.memory.Get(0, frequencySlot) ==
                           static_cast<int>(expected.frequencyIndex) &&
                       after.memory.Get(0, frequencySlot + 1) ==
                           static_cast<int>(expected.gainStep);
            },
            20000));
        EXPECT_EQ(after.memory.Get(0, frequencySlot), static_cast<int>(expected.frequencyIndex));
        EXPECT_EQ(after.memory.Get(0, frequencySlot + 1), static_cast<int>(expected.gainStep));
        EXPECT_NE(after.memory.Get(0, frequencySlot), index);
    }

    const QString import = QStandardPaths::findExecutable("import");
    if (!import.isEmpty()) {
        const QString shot =
            QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("e2e-eqgraph.png");
        QFile::remove(shot);
        QProcess grab;
        grab.setProcessEnvironment(env_);
        grab.start(import, {"-window", "root", shot});
        grab.waitForFinished(10000);
        EXPECT_GT(QFileInfo(shot).size(), 0);
        std::printf("screenshot: %s\n", qPrintable(shot));
    }
}

}  // namespace
}  // namespace zt::test
