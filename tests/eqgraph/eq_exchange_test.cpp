// Export of a channel's EQ: every band as the closest free cookbook filter, warnings exactly
// where that is more than 0.5 dB off, and export -> import back to every table entry.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <map>
#include <numbers>
#include <sstream>

#include "eqgraph/band_response.h"
#include "eqgraph/eq_exchange.h"
#include "eqgraph/point_type_code.h"
#include "params/value_tables.h"

namespace zt {
namespace {

CookbookResponse& Cookbook() {
    static CookbookResponse cookbook;
    return cookbook;
}
ExchangeFitter& Fitter() {
    static ExchangeFitter fitter;
    return fitter;
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
// responses, from 20 Hz to 20 kHz (the fitter's grid points).
double Deviation(const ResponseArray& graph, const std::vector<Exported::Line>& lines) {
    double worst = 0;
    for (int i = kFitFirstIndex; i <= kFitLastIndex; ++i) {
        const double hz = ResponseGrid::FrequencyOfIndex(i);
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
    return FormatEqExchange(channel, Cookbook());
}

TEST(EqExport, EveryBandIsItsClosestCookbookFilterWithAWarningExactlyWhereItIsOff) {
    // Frequency indices: 60 = 62.5 Hz, 85 = 101 Hz, 132 = 250 Hz, 204 = 1000 Hz, 261 = 3000 Hz,
    // 324 = 10100 Hz, 348 = 16000 Hz, 361 = 20600 Hz. Gain steps: 120 = 0 dB, 150 = +6 dB.
    const ExchangeBand bands[] = {
        {1, 204, 150, 28, 10}, {1, 85, 75, 40, 10},   {1, 261, 135, 16, 10}, {1, 60, 90, 28, 10},
        {1, 132, 100, 10, 10}, {2, 85, 150, 16, 16},  {2, 132, 75, 16, 10},  {3, 261, 140, 16, 16},
        {3, 240, 90, 16, 24},  {1, 204, 180, 0, 10},  {1, 85, 180, 80, 10},  {1, 60, 60, 52, 10},
        {2, 204, 0, 16, 24},   {3, 324, 180, 16, 16}, {1, 348, 60, 22, 10},  {1, 361, 180, 0, 10},
        {1, 361, 180, 8, 10},  {3, 330, 150, 0, 0},
    };
    int warned = 0, clean = 0;
    for (const ExchangeBand& band : bands) {
        SCOPED_TRACE(testing::Message() << "type " << band.type << " frequency "
                                        << band.frequencyIndex << " gain " << band.gainStep);
        const Exported file = Read(Export({"Music", {band}, {}, {}}));
        ASSERT_EQ(file.filters.size(), 1u);
        const Exported::Line& line = file.filters[0];
        EXPECT_EQ(line.type, band.type == 1 ? "PK" : band.type == 2 ? "LSC" : "HSC");
        const int qIndex = band.type == 1 ? band.qIndex : band.slopeIndex;
        const ResponseArray graph =
            GraphOf(band.type, band.frequencyIndex, band.gainStep / 5.0 - 24, qIndex);
        const double deviation = Deviation(graph, {line});
        // No cookbook filter at the table's own frequency and gain comes closer.
        for (double q = 0.05; q < 200; q *= 1.05) {
            Exported::Line tableValues = line;
            tableValues.fc = FrequencyHz(band.frequencyIndex);
            tableValues.gain = band.gainStep / 5.0 - 24;
            tableValues.q = q;
            ASSERT_LE(deviation, Deviation(graph, {tableValues}) + 0.02) << q;
        }
        // Three header lines, then the warning where there is one, with its figure.
        const bool warning = file.comments.size() == 4;
        EXPECT_EQ(warning, deviation > kExchangeToleranceDb) << deviation;
        if (warning) {
            ++warned;
            const std::string& comment = file.comments[3];
            EXPECT_EQ(comment.rfind("# Filter 1: ", 0), 0u) << comment;
            const double figure = std::stod(comment.substr(12));
            EXPECT_GE(figure, deviation - 0.005) << comment;
            EXPECT_LE(figure, deviation + 0.015) << comment;
            EXPECT_GT(figure, kExchangeToleranceDb) << comment;
        } else {
            ++clean;
        }
    }
    EXPECT_GT(warned, 0);
    EXPECT_GT(clean, 0);
}

TEST(EqExport, CrossoversAreWrittenAsCookbookSections) {
    ExchangeChannel channel{"Output", {{0, 204, 150, 16, 10}}, {}, {}};
    const size_t sections[kFilterTypeCount] = {0, 0, 1, 1, 1, 1, 1, 2, 2, 2, 3, 3, 3};
    for (int type = 0; type < kFilterTypeCount; ++type) {
        SCOPED_TRACE(type);
        channel.highPass = ExchangeCrossover{type, 85};
        channel.lowPass = ExchangeCrossover{type, 300};
        const Exported file = Read(Export(channel));
        ASSERT_EQ(file.filters.size(), 1 + 2 * sections[type]);
        EXPECT_FALSE(file.filters[0].on);
        for (size_t i = 1; i <= sections[type]; ++i) EXPECT_EQ(file.filters[i].type, "HPQ");
        if (type == 0) continue;
        // The graph draws the crossovers steeper than any cookbook cascade: always a warning.
        int notes = 0;
        for (const std::string& comment : file.comments) {
            notes += comment.find("High-pass") != std::string::npos &&
                     comment.find("dB from the editor's curve") != std::string::npos;
        }
        EXPECT_EQ(notes, 1);
    }
}

TEST(EqExport, LinesEndInCrLf) {
    const std::string text = Export({"Music", {{1, 0, 1, 100, 10}, {3, 361, 179, 16, 0}}, {}, {}});
    EXPECT_NE(text.find("Filter 1: ON PK Fc "), std::string::npos);
    EXPECT_NE(text.find("Filter 2: ON HSC Fc "), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

EqImport ImportInto(const std::string& text, ExchangeImportRequest request) {
    return ImportEqExchange(text, request, Fitter(), Cookbook());
}

TEST(EqExchange, EveryTableEntryImportsBackToItsRawValues) {
    std::vector<ExchangeBand> entries;
    for (int q = 0; q <= 100; ++q) entries.push_back({1, (q * 7) % 362, (q * 13) % 181, q, 3});
    for (int slope = 0; slope <= 24; ++slope) {
        entries.push_back({2, 20 + slope * 3, 180 - slope, 40, slope});
        entries.push_back({3, 300 + slope, slope * 7, 60, slope});
    }
    for (int f = 0; f < kFrequencyCount; ++f)
        entries.push_back({f % 3 == 0 ? 0 : 1, f, 120 + f % 40, 16, 10});
    for (int g = 0; g <= 180; ++g) entries.push_back({1 + g % 3, 200, g, 30, 12});
    // The import starts from other values in every field.
    ExchangeImportRequest request;
    request.current.bands = {ExchangeBand{2, 100, 100, 50, 5}};
    for (const ExchangeBand& entry : entries) {
        const EqImport back = ImportInto(Export({"One", {entry}, {}, {}}), request);
        ASSERT_EQ(back.shown.settings.bands.size(), 1u);
        // A bypassed band keeps the Q field its file line does not carry.
        ExchangeBand expected = entry;
        EXPECT_EQ(back.shown.settings.bands[0], expected)
            << entry.type << " " << entry.frequencyIndex << " " << entry.gainStep << " "
            << entry.qIndex << " " << entry.slopeIndex;
    }
    // A whole channel with its crossovers comes back as it was.
    ExchangeChannel music{"Music", {}, ExchangeCrossover{8, 85}, ExchangeCrossover{3, 330}};
    for (int b = 0; b < 15; ++b) music.bands.push_back({b % 4, 10 + b * 23, 60 + b * 7, b * 6, b});
    request.current.bands.assign(15, ExchangeBand{});
    request.current.highPass = ExchangeCrossover{0, 0};
    request.current.lowPass = ExchangeCrossover{0, 361};
    const EqImport back = ImportInto(Export(music), request);
    EXPECT_EQ(back.shown.settings, (ExchangeSettings{music.bands, music.highPass, music.lowPass}));
}

TEST(EqExchange, AnEditedExportIsFittedAgain) {
    // Without the raw values' comment the file is fitted like any other: a band whose export
    // needed no warning lands within the warning's limit again.
    const ExchangeBand band{1, 204, 150, 28, 10};
    std::string text = Export({"One", {band}, {}, {}});
    const size_t raw = text.find("# ZT461 raw values:");
    ASSERT_NE(raw, std::string::npos);
    text.erase(raw, text.find('\n', raw) + 1 - raw);
    ExchangeImportRequest request;
    request.current.bands = {ExchangeBand{}};
    const EqImport back = ImportInto(text, request);
    EXPECT_LE(back.shown.deviation.largestDb, kExchangeToleranceDb);
    EXPECT_NEAR(back.shown.settings.bands[0].frequencyIndex, band.frequencyIndex, 2);
}

}  // namespace
}  // namespace zt
