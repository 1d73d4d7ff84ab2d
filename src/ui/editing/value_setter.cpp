#include "ui/editing/value_setter.h"

#include <QMessageBox>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "params/eq_slots.h"
#include "params/page_table.h"
#include "params/typed_value.h"
#include "params/value_scales.h"
#include "ui/editing/band_selection.h"
#include "ui/editing/edit_writes.h"
#include "ui/editing/editing_parts.h"
#include "ui/editing/volume_bars.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/track_bar.h"
#include "ui/window/language.h"

namespace zt {
namespace {

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

void ValueSetter::SetValue(QWidget* control, int key, bool silent, double x) {
    ControlProps* props = PropsOf(control);
    if (!props) return;
    const int kind = ValueKindOf(control);
    const ParamAddress a = parts_.model.ActiveQSlot(props->tag());
    // A value that would be stored and sent is refused as a whole while the window takes none.
    if (!silent && !parts_.path.TakesEdits()) return writes_.ShowStoredAgain(a);
    auto* edit = qobject_cast<ValueEdit*>(control);
    auto* pane = qobject_cast<StatusPane*>(control);
    auto* selector = qobject_cast<Selector*>(control);
    const bool editKind = edit && kind >= 0 && kind <= kLastEditKind;
    const bool paneKind = pane && kind >= kFirstPaneKind && kind < kValueKindCount;
    const bool selectorKind = selector && kind == kKindEqType;
    if (!editKind && !paneKind && !selectorKind) return;

    FormatContext context = FormatContextFor(parts_.model.selection(), a);
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
        const ValueRange range = EditRange(parts_.model.store(), kind, a);
        const int limit = range.maximum;
        if (silent) {
            // A stored Q beyond what the band type allows is reduced in the store as well.
            x = parts_.model.store().Get(a);
            if (x > limit) {
                x = limit;
                parts_.model.store().Set(a, limit);
            }
        } else {
            x = StepWithin(x, StepOf(key), range);
        }
        show(x);
    } else if (kind != kKindHidden) {
        // The dynamic EQ's gain never goes below -12.0 dB, however it is reached.
        const ValueRange range = EditRange(parts_.model.store(), kind, a);
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
            if (auto* bound = qobject_cast<ValueEdit*>(parts_.Bound(a)))
                parts_.shared.currentValueEdit = bound;
        }
        // The band selection of families 0..7: edits of the dynamic EQ page (kind 8) select
        // nothing.
        const int family = PageKind(a);
        if (family >= 0 && family <= 7) bands_.Select(edit, family);
    }

    const int v = TruncatedRaw(x);
    auto* bar = qobject_cast<TrackBar*>(parts_.Bound(a));
    if (!bar) bar = qobject_cast<TrackBar*>(parts_.Companion(a, 0));
    if (bar) {
        const bool before = parts_.state.trackBarUpdate;
        parts_.state.trackBarUpdate = true;
        bar->setValue(static_cast<int>(std::lround(x)));
        parts_.state.trackBarUpdate = before;
    }
    if (!silent) {
        writes_.Write(a, v);
    } else if (kind <= kKindQ) {
        parts_.path.Set(a, v, EditPath::Send::Never);
    }
    if (LogsLastWrite(kind) && !parts_.shared.refreshInProgress) writes_.RecordWrite(a, v);
}

void ValueSetter::SetParameter(ParamAddress a, int value) {
    if (auto* bar = qobject_cast<TrackBar*>(parts_.Bound(a)); volumes_.IsVolumeBar(bar)) {
        // A volume bar takes the value as a refresh shows it: the volume limits and the normal
        // volume's one-step rise would move it or its group away from the value.
        {
            const EditPath::ShowOnly showing(parts_.path);
            volumes_.ShowPosition(bar, value);
        }
        writes_.Write(a, value);
        return;
    }
    auto shows = [&](QWidget* control) {
        const ControlProps* props = PropsOf(control);
        if (!props || parts_.model.ActiveQSlot(props->tag()) != a) return false;
        return qobject_cast<ValueEdit*>(control) || qobject_cast<Selector*>(control) ||
               qobject_cast<StatusPane*>(control);
    };
    QWidget* control = parts_.Bound(a);
    if (!shows(control)) control = parts_.Pane(a);
    if (shows(control)) SetValue(control, kStepNone, false, value);
    if (parts_.model.image().Get(parts_.model.ToDeviceAddress(a)) != value) writes_.Write(a, value);
}

void ValueSetter::CommitTypedValue(int key) {
    ValueEdit* edit = parts_.shared.currentValueEdit;
    if (!edit || edit == parts_.controls.example) return;
    const int kind = ValueKindOf(edit);
    const ControlProps* props = PropsOf(edit);
    const ParamAddress a = props ? parts_.model.ActiveQSlot(props->tag()) : 0;
    const std::optional<int> raw = CommitTypedText(kind, edit->text().toStdString(), StepOf(key),
                                                   EditRange(parts_.model.store(), kind, a));
    if (!raw) return RestoreLastGoodText();
    if (writes_.HeldByEqPass(a)) {
        // The field shows the held value again at once; the page's refresh redraws the rest.
        RestoreLastGoodText();
        return writes_.ShowStoredAgain(a);
    }
    if (!edit->valueKind()) {
        ShowPlainMessage(edit->window(), QStringLiteral("error"));
        return RestoreLastGoodText();
    }
    SetValue(edit, kStepNone, false, *raw);
    parts_.state.lastGoodText = edit->text();
}

void ValueSetter::RestoreLastGoodText() {
    if (parts_.shared.currentValueEdit)
        parts_.shared.currentValueEdit->setText(parts_.state.lastGoodText);
}

void ValueSetter::ShowPlainMessage(QWidget* parent, const QString& text) const {
    if (message_) {
        message_(text);
    } else {
        QMessageBox::information(parent, QString(), text);
    }
}

}  // namespace zt
