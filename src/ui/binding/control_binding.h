#pragma once
// ControlBinding ties every slot of every logical page to the controls that show it: the bound
// control, the value pane of a track bar, and up to four companions (type labels or trigger
// buttons at a band's type slot, the gain bar at its gain slot, spin buttons at a Q slot and at
// the music input volumes). Slots the catalogue does not name are empty.

#include <QWidget>
#include <array>
#include <vector>

#include "params/param_address.h"
#include "ui/binding/control_lists.h"

namespace zt {

inline constexpr int kCompanionCount = 4;

class ControlBinding {
public:
    ControlBinding();

    // The control that shows and edits the slot; nullptr when none.
    QWidget* BoundControlOf(ParamAddress address) const;
    // The status pane that shows a track bar's value as text; nullptr when none.
    QWidget* PaneOf(ParamAddress address) const;
    // Companion entry 0..3 of the slot; nullptr when none.
    QWidget* CompanionOf(ParamAddress address, int entry) const;

    template <typename T>
    T* BoundControlAs(ParamAddress address) const {
        return qobject_cast<T*>(BoundControlOf(address));
    }
    template <typename T>
    T* CompanionAs(ParamAddress address, int entry) const {
        return qobject_cast<T*>(CompanionOf(address, entry));
    }

    const ControlLists& lists() const { return lists_; }

    // Filling, for BindControls.
    void Clear();
    void Bind(ParamAddress address, QWidget* control, QWidget* pane,
              const std::array<QWidget*, kCompanionCount>& companions);
    ControlLists& lists() { return lists_; }

private:
    struct Entry {
        QWidget* control = nullptr;
        QWidget* pane = nullptr;
        std::array<QWidget*, kCompanionCount> companions{};
    };
    const Entry* At(ParamAddress address) const;

    std::vector<Entry> entries_;
    ControlLists lists_;
};

// The logical address a control carries in its tag; 0 for a widget without one.
ParamAddress AddressOf(QWidget* control);

}  // namespace zt
