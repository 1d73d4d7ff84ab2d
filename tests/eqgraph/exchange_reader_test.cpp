// Reading the filter files people have: every number read right, header lines skipped,
// what cannot be taken listed with its reason.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "eqgraph/exchange_reader.h"

namespace zt {
namespace {

struct ExpectedFilter {
    int line;
    bool on;
    CookbookType type;
    double hz, gain, q;
    int channels = kChannelsAll;
};

struct ReaderCase {
    const char* name;
    std::string text;
    std::vector<ExpectedFilter> filters;
    std::vector<LeftOutLine> leftOut;
    bool hasPreamp = false;
    double preampDb = 0.0;
};

// A shelf's Q for a slope in dB per octave, as the cookbook's S = slope / 12 gives it.
double QOfSlope(double slopeDb, double gainDb) {
    const double a = std::pow(10.0, gainDb / 40.0), s = slopeDb / 12.0;
    return 1.0 / std::sqrt((a + 1 / a) * (1 / s - 1) + 2);
}

const CookbookType PK = CookbookType::Peaking, LS = CookbookType::LowShelf,
                   HS = CookbookType::HighShelf, HP = CookbookType::HighPass,
                   LP = CookbookType::LowPass, NO = CookbookType::Notch;
const double kPlainQ = 0.7071067811865476;

std::vector<ReaderCase> Cases() {
    return {
        {"a measurement tool's file in a decimal-comma locale, CR LF, its header lines",
         "Filter Settings file\r\n\r\nRoom EQ V5.20.13\r\nDated: 11.12.2026 10:15:02\r\n\r\n"
         "Notes:\r\n\r\nEqualiser: Generic\r\nSitzplatz Mitte\r\n"
         "Filter  1: ON  PK       Fc   63,00 Hz  Gain  -5,00 dB  Q  4,000\r\n"
         "Filter  2: ON  PK       Fc   3.155 Hz  Gain   2,50 dB  Q  1,200\r\n"
         "Filter  3: ON  PK       Fc   1.234,5 Hz  Gain   -1,5 dB  Q  0,5\r\n"
         "Filter  4: OFF None\r\n",
         {{10, true, PK, 63, -5, 4},
          {11, true, PK, 3155, 2.5, 1.2},
          {12, true, PK, 1234.5, -1.5, 0.5}},
         {}},
        {"an automatic correction: BOM, preamp, plus signs, tabs, CR line ends",
         "\xEF\xBB\xBFPreamp: -6,2 dB\rFilter 1: ON LSC Fc 105 Hz Gain +6,5 dB Q 0,70\r"
         "Filter 2:\tON\tPK\tFc 2000 Hz\tGain -3 dB\tQ 1,41\r",
         {{2, true, LS, 105, 6.5, 0.7}, {3, true, PK, 2000, -3, 1.41}},
         {},
         true,
         -6.2},
        {"notes with a comma of their own in a file of decimal points",
         "Notes: 1,5 m from the wall\nFilter 1: ON PK Fc 63.5 Hz Gain -2.5 dB Q 1.5\n",
         {{2, true, PK, 63.5, -2.5, 1.5}},
         {}},
        {"every filter kind of the equalisers",
         "Filter 1: ON LS Fc 100 Hz Gain 4 dB\n"
         "Filter 2: ON HS Fc 8000 Hz Gain -3 dB Q 0.9\n"
         "Filter 3: ON HSC 6 dB Fc 9000 Hz Gain -6 dB\n"
         "Filter 4: ON LS 12dB Fc 80 Hz Gain 6 dB\n"
         "Filter 5: ON HS 6dB Fc 10000 Hz Gain -3 dB\n"
         "Filter 6: ON PK Fc 1000Hz Gain 2dB BW Oct 1\n"
         "Filter 7: ON NO Fc 50 Hz\n"
         "Filter 8: ON NO Fc 60 Hz Q 12\n"
         "Filter 9: ON HP Fc 30 Hz\n"
         "Filter 10: ON HPQ Fc 25 Hz Q 0.54\n"
         "Filter 11: ON LP Fc 18000 Hz\n"
         "Filter 12: ON LPQ Fc 16000 Hz Q 1.31\n"
         "Filter 13: OFF PK Fc 500 Hz Gain 3 dB Q 2\n",
         {{1, true, LS, 100, 4, kPlainQ},
          {2, true, HS, 8000, -3, 0.9},
          {3, true, HS, 9000, -6, QOfSlope(6, -6)},
          // Corner shelves: the mid-gain point lies |gain| / (2 slope) octaves into the shelf.
          {4, true, LS, 80 * std::exp2(6.0 / 24), 6, QOfSlope(12, 6)},
          {5, true, HS, 10000 * std::exp2(-3.0 / 12), -3, QOfSlope(6, -3)},
          {6, true, PK, 1000, 2, QOfBandwidth(1.0, 1000.0)},
          {7, true, NO, 50, 0, 30},
          {8, true, NO, 60, 0, 12},
          {9, true, HP, 30, 0, kPlainQ},
          {10, true, HP, 25, 0, 0.54},
          {11, true, LP, 18000, 0, kPlainQ},
          {12, true, LP, 16000, 0, 1.31},
          {13, false, PK, 500, 3, 2}},
         {}},
        {"channel sections, a device line",
         "Device: Speakers Realtek\nChannel: L\nPreamp: -3 dB\nFilter 1: ON PK Fc 100 Hz Gain -4 "
         "dB Q 2\n"
         "Channel: R\nPreamp: -5 dB\nFilter 2: ON PK Fc 120 Hz Gain -6 dB Q 3\nChannel: all\n"
         "Filter 3: ON HS Fc 8000 Hz Gain 2 dB\nChannel: C SUB\n"
         "Filter 4: ON PK Fc 60 Hz Gain 3 dB Q 1\nChannel: 1 2\nPreamp: -1 dB\n",
         {{4, true, PK, 100, -4, 2, kChannelLeft},
          {7, true, PK, 120, -6, 3, kChannelRight},
          {9, true, HS, 8000, 2, kPlainQ, kChannelsAll | kChannelOther}},
         {{11, "Filter 4: ON PK Fc 60 Hz Gain 3 dB Q 1", LeftOutReason::OtherChannel}},
         true,
         -4},
        {"lines that cannot be taken",
         "Filter 1: ON AP Fc 500 Hz Q 1\nInclude: headphones.txt\nConvolution: room.wav\n"
         "Filter 2: ON PK Fc abc Hz Gain 3 dB Q 1\nFilter 3: ON PK Fc 1000 Hz Q 1\n"
         "Filter 4: ON PK Fc 1 Hz Fc 2 Hz Gain 1 dB Q 1\nFilter x: ON PK Fc 100 Hz Gain 1 dB Q 1\n"
         "Filter 5: MAYBE PK Fc 100 Hz Gain 1 dB Q 1\nFilter 6: ON PK Fc nan Hz Gain 1 dB Q 1\n"
         "Filter 7: ON PK Fc 100 Hz Gain 1 dB Q\nFilter 8: ON PK Fc 100 Hz Gain 1 dB Q 0\n"
         "Fc 1000 Hz Gain 3 dB\nGraphicEQ: 100 0; 50 1\nPreamp: loud\n"
         // Free text and binary noise carry no filter: nothing to report.
         "just a remark without numbers\n\x01\x02\xff\xfe:\x80\n",
         {},
         {{1, "Filter 1: ON AP Fc 500 Hz Q 1", LeftOutReason::Unsupported},
          {2, "Include: headphones.txt", LeftOutReason::Unsupported},
          {3, "Convolution: room.wav", LeftOutReason::Unsupported},
          {4, "Filter 2: ON PK Fc abc Hz Gain 3 dB Q 1", LeftOutReason::Malformed},
          {5, "Filter 3: ON PK Fc 1000 Hz Q 1", LeftOutReason::Malformed},
          {6, "Filter 4: ON PK Fc 1 Hz Fc 2 Hz Gain 1 dB Q 1", LeftOutReason::Malformed},
          {7, "Filter x: ON PK Fc 100 Hz Gain 1 dB Q 1", LeftOutReason::Malformed},
          {8, "Filter 5: MAYBE PK Fc 100 Hz Gain 1 dB Q 1", LeftOutReason::Malformed},
          {9, "Filter 6: ON PK Fc nan Hz Gain 1 dB Q 1", LeftOutReason::Malformed},
          {10, "Filter 7: ON PK Fc 100 Hz Gain 1 dB Q", LeftOutReason::Malformed},
          {11, "Filter 8: ON PK Fc 100 Hz Gain 1 dB Q 0", LeftOutReason::Malformed},
          {12, "Fc 1000 Hz Gain 3 dB", LeftOutReason::Malformed},
          {13, "GraphicEQ: 100 0; 50 1", LeftOutReason::Malformed},
          {14, "Preamp: loud", LeftOutReason::Malformed}}},
    };
}

TEST(ExchangeReader, EveryNumberIsReadAndEveryLineAccountedFor) {
    for (const ReaderCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const ExchangeFile file = ReadExchangeFile(c.text);
        ASSERT_EQ(file.filters.size(), c.filters.size());
        for (size_t i = 0; i < c.filters.size(); ++i) {
            const ExpectedFilter& e = c.filters[i];
            const FileFilter& f = file.filters[i];
            SCOPED_TRACE(e.line);
            EXPECT_EQ(f.line, e.line);
            EXPECT_EQ(f.on, e.on);
            EXPECT_EQ(f.filter.type, e.type);
            EXPECT_NEAR(f.filter.frequencyHz, e.hz, 1e-9 * e.hz);
            EXPECT_NEAR(f.filter.gainDb, e.gain, 1e-12);
            EXPECT_NEAR(f.filter.q, e.q, 1e-12);
            EXPECT_EQ(f.channels, e.channels);
        }
        EXPECT_EQ(file.leftOut, c.leftOut);
        EXPECT_EQ(file.hasPreamp, c.hasPreamp);
        EXPECT_NEAR(file.preampDb, c.preampDb, 1e-12);
    }
}

TEST(ExchangeReader, BandwidthIsTheCookbooksDigitalOne) {
    // One octave near the top of the band is a much higher Q than the analogue 1.41.
    for (const double hz : {100.0, 1000.0, 10000.0, 15000.0}) {
        const double q = QOfBandwidth(1.0, hz);
        // The cookbook's alpha for a bandwidth and for a Q agree.
        const double w0 = 2 * std::numbers::pi * hz / 48000.0;
        const double alphaBw = std::sin(w0) * std::sinh(std::log(2.0) / 2 * w0 / std::sin(w0));
        EXPECT_NEAR(std::sin(w0) / (2 * q), alphaBw, 1e-12) << hz;
    }
    EXPECT_NEAR(QOfBandwidth(1.0, 100.0), std::sqrt(2.0), 1e-3);
    // Near the top of the band the digital filter of one octave is much wider.
    EXPECT_LT(QOfBandwidth(1.0, 15000.0), 0.7);
}

TEST(ExchangeReader, GraphicEqCurvesAreReadAsCurves) {
    const ExchangeFile file = ReadExchangeFile("GraphicEQ: 20 -3; 100 0; 1000 2,5; 10000 -4\n");
    ASSERT_EQ(file.graphics.size(), 1u);
    const GraphicCurve& g = file.graphics[0];
    ASSERT_EQ(g.points.size(), 4u);
    EXPECT_DOUBLE_EQ(g.points[2].gainDb, 2.5);
    EXPECT_DOUBLE_EQ(GraphicGainDb(g, 10), -3);     // held below the first point
    EXPECT_DOUBLE_EQ(GraphicGainDb(g, 20000), -4);  // and above the last
    EXPECT_NEAR(GraphicGainDb(g, std::sqrt(100.0 * 1000.0)), 1.25, 1e-12);  // log-linear
}

TEST(ExchangeReader, AFileTooLargeIsNotRead) {
    const ExchangeFile file = ReadExchangeFile(std::string(kMaxExchangeFileSize + 1, '#'));
    EXPECT_TRUE(file.filters.empty());
    ASSERT_EQ(file.leftOut.size(), 1u);
    EXPECT_EQ(file.leftOut[0].line, 0);
}

}  // namespace
}  // namespace zt
