#pragma once
// The whole window linked to a simulated processor on a pseudo-terminal, for the tests of the
// edit history and of the EQ exchange: the writes the processor received since a mark, undo and
// redo by keys and buttons, and what a control shows.

#include <QApplication>
#include <QTest>
#include <map>

#include "link/protocol.h"
#include "tests/ui/window/pty_sim.h"
#include "tests/ui/window/window_fixture.h"
#include "ui/app/editing_side.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/type_label.h"

namespace zt {

// Processor address and value of each write the simulator received, the last one per address.
using Writes = std::map<ParamAddress, int>;

class LinkedWindow : public WindowFixture {
protected:
    void BeforeStart() override {
        std::string error;
        ASSERT_TRUE(sim_.Start(runtime_.path(), error)) << error;
    }

    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(QTest::qWaitFor([&] { return app().link().linkOnline(); }, 30000));
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        Settle();
    }

    ParamModel& model() { return app().model(); }
    EditHistory& history() { return app().editingSide().history(); }
    int steps() { return history().stack().count(); }
    const PageMemory& processor() { return sim_.processor().memory(); }

    // Waits until the link has sent everything and the simulator has taken it.
    void Settle() {
        EXPECT_TRUE(QTest::qWaitFor([&] { return app().link().settled(); }, 10000));
        QTest::qWait(60);
    }

    void Mark() { mark_ = sim_.processor().log().size(); }
    Writes WritesSinceMark() {
        Writes writes;
        const auto& log = sim_.processor().log();
        for (size_t i = mark_; i < log.size(); ++i) {
            const SimFrame& f = log[i];
            if (f.command != kCommandWrite || f.data.size() != 2 || f.address == kAddrLinkControl) {
                continue;
            }
            writes[f.address] = f.data[0] | (f.data[1] << 8);
        }
        return writes;
    }

    void ClickTab(int tab) {
        window().tabStrip().tabs[tab]->click();
        Settle();
    }

    // The keys, whichever control has the focus; the redo keys and the buttons take turns.
    void Undo(int turn) {
        if (turn % 3 == 2) {
            app().editingSide().undoControls().undoButton()->click();
        } else {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : &window(), Qt::Key_Z, Qt::ControlModifier);
        }
        Settle();
    }
    void Redo(int turn) {
        QWidget* focus = QApplication::focusWidget();
        QWidget* target = focus ? focus : &window();
        if (turn % 3 == 0) {
            QTest::keyClick(target, Qt::Key_Y, Qt::ControlModifier);
        } else if (turn % 3 == 1) {
            QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        } else {
            app().editingSide().undoControls().redoButton()->click();
        }
        Settle();
    }

    template <typename T>
    T* Get(const char* name) {
        return app().registry().Get<T>(QString::fromLatin1(name));
    }

    // What a control shows, as text.
    QString Shown(const char* name) {
        QWidget* c = app().registry().Find(QString::fromLatin1(name));
        if (auto* edit = qobject_cast<QLineEdit*>(c)) return edit->text();
        if (auto* bar = qobject_cast<QAbstractSlider*>(c)) return QString::number(bar->value());
        if (auto* box = qobject_cast<QComboBox*>(c)) return QString::number(box->currentIndex());
        if (auto* pane = qobject_cast<StatusPane*>(c)) return pane->caption();
        if (auto* button = qobject_cast<BitmapButton*>(c)) {
            return button->hint() + (button->showsPressed() ? "+" : "-");
        }
        if (auto* label = qobject_cast<TypeLabel*>(c)) return label->chosenLook() ? "chosen" : "";
        return QStringLiteral("?");
    }
    std::vector<QString> ShownAll(const std::vector<const char*>& names) {
        std::vector<QString> shown;
        for (const char* name : names) shown.push_back(Shown(name));
        return shown;
    }

    // Every processor address in `writes` holds the value of `image` in the simulator; waits
    // for the frames still on their way through the pseudo-terminal first.
    void ExpectProcessorHolds(const Writes& writes, const DeviceImage& image) {
        auto holds = [&] {
            for (const auto& [address, value] : writes) {
                if (processor().Get(address) != image.Get(address)) return false;
            }
            return true;
        };
        if (QTest::qWaitFor(holds, 20000)) return;
        for (const auto& [address, value] : writes) {
            EXPECT_EQ(processor().Get(address), image.Get(address)) << std::hex << address;
        }
    }

    PtySim sim_;
    size_t mark_ = 0;
};

}  // namespace zt
