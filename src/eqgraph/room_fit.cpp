#include "eqgraph/room_fit.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace zt {
namespace {

// Half an octave each side of a point.
constexpr int kHalfOctave = 21;
constexpr double kLargestBoostDb = 24.0;
// The target's level is moved at most once after the first fit, when the fit lies this far off.
constexpr int kLevelPasses = 2;
constexpr double kLevelSettledDb = 0.05;

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    const auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    double median = *middle;
    if (values.size() % 2 == 0) median = (median + *std::max_element(values.begin(), middle)) / 2;
    return median;
}

double RoundedToTenth(double db) {
    return std::round(db * 10.0) / 10.0;
}

}  // namespace

CurveArray TargetCurve(const HouseCurve& house) {
    CurveArray target{};
    for (int k = 0; k < ResponseGrid::PointCount; ++k) {
        const double hz = ResponseGrid::FrequencyOfIndex(k);
        const double ratio = hz / house.bassCornerHz;
        if (house.bassCornerHz > 0) target[k] += house.bassLiftDb / (1.0 + ratio * ratio);
        if (hz > kTiltFromHz)
            target[k] += house.trebleTiltDbPerOctave * std::log2(hz / kTiltFromHz);
    }
    return target;
}

CurveArray OctaveMedian(const CurveArray& measured) {
    CurveArray median{};
    for (int k = 0; k < ResponseGrid::PointCount; ++k) {
        const int from = std::max(k - kHalfOctave, 0);
        const int to = std::min(k + kHalfOctave, ResponseGrid::PointCount - 1);
        median[k] = Median(std::vector<double>(measured.begin() + from, measured.begin() + to + 1));
    }
    return median;
}

std::vector<bool> NarrowDips(const CurveArray& measured, const CurveArray& median, int first,
                             int last) {
    std::vector<bool> dips(ResponseGrid::PointCount, false);
    first = std::max(first, 0);
    last = std::min(last, ResponseGrid::PointCount - 1);
    const auto below = [&](int k, double depth) { return measured[k] <= median[k] - depth; };
    for (int k = first; k <= last; ++k) {
        if (dips[k] || !below(k, kDipDepthDb)) continue;
        // The dip with its flanks, down to where the measurement comes back near the median.
        int low = k, high = k;
        while (low > first && below(low - 1, kDipFlankDb)) --low;
        while (high < last && below(high + 1, kDipFlankDb)) ++high;
        std::fill(dips.begin() + low, dips.begin() + high + 1, true);
    }
    return dips;
}

namespace {

// The fitting range on the grid, within the audible range.
std::pair<int, int> FitRange(const RoomFitSettings& settings) {
    if (!std::isfinite(settings.fromHz) || !std::isfinite(settings.toHz)) {
        throw std::invalid_argument("fitting range not finite");
    }
    const double fromIndex = ResponseGrid::IndexOfFrequency(settings.fromHz);
    const double toIndex = ResponseGrid::IndexOfFrequency(settings.toHz);
    const int first = std::max(static_cast<int>(std::ceil(fromIndex - 1e-9)), kFitFirstIndex);
    const int last = std::min(static_cast<int>(std::floor(toIndex + 1e-9)), kFitLastIndex);
    if (!(fromIndex < toIndex) || first >= last) throw std::invalid_argument("empty fitting range");
    return {first, last};
}

// The median of a - b over the fitting range.
double MedianDifference(const CurveArray& a, const CurveArray& b, int first, int last) {
    std::vector<double> differences;
    for (int k = first; k <= last; ++k) differences.push_back(a[k] - b[k]);
    return Median(std::move(differences));
}

}  // namespace

RoomFit FitRoom(const CurveArray& measured, ExchangeSettings start, const RoomFitSettings& settings,
                ExchangeFitter& fitter, std::vector<FitRequest::BandRole> roles) {
    RoomFit fit;
    std::tie(fit.firstIndex, fit.lastIndex) = FitRange(settings);
    const double maxBoost = std::clamp(settings.maxBoostDb, 0.0, kLargestBoostDb);

    // The room as the fit sees it: a dip counts as the median around it, so that the EQ
    // neither fills it nor cuts its neighbours for it.
    const CurveArray median = OctaveMedian(measured);
    fit.dips = NarrowDips(measured, median, fit.firstIndex, fit.lastIndex);
    CurveArray seen = measured;
    for (int k = fit.firstIndex; k <= fit.lastIndex; ++k) {
        if (fit.dips[k]) seen[k] = median[k];
    }
    const CurveArray house = TargetCurve(settings.target);
    fit.levelDb = MedianDifference(seen, house, fit.firstIndex, fit.lastIndex);

    FitRequest request;
    request.roles = std::move(roles);
    request.roles.resize(start.bands.size(), FitRequest::BandRole::Free);
    request.firstIndex = fit.firstIndex;
    request.lastIndex = fit.lastIndex;
    request.ceilingDb = maxBoost;
    fit.settings = std::move(start);
    // The level where the room's median lies is where the EQ starts; where the fitted curve
    // lies off it on the whole (a broad lift of part of the range moves the median), the target
    // follows once and the bands are refined from where they are.
    for (int pass = 0; pass < kLevelPasses; ++pass) {
        CurveArray correction{};
        for (int k = 0; k < ResponseGrid::PointCount; ++k) {
            fit.target[k] = house[k] + fit.levelDb;
            // The way from the room to the target, no boost beyond the maximum.
            correction[k] = std::min(fit.target[k] - seen[k], maxBoost);
        }
        fit.settings = fitter.Fit(correction, std::move(fit.settings), request);
        fit.eq = fitter.CurveOf(fit.settings);
        for (int k = 0; k < ResponseGrid::PointCount; ++k) fit.predicted[k] = seen[k] + fit.eq[k];
        const double offset =
            MedianDifference(fit.predicted, fit.target, fit.firstIndex, fit.lastIndex);
        if (std::abs(offset) < kLevelSettledDb || pass + 1 == kLevelPasses) break;
        fit.levelDb += offset;
        for (FitRequest::BandRole& role : request.roles) {
            if (role == FitRequest::BandRole::Free) role = FitRequest::BandRole::Fitted;
        }
        request.wideFirstRound = false;
    }
    for (int k = 0; k < ResponseGrid::PointCount; ++k) fit.predicted[k] = measured[k] + fit.eq[k];
    fit.deviation = DeviationOf(fit.predicted, fit.target, fit.firstIndex, fit.lastIndex);
    return fit;
}

RoomFitSummary SummaryOf(const RoomFit& fit) {
    return {RoundedToTenth(fit.deviation.rmsDb), RoundedToTenth(fit.deviation.largestDb),
            fit.deviation.atHz()};
}

}  // namespace zt
