// Control action: the looks of button groups and the state they stand for, and the selection of
// the edited EQ band with its highlight and scrolling.

#include <QAbstractSlider>
#include <QColor>
#include <QStackedWidget>
#include <algorithm>

#include "params/eq_slots.h"
#include "params/page_table.h"
#include "ui/editing/editor.h"
#include "ui/state/channel_state.h"
#include "ui/widgets/band_number_label.h"
#include "ui/widgets/band_scroll_box.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt {
namespace {

constexpr QRgb kCurrentEditBackground = qRgb(200, 200, 200);
constexpr QRgb kHighlightedEditBackground = qRgb(230, 230, 230);

// Bands per family whose number labels take part in the highlight (PageKind 0..4).
int HighlightBandCount(int family) {
    constexpr int kCounts[] = {15, 20, 7, 10, 5};
    return family >= 0 && family < 5 ? kCounts[family] : 0;
}

int HintValue(const ControlProps& props) {
    return props.hint().toInt();
}

template <size_t N, typename T>
int IndexIn(const std::array<T*, N>& list, const QWidget* control) {
    for (size_t i = 0; i < N; ++i) {
        if (list[i] && list[i] == control) return static_cast<int>(i);
    }
    return -1;
}

template <size_t N, typename T>
void MarkOne(const std::array<T*, N>& list, int chosen) {
    for (size_t i = 0; i < N; ++i) {
        if (list[i]) list[i]->setShowsPressed(static_cast<int>(i) == chosen);
    }
}

}  // namespace

void Editor::Toggle(BitmapButton* button) {
    const bool wasOn = button->hint() == QLatin1String("1");
    button->setHint(wasOn ? QStringLiteral("0") : QStringLiteral("1"));
    button->setShowsPressed(!wasOn);
}

const SwitchPair* Editor::SwitchPairOf(int address) const {
    for (const SwitchPair& pair : controls_.switches) {
        if (pair.address == address && pair.first) return &pair;
    }
    return nullptr;
}

int Editor::ControlAction(QWidget* control, int code) {
    if (!control) return 0;
    ControlProps* props = PropsOf(control);
    auto* button = qobject_cast<BitmapButton*>(control);
    auto* tool = qobject_cast<SwappingToolButton*>(control);
    if (code >= 0 && code <= 7) return EditSelection(control, code);
    switch (code) {
        case kActionTab:
            if (!tool || IndexIn(controls_.tabButtons, tool) < 0) return 0;
            return navigator_.ChooseTab(tool->tag());
        case kActionToggle:
            if (!button) return 0;
            Toggle(button);
            return HintValue(*button);
        case kActionPhase:
            if (!button) return 0;
            button->setCaption(QString());
            if (controls_.phaseTemplate) button->TakePicturesOf(*controls_.phaseTemplate);
            Toggle(button);
            return HintValue(*button);
        case kActionAutoManual: {
            const int index =
                IndexIn(std::array<BitmapButton*, 2>{controls_.autoButton, controls_.manualButton},
                        control);
            if (index < 0) return 0;
            controls_.autoButton->setShowsPressed(index == 0);
            if (controls_.manualButton) controls_.manualButton->setShowsPressed(index == 1);
            return index;
        }
        case kActionScene: {
            const int index = IndexIn(controls_.sceneButtons, control);
            if (index < 0) return 0;
            MarkOne(controls_.sceneButtons, index);
            return index;
        }
        case kActionSwitch: {
            const SwitchPair* pair = props ? SwitchPairOf(props->tag()) : nullptr;
            if (!button || !pair || (button != pair->first && button != pair->second)) return 0;
            const int chosen = HintValue(*button);
            pair->first->setShowsPressed(chosen == 0);
            if (pair->second) pair->second->setShowsPressed(chosen == 1);
            return chosen;
        }
        case kActionSide: {
            const int index = IndexIn(controls_.sideButtons, control);
            if (index < 0) return 0;
            MarkOne(controls_.sideButtons, index);
            return index == 1 ? 1 : 0;
        }
        case kActionLinkButtons:
            if (control == controls_.linkButton) {
                if (linkLook_) linkLook_(true);
                return 0;
            }
            if (control == controls_.unlinkButton) {
                if (linkLook_) linkLook_(false);
                return 1;
            }
            return 0;
        case kActionTypeLabel: {
            auto* label = qobject_cast<TypeLabel*>(control);
            if (!label) return 0;
            for (int entry = 0; entry < 4; ++entry) {
                if (auto* each = qobject_cast<TypeLabel*>(Companion(label->tag(), entry))) {
                    each->setChosenLook(entry == HintValue(*label));
                }
            }
            return 0;
        }
        case kActionTrigger: {
            if (!button) return 0;
            for (Selector* selector : controls_.triggerSelectors) {
                if (!selector) continue;
                const ParamAddress a = PropsOf(selector)->tag();
                bool inGroup = false;
                for (int entry = 0; entry < 3; ++entry) inGroup |= Companion(a, entry) == button;
                if (!inGroup) continue;
                for (int entry = 0; entry < 3; ++entry) {
                    if (auto* each = qobject_cast<BitmapButton*>(Companion(a, entry))) {
                        each->setShowsPressed(entry == button->tag());
                    }
                }
                return button->tag();
            }
            return 0;
        }
        default:
            return 0;
    }
}

int Editor::EditSelection(QWidget* control, int family) {
    auto* edit = qobject_cast<ValueEdit*>(control);
    if (shared_.refreshInProgress || !edit) return 0;
    const int band = EqSlotInfo(edit->tag()).item;
    if (family >= 0 && family < kPageKindCount) state_.selectedBand[family] = band;
    if (shared_.highlightedEdit != shared_.currentValueEdit) {
        HighlightBand(family, band);
        if (shared_.currentValueEdit) {
            if (auto* current = qobject_cast<ValueEdit*>(Bound(shared_.currentValueEdit->tag()))) {
                current->setBackground(QColor(kCurrentEditBackground));
            }
        }
        if (shared_.highlightedEdit) {
            if (auto* previous = qobject_cast<ValueEdit*>(Bound(shared_.highlightedEdit->tag()))) {
                previous->setBackground(QColor(kHighlightedEditBackground));
            }
        }
        shared_.highlightedEdit = shared_.currentValueEdit;
    }
    KeepBandVisible(band);
    return band;
}

void Editor::HighlightBand(int family, int band) {
    const int count = HighlightBandCount(family);
    const int row = family == 2 && model_.selection().effectPage == 5 ? 5 : family;
    for (int i = 0; i < count && row >= 0 && row < kBandLabelRows; ++i) {
        if (BandNumberLabel* label = controls_.bandLabels[row][i]) label->setOpaque(i == band);
    }
}

void Editor::KeepBandVisible(int band) {
    if (!controls_.pageItem) return;
    const int sheet = controls_.pageItem->currentIndex();
    int box = -1;
    int window = 0;
    if (sheet == 0) box = 0, window = 9;
    if (sheet == 1) box = 1, window = 8;
    if (sheet == 3) box = 2, window = 5;
    if (box < 0 || !controls_.bandScrollBars[box]) return;
    QAbstractSlider* bar = controls_.bandScrollBars[box];
    // A wider window shows more columns than the design size.
    if (const QWidget* shown = controls_.bandBoxes[box]) {
        window = std::max(window, shown->width() / kBandColumnWidth);
    }
    if (band >= bar->value() + window) {
        bar->setValue(band - window + 1);
    } else if (band < bar->value()) {
        bar->setValue(band);
    }
}

void Editor::OutputEnabling(int manual) {
    const bool on = manual == 1;
    for (int slot = 0; slot <= 70; ++slot) {
        auto* bar = qobject_cast<TrackBar*>(Bound(MakeAddress(6, slot)));
        if (!bar) continue;
        bar->setEnabled(on);
        // A bar outside the page's groups (the delays) greys its value field with it, which
        // would otherwise look ready for typing.
        if (QWidget* pane = Pane(MakeAddress(6, slot))) pane->setEnabled(on);
    }
    QWidget* followers[] = {controls_.autoButton,      controls_.sceneButtons[0],
                            controls_.sceneButtons[1], controls_.sceneButtons[2],
                            controls_.leftMute,        controls_.rightMute,
                            controls_.rightDelayBar,   controls_.rightDelayPane};
    for (QWidget* each : followers) {
        if (each) each->setEnabled(on);
    }
    for (QWidget* each : controls_.outputGroups) {
        if (each) each->setEnabled(on);
    }
    if (channel_.selectedPage >= 6) {
        if (controls_.copyGroup) controls_.copyGroup->setEnabled(on);
        if (controls_.eqPassGroup) controls_.eqPassGroup->setEnabled(on);
    }
    if (controls_.manualButton) controls_.manualButton->setEnabled(true);
    ResetButtonUpdate();
}

void Editor::ResetButtonUpdate() {
    if (!controls_.eqResetButton || !controls_.eqPassButton) return;
    const int page = PageOf(controls_.eqPassButton->tag());
    const bool passOff = page >= 0 && page < kPageCount && !window_.EqPassOn(page);
    QWidget* group = controls_.eqPassGroup;
    // The group's own switch, whatever its parents show.
    const bool groupEnabled = !group || !group->testAttribute(Qt::WA_ForceDisabled);
    controls_.eqResetButton->setEnabled(passOff && groupEnabled);
}

}  // namespace zt
