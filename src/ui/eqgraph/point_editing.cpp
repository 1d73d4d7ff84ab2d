#include "ui/eqgraph/point_editing.h"

#include <QMouseEvent>
#include <QStackedWidget>
#include <algorithm>
#include <cmath>

#include "eqgraph/drag_rules.h"
#include "eqgraph/nearest.h"
#include "params/eq_slots.h"
#include "params/page_table.h"
#include "ui/editing/editor.h"
#include "ui/eqgraph/eq_graph.h"
#include "ui/state/channel_state.h"
#include "ui/state/window_state.h"
#include "ui/widgets/band_number_label.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/swapping.h"
#include "ui/window/main_window.h"

namespace zt {
namespace {

// Only the first 15 bands take part in right-button Q stepping.
constexpr int kQSteppingBands = 15;
// Sideways distance on Image1 that makes one Q step.
constexpr int kQStepPixels = 3;

}  // namespace

PointEditing::PointEditing(EqGraph& graph, const GraphPanel& panel, Editor& editor,
                           const BindingLookup& binding, const ChannelState& channel,
                           const TForm1& window, const WindowState& state, DragState& drag)
    : graph_(graph),
      panel_(panel),
      editor_(editor),
      binding_(binding),
      channel_(channel),
      window_(window),
      state_(state),
      drag_(drag) {}

void PointEditing::Connect() {
    QObject::connect(&editor_.path(), &EditPath::changed, this,
                     [this](int address) { OnParameterChanged(address); });
    for (EqMarker* marker : panel_.markers) marker->installEventFilter(this);
    panel_.image1->installEventFilter(this);
    panel_.eqLabel->installEventFilter(this);
    panel_.eqPassLabel->installEventFilter(this);
    for (const auto& row : editor_.controls().bandLabels) {
        for (BandNumberLabel* label : row) {
            if (!label) continue;
            QObject::connect(label, &BandNumberLabel::clicked, this,
                             [this, label] { OnNumberLabelClick(label); });
        }
    }
}

bool PointEditing::eventFilter(QObject* watched, QEvent* event) {
    QEvent::Type type = event->type();
    // A quick second press comes as a double click; on the graph it is a press like any other.
    if (type == QEvent::MouseButtonDblClick) type = QEvent::MouseButtonPress;
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    if (auto* marker = qobject_cast<EqMarker*>(watched)) {
        const int index = marker->tag();
        if (type == QEvent::MouseButtonPress) OnMarkerPress(index, at, mouse->button());
        if (type == QEvent::MouseMove) {
            // While the right button steps Q, the marker holds the pointer; the steps count on
            // Image1 as if the pointer were over it.
            if (drag_.qMode) OnImageMove(OnImage(marker, at), mouse->buttons());
            OnMarkerMove(index, at);
        }
        if (type == QEvent::MouseButtonRelease) OnMarkerRelease(index, mouse->button());
        return true;
    }
    if (watched == panel_.image1) {
        if (type == QEvent::MouseMove) OnImageMove(at, mouse->buttons());
        if (type == QEvent::MouseButtonRelease) OnImageRelease(mouse->button());
        return false;
    }
    if (type == QEvent::MouseButtonRelease) OnInfoLabelRelease();
    return false;
}

QPoint PointEditing::OnImage(const QWidget* marker, QPoint position) const {
    // The markers lie beside Image1 on the grey panel, not inside it.
    return panel_.image1->mapFrom(panel_.advPanel2, marker->mapToParent(position));
}

int PointEditing::Sheet() const {
    return window_.formPageItem()->currentIndex();
}

bool PointEditing::LockedOut() const {
    return EditingLockedOut(Sheet(), channel_.manualFlag == 0);
}

bool PointEditing::EqPassOn() const {
    return state_.EqPassOn(channel_.selectedPage);
}

int PointEditing::BandSlot(int marker, int field) const {
    // Marker n stands for band n + 1 of the page shown, as the band's number label says.
    const int page = Sheet() == kSheetDynamicEq ? 1 : channel_.selectedPage;
    const PageLayout& layout = PageLayoutOf(page);
    return MakeAddress(page, layout.firstBandSlot + layout.bandStep * marker + field);
}

void PointEditing::SelectEnabledEdit(int address) {
    auto* edit = qobject_cast<ValueEdit*>(binding_.BoundControl(address));
    if (edit && edit->isEnabled()) editor_.OnValueEditClick(edit);
}

void PointEditing::StartFromMarkerPosition(int marker) {
    // What the marker's place stands for now: a drag that leaves it sends nothing.
    const EqMarker* m = panel_.markers[marker];
    const DragOutcome here =
        DragStep({Sheet(), m->x(), m->y(), 0, 0, m->height()}, graph_.mapping());
    drag_.editedItem = marker;
    drag_.newFrequencyIndex = drag_.lastFrequencyIndex = here.frequencyIndex;
    drag_.newGainStep = drag_.lastGainStep = here.gainStep;
}

void PointEditing::OnMarkerPress(int marker, QPoint position, Qt::MouseButton button) {
    // Only the left and right buttons act on a point; any other press would leave a drag open
    // that no release ends, and Timer1 would stop following the EQ.
    if (marker < 0 || marker >= kEqMarkerCount) return;
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    // The markers' events reach this filter even while the graph panel is disabled; a locked
    // window starts no drag, so no marker moves.
    if (!editor_.TakesEdits()) return;
    panel_.markers[marker]->setCursor(Qt::CrossCursor);
    drag_.grabPoint = position;
    drag_.dragging = true;
    drag_.grabbed = marker;
    if (!window_.startUpComplete()) return;
    drag_.qMode = false;
    const bool band = marker < kHighPassEntry;
    if (button == Qt::LeftButton) {
        if (LockedOut()) {
            drag_.dragging = false;
            return;
        }
        if (band) {
            SelectEnabledEdit(BandSlot(marker, kFieldFrequency));
        } else if (EqGraphLayoutOf(channel_.selectedPage).hasFilters()) {
            // Shows the filter's information label.
            graph_.DrawEqCurve(graph_.bands() + marker - kHighPassEntry, channel_.selectedPage);
        }
        StartFromMarkerPosition(marker);
        BeginGesture();
    } else if (button == Qt::RightButton) {
        drag_.dragging = false;
        if (LockedOut() || !band) return;
        SelectEnabledEdit(BandSlot(marker, kFieldQ));
        drag_.qMode = true;
        drag_.lastStep = OnImage(panel_.markers[marker], position);
        BeginGesture();
    }
}

void PointEditing::OnMarkerMove(int marker, QPoint position) {
    if (!drag_.dragging || !window_.startUpComplete() || drag_.grabbed < 0) return;
    if (marker != drag_.grabbed) return;
    const int sheet = Sheet();
    if (LockedByEqPass(sheet, marker) && EqPassOn()) return;
    EqMarker* m = panel_.markers[marker];
    int dx = position.x() - drag_.grabPoint.x();
    int dy = position.y() - drag_.grabPoint.y();
    const MarkerMovement movement = MovementOf(sheet, marker);
    if (movement == MarkerMovement::Fixed) dx = dy = 0;
    if (movement == MarkerMovement::Horizontal) dy = 0;
    const DragOutcome out =
        DragStep({sheet, m->x(), m->y(), dx, dy, m->height()}, graph_.mapping());
    if (m->pos() != QPoint(out.left, out.top)) m->move(out.left, out.top);
    drag_.editedItem = marker;
    drag_.newFrequencyIndex = out.frequencyIndex;
    drag_.newGainStep = out.gainStep;
    if (drag_.newFrequencyIndex == drag_.lastFrequencyIndex &&
        drag_.newGainStep == drag_.lastGainStep) {
        return;
    }
    Apply();
}

void PointEditing::OnMarkerRelease(int marker, Qt::MouseButton button) {
    if (marker < 0 || marker >= kEqMarkerCount) return;
    panel_.markers[marker]->setCursor(Qt::SizeAllCursor);
    // The marker holds the pointer from its press on, so a right release anywhere ends the Q
    // stepping as a release over Image1 does.
    if (button == Qt::RightButton) return OnImageRelease(button);
    if (button != Qt::LeftButton) return;
    drag_.qMode = false;
    if (!drag_.dragging) return;
    drag_.dragging = false;
    const bool band = marker < kHighPassEntry;
    if (band && !LockedOut()) SelectEnabledEdit(BandSlot(marker, kFieldFrequency));
    // The marker leaves the pointer's place for the one its stored values give.
    const int item = band ? marker : graph_.bands() + marker - kHighPassEntry;
    if (window_.startUpComplete()) graph_.DrawEqCurve(item, channel_.selectedPage);
    EndGesture();
}

void PointEditing::OnImageMove(QPoint position, Qt::MouseButtons buttons) {
    if (!drag_.qMode || !(buttons & Qt::RightButton)) return;
    if (drag_.grabbed < 0 || drag_.grabbed >= kQSteppingBands) return;
    const int moved = position.x() - drag_.lastStep.x();
    if (std::abs(moved) < kQStepPixels) return;
    // Only the band's own Q edit is stepped; a disabled one was not selected.
    const ValueEdit* current = editor_.editorState().currentValueEdit;
    const int qSlot = BandSlot(drag_.grabbed, kFieldQ);
    if (current && binding_.BoundControl(qSlot) == current) {
        editor_.CommitTypedValue(moved > 0 ? kStepUp : kStepDown);
    }
    drag_.lastStep = position;
    drag_.dragging = false;
}

void PointEditing::OnImageRelease(Qt::MouseButton button) {
    if (button != Qt::RightButton) return;
    // The band's Q edit stays selected, so the wheel goes on stepping the Q.
    const bool wasStepping = drag_.qMode;
    drag_.qMode = false;
    drag_.dragging = false;
    if (wasStepping) EndGesture();
}

void PointEditing::OnInfoLabelRelease() {
    const bool open = drag_.dragging || drag_.qMode;
    drag_.dragging = false;
    drag_.qMode = false;
    if (open) EndGesture();
}

void PointEditing::OnNumberLabelClick(const BandNumberLabel* label) {
    // The label's place in the binding's band label table is its band.
    for (const auto& row : editor_.controls().bandLabels) {
        const auto found = std::find(row.begin(), row.end(), label);
        if (found == row.end()) continue;
        const int band = static_cast<int>(found - row.begin());
        const int page = label->tag();
        const PageLayout& layout = PageLayoutOf(page);
        SelectEnabledEdit(
            MakeAddress(page, layout.firstBandSlot + layout.bandStep * band + kFieldFrequency));
        return;
    }
}

void PointEditing::SetControl(int address, bool onPane, float raw) {
    if (address < 0) return;
    QWidget* control = onPane ? binding_.BoundPane(address) : binding_.BoundControl(address);
    if (control) editor_.SetValue(control, kStepNone, false, raw);
}

void PointEditing::Apply() {
    const int item = drag_.editedItem;
    if (item >= 0 && item < kEqItemCapacity) {
        const EqPoint& entry = graph_.points().items[item];
        const bool frequencyChanged = drag_.newFrequencyIndex != drag_.lastFrequencyIndex;
        const bool gainChanged = drag_.newGainStep != drag_.lastGainStep;
        if (frequencyChanged) {
            SetControl(entry.frequencySlot, entry.frequencyOnPane, drag_.newFrequencyIndex);
            drag_.lastFrequencyIndex = drag_.newFrequencyIndex;
        }
        if (gainChanged) {
            drag_.lastGainStep = drag_.newGainStep;
            SetControl(entry.gainSlot, false, drag_.newGainStep);
        }
    }
    graph_.DrawRequested();
}

void PointEditing::OnParameterChanged(ParamAddress a) {
    // A change on a page not shown is drawn when that page is shown.
    const EqSlot slot = EqSlotInfo(a);
    const int page = PageOf(a);
    if (slot.isEq() && page == channel_.selectedPage) graph_.RequestRedraw(slot.item, page);
}

void PointEditing::OnTimer1Tick() {
    if (!drag_.dragging) Apply();
}

void PointEditing::BeginGesture() {
    if (gestureOpen_) EndGesture();
    gestureOpen_ = true;
    if (gesture_) gesture_->GestureBegins();
}

void PointEditing::EndGesture() {
    if (!gestureOpen_) return;
    gestureOpen_ = false;
    if (gesture_) gesture_->GestureEnds();
}

}  // namespace zt
