#pragma once
// Ports the search could not open because the user lacks the right to them or another program
// holds them, and the texts that tell the user so: the status dialog's port line while the
// search tries the port, and the advice after a search that found nothing.

#include <string>
#include <vector>

#include "link/link_view.h"
#include "link/serial_port.h"

namespace zt {

struct PortProblem {
    std::string port;
    PortFault fault = PortFault::None;
    std::string holder;  // the program holding a busy port, when known
};

// Only these two causes are the user's to mend; a missing port only fails to answer.
inline bool IsUserMendable(PortFault fault) {
    return fault == PortFault::NoPermission || fault == PortFault::Busy;
}

// The status dialog's port line after the name: "no permission" or "busy (held by minicom)".
BilingualText PortProblemText(const PortProblem& problem);

// The message after "Off Line!" when the search failed and some ports could not be opened for a
// reason the user can mend: one line per port with the cause and the fix.
BilingualText PortProblemAdvice(const std::vector<PortProblem>& problems);

// The message after "Off Line!" when the search tried every port in `ports` (none when the PC
// has no serial port) and no processor answered on any: what to check before linking again.
BilingualText NoAnswerAdvice(const std::vector<std::string>& ports);

}  // namespace zt
