#include "eqgraph/point_type_code.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(PointTypeCodeTest, DecodesEveryFamily) {
    using D = ResponseDesign;
    struct Case {
        int code;
        DecodedPointType expected;
    };
    const Case cases[] = {
        {0, {D::Flat, 0}},       {1, {D::Peaking, 0}},    {2, {D::LowShelf, 0}},
        {3, {D::HighShelf, 0}},  {4, {D::Flat, 0}},       {99, {D::Flat, 0}},
        {100, {D::HighPass, 0}}, {101, {D::HighPass, 1}}, {112, {D::HighPass, 12}},
        {113, {D::None, 0}},     {119, {D::None, 0}},     {120, {D::HighPass, 0}},
        {141, {D::HighPass, 1}}, {199, {D::None, 0}},     {200, {D::LowPass, 0}},
        {212, {D::LowPass, 12}}, {213, {D::None, 0}},     {252, {D::LowPass, 12}},
        {253, {D::None, 0}},     {255, {D::None, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodePointType(static_cast<PointTypeCode>(c.code)), c.expected) << c.code;
    }
}

}  // namespace
}  // namespace zt
