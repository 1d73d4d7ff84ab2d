#include "sim/factory_settings.h"

#include <array>

#include "params/page_table.h"

namespace zt {
namespace {

// Frequency indexes (36 per octave, index 0 = 19.7 Hz) used below.
constexpr int kFreq20Hz = 1;
constexpr int kFreq80Hz = 73;
constexpr int kFreq100Hz = 85;
constexpr int kFreq120Hz = 94;
constexpr int kFreq200Hz = 121;
constexpr int kFreqOpen = 360;  // 20200 Hz: the low-pass filter lets everything through

constexpr int kLinkwitzRiley24 = 9;  // crossover type "24dB Link-Riley"
constexpr int kLinkwitzRiley12 = 4;  // crossover type "12dB Link-Riley"
constexpr int kGain0dB = 120;        // EQ gain step of 0.0 dB

struct Crossover {
    int highPassType, highPassFrequency, lowPassType, lowPassFrequency;
};

void ResetBands(PageMemory& m, int page, int firstSlot, int bands, int step, int kind) {
    for (int band = 0; band < bands; ++band) {
        for (int field = 0; field < kBandFieldCount; ++field) {
            const int value =
                field == kFieldFrequency ? EqDefaultFrequency(kind, band) : kEqFieldDefaults[field];
            m.Set(page, firstSlot + band * step + field, value);
        }
    }
}

void SetCrossover(PageMemory& m, int page, const Crossover& c) {
    const PageLayout& layout = PageLayoutOf(page);
    m.Set(page, layout.highPass.typeSlot, c.highPassType);
    m.Set(page, layout.highPass.frequencySlot, c.highPassFrequency);
    m.Set(page, layout.lowPass.typeSlot, c.lowPassType);
    m.Set(page, layout.lowPass.frequencySlot, c.lowPassFrequency);
}

void FillEqPages(PageMemory& m) {
    for (int page = 0; page < kTransferPageCount; ++page) {
        const PageLayout& layout = PageLayoutOf(page);
        if (layout.bandCount == 0) continue;
        ResetBands(m, page, layout.firstBandSlot, layout.bandCount, layout.bandStep, layout.kind);
    }
    // The second music set starts out like the first.
    ResetBands(m, 0, 10 + kMusicSecondSetOffset, 15, 5, 0);
}

void FillMusic(PageMemory& m) {
    for (int slot = 0; slot <= 2; ++slot) m.Set(0, slot, 20);  // input volumes at 0 dB
    m.Set(0, 3, 7);                                            // key control in the middle
    SetCrossover(m, 0, {0, kFreq20Hz, 0, kFreqOpen});
    m.Set(0, 8, 1);    // left and right edited together
    m.Set(0, 162, 1);  // main sides together
    m.Set(0, 163, 1);  // surround sides together
}

void FillDynamicEq(PageMemory& m) {
    // Three bands of ten slots from slot 1, then a second set of three from slot 31.
    constexpr std::array<int, 3> kFrequencies{20, 129, 280};
    for (int set = 0; set < 2; ++set) {
        for (int band = 0; band < 3; ++band) {
            const int b = 1 + set * 30 + band * 10;
            const std::array<int, 10> values{0, 1, kFrequencies[band], kGain0dB, 16, 10, 30, 6,
                                             3, 10};
            for (int i = 0; i < 10; ++i) m.Set(1, b + i, values[i]);
        }
    }
}

void FillMicrophone(PageMemory& m, int page) {
    const std::array<int, 9> dynamics{20, 0, 0, 6, 3, 34, 6, 3, 10};
    for (int slot = 0; slot < 9; ++slot) m.Set(page, slot, dynamics[slot]);
    SetCrossover(m, page, {kLinkwitzRiley12, kFreq100Hz, 0, kFreqOpen});
    m.Set(page, 13, 1);  // MIC A and MIC B edited together
}

void FillEcho(PageMemory& m, int page, int delay, int repeat) {
    const std::array<int, 9> values{60, 0, 100, 0, 100, delay, repeat, 0, 50};
    for (int slot = 0; slot < 9; ++slot) m.Set(page, slot, values[slot]);
    SetCrossover(m, page, {kLinkwitzRiley12, kFreq100Hz, 0, kFreqOpen});
}

void FillReverb(PageMemory& m, int time) {
    const std::array<int, 6> values{50, 0, 100, 0, 10, time};
    for (int slot = 0; slot < 6; ++slot) m.Set(5, slot, values[slot]);
    SetCrossover(m, 5, {kLinkwitzRiley12, kFreq120Hz, 0, kFreqOpen});
}

void FillOutputs(PageMemory& m) {
    for (int page = 6; page <= 23; ++page) {
        const std::array<int, 16> values{100, 0, 100, 0, 100, 0, 100, 0,
                                         100, 0, 0,   0, 34,  6, 3,   10};
        for (int slot = 0; slot < 16; ++slot) m.Set(page, slot, values[slot]);
        const bool sub = page >= 21;
        SetCrossover(m, page,
                     sub ? Crossover{kLinkwitzRiley24, kFreq20Hz, kLinkwitzRiley24, kFreq120Hz}
                         : Crossover{0, kFreq20Hz, 0, kFreqOpen});
        if (!sub && page >= 12 && page <= 17) m.Set(page, 17, kFreq80Hz);
    }
}

void FillVolumes(PageMemory& m) {
    // Normal volumes, then start and maximum volumes of microphone, music and effect.
    const std::array<int, 10> values{60, 60, 60, 40, 84, 40, 84, 40, 84, 0};
    for (int slot = 0; slot < 10; ++slot) m.Set(29, slot, values[slot]);
}

void FillSystem(PageMemory& m) {
    m.Set(30, 2, 0);   // current mode
    m.Set(30, 3, 0);   // music input level 0 dB
    m.Set(30, 4, 0);   // panel key lock off
    m.Set(30, 8, 0);   // user mode
    m.Set(30, 20, 0);  // music input chosen automatically
}

// Per factory mode: echo delay and repeat, reverb time, scene, and a bass lift of the music EQ.
struct Flavour {
    int echoDelay, echoRepeat, reverbTime, scene, bassGain;
};
constexpr std::array<Flavour, 7> kFlavours{{
    {125, 50, 32, 0, kGain0dB},       // power-on memory (as MF1)
    {125, 50, 32, 0, kGain0dB},       // MF1 KTV standard
    {110, 45, 28, 0, kGain0dB + 10},  // MF2 pop
    {90, 35, 24, 0, kGain0dB + 20},   // MF3 rock
    {60, 20, 16, 1, kGain0dB + 30},   // MF4 disco
    {40, 10, 40, 2, kGain0dB + 15},   // MF5 cinema
    {20, 5, 8, 0, kGain0dB - 20},     // MF6 speech
}};

constexpr std::array<const char*, 6> kFactoryNames{"KTV Standard", "Pop",   "Rock",
                                                   "Disco",        "Movie", "Speech"};

}  // namespace

PageMemory FactoryMemory(int variant) {
    const Flavour& f = kFlavours[variant >= 1 && variant <= 6 ? variant : 0];
    PageMemory m;
    FillEqPages(m);
    FillMusic(m);
    FillDynamicEq(m);
    FillMicrophone(m, 2);
    FillMicrophone(m, 3);
    FillEcho(m, 4, f.echoDelay, f.echoRepeat);
    FillEcho(m, 24, f.echoDelay + 20, f.echoRepeat);
    FillReverb(m, f.reverbTime);
    FillOutputs(m);
    FillVolumes(m);
    FillSystem(m);
    m.Set(0, 161, f.scene);
    for (int band = 0; band < 2; ++band) m.Set(0, 10 + band * 5 + kFieldGain, f.bassGain);
    return m;
}

std::string FactoryModeName(int mode) {
    if (mode >= kFirstFactoryMode && mode < kDeviceModeCount) return kFactoryNames[mode - 16];
    if (mode >= 0 && mode < kFirstFactoryMode) return "User " + std::to_string(mode + 1);
    return {};
}

}  // namespace zt
