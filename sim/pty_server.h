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
};

// Serves `master` until `stopFd` becomes readable (a signalfd or a pipe) or the processor
// vanishes. Never spins: it sleeps in poll() until bytes arrive or an answer falls due.
ServeEnd ServePty(int master, int stopFd, SimProcessor& processor, const ServeHooks& hooks);

}  // namespace zt
