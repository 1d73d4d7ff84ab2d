// One bar frame of the spectrum display on the editor's window (offscreen, design size): the
// grid restored, the bars drawn, the EQ curve drawn on top, the picture repainted. Also one
// whole 11-tick cycle of Timer1 with the analyser on (one analysis and one frame). The program's
// main is the window benchmarks' (startup_bench.cpp).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>
#include <memory>
#include <vector>

#include "ui/app/editor_app.h"
#include "ui/app/eq_graph_side.h"
#include "ui/app/spectrum_side.h"

namespace zt {
namespace {

class Silent : public WindowMessages {
public:
    void Inform(const QString&, const QString&) override {}
};

struct SpectrumWindow {
    SpectrumWindow() : app(std::make_unique<Silent>()) {
        app.Show();
        QApplication::processEvents();
        app.timer1().stop();
        app.spectrum().audio().StopRecording();
        std::vector<std::uint8_t> tone(kSpectrumSamples);
        for (std::size_t j = 0; j < tone.size(); ++j) {
            tone[j] = static_cast<std::uint8_t>(128.0 + 60.0 * std::sin(0.1309 * j) + 0.5);
        }
        display().SetAnalyserOn(true);
        display().feed().Offer(tone);
        for (int i = 0; i < kSpectrumCycleTicks; ++i) app.eqGraph().OnTimer1Tick();
    }
    SpectrumDisplay& display() { return app.spectrum().display(); }
    EditorApp app;
};

void BM_SpectrumBarFrame(benchmark::State& state) {
    SpectrumWindow w;
    for (auto _ : state) {
        w.app.eqGraph().graph().RepaintCached();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_SpectrumBarFrame)->Unit(benchmark::kMicrosecond);

void BM_SpectrumTickCycle(benchmark::State& state) {
    SpectrumWindow w;
    for (auto _ : state) {
        for (int i = 0; i < kSpectrumCycleTicks; ++i) w.app.eqGraph().OnTimer1Tick();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_SpectrumTickCycle)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zt
