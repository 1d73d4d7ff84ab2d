#pragma once
// The spectrum bars' own decibel scale on the right edge of the EQ graph's plot (the left edge
// keeps the EQ's gain axis): a tick and a label every 10 dB from 0 dB down to the floor.

#include <QColor>
#include <vector>

class QPainter;

namespace zt {

struct GraphMapping;

inline constexpr int kSpectrumScaleStepDb = 10;
// Darker than the bars, so a label reads over a bar as well as over the grid.
inline constexpr QRgb kSpectrumScaleColour = 0xFF2828A0;

// The levels that carry a label: 0, -10, ... down to the floor.
std::vector<int> SpectrumScaleLevels(double floorDb);

// The row of a level's tick on a plot of `height` rows.
int SpectrumScaleRow(int levelDb, int height, double floorDb);

// Paints the scale over the bars (and under the curve) of a plot of `mapping`'s size.
void PaintSpectrumScale(QPainter& painter, const GraphMapping& mapping, double floorDb);

}  // namespace zt
