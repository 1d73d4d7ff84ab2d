#include "eqgraph/eq_curve.h"

#include "eqgraph/nearest.h"
#include "eqgraph/vector_state.h"

namespace zt {

void SumCurve(const EqPointList& list, const GraphMapping& mapping, CurvePoints& points,
              double pixelRatio) {
    ClearUpperVectorState();
    const float step = static_cast<float>(mapping.width / ResponseGrid::GridSteps);
    const int last = list.lastItem < kEqItemCapacity ? list.lastItem : kEqItemCapacity - 1;
    for (int j = 0; j < ResponseGrid::PointCount; ++j) {
        float sum = 0.0f;
        for (int i = 0; i <= last; ++i) sum += list.items[i].response[j];
        points[j].x = static_cast<int>(Nearest(static_cast<double>(j * step) * pixelRatio));
        points[j].y = static_cast<int>(Nearest(mapping.YOfGain(sum) * pixelRatio));
    }
}

}  // namespace zt
