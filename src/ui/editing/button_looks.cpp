#include "ui/editing/button_looks.h"

#include "ui/editing/editing_parts.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/type_label.h"

namespace zt {

ToggleLooks::Kind ToggleLooks::KindOf(const BitmapButton* button) const {
    const auto found = toggles_.find(button);
    return found == toggles_.end() ? Kind::Mute : found->second.kind;
}

bool ToggleLooks::IsOn(const BitmapButton* button) const {
    const auto found = toggles_.find(button);
    return found != toggles_.end() && found->second.on;
}

int ToggleLooks::Turn(BitmapButton* button) {
    Toggle& toggle = toggles_[button];
    if (toggle.kind == Kind::Phase) {
        button->setCaption(QString());
        if (phaseTemplate_) button->TakePicturesOf(*phaseTemplate_);
    }
    toggle.on = !toggle.on;
    button->setShowsPressed(toggle.on);
    return toggle.on ? 1 : 0;
}

template <std::size_t N>
int ChoiceLook<N>::IndexOf(const QWidget* control) const {
    for (std::size_t i = 0; i < N; ++i) {
        if (control && buttons_[i] == control) return static_cast<int>(i);
    }
    return -1;
}

template <std::size_t N>
void ChoiceLook<N>::Show(int chosen) const {
    for (std::size_t i = 0; i < N; ++i) {
        if (buttons_[i]) buttons_[i]->setShowsPressed(static_cast<int>(i) == chosen);
    }
}

template class ChoiceLook<2>;
template class ChoiceLook<3>;

const SwitchPair* SwitchLooks::PairOf(int address) const {
    for (const SwitchPair& pair : pairs_) {
        if (pair.address == address && pair.first) return &pair;
    }
    return nullptr;
}

int SwitchLooks::Choose(const BitmapButton* button) const {
    const SwitchPair* pair = button ? PairOf(button->tag()) : nullptr;
    if (!pair || (button != pair->first && button != pair->second)) return 0;
    const int chosen = button == pair->second ? 1 : 0;
    pair->first->setShowsPressed(chosen == 0);
    if (pair->second) pair->second->setShowsPressed(chosen == 1);
    return chosen;
}

int TypeLabelLooks::TypeOf(const TypeLabel* label) const {
    for (int entry = 0; label && entry < 4; ++entry) {
        if (parts_.Companion(label->tag(), entry) == label) return entry;
    }
    return -1;
}

void TypeLabelLooks::Show(ParamAddress typeSlot, int chosen) const {
    for (int entry = 0; entry < 4; ++entry) {
        if (auto* each = qobject_cast<TypeLabel*>(parts_.Companion(typeSlot, entry))) {
            each->setChosenLook(entry == chosen);
        }
    }
}

Selector* TriggerLooks::GroupOf(const QWidget* button) const {
    if (!button) return nullptr;
    for (Selector* group : parts_.controls.triggerSelectors) {
        for (int entry = 0; group && entry < 3; ++entry) {
            if (parts_.Companion(group->tag(), entry) == button) return group;
        }
    }
    return nullptr;
}

void TriggerLooks::Show(const Selector* group, int chosen) const {
    for (int entry = 0; group && entry < 3; ++entry) {
        if (auto* each = qobject_cast<BitmapButton*>(parts_.Companion(group->tag(), entry))) {
            each->setShowsPressed(entry == chosen);
        }
    }
}

ButtonLooks::ButtonLooks(const EditingParts& parts)
    : toggles(parts.controls.phaseTemplate),
      autoManual(parts.controls.autoManualButtons),
      scenes(parts.controls.sceneButtons),
      sides(parts.controls.sideButtons),
      switches(parts.controls.switches),
      typeLabels(parts),
      triggers(parts) {}

}  // namespace zt
