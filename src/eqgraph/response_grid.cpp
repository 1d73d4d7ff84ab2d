#include "eqgraph/response_grid.h"

#include <cmath>

namespace zt {

double ResponseGrid::IndexOfFrequency(double hz) {
    if (!(hz >= 1.0)) hz = 1.0;  // also catches NaN
    return (std::log10(hz) - 1.0) / GridDecades * GridSteps;
}

double ResponseGrid::FrequencyOfIndex(double index) {
    return std::pow(10.0, index * GridDecades / GridSteps + 1.0);
}

}  // namespace zt
