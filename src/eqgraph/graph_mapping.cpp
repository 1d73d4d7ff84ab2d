#include "eqgraph/graph_mapping.h"

#include <cmath>

namespace zt {
namespace {

constexpr double kGainSpan = kGainTop - kGainBottom;

}  // namespace

double GraphMapping::XOfFrequency(double hz) const {
    return (std::log10(hz) - 1.0) / ResponseGrid::GridDecades * ResponseGrid::GridSteps * Scale();
}

double GraphMapping::FrequencyOfX(double x) const {
    return std::pow(10.0,
                    x * ResponseGrid::GridDecades / (ResponseGrid::GridSteps * Scale()) + 1.0);
}

double GraphMapping::YOfGain(double db) const {
    return (kGainTop - db) / kGainSpan * (height - 1.0);
}

double GraphMapping::GainOfY(double y) const {
    return kGainTop - y / (height - 1.0) * kGainSpan;
}

}  // namespace zt
