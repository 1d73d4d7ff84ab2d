#pragma once
// EQ settings exchanged with room-measurement tools and system-wide equalisers as text in their
// filter format, one filter a line:
//
//   Filter 1: ON PK Fc 1000 Hz Gain 3.0 dB Q 1.00
//
// Export writes every band as the cookbook filter (type, frequency, gain and Q, free values)
// that matches its curve on the EQ graph best; where even that is more than 0.5 dB off, a
// comment line before it says by how much. Import reads what a file means (its filters as the
// cookbook computes them at 48 kHz, graphic EQ curves, pass filters, the preamp, left and right
// channel sections) and fits the channel's bands and, where the file has pass filters, its
// crossovers to the file's summed curve with the ExchangeFitter.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "eqgraph/cookbook_filter.h"
#include "eqgraph/eq_exchange_types.h"
#include "eqgraph/exchange_fitter.h"
#include "eqgraph/exchange_reader.h"

namespace zt {

// A written filter more than this far from the band's curve gets a warning line.
inline constexpr double kExchangeToleranceDb = 0.5;

// Export: the file's text, lines ending in "\r\n" as the equalisers' own files do.
std::string FormatEqExchange(const ExchangeChannel& channel, const CookbookResponse& cookbook);

// The cookbook filter of `type` that lies closest to a processor curve over 20 Hz..20 kHz
// (largest difference first), searched from `start`; `deviationDb` receives the difference.
CookbookFilter BestCookbookFilter(const CurveArray& curve, CookbookFilter start,
                                  const CookbookResponse& cookbook, double* deviationDb);

// What an import changes on a channel: the set shown and, on the music channel, the other one.
struct ExchangeImportRequest {
    // The set shown; its crossovers are present where the channel has them.
    ExchangeSettings current;
    // The music channel's other set (the right one while the left is shown, and the other way
    // round); empty elsewhere.
    std::optional<std::vector<ExchangeBand>> otherSet;
    bool otherIsRight = true;
};

// A value of the file beyond the processor's range, taken as the nearest it can do.
struct ClampedValue {
    enum What { Frequency, Gain };
    int line = 0;
    What what = Frequency;
    double from = 0.0;
    double to = 0.0;
    bool operator==(const ClampedValue&) const = default;
};

struct ImportedSet {
    ExchangeSettings settings;  // crossovers present only where the file asked for them
    CurveDeviation deviation;   // the fitted curve against the file's, 20 Hz..20 kHz
    double boostDb = 0.0;       // the largest gain of the fitted curve
    int filters = 0;            // ON filters of the file in this set's curve
};

// How the file's channel sections were used.
enum class ChannelUse {
    Same,       // no sections, or the channel shown takes the file's one EQ
    LeftTaken,  // left and right sections, the channel has one EQ: the left is taken
    BothSets,   // the music channel: left section to the left set, right to the right set
};

struct EqImport {
    ImportedSet shown;                 // the set shown
    std::optional<ImportedSet> other;  // the music channel's other set, with BothSets
    bool changed = false;              // the file had something to take: the sets are new
    int imported = 0;                  // ON filters and graphic EQs taken, in every set
    int beyondBands = 0;               // filters more than the bands, fitted into their sum
    int passIntoBands = 0;             // pass filters of a channel without crossovers
    bool graphic = false;              // a graphic EQ curve was fitted
    bool hasPreamp = false;
    double preampDb = 0.0;
    ChannelUse channels = ChannelUse::Same;
    std::vector<ClampedValue> clamped;
    std::vector<LeftOutLine> leftOut;
};

// Import into a channel. Nothing taken (no ON filter, no graphic EQ): the settings stay.
EqImport ImportEqExchange(std::string_view text, const ExchangeImportRequest& request,
                          ExchangeFitter& fitter, const CookbookResponse& cookbook);

}  // namespace zt
