#include "eqgraph/graph_grid.h"

#include "eqgraph/nearest.h"

namespace zt {
namespace {

GridLine Vertical(const GraphMapping& m, double x, int width, GridTone tone) {
    const int px = NearestPixel(x);
    return {px, 0, px, NearestPixel(m.height), width, tone};
}

GridLine Horizontal(const GraphMapping& m, double y, int width, GridTone tone) {
    const int py = NearestPixel(y);
    return {0, py, NearestPixel(m.width), py, width, tone};
}

}  // namespace

std::vector<GridLine> GridLines(const GraphMapping& m) {
    std::vector<GridLine> lines;
    for (int g = kGainBottom; g <= kGainTop; g += 3) {
        const bool major = g == kGainBottom || g == 0 || g == kGainTop;
        lines.push_back(Horizontal(m, m.YOfGain(g), 1, major ? GridTone::Major : GridTone::Minor));
    }
    lines.push_back(Vertical(m, 0, 2, GridTone::Major));
    for (double hz : {100.0, 1000.0, 10000.0}) {
        lines.push_back(Vertical(m, m.XOfFrequency(hz), 2, GridTone::Major));
    }
    for (int decade : {10, 100, 1000}) {
        for (int n = 2; n <= 9; ++n) {
            lines.push_back(Vertical(m, m.XOfFrequency(n * decade), 1, GridTone::Minor));
        }
    }
    lines.push_back(Vertical(m, m.XOfFrequency(20000.0), 1, GridTone::Minor));
    lines.push_back(Vertical(m, m.width - 1, 1, GridTone::Minor));
    lines.push_back(Horizontal(m, m.YOfGain(kGainTop) + 1, 2, GridTone::Major));
    lines.push_back(Horizontal(m, m.YOfGain(kGainBottom), 2, GridTone::Major));
    return lines;
}

std::array<AxisLabel, 7> GainAxisLabels(const GraphMapping& m) {
    std::array<AxisLabel, 7> labels;
    for (int k = 0; k < 7; ++k) {
        const int gain = kGainBottom + 6 * k;
        labels[k] = {std::to_string(gain) + "dB", NearestPixel(m.YOfGain(gain))};
    }
    return labels;
}

std::array<AxisLabel, 10> FrequencyAxisLabels(const GraphMapping& m) {
    struct Mark {
        double hz;
        const char* caption;
    };
    constexpr Mark kMarks[] = {{20, "20Hz"},     {50, "50Hz"},    {100, "100Hz"}, {200, "200Hz"},
                               {500, "500Hz"},   {1000, "1KHz"},  {2000, "2KHz"}, {5000, "5KHz"},
                               {10000, "10KHz"}, {20000, "20KHz"}};
    std::array<AxisLabel, 10> labels;
    for (int k = 0; k < 10; ++k) {
        labels[k] = {kMarks[k].caption, NearestPixel(m.XOfFrequency(kMarks[k].hz))};
    }
    return labels;
}

}  // namespace zt
