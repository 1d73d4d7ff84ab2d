#pragma once
// Command line of the zt461-sim program.

#include <string>
#include <vector>

#include "sim/sim_faults.h"

namespace zt {

inline constexpr char kDefaultSimPortName[] = "ZT461-SIM";

struct SimOptions {
    SimFaults faults;
    std::string name = kDefaultSimPortName;  // file name of the link in the port folder
    std::string statusFile;                  // empty: none
    std::string dumpFile;                    // empty: none
    bool panelLock = false;                  // the panel key lock on from the start
    bool verbose = false;
    bool help = false;
};

// Parses the arguments after the program name ("--flag=value" or "--flag value"). Returns false
// with a message in `error` on an unknown flag or a bad value.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error);

std::string SimHelpText();

}  // namespace zt
