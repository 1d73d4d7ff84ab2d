#pragma once
// A text dump of what the simulated processor holds, so that a test or a script in another
// process can compare it with what the editor downloaded. zt461-sim writes it on SIGUSR1 and
// when it ends (--dump-file).

#include <array>
#include <string>

#include "link/protocol.h"
#include "params/param_address.h"
#include "sim/sim_processor.h"

namespace zt {

struct SimState {
    PageMemory memory;
    std::array<std::string, kDeviceModeCount> modeNames;
    std::string systemPassword;
    std::string panelPassword;
    int framesReceived = 0;
    int onlineCount = 0;
};

// Lines: "frames N", "online N", "system-password P", "panel-password P", "mode I NAME" for
// each mode, then "page P v0 v1 ... v164" for each page 0..30.
std::string DumpSimState(const SimProcessor& processor);

// Reads a dump back; false when a line cannot be read.
bool ParseSimState(const std::string& text, SimState& state);

}  // namespace zt
