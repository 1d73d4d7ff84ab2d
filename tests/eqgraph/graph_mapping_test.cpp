#include "eqgraph/graph_mapping.h"

#include <gtest/gtest.h>

#include "eqgraph/graph_grid.h"
#include "tests/eqgraph/curve_test_support.h"

namespace zt {
namespace {

TEST(GraphMappingTest, DesignSizeFigures) {
    EXPECT_NEAR(kDesign.XOfFrequency(1000), 522.4, 0.1);
    EXPECT_NEAR(kDesign.XOfFrequency(100), 261.2, 0.1);
    EXPECT_NEAR(kDesign.XOfFrequency(20), 78.6, 0.1);
    EXPECT_NEAR(kDesign.XOfFrequency(20000), 862.3, 0.1);
    EXPECT_DOUBLE_EQ(kDesign.XOfFrequency(10), 0.0);
    EXPECT_NEAR(kDesign.XOfFrequency(24000), 883.0, 1e-9);
    EXPECT_DOUBLE_EQ(kDesign.YOfGain(0), 89.0);
    EXPECT_DOUBLE_EQ(kDesign.YOfGain(12), 0.0);
    EXPECT_DOUBLE_EQ(kDesign.YOfGain(-24), 267.0);
}

TEST(GraphMappingTest, MappingsAreInverseAndUnclamped) {
    for (const GraphMapping m : {kDesign, GraphMapping{1637, 737}, GraphMapping{120, 40}}) {
        for (double hz : {5.0, 19.5, 1000.0, 20600.0, 48000.0}) {
            EXPECT_NEAR(m.FrequencyOfX(m.XOfFrequency(hz)), hz, hz * 1e-12);
        }
        for (double db : {-40.0, -24.0, -3.2, 0.0, 12.0, 20.0}) {
            EXPECT_NEAR(m.GainOfY(m.YOfGain(db)), db, 1e-12);
        }
        EXPECT_LT(m.YOfGain(15), 0.0);
        EXPECT_GT(m.YOfGain(-30), m.height - 1);
        EXPECT_GT(m.XOfFrequency(30000), m.width);
    }
}

TEST(GraphGridTest, LinesOfTheDesignSize) {
    const std::vector<GridLine> lines = GridLines(kDesign);
    // 13 gain lines, the left border and 3 decade lines, 24 + 1 other frequency lines and the
    // right border, the top and bottom borders.
    ASSERT_EQ(lines.size(), 13u + 4u + 26u + 2u);
    EXPECT_EQ(lines[0], (GridLine{0, 267, 883, 267, 1, GridTone::Major}));  // -24 dB
    EXPECT_EQ(lines[8], (GridLine{0, 89, 883, 89, 1, GridTone::Major}));    // 0 dB
    EXPECT_EQ(lines[4].tone, GridTone::Minor);
    EXPECT_EQ(lines[13], (GridLine{0, 0, 0, 268, 2, GridTone::Major}));
    EXPECT_EQ(lines[15], (GridLine{522, 0, 522, 268, 2, GridTone::Major}));  // 1 kHz
    EXPECT_EQ(lines[lines.size() - 3], (GridLine{882, 0, 882, 268, 1, GridTone::Minor}));
    EXPECT_EQ(lines[lines.size() - 2], (GridLine{0, 1, 883, 1, 2, GridTone::Major}));
    EXPECT_EQ(lines.back(), (GridLine{0, 267, 883, 267, 2, GridTone::Major}));
}

TEST(GraphGridTest, AxisLabelCaptionsAndPlaces) {
    const auto gains = GainAxisLabels(kDesign);
    const char* const gainCaptions[] = {"-24dB", "-18dB", "-12dB", "-6dB", "0dB", "6dB", "12dB"};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(gains[k].caption, gainCaptions[k]);
    EXPECT_EQ(gains[0].at, 267);
    EXPECT_EQ(gains[4].at, 89);
    EXPECT_EQ(gains[6].at, 0);
    const auto frequencies = FrequencyAxisLabels(kDesign);
    EXPECT_EQ(frequencies[0].caption, "20Hz");
    EXPECT_EQ(frequencies[5].caption, "1KHz");
    EXPECT_EQ(frequencies[9].caption, "20KHz");
    EXPECT_EQ(frequencies[2].at, 261);
    EXPECT_EQ(frequencies[5].at, 522);
}

}  // namespace
}  // namespace zt
