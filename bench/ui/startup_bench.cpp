// Start-up of the main window offscreen: from program start (main window, link window, status
// dialog) to a shown window whose controls are bound, reset and refreshed; and the two
// window-wide operations a user triggers most, the page switch and the language switch.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "ui/app/editor_app.h"
#include "ui/widgets/swapping.h"

namespace zt {
namespace {

// Message boxes would wait for a click; the benchmarks only count them.
class CountedMessages : public WindowMessages {
public:
    void Inform(const QString&, const QString&) override { ++count; }
    int count = 0;
};

std::unique_ptr<EditorApp> MakeEditor() {
    return std::make_unique<EditorApp>(std::make_unique<CountedMessages>());
}

void BM_StartUpToBoundWindow(benchmark::State& state) {
    for (auto _ : state) {
        auto editor = MakeEditor();
        editor->Show();
        benchmark::DoNotOptimize(editor->window().startUpComplete());
        state.PauseTiming();
        editor.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToBoundWindow)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_PageSwitchAllTabs(benchmark::State& state) {
    auto editor = MakeEditor();
    editor->Show();
    const auto& tabs = editor->window().tabStrip().tabs;
    for (auto _ : state) {
        for (int tab = 0; tab < kTabCount; ++tab) editor->pageSwitcher().OnTabClicked(tab);
    }
    state.SetItemsProcessed(state.iterations() * kTabCount);
    benchmark::DoNotOptimize(tabs[0]->selectedLook());
}
BENCHMARK(BM_PageSwitchAllTabs)->Unit(benchmark::kMicrosecond);

void BM_LanguageRoundTrip(benchmark::State& state) {
    auto editor = MakeEditor();
    editor->Show();
    for (auto _ : state) {
        editor->languageSwitch().SetLanguage(kChinese);
        editor->languageSwitch().SetLanguage(kEnglish);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_LanguageRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zt

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // A port folder of its own, empty: the link search finds nothing to open.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
