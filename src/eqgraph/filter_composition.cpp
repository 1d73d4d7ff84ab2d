#include "eqgraph/filter_composition.h"

namespace zt {

Biquad SectionDesign(FilterSection section, PassKind kind) {
    switch (section) {
        case FilterSection::FirstOrder:
            return FirstOrderSection(kind);
        case FilterSection::Bessel:
            return BesselSection(kind);
        case FilterSection::Butterworth:
            return ButterworthSection(kind);
        case FilterSection::Butterworth4_0:
            return ButterworthSection(kind, 4, 0);
        case FilterSection::Butterworth4_1:
            return ButterworthSection(kind, 4, 1);
        case FilterSection::Butterworth3_0:
            return ButterworthSection(kind, 3, 0);
        case FilterSection::None:
            break;
    }
    return Biquad{};
}

}  // namespace zt
