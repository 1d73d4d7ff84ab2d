#pragma once
// Two images of the processor's memory compared by name: which parameters differ, with both
// values as the window shows them, in the order of the channels. Files and processors hold
// different parts of the memory, so the caller says which addresses count.

#include <string>
#include <vector>

#include "params/param_address.h"
#include "params/param_names.h"

namespace zt {

// The addresses a preset file holds: pages 0..24 up to their last saved slot, and 0x1E14.
std::vector<ParamAddress> PresetFileAddresses();

// The addresses a download fills: the slots of pages 0..29 that a transfer carries and the
// system items that are values (0x1E01 .. 0x1E04, 0x1E08, 0x1E14).
std::vector<ParamAddress> DownloadedAddresses();

// The addresses both lists hold, in address order.
std::vector<ParamAddress> CommonAddresses(const std::vector<ParamAddress>& a,
                                          const std::vector<ParamAddress>& b);

struct ImageDifference {
    const ParamName* name = nullptr;
    int valueA = 0;
    int valueB = 0;
};

// The addresses whose values differ, in address order (channel by channel).
std::vector<ImageDifference> CompareImages(const PageMemory& a, const PageMemory& b,
                                           const std::vector<ParamAddress>& addresses,
                                           const ParamNames& names);

// The differences as lines of text in one language, grouped under their channels:
//   MIC A
//     EQ 3 Gain: -3.0dB -> 0.0dB
std::vector<std::string> DifferenceLines(const std::vector<ImageDifference>& differences,
                                         bool chinese);

}  // namespace zt
