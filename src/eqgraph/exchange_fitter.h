#pragma once
// Chooses the processor's raw EQ values whose summed curve, as the EQ graph computes it, comes
// closest to a target curve on the ResponseGrid: the one engine behind importing filter files,
// graphic EQs and measured corrections into a channel's bands.
//
// Closest means: the largest difference between 20 Hz and 20 kHz first, the root mean square
// difference breaking near ties, so that no point of the curve is given up for a better average.
// The search starts from given band values (a file's filters snapped to the tables), searches the
// neighbouring table entries of every band (frequency, gain, every Q or slope entry) and then
// refines all bands together, since only their sum is heard.

#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

#include "eqgraph/eq_exchange_types.h"
#include "eqgraph/prototype_response.h"
#include "eqgraph/response_grid.h"

namespace zt {

using CurveArray = std::array<double, ResponseGrid::PointCount>;

// Grid points of the audible range, 20 Hz to 20 kHz, over which curves are compared.
inline constexpr int kFitFirstIndex = 42;  // 20.1 Hz
inline constexpr int kFitLastIndex = 451;  // 19 950 Hz

// How far a curve lies from its target over the audible range.
struct CurveDeviation {
    double largestDb = 0.0;        // the largest difference, in dB
    int atIndex = kFitFirstIndex;  // the grid point where it occurs
    double rmsDb = 0.0;
    double atHz() const { return ResponseGrid::FrequencyOfIndex(atIndex); }
};

CurveDeviation DeviationOf(const CurveArray& curve, const CurveArray& target);
// The same over grid points first..last (clamped to the grid).
CurveDeviation DeviationOf(const CurveArray& curve, const CurveArray& target, int first, int last);

// The mean square difference only breaks near ties of the largest one.
inline constexpr double kFitRmsWeight = 0.25;
// What a fit minimises: the largest difference, the RMS difference breaking near ties.
inline double FitCost(const CurveDeviation& d) {
    return d.largestDb + kFitRmsWeight * d.rmsDb;
}

// A channel's EQ as raw values: its bands and, where the channel has them, its crossovers.
struct ExchangeSettings {
    std::vector<ExchangeBand> bands;
    std::optional<ExchangeCrossover> highPass;
    std::optional<ExchangeCrossover> lowPass;
    bool operator==(const ExchangeSettings&) const = default;
};

struct FitRequest {
    // Bands that take part: the search keeps a bypassed band's values and never touches a band
    // marked fixed; a band marked free gets a place of its own from the largest remaining error.
    enum class BandRole { Fitted, Free, Fixed };
    std::vector<BandRole> roles;  // one per band; missing entries count as Fitted
    // Search the crossovers' type and frequency too; otherwise crossovers in the start settings
    // count as they are.
    bool fitCrossovers = false;
    // The first round searches every band widely (every Q entry, half an octave, 3 dB); false
    // where the bands start from a search of their own.
    bool wideFirstRound = true;
    // The grid points compared, first..last within the audible range.
    int firstIndex = kFitFirstIndex;
    int lastIndex = kFitLastIndex;
    // Where set, the summed curve must not rise above this anywhere in the audible range: a
    // rise beyond it counts many times over in the comparison.
    std::optional<double> ceilingDb;
};

class ExchangeFitter {
public:
    // The summed curve of the settings, as the EQ graph draws it.
    CurveArray CurveOf(const ExchangeSettings& settings);

    // Fits `start` to `target` and returns the best settings found.
    ExchangeSettings Fit(const CurveArray& target, ExchangeSettings start,
                         const FitRequest& request);

    // The curve of one band, or of a crossover, through the cache of shapes.
    void AddBand(const ExchangeBand& band, CurveArray& sum, double sign = 1.0);
    void AddCrossover(const ExchangeCrossover& filter, bool highPass, CurveArray& sum,
                      double sign = 1.0);

private:
    struct Shape {
        bool flat = true;
        PrototypeArray proto{};
    };
    const Shape& BandShape(int type, int gainStep, int qIndex);
    const Shape& CrossoverShape(bool highPass, int filterType);
    void Add(const Shape& shape, int centre, CurveArray& sum, double sign) const;

    class Search;
    std::unordered_map<int, Shape> bandShapes_;
    std::unordered_map<int, Shape> crossoverShapes_;
};

// The grid index where a band or crossover at table frequency `frequencyIndex` is centred.
int CentreOfFrequencyIndex(int frequencyIndex);

// The frequency index nearest to `hz` on a logarithmic scale (20 300 Hz is 20 200 Hz, not
// 20 600 Hz as a typed value would round).
int NearestFrequencyIndex(double hz);

// Raw band values of a table band: its drawn gain and its Q or slope.
double GainDbOfStep(int gainStep);
int QIndexOf(const ExchangeBand& band);
inline bool IsShelf(int type) {
    return type == 2 || type == 3;
}
int QIndexCount(int type);

}  // namespace zt
