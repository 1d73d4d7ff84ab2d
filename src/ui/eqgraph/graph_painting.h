#pragma once
// Painting of the EQ graph's grid background.

#include <QColor>
#include <QImage>
#include <QSize>

#include "eqgraph/graph_mapping.h"

namespace zt {

inline constexpr QRgb kGraphBackground = 0xFFEEEEEE;  // RGB(238,238,238)
inline constexpr QRgb kGridMajor = 0xFFD2D2D2;        // RGB(210,210,210)
inline constexpr QRgb kGridMinor = 0xFFDCDCDC;        // RGB(220,220,220)

// A background of `size` logical pixels at `pixelRatio` device pixels each, holding the grid
// of the mapping.
QImage PaintGridBackground(QSize size, double pixelRatio, const GraphMapping& mapping);

}  // namespace zt
