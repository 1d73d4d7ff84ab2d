#include "ui/exchange/room_curves.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "eqgraph/graph_mapping.h"
#include "ui/state/window_state.h"

namespace zt {

double RoomDisplayLevel(const CurveArray& measured, GridSpan covered, double fromHz, double toHz) {
    const int first = std::max(covered.first,
                               static_cast<int>(std::ceil(ResponseGrid::IndexOfFrequency(fromHz))));
    const int last =
        std::min(covered.last, static_cast<int>(std::floor(ResponseGrid::IndexOfFrequency(toHz))));
    std::vector<double> values;
    if (first <= last) {
        values.assign(measured.begin() + first, measured.begin() + last + 1);
    } else if (covered.first <= covered.last) {
        // The range lies beside the measurement: its level over what it covers.
        values.assign(measured.begin() + covered.first, measured.begin() + covered.last + 1);
    }
    if (values.empty()) return 0.0;
    auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

RoomCurves::RoomCurves(const RoomState& room, std::function<ExchangeSettings()> channelShown,
                       std::function<void()> repaint)
    : room_(room), channelShown_(std::move(channelShown)), repaint_(std::move(repaint)) {}

void RoomCurves::MeasurementChanged(std::optional<double> level) {
    span_ = CoveredGridSpan(room_.measured);
    const CurveArray grid = ResponseOnGrid(room_.measured);
    level_ = level ? *level : RoomDisplayLevel(grid, span_, room_.fit.fromHz, room_.fit.toHz);
    for (int k = 0; k < ResponseGrid::PointCount; ++k) measured_[k] = grid[k] - level_;
    channelSeen_ = channelShown_();
    ComputePredicted(*channelSeen_);
    repaint_();
}

void RoomCurves::ComputePredicted(const ExchangeSettings& channel) {
    const CurveArray eq = fitter_.CurveOf(channel);
    for (int k = 0; k < ResponseGrid::PointCount; ++k) predicted_[k] = measured_[k] + eq[k];
}

bool RoomCurves::FollowCurve() {
    if (room_.measured.empty() || !room_.showPredicted) return false;
    ExchangeSettings channel = channelShown_();
    if (channelSeen_ && channel == *channelSeen_) return false;
    ComputePredicted(channel);
    channelSeen_ = std::move(channel);
    return true;
}

namespace {

void PaintRoomCurve(QPainter& painter, const GraphMapping& mapping, const CurveArray& curve,
                    GridSpan span, const QColor& colour) {
    if (span.first >= span.last) return;
    QPainterPath path;
    for (int k = span.first; k <= span.last; ++k) {
        const QPointF point(mapping.XOfFrequency(ResponseGrid::FrequencyOfIndex(k)),
                            mapping.YOfGain(curve[k]));
        if (k == span.first) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    painter.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

}  // namespace

void RoomCurves::PaintBehindCurve(QPainter& painter, const GraphMapping& mapping) {
    if (room_.measured.empty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    if (room_.showMeasured) PaintRoomCurve(painter, mapping, measured_, span_, kMeasuredColour);
    if (room_.showPredicted) PaintRoomCurve(painter, mapping, predicted_, span_, kPredictedColour);
    painter.restore();
}

}  // namespace zt
