#include "ui/window/value_tooltips.h"

#include <QHelpEvent>
#include <QToolTip>
#include <algorithm>
#include <string>

#include "params/eq_slots.h"
#include "params/param_model.h"
#include "params/value_hints.h"
#include "ui/binding/control_binding.h"
#include "ui/widgets/control_registry.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/range_handle.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/track_bar.h"
#include "ui/window/language.h"

namespace zt {
namespace {

constexpr int kVolumePage = 29;

// The volumes the range markers set, by address.
struct MarkedVolume {
    ParamAddress address;
    const char* chinese;
    const char* english;
};
constexpr MarkedVolume kMarkedVolumes[] = {
    {0x1D03, "话筒起始音量", "Initial mic volume"},
    {0x1D04, "话筒最大音量", "Max mic volume"},
    {0x1D05, "音乐起始音量", "Initial music volume"},
    {0x1D06, "音乐最大音量", "Max music volume"},
    {0x1D07, "效果起始音量", "Initial effect volume"},
    {0x1D08, "效果最大音量", "Max effect volume"},
};

int KindOfProps(const ControlProps* props) {
    return props ? props->valueKind().value_or(0) : 0;
}

}  // namespace

ValueTooltips::ValueTooltips(const ControlBinding& binding, const ParamModel& model,
                             const Language& language)
    : binding_(binding), model_(model), language_(language) {}

void ValueTooltips::Attach(const ControlRegistry& registry) {
    for (QWidget* control : registry.InCreationOrder()) {
        if (qobject_cast<TrackBar*>(control) || qobject_cast<ValueEdit*>(control) ||
            qobject_cast<StatusPane*>(control) || qobject_cast<SpinButtons*>(control) ||
            qobject_cast<RangeHandle*>(control)) {
            control->installEventFilter(this);
        }
    }
}

QString ValueTooltips::TextFor(QWidget* control) const {
    const Texts texts = TextsFor(control);
    return QString::fromStdString(language_.chinese() ? texts.chinese : texts.english);
}

ValueTooltips::Texts ValueTooltips::TextsFor(QWidget* control) const {
    if (qobject_cast<RangeHandle*>(control)) return MarkerTexts(control);
    if (qobject_cast<TrackBar*>(control)) return BarTexts(control);
    if (qobject_cast<ValueEdit*>(control)) return EditTexts(control);
    const ControlProps* props = PropsOf(control);
    if (!props || !IsStoreAddress(props->tag())) return {};
    // A pane and a pair of spin buttons explain the control they belong to.
    QWidget* bound = binding_.BoundControlOf(props->tag());
    if (qobject_cast<StatusPane*>(control) && qobject_cast<TrackBar*>(bound)) {
        return BarTexts(bound);
    }
    if (qobject_cast<SpinButtons*>(control) && bound != control) return TextsFor(bound);
    return {};
}

ValueTooltips::Texts ValueTooltips::BarTexts(QWidget* control) const {
    auto* bar = static_cast<TrackBar*>(control);
    const ParamAddress a = bar->tag();
    if (!IsStoreAddress(a)) return {};
    if (PageOf(a) == kVolumePage) {
        const std::string low = std::to_string(bar->minimum());
        const std::string high = std::to_string(bar->maximum());
        return {"范围：" + low + " 至 " + high, "Range: " + low + " to " + high};
    }
    QWidget* bound = binding_.BoundControlOf(a);
    if (bound == bar) {
        // A parameter bar: its pane's kind, between the bar's own ends.
        const int kind = KindOfProps(PropsOf(binding_.PaneOf(a)));
        if (kind < kFirstPaneKind) return {};
        const RangeDescription range = DescribeRange(kind, bar->minimum(), bar->maximum(),
                                                     FormatContextFor(model_.selection(), a));
        return {range.chinese, range.english};
    }
    // A band's gain bar explains its gain edit.
    if (qobject_cast<ValueEdit*>(bound)) return EditTexts(bound);
    return {};
}

ValueTooltips::Texts ValueTooltips::EditTexts(QWidget* control) const {
    auto* edit = static_cast<ValueEdit*>(control);
    const int kind = KindOfProps(edit);
    if (kind < kKindFrequency || kind > kLastEditKind) return {};
    const ParamAddress a = model_.ActiveQSlot(edit->tag());
    ValueRange range = KindRange(kind);
    // The dynamic EQ's gain stops at -12.0 dB; a shelving band's Q at 1.60.
    if (kind == kKindGain && PageOf(a) == 1) range.minimum = kDynamicEqGainMinimum;
    if (kind == kKindQ) {
        const EqSlot eq = EqSlotInfo(a);
        if (eq.isEq() && model_.store().Get(a - eq.field) >= 2) range.maximum = kShelfQMaximum;
    }
    const RangeDescription text = DescribeRange(kind, range.minimum, range.maximum);
    return {text.chinese, text.english};
}

ValueTooltips::Texts ValueTooltips::MarkerTexts(QWidget* control) const {
    const ParamAddress a = PropsOf(control) ? PropsOf(control)->tag() : 0;
    const auto* marked = std::find_if(std::begin(kMarkedVolumes), std::end(kMarkedVolumes),
                                      [a](const MarkedVolume& v) { return v.address == a; });
    if (marked == std::end(kMarkedVolumes)) return {};
    const std::string value = std::to_string(model_.store().Get(a));
    return {
        std::string(marked->chinese) + "：" + value + "\n沿音量条拖动设置（0 至 84）",
        std::string(marked->english) + ": " + value + "\nDrag along the bar to set it (0 to 84)"};
}

bool ValueTooltips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) return false;
    auto* control = static_cast<QWidget*>(watched);
    // A tooltip of the control's own comes first.
    if (!control->toolTip().isEmpty()) return false;
    const QString text = TextFor(control);
    if (text.isEmpty()) return false;
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, control);
    return true;
}

}  // namespace zt
