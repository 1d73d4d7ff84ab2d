// A room correction fitted to a measurement goes into the channel shown the way an import does:
// one step of the history, paced to the processor, taken back whole by one undo.
#include <QTest>

#include "eqgraph/cookbook_filter.h"
#include "eqgraph/room_fit.h"
#include "tests/ui/undo/linked_window.h"
#include "ui/exchange/eq_exchange_side.h"

namespace zt {
namespace {

using RoomFitOnLine = LinkedWindow;

TEST_F(RoomFitOnLine, AFittedCorrectionIsOneStepPacedToTheProcessor) {
    ClickTab(kTabMicA);
    auto& exchange = app().editingSide().exchange();
    const DeviceImage image0 = model().image();
    const int steps0 = steps();
    // A measured room: a boom and a dip in the presence range.
    const CookbookResponse cookbook;
    CurveArray measured{};
    cookbook.AddTo({CookbookType::Peaking, 110, 8, 3.0}, measured);
    cookbook.AddTo({CookbookType::Peaking, 2500, -5, 1.5}, measured);
    const ExchangeChannel channel = exchange.ChannelShown();
    ExchangeFitter fitter;
    const RoomFit fit =
        FitRoom(measured, {channel.bands, channel.highPass, channel.lowPass}, {}, fitter);
    ASSERT_LE(fit.deviation.largestDb, 1.0);

    Mark();
    ASSERT_TRUE(exchange.ApplySettings(fit.settings));
    Settle();
    // The channel draws the fitted curve, after one step.
    const ExchangeChannel fitted = exchange.ChannelShown();
    EXPECT_EQ(fitter.CurveOf({fitted.bands, fitted.highPass, fitted.lowPass}), fit.eq);
    EXPECT_EQ(steps(), steps0 + 1);

    // Every changed value reached the processor, one acknowledged frame at a time.
    const std::vector<ParamChange> changes = ImageChanges(image0, model().image(), WriteNotes{});
    ASSERT_FALSE(changes.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return WritesSinceMark().size() >= changes.size(); }, 20000));
    EXPECT_EQ(WritesSinceMark().size(), changes.size());
    for (const ParamChange& c : changes) EXPECT_EQ(processor().Get(c.device), c.after);

    // One undo takes the correction back, on the processor too.
    Undo(0);
    EXPECT_EQ(model().image(), image0);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return std::all_of(changes.begin(), changes.end(), [&](const ParamChange& c) {
                return processor().Get(c.device) == c.before;
            });
        },
        20000));
}

TEST_F(RoomFitOnLine, NothingIsWrittenWhereTheBandsTakeNoEdits) {
    // The dynamic EQ's bands are no static EQ.
    ClickTab(kTabDynamicEq);
    auto& exchange = app().editingSide().exchange();
    const DeviceImage image0 = model().image();
    const int steps0 = steps();
    ExchangeSettings settings{
        std::vector<ExchangeBand>(5, ExchangeBand{1, 150, 100, 20, 10}), {}, {}};
    EXPECT_FALSE(exchange.ApplySettings(settings));
    EXPECT_EQ(model().image(), image0);
    EXPECT_EQ(steps(), steps0);
}

}  // namespace
}  // namespace zt
