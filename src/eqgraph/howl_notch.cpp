#include "eqgraph/howl_notch.h"

#include <algorithm>
#include <cmath>

#include "params/value_scales.h"
#include "params/value_tables.h"

namespace zt {

int NotchQIndex() {
    return static_cast<int>(ParseValue(kKindQ, kNotchQ));
}

int NotchFrequencyIndex(double hz) {
    return std::clamp(static_cast<int>(ParseValue(kKindFrequency, hz)), 0, kFrequencyCount - 1);
}

bool IsFreeBand(const ExchangeBand& band) {
    return band.type == kBandTypeBypass || band.gainStep == kFlatGain;
}

bool IsNotchBand(const ExchangeBand& band) {
    const int depth = kNotchFirstGain - band.gainStep;
    return band.type == kBandTypePeq && band.qIndex == NotchQIndex() && depth >= 0 &&
           band.gainStep >= kNotchDeepestGain && depth % kNotchGainStep == 0;
}

NotchPlan PlanNotch(std::span<const ExchangeBand> bands, double hz,
                    const std::vector<bool>& freeHere) {
    NotchPlan plan;
    if (!(hz > 0.0)) return plan;
    // The notch already nearest the howl, within reach.
    double nearest = kNotchReachOctaves;
    for (int b = 0; b < static_cast<int>(bands.size()); ++b) {
        if (!IsNotchBand(bands[b])) continue;
        const double distance = std::abs(std::log2(FrequencyHz(bands[b].frequencyIndex) / hz));
        if (distance > nearest) continue;
        nearest = distance;
        plan.band = b;
    }
    if (plan.band >= 0) {
        plan.setting = bands[plan.band];
        if (plan.setting.gainStep <= kNotchDeepestGain) {
            plan.outcome = NotchPlan::Outcome::AtDeepest;
        } else {
            plan.outcome = NotchPlan::Outcome::Deepened;
            plan.setting.gainStep -= kNotchGainStep;
        }
        return plan;
    }
    auto free = [&](int b) {
        return IsFreeBand(bands[b]) && (static_cast<std::size_t>(b) >= freeHere.size() ||
                                        freeHere[static_cast<std::size_t>(b)]);
    };
    auto first = [&](auto&& wanted) {
        for (int b = 0; b < static_cast<int>(bands.size()); ++b) {
            if (free(b) && wanted(bands[b])) return b;
        }
        return -1;
    };
    plan.band = first([](const ExchangeBand& band) {
        return band.type == kBandTypeBypass && band.gainStep == kFlatGain;
    });
    if (plan.band < 0)
        plan.band = first([](const ExchangeBand& b) { return b.gainStep == kFlatGain; });
    if (plan.band < 0) plan.band = first([](const ExchangeBand&) { return true; });
    if (plan.band < 0) return plan;
    plan.outcome = NotchPlan::Outcome::Placed;
    plan.setting = bands[plan.band];
    plan.setting.type = kBandTypePeq;
    plan.setting.frequencyIndex = NotchFrequencyIndex(hz);
    plan.setting.gainStep = kNotchFirstGain;
    plan.setting.qIndex = NotchQIndex();
    return plan;
}

}  // namespace zt
