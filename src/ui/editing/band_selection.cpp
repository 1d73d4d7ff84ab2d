#include "ui/editing/band_selection.h"

#include <QAbstractSlider>
#include <QColor>
#include <QStackedWidget>
#include <algorithm>

#include "params/eq_slots.h"
#include "params/page_table.h"
#include "ui/editing/editing_parts.h"
#include "ui/widgets/band_number_label.h"
#include "ui/widgets/band_scroll_box.h"
#include "ui/widgets/plain_edit.h"

namespace zt {
namespace {

constexpr QRgb kCurrentEditBackground = qRgb(200, 200, 200);
constexpr QRgb kHighlightedEditBackground = qRgb(230, 230, 230);

// Bands per family whose number labels take part in the highlight (PageKind 0..4).
int HighlightBandCount(int family) {
    constexpr int kCounts[] = {15, 20, 7, 10, 5};
    return family >= 0 && family < 5 ? kCounts[family] : 0;
}

}  // namespace

int BandSelection::Select(ValueEdit* edit, int family) {
    EditorState& shared = parts_.shared;
    if (shared.refreshInProgress || !edit) return 0;
    const int band = EqSlotInfo(edit->tag()).item;
    if (family >= 0 && family < kPageKindCount) parts_.state.selectedBand[family] = band;
    if (shared.highlightedEdit != shared.currentValueEdit) {
        HighlightBand(family, band);
        if (shared.currentValueEdit) {
            if (auto* current =
                    qobject_cast<ValueEdit*>(parts_.Bound(shared.currentValueEdit->tag()))) {
                current->setBackground(QColor(kCurrentEditBackground));
            }
        }
        if (shared.highlightedEdit) {
            if (auto* previous =
                    qobject_cast<ValueEdit*>(parts_.Bound(shared.highlightedEdit->tag()))) {
                previous->setBackground(QColor(kHighlightedEditBackground));
            }
        }
        shared.highlightedEdit = shared.currentValueEdit;
    }
    KeepBandVisible(band);
    return band;
}

void BandSelection::HighlightBand(int family, int band) {
    const int count = HighlightBandCount(family);
    const int row = family == 2 && parts_.model.selection().effectPage == 5 ? 5 : family;
    for (int i = 0; i < count && row >= 0 && row < kBandLabelRows; ++i) {
        if (BandNumberLabel* label = parts_.controls.bandLabels[row][i]) {
            label->setOpaque(i == band);
        }
    }
}

void BandSelection::KeepBandVisible(int band) {
    const EditorControls& controls = parts_.controls;
    if (!controls.pageItem) return;
    const int sheet = controls.pageItem->currentIndex();
    int box = -1;
    int window = 0;
    if (sheet == 0) box = 0, window = 9;
    if (sheet == 1) box = 1, window = 8;
    if (sheet == 3) box = 2, window = 5;
    if (box < 0 || !controls.bandScrollBars[box]) return;
    QAbstractSlider* bar = controls.bandScrollBars[box];
    // A wider window shows more columns than the design size.
    if (const QWidget* shown = controls.bandBoxes[box]) {
        window = std::max(window, shown->width() / kBandColumnWidth);
    }
    if (band >= bar->value() + window) {
        bar->setValue(band - window + 1);
    } else if (band < bar->value()) {
        bar->setValue(band);
    }
}

void BandSelection::OnBandScroll(int box, int position) {
    if (box >= 0 && box < 3 && parts_.controls.bandBoxes[box]) {
        parts_.controls.bandBoxes[box]->setBandPosition(position);
    }
}

}  // namespace zt
