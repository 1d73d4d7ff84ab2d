#include "params/page_table.h"

namespace zt {
namespace {

// The pages saved in preset files carry their slots 0 to the file's last slot inclusive: the
// last EQ band's shelf Q sits in that slot (MIC: 20 bands from slot 15 end at 114), and so does
// the copy of the last dynamic EQ slot (slot 60). Counting only up to the last slot would leave
// those values out of every upload, download and page refresh.
constexpr PageLayout kMusic{165, 15, 10, 5, {4, 5}, {6, 7}, 0};
constexpr PageLayout kDynamicEq{61, 3, 2, 10, {}, {}, 8};
constexpr PageLayout kMic{115, 20, 15, 5, {9, 10}, {11, 12}, 1};
constexpr PageLayout kEcho{49, 7, 14, 5, {9, 10}, {11, 12}, 2};
constexpr PageLayout kReverb{46, 7, 11, 5, {6, 7}, {8, 9}, 2};
// The output pages keep the low-pass type in slot 18 and its frequency in slot 19; slot 20 is
// the EQ pass slot.
constexpr PageLayout kOutput{71, 10, 21, 5, {16, 17}, {18, 19}, 3};
constexpr PageLayout kHidden{26, 5, 1, 5, {}, {}, 4};
constexpr PageLayout kSettings{37, 0, 0, 5, {}, {}, 4};
constexpr PageLayout kVolumeLimits{10, 0, 0, 5, {}, {}, 4};
constexpr PageLayout kSystem{21, 0, 0, 5, {}, {}, 4};
constexpr PageLayout kNone{};

constexpr std::array<PageLayout, kPageCount> MakeTable() {
    std::array<PageLayout, kPageCount> table{};
    table[0] = kMusic;
    table[1] = kDynamicEq;
    table[2] = kMic;
    table[3] = kMic;
    table[4] = kEcho;
    table[5] = kReverb;
    for (int page = 6; page <= 23; ++page) table[page] = kOutput;
    table[24] = kEcho;
    for (int page = 25; page <= 27; ++page) table[page] = kHidden;
    table[28] = kSettings;
    table[29] = kVolumeLimits;
    table[30] = kSystem;
    return table;
}

constexpr std::array<PageLayout, kPageCount> kPageTable = MakeTable();

constexpr std::array<int, 15> kMusicFrequencies{2,   25,  49,  73,  96,  120, 144, 167,
                                                187, 215, 238, 262, 287, 309, 333};
constexpr std::array<int, 20> kMicFrequencies{2,   25,  49,  73,  96,  120, 144, 167, 187, 215,
                                              238, 262, 287, 299, 313, 323, 333, 343, 353, 360};
constexpr std::array<int, 7> kEffectFrequencies{2, 50, 100, 150, 200, 250, 300};
constexpr std::array<int, 10> kOutputFrequencies{2, 32, 62, 92, 122, 152, 182, 212, 242, 272};
constexpr std::array<int, 5> kHiddenFrequencies{2, 70, 140, 210, 280};
constexpr std::array<int, 3> kDynamicEqFrequencies{20, 129, 280};

template <std::size_t N>
int Pick(const std::array<int, N>& table, int band) {
    return band >= 0 && band < static_cast<int>(N) ? table[band] : 0;
}

}  // namespace

const PageLayout& PageLayoutOf(int page) {
    return page >= 0 && page < kPageCount ? kPageTable[page] : kNone;
}

int PageSlotCount(int page) {
    return PageLayoutOf(page).slotCount;
}

int PageKind(ParamAddress a) {
    const int page = PageOf(a);
    if (page == 0) return 0;
    if (page == 1) return 8;
    if (page == 2 || page == 3) return 1;
    if (page == 4 || page == 5 || page == 24) return 2;
    if (page >= 6 && page <= 23) return 3;
    return 4;
}

int EqDefaultFrequency(int pageKind, int band) {
    switch (pageKind) {
        case 0:
            return Pick(kMusicFrequencies, band);
        case 1:
            return Pick(kMicFrequencies, band);
        case 2:
            return Pick(kEffectFrequencies, band);
        case 3:
            return Pick(kOutputFrequencies, band);
        case 4:
            return Pick(kHiddenFrequencies, band);
        case 8:
            return Pick(kDynamicEqFrequencies, band);
        default:
            return 0;
    }
}

}  // namespace zt
