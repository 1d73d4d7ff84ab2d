// Set value, commit typed value and the volume limits: the one road from a raw value to the text
// a control shows, the stores and the link.

#include <QMessageBox>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "params/eq_slots.h"
#include "params/page_table.h"
#include "params/typed_value.h"
#include "params/value_scales.h"
#include "ui/editing/editor.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/track_bar.h"
#include "ui/window/language.h"

namespace zt {
namespace {

int KindOf(QWidget* control) {
    const ControlProps* props = PropsOf(control);
    if (!props || props->hint().isEmpty()) return 0;
    bool ok = false;
    const int kind = props->hint().toInt(&ok);
    return ok ? kind : -1;
}

bool LogsLastWrite(int kind) {
    return (kind >= 0 && kind <= 7) || kind == 13 || kind == 19;
}

// Q limit of the band of a Q slot: shelving bands stop at 1.60.
int QLimit(const ParamStore& store, ParamAddress qSlot) {
    const EqSlot eq = EqSlotInfo(qSlot);
    return store.Get(qSlot - eq.field) >= 2 ? kShelfQMaximum : KindMaximum(kKindQ);
}

// The raw range an edit of `kind` at logical address `a` keeps: a Q within its band type's limit,
// the dynamic EQ's gain from -12.0 dB.
ValueRange EditRange(const ParamStore& store, int kind, ParamAddress a) {
    if (kind == kKindQ) return {0, QLimit(store, a)};
    ValueRange range = KindRange(kind);
    if (kind == kKindGain && PageOf(a) == 1) range.minimum = kDynamicEqGainMinimum;
    return range;
}

int StepOf(int key) {
    return key == kStepUp ? 1 : key == kStepDown ? -1 : 0;
}

}  // namespace

void Editor::SetValue(QWidget* control, int key, bool silent, double x) {
    ControlProps* props = PropsOf(control);
    if (!props) return;
    const int kind = KindOf(control);
    const ParamAddress a = model_.ActiveQSlot(props->tag());
    // A value that would be stored and sent is refused as a whole while the window takes none.
    if (!silent && !link_.TakesWrites()) return ShowStoredAgain(a);
    auto* edit = qobject_cast<ValueEdit*>(control);
    auto* pane = qobject_cast<StatusPane*>(control);
    auto* selector = qobject_cast<Selector*>(control);
    const bool editKind = edit && kind >= 0 && kind <= kLastEditKind;
    const bool paneKind = pane && kind >= kFirstPaneKind && kind < kValueKindCount;
    const bool selectorKind = selector && kind == kKindEqType;
    if (!editKind && !paneKind && !selectorKind) return;

    FormatContext context = FormatContextFor(model_.selection(), a);
    context.chinese = language_ && language_->chinese();
    auto show = [&](double raw) {
        edit->setText(
            QString::fromStdString(FormatValueText(kind, static_cast<int>(raw), context)));
    };
    if (selectorKind) {
        if (x > 3) x = 3;
        selector->setCurrentIndex(static_cast<int>(x));
    } else if (paneKind) {
        x = KindRange(kind).Clamp(static_cast<int>(x));
        pane->setCaption(
            QString::fromStdString(FormatValueText(kind, static_cast<int>(x), context)));
    } else if (kind == kKindQ) {
        const ValueRange range = EditRange(model_.store(), kind, a);
        const int limit = range.maximum;
        if (silent) {
            // A stored Q beyond what the band type allows is reduced in the store as well.
            x = model_.store().Get(a);
            if (x > limit) {
                x = limit;
                model_.store().Set(a, limit);
            }
        } else {
            x = StepWithin(x, StepOf(key), range);
        }
        show(x);
    } else if (kind != kKindHidden) {
        // The dynamic EQ's gain never goes below -12.0 dB, however it is reached.
        const ValueRange range = EditRange(model_.store(), kind, a);
        if (!silent) {
            x = StepWithin(x, StepOf(key), range);
        } else {
            if (x > range.maximum) x = range.maximum;
            if (kind == kKindGain && x < range.minimum && range.minimum > 0) x = range.minimum;
        }
        show(x);
    }

    if (editKind && kind >= kKindFrequency && kind <= kKindInputVolume) {
        if (kind == kKindFrequency) {
            if (auto* bound = qobject_cast<ValueEdit*>(Bound(a))) shared_.currentValueEdit = bound;
        }
        // Through the edit selection's control action codes 0..7: edits of the dynamic EQ
        // page (kind 8) select nothing.
        const int family = PageKind(a);
        if (family >= 0 && family <= 7) EditSelection(edit, family);
    }

    const int v = TruncatedRaw(x);
    auto* bar = qobject_cast<TrackBar*>(Bound(a));
    if (!bar) bar = qobject_cast<TrackBar*>(Companion(a, 0));
    if (bar) {
        const bool before = state_.trackBarUpdate;
        state_.trackBarUpdate = true;
        bar->setValue(static_cast<int>(std::lround(x)));
        state_.trackBarUpdate = before;
    }
    if (kind <= kKindQ) model_.StoreValue(a, v);
    if (!silent) Write(a, v);
    if (LogsLastWrite(kind) && !shared_.refreshInProgress) RecordWrite(a, v);
}

void Editor::SetParameter(ParamAddress a, int value) {
    if (auto* bar = qobject_cast<TrackBar*>(Bound(a)); bar && IsVolumeBar(bar)) {
        // A volume bar takes the value as a refresh shows it: the volume limits and the normal
        // volume's one-step rise would move it or its group away from the value. Its pane's
        // hint holds the bar's last position, not a value kind.
        const bool suppressed = link_.SuppressSend();
        link_.SetSuppressSend(true);
        ShowBarPosition(bar, value, false);
        link_.SetSuppressSend(suppressed);
        Write(a, value);
        return;
    }
    auto shows = [&](QWidget* control) {
        const ControlProps* props = PropsOf(control);
        if (!props || model_.ActiveQSlot(props->tag()) != a) return false;
        return qobject_cast<ValueEdit*>(control) || qobject_cast<Selector*>(control) ||
               qobject_cast<StatusPane*>(control);
    };
    QWidget* control = Bound(a);
    if (!shows(control)) control = Pane(a);
    if (shows(control)) SetValue(control, kStepNone, false, value);
    if (model_.image().Get(model_.ToDeviceAddress(a)) != value) Write(a, value);
}

void Editor::CommitTypedValue(int key) {
    ValueEdit* edit = shared_.currentValueEdit;
    if (!edit || edit == controls_.example) return;
    const int kind = KindOf(edit);
    const ControlProps* props = PropsOf(edit);
    const ParamAddress a = props ? model_.ActiveQSlot(props->tag()) : 0;
    const std::optional<int> raw = CommitTypedText(kind, edit->text().toStdString(), StepOf(key),
                                                   EditRange(model_.store(), kind, a));
    if (!raw) return RestoreLastGoodText();
    if (HeldByEqPass(a)) {
        // The field shows the held value again at once; the page's refresh redraws the rest.
        RestoreLastGoodText();
        return ShowStoredAgain(a);
    }
    if (edit->hint().isEmpty()) {
        if (message_) {
            message_(QStringLiteral("error"));
        } else {
            QMessageBox::information(edit->window(), QString(), QStringLiteral("error"));
        }
        return RestoreLastGoodText();
    }
    SetValue(edit, kStepNone, false, *raw);
    state_.lastGoodText = edit->text();
}

void Editor::RestoreLastGoodText() {
    if (shared_.currentValueEdit) shared_.currentValueEdit->setText(state_.lastGoodText);
}

void Editor::VolumeLimits(TrackBar* normal, TrackBar* start, TrackBar* maximum, int moved,
                          StatusPane* pane) {
    if (!normal || !start || !maximum) return;
    TrackBar* bars[] = {normal, start, maximum};
    if (moved < 0 || moved > 2) return;
    if (!link_.SuppressSend()) {
        if (moved < 2) {
            if (bars[moved]->value() > maximum->value()) bars[moved]->setValue(maximum->value());
        } else {
            if (start->value() > maximum->value()) start->setValue(maximum->value());
            if (normal->value() > maximum->value()) normal->setValue(maximum->value());
        }
    }
    if (pane) pane->setCaption(QString::number(bars[moved]->value()));
}

}  // namespace zt
