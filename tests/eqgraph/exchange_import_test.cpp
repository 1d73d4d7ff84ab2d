// Importing filter files: what is taken, clamped and left out, how channels, pass filters and
// graphic EQs land, and how close the fitted curve comes to the file's against an exhaustive
// search of the processor's tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "eqgraph/band_response.h"
#include "eqgraph/eq_exchange.h"
#include "params/value_scales.h"
#include "params/value_tables.h"

namespace zt {
namespace {

struct Shared {
    CookbookResponse cookbook;
    ExchangeFitter fitter;
};
Shared& Tools() {
    static Shared shared;
    return shared;
}

ExchangeImportRequest Channel(int bands, bool crossovers = false) {
    ExchangeImportRequest request;
    request.current.bands.assign(bands, ExchangeBand{1, 204, 120, 16, 10});
    if (crossovers) {
        request.current.highPass = ExchangeCrossover{0, 0};
        request.current.lowPass = ExchangeCrossover{0, kFrequencyCount - 1};
    }
    return request;
}

EqImport Import(std::string_view text, const ExchangeImportRequest& request) {
    return ImportEqExchange(text, request, Tools().fitter, Tools().cookbook);
}

// The file's summed cookbook curve, straight from the reader.
CurveArray FileCurve(std::string_view text, int channel = kChannelLeft) {
    CurveArray curve{};
    const ExchangeFile file = ReadExchangeFile(text);
    for (const FileFilter& f : file.filters) {
        if (f.on && (f.channels & channel)) Tools().cookbook.AddTo(f.filter, curve);
    }
    for (const GraphicCurve& g : file.graphics) {
        if (!(g.channels & channel)) continue;
        for (int k = 0; k < ResponseGrid::PointCount; ++k) {
            curve[k] += GraphicGainDb(g, ResponseGrid::FrequencyOfIndex(k));
        }
    }
    return curve;
}

// The sum the EQ graph draws for the settings, item by item with BandResponse.
CurveArray GraphCurve(const ExchangeSettings& s) {
    CurveArray sum{};
    ResponseArray one;
    for (const ExchangeBand& b : s.bands) {
        const bool shelf = b.type == 2 || b.type == 3;
        BandResponse(one, static_cast<int>(std::nearbyint(FrequencyHz(b.frequencyIndex))),
                     static_cast<float>(b.gainStep / 5.0 - 24),
                     static_cast<float>(QValue(shelf ? b.slopeIndex : b.qIndex)),
                     static_cast<PointTypeCode>(b.type));
        for (int k = 0; k < ResponseGrid::PointCount; ++k) sum[k] += one[k];
    }
    const std::pair<const std::optional<ExchangeCrossover>*, int> filters[] = {
        {&s.highPass, kPointHighPassBase}, {&s.lowPass, kPointLowPassBase}};
    for (const auto& [filter, base] : filters) {
        if (!*filter) continue;
        const bool off = base == kPointHighPassBase
                             ? (*filter)->frequencyIndex == 0
                             : (*filter)->frequencyIndex == kFrequencyCount - 1;
        if (off) continue;
        BandResponse(one, static_cast<int>(std::nearbyint(FrequencyHz((*filter)->frequencyIndex))),
                     0, 0, static_cast<PointTypeCode>(base + (*filter)->filterType));
        for (int k = 0; k < ResponseGrid::PointCount; ++k) sum[k] += one[k];
    }
    return sum;
}

struct ImportCase {
    const char* name;
    std::string text;
    int bands;
    bool crossovers;
    int imported;
    int beyondBands;
    int passIntoBands;
    std::vector<ClampedValue> clamped;
    std::vector<int> leftOutLines;
    ChannelUse channels = ChannelUse::Same;
};

TEST(ExchangeImport, WhatIsTakenClampedAndLeftOut) {
    using C = ClampedValue;
    const ImportCase cases[] = {
        {"a decimal-comma file with its header",
         "Filter Settings file\r\n\r\nRoom EQ V5.20.13\r\nDated: 11.12.2026 10:15:02\r\n"
         "Equaliser: Generic\r\nSitzplatz Mitte\r\n"
         "Filter  1: ON  PK       Fc   63,00 Hz  Gain  -5,00 dB  Q  4,000\r\n"
         "Filter  2: ON  PK       Fc   3.155 Hz  Gain  +2,50 dB  Q  1,200\r\n"
         "Filter  3: OFF None\r\n",
         15,
         true,
         2,
         0,
         0,
         {},
         {}},
        {"values beyond the processor's ranges are clamped",
         "Filter 1: ON PK Fc 1000 Hz Gain -30 dB Q 2\nFilter 2: ON PK Fc 15.9 Hz Gain 6 dB Q 1\n"
         "Filter 3: ON PK Fc 20300 Hz Gain 3 dB Q 2\nFilter 4: ON PK Fc 30000 Hz Gain 14 dB Q 2\n",
         10,
         false,
         4,
         0,
         0,
         {{1, C::Gain, -30, -24},
          {2, C::Frequency, 15.9, 19.7},
          {4, C::Frequency, 30000, 20600},
          {4, C::Gain, 14, 12}},
         {}},
        {"filters switched on take the bands before those switched off, the rest fit the sum",
         "Filter 1: OFF PK Fc 500 Hz Gain 3 dB Q 1\nFilter 2: ON PK Fc 100 Hz Gain -6 dB Q 2\n"
         "Filter 3: ON PK Fc 1000 Hz Gain 3 dB Q 1\nFilter 4: ON PK Fc 4000 Hz Gain -2 dB Q 3\n"
         "Filter 5: ON PK Fc 9000 Hz Gain 0.5 dB Q 1\n",
         3,
         false,
         4,
         1,
         0,
         {},
         {}},
        {"pass filters onto the crossovers, a notch into a band",
         "Filter 1: ON HP Fc 30 Hz\nFilter 2: ON LPQ Fc 16000 Hz Q 0.7\nFilter 3: ON NO Fc 60 Hz Q "
         "8\n",
         15,
         true,
         3,
         0,
         0,
         {},
         {}},
        {"pass filters into the bands of a channel without crossovers",
         "Filter 1: ON HP Fc 40 Hz\nFilter 2: ON PK Fc 1000 Hz Gain 3 dB Q 1\n",
         5,
         false,
         2,
         0,
         1,
         {},
         {}},
        {"one EQ from a file of two channels: the left is taken",
         "Channel: L\nFilter 1: ON PK Fc 100 Hz Gain -4 dB Q 2\nChannel: R\n"
         "Filter 2: ON PK Fc 120 Hz Gain -6 dB Q 3\nGraphicEQ: 100 0; 1000 3\nChannel: all\n"
         "Filter 3: ON HS Fc 8000 Hz Gain 2 dB\n",
         10,
         false,
         2,
         0,
         0,
         {},
         {4, 5},
         ChannelUse::LeftTaken},
        {"a graphic EQ is a target curve",
         "Preamp: -4 dB\nGraphicEQ: 20 -3; 60 4; 200 0; 1000 -2; 3000 2; 10000 -4; 20000 -6\n",
         10,
         false,
         1,
         0,
         0,
         {},
         {}},
        {"nothing to take",
         "Preamp: -3 dB\nFilter 1: ON PK Fc x Hz\nFilter 2: OFF PK Fc 100 Hz Gain 3 dB Q 1\n",
         5,
         false,
         0,
         0,
         0,
         {},
         {2}},
    };
    for (const ImportCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ExchangeImportRequest request = Channel(c.bands, c.crossovers);
        const EqImport r = Import(c.text, request);
        EXPECT_EQ(r.imported, c.imported);
        EXPECT_EQ(r.beyondBands, c.beyondBands);
        EXPECT_EQ(r.passIntoBands, c.passIntoBands);
        EXPECT_EQ(r.channels, c.channels);
        ASSERT_EQ(r.clamped.size(), c.clamped.size());
        for (size_t i = 0; i < c.clamped.size(); ++i) {
            EXPECT_EQ(r.clamped[i].line, c.clamped[i].line);
            EXPECT_EQ(r.clamped[i].what, c.clamped[i].what);
            EXPECT_NEAR(r.clamped[i].from, c.clamped[i].from, 1e-9);
            EXPECT_NEAR(r.clamped[i].to, c.clamped[i].to, 1e-9);
        }
        std::vector<int> lines;
        for (const LeftOutLine& l : r.leftOut) lines.push_back(l.line);
        EXPECT_EQ(lines, c.leftOutLines);
        if (c.imported == 0) {
            EXPECT_EQ(r.shown.settings, request.current);
            continue;
        }
        // The deviation reported is the one of the graph's own curve against the file's.
        const CurveDeviation d = DeviationOf(GraphCurve(r.shown.settings), FileCurve(c.text));
        EXPECT_NEAR(r.shown.deviation.largestDb, d.largestDb, 0.01);
    }
}

TEST(ExchangeImport, NumbersLandOnTheNearestEntries) {
    // Where a band matches its filter closely, the fitter keeps the file's own values.
    const EqImport r = Import(
        "Filter 1: ON PK Fc 1000 Hz Gain -6 dB Q 2\n"
        "Filter 2: ON PK Fc 20300 Hz Gain 3 dB Q 8\n",
        Channel(2));
    EXPECT_EQ(r.shown.settings.bands[0].frequencyIndex, 204);  // 1000 Hz
    EXPECT_NEAR(r.shown.settings.bands[0].gainStep, 90, 2);    // -6 dB
    // 20 300 Hz is nearer 20 200 Hz than 20 600 Hz.
    EXPECT_NEAR(r.shown.settings.bands[1].frequencyIndex, 360, 2);
}

TEST(ExchangeImport, PassFiltersLandOnTheCrossovers) {
    const std::string file = "Filter 1: ON HP Fc 30 Hz\nFilter 2: ON PK Fc 1000 Hz Gain 3 dB Q 1\n";
    const EqImport r = Import(file, Channel(15, true));
    ASSERT_TRUE(r.shown.settings.highPass.has_value());
    EXPECT_GT(r.shown.settings.highPass->filterType, 0);
    EXPECT_NEAR(FrequencyHz(r.shown.settings.highPass->frequencyIndex), 30, 10);
    // The file asks nothing of the low-pass: it is left as it is.
    EXPECT_FALSE(r.shown.settings.lowPass.has_value());
    // Dropping the high-pass would cost 7.6 dB at 20 Hz; the crossover holds it within 1.5 dB.
    EXPECT_LT(r.shown.deviation.largestDb, 1.5);
}

TEST(ExchangeImport, LeftAndRightSectionsGoToTheMusicSets) {
    const std::string file =
        "Channel: L\nFilter 1: ON PK Fc 100 Hz Gain -4 dB Q 2\nChannel: R\n"
        "Filter 2: ON PK Fc 2000 Hz Gain 5 dB Q 3\n";
    ExchangeImportRequest request = Channel(15);
    request.otherSet = request.current.bands;
    for (const bool rightShown : {false, true}) {
        request.otherIsRight = !rightShown;
        const EqImport r = Import(file, request);
        ASSERT_TRUE(r.other.has_value());
        EXPECT_EQ(r.channels, ChannelUse::BothSets);
        EXPECT_EQ(r.imported, 2);
        const ExchangeSettings& left = rightShown ? r.other->settings : r.shown.settings;
        const ExchangeSettings& right = rightShown ? r.shown.settings : r.other->settings;
        EXPECT_NEAR(left.bands[0].frequencyIndex, 85, 3);    // 101 Hz
        EXPECT_NEAR(right.bands[0].frequencyIndex, 240, 3);  // 2000 Hz
        for (int b = 1; b < 15; ++b) EXPECT_EQ(left.bands[b].type, 0) << b;
    }
}

// --- Against the exhaustive search ---

// The best single band of the filter's type for a target alone: every frequency, gain and Q
// or slope entry, largest difference first.
struct BandSearch {
    int type = 1;
    CurveArray target{};
    // The fitted points, largest target first: most candidates fail at the first few.
    std::vector<int> order;
    double best = std::numeric_limits<double>::infinity();
    ExchangeBand choice;
};

void Exhaustive(std::vector<BandSearch>& searches) {
    std::array<int, kFrequencyCount> centres{};
    for (int f = 0; f < kFrequencyCount; ++f) {
        centres[f] = ResponseCentreIndex(static_cast<int>(std::nearbyint(FrequencyHz(f))));
    }
    for (BandSearch& s : searches) {
        for (int k = kFitFirstIndex; k <= kFitLastIndex; ++k) s.order.push_back(k);
        std::stable_sort(s.order.begin(), s.order.end(), [&](int a, int b) {
            return std::abs(s.target[a]) > std::abs(s.target[b]);
        });
    }
    // The prototype laid at a centre reads proto[231 + k - centre], clamped to its ends; the
    // copy with its ends repeated on either side reads the same without a clamp.
    constexpr int kPad = ResponseGrid::PointCount;
    PrototypeArray proto;
    std::vector<double> padded(3 * kPad);
    for (int type = 1; type <= 3; ++type) {
        bool wanted = false;
        for (const BandSearch& s : searches) wanted |= s.type == type;
        if (!wanted) continue;
        const int qCount = (type == 1 ? KindMaximum(kKindQ) : kShelfQMaximum) + 1;
        for (int g = 0; g <= 180; ++g) {
            for (int q = 0; q < qCount; ++q) {
                ItemPrototype(static_cast<float>(g / 5.0 - 24), static_cast<float>(QValue(q)),
                              static_cast<PointTypeCode>(type), proto);
                for (int i = 0; i < 3 * kPad; ++i) padded[i] = proto[std::clamp(i - kPad, 0, 461)];
                for (BandSearch& s : searches) {
                    if (s.type != type) continue;
                    // Plain loops over plain pointers: the sanitizer build does not inline.
                    const double* target = s.target.data();
                    const int* order = s.order.data();
                    const int points = static_cast<int>(s.order.size());
                    for (int f = 0; f < kFrequencyCount; ++f) {
                        const double* at = padded.data() + kPad + 231 - centres[f];
                        double worst = 0;
                        for (int i = 0; i < points && worst < s.best; ++i) {
                            const double d = at[order[i]] - target[order[i]];
                            if (d > worst) worst = d;
                            if (-d > worst) worst = -d;
                        }
                        if (worst < s.best) {
                            s.best = worst;
                            s.choice = {type, f, g, type == 1 ? q : 16, type == 1 ? 10 : q};
                        }
                    }
                }
            }
        }
    }
}

TEST(ExchangeImport, TheFittedSumIsAtLeastAsCloseAsTheBestBandsOneByOne) {
    const char* files[] = {
        // A fixed-band headphone correction near the top of the range.
        "Filter 1: ON PK Fc 16000 Hz Gain -12.0 dB Q 1.41\n",
        "Filter 1: ON  PK Fc 63,00 Hz Gain -5,00 dB Q 4,000\n"
        "Filter 2: ON  PK Fc 3.155 Hz Gain 2,50 dB Q 1,200\n"
        "Filter 3: ON  PK Fc 250,0 Hz Gain -3,00 dB Q 0,800\n",
        "Filter 1: ON HSC Fc 10000 Hz Gain 6 dB Q 0.7\nFilter 2: ON LSC Fc 80 Hz Gain -4 dB Q "
        "0.9\n",
        "Filter 1: ON PK Fc 150 Hz Gain 6 dB Q 0.6\nFilter 2: ON PK Fc 180 Hz Gain -8 dB Q 5\n"
        "Filter 3: ON PK Fc 3000 Hz Gain 3 dB Q 2\nFilter 4: ON PK Fc 9000 Hz Gain -5 dB Q 0.8\n",
        "Filter 1: ON PK Fc 1000 Hz Gain -20 dB Q 8\nFilter 2: ON LS 12dB Fc 120 Hz Gain 5 dB\n",
    };
    std::vector<BandSearch> searches;
    std::vector<std::pair<size_t, size_t>> ranges;  // the searches of each file
    for (const char* text : files) {
        const size_t first = searches.size();
        for (const FileFilter& f : ReadExchangeFile(text).filters) {
            BandSearch s;
            s.type = f.filter.type == CookbookType::LowShelf    ? 2
                     : f.filter.type == CookbookType::HighShelf ? 3
                                                                : 1;
            Tools().cookbook.AddTo(f.filter, s.target);
            searches.push_back(s);
        }
        ranges.emplace_back(first, searches.size());
    }
    Exhaustive(searches);
    for (size_t i = 0; i < std::size(files); ++i) {
        SCOPED_TRACE(files[i]);
        ExchangeSettings best;
        for (size_t s = ranges[i].first; s < ranges[i].second; ++s) {
            best.bands.push_back(searches[s].choice);
        }
        const CurveArray target = FileCurve(files[i]);
        const double exhaustive = DeviationOf(GraphCurve(best), target).largestDb;
        const EqImport r = Import(files[i], Channel(10));
        const double fitted = DeviationOf(GraphCurve(r.shown.settings), target).largestDb;
        EXPECT_LE(fitted, exhaustive + 0.1) << "exhaustive " << exhaustive;
        EXPECT_NEAR(r.shown.deviation.largestDb, fitted, 0.01);
    }
    // The headphone filter: the file's own values would be 6.1 dB off; the fit is within 1 dB.
    EXPECT_LT(searches[0].best, 1.0);
}

TEST(ExchangeImport, AFileBuiltForTheMostBandsFitsIntoFewer) {
    // Thirty filters into fifteen bands: the sum still lands within a few dB everywhere.
    std::string text;
    for (int i = 0; i < 30; ++i) {
        const double hz = 25.0 * std::pow(2.0, i / 3.0);
        text += "Filter " + std::to_string(i + 1) + ": ON PK Fc " + std::to_string(hz) +
                " Hz Gain " + std::to_string((i % 3 - 1) * 2.0) + " dB Q 2\n";
    }
    const EqImport r = Import(text, Channel(15));
    EXPECT_EQ(r.imported, 30);
    EXPECT_EQ(r.beyondBands, 15);
    EXPECT_LT(r.shown.deviation.largestDb, 3.0);
}

}  // namespace
}  // namespace zt
