#pragma once
// The whole editor window, offscreen, linked once per test suite to a processor simulated in
// this process behind a real pseudo-terminal; tests drag the graph's markers with mouse events
// and read the writes the processor received.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "link/protocol.h"
#include "link/qt/link_window.h"
#include "tests/ui/window/pty_sim.h"
#include "tests/ui/window/window_fixture.h"
#include "ui/app/editor_app.h"
#include "ui/app/eq_graph_side.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/swapping.h"

namespace zt::test {

struct ProcessorWrite {
    ParamAddress address;  // the processor's own address
    int value;
    bool operator==(const ProcessorWrite&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ProcessorWrite& w) {
    return out << std::hex << "0x" << w.address << std::dec << "=" << w.value;
}

class LinkedGraph : public ::testing::Test {
protected:
    struct Suite {
        QTemporaryDir runtime;
        QByteArray savedRuntime;
        PtySim sim;
        std::unique_ptr<EditorApp> app;
        size_t seenFrames = 0;
        ProcessorWrite lastWrite{-1, -1};
    };

    static void SetUpTestSuite() {
        suite_ = new Suite;
        suite_->savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", suite_->runtime.path().toUtf8());
        std::string error;
        if (!suite_->sim.Start(suite_->runtime.path(), error)) return;
        suite_->app = std::make_unique<EditorApp>(std::make_unique<RecordingMessages>());
        suite_->app->Show();
        QApplication::setActiveWindow(&suite_->app->window());
        // The link at test speed: the search tick now, and each transfer step as soon as its
        // answer is in, rather than on the link window's timers. SetUp reports a link that did
        // not come up.
        LinkEngine& link = suite_->app->link();
        link.OnSearchTick();
        QDeadlineTimer deadline(30000);
        while (!link.linkOnline() && !deadline.hasExpired()) {
            QTest::qWait(1);
            if (link.transferRunning() && link.answered()) link.OnTransferTick();
        }
        // Failing that, the link window's own timers may still get there.
        if (!link.linkOnline()) (void)QTest::qWaitFor([&] { return link.linkOnline(); }, 30000);
    }

    static void TearDownTestSuite() {
        if (suite_) suite_->app.reset();
        if (suite_) qputenv("XDG_RUNTIME_DIR", suite_->savedRuntime);
        delete suite_;
        suite_ = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(suite_ && suite_->app) << "the simulated processor did not start";
        ASSERT_TRUE(app().link().linkOnline())
            << "no link; ports " << PortNames().toStdString() << ", status "
            << window().tabStrip().linkLabel->text().toStdString();
        // Every test starts on the music page with the EQ reset and manual output EQ.
        ChooseTab(kTabMusic);
        if (app().channel().manualFlag == 0) Click(window().graph().manulModeBtn);
        ChooseTab(kTabMusic);
        Writes();
    }

    EditorApp& app() { return *suite_->app; }
    QString PortNames() {
        QStringList names;
        for (const PortEntry& port : app().linkWindow().ports()) {
            names << QString::fromStdString(port.name);
        }
        return names.join(", ");
    }
    TForm1& window() { return app().window(); }
    const GraphPanel& panel() { return window().graph(); }
    EqGraph& graph() { return app().eqGraph().graph(); }
    SimProcessor& processor() { return suite_->sim.processor(); }
    template <typename T>
    T* Get(const char* name) {
        return app().registry().Get<T>(QString::fromLatin1(name));
    }

    void ChooseTab(int tab) {
        app().pageSwitcher().OnTabClicked(tab);
        QApplication::processEvents();
    }
    void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

    // The processor's address of a logical address under the current selection.
    ParamAddress Device(ParamAddress logical) { return app().model().ToDeviceAddress(logical); }

    // Lets the link send what is queued and returns the writes the processor received since
    // the last call (keep-alives left out, repeats of a frame folded into one).
    std::vector<ProcessorWrite> Writes() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return app().link().settled(); }, 20000))
            << "the processor did not answer everything sent";
        std::vector<ProcessorWrite> writes;
        const auto& log = processor().log();
        for (size_t i = suite_->seenFrames; i < log.size(); ++i) {
            const SimFrame& f = log[i];
            if (f.command != kCommandWrite || f.data.size() != 2 || f.address == kAddrLinkControl) {
                continue;
            }
            const ProcessorWrite write{f.address, f.data[0] | (f.data[1] << 8)};
            // A frame repeated for a late acknowledgement counts once, also when the repeat
            // arrives after the last call took the first.
            if (write == suite_->lastWrite) continue;
            writes.push_back(write);
            suite_->lastWrite = write;
        }
        suite_->seenFrames = log.size();
        return writes;
    }

    // Presses a marker at its centre with `button`, moves the pointer by `delta` in `steps`
    // moves and releases it there.
    void DragMarker(int marker, QPoint delta, int steps = 4,
                    Qt::MouseButton button = Qt::LeftButton) {
        EqMarker* m = panel().markers[marker];
        const QPoint centre(m->width() / 2, m->height() / 2);
        const QPoint start = m->mapToGlobal(centre);
        QTest::mousePress(m, button, {}, centre);
        for (int k = 1; k <= steps; ++k) {
            QTest::mouseMove(m, m->mapFromGlobal(start + delta * k / steps));
        }
        QTest::mouseRelease(m, button, {}, m->mapFromGlobal(start + delta));
    }

    QPoint MarkerCentre(int marker) {
        const EqMarker* m = panel().markers[marker];
        return m->pos() + QPoint(m->width() / 2, m->height() / 2);
    }

private:
    static inline Suite* suite_ = nullptr;
};

}  // namespace zt::test
