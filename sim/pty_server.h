#pragma once
// The zt461-sim serving loop: bytes from the pseudo-terminal go to the SimProcessor, its answers
// go back after the delay fault, until a stop signal arrives or the processor vanishes.

#include <functional>
#include <string>

#include "sim/sim_processor.h"

namespace zt {

enum class ServeEnd { Stopped, Vanished, Failed };

struct ServeHooks {
    std::function<void(const SimFrame&)> frame;  // every frame received (for --verbose)
    std::function<void()> online;                // the editor came online
    std::function<void()> offline;               // the editor disconnected
    // A signal arrived through the signal descriptor; true ends the serving.
    std::function<bool(int signal)> signal;
};

// Serves `master` until a signal for which hooks.signal answers true arrives on `signalFd` (a
// signalfd), or the processor vanishes. Never spins: it sleeps in poll() until bytes arrive, an
// answer falls due or a signal comes.
ServeEnd ServePty(int master, int signalFd, SimProcessor& processor, const ServeHooks& hooks);

}  // namespace zt
