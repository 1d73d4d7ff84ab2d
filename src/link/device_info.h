#pragma once
// What the processor reports about itself besides parameter values: the 22 mode names, the two
// passwords and the device ID. Filled by received frames, read by the mode and system pages.

#include <array>
#include <string>
#include <vector>

#include "link/protocol.h"

namespace zt {

// The characters of the panel lock password and of the system password.
inline constexpr int kPanelPasswordLength = 4;
inline constexpr int kSystemPasswordLength = 6;

struct DeviceInfo {
    // Names as the processor reported them (at most 20 characters, unprintable bytes as "?"),
    // or as the user last saved them.
    std::array<std::string, kDeviceModeCount> modeNames;
    // Raw bytes as received; valid only with exactly 4 and 6 characters.
    std::string panelLockPassword;
    std::string systemPassword;
    // Eight upper-case hex digits, empty until the processor reports it.
    std::string deviceId;
};

// Item text of mode index 0..21 in the mode list: "3-Name" for user modes, "MF2-Name" for
// factory modes.
std::string ModeListText(int index, const std::string& name);

// The 22 items of the mode list, in index order.
std::vector<std::string> ModeListItems(const DeviceInfo& info);

}  // namespace zt
