#pragma once
// The processor's page table: slots carried per page, EQ band layout and crossover slots.

#include <array>

#include "params/param_address.h"

namespace zt {

struct CrossoverSlots {
    int typeSlot = -1;  // -1: the page has no such filter
    int frequencySlot = -1;
    bool exists() const { return typeSlot >= 0; }
};

struct PageLayout {
    int slotCount = 0;        // PageSlotCount: slots 0..N-1 carried by a transfer
    int bandCount = 0;        // number of 5-slot EQ bands
    int firstBandSlot = 0;    // slot of band 0, field 0
    int bandStep = 5;         // slot distance between bands
    CrossoverSlots highPass;  // filter type slot, then frequency index slot
    CrossoverSlots lowPass;
    int kind = 4;  // PageKind: EQ family of the page
};

// Layout of processor page 0..30; pages outside that range have an empty layout.
const PageLayout& PageLayoutOf(int page);

// Slots per page that a transfer carries.
int PageSlotCount(int page);

// EQ family of the page of an address: 0 music, 8 dynamic EQ, 1 microphone, 2 effects,
// 3 outputs, 4 everything else.
int PageKind(ParamAddress a);

// Number of fields in an EQ band and their meaning.
inline constexpr int kBandFieldCount = 5;
enum BandField {
    kFieldType = 0,
    kFieldFrequency = 1,
    kFieldGain = 2,
    kFieldQ = 3,
    kFieldShelfQ = 4
};

// Defaults that ResetEq writes: field 0..4 (field 1 comes from EqDefaultFrequency).
inline constexpr std::array<int, kBandFieldCount> kEqFieldDefaults{1, 0, 120, 16, 10};

// Default frequency index of band `band` on a page of the given PageKind.
int EqDefaultFrequency(int pageKind, int band);

// The slot offset between the two music EQ sets.
inline constexpr int kMusicSecondSetOffset = 75;

}  // namespace zt
