// Import of filter files: the file's summed cookbook curve, fitted into a channel's bands and,
// where asked, its crossovers.

#include <algorithm>
#include <cmath>
#include <numeric>
#include <sstream>

#include "eqgraph/eq_exchange.h"
#include "params/value_scales.h"
#include "params/value_tables.h"

namespace zt {
namespace {

constexpr int kGainStepCount = 181;
// Half a table step beyond either end still counts as inside the range.
constexpr double kHalfFrequencyStep = 1.0096735332285105;  // 2^(1/72)
constexpr double kLowestGainDb = -24.0;
constexpr double kHighestGainDb = 12.0;
// Bounds of a target curve: a notch is minus infinity at its centre, which no band reaches.
constexpr double kTargetFloorDb = -60.0;
constexpr double kTargetCeilingDb = 60.0;

bool IsBandFilter(const FileFilter& f) {
    return !f.IsPass();
}

// A filter as near as the processor can come to it: its frequency and gain within the
// processor's ranges.
CookbookFilter Reachable(CookbookFilter f) {
    f.frequencyHz = std::clamp(f.frequencyHz, FrequencyHz(0), FrequencyHz(kFrequencyCount - 1));
    if (f.type != CookbookType::Notch)
        f.gainDb = std::clamp(f.gainDb, kLowestGainDb, kHighestGainDb);
    return f;
}

// The summed curve of the filters and graphic EQs; `reachable` takes every filter as near as
// the processor can come to it, which the fit aims at, while the file's own curve measures it.
CurveArray CurveOfFilters(const std::vector<const FileFilter*>& filters,
                          const std::vector<const GraphicCurve*>& graphics,
                          const CookbookResponse& cookbook, bool reachable = false) {
    CurveArray curve{};
    for (const FileFilter* f : filters) {
        cookbook.AddTo(reachable ? Reachable(f->filter) : f->filter, curve);
    }
    for (const GraphicCurve* g : graphics) {
        for (int k = 0; k < ResponseGrid::PointCount; ++k) {
            curve[k] += GraphicGainDb(*g, ResponseGrid::FrequencyOfIndex(k));
        }
    }
    for (double& v : curve) v = std::clamp(v, kTargetFloorDb, kTargetCeilingDb);
    return curve;
}

// How much a filter shapes the curve: the area of its response over the audible range.
double Weight(const FileFilter& f, const CookbookResponse& cookbook) {
    double area = 0.0;
    for (int k = kFitFirstIndex; k <= kFitLastIndex; ++k)
        area += std::abs(cookbook.GainDb(f.filter, k));
    return area;
}

// The band a filter starts from: its values snapped to the tables, clamped into range.
ExchangeBand StartBand(const FileFilter& f, ExchangeBand band, std::vector<ClampedValue>& clamped) {
    const CookbookFilter& c = f.filter;
    const double lowest = FrequencyHz(0), highest = FrequencyHz(kFrequencyCount - 1);
    if (c.frequencyHz < lowest / kHalfFrequencyStep ||
        c.frequencyHz > highest * kHalfFrequencyStep) {
        const double to = std::clamp(c.frequencyHz, lowest, highest);
        if (f.on) clamped.push_back({f.line, ClampedValue::Frequency, c.frequencyHz, to});
    }
    band.frequencyIndex = NearestFrequencyIndex(std::clamp(c.frequencyHz, lowest, highest));
    double gain = c.type == CookbookType::Notch ? kLowestGainDb : c.gainDb;
    if (gain < kLowestGainDb || gain > kHighestGainDb) {
        const double to = std::clamp(gain, kLowestGainDb, kHighestGainDb);
        if (f.on) clamped.push_back({f.line, ClampedValue::Gain, gain, to});
        gain = to;
    }
    band.gainStep =
        std::clamp(static_cast<int>(std::lround((gain + 24.0) * 5.0)), 0, kGainStepCount - 1);
    band.type = c.type == CookbookType::LowShelf ? 2 : c.type == CookbookType::HighShelf ? 3 : 1;
    // The Q table and the cookbook's Q differ in meaning; the search tries every entry.
    const int q = std::clamp(static_cast<int>(ParseValue(kKindQ, c.q)), 0, KindMaximum(kKindQ));
    if (IsShelf(band.type)) {
        band.slopeIndex = std::min(q, kShelfQMaximum);
    } else {
        band.qIndex = q;
    }
    if (!f.on) band.type = 0;
    return band;
}

// One set of bands fitted to the filters of one channel of the file.
class SetImport {
public:
    SetImport(const ExchangeSettings& current, ExchangeFitter& fitter,
              const CookbookResponse& cookbook, EqImport& result)
        : current_(current), fitter_(fitter), cookbook_(cookbook), result_(result) {}

    ImportedSet Run(const std::vector<const FileFilter*>& filters,
                    const std::vector<const GraphicCurve*>& graphics,
                    const std::optional<ExchangeSettings>& exact = std::nullopt) {
        std::vector<const FileFilter*> on, off, bandFilters;
        bool highPass = false, lowPass = false;
        for (const FileFilter* f : filters) {
            (f->on ? on : off).push_back(f);
            if (!f->on) continue;
            highPass |= f->filter.type == CookbookType::HighPass;
            lowPass |= f->filter.type == CookbookType::LowPass;
        }
        const bool crossovers = current_.highPass.has_value() && current_.lowPass.has_value();
        for (const FileFilter* f : on) {
            if (IsBandFilter(*f)) {
                bandFilters.push_back(f);
            } else if (!crossovers) {
                ++result_.passIntoBands;
            }
        }
        const CurveArray target = CurveOfFilters(on, graphics, cookbook_);
        if (exact) return Result(*exact, target, on.size() + graphics.size());
        const std::vector<const FileFilter*> starters = Starters(bandFilters);

        ExchangeSettings start{current_.bands, {}, {}};
        FitRequest request;
        request.wideFirstRound = false;  // each band has had its wide search alone
        request.fitCrossovers = crossovers && (highPass || lowPass);
        if (crossovers && highPass) start.highPass = current_.highPass;
        if (crossovers && lowPass) start.lowPass = current_.lowPass;
        const size_t bands = start.bands.size();
        request.roles.assign(bands, FitRequest::BandRole::Fitted);
        size_t next = 0;
        for (const FileFilter* f : starters) {
            start.bands[next] = FitAlone(*f, StartBand(*f, start.bands[next], result_.clamped));
            ++next;
        }
        // Filters switched off keep their values in bypassed bands, after the ones that play.
        for (const FileFilter* f : off) {
            if (next == bands || !IsBandFilter(*f)) continue;
            start.bands[next] = StartBand(*f, start.bands[next], result_.clamped);
            ++next;
        }
        // What the starting filters leave to do (a graphic EQ, pass filters without crossovers,
        // filters beyond the bands) gets the remaining bands; unneeded ones end bypassed.
        const bool moreToFit = !graphics.empty() || (!crossovers && (highPass || lowPass)) ||
                               starters.size() < bandFilters.size();
        for (size_t b = next; b < bands; ++b) {
            if (moreToFit) {
                request.roles[b] = FitRequest::BandRole::Free;
            } else {
                start.bands[b].type = 0;
            }
        }
        result_.beyondBands += static_cast<int>(bandFilters.size() - starters.size());

        // Values beyond the ranges are aimed at as the nearest the processor can do, so that one
        // unreachable boost does not pull every other band and the crossovers after it.
        const CurveArray aim = CurveOfFilters(on, graphics, cookbook_, true);
        return Result(fitter_.Fit(aim, std::move(start), request), target,
                      on.size() + graphics.size());
    }

private:
    ImportedSet Result(ExchangeSettings settings, const CurveArray& target, size_t filters) {
        ImportedSet set;
        set.settings = std::move(settings);
        const CurveArray curve = fitter_.CurveOf(set.settings);
        set.deviation = DeviationOf(curve, target);
        set.boostDb =
            *std::max_element(curve.begin() + kFitFirstIndex, curve.begin() + kFitLastIndex + 1);
        set.filters = static_cast<int>(filters);
        return set;
    }

    // The filters that start a band each: all of them where the bands suffice, otherwise those
    // that shape the curve most, in the file's order.
    std::vector<const FileFilter*> Starters(const std::vector<const FileFilter*>& filters) const {
        const size_t bands = current_.bands.size();
        if (filters.size() <= bands) return filters;
        std::vector<size_t> order(filters.size());
        std::iota(order.begin(), order.end(), 0);
        std::vector<double> weight;
        for (const FileFilter* f : filters) weight.push_back(Weight(*f, cookbook_));
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return weight[a] > weight[b]; });
        order.resize(bands);
        std::sort(order.begin(), order.end());
        std::vector<const FileFilter*> chosen;
        for (size_t i : order) chosen.push_back(filters[i]);
        return chosen;
    }

    // The band closest to the filter on its own: the start of the joint refinement.
    ExchangeBand FitAlone(const FileFilter& f, const ExchangeBand& band) {
        CurveArray own{};
        cookbook_.AddTo(Reachable(f.filter), own);
        for (double& v : own) v = std::clamp(v, kTargetFloorDb, kTargetCeilingDb);
        return fitter_.Fit(own, {{band}, {}, {}}, {}).bands[0];
    }

    const ExchangeSettings& current_;
    ExchangeFitter& fitter_;
    const CookbookResponse& cookbook_;
    EqImport& result_;
};

// The raw values of the editor's own export, when its filter lines are unchanged and the
// channel is laid out as the exported one.
std::optional<ExchangeSettings> EditorValues(const ExchangeFile& file,
                                             const ExchangeImportRequest& request,
                                             const CookbookResponse& cookbook) {
    if (file.editorValues.empty() || !file.graphics.empty() || file.channelSections) return {};
    ExchangeChannel channel;
    std::istringstream in(file.editorValues);
    std::string word;
    while (in >> word) {
        if (word == "B") {
            ExchangeBand b;
            if (!(in >> b.type >> b.frequencyIndex >> b.gainStep >> b.qIndex >> b.slopeIndex))
                return {};
            channel.bands.push_back(b);
        } else if (word == "HP" || word == "LP") {
            ExchangeCrossover c;
            if (!(in >> c.filterType >> c.frequencyIndex)) return {};
            (word == "HP" ? channel.highPass : channel.lowPass) = c;
        } else {
            return {};
        }
    }
    const bool crossovers = request.current.highPass && request.current.lowPass;
    if (channel.bands.size() != request.current.bands.size() ||
        ((channel.highPass || channel.lowPass) && !crossovers)) {
        return {};
    }
    std::vector<std::string> written;
    std::istringstream text(FormatEqExchange(channel, cookbook));
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with("Filter")) written.push_back(line);
    }
    if (written != file.filterLines) return {};
    return ExchangeSettings{channel.bands, channel.highPass, channel.lowPass};
}

template <typename Item>
std::vector<const Item*> ForChannel(const std::vector<Item>& items, int channel) {
    std::vector<const Item*> chosen;
    for (const Item& item : items) {
        if (item.channels & channel) chosen.push_back(&item);
    }
    return chosen;
}

}  // namespace

EqImport ImportEqExchange(std::string_view text, const ExchangeImportRequest& request,
                          ExchangeFitter& fitter, const CookbookResponse& cookbook) {
    ExchangeFile file = ReadExchangeFile(text, cookbook.sampleRate());
    EqImport result;
    result.leftOut = std::move(file.leftOut);
    result.hasPreamp = file.hasPreamp;
    result.preampDb = file.preampDb;
    result.graphic = !file.graphics.empty();
    result.shown.settings = request.current;

    const bool sections = file.channelSections;
    const bool twoSets = sections && request.otherSet.has_value();
    const int shownChannel = twoSets && !request.otherIsRight ? kChannelRight : kChannelLeft;
    const auto shownFilters = ForChannel(file.filters, shownChannel);
    const auto shownGraphics = ForChannel(file.graphics, shownChannel);
    auto plays = [](const auto& filters, const auto& graphics) {
        return !graphics.empty() || std::any_of(filters.begin(), filters.end(),
                                                [](const FileFilter* f) { return f->on; });
    };
    // The editor's own unchanged export is taken as it is, bypassed bands and all.
    const std::optional<ExchangeSettings> exact = EditorValues(file, request, cookbook);
    if (exact || plays(shownFilters, shownGraphics)) {
        result.shown = SetImport(request.current, fitter, cookbook, result)
                           .Run(shownFilters, shownGraphics, exact);
        result.imported += result.shown.filters;
        result.changed = true;
    }
    if (twoSets) {
        const int otherChannel = shownChannel == kChannelLeft ? kChannelRight : kChannelLeft;
        const auto filters = ForChannel(file.filters, otherChannel);
        const auto graphics = ForChannel(file.graphics, otherChannel);
        if (plays(filters, graphics)) {
            const ExchangeSettings other{*request.otherSet, {}, {}};
            result.other = SetImport(other, fitter, cookbook, result).Run(filters, graphics);
            result.imported += result.other->filters;
            result.changed = true;
        }
        result.channels = ChannelUse::BothSets;
    } else if (sections) {
        // One EQ for a file of two: the left channel's filters are taken, the others listed.
        for (const FileFilter& f : file.filters) {
            if (!(f.channels & kChannelLeft) && f.on) {
                result.leftOut.push_back({f.line, f.text, LeftOutReason::OtherChannel});
            }
        }
        for (const GraphicCurve& g : file.graphics) {
            if (!(g.channels & kChannelLeft)) {
                result.leftOut.push_back({g.line, g.text, LeftOutReason::OtherChannel});
            }
        }
        result.channels = ChannelUse::LeftTaken;
    }
    std::stable_sort(result.leftOut.begin(), result.leftOut.end(),
                     [](const LeftOutLine& a, const LeftOutLine& b) { return a.line < b.line; });
    return result;
}

}  // namespace zt
