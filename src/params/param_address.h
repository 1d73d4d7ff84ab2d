#pragma once
// Parameter addresses and the two stores that mirror the processor's memory.
//
// A ParamAddress is page * 256 + slot. Pages 0..30 exist (30 is the processor's system page),
// slots 0..164 in every page. Anything outside that range is not part of either store: reads
// give 0 and writes are ignored.

#include <array>
#include <cstdint>

namespace zt {

using ParamAddress = int32_t;

inline constexpr int kPageCount = 31;
inline constexpr int kSlotCount = 165;
inline constexpr int kSystemPage = 30;
// The first microphone channel's page (MIC A).
inline constexpr int kMicrophonePage = 2;

constexpr int PageOf(ParamAddress a) {
    return a / 256;
}
constexpr int SlotOf(ParamAddress a) {
    return a % 256;
}
constexpr ParamAddress MakeAddress(int page, int slot) {
    return page * 256 + slot;
}

constexpr bool IsStoreAddress(int page, int slot) {
    return page >= 0 && page < kPageCount && slot >= 0 && slot < kSlotCount;
}
constexpr bool IsStoreAddress(ParamAddress a) {
    return a >= 0 && IsStoreAddress(PageOf(a), SlotOf(a));
}

// 31 pages x 165 slots of signed 32-bit values, all zero at start.
class PageMemory {
public:
    int32_t Get(int page, int slot) const {
        return IsStoreAddress(page, slot) ? values_[page][slot] : 0;
    }
    int32_t Get(ParamAddress a) const { return IsStoreAddress(a) ? Get(PageOf(a), SlotOf(a)) : 0; }

    void Set(int page, int slot, int32_t value) {
        if (IsStoreAddress(page, slot)) values_[page][slot] = value;
    }
    void Set(ParamAddress a, int32_t value) {
        if (IsStoreAddress(a)) Set(PageOf(a), SlotOf(a), value);
    }

    void Clear() { values_ = {}; }
    bool operator==(const PageMemory&) const = default;

private:
    std::array<std::array<int32_t, kSlotCount>, kPageCount> values_{};
};

// Values under the logical addresses that the window's controls carry.
class ParamStore : public PageMemory {};

// Values under the processor's own addresses: downloaded, edited, uploaded and saved to files.
class DeviceImage : public PageMemory {};

}  // namespace zt
