#include "params/image_changes.h"

namespace zt {

void WriteNotes::Note(ParamAddress logical, ParamAddress device, bool sent) {
    if (!IsStoreAddress(device)) return;
    // A later write that was only stored does not undo that the value was sent.
    if (sent) {
        sent_[device] = logical;
    } else {
        sent_.try_emplace(device, kStoredOnly);
    }
}

ParamAddress WriteNotes::SentUnder(ParamAddress device) const {
    const auto found = sent_.find(device);
    return found == sent_.end() ? kStoredOnly : found->second;
}

std::vector<ParamChange> ImageChanges(const DeviceImage& before, const DeviceImage& after,
                                      const WriteNotes& notes) {
    std::vector<ParamChange> changes;
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const int32_t was = before.Get(page, slot);
            const int32_t is = after.Get(page, slot);
            if (was == is) continue;
            const ParamAddress device = MakeAddress(page, slot);
            changes.push_back({device, notes.SentUnder(device), was, is});
        }
    }
    return changes;
}

std::vector<ParamChange> MergeChanges(const std::vector<ParamChange>& first,
                                      const std::vector<ParamChange>& second) {
    std::vector<ParamChange> merged;
    merged.reserve(first.size() + second.size());
    auto a = first.begin();
    auto b = second.begin();
    auto keep = [&merged](const ParamChange& change) {
        if (change.before != change.after) merged.push_back(change);
    };
    while (a != first.end() || b != second.end()) {
        if (b == second.end() || (a != first.end() && a->device < b->device)) {
            keep(*a++);
        } else if (a == first.end() || b->device < a->device) {
            keep(*b++);
        } else {
            const ParamAddress sentUnder = b->logical != kStoredOnly ? b->logical : a->logical;
            keep({a->device, sentUnder, a->before, b->after});
            ++a;
            ++b;
        }
    }
    return merged;
}

}  // namespace zt
