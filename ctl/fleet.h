#pragma once
// Runs one job per processor, all at once, one link per port on the one event loop: the cost
// of a fleet is its slowest link, not the sum. A failure on one port never stops the others;
// every port ends with a result, its cause included.

#include <QJsonObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ctl/processor_session.h"
#include "link/qt/port_list.h"
#include "params/bilingual_text.h"

namespace zt::ctl {

struct ProcessorResult {
    std::string port;
    bool ok = false;
    BilingualText error;               // why it failed
    std::vector<BilingualText> lines;  // what it did, for the text output
    QJsonObject json;                  // the same for --json
};

// A job drives one session; it calls `finish` when it is done (result.ok set by then). A failure
// of the session ends the job on its own.
using ProcessorJob = std::function<void(ProcessorSession& session, ProcessorResult& result,
                                        std::function<void()> finish)>;

// Runs the job on every port at once and returns when all have ended, results in port order.
// `progress`: one line per processor redrawn on standard error (a terminal only).
std::vector<ProcessorResult> RunFleet(const std::vector<PortEntry>& ports, const ProcessorJob& job,
                                      bool progress);

}  // namespace zt::ctl
