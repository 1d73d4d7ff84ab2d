// What a finished download and a tab switch cost the window: the page refresh of every page and
// the switch between channel tabs, each followed by the repaint it causes. The aim for each is
// one display frame (16 ms).
#include <benchmark/benchmark.h>

#include <QApplication>

#include "link/device_info.h"
#include "sim/sim_processor.h"
#include "tests/ui/editing/rig_window.h"

namespace zt {
namespace {

// Stores writes the way the link does while off line: both stores, nothing sent.
class StoringLink : public ParameterLink, public PacedParamWriter {
public:
    explicit StoringLink(ParamModel& model) : model_(model) {}
    void WriteParameter(ParamAddress logical, int value) override {
        model_.StoreValue(logical, value);
    }
    void WriteParameterPaced(ParamAddress logical, int value) override {
        model_.StoreValue(logical, value);
    }
    bool SuppressSend() const override { return suppress_; }
    void SetSuppressSend(bool suppress) override { suppress_ = suppress; }
    std::vector<std::string> ModeListItems() const override { return zt::ModeListItems(info_); }

private:
    ParamModel& model_;
    DeviceInfo info_;
    bool suppress_ = false;
};

struct Window {
    Window() : link(model) {
        frame.Start(model, link, link);
        defaults = model.image();
        const SimProcessor processor;
        for (int page = 0; page < kPageCount; ++page) {
            for (int slot = 0; slot < kSlotCount; ++slot) {
                downloaded.Set(page, slot, processor.memory().Get(page, slot));
            }
        }
    }
    // Alternates between two memories, so that every refresh moves the controls.
    void NextImage() {
        flip = !flip;
        static_cast<PageMemory&>(model.image()) = flip ? downloaded : defaults;
    }
    test::RigFrame frame;
    ParamModel model;
    StoringLink link;
    PageMemory defaults;
    PageMemory downloaded;
    bool flip = false;
};

// Made on first use and ended before the application object.
std::unique_ptr<Window>& WindowSlot() {
    static std::unique_ptr<Window> window;
    return window;
}

Window& TheWindow() {
    if (!WindowSlot()) WindowSlot() = std::make_unique<Window>();
    return *WindowSlot();
}

void BM_RefreshAllPages(benchmark::State& state) {
    Window& w = TheWindow();
    w.frame.ChooseTab(kTabMusic);
    for (auto _ : state) {
        w.NextImage();
        w.frame.editor->RefreshPage(kAllPages);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RefreshAllPages)->Unit(benchmark::kMillisecond);

void BM_RefreshAfterDownload(benchmark::State& state) {
    Window& w = TheWindow();
    w.frame.ChooseTab(kTabMain);
    for (auto _ : state) {
        w.NextImage();
        w.frame.RefreshAfterTransfer();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RefreshAfterDownload)->Unit(benchmark::kMillisecond);

void BM_TabSwitch(benchmark::State& state) {
    Window& w = TheWindow();
    const int tabs[] = {kTabMusic, kTabMicA, kTabMain, kTabMicB, kTabSurround, kTabDynamicEq};
    size_t next = 0;
    for (auto _ : state) {
        w.frame.ChooseTab(tabs[next++ % std::size(tabs)]);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_TabSwitch)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zt

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    zt::WindowSlot().reset();
    return 0;
}
