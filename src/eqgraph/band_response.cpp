#include "eqgraph/band_response.h"

#include <algorithm>
#include <array>
#include <utility>

#include "eqgraph/biquad_designs.h"
#include "eqgraph/filter_composition.h"
#include "eqgraph/nearest.h"
#include "eqgraph/prototype_response.h"
#include "eqgraph/vector_state.h"

namespace zt {

namespace {

// The five largest Q values of the Q table and the values they are drawn with.
constexpr std::array<std::pair<float, float>, 5> kDrawnQ{{
    {102.0f, 98.0f},
    {108.0f, 100.0f},
    {114.0f, 101.0f},
    {121.0f, 102.0f},
    {128.0f, 103.0f},
}};

void FillFlat(std::span<float> out) {
    std::fill(out.begin(), out.begin() + ResponseGrid::PointCount, 0.0f);
}

// Sum of a filter type's sections in dB, on the prototype grid. Laying each section onto the
// grid and adding there gives the same numbers, since both sections share one centre.
void FilterPrototype(int filterType, PassKind kind, PrototypeArray& proto) {
    const FilterComposition& c = kFilterCompositions[filterType];
    PrototypeResponse(SectionDesign(c.first, kind), PrototypeWarp::Filter, proto);
    if (c.second == FilterSection::None) return;
    PrototypeArray second;
    if (c.second == c.first) {
        second = proto;
    } else {
        PrototypeResponse(SectionDesign(c.second, kind), PrototypeWarp::Filter, second);
    }
    for (int j = 0; j < ResponseGrid::PointCount; ++j) {
        proto[j] = c.firstFactor * proto[j] + c.secondFactor * second[j];
    }
}

}  // namespace

float QForDrawing(float q) {
    for (const auto& [set, drawn] : kDrawnQ) {
        if (q == set) return drawn;
    }
    return q;
}

int ResponseCentreIndex(int frequencyHz) {
    const double snappedIndex = Nearest(ResponseGrid::IndexOfFrequency(frequencyHz));
    double snappedHz = Nearest(ResponseGrid::FrequencyOfIndex(snappedIndex));
    if (snappedHz <= ResponseGrid::LowestHz) snappedHz = ResponseGrid::LowestHz;
    return static_cast<int>(Nearest(ResponseGrid::IndexOfFrequency(snappedHz)));
}

ItemShape ItemPrototype(float gainDb, float q, PointTypeCode code, PrototypeArray& proto) {
    const DecodedPointType type = DecodePointType(code);
    const float drawnQ = QForDrawing(q);
    switch (type.design) {
        case ResponseDesign::None:
            return ItemShape::None;
        case ResponseDesign::Flat:
            return ItemShape::Flat;
        case ResponseDesign::Peaking:
            PrototypeResponse(PeakingDesign(gainDb, drawnQ), PrototypeWarp::None, proto);
            break;
        case ResponseDesign::LowShelf:
            PrototypeResponse(LowShelfDesign(gainDb, drawnQ), PrototypeWarp::Shelf, proto);
            break;
        case ResponseDesign::HighShelf:
            PrototypeResponse(HighShelfDesign(gainDb, drawnQ), PrototypeWarp::Shelf, proto);
            break;
        case ResponseDesign::HighPass:
        case ResponseDesign::LowPass:
            if (type.filterType == 0) return ItemShape::Flat;  // "Bypass"
            FilterPrototype(
                type.filterType,
                type.design == ResponseDesign::HighPass ? PassKind::HighPass : PassKind::LowPass,
                proto);
            break;
    }
    return ItemShape::Prototype;
}

bool BandResponse(std::span<float> out, int frequencyHz, float gainDb, float q,
                  PointTypeCode code) {
    if (out.size() < static_cast<std::size_t>(ResponseGrid::PointCount)) return false;
    ClearUpperVectorState();
    PrototypeArray proto;
    switch (ItemPrototype(gainDb, q, code, proto)) {
        case ItemShape::None:
            return false;
        case ItemShape::Flat:
            FillFlat(out);
            return true;
        case ItemShape::Prototype:
            break;
    }
    LayOntoGrid(proto, ResponseCentreIndex(frequencyHz), out.data());
    return true;
}

}  // namespace zt
