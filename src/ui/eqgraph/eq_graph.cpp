#include "ui/eqgraph/eq_graph.h"

#include <QPainter>

#include "eqgraph/band_response.h"
#include "eqgraph/eq_info_text.h"
#include "eqgraph/nearest.h"
#include "ui/binding/editor_state.h"
#include "ui/eqgraph/graph_painting.h"
#include "ui/widgets/swapping.h"

namespace zt {
namespace {

int Pixel(double v) {
    return static_cast<int>(Nearest(v));
}

void MoveIfChanged(QWidget* widget, int left, int top) {
    if (widget->pos() != QPoint(left, top)) widget->move(left, top);
}

}  // namespace

EqGraph::EqGraph(const GraphPanel& panel, ControlRegistry& registry, const ParamStore& store,
                 const EditorState& editorState, const DragState& drag)
    : panel_(panel), store_(store), editorState_(editorState), drag_(drag) {
    axisLabels_ = std::make_unique<AxisLabels>(panel.advPanel1, registry);
    QFont font(QStringLiteral("Arial Narrow"));
    font.setPixelSize(13);
    font.setBold(true);
    panel_.eqLabel->setFont(font);
    // The label often lies over other points; they stay within reach through it.
    panel_.eqLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    RebuildBackground();
    panel_.image1->bitmap() = background_;
}

void EqGraph::SetCurveColour(const QColor& colour) {
    colour_ = colour;
}

void EqGraph::RebuildBackground() {
    GraphImage* image = panel_.image1;
    mapping_ = {static_cast<double>(image->width()), static_cast<double>(image->height())};
    background_ = PaintGridBackground(image->size(), image->devicePixelRatioF(), mapping_);
    axisLabels_->Place(panel_.advPanel2, mapping_);
}

void EqGraph::RebuildGraph() {
    RebuildBackground();
    panel_.image1->bitmap() = background_;
    panel_.image1->update();
    if (afterRebuild_) afterRebuild_();
}

void EqGraph::DrawEqCurve(int item, int page) {
    if (item < 0 || item > kAllItems || page < 0 || page >= kFirstPageWithoutGraph) return;
    if (editorState_.refreshInProgress) return;
    // The cached responses belong to the page drawn last; another page starts afresh.
    if (page != list_.page) item = kAllItems;
    const int loaded = LoadEqPoints(item, page, store_, list_);
    if (loaded < 0) return;
    bands_ = loaded % 100 + 1;
    if (item == kAllItems) ShowMarkers(loaded);
    for (int i = 0; i <= list_.lastItem; ++i) {
        if (item != kAllItems && i != item) continue;
        EqPoint& point = list_.items[i];
        // A stored type with no design (a crossover type beyond the table) draws flat rather
        // than the response this item held for another band.
        if (!BandResponse(point.response, static_cast<int>(Nearest(point.frequency)),
                          point.gain, point.q, static_cast<PointTypeCode>(point.type & 0xFF))) {
            point.response.fill(0.0f);
        }
        // While a marker is dragged it follows the pointer, not the stored values.
        if (!drag_.dragging) {
            const bool filter = i >= bands_;
            PlaceMarker(MarkerOfItem(i, bands_), point.frequency, filter ? 0.0f : point.gain);
        }
    }
    ShowInfoLabel(item);
    Compose();
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
    MoveIfChanged(m, Pixel(mapping_.XOfFrequency(frequency) - m->width() / 2),
                  Pixel(mapping_.YOfGain(gain) - m->height() / 2));
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
    const int left = marker->x() - label->width() / 2 + marker->width() / 2;
    const float gain = filter ? 0.0f : point.gain;
    const int top = gain >= 0 ? marker->y() + marker->height() : marker->y() - label->height() - 1;
    MoveIfChanged(label, left, top);
    label->show();
}

void EqGraph::Compose() {
    SumCurve(list_, mapping_, curve_);
    path_ = CurvePath(curve_);
    pieces_ = StrokePieces(path_);
    RepaintCached();
}

void EqGraph::RepaintCached() {
    QImage& bitmap = panel_.image1->bitmap();
    bitmap = background_;
    if (underlay_) {
        QPainter p(&bitmap);
        underlay_->PaintBehindCurve(p, mapping_);
    }
    if (list_.lastItem >= 0) PaintCurve(bitmap, pieces_, colour_);
    panel_.image1->update();
}

}  // namespace zt
