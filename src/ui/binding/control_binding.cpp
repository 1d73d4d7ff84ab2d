#include "ui/binding/control_binding.h"

#include "ui/widgets/control_props.h"

namespace zt {

ControlBinding::ControlBinding() : entries_(kPageCount * kSlotCount) {}

const ControlBinding::Entry* ControlBinding::At(ParamAddress address) const {
    if (!IsStoreAddress(address)) return nullptr;
    return &entries_[PageOf(address) * kSlotCount + SlotOf(address)];
}

QWidget* ControlBinding::BoundControlOf(ParamAddress address) const {
    const Entry* entry = At(address);
    return entry ? entry->control : nullptr;
}

QWidget* ControlBinding::PaneOf(ParamAddress address) const {
    const Entry* entry = At(address);
    return entry ? entry->pane : nullptr;
}

QWidget* ControlBinding::CompanionOf(ParamAddress address, int entryIndex) const {
    const Entry* entry = At(address);
    if (!entry || entryIndex < 0 || entryIndex >= kCompanionCount) return nullptr;
    return entry->companions[entryIndex];
}

void ControlBinding::Clear() {
    entries_.assign(entries_.size(), Entry{});
    lists_ = ControlLists{};
}

void ControlBinding::Bind(ParamAddress address, QWidget* control, QWidget* pane,
                          const std::array<QWidget*, kCompanionCount>& companions) {
    if (!IsStoreAddress(address)) return;
    entries_[PageOf(address) * kSlotCount + SlotOf(address)] = Entry{control, pane, companions};
}

ParamAddress AddressOf(QWidget* control) {
    const ControlProps* props = control ? PropsOf(control) : nullptr;
    return props ? props->tag() : 0;
}

}  // namespace zt
