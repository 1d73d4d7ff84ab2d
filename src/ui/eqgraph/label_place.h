#pragma once
// Where the information label goes beside its marker: centred under it (above it for a cut),
// or, when that covers another marker or leaves the plot, the first place around the marker
// that does neither; failing that, the place that covers the least.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <span>

namespace zt {

// `marker` is the labelled marker, `others` the other markers shown, `plot` the area the
// label may use; `aboveFirst` puts the place above the marker before the one below it.
QPoint PlaceBesideMarker(QRect marker, QSize label, bool aboveFirst, QRect plot,
                         std::span<const QRect> others);

}  // namespace zt
