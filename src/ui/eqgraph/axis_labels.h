#pragma once
// The 7 gain labels (EQLabelY0..6) left of the plot and the 10 frequency labels
// (EQLabelX11..20) below it, on the outer graph panel.

#include <QLabel>
#include <array>

#include "eqgraph/graph_mapping.h"
#include "ui/widgets/control_registry.h"

namespace zt {

class AxisLabels {
public:
    // Creates and registers the labels on `outerPanel` (mode 0 of the grid).
    AxisLabels(QWidget* outerPanel, ControlRegistry& registry);

    // Places the labels around `plot`, the grey panel holding the image, for its mapping.
    void Place(const QWidget* plot, const GraphMapping& mapping);

private:
    std::array<QLabel*, 7> gain_{};
    std::array<QLabel*, 10> frequency_{};
};

}  // namespace zt
