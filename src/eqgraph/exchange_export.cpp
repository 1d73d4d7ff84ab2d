// Export of a channel's EQ in the filter format of room-measurement tools.

#include <array>
#include <charconv>
#include <cmath>

#include "eqgraph/band_response.h"
#include "eqgraph/eq_exchange.h"
#include "params/value_tables.h"

namespace zt {
namespace {

// The names of the crossover types as the type lists show them.
constexpr std::array<const char*, kFilterTypeCount> kFilterTypeNames = {
    "Bypass",      "6dB 1st",          "12dB Besse",     "12dB Butterworth", "12dB Link-Riley",
    "18dB Bessel", "18dB Butterworth", "24dB Bessel",    "24dB Butterworth", "24dB Link-Riley",
    "36dB Bessel", "36dB Butterworth", "36dB Link-Riley"};

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

class Writer {
public:
    Writer(const ExchangeQTable& qTable, const CookbookResponse& cookbook)
        : qTable_(qTable), cookbook_(cookbook) {}

    void Comment(const std::string& text) { text_ += "# " + text + "\r\n"; }

    void Band(const ExchangeBand& band) {
        const double hz = FrequencyHz(band.frequencyIndex);
        const double gain = band.gainStep / 5.0 - 24.0;
        const bool shelf = band.type == 2 || band.type == 3;
        const int qIndex = shelf ? band.slopeIndex : band.qIndex;
        const double q = shelf ? qTable_.ShelfQ(qIndex) : qTable_.PeakingQ(qIndex);
        const bool on = band.type >= 1 && band.type <= 3;
        const CookbookType type = band.type == 2   ? CookbookType::LowShelf
                                  : band.type == 3 ? CookbookType::HighShelf
                                                   : CookbookType::Peaking;
        std::string line = "Filter " + std::to_string(++number_) + ": " + (on ? "ON " : "OFF ") +
                           (type == CookbookType::LowShelf    ? "LSC"
                            : type == CookbookType::HighShelf ? "HSC"
                                                              : "PK") +
                           " Fc " + FrequencyText(band.frequencyIndex) + " Hz Gain " +
                           Fixed(gain, 1) + " dB Q " + Fixed(q, 2);
        if (on) {
            ResponseArray graph{};
            BandResponse(graph, static_cast<int>(std::nearbyint(hz)), static_cast<float>(gain),
                         static_cast<float>(QValue(qIndex)), static_cast<PointTypeCode>(band.type));
            std::array<double, ResponseGrid::PointCount> standard{};
            cookbook_.AddTo({type, hz, gain, q}, standard);
            const double deviation = MaxDeviationDb(graph, standard, cookbook_);
            if (deviation > kExchangeToleranceDb) {
                Comment("Filter " + std::to_string(number_) + NoCounterpart(deviation));
            }
        }
        text_ += line + "\r\n";
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
        ResponseArray graph{};
        const int code = (highPass ? kPointHighPassBase : kPointLowPassBase) + type;
        BandResponse(graph, static_cast<int>(std::nearbyint(hz)), 0.0f, 0.0f,
                     static_cast<PointTypeCode>(code));
        std::array<double, ResponseGrid::PointCount> standard{};
        for (double q : sections.q) {
            cookbook_.AddTo({highPass ? CookbookType::HighPass : CookbookType::LowPass, hz, 0, q},
                            standard);
        }
        const double deviation = MaxDeviationDb(graph, standard, cookbook_);
        const std::string what = std::string(highPass ? "High-pass" : "Low-pass") + " " +
                                 kFilterTypeNames[type] + " at " +
                                 FrequencyText(filter.frequencyIndex) + " Hz";
        if (sections.firstOrder > 0) {
            Comment(what +
                    ": its 6 dB/octave section has no counterpart in this format and is "
                    "left out");
        }
        if (deviation > kExchangeToleranceDb) Comment(what + NoCounterpart(deviation));
        for (double q : sections.q) {
            text_ += "Filter " + std::to_string(++number_) + ": ON " + (highPass ? "HPQ" : "LPQ") +
                     " Fc " + FrequencyText(filter.frequencyIndex) + " Hz Q " + Fixed(q, 2) +
                     "\r\n";
        }
    }

    std::string Text() && { return std::move(text_); }

private:
    static std::string NoCounterpart(double deviation) {
        return ": no exact counterpart in this format; the closest is written, up to " +
               Fixed(deviation, 1) + " dB from the editor's curve";
    }

    const ExchangeQTable& qTable_;
    const CookbookResponse& cookbook_;
    std::string text_;
    int number_ = 0;
};

}  // namespace

std::string FormatEqExchange(const ExchangeChannel& channel, const ExchangeQTable& qTable,
                             const CookbookResponse& cookbook) {
    Writer writer(qTable, cookbook);
    writer.Comment("ZT461 Audio Contrller EQ: " + channel.name);
    writer.Comment("Filter settings for a sample rate of " +
                   std::to_string(static_cast<int>(cookbook.sampleRate())) + " Hz");
    for (const ExchangeBand& band : channel.bands) writer.Band(band);
    if (channel.highPass) writer.Crossover(*channel.highPass, true);
    if (channel.lowPass) writer.Crossover(*channel.lowPass, false);
    return std::move(writer).Text();
}

}  // namespace zt
