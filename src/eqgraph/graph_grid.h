#pragma once
// What the background of the EQ graph holds: the grid lines and the places of the axis
// labels, worked out for a plot size. The window paints them; nothing here draws.

#include <array>
#include <string>
#include <vector>

#include "eqgraph/graph_mapping.h"

namespace zt {

enum class GridTone { Major, Minor };  // RGB(210,210,210) and RGB(220,220,220)

// A horizontal or vertical line from (x1, y1) up to, not including, (x2, y2), in whole
// pixels; `width` pixels thick, centred as a pen of that width would be (a 2-pixel line at
// x covers x - 1 and x).
struct GridLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int width = 1;
    GridTone tone = GridTone::Minor;
    bool operator==(const GridLine&) const = default;
};

// Every line of the background for a plot of the mapping's size, in drawing order: the gain
// lines every 3 dB, the left border and the decade lines, the other frequency lines and the
// right border, the top and bottom borders.
std::vector<GridLine> GridLines(const GraphMapping& mapping);

// An axis label: its caption and the plot coordinate it names (y of a gain, x of a
// frequency), rounded to the nearest pixel.
struct AxisLabel {
    std::string caption;
    int at = 0;
};

// -24dB .. 12dB, every 6 dB (EQLabelY0 .. EQLabelY6).
std::array<AxisLabel, 7> GainAxisLabels(const GraphMapping& mapping);
// 20Hz .. 20KHz (EQLabelX11 .. EQLabelX20).
std::array<AxisLabel, 10> FrequencyAxisLabels(const GraphMapping& mapping);

}  // namespace zt
