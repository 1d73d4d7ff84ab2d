// The panel lock of the real editor program on a private X server, linked to the zt461-sim
// program started with its panel key lock on: while the window is locked, dragging an EQ band
// point, the high-pass point and a volume range handle with the X pointer sends the processor
// nothing and changes nothing in its memory. Once the panel lock password is typed, the same
// drags reach it, which shows that the pointer met the points.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "eqgraph/drag_rules.h"
#include "eqgraph/eq_point_list.h"
#include "eqgraph/graph_mapping.h"
#include "eqgraph/nearest.h"
#include "params/value_tables.h"
#include "support/sim_run.h"
#include "support/xvfb_session.h"
#include "tests/e2e/xvfb_editor.h"
#include "ui/widgets/control_registry.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/range_handle.h"
#include "ui/window/graph_panel.h"
#include "ui/window/main_window.h"

#ifndef ZT_EDITOR_PROGRAM
#define ZT_EDITOR_PROGRAM ""
#endif

namespace zt::test {
namespace {

constexpr int kMusicPage = 0;
constexpr int kVolumePage = 29;
constexpr int kMusicMaxVolumeSlot = 6;
const char kPanelPassword[] = "1234";  // the simulator's factory panel lock password

// Where the controls sit inside the window, read from the same window made offscreen here.
struct Layout {
    QPoint plot;             // Image1's top-left corner
    GraphMapping mapping{};  // Image1's size
    QPoint maxHandleParent;  // top-left corner of the music maximum handle's parent
    int maxHandleTop = 0;
    QPoint passwordField;  // the centre of the unlock panel's field
};

Layout ReadLayout() {
    ControlRegistry registry;
    TForm1 window(registry);
    window.show();
    QApplication::processEvents();
    Layout layout;
    const GraphImage* image = window.graph().image1;
    layout.plot = image->mapTo(&window, QPoint(0, 0));
    layout.mapping = {static_cast<double>(image->width()), static_cast<double>(image->height())};
    const auto* handle = registry.Get<RangeHandle>(QStringLiteral("MusMaxImage"));
    layout.maxHandleParent = handle->parentWidget()->mapTo(&window, QPoint(0, 0));
    layout.maxHandleTop = handle->y();
    const QLineEdit* field = window.unlockPanel().panelPassWordEdit;
    layout.passwordField = field->mapTo(&window, field->rect().center());
    return layout;
}

QStringList At(QPoint p) {
    return {QString::number(p.x()), QString::number(p.y())};
}

// Write frames in the simulator's verbose output, without the link's keep-alives.
std::vector<QString> WriteLines(const QString& output) {
    std::vector<QString> writes;
    for (const QString& line : output.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("write ")) &&
            !line.startsWith(QLatin1String("write 1E30"))) {
            writes.push_back(line);
        }
    }
    return writes;
}

class PanelLockOnXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        const QString missing = XvfbSession::MissingTools();
        if (!missing.isEmpty()) GTEST_SKIP() << "missing " << missing.toStdString();
        layout_ = ReadLayout();
        ASSERT_TRUE(sim_.Start()) << "zt461-sim did not start";
        ASSERT_TRUE(session_.StartX(qEnvironmentVariable("XDG_RUNTIME_DIR")));
        ASSERT_TRUE(session_.StartEditor(QStringLiteral(ZT_EDITOR_PROGRAM)));
        ASSERT_TRUE(WaitUntil(
            [&] {
                const auto found = session_.WindowOrigin(QString::fromLatin1(kApplicationTitle));
                if (found) origin_ = *found;
                return found || session_.editor().state() == QProcess::NotRunning;
            },
            30000))
            << "no editor window";
        ASSERT_EQ(session_.editor().state(), QProcess::Running);
        // The window locks in the refresh that ends the download, before the link is online.
        ASSERT_TRUE(WaitUntil([&] { return sim_.status() == "online"; }, 60000))
            << "no link; simulator status " << sim_.status().toStdString();
    }

    SimState Memory() {
        SimState state;
        EXPECT_TRUE(sim_.Dump(state));
        return state;
    }

    // Drags the pointer from `from` (window coordinates) by `delta` in small moves with the left
    // button held; returns once the editor has handled every move (the simulator's answer to a
    // dump comes after them on a busy machine as on an idle one only if they were sent before,
    // so the drag ends with a round trip through the X server).
    void Drag(QPoint from, QPoint delta) {
        const QPoint start = origin_ + from;
        QStringList args = QStringList{"mousemove"} + At(start) + QStringList{"mousedown", "1"};
        constexpr int kMoves = 8;
        for (int k = 1; k <= kMoves; ++k) {
            args += QStringList{"mousemove"} + At(start + delta * k / kMoves);
        }
        args += QStringList{"mouseup", "1"};
        session_.Pointer(args);
    }

    QPoint BandMarker(const SimState& memory, int band) const {
        const int frequencySlot = 10 + 5 * band + 1;
        const double hz = FrequencyHz(memory.memory.Get(kMusicPage, frequencySlot));
        const double gain = memory.memory.Get(kMusicPage, frequencySlot + 1) / 5.0 - 24.0;
        return layout_.plot + QPoint(NearestPixel(layout_.mapping.XOfFrequency(hz)),
                                     NearestPixel(layout_.mapping.YOfGain(gain)));
    }

    QPoint HighPassMarker(const SimState& memory) const {
        const int slot = EqGraphLayoutOf(kMusicPage).highPass.frequencySlot;
        const double hz = FrequencyHz(memory.memory.Get(kMusicPage, slot));
        return layout_.plot + QPoint(NearestPixel(layout_.mapping.XOfFrequency(hz)),
                                     NearestPixel(layout_.mapping.YOfGain(0.0)));
    }

    QPoint MaxVolumeHandle(const SimState& memory) const {
        const int volume = memory.memory.Get(kVolumePage, kMusicMaxVolumeSlot);
        const int left = static_cast<int>(std::nearbyint(volume * 1.89 + 53));
        return layout_.maxHandleParent + QPoint(left + 4, layout_.maxHandleTop + 4);
    }

    // The three drags of the test, from where the memory puts their points.
    void DragAll(const SimState& memory) {
        Drag(BandMarker(memory, 5), {60, -70});
        Drag(HighPassMarker(memory), {80, 0});
        Drag(MaxVolumeHandle(memory), {-40, 0});
    }

    // The simulator's write frames so far, once `done` holds for them or a generous deadline
    // has passed (its output is read while events are handled).
    std::vector<QString> WritesWhen(const std::function<bool(const std::vector<QString>&)>& done,
                                    int timeoutMs) {
        (void)QTest::qWaitFor(
            [&] {
                output_ += sim_.output();
                return done(WriteLines(output_));
            },
            timeoutMs);
        output_ += sim_.output();
        return WriteLines(output_);
    }

    Layout layout_;
    SimRun sim_{{"--panel-lock", "--verbose"}};
    XvfbSession session_;
    QPoint origin_;
    QString output_;
};

TEST_F(PanelLockOnXvfb, NoDragReachesTheProcessorWhileLocked) {
    const SimState before = Memory();
    ASSERT_EQ(before.memory.Get(30, 4), 1) << "the simulator's panel key lock is off";
    DragAll(before);
    // Nothing may come (the download only reads): wait as long as a write would take on a busy
    // machine, then look.
    const std::vector<QString> locked =
        WritesWhen([](const std::vector<QString>& writes) { return !writes.empty(); }, 3000);
    EXPECT_TRUE(locked.empty()) << locked.front().toStdString();
    const SimState after = Memory();
    for (int page = 0; page < 31; ++page) {
        for (int slot = 0; slot < 165; ++slot) {
            EXPECT_EQ(after.memory.Get(page, slot), before.memory.Get(page, slot))
                << "page " << page << " slot " << slot;
        }
    }

    // The password typed into the unlock panel's field unlocks; the message box that says so
    // goes with Enter.
    session_.Pointer(QStringList{"mousemove"} + At(origin_ + layout_.passwordField) +
                     QStringList{"click", "1"});
    session_.Pointer({"type", "--delay", "50", kPanelPassword});
    session_.Pointer({"key", "Return"});
    const QString title = QString::fromLatin1(kApplicationTitle);
    ASSERT_TRUE(WaitUntil([&] { return session_.WindowCount(title) >= 2; }, 20000))
        << "no message after the password";
    session_.Pointer({"key", "Return"});
    ASSERT_TRUE(WaitUntil([&] { return session_.WindowCount(title) < 2; }, 20000));

    // The same drags now reach the processor: the band, the high-pass and the volume limit.
    DragAll(after);
    const auto wroteTo = [](const std::vector<QString>& writes, const char* address) {
        const QString head = QStringLiteral("write ") + QLatin1String(address);
        return std::any_of(writes.begin(), writes.end(),
                           [&](const QString& line) { return line.startsWith(head); });
    };
    const auto all = [&](const std::vector<QString>& writes) {
        return (wroteTo(writes, "0024") || wroteTo(writes, "0025")) && wroteTo(writes, "0005") &&
               wroteTo(writes, "1D06");
    };
    const std::vector<QString> unlocked = WritesWhen(all, 20000);
    auto wrote = [&](const char* address) { return wroteTo(unlocked, address); };
    EXPECT_TRUE(wrote("0024") || wrote("0025")) << "the band point";
    EXPECT_TRUE(wrote("0005")) << "the high-pass point, from index "
                               << after.memory.Get(kMusicPage,
                                                   EqGraphLayoutOf(0).highPass.frequencySlot)
                               << " at slot " << EqGraphLayoutOf(0).highPass.frequencySlot;
    EXPECT_TRUE(wrote("1D06")) << "the volume range handle";
}

}  // namespace
}  // namespace zt::test
