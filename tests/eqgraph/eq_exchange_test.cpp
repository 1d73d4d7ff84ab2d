// EQ exchange with room-measurement tools: exported filter lines against the cookbook
// formulas, the round trip of every table entry, and what an import leaves out.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <map>
#include <numbers>
#include <sstream>

#include "eqgraph/band_response.h"
#include "eqgraph/eq_exchange.h"
#include "params/value_tables.h"

namespace zt {
namespace {

// The tables are fitted once for the whole program.
struct Tables {
    CookbookResponse cookbook;
    ExchangeQTable q{cookbook};
};
const Tables& Shared() {
    static const Tables tables;
    return tables;
}

// The cookbook's magnitude in dB at `hz`, straight from its formulas, at 48 kHz.
double CookbookDb(const std::string& type, double fc, double gainDb, double q, double hz) {
    const double fs = 48000.0;
    const double a = std::pow(10.0, gainDb / 40);
    const double w0 = 2 * std::numbers::pi * fc / fs;
    const double cw = std::cos(w0), alpha = std::sin(w0) / (2 * q), r = 2 * std::sqrt(a) * alpha;
    double b[3], d[3];
    if (type == "PK") {
        b[0] = 1 + alpha * a, b[1] = -2 * cw, b[2] = 1 - alpha * a;
        d[0] = 1 + alpha / a, d[1] = -2 * cw, d[2] = 1 - alpha / a;
    } else if (type == "LSC") {
        b[0] = a * ((a + 1) - (a - 1) * cw + r), b[1] = 2 * a * ((a - 1) - (a + 1) * cw);
        b[2] = a * ((a + 1) - (a - 1) * cw - r);
        d[0] = (a + 1) + (a - 1) * cw + r, d[1] = -2 * ((a - 1) + (a + 1) * cw);
        d[2] = (a + 1) + (a - 1) * cw - r;
    } else if (type == "HSC") {
        b[0] = a * ((a + 1) + (a - 1) * cw + r), b[1] = -2 * a * ((a - 1) + (a + 1) * cw);
        b[2] = a * ((a + 1) + (a - 1) * cw - r);
        d[0] = (a + 1) - (a - 1) * cw + r, d[1] = 2 * ((a - 1) - (a + 1) * cw);
        d[2] = (a + 1) - (a - 1) * cw - r;
    } else if (type == "HPQ") {
        b[0] = (1 + cw) / 2, b[1] = -(1 + cw), b[2] = (1 + cw) / 2;
        d[0] = 1 + alpha, d[1] = -2 * cw, d[2] = 1 - alpha;
    } else {  // LPQ
        b[0] = (1 - cw) / 2, b[1] = 1 - cw, b[2] = (1 - cw) / 2;
        d[0] = 1 + alpha, d[1] = -2 * cw, d[2] = 1 - alpha;
    }
    const std::complex<double> z = std::polar(1.0, -2 * std::numbers::pi * hz / fs);
    const std::complex<double> h =
        (b[0] + b[1] * z + b[2] * z * z) / (d[0] + d[1] * z + d[2] * z * z);
    return 20 * std::log10(std::abs(h));
}

// An exported file read back: its filter lines and the comment lines.
struct Exported {
    struct Line {
        bool on;
        std::string type;
        double fc = 0, gain = 0, q = 0;
    };
    std::vector<Line> filters;
    std::vector<std::string> comments;
};

Exported Read(const std::string& text) {
    Exported out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("# ", 0) == 0) {
            out.comments.push_back(line);
            continue;
        }
        std::istringstream words(line.substr(line.find(':') + 1));
        Exported::Line f;
        std::string state, key, unit;
        words >> state >> f.type;
        f.on = state == "ON";
        while (words >> key) {
            if (key == "Fc") words >> f.fc >> unit;
            if (key == "Gain") words >> f.gain >> unit;
            if (key == "Q") words >> f.q;
        }
        out.filters.push_back(f);
    }
    return out;
}

// The largest difference between the graph's curve and the exported lines' summed cookbook
// responses, from 20 Hz to 20 kHz.
double Deviation(const ResponseArray& graph, const std::vector<Exported::Line>& lines) {
    double worst = 0;
    for (int i = 0; i < ResponseGrid::PointCount; ++i) {
        const double hz = ResponseGrid::FrequencyOfIndex(i);
        if (hz < 20 || hz > 20000) continue;
        double sum = 0;
        for (const auto& l : lines) sum += CookbookDb(l.type, l.fc, l.gain, l.q, hz);
        worst = std::max(worst, std::abs(graph[i] - sum));
    }
    return worst;
}

ResponseArray GraphOf(int code, int frequencyIndex, double gain, int qIndex) {
    ResponseArray graph{};
    BandResponse(graph, static_cast<int>(std::nearbyint(FrequencyHz(frequencyIndex))),
                 static_cast<float>(gain), static_cast<float>(QValue(qIndex)),
                 static_cast<PointTypeCode>(code));
    return graph;
}

std::string Export(const ExchangeChannel& channel) {
    return FormatEqExchange(channel, Shared().q, Shared().cookbook);
}

struct BandCase {
    ExchangeBand band;  // type, frequency index, gain step, Q index, slope index
    bool matches;       // the cookbook line lies within 0.5 dB of the graph
};

TEST(EqExport, EachBandTypeMatchesTheCookbookOrSaysItDoesNot) {
    // Frequency indices: 60 = 62.5 Hz, 85 = 101 Hz, 132 = 250 Hz, 204 = 1000 Hz, 240 = 2000 Hz,
    // 261 = 3000 Hz, 324 = 10100 Hz. Gain steps: 120 = 0 dB, 150 = +6 dB, 75 = -9 dB.
    const BandCase cases[] = {
        {{1, 204, 150, 28, 10}, true},   // PK 1 kHz +6 dB Q 2.00
        {{1, 85, 75, 40, 10}, true},     // PK 101 Hz -9 dB Q 4.00
        {{1, 261, 135, 16, 10}, true},   // PK 3 kHz +3 dB Q 1.00
        {{1, 60, 90, 28, 10}, true},     // PK 62.5 Hz -6 dB Q 2.00
        {{1, 132, 100, 10, 10}, true},   // PK 250 Hz -4 dB Q 0.71
        {{2, 85, 150, 16, 16}, true},    // LSC 101 Hz +6 dB slope 1.00
        {{2, 132, 75, 16, 10}, true},    // LSC 250 Hz -9 dB slope 0.71
        {{3, 261, 140, 16, 16}, true},   // HSC 3 kHz +4 dB slope 1.00
        {{3, 240, 90, 16, 24}, true},    // HSC 2 kHz -6 dB slope 1.60
        {{1, 204, 180, 0, 10}, false},   // PK +12 dB at Q 0.40: the graph's bell is wider
        {{1, 85, 180, 80, 10}, false},   // PK Q 40 at 101 Hz: narrower than the graph's steps
        {{1, 60, 60, 52, 10}, false},    // PK Q 8 at 62.5 Hz: the graph snaps it to its grid
        {{2, 204, 0, 16, 24}, false},    // LSC -24 dB slope 1.60
        {{3, 324, 180, 16, 16}, false},  // HSC +12 dB near the top of the band
    };
    for (const BandCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.band.type << " frequency "
                                        << c.band.frequencyIndex << " gain " << c.band.gainStep);
        const Exported file = Read(Export({"Music", {c.band}, {}, {}}));
        ASSERT_EQ(file.filters.size(), 1u);
        const Exported::Line& line = file.filters[0];
        EXPECT_EQ(line.type, c.band.type == 1 ? "PK" : c.band.type == 2 ? "LSC" : "HSC");
        EXPECT_NEAR(line.fc, FrequencyHz(c.band.frequencyIndex), 1e-9);
        EXPECT_NEAR(line.gain, c.band.gainStep / 5.0 - 24, 1e-9);
        const int qIndex = c.band.type == 1 ? c.band.qIndex : c.band.slopeIndex;
        const double deviation =
            Deviation(GraphOf(c.band.type, c.band.frequencyIndex, line.gain, qIndex), {line});
        const bool commented = file.comments.size() == 3;  // two header lines, then the note
        EXPECT_EQ(deviation <= kExchangeToleranceDb, c.matches) << deviation;
        EXPECT_EQ(commented, !c.matches);
        if (commented) {
            EXPECT_NE(file.comments[2].find("Filter 1: no exact counterpart"), std::string::npos);
        }
    }
}

TEST(EqExport, BypassedBandsAreOffAndCrossoversAreCommentedSections) {
    ExchangeChannel channel{"Output", {{0, 204, 150, 16, 10}}, {}, {}};
    // Sections per crossover type: none for bypass, the 6 dB sections left out.
    const size_t sections[kFilterTypeCount] = {0, 0, 1, 1, 1, 1, 1, 2, 2, 2, 3, 3, 3};
    for (int type = 0; type < kFilterTypeCount; ++type) {
        SCOPED_TRACE(type);
        channel.highPass = ExchangeCrossover{type, 85};
        channel.lowPass = ExchangeCrossover{type, 300};
        const Exported file = Read(Export(channel));
        ASSERT_EQ(file.filters.size(), 1 + 2 * sections[type]);
        EXPECT_FALSE(file.filters[0].on);
        EXPECT_EQ(file.filters[0].type, "PK");
        std::vector<Exported::Line> high(file.filters.begin() + 1,
                                         file.filters.begin() + 1 + sections[type]);
        for (const auto& l : high) EXPECT_EQ(l.type, "HPQ");
        if (type == 0) {
            EXPECT_EQ(file.comments.size(), 2u);
            continue;
        }
        // The graph draws the crossovers steeper than any cookbook cascade: never a match.
        const double deviation = Deviation(GraphOf(100 + type, 85, 0, 0), high);
        EXPECT_GT(deviation, kExchangeToleranceDb);
        int notes = 0;
        for (const std::string& comment : file.comments) {
            notes += comment.find("High-pass") != std::string::npos &&
                     comment.find("no exact counterpart") != std::string::npos;
        }
        EXPECT_EQ(notes, 1);
        const bool firstOrder = type == 1 || type == 5 || type == 6;
        EXPECT_EQ(file.comments.size(), 2u + 2 + (firstOrder ? 2 : 0));
    }
    // Exact cascades of the processor's sections: a 24 dB Butterworth is Q 1.31 and 0.54.
    channel.highPass = ExchangeCrossover{8, 85};
    channel.lowPass.reset();
    const Exported file = Read(Export(channel));
    ASSERT_EQ(file.filters.size(), 3u);
    EXPECT_NEAR(file.filters[1].q, 1.31, 1e-9);
    EXPECT_NEAR(file.filters[2].q, 0.54, 1e-9);
    // A high-pass at the table's first frequency and a low-pass at its last are bypassed.
    channel.highPass = ExchangeCrossover{3, 0};
    channel.lowPass = ExchangeCrossover{3, kFrequencyCount - 1};
    EXPECT_EQ(Read(Export(channel)).filters.size(), 1u);
}

TEST(EqExport, LinesEndInCrLfAndCarryTheTableValues) {
    const std::string text = Export({"Music", {{1, 0, 1, 100, 10}, {3, 361, 179, 16, 0}}, {}, {}});
    EXPECT_NE(text.find("Filter 1: ON PK Fc 19.7 Hz Gain -23.8 dB Q "), std::string::npos);
    EXPECT_NE(text.find("Filter 2: ON HSC Fc 20600 Hz Gain 11.8 dB Q "), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(EqExchange, EveryTableEntryImportsBackToItsRawValues) {
    std::vector<ExchangeBand> bands;
    for (int q = 0; q <= 100; ++q) bands.push_back({1, (q * 7) % 362, (q * 13) % 181, q, 3});
    for (int slope = 0; slope <= 24; ++slope) {
        bands.push_back({2, 20 + slope * 3, 180 - slope, 40, slope});
        bands.push_back({3, 300 + slope, slope * 7, 60, slope});
    }
    for (int frequency = 0; frequency < kFrequencyCount; frequency += 9) {
        bands.push_back({frequency % 2 == 0 ? 0 : 1, frequency, 120, 16, 10});
    }
    const std::string text = Export({"All", bands, ExchangeCrossover{8, 85}, {}});
    // The import starts from other values in every field the file carries; the Q field the
    // band's type does not use is not in the file and stays as it was.
    std::vector<ExchangeBand> start = bands;
    for (ExchangeBand& b : start) {
        const bool shelf = b.type >= 2;
        (shelf ? b.slopeIndex : b.qIndex) = shelf ? (b.slopeIndex + 7) % 25 : (b.qIndex + 50) % 101;
        b.type = 1, b.frequencyIndex = 100, b.gainStep = 100;
    }
    const EqImport imported = ParseEqExchange(text, start, Shared().q);
    EXPECT_EQ(imported.imported, static_cast<int>(bands.size()));
    for (size_t i = 0; i < bands.size(); ++i) EXPECT_EQ(imported.bands[i], bands[i]) << i;
    // The crossover's two sections are no band filters.
    ASSERT_EQ(imported.leftOut.size(), 2u);
    EXPECT_EQ(imported.leftOut[0].reason, LeftOutReason::Unsupported);
}

std::vector<ExchangeBand> FlatBands(int count) {
    return std::vector<ExchangeBand>(count, ExchangeBand{1, 204, 120, 16, 10});
}

TEST(EqImport, FiltersSnapToTheTables) {
    const EqImport result = ParseEqExchange(
        "\xEF\xBB\xBF# from a room correction\n"
        "Filter 1: ON PK Fc 1005 Hz Gain -3.3 dB Q 1.00\n"
        "Filter  2: ON  LS       Fc   63.4 Hz  Gain   5.1 dB\r\n"
        "Filter 3: ON HSC Fc 8000 Hz Gain -2 dB Q 0.87\r"
        "Filter 4: ON None\n"
        "Filter: OFF PK Fc 120 Hz Gain 4 dB BW Oct 1.0\n"
        "\n",
        FlatBands(5), Shared().q);
    ASSERT_TRUE(result.leftOut.empty());
    ASSERT_EQ(result.imported, 4);
    const std::vector<ExchangeBand>& b = result.bands;
    EXPECT_EQ(b[0], (ExchangeBand{1, 204, 104, *Shared().q.PeakingIndex(1.0), 10}));
    EXPECT_EQ(b[1], (ExchangeBand{2, 61, 146, 16, *Shared().q.ShelfIndex(0.7071)}));
    EXPECT_EQ(b[2].type, 3);
    EXPECT_EQ(b[2].frequencyIndex, 312);
    EXPECT_EQ(b[2].gainStep, 110);
    // OFF: a bypassed band with the filter's values; a bandwidth of one octave is Q 1.41.
    EXPECT_EQ(b[3], (ExchangeBand{0, 94, 140, *Shared().q.PeakingIndex(std::sqrt(2.0)), 10}));
    // The band the file has no filter for is bypassed.
    EXPECT_EQ(b[4], (ExchangeBand{0, 204, 120, 16, 10}));
}

struct ImportCase {
    const char* name;
    const char* text;
    int imported;
    std::vector<LeftOutLine> leftOut;
};

TEST(EqImport, WhatCannotBeTakenIsListedAndNothingOfItApplied) {
    const ImportCase cases[] = {
        {"more filters than bands",
         "Filter 1: ON PK Fc 100 Hz Gain 1 dB Q 1\nFilter 2: ON PK Fc 200 Hz Gain 2 dB Q 1\n"
         "Filter 3: ON PK Fc 300 Hz Gain 3 dB Q 1\nFilter 4: ON PK Fc 400 Hz Gain 4 dB Q 1\n",
         3,
         {{4, "Filter 4: ON PK Fc 400 Hz Gain 4 dB Q 1", LeftOutReason::BeyondBands}}},
        {"unsupported types",
         "Preamp: -6.5 dB\nFilter 1: ON LP Fc 80 Hz\nFilter 2: ON LS 6dB Fc 100 Hz Gain 3 dB\n"
         "Filter 3: ON PK Fc 100 Hz Gain 1 dB Q 1\nGraphicEQ: 25 0; 40 1\n",
         1,
         {{1, "Preamp: -6.5 dB", LeftOutReason::Unsupported},
          {2, "Filter 1: ON LP Fc 80 Hz", LeftOutReason::Unsupported},
          {3, "Filter 2: ON LS 6dB Fc 100 Hz Gain 3 dB", LeftOutReason::Unsupported},
          {5, "GraphicEQ: 25 0; 40 1", LeftOutReason::Unsupported}}},
        {"values outside the tables",
         "Filter 1: ON PK Fc 15 Hz Gain 1 dB Q 1\nFilter 2: ON PK Fc 21000 Hz Gain 1 dB Q 1\n"
         "Filter 3: ON PK Fc 100 Hz Gain 12.2 dB Q 1\nFilter 4: ON PK Fc 100 Hz Gain -25 dB Q 1\n"
         "Filter 5: ON PK Fc 100 Hz Gain 1 dB Q 500\nFilter 6: ON LSC Fc 100 Hz Gain 1 dB Q 5\n"
         "Filter 7: ON PK Fc 100 Hz Gain 1 dB Q 0\nFilter 8: ON PK Fc 1000 Hz Gain 12 dB Q 1\n",
         1,
         {{1, "Filter 1: ON PK Fc 15 Hz Gain 1 dB Q 1", LeftOutReason::OutOfRange},
          {2, "Filter 2: ON PK Fc 21000 Hz Gain 1 dB Q 1", LeftOutReason::OutOfRange},
          {3, "Filter 3: ON PK Fc 100 Hz Gain 12.2 dB Q 1", LeftOutReason::OutOfRange},
          {4, "Filter 4: ON PK Fc 100 Hz Gain -25 dB Q 1", LeftOutReason::OutOfRange},
          {5, "Filter 5: ON PK Fc 100 Hz Gain 1 dB Q 500", LeftOutReason::OutOfRange},
          {6, "Filter 6: ON LSC Fc 100 Hz Gain 1 dB Q 5", LeftOutReason::OutOfRange},
          {7, "Filter 7: ON PK Fc 100 Hz Gain 1 dB Q 0", LeftOutReason::OutOfRange}}},
        {"malformed lines",
         "Filter 1: ON PK Fc abc Hz Gain 3 dB Q 1\nFilter 1 ON PK Fc 100 Hz Gain 3 dB Q 1\n"
         "Fc 1000 Hz\nFilter 2: ON PK Fc 1000 Hz Q 1\nFilter 3: ON PK Fc 1 Hz Fc 2 Hz Gain 1 dB Q "
         "1\n"
         "Filter x: ON PK Fc 100 Hz Gain 1 dB Q 1\nFilter 4: MAYBE PK Fc 100 Hz Gain 1 dB Q 1\n"
         "Filter 5: ON PK Fc nan Hz Gain 1 dB Q 1\nFilter 6: ON PK Fc 100 Hz Gain 1 dB Q\n",
         0,
         {{1, "Filter 1: ON PK Fc abc Hz Gain 3 dB Q 1", LeftOutReason::Malformed},
          {2, "Filter 1 ON PK Fc 100 Hz Gain 3 dB Q 1", LeftOutReason::Malformed},
          {3, "Fc 1000 Hz", LeftOutReason::Malformed},
          {4, "Filter 2: ON PK Fc 1000 Hz Q 1", LeftOutReason::Malformed},
          {5, "Filter 3: ON PK Fc 1 Hz Fc 2 Hz Gain 1 dB Q 1", LeftOutReason::Malformed},
          {6, "Filter x: ON PK Fc 100 Hz Gain 1 dB Q 1", LeftOutReason::Malformed},
          {7, "Filter 4: MAYBE PK Fc 100 Hz Gain 1 dB Q 1", LeftOutReason::Malformed},
          {8, "Filter 5: ON PK Fc nan Hz Gain 1 dB Q 1", LeftOutReason::Malformed},
          {9, "Filter 6: ON PK Fc 100 Hz Gain 1 dB Q", LeftOutReason::Malformed}}},
        {"binary noise",
         "\x01\x02\xff\xfe:\x80\n",
         0,
         {{1, "\x01\x02\xff\xfe:\x80", LeftOutReason::Malformed}}},
    };
    const std::vector<ExchangeBand> current = {
        {2, 10, 20, 30, 4}, {3, 11, 21, 31, 5}, {1, 12, 22, 32, 6}};
    for (const ImportCase& c : cases) {
        SCOPED_TRACE(c.name);
        const EqImport result = ParseEqExchange(c.text, current, Shared().q);
        EXPECT_EQ(result.imported, c.imported);
        EXPECT_EQ(result.leftOut, c.leftOut);
        if (c.imported == 0) {
            // Nothing to take: the channel keeps every value.
            EXPECT_EQ(result.bands, current);
        } else {
            // The filters taken fill the first bands; no left-out filter touched a band.
            for (size_t i = c.imported; i < current.size(); ++i) {
                ExchangeBand bypassed = current[i];
                bypassed.type = 0;
                EXPECT_EQ(result.bands[i], bypassed);
            }
        }
    }
    // A file too large to be filter settings is not read at all.
    const std::string huge(kMaxExchangeFileSize + 1, '#');
    const EqImport result = ParseEqExchange(huge, current, Shared().q);
    EXPECT_EQ(result.bands, current);
    ASSERT_EQ(result.leftOut.size(), 1u);
    EXPECT_EQ(result.leftOut[0].line, 0);
}

}  // namespace
}  // namespace zt
