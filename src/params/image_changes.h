#pragma once
// What one edit changed in the device image, found by comparing the image before and after it,
// and how each change reached the processor.

#include <cstdint>
#include <map>
#include <vector>

#include "params/param_address.h"

namespace zt {

// Logical address of a change that was only stored (a copy between the sides of a channel, a
// value shown again while sending was suppressed): there is nothing to send back.
inline constexpr ParamAddress kStoredOnly = -1;

struct ParamChange {
    ParamAddress device = 0;
    // The address write parameter sent the value under, or kStoredOnly.
    ParamAddress logical = kStoredOnly;
    int32_t before = 0;
    int32_t after = 0;
    bool operator==(const ParamChange&) const = default;
};

// The writes of one edit: for each processor address, the logical address of the last write
// that went to the processor.
class WriteNotes {
public:
    void Note(ParamAddress logical, ParamAddress device, bool sent);
    // The logical address the value at `device` was last sent under, or kStoredOnly.
    ParamAddress SentUnder(ParamAddress device) const;
    void Clear() { sent_.clear(); }

private:
    std::map<ParamAddress, ParamAddress> sent_;
};

// Every slot whose value differs between the two images, in address order.
std::vector<ParamChange> ImageChanges(const DeviceImage& before, const DeviceImage& after,
                                      const WriteNotes& notes);

// The changes of two edits made one after the other, as one edit: a slot both changed goes from
// the first's before to the second's after and keeps the address it was last sent under; a slot
// that ends where it began is left out. Both lists and the result are in address order.
std::vector<ParamChange> MergeChanges(const std::vector<ParamChange>& first,
                                      const std::vector<ParamChange>& second);

}  // namespace zt
