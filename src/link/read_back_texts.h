#pragma once
// What the read-back says to the user: the state beside the status line, and the names of the
// values the processor did not confirm.

#include <string>
#include <vector>

#include "link/read_back.h"
#include "params/bilingual_text.h"
#include "params/param_address.h"

namespace zt {

inline const BilingualText kReadBackChecking{"校验中...", "Checking..."};
inline const BilingualText kReadBackAllMatch{"参数一致", "All match"};
inline const BilingualText kReadBackOff{"", ""};

// The short state shown beside the status line: checking, all match, or how many values are
// not confirmed; nothing while read-back is off.
BilingualText ReadBackStateText(const ReadBackStatus& status);

// The same state as a mark small enough to sit beside the status line: a tick when all match,
// an ellipsis while checking, "!" and the count of values not confirmed; nothing while off.
std::string ReadBackMark(const ReadBackStatus& status);

// A device address as the user knows it: "MIC B band 20 shelf Q (0x0372)".
BilingualText DeviceParamName(ParamAddress device);

// The message naming the values the processor still does not show after three rounds.
BilingualText UnconfirmedMessage(const std::vector<ParamAddress>& addresses);

}  // namespace zt
