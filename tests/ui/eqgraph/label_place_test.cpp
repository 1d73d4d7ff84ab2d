// The information label beside its marker: under it (above it for a cut) when there is room,
// elsewhere around it when that place covers another marker or leaves the plot.
#include "ui/eqgraph/label_place.h"

#include <gtest/gtest.h>

#include <vector>

namespace zt {
namespace {

TEST(LabelPlaceTest, TakesTheFirstPlaceThatCoversNoOtherMarker) {
    const QRect plot(0, 0, 883, 268);
    const QRect marker(400, 100, 14, 14);
    const QSize label(60, 40);
    const QPoint below(400 - 30 + 7, 114);
    const QPoint above(400 - 30 + 7, 100 - 40 - 1);
    const QPoint right(417, 107 - 20);
    const QPoint left(400 - 60 - 3, 107 - 20);
    struct Case {
        const char* what;
        bool aboveFirst;
        std::vector<QRect> others;
        QPoint expected;
    };
    const Case cases[] = {
        {"room below", false, {QRect(600, 100, 14, 14)}, below},
        {"room above, a cut", true, {}, above},
        {"a neighbour below", false, {QRect(410, 130, 14, 14)}, above},
        {"neighbours below and above",
         false,
         {QRect(410, 130, 14, 14), QRect(405, 70, 14, 14)},
         right},
        {"and one to the right",
         false,
         {QRect(410, 130, 14, 14), QRect(405, 70, 14, 14), QRect(440, 100, 14, 14)},
         left},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlaceBesideMarker(marker, label, c.aboveFirst, plot, c.others), c.expected);
    }
}

TEST(LabelPlaceTest, StaysInsideThePlot) {
    const QRect plot(0, 0, 883, 268);
    const QSize label(60, 40);
    // Near the bottom edge the place below leaves the plot; above is free.
    EXPECT_EQ(PlaceBesideMarker(QRect(400, 250, 14, 14), label, false, plot, {}),
              QPoint(377, 250 - 41));
    // Crowded all round: the place that covers least.
    std::vector<QRect> crowd;
    for (int x = 300; x < 520; x += 15) {
        for (int y = 0; y < 260; y += 15) {
            if (QRect(x, y, 14, 14).intersects(QRect(400, 120, 14, 14))) continue;
            crowd.push_back(QRect(x, y, 14, 14));
        }
    }
    const QPoint crowded = PlaceBesideMarker(QRect(400, 120, 14, 14), label, false, plot, crowd);
    EXPECT_TRUE(plot.contains(QRect(crowded, label)));
}

}  // namespace
}  // namespace zt
