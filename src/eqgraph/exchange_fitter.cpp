#include "eqgraph/exchange_fitter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "eqgraph/band_response.h"
#include "params/value_scales.h"
#include "params/value_tables.h"

namespace zt {
namespace {

// How much a rise above the ceiling counts against a difference from the target.
constexpr double kCeilingWeight = 8.0;
// An improvement smaller than this is none: it ends the search.
constexpr double kLeastGain = 1e-6;
// Neighbouring entries a line search looks at. A band's first search looks at every Q entry,
// half an octave of frequencies and 3 dB of gain; the joint refinement that follows only moves
// bands a little, and looks closer.
struct Reach {
    int frequency, gain, q;
};
constexpr Reach kFirstReach{18, 15, 128};
constexpr Reach kRefineReach{8, 5, 8};
constexpr int kMaxRounds = 12;
constexpr int kMaxBandPasses = 8;
constexpr int kGainSteps = 181;
constexpr int kLastFrequency = kFrequencyCount - 1;
// Shapes kept between fits: a few imports' worth (each shape is 1.9 kB).
constexpr size_t kShapeCacheLimit = 20000;

const std::array<int, kFrequencyCount>& CentreTable() {
    static const std::array<int, kFrequencyCount> table = [] {
        std::array<int, kFrequencyCount> t{};
        for (int i = 0; i < kFrequencyCount; ++i) {
            t[i] = ResponseCentreIndex(static_cast<int>(std::nearbyint(FrequencyHz(i))));
        }
        return t;
    }();
    return table;
}

double Cost(double largest, double sumSq, int points) {
    return largest + kFitRmsWeight * std::sqrt(sumSq / points);
}

}  // namespace

int NearestFrequencyIndex(double hz) {
    if (!(hz > 0)) return 0;
    int best = 0;
    for (int i = 1; i < kFrequencyCount; ++i) {
        if (std::abs(std::log(FrequencyHz(i) / hz)) < std::abs(std::log(FrequencyHz(best) / hz))) {
            best = i;
        }
    }
    return best;
}

int CentreOfFrequencyIndex(int frequencyIndex) {
    return CentreTable()[std::clamp(frequencyIndex, 0, kLastFrequency)];
}

double GainDbOfStep(int gainStep) {
    return gainStep / 5.0 - 24.0;
}

int QIndexOf(const ExchangeBand& band) {
    return IsShelf(band.type) ? band.slopeIndex : band.qIndex;
}

int QIndexCount(int type) {
    return (IsShelf(type) ? kShelfQMaximum : KindMaximum(kKindQ)) + 1;
}

CurveDeviation DeviationOf(const CurveArray& curve, const CurveArray& target) {
    return DeviationOf(curve, target, kFitFirstIndex, kFitLastIndex);
}

CurveDeviation DeviationOf(const CurveArray& curve, const CurveArray& target, int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, ResponseGrid::PointCount - 1);
    CurveDeviation d;
    d.atIndex = first;
    if (last < first) return d;
    double sumSq = 0.0;
    for (int k = first; k <= last; ++k) {
        const double e = std::abs(curve[k] - target[k]);
        sumSq += e * e;
        if (e > d.largestDb) d.largestDb = e, d.atIndex = k;
    }
    d.rmsDb = std::sqrt(sumSq / (last - first + 1));
    return d;
}

// --- Shapes ---

const ExchangeFitter::Shape& ExchangeFitter::BandShape(int type, int gainStep, int qIndex) {
    const int key = (type * kGainSteps + gainStep) * 128 + qIndex;
    auto [it, added] = bandShapes_.try_emplace(key);
    if (added) {
        const ItemShape kind = ItemPrototype(static_cast<float>(GainDbOfStep(gainStep)),
                                             static_cast<float>(QValue(qIndex)),
                                             static_cast<PointTypeCode>(type), it->second.proto);
        it->second.flat = kind != ItemShape::Prototype;
    }
    return it->second;
}

const ExchangeFitter::Shape& ExchangeFitter::CrossoverShape(bool highPass, int filterType) {
    const int code = (highPass ? kPointHighPassBase : kPointLowPassBase) + filterType;
    auto [it, added] = crossoverShapes_.try_emplace(code);
    if (added) {
        const ItemShape kind =
            filterType < 0 || filterType >= kFilterTypeCount
                ? ItemShape::Flat
                : ItemPrototype(0.0f, 0.0f, static_cast<PointTypeCode>(code), it->second.proto);
        it->second.flat = kind != ItemShape::Prototype;
    }
    return it->second;
}

void ExchangeFitter::Add(const Shape& shape, int centre, CurveArray& sum, double sign) const {
    if (shape.flat) return;
    PrototypeArray laid;
    LayOntoGrid(shape.proto, centre, laid.data());
    for (int k = 0; k < ResponseGrid::PointCount; ++k) sum[k] += sign * laid[k];
}

void ExchangeFitter::AddBand(const ExchangeBand& band, CurveArray& sum, double sign) {
    if (band.type < 1 || band.type > 3) return;  // bypassed: flat
    Add(BandShape(band.type, std::clamp(band.gainStep, 0, kGainSteps - 1),
                  std::clamp(QIndexOf(band), 0, QIndexCount(band.type) - 1)),
        CentreOfFrequencyIndex(band.frequencyIndex), sum, sign);
}

// A high-pass at frequency index 0 and a low-pass at the last index are drawn bypassed.
static bool CrossoverBypassed(const ExchangeCrossover& filter, bool highPass) {
    return highPass ? filter.frequencyIndex <= 0 : filter.frequencyIndex >= kLastFrequency;
}

void ExchangeFitter::AddCrossover(const ExchangeCrossover& filter, bool highPass, CurveArray& sum,
                                  double sign) {
    if (CrossoverBypassed(filter, highPass)) return;
    Add(CrossoverShape(highPass, filter.filterType), CentreOfFrequencyIndex(filter.frequencyIndex),
        sum, sign);
}

CurveArray ExchangeFitter::CurveOf(const ExchangeSettings& settings) {
    CurveArray sum{};
    for (const ExchangeBand& band : settings.bands) AddBand(band, sum);
    if (settings.highPass) AddCrossover(*settings.highPass, true, sum);
    if (settings.lowPass) AddCrossover(*settings.lowPass, false, sum);
    return sum;
}

// --- The search ---

// Holds the running sum of every item and what one item must add to meet the target while it
// is searched.
class ExchangeFitter::Search {
public:
    Search(ExchangeFitter& fitter, const CurveArray& target, ExchangeSettings& settings,
           const FitRequest& request)
        : fitter_(fitter),
          target_(target),
          settings_(settings),
          sum_(fitter.CurveOf(settings)),
          ceiling_(request.ceilingDb.value_or(kInfinity)) {
        for (int k = kFitFirstIndex; k <= kFitLastIndex; ++k) {
            const bool compared = k >= request.firstIndex && k <= request.lastIndex;
            weight_[k] = compared ? 1.0 : 0.0;
            points_ += compared;
        }
        points_ = std::max(points_, 1);
        plain_ = !request.ceilingDb && points_ == kFitLastIndex - kFitFirstIndex + 1;
    }

    bool ImproveBand(int b, const Reach& reach) {
        ExchangeBand band = settings_.bands[b];
        if (band.type < 1 || band.type > 3) return false;
        fitter_.AddBand(band, sum_, -1.0);
        SetNeed();
        double best = Score(band, kInfinity);
        const double initial = best;
        for (int pass = 0; pass < kMaxBandPasses; ++pass) {
            const double before = best;
            // Every Q entry once; later passes only look near the entry found.
            QLine(band, best, pass == 0 ? reach.q : kRefineReach.q);
            FrequencyLine(band, best, reach.frequency);
            GainLine(band, best, reach.gain);
            Neighbours(band, best);
            if (best > before - kLeastGain) break;
        }
        settings_.bands[b] = band;
        fitter_.AddBand(band, sum_);
        return best < initial - kLeastGain;
    }

    bool ImproveCrossover(bool highPass) {
        std::optional<ExchangeCrossover>& slot = highPass ? settings_.highPass : settings_.lowPass;
        if (!slot) return false;
        fitter_.AddCrossover(*slot, highPass, sum_, -1.0);
        SetNeed();
        ExchangeCrossover best = *slot;
        double bestCost = Score(fitter_.CrossoverShape(highPass, best.filterType),
                                CentreOfCrossover(best, highPass), kInfinity);
        const double initial = bestCost;
        // Every type at every frequency: the 13 shapes are computed once.
        for (int type = 0; type < kFilterTypeCount; ++type) {
            const Shape& shape = fitter_.CrossoverShape(highPass, type);
            for (int f = highPass ? 1 : 0; f < (highPass ? kFrequencyCount : kLastFrequency); ++f) {
                const double c = Score(shape, CentreOfFrequencyIndex(f), bestCost - kLeastGain);
                if (c < bestCost - kLeastGain) bestCost = c, best = {type, f};
                if (shape.flat) break;
            }
        }
        *slot = best;
        fitter_.AddCrossover(best, highPass, sum_);
        return bestCost < initial - kLeastGain;
    }

    // Gives a free band a place of its own where the remaining error is largest, or bypasses it
    // where it does no good.
    void PlaceFree(int b) {
        int worst = kFitFirstIndex;
        double worstError = -1.0;
        for (int k = kFitFirstIndex; k <= kFitLastIndex; ++k) {
            const double e = weight_[k] * std::abs(target_[k] - sum_[k]);
            if (e > worstError) worst = k, worstError = e;
        }
        ExchangeBand& band = settings_.bands[b];
        fitter_.AddBand(band, sum_, -1.0);
        SetNeed();
        const double bypassed = Score(fitter_.BandShape(0, 120, 16), 0, kInfinity);
        const double error = target_[worst] - sum_[worst];
        ExchangeBand placed{
            1, NearestFrequencyIndex(ResponseGrid::FrequencyOfIndex(worst)),
            std::clamp(static_cast<int>(std::lround((error + 24.0) * 5.0)), 0, kGainSteps - 1), 16,
            band.slopeIndex};
        double best = Score(placed, kInfinity);
        for (int pass = 0; pass < kMaxBandPasses; ++pass) {
            const double before = best;
            QLine(placed, best, pass == 0 ? kFirstReach.q : kRefineReach.q);
            FrequencyLine(placed, best, kFirstReach.frequency);
            GainLine(placed, best, kFirstReach.gain);
            if (best > before - kLeastGain) break;
        }
        if (best < bypassed - kLeastGain) {
            band = placed;
        } else {
            band.type = 0;
        }
        fitter_.AddBand(band, sum_);
    }

private:
    static constexpr double kInfinity = std::numeric_limits<double>::infinity();

    static int CentreOfCrossover(const ExchangeCrossover& filter, bool highPass) {
        return CrossoverBypassed(filter, highPass) ? -1
                                                   : CentreOfFrequencyIndex(filter.frequencyIndex);
    }

    void SetNeed() {
        for (int k = kFitFirstIndex; k <= kFitLastIndex; ++k) {
            need_[k] = target_[k] - sum_[k];
            room_[k] = ceiling_ - sum_[k];
        }
    }

    // The cost of an item of this shape at this centre; anything above `bound` may stop early
    // and report infinity. A centre of -1 is a bypassed crossover.
    double Score(const Shape& shape, int centre, double bound) const {
        return plain_ ? ScoreOf<false>(shape, centre, bound) : ScoreOf<true>(shape, centre, bound);
    }

    // With `limited`, points outside the range count nothing and rises above the ceiling count
    // many times; without, every point counts its difference alone, which runs faster.
    template <bool limited>
    double ScoreOf(const Shape& shape, int centre, double bound) const {
        double largest = 0.0, sumSq = 0.0;
        auto add = [&](double v, int k) {
            double e = std::abs(v - need_[k]);
            if constexpr (limited) {
                e = weight_[k] * e + kCeilingWeight * std::max(v - room_[k], 0.0);
            }
            sumSq += e * e;
            if (e > largest) largest = e;
        };
        if (shape.flat || centre < 0) {
            for (int k = kFitFirstIndex; k <= kFitLastIndex; ++k) add(0.0, k);
            return Cost(largest, sumSq, points_);
        }
        // Grid point k shows prototype step 231 + k - centre, held at the prototype's ends.
        const int offset = kPrototypeCentreStep - centre;
        const int lastStep = ResponseGrid::GridSteps - 1;
        const int middleFirst = std::clamp(-offset, kFitFirstIndex, kFitLastIndex + 1);
        const int middleEnd = std::clamp(lastStep - offset + 1, middleFirst, kFitLastIndex + 1);
        for (int k = kFitFirstIndex; k < middleFirst; ++k) add(shape.proto[0], k);
        // The middle, nearest the item's centre, decides most searches early: checked in
        // pieces against the bound.
        constexpr int kPiece = 32;
        for (int k = middleFirst; k < middleEnd; k += kPiece) {
            const int end = std::min(k + kPiece, middleEnd);
            for (int j = k; j < end; ++j) add(shape.proto[j + offset], j);
            if (largest > bound) return kInfinity;
        }
        for (int k = middleEnd; k <= kFitLastIndex; ++k) add(shape.proto[lastStep], k);
        return largest > bound ? kInfinity : Cost(largest, sumSq, points_);
    }

    double Score(const ExchangeBand& band, double bound) {
        return Score(fitter_.BandShape(band.type, band.gainStep, QIndexOf(band)),
                     CentreOfFrequencyIndex(band.frequencyIndex), bound);
    }

    // Tries `candidate`; keeps it in `band` when it is better.
    void Try(const ExchangeBand& candidate, ExchangeBand& band, double& best) {
        const double c = Score(candidate, best - kLeastGain);
        if (c < best - kLeastGain) best = c, band = candidate;
    }

    void QLine(ExchangeBand& band, double& best, int reach) {
        const ExchangeBand base = band;
        const int current = QIndexOf(base);
        const int low = std::max(0, current - reach);
        const int high = std::min(QIndexCount(base.type) - 1, current + reach);
        for (int q = low; q <= high; ++q) {
            ExchangeBand c = base;
            (IsShelf(c.type) ? c.slopeIndex : c.qIndex) = q;
            Try(c, band, best);
        }
    }

    void FrequencyLine(ExchangeBand& band, double& best, int reach) {
        const ExchangeBand base = band;
        const int low = std::max(0, base.frequencyIndex - reach);
        const int high = std::min(kLastFrequency, base.frequencyIndex + reach);
        for (int f = low; f <= high; ++f) {
            ExchangeBand c = base;
            c.frequencyIndex = f;
            Try(c, band, best);
        }
    }

    // Gain changes the curve smoothly: walks away from the current step while that helps, so
    // that only the shapes on the way are computed.
    void GainLine(ExchangeBand& band, double& best, int reach) {
        for (int direction : {1, -1}) {
            for (int step = 1; step <= reach; ++step) {
                ExchangeBand c = band;
                c.gainStep += direction;
                if (c.gainStep < 0 || c.gainStep >= kGainSteps) break;
                const double before = best;
                Try(c, band, best);
                if (best == before) break;
            }
        }
    }

    // The entries one step away in frequency, gain and Q at once, where single lines stall.
    void Neighbours(ExchangeBand& band, double& best) {
        const ExchangeBand base = band;
        const int qCount = QIndexCount(base.type);
        for (int df = -1; df <= 1; ++df) {
            for (int dg = -1; dg <= 1; ++dg) {
                for (int dq = -1; dq <= 1; ++dq) {
                    ExchangeBand c = base;
                    c.frequencyIndex = std::clamp(base.frequencyIndex + df, 0, kLastFrequency);
                    c.gainStep = std::clamp(base.gainStep + dg, 0, kGainSteps - 1);
                    int& q = IsShelf(c.type) ? c.slopeIndex : c.qIndex;
                    q = std::clamp(q + dq, 0, qCount - 1);
                    Try(c, band, best);
                }
            }
        }
    }

    ExchangeFitter& fitter_;
    const CurveArray& target_;
    ExchangeSettings& settings_;
    CurveArray sum_;
    CurveArray need_{};
    CurveArray room_{};    // how far the sum may still rise at each point
    CurveArray weight_{};  // 1 where the point is compared, 0 where not
    double ceiling_;
    int points_ = 0;
    bool plain_ = true;  // every audible point compared, no ceiling
};

ExchangeSettings ExchangeFitter::Fit(const CurveArray& target, ExchangeSettings start,
                                     const FitRequest& request) {
    using Role = FitRequest::BandRole;
    if (bandShapes_.size() > kShapeCacheLimit) bandShapes_.clear();
    auto role = [&](size_t b) {
        return b < request.roles.size() ? request.roles[b] : Role::Fitted;
    };
    for (ExchangeBand& band : start.bands) {
        band.frequencyIndex = std::clamp(band.frequencyIndex, 0, kLastFrequency);
        band.gainStep = std::clamp(band.gainStep, 0, kGainSteps - 1);
        band.qIndex = std::clamp(band.qIndex, 0, QIndexCount(1) - 1);
        band.slopeIndex = std::clamp(band.slopeIndex, 0, QIndexCount(2) - 1);
    }
    Search search(*this, target, start, request);
    if (request.fitCrossovers) {
        search.ImproveCrossover(true);
        search.ImproveCrossover(false);
    }
    for (size_t b = 0; b < start.bands.size(); ++b) {
        if (role(b) == Role::Free) search.PlaceFree(static_cast<int>(b));
    }
    for (int round = 0; round < kMaxRounds; ++round) {
        bool improved = false;
        if (request.fitCrossovers) {
            improved |= search.ImproveCrossover(true);
            improved |= search.ImproveCrossover(false);
        }
        const Reach& reach = round == 0 && request.wideFirstRound ? kFirstReach : kRefineReach;
        for (size_t b = 0; b < start.bands.size(); ++b) {
            if (role(b) != Role::Fixed) improved |= search.ImproveBand(static_cast<int>(b), reach);
        }
        if (!improved) break;
    }
    return start;
}

}  // namespace zt
