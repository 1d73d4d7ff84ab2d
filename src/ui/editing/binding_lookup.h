#pragma once
// ControlBinding as the editing handlers read it.

#include "ui/binding/control_binding.h"
#include "ui/editing/editing_ports.h"

namespace zt {

class ControlBindingLookup : public BindingLookup {
public:
    explicit ControlBindingLookup(const ControlBinding& binding) : binding_(binding) {}

    QWidget* BoundControl(ParamAddress a) const override { return binding_.BoundControlOf(a); }
    QWidget* BoundPane(ParamAddress a) const override { return binding_.PaneOf(a); }
    QWidget* BoundCompanion(ParamAddress a, int entry) const override {
        return binding_.CompanionOf(a, entry);
    }

private:
    const ControlBinding& binding_;
};

}  // namespace zt
