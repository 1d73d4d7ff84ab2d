#pragma once
// The link writes logical addresses under a selection, as the window's controls do. A command
// names processor addresses; this finds the selection and logical address that reach one.

#include <optional>

#include "params/param_address.h"
#include "params/selection.h"

namespace zt::ctl {

struct LogicalWrite {
    SelectionState selection;
    ParamAddress logical = 0;
};

// nullopt for an address no control of the window can reach (the right sides' copies of the
// shared output limiter, for example).
std::optional<LogicalWrite> LogicalWriteFor(ParamAddress device);

}  // namespace zt::ctl
