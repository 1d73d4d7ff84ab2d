#pragma once
// The room's curves on the EQ graph, behind the EQ curve: the measured response and the
// predicted result (the measurement plus the channel's EQ, with the processor's response model).
// Both are drawn at the measurement's level over the fitting range, so that 0 dB on the graph is
// where the fit lays its target; either can be hidden. The predicted curve follows every change
// of the channel's bands.

#include <QColor>
#include <functional>
#include <optional>

#include "eqgraph/exchange_fitter.h"
#include "spectrum/measured_response.h"
#include "ui/eqgraph/graph_underlay.h"

namespace zt {

struct RoomState;

// The median of the measurement over the fitting range (as far as the measurement covers it);
// 0 for an empty measurement.
double RoomDisplayLevel(const CurveArray& measured, GridSpan covered, double fromHz, double toHz);

class RoomCurves : public GraphUnderlay {
public:
    inline static const QColor kMeasuredColour{80, 150, 230};
    inline static const QColor kPredictedColour{70, 200, 90};

    // `channelShown` gives the EQ of the channel shown; `repaint` draws the graph again.
    RoomCurves(const RoomState& room, std::function<ExchangeSettings()> channelShown,
               std::function<void()> repaint);

    // The measurement or its fitting range changed: the curves are computed and drawn anew, at
    // `level` (the level a fit laid its target at) or at the median over the fitting range.
    void MeasurementChanged(std::optional<double> level = std::nullopt);
    // Shown or hidden: the graph is drawn again.
    void VisibilityChanged() { repaint_(); }

    // dB on the ResponseGrid as drawn (already less the level); empty grid span without a
    // measurement.
    const CurveArray& measured() const { return measured_; }
    const CurveArray& predicted() const { return predicted_; }
    GridSpan span() const { return span_; }
    double level() const { return level_; }

    void PaintBehindCurve(QPainter& painter, const GraphMapping& mapping) override;
    // Follows the channel's EQ: a change computes the predicted curve again, and the whole
    // graph is painted.
    bool FollowCurve() override;

private:
    void ComputePredicted(const ExchangeSettings& channel);

    const RoomState& room_;
    std::function<ExchangeSettings()> channelShown_;
    std::function<void()> repaint_;
    ExchangeFitter fitter_;
    std::optional<ExchangeSettings> channelSeen_;
    CurveArray measured_{};
    CurveArray predicted_{};
    GridSpan span_;
    double level_ = 0.0;
};

}  // namespace zt
