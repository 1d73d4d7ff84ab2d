// Export of a channel's EQ in the filter format of room-measurement tools.

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "eqgraph/eq_exchange.h"
#include "eqgraph/point_type_code.h"
#include "params/value_tables.h"

namespace zt {
namespace {

// The names of the crossover types as the type lists show them.
constexpr std::array<const char*, kFilterTypeCount> kFilterTypeNames = {
    "Bypass",      "6dB 1st",          "12dB Besse",     "12dB Butterworth", "12dB Link-Riley",
    "18dB Bessel", "18dB Butterworth", "24dB Bessel",    "24dB Butterworth", "24dB Link-Riley",
    "36dB Bessel", "36dB Butterworth", "36dB Link-Riley"};

constexpr int kSimplexSteps = 220;
constexpr double kLowestQ = 0.02, kHighestQ = 400.0;

// Decimals written: as many as keep the written filter within a hundredth of a dB of the fit.
constexpr int kHzDecimals = 1, kGainDecimals = 2, kQDecimals = 3;

// A crossover type as the format can write it: second-order sections by their Q, and the
// first-order sections the format has no word for.
struct Sections {
    std::vector<double> q;
    int firstOrder = 0;
};

Sections SectionsOf(int filterType) {
    constexpr double kBessel = 0.5773502691896258;         // 1/sqrt(3)
    constexpr double kButterworth = 0.7071067811865476;    // 1/sqrt(2)
    constexpr double kButterworth4a = 1.3065629648763766;  // 1 / (2 sin(pi/8))
    constexpr double kButterworth4b = 0.5411961001461970;  // 1 / (2 sin(3 pi/8))
    switch (filterType) {
        case 1:
            return {{}, 1};
        case 2:
            return {{kBessel}, 0};
        case 3:
            return {{kButterworth}, 0};
        case 4:
            return {{0.5}, 0};  // two equal first-order sections are one of Q 0.5
        case 5:
            return {{kBessel}, 1};
        case 6:
            return {{kButterworth}, 1};
        case 7:
            return {{kBessel, kBessel}, 0};
        case 8:
            return {{kButterworth4a, kButterworth4b}, 0};
        case 9:
            return {{kButterworth, kButterworth}, 0};
        case 10:
            return {{kBessel, kBessel, kBessel}, 0};
        case 11:
            return {{kButterworth4a, kButterworth4b, kButterworth4b}, 0};
        case 12:
            return {{1.0, 1.0, 0.5}, 0};  // twice a third-order Butterworth
        default:
            return {};
    }
}

std::string Fixed(double value, int decimals) {
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

double Rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

// A figure of a warning, rounded up so that a difference above 0.5 dB never reads 0.50.
std::string FigureDb(double db) {
    return Fixed(std::ceil(db * 100.0 - 1e-9) / 100.0, 2);
}

std::string HzText(double hz) {
    return hz >= 1000.0 ? Fixed(hz / 1000.0, 1) + " kHz" : Fixed(hz, 0) + " Hz";
}

double CostOf(const CurveArray& curve, const CookbookFilter& f, const CookbookResponse& cookbook) {
    CurveArray standard{};
    cookbook.AddTo(f, standard);
    return FitCost(DeviationOf(standard, curve));
}

// The filter of a point of the search space: log frequency, gain, log Q.
CookbookFilter FilterAt(CookbookType type, const std::array<double, 3>& x) {
    return {type, std::exp(x[0]), x[1],
            std::exp(std::clamp(x[2], std::log(kLowestQ), std::log(kHighestQ)))};
}

class Writer {
public:
    explicit Writer(const CookbookResponse& cookbook) : cookbook_(cookbook) {}

    void Comment(const std::string& text) { text_ += "# " + text + "\r\n"; }

    // The raw values, for an import of the unchanged file: "B" and a band's five fields per
    // band, "HP" and "LP" with a crossover's type and frequency index.
    static std::string EditorValuesText(const ExchangeChannel& channel) {
        std::string text(kEditorValuesComment.substr(2));
        for (const ExchangeBand& b : channel.bands) {
            text += " B";
            for (int v : {b.type, b.frequencyIndex, b.gainStep, b.qIndex, b.slopeIndex}) {
                text += " " + std::to_string(v);
            }
        }
        const std::pair<const char*, const std::optional<ExchangeCrossover>*> filters[] = {
            {" HP", &channel.highPass}, {" LP", &channel.lowPass}};
        for (const auto& [name, filter] : filters) {
            if (!*filter) continue;
            text += name + (" " + std::to_string((*filter)->filterType)) + " " +
                    std::to_string((*filter)->frequencyIndex);
        }
        return text;
    }

    void Band(const ExchangeBand& band) {
        const bool on = band.type >= 1 && band.type <= 3;
        ExchangeBand drawn = band;
        if (!on) drawn.type = 1;  // a bypassed band is written as the filter it would be
        CurveArray curve{};
        fitter_.AddBand(drawn, curve);
        const CookbookType type = drawn.type == 2   ? CookbookType::LowShelf
                                  : drawn.type == 3 ? CookbookType::HighShelf
                                                    : CookbookType::Peaking;
        const CookbookFilter start{type, FrequencyHz(band.frequencyIndex),
                                   GainDbOfStep(band.gainStep), QValue(QIndexOf(drawn))};
        CookbookFilter best = BestCookbookFilter(curve, start, cookbook_, nullptr);
        best.frequencyHz = Rounded(best.frequencyHz, kHzDecimals);
        best.gainDb = Rounded(best.gainDb, kGainDecimals);
        best.q = Rounded(best.q, kQDecimals);
        ++number_;
        if (on) {
            CurveArray written{};
            cookbook_.AddTo(best, written);
            const CurveDeviation d = DeviationOf(written, curve);
            if (d.largestDb > kExchangeToleranceDb) {
                Comment("Filter " + std::to_string(number_) + ": " + FigureDb(d.largestDb) +
                        " dB from the editor's curve at " + HzText(d.atHz()) +
                        "; no filter of this format comes closer");
            }
        }
        text_ += "Filter " + std::to_string(number_) + ": " + (on ? "ON " : "OFF ") +
                 (type == CookbookType::LowShelf    ? "LSC"
                  : type == CookbookType::HighShelf ? "HSC"
                                                    : "PK") +
                 " Fc " + Fixed(best.frequencyHz, kHzDecimals) + " Hz Gain " +
                 Fixed(best.gainDb, kGainDecimals) + " dB Q " + Fixed(best.q, kQDecimals) + "\r\n";
    }

    void Crossover(const ExchangeCrossover& filter, bool highPass) {
        const int type = filter.filterType;
        // A high-pass at index 0 and a low-pass at index 361 are drawn as bypassed.
        const bool bypassed =
            type <= 0 || type >= kFilterTypeCount ||
            (highPass ? filter.frequencyIndex <= 0 : filter.frequencyIndex >= kFrequencyCount - 1);
        if (bypassed) return;
        const double hz = FrequencyHz(filter.frequencyIndex);
        const Sections sections = SectionsOf(type);
        CurveArray curve{};
        fitter_.AddCrossover(filter, highPass, curve);
        CurveArray standard{};
        for (double q : sections.q) {
            cookbook_.AddTo({highPass ? CookbookType::HighPass : CookbookType::LowPass, hz, 0, q},
                            standard);
        }
        const CurveDeviation d = DeviationOf(standard, curve);
        const std::string what = std::string(highPass ? "High-pass" : "Low-pass") + " " +
                                 kFilterTypeNames[type] + " at " +
                                 FrequencyText(filter.frequencyIndex) + " Hz";
        if (sections.firstOrder > 0) {
            Comment(what +
                    ": its 6 dB/octave section has no counterpart in this format and is "
                    "left out");
        }
        if (d.largestDb > kExchangeToleranceDb) {
            Comment(what + ": " + FigureDb(d.largestDb) + " dB from the editor's curve at " +
                    HzText(d.atHz()) + "; no filter of this format comes closer");
        }
        for (double q : sections.q) {
            text_ += "Filter " + std::to_string(++number_) + ": ON " + (highPass ? "HPQ" : "LPQ") +
                     " Fc " + FrequencyText(filter.frequencyIndex) + " Hz Q " + Fixed(q, 2) +
                     "\r\n";
        }
    }

    std::string Text() && { return std::move(text_); }

private:
    const CookbookResponse& cookbook_;
    ExchangeFitter fitter_;
    std::string text_;
    int number_ = 0;
};

}  // namespace

CookbookFilter BestCookbookFilter(const CurveArray& curve, CookbookFilter start,
                                  const CookbookResponse& cookbook, double* deviationDb) {
    // A first look along Q, then a simplex over frequency, gain and Q together.
    double bestQ = start.q, bestCost = CostOf(curve, start, cookbook);
    for (double q = kLowestQ * 2; q < kHighestQ / 2; q *= 1.15) {
        CookbookFilter f = start;
        f.q = q;
        const double c = CostOf(curve, f, cookbook);
        if (c < bestCost) bestCost = c, bestQ = q;
    }
    using Point = std::array<double, 3>;
    std::array<Point, 4> simplex;
    simplex.fill({std::log(start.frequencyHz), start.gainDb, std::log(bestQ)});
    simplex[1][0] += 0.03;
    simplex[2][1] += 0.5;
    simplex[3][2] += 0.2;
    std::array<double, 4> cost{};
    auto evaluate = [&](const Point& x) {
        return CostOf(curve, FilterAt(start.type, x), cookbook);
    };
    for (int i = 0; i < 4; ++i) cost[i] = evaluate(simplex[i]);
    for (int step = 0; step < kSimplexSteps; ++step) {
        std::array<int, 4> order{0, 1, 2, 3};
        std::sort(order.begin(), order.end(), [&](int a, int b) { return cost[a] < cost[b]; });
        const int worst = order[3];
        Point centre{};
        for (int i : {order[0], order[1], order[2]}) {
            for (int d = 0; d < 3; ++d) centre[d] += simplex[i][d] / 3.0;
        }
        auto along = [&](double t) {
            Point p;
            for (int d = 0; d < 3; ++d) p[d] = centre[d] + t * (simplex[worst][d] - centre[d]);
            return p;
        };
        const Point reflected = along(-1.0);
        const double r = evaluate(reflected);
        if (r < cost[order[0]]) {
            const Point expanded = along(-2.0);
            const double e = evaluate(expanded);
            simplex[worst] = e < r ? expanded : reflected;
            cost[worst] = std::min(e, r);
        } else if (r < cost[order[2]]) {
            simplex[worst] = reflected, cost[worst] = r;
        } else {
            const Point contracted = along(0.5);
            const double c = evaluate(contracted);
            if (c < cost[worst]) {
                simplex[worst] = contracted, cost[worst] = c;
            } else {
                for (int i : {order[1], order[2], order[3]}) {
                    for (int d = 0; d < 3; ++d) {
                        simplex[i][d] = (simplex[i][d] + simplex[order[0]][d]) / 2.0;
                    }
                    cost[i] = evaluate(simplex[i]);
                }
            }
        }
    }
    const int best = static_cast<int>(std::min_element(cost.begin(), cost.end()) - cost.begin());
    const CookbookFilter found = FilterAt(start.type, simplex[best]);
    if (deviationDb) {
        CurveArray standard{};
        cookbook.AddTo(found, standard);
        *deviationDb = DeviationOf(standard, curve).largestDb;
    }
    return found;
}

std::string FormatEqExchange(const ExchangeChannel& channel, const CookbookResponse& cookbook) {
    Writer writer(cookbook);
    writer.Comment("ZT461 Audio Contrller EQ: " + channel.name);
    writer.Comment("Filter settings for a sample rate of " +
                   std::to_string(static_cast<int>(cookbook.sampleRate())) + " Hz");
    writer.Comment(Writer::EditorValuesText(channel));
    for (const ExchangeBand& band : channel.bands) writer.Band(band);
    if (channel.highPass) writer.Crossover(*channel.highPass, true);
    if (channel.lowPass) writer.Crossover(*channel.lowPass, false);
    return std::move(writer).Text();
}

}  // namespace zt
