#pragma once
// Time as the event loop's timers see it: the ticks of a 20 ms timer. On a loaded machine the
// event loop runs late and a timer fires less often than its period says; the link's timers
// count their ticks in the same loop, so a time the link measures in its ticks (a repeat after
// 3.2 s, a loss after five silent seconds) is measured here in ticks too. The wall clock still
// bounds a time from below: no timer fires early.

#include <QObject>
#include <QTimer>

namespace zt::test {

class TickClock {
public:
    static constexpr int kTickMs = 20;

    TickClock() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { ++ticks_; });
        timer_.start(kTickMs);
    }

    // Milliseconds of ticks since construction.
    qint64 ms() const { return ticks_ * kTickMs; }

private:
    QTimer timer_;
    qint64 ticks_ = 0;
};

}  // namespace zt::test
