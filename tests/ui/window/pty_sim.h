#pragma once
// A simulated processor inside the test process, reached by the editor through a real pseudo
// terminal: its port appears in the runtime folder's port list like the zt461-sim program's,
// and its answers are written back on the user-interface thread as the bytes arrive.

#include <unistd.h>
#include <QSocketNotifier>
#include <QString>
#include <memory>
#include <string>

#include "sim/pty_link.h"
#include "sim/sim_processor.h"

namespace zt {

class PtySim {
public:
    // Puts the port ZT461-SIM into `runtimeFolder`/zt461/ports.
    bool Start(const QString& runtimeFolder, std::string& error) {
        if (!link_.Create((runtimeFolder + "/zt461/ports").toStdString(), "ZT461-SIM", error)) {
            return false;
        }
        notifier_ = std::make_unique<QSocketNotifier>(link_.master(), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Serve(); });
        return true;
    }

    SimProcessor& processor() { return processor_; }

private:
    void Serve() {
        uint8_t buffer[4096];
        const ssize_t n = ::read(link_.master(), buffer, sizeof buffer);
        if (n <= 0) return;
        const Bytes answer = processor_.Receive(buffer, static_cast<size_t>(n));
        size_t written = 0;
        while (written < answer.size()) {
            const ssize_t w =
                ::write(link_.master(), answer.data() + written, answer.size() - written);
            if (w <= 0) break;
            written += static_cast<size_t>(w);
        }
    }

    SimProcessor processor_;
    PtyLink link_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace zt
