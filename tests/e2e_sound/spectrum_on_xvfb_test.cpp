// The real editor program on a private X server with sound from the test sound server, linked
// to the processor simulator (so that no off-line message box stands in the way): the
// spectrum button switched on with the pointer, a 1 kHz tone fed through the pipe source shows
// its tallest bar at 1 kHz on a screenshot, the bars stand still while an EQ marker is held,
// and follow the sound again after release.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "eqgraph/graph_mapping.h"
#include "spectrum/level_bars.h"
#include "support/sim_run.h"
#include "support/sound_feeder.h"
#include "support/xvfb_session.h"
#include "ui/app/editor_app.h"
#include "ui/spectrum/spectrum_display.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/window/main_window.h"

#ifndef ZT_EDITOR_PROGRAM
#define ZT_EDITOR_PROGRAM ""
#endif

namespace zt::test {
namespace {

// Where the controls sit inside the window, read from the same window made offscreen here.
struct Layout {
    QPoint spectrumButton;
    QRect plot;  // Image1
    QPoint marker;
};

Layout ReadLayout() {
    EditorApp app;
    app.Show();
    QApplication::processEvents();
    TForm1& w = app.window();
    const GraphPanel& graph = w.graph();
    Layout layout;
    layout.spectrumButton = graph.pinPpBtn->mapTo(&w, graph.pinPpBtn->rect().center());
    layout.plot = QRect(graph.image1->mapTo(&w, QPoint(0, 0)), graph.image1->size());
    const EqMarker* marker = graph.markers[4];
    layout.marker = marker->mapTo(&w, marker->rect().center());
    return layout;
}

// Per column of the plot: the height of the bar there, from its top pixel of bar colour down
// to the plot's bottom (the curve may cross it); 0 where there is none.
std::vector<int> BarHeights(const QImage& shot, const QRect& plot) {
    std::vector<int> heights(plot.width(), 0);
    for (int x = 0; x < plot.width(); ++x) {
        for (int y = 0; y < plot.height(); ++y) {
            if (shot.pixel(plot.left() + x, plot.top() + y) == (kSpectrumBarColour | 0xFF000000)) {
                heights[x] = plot.height() - y;
                break;
            }
        }
    }
    return heights;
}

// True when the tallest bar covers the column of `hz` (its slot is a few columns wide).
bool TallestBarAt(const std::vector<int>& heights, double hz, int plotHeight) {
    const int tallest = *std::max_element(heights.begin(), heights.end());
    if (tallest <= 2) return false;  // only floor stubs
    const auto first = std::find(heights.begin(), heights.end(), tallest) - heights.begin();
    const auto last = heights.rend() - std::find(heights.rbegin(), heights.rend(), tallest) - 1;
    const GraphMapping mapping{static_cast<double>(heights.size()),
                               static_cast<double>(plotHeight)};
    const double x = mapping.XOfFrequency(hz);
    return first <= x && x <= last + 1;
}

// CPU seconds a process has used so far (user and system), from /proc; -1 when unreadable.
double ProcessCpuSeconds(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray stat = file.readAll();
    // Fields after the command's closing parenthesis: state is field 3, utime 14, stime 15.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) return -1;
    const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    return (fields[11].toDouble() + fields[12].toDouble()) / ticks;
}

// Share of one core the process uses over `ms` milliseconds.
double CpuShare(qint64 pid, int ms) {
    const double before = ProcessCpuSeconds(pid);
    QElapsedTimer clock;
    clock.start();
    QThread::msleep(ms);
    const double used = ProcessCpuSeconds(pid) - before;
    return used / (clock.elapsed() / 1000.0);
}

TEST(SpectrumOnXvfb, ToneShowsAtItsBarAndTheBarsFreezeWhileAMarkerIsHeld) {
    const QString missing = XvfbSession::MissingTools();
    ASSERT_TRUE(missing.isEmpty())
        << "missing " << missing.toStdString() << " (scripts/setup.sh installs them)";
    const std::string fifo = SoundFifoPath();
    ASSERT_FALSE(fifo.empty()) << kNoSoundServerText;
    const Layout layout = ReadLayout();

    SoundFeeder feeder(fifo, Sine(1000.0, 40.0));
    ASSERT_TRUE(feeder.ok());
    SimRun sim({});
    ASSERT_TRUE(sim.Start()) << "the simulator did not start";
    XvfbSession session;
    ASSERT_TRUE(session.StartX(qEnvironmentVariable("XDG_RUNTIME_DIR"))) << "Xvfb did not come up";
    ASSERT_TRUE(session.StartEditor(QStringLiteral(ZT_EDITOR_PROGRAM)));
    QPoint origin;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const auto found = session.WindowOrigin(QString::fromLatin1(kApplicationTitle));
            if (found) origin = *found;
            return found || session.editor().state() == QProcess::NotRunning;
        },
        20000))
        << "no editor window";
    ASSERT_EQ(session.editor().state(), QProcess::Running)
        << session.editor().readAll().toStdString();
    ASSERT_TRUE(WaitUntil([&] { return sim.status() == "online"; }, 45000))
        << "no link; simulator status " << sim.status().toStdString();

    const QRect plot = layout.plot.translated(origin);
    const QString shotPath =
        QDir(QCoreApplication::applicationDirPath()).filePath("e2e-spectrum.png");
    const auto shot = [&] { return BarHeights(session.Screenshot(shotPath), plot); };
    const auto at = [](const QPoint& p) {
        return QStringList{QString::number(p.x()), QString::number(p.y())};
    };

    session.Pointer(QStringList{"mousemove"} + at(origin + layout.spectrumButton) +
                    QStringList{"click", "1"});
    std::vector<int> bars;
    EXPECT_TRUE(WaitUntil([&] { return TallestBarAt(bars = shot(), 1000.0, plot.height()); }, 8000))
        << "no tallest bar at 1 kHz; screenshot " << shotPath.toStdString();

    // Hold a marker: the bars stand still although the sound changes.
    const QPoint marker = origin + layout.marker;
    session.Pointer(QStringList{"mousemove"} + at(marker) + QStringList{"mousedown", "1"} +
                    QStringList{"mousemove"} + at(marker + QPoint(25, -15)));
    // The curve follows the pointer and may cross the bars' tops: wait until the picture
    // stands (the tone is still 1 kHz, so the bars would stand anyway).
    std::vector<int> held = shot();
    ASSERT_TRUE(WaitUntil(
        [&] {
            QThread::msleep(300);
            std::vector<int> next = shot();
            std::swap(held, next);
            return held == next;
        },
        10000))
        << "the picture did not settle after the press";
    feeder.Play(Sine(3000.0, 40.0));
    QThread::msleep(1000);
    const std::vector<int> stillHeld = shot();
    EXPECT_EQ(held, stillHeld) << "the bars moved during the drag";
    EXPECT_TRUE(TallestBarAt(stillHeld, 1000.0, plot.height()));

    session.Pointer({"mouseup", "1"});
    EXPECT_TRUE(WaitUntil([&] { return TallestBarAt(shot(), 3000.0, plot.height()); }, 8000))
        << "the bars did not follow the sound after release; screenshot " << shotPath.toStdString();

    // What the analyser costs the editor while nothing else happens (the link only keeps
    // alive). Recorded, not judged: the machine may be busy; only a runaway loop fails.
    const qint64 pid = session.editor().processId();
    const double on = CpuShare(pid, 4000);
    session.Pointer(QStringList{"mousemove"} + at(origin + layout.spectrumButton) +
                    QStringList{"click", "1"});
    QThread::msleep(300);
    const double off = CpuShare(pid, 4000);
    RecordProperty("cpu_percent_analyser_on", QString::number(100 * on, 'f', 1).toStdString());
    RecordProperty("cpu_percent_analyser_off", QString::number(100 * off, 'f', 1).toStdString());
    std::printf("editor CPU share of a core: analyser on %.1f %%, off %.1f %%\n", 100 * on,
                100 * off);
    EXPECT_LT(on, 0.5);
}

}  // namespace
}  // namespace zt::test
