#include "link/device_info.h"

namespace zt {

std::string ModeListText(int index, const std::string& name) {
    if (index < kUserModeCount) return std::to_string(index + 1) + "-" + name;
    return "MF" + std::to_string(index - kUserModeCount + 1) + "-" + name;
}

std::vector<std::string> ModeListItems(const DeviceInfo& info) {
    std::vector<std::string> items;
    items.reserve(kDeviceModeCount);
    for (int index = 0; index < kDeviceModeCount; ++index) {
        items.push_back(ModeListText(index, info.modeNames[index]));
    }
    return items;
}

}  // namespace zt
