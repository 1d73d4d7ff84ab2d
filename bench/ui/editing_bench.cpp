// What a finished download and a tab switch cost the editor's window (offscreen): the page
// refresh of every page with the re-selection of the channel, and the switch between channel
// tabs, each followed by the repaint it causes. The aim for each is one display frame (16 ms).
// The program's main is the window benchmarks' (startup_bench.cpp).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "bench/ui/no_messages.h"
#include "sim/sim_processor.h"
#include "ui/app/editor_app.h"

namespace zt {
namespace {

// The shown window and two memories to alternate, so that every refresh moves the controls:
// the simulator's factory settings and the start-up defaults.
struct Window {
    Window() : app(std::make_unique<NoMessages>()) {
        app.Show();
        QApplication::processEvents();
        defaults = app.model().image();
        const SimProcessor processor;
        for (int page = 0; page < kPageCount; ++page) {
            for (int slot = 0; slot < kSlotCount; ++slot) {
                downloaded.Set(page, slot, processor.memory().Get(page, slot));
            }
        }
    }
    void NextImage() {
        flip = !flip;
        static_cast<PageMemory&>(app.model().image()) = flip ? downloaded : defaults;
    }
    EditorApp app;
    PageMemory defaults;
    PageMemory downloaded;
    bool flip = false;
};

void RefreshAfterDownload(benchmark::State& state, int tab) {
    Window w;
    w.app.pageSwitcher().OnTabClicked(tab);
    for (auto _ : state) {
        w.NextImage();
        w.app.linkView().RefreshAfterTransfer();
        QApplication::processEvents();
    }
}

void BM_RefreshAfterDownloadOnMusic(benchmark::State& state) {
    RefreshAfterDownload(state, kTabMusic);
}
BENCHMARK(BM_RefreshAfterDownloadOnMusic)->Unit(benchmark::kMillisecond);

void BM_RefreshAfterDownloadOnMain(benchmark::State& state) {
    RefreshAfterDownload(state, kTabMain);
}
BENCHMARK(BM_RefreshAfterDownloadOnMain)->Unit(benchmark::kMillisecond);

void BM_TabSwitchWithRepaint(benchmark::State& state) {
    Window w;
    w.NextImage();
    const int tabs[] = {kTabMusic, kTabMicA,     kTabMain,      kTabEffect,
                        kTabMicB,  kTabSurround, kTabDynamicEq, kTabSub};
    size_t next = 0;
    for (auto _ : state) {
        w.app.pageSwitcher().OnTabClicked(tabs[next++ % std::size(tabs)]);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_TabSwitchWithRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zt
