#include "presets/image_compare.h"

#include <algorithm>
#include <iterator>

#include "params/page_table.h"
#include "presets/preset_format.h"

namespace zt {
namespace {

// System items a download stores as values (the mode names and passwords are texts).
constexpr ParamAddress kDownloadedSystemValues[] = {0x1E01, 0x1E02, 0x1E03,
                                                    0x1E04, 0x1E08, kPresetExtraAddress};
constexpr int kDownloadedPages = 30;

}  // namespace

std::vector<ParamAddress> PresetFileAddresses() {
    std::vector<ParamAddress> addresses;
    for (int page = 0; page < kPresetPageCount; ++page) {
        for (int slot = 0; slot <= kPresetLastSlot[page]; ++slot) {
            addresses.push_back(MakeAddress(page, slot));
        }
    }
    addresses.push_back(kPresetExtraAddress);
    return addresses;
}

std::vector<ParamAddress> DownloadedAddresses() {
    std::vector<ParamAddress> addresses;
    for (int page = 0; page < kDownloadedPages; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            addresses.push_back(MakeAddress(page, slot));
        }
    }
    addresses.insert(addresses.end(), std::begin(kDownloadedSystemValues),
                     std::end(kDownloadedSystemValues));
    return addresses;
}

std::vector<ParamAddress> CommonAddresses(const std::vector<ParamAddress>& a,
                                          const std::vector<ParamAddress>& b) {
    std::vector<ParamAddress> x = a, y = b, common;
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    std::set_intersection(x.begin(), x.end(), y.begin(), y.end(), std::back_inserter(common));
    return common;
}

std::vector<ImageDifference> CompareImages(const PageMemory& a, const PageMemory& b,
                                           const std::vector<ParamAddress>& addresses,
                                           const ParamNames& names) {
    std::vector<ImageDifference> differences;
    for (ParamAddress address : addresses) {
        const int valueA = a.Get(address);
        const int valueB = b.Get(address);
        const ParamName* name = names.Find(address);
        if (valueA != valueB && name) differences.push_back({name, valueA, valueB});
    }
    return differences;
}

std::vector<std::string> DifferenceLines(const std::vector<ImageDifference>& differences,
                                         bool chinese) {
    // Channels in the order they first appear; a channel's lines stay together even where
    // another channel's slots lie between its own (the shared output limiter).
    std::vector<std::string> channels;
    for (const ImageDifference& d : differences) {
        if (std::find(channels.begin(), channels.end(), d.name->channelKey) == channels.end()) {
            channels.push_back(d.name->channelKey);
        }
    }
    std::vector<std::string> lines;
    for (const std::string& channel : channels) {
        bool first = true;
        for (const ImageDifference& d : differences) {
            if (d.name->channelKey != channel) continue;
            if (first) lines.push_back(chinese ? d.name->channel.chinese : d.name->channel.english);
            first = false;
            lines.push_back("  " + (chinese ? d.name->name.chinese : d.name->name.english) + ": " +
                            FormatParamValue(*d.name, d.valueA) + " -> " +
                            FormatParamValue(*d.name, d.valueB));
        }
    }
    return lines;
}

}  // namespace zt
