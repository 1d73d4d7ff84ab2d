#pragma once
// The looks of the window's button groups and the state they stand for, one small class per
// group. A look shows a choice; the choice itself is held here or in the stores, never read
// back from a caption, a hint or a size.

#include <array>
#include <cstddef>
#include <unordered_map>

#include "params/param_address.h"
#include "ui/editing/editor_controls.h"

class QWidget;

namespace zt {

struct EditingParts;
class Selector;
class TypeLabel;

// The two-state buttons bound to a parameter (phase and mute buttons, the EQ pass): each click
// turns the state over. Phase buttons show the phase symbol of the template button.
class ToggleLooks {
public:
    enum class Kind { Mute, Phase };

    explicit ToggleLooks(const BitmapButton* const& phaseTemplate)
        : phaseTemplate_(phaseTemplate) {}

    // Notes what kind of toggle `button` is; an unnoted toggle is a mute.
    void Note(const BitmapButton* button, Kind kind) { toggles_[button].kind = kind; }
    Kind KindOf(const BitmapButton* button) const;

    // The state the next turn starts from; the page refresh sets the opposite of the stored
    // value, then runs the button's click handler, which turns it over.
    void Set(const BitmapButton* button, bool on) { toggles_[button].on = on; }
    bool IsOn(const BitmapButton* button) const;

    // Turns the toggle over and shows the new state: 1 on, 0 off.
    int Turn(BitmapButton* button);

private:
    struct Toggle {
        Kind kind = Kind::Mute;
        bool on = false;
    };
    const BitmapButton* const& phaseTemplate_;
    std::unordered_map<const BitmapButton*, Toggle> toggles_;
};

// A row of buttons of which one is chosen (auto / manual, the scenes, the sides): the chosen
// one shows pressed.
template <std::size_t N>
class ChoiceLook {
public:
    explicit ChoiceLook(const std::array<BitmapButton*, N>& buttons) : buttons_(buttons) {}

    // The position of `control` in the row; -1 when it is none of them.
    int IndexOf(const QWidget* control) const;
    void Show(int chosen) const;

private:
    const std::array<BitmapButton*, N>& buttons_;
};

// The two-button switches of the system page: the first stands for 0, the second for 1.
class SwitchLooks {
public:
    explicit SwitchLooks(const std::array<SwitchPair, 4>& pairs) : pairs_(pairs) {}

    const SwitchPair* PairOf(int address) const;
    // Shows `button` chosen in its pair; the value it stands for, 0 when it is in no pair.
    int Choose(const BitmapButton* button) const;

private:
    const std::array<SwitchPair, 4>& pairs_;
};

// The type labels of an EQ band (peak, ..., shelf): the label of the chosen type shows chosen.
class TypeLabelLooks {
public:
    explicit TypeLabelLooks(const EditingParts& parts) : parts_(parts) {}

    // The type `label` stands for: its entry among its band's companions, -1 none.
    int TypeOf(const TypeLabel* label) const;
    void Show(ParamAddress typeSlot, int chosen) const;

private:
    const EditingParts& parts_;
};

// The trigger buttons of the dynamic EQ's bands: three per band, the companions of the band's
// trigger selector; each button's tag is the trigger it stands for.
class TriggerLooks {
public:
    explicit TriggerLooks(const EditingParts& parts) : parts_(parts) {}

    // The trigger selector whose group holds `button`; null when none does.
    Selector* GroupOf(const QWidget* button) const;
    void Show(const Selector* group, int chosen) const;

private:
    const EditingParts& parts_;
};

// Every button group's look, built over the controls the editor resolved.
struct ButtonLooks {
    explicit ButtonLooks(const EditingParts& parts);

    ToggleLooks toggles;
    ChoiceLook<2> autoManual;
    ChoiceLook<3> scenes;
    ChoiceLook<3> sides;
    SwitchLooks switches;
    TypeLabelLooks typeLabels;
    TriggerLooks triggers;
};

}  // namespace zt
