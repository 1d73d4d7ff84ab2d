#pragma once
// The editor's side of a link test: the parameter model, a view that records what the link
// shows (with the time of each message), and TForm3 with its real port and timers.

#include <QElapsedTimer>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "link/link_texts.h"
#include "link/link_view.h"
#include "link/qt/link_window.h"
#include "params/diagnostic_log.h"
#include "params/param_model.h"

namespace zt::test {

class TimedView : public LinkView {
public:
    TimedView() { clock.start(); }
    void ShowLinkStatus(const BilingualText& text) override { status = text; }
    void SetLinkLabelColour(LinkLabelColour) override {}
    void SetLinkButtonLinked(bool) override {}
    void UpdateStatusDialog(int percent) override { progress = percent; }
    void ShowStatusDialog() override {}
    void HideStatusDialog() override {}
    void ShowSearchPort(const std::string& name) override { searchPort = name; }
    void ShowLinkMessage(const BilingualText& text, const BilingualText&) override {
        messages.push_back({text, clock.elapsed()});
        if (whileShown) whileShown(text);
    }
    void RefreshAfterTransfer() override { ++refreshes; }
    void RebuildModeList(const std::vector<std::string>&) override {}
    void BringUpMainWindow() override {}
    void ShowDeviceId(const std::string& id) override { deviceId = id; }

    struct Message {
        BilingualText text;
        qint64 atMs;
    };
    QElapsedTimer clock;
    BilingualText status;
    int progress = 0;
    std::string searchPort;
    std::vector<Message> messages;
    // Runs while a message is shown, as the user reads a modal box.
    std::function<void(const BilingualText&)> whileShown;
    int refreshes = 0;
    std::string deviceId;
};

struct EditorRig {
    EditorRig() : form(model, view, log) {
        form.SetPortLostHandler([this] {
            ++portLosses;
            lostAtMs = view.clock.elapsed();
        });
    }
    LinkEngine& engine() { return form.engine(); }

    bool WaitOnline(int timeoutMs) {
        return QTest::qWaitFor([this] { return engine().linkOnline(); }, timeoutMs);
    }
    // Waits for a message box of the link; its time, or -1.
    qint64 WaitMessage(const BilingualText& text, int timeoutMs) {
        const size_t seen = view.messages.size();
        for (size_t i = 0; i < seen; ++i) {
            if (view.messages[i].text == text) return view.messages[i].atMs;
        }
        if (!QTest::qWaitFor([&] { return view.messages.size() > seen; }, timeoutMs)) return -1;
        // The first new message; a failed search may add its advice in the same tick.
        return view.messages[seen].text == text ? view.messages[seen].atMs : -1;
    }

    ParamModel model;
    MemoryLog log;
    TimedView view;
    TForm3 form;
    int portLosses = 0;
    qint64 lostAtMs = -1;
};

}  // namespace zt::test
