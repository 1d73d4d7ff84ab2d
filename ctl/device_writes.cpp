#include "ctl/device_writes.h"

#include <vector>

#include "params/page_table.h"

namespace zt::ctl {
namespace {

// The logical pages whose controls stand for other processor pages.
constexpr int kSharedLogicalPages[] = {2, 4, 6, 9, 15, 25};

// Every selection the window can stand in.
std::vector<SelectionState> Selections() {
    std::vector<SelectionState> all;
    for (int set : {0, 2})
        for (int mic : {2, 3})
            for (int effect : {4, 24, 5})
                for (int output = 6; output <= 23; ++output)
                    for (int scene = 0; scene <= 2; ++scene)
                        for (int hidden : {25, 26, 27})
                            all.push_back({mic, effect, output, hidden, scene, set});
    return all;
}

}  // namespace

std::optional<LogicalWrite> LogicalWriteFor(ParamAddress device) {
    if (!IsStoreAddress(device)) return std::nullopt;
    const int page = PageOf(device);
    const int slot = SlotOf(device);
    std::vector<ParamAddress> candidates{device};
    for (int logical : kSharedLogicalPages) candidates.push_back(MakeAddress(logical, slot));
    // The music EQ's second set is reached from the first set's slots.
    if (page == 0 && slot >= kMusicSecondSetOffset) {
        candidates.push_back(device - kMusicSecondSetOffset);
    }
    for (const SelectionState& s : Selections()) {
        for (ParamAddress logical : candidates) {
            if (ToDeviceAddress(s, logical) == device) return LogicalWrite{s, logical};
        }
    }
    return std::nullopt;
}

}  // namespace zt::ctl
