#include "ui/eqgraph/eq_graph.h"

#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "eqgraph/band_response.h"
#include "eqgraph/drag_rules.h"
#include "eqgraph/eq_info_text.h"
#include "eqgraph/nearest.h"
#include "ui/binding/editor_state.h"
#include "ui/eqgraph/graph_painting.h"
#include "ui/eqgraph/label_place.h"
#include "ui/state/window_state.h"
#include "ui/widgets/swapping.h"

namespace zt {
namespace {

int Pixel(double v) {
    return static_cast<int>(Nearest(v));
}

void MoveIfChanged(QWidget* widget, int left, int top) {
    if (widget->pos() != QPoint(left, top)) widget->move(left, top);
}

// Copies the parts of `from` inside `region` onto `to` (same size and format).
void CopyRegion(const QImage& from, QImage& to, const QRegion& region) {
    const qsizetype fromLine = from.bytesPerLine();
    const qsizetype toLine = to.bytesPerLine();
    const uchar* source = from.constBits();
    uchar* target = to.bits();
    const int depth = from.depth() / 8;
    for (const QRect& r : region) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            std::memcpy(target + y * toLine + r.left() * depth,
                        source + y * fromLine + r.left() * depth,
                        static_cast<std::size_t>(r.width()) * depth);
        }
    }
}

// The logical pixels that hold any of the device pixels of `region`.
QRegion LogicalRegion(const QRegion& region, double ratio) {
    if (ratio == 1.0) return region;
    QRegion logical;
    for (const QRect& r : region) {
        const QPoint topLeft(static_cast<int>(std::floor(r.left() / ratio)),
                             static_cast<int>(std::floor(r.top() / ratio)));
        const QPoint bottomRight(static_cast<int>(std::ceil((r.right() + 1) / ratio)) - 1,
                                 static_cast<int>(std::ceil((r.bottom() + 1) / ratio)) - 1);
        logical += QRect(topLeft, bottomRight);
    }
    return logical;
}

// Share of the curve's colour in the dimmed curve behind the pass curve; the rest is the
// graph's background.
constexpr double kDimmedShare = 0.35;

}  // namespace

EqGraph::EqGraph(const GraphPanel& panel, ControlRegistry& registry, const ParamStore& store,
                 const EditorState& editorState, const WindowState& windowState,
                 const DragState& drag)
    : panel_(panel),
      store_(store),
      editorState_(editorState),
      windowState_(windowState),
      drag_(drag) {
    axisLabels_ = std::make_unique<AxisLabels>(panel.advPanel1, registry);
    QFont font(QStringLiteral("Arial Narrow"));
    font.setPixelSize(13);
    font.setBold(true);
    panel_.eqLabel->setFont(font);
    // The label often lies over other points; they stay within reach through it.
    panel_.eqLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    // A dragged marker leaves the picture and paints itself; the picture closes the gap.
    for (EqMarker* marker : panel_.markers) {
        QObject::connect(marker, &EqMarker::leftLayer, &connections_,
                         [this] { Paint(markerLayer_.Sync(panel_.markers)); });
    }
    RebuildBackground();
    panel_.image1->bitmap() = background_;
}

void EqGraph::SetCurveColour(const QColor& colour) {
    if (colour_ == colour) return;
    colour_ = colour;
    if (!curveLayer_.empty()) Paint(WholePicture());
}

void EqGraph::RebuildBackground() {
    GraphImage* image = panel_.image1;
    mapping_ = {static_cast<double>(image->width()), static_cast<double>(image->height())};
    pixelRatio_ = image->devicePixelRatioF();
    background_ = PaintGridBackground(image->size(), pixelRatio_, mapping_);
    curveLayer_.Reset(background_.size(), pixelRatio_);
    passLayer_.Reset(background_.size(), pixelRatio_);
    passShown_ = false;
    markerLayer_.Reset(pixelRatio_);
    axisLabels_->Place(panel_.advPanel2, mapping_);
}

void EqGraph::RebuildGraph() {
    RebuildBackground();
    panel_.image1->bitmap() = background_;
    panel_.image1->update();
    if (afterRebuild_) afterRebuild_();
}

QRegion EqGraph::WholePicture() const {
    return QRect(QPoint(0, 0), background_.size());
}

void EqGraph::RequestRedraw(int item, int page) {
    if (item < 0 || item > kAllItems || page < 0 || page >= kFirstPageWithoutGraph) return;
    if (editorState_.refreshInProgress) return;
    if (pending_.page >= 0 && pending_.page != page) DrawRequested();
    // The drawings asked for one after another, in one: every item any of them computes anew,
    // and the information label as the last of them leaves it.
    const int computed = pending_.page == page && pending_.computed != item ? kAllItems : item;
    pending_ = {computed, item, page};
    if (drawQueued_) return;
    drawQueued_ = true;
    QTimer::singleShot(0, &connections_, [this] {
        drawQueued_ = false;
        DrawRequested();
    });
}

void EqGraph::DrawRequested() {
    if (pending_.page < 0) return;
    const PendingRedraw request = pending_;
    pending_ = {};
    Draw(request.computed, request.labelled, request.page);
}

bool EqGraph::UnderlaysWantTicks() const {
    return std::any_of(underlays_.begin(), underlays_.end(),
                       [](const GraphUnderlay* underlay) { return underlay->WantsTicks(); });
}

void EqGraph::DrawEqCurve(int item, int page) {
    Draw(item, item, page);
}

void EqGraph::Draw(int item, int labelled, int page) {
    if (item < 0 || item > kAllItems || page < 0 || page >= kFirstPageWithoutGraph) return;
    if (editorState_.refreshInProgress) return;
    // A drawing that computes what a request would answers it: the request came before.
    if (pending_.page == page && (item == kAllItems || item == pending_.computed)) pending_ = {};
    // The cached responses belong to the page drawn last; another page starts afresh.
    if (page != list_.page) item = kAllItems;
    const int loaded = LoadEqPoints(item, page, store_, list_);
    if (loaded < 0) return;
    ++drawings_;
    bands_ = loaded % 100 + 1;
    if (item == kAllItems) ShowMarkers(loaded);
    for (int i = 0; i <= list_.lastItem; ++i) {
        if (item != kAllItems && i != item) continue;
        EqPoint& point = list_.items[i];
        // A stored type with no design (a crossover type beyond the table) draws flat rather
        // than the response this item held for another band.
        if (!BandResponse(point.response, static_cast<int>(Nearest(point.frequency)), point.gain,
                          point.q, static_cast<PointTypeCode>(point.type & 0xFF))) {
            point.response.fill(0.0f);
        }
    }
    SumCurve(list_, mapping_, curve_, pixelRatio_);
    QRegion changed = curveLayer_.SetCurve(curve_);
    for (GraphUnderlay* underlay : underlays_) {
        if (underlay->FollowCurve()) changed = WholePicture();
    }
    // The dynamic EQ has no EQ pass.
    changed += SetPassCurve(page != 1 && windowState_.EqPassOn(page));
    PlaceMarkers(item);
    ShowInfoLabel(labelled);
    changed += markerLayer_.Sync(panel_.markers);
    Paint(changed);
}

QRegion EqGraph::SetPassCurve(bool shown) {
    const bool toggled = shown != passShown_;
    passShown_ = shown;
    if (!shown) return toggled ? WholePicture() : QRegion();
    // The items the EQ pass holds pass the signal unchanged.
    passList_ = list_;
    for (int i = 0; i <= passList_.lastItem; ++i) {
        if (EqPassHoldsItem(list_.page, i)) passList_.items[i].response.fill(0.0f);
    }
    SumCurve(passList_, mapping_, passCurve_, pixelRatio_);
    const QRegion changed = passLayer_.SetCurve(passCurve_);
    return toggled ? WholePicture() : changed;
}

QColor EqGraph::dimmedCurveColour() const {
    const QColor back(kGraphBackground);
    const auto mix = [](int curve, int background) {
        return static_cast<int>(Nearest(curve * kDimmedShare + background * (1 - kDimmedShare)));
    };
    return QColor(mix(colour_.red(), back.red()), mix(colour_.green(), back.green()),
                  mix(colour_.blue(), back.blue()));
}

void EqGraph::PlaceMarkers(int item) {
    for (int i = 0; i <= list_.lastItem; ++i) {
        const int marker = MarkerOfItem(i, bands_);
        if (marker < 0 || marker >= kEqMarkerCount) continue;
        const EqPoint& point = list_.items[i];
        const bool filter = i >= bands_;
        // A band that passes the signal unchanged shows a hollow grey marker on the curve.
        const bool bypassed =
            !filter && DecodePointType(static_cast<PointTypeCode>(point.type & 0xFF)).design ==
                           ResponseDesign::Flat;
        panel_.markers[marker]->setLook(bypassed ? EqMarker::Look::Bypassed : EqMarker::Look::Band);
        // While a marker is dragged it follows the pointer, not the stored values, and the
        // others stay where they are; only those on the curve follow it.
        if (drag_.dragging && drag_.grabbed == marker) continue;
        if (bypassed) {
            PlaceOnCurve(marker, point.frequency);
        } else if (!drag_.dragging && (item == kAllItems || i == item)) {
            PlaceMarker(marker, point.frequency, filter ? 0.0f : point.gain);
        }
    }
}

void EqGraph::PlaceOnCurve(int marker, float frequency) {
    EqMarker* m = panel_.markers[marker];
    const double x = mapping_.XOfFrequency(frequency);
    // The centre stays within the plot, where a drag could take it too.
    const double y =
        std::clamp(curveLayer_.YAt(x * pixelRatio_) / pixelRatio_, 0.0, mapping_.height - 1);
    m->PlaceInLayer(QPoint(Pixel(x - m->width() / 2), Pixel(y - m->height() / 2)));
}

void EqGraph::ShowMarkers(int loaded) {
    const int filters = loaded / 100;
    for (int k = 0; k < 20; ++k) panel_.markers[k]->setVisible(k < bands_);
    panel_.markers[kHighPassEntry]->setVisible(filters >= 1);
    panel_.markers[kLowPassEntry]->setVisible(filters >= 2);
}

void EqGraph::PlaceMarker(int marker, float frequency, float gain) {
    if (marker < 0 || marker >= kEqMarkerCount) return;
    EqMarker* m = panel_.markers[marker];
    m->PlaceInLayer(QPoint(Pixel(mapping_.XOfFrequency(frequency) - m->width() / 2),
                           Pixel(mapping_.YOfGain(gain) - m->height() / 2)));
}

void EqGraph::ShowInfoLabel(int item) {
    SwappingLabel* label = panel_.eqLabel;
    if (item == kAllItems || item > list_.lastItem) {
        if (item == kAllItems) label->hide();
        return;
    }
    const EqPoint& point = list_.items[item];
    const bool filter = item >= bands_;
    const EqItemRole role = !filter          ? EqItemRole::Band
                            : item == bands_ ? EqItemRole::HighPass
                                             : EqItemRole::LowPass;
    const QString text = QString::fromStdString(EqInfoText(point, role));
    if (label->text() != text) label->setText(text);
    label->adjustSize();
    const EqMarker* marker = panel_.markers[MarkerOfItem(item, bands_)];
    // Under the marker, above it for a cut, unless that covers another marker.
    std::array<QRect, kEqMarkerCount> others;
    std::size_t count = 0;
    for (const EqMarker* other : panel_.markers) {
        if (other != marker && !other->isHidden()) others[count++] = other->geometry();
    }
    const float gain = filter ? 0.0f : point.gain;
    const QPoint place =
        PlaceBesideMarker(marker->geometry(), label->size(), gain < 0, panel_.image1->rect(),
                          std::span<const QRect>(others.data(), count));
    MoveIfChanged(label, place.x(), place.y());
    label->show();
}

void EqGraph::AddUnderlay(GraphUnderlay* underlay) {
    if (underlay && std::find(underlays_.begin(), underlays_.end(), underlay) == underlays_.end()) {
        underlays_.push_back(underlay);
    }
}

void EqGraph::RemoveUnderlay(GraphUnderlay* underlay) {
    std::erase(underlays_, underlay);
}

void EqGraph::RepaintCached() {
    Paint(WholePicture());
}

void EqGraph::Paint(const QRegion& deviceRegion) {
    QImage& bitmap = panel_.image1->bitmap();
    if (bitmap.size() != background_.size() || bitmap.format() != background_.format()) {
        // Image1 got a fresh bitmap that the graph has not drawn yet: all of it.
        bitmap = background_;
        bitmap.detach();
        return Paint(WholePicture());
    }
    const QRegion region = deviceRegion & WholePicture();
    if (region.isEmpty()) return;
    CopyRegion(background_, bitmap, region);
    for (GraphUnderlay* underlay : underlays_) {
        QPainter p(&bitmap);
        // The clip in device pixels, the underlay's drawing in logical ones.
        p.setTransform(QTransform::fromScale(1 / pixelRatio_, 1 / pixelRatio_));
        p.setClipRegion(region);
        p.resetTransform();
        underlay->PaintBehindCurve(p, mapping_);
    }
    {
        // The same pixels without the ratio: the curve and the faces are in device pixels.
        QImage device(bitmap.bits(), bitmap.width(), bitmap.height(), bitmap.bytesPerLine(),
                      bitmap.format());
        QPainter p(&device);
        if (list_.lastItem >= 0 && passShown_) {
            curveLayer_.Paint(p, region, dimmedCurveColour());
            passLayer_.Paint(p, region, colour_);
        } else if (list_.lastItem >= 0) {
            curveLayer_.Paint(p, region, colour_);
        }
        markerLayer_.Paint(p, region);
    }
    panel_.image1->update(LogicalRegion(region, pixelRatio_));
}

}  // namespace zt
