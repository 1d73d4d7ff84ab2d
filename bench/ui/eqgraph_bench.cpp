// What the EQ graph costs on the editor's window (offscreen), at the design size and at
// 1920 x 1080, 2560 x 1440 and 3840 x 2160: a one-band drag step (one response, the sum, the
// curve, the label, and the repaint), a one-band redraw, a full redraw of the 22 items of a
// microphone page, a Timer1 tick with nothing changed, and the whole window's CPU share over
// ten idle seconds. The aims: a drag step within 1.0 ms at 1920 x 1080 and 1.5 ms at
// 3840 x 2160, under 1 % of a core idle.
// The program's main is the window benchmarks' (startup_bench.cpp).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>
#include <memory>

#include "bench/ui/no_messages.h"
#include "ui/app/editor_app.h"
#include "ui/app/eq_graph_side.h"

namespace zt {
namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The window sizes of the size table, by the benchmarks' argument; 0 is the design size.
struct WindowSize {
    const char* name;
    QSize size;
};
constexpr WindowSize kWindowSizes[] = {{"design", QSize()},
                                       {"1920x1080", QSize(1920, 1080)},
                                       {"2560x1440", QSize(2560, 1440)},
                                       {"3840x2160", QSize(3840, 2160)}};

// The shown window at the size of the benchmark's argument, with the microphone page's bands
// spread out and both filters on.
struct GraphWindow {
    explicit GraphWindow(int sizeIndex) : app(std::make_unique<NoMessages>()) {
        app.Show();
        const QSize size = kWindowSizes[sizeIndex].size;
        if (size.isValid()) app.window().resize(size);
        QApplication::processEvents();
        app.pageSwitcher().OnTabClicked(kTabMicA);
        ParamStore& store = app.model().store();
        for (int band = 0; band < 20; ++band) {
            const int first = 15 + 5 * band;
            store.Set(2, first, 1 + band % 3);
            store.Set(2, first + 2, 60 + (band * 37) % 120);
            store.Set(2, first + 3, (band * 13) % 100);
        }
        store.Set(2, 9, 9);
        store.Set(2, 10, 40);
        store.Set(2, 11, 11);
        store.Set(2, 12, 330);
        graph().DrawEqCurve(100, 2);
        QApplication::processEvents();
    }
    EqGraph& graph() { return app.eqGraph().graph(); }
    EditorApp app;
};

const char* SizeName(int64_t sizeIndex) {
    return kWindowSizes[sizeIndex].name;
}

// One step of a drag and its repaint; a function of its own, so that a profiler can count it
// apart from the window's set-up (valgrind --toggle-collect='*DragStepOnce*').
[[gnu::noinline]] void DragStepOnce(PointEditing& editing, int step) {
    // Sideways and back, far enough for a new frequency index every step.
    editing.OnMarkerMove(5, {step % 2 ? 7 - 6 : 7 + 6, 7});
    QApplication::processEvents();
}

void BM_DragStep(benchmark::State& state) {
    GraphWindow w(static_cast<int>(state.range(0)));
    state.SetLabel(SizeName(state.range(0)));
    PointEditing& editing = w.app.eqGraph().pointEditing();
    editing.OnMarkerPress(5, {7, 7}, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) DragStepOnce(editing, step++);
    editing.OnMarkerRelease(5, Qt::LeftButton);
}
BENCHMARK(BM_DragStep)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_OneBandRedraw(benchmark::State& state) {
    GraphWindow w(static_cast<int>(state.range(0)));
    state.SetLabel(SizeName(state.range(0)));
    ParamStore& store = w.app.model().store();
    int step = 0;
    for (auto _ : state) {
        store.Set(2, 15 + 5 * 7 + 2, 100 + step++ % 40);
        w.graph().DrawEqCurve(7, 2);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OneBandRedraw)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_FullRedraw(benchmark::State& state) {
    GraphWindow w(static_cast<int>(state.range(0)));
    state.SetLabel(SizeName(state.range(0)));
    ParamStore& store = w.app.model().store();
    int step = 0;
    for (auto _ : state) {
        // Every band 1 dB up or down: all 22 responses and the whole curve are new.
        const int shift = step++ % 2 ? -5 : 5;
        for (int band = 0; band < 20; ++band) {
            const int gain = 15 + 5 * band + 2;
            store.Set(2, gain, store.Get(2, gain) + shift);
        }
        w.graph().DrawEqCurve(100, 2);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FullRedraw)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_Timer1IdleTick(benchmark::State& state) {
    GraphWindow w(0);
    for (auto _ : state) w.app.eqGraph().OnTimer1Tick();
}
BENCHMARK(BM_Timer1IdleTick)->Unit(benchmark::kNanosecond);

// Ten seconds of the window's event loop with nothing changing: the CPU share of one core as
// the idle window runs (argument 0: the analyser off, so Timer1 sleeps and the graph waits for
// change events) and with Timer1 forced on (1), as a window that polled every 10 ms would run.
// The link's search timer runs in both, over an empty port folder, as do the window's other
// timers.
void BM_IdleWindowCpuShare(benchmark::State& state) {
    GraphWindow w(0);
    if (state.range(0) == 1) w.app.timer1().start();
    state.SetLabel(state.range(0) ? "Timer1 forced on" : "idle window");
    for (auto _ : state) {
        const double cpu = CpuSeconds();
        QElapsedTimer clock;
        clock.start();
        QEventLoop loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        state.counters["cpu_share_percent"] =
            (CpuSeconds() - cpu) / (clock.elapsed() / 1000.0) * 100;
    }
}
BENCHMARK(BM_IdleWindowCpuShare)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace zt

namespace zt {
namespace {

// The pieces of a redraw on their own, at the design size.
void BM_PiecesCurveFill(benchmark::State& state) {
    GraphWindow w(0);
    QImage bitmap = w.graph().background();
    CurveLayer layer = w.graph().curveLayer();
    QPainter p(&bitmap);
    p.resetTransform();
    for (auto _ : state) layer.Paint(p, bitmap.rect(), QColor(255, 102, 0));
}
BENCHMARK(BM_PiecesCurveFill)->Unit(benchmark::kMicrosecond);

void BM_PiecesCurvePolyline(benchmark::State& state) {
    GraphWindow w(0);
    CurveLayer layer = w.graph().curveLayer();
    CurvePoints points = w.graph().curve();
    int step = 0;
    for (auto _ : state) {
        // One point up and down, as a drag changes a few of them.
        points[200].y += step++ % 2 ? 1 : -1;
        benchmark::DoNotOptimize(layer.SetCurve(points));
    }
}
BENCHMARK(BM_PiecesCurvePolyline)->Unit(benchmark::kMicrosecond);

void BM_PiecesBackgroundCopy(benchmark::State& state) {
    GraphWindow w(0);
    for (auto _ : state) {
        QImage bitmap = w.graph().background();
        bitmap.detach();
        benchmark::DoNotOptimize(bitmap.bits());
    }
}
BENCHMARK(BM_PiecesBackgroundCopy)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zt
