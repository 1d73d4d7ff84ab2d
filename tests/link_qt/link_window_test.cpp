// TForm3: the link timers follow the engine, and the engine is never entered twice, not even
// from the nested event loop of a message box shown inside a tick.

#include <gtest/gtest.h>

#include <unistd.h>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include "sim/pty_link.h"
#include "tests/link_qt/editor_rig.h"

namespace zt {
namespace {

TEST(LinkWindowTest, TimersFollowTheEngine) {
    test::EditorRig editor;
    const TForm3& form = editor.form;
    EXPECT_EQ(form.holdTimer().interval(), 20);
    EXPECT_EQ(form.searchTimer().interval(), 1000);
    EXPECT_EQ(form.transferTimer().interval(), 100);
    EXPECT_FALSE(form.holdTimer().isActive() || form.searchTimer().isActive() ||
                 form.transferTimer().isActive());

    editor.form.SetPorts({});
    editor.engine().OnLinkButton(LinkButton::LinkBtn);
    EXPECT_TRUE(form.searchTimer().isActive());
    EXPECT_FALSE(form.holdTimer().isActive() || form.transferTimer().isActive());
    // An empty list fails at the first tick, which stops the search timer.
    EXPECT_GE(editor.WaitMessage(kMessageLinkFailed, 3000), 0);
    EXPECT_FALSE(form.searchTimer().isActive());
}

// A view whose status dialog runs its own event loop while the port is open, as a modal box
// shown from inside a tick would.
class ModalView : public test::TimedView {
public:
    void ShowStatusDialog() override {
        if (port == nullptr || !port->IsOpen() || modalRun) return;
        modalRun = true;
        QTimer::singleShot(200, [this] { duringModal(); });
        QEventLoop loop;
        QTimer::singleShot(800, &loop, &QEventLoop::quit);
        loop.exec();
        answeredInModal = engine->answered();
    }
    LinkEngine* engine = nullptr;
    const SerialPort* port = nullptr;
    std::function<void()> duringModal;
    bool modalRun = false;
    bool answeredInModal = true;
};

TEST(LinkWindowTest, BytesArrivingInANestedEventLoopWaitForTheTickToEnd) {
    QTemporaryDir dir;
    PtyLink pty;
    std::string error;
    ASSERT_TRUE(pty.Create(dir.path().toStdString(), "PORT", error)) << error;

    ParamModel model;
    MemoryLog log;
    ModalView view;
    TForm3 form(model, view, log);
    view.engine = &form.engine();
    view.port = &form.port();
    view.duringModal = [&] {
        const uint8_t ack[] = {0xEE, 0xBB};
        ASSERT_EQ(write(pty.master(), ack, sizeof ack), 2);
    };
    form.SetPorts({{"PORT", pty.linkPath()}});
    form.engine().OnLinkButton(LinkButton::LinkBtn);
    // Tick 1 opens the port; tick 2 shows the dialog with the port open.
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.modalRun; }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.engine().answered(); }, 20000));
    EXPECT_FALSE(view.answeredInModal);  // the bytes waited for the tick to return
}

}  // namespace
}  // namespace zt
