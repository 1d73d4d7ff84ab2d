#pragma once
// The narrow interfaces through which the editing side of the window reaches what it does not
// own: the processor's mode list, the EQ graph's redraw and the panel lock check. Values go through
// the window's edit path.

#include <string>
#include <vector>

#include "params/param_address.h"
#include "ui/state/edit_recorder.h"

class QWidget;

namespace zt {

// The mode list as the processor reported it: the 22 items "1-Name" … "MF6-Name".
class ModeListSource {
public:
    virtual ~ModeListSource() = default;
    virtual std::vector<std::string> ModeListItems() const = 0;
};

// ControlBinding as the handlers read it: from a logical address to the control that shows the
// slot, the status pane of its track bar and its companions 0..3. Null where nothing is bound.
class BindingLookup {
public:
    virtual ~BindingLookup() = default;
    virtual QWidget* BoundControl(ParamAddress a) const = 0;
    virtual QWidget* BoundPane(ParamAddress a) const = 0;
    virtual QWidget* BoundCompanion(ParamAddress a, int entry) const = 0;
};

// The EQ graph: redraws the curve item `item` of logical page `page` (100: the whole graph).
class EqRedraw {
public:
    virtual ~EqRedraw() = default;
    virtual void DrawEqCurve(int item, int page) = 0;
};

// The panel lock check that ends every page refresh.
class LockCheck {
public:
    virtual ~LockCheck() = default;
    virtual void CheckPanelLock() = 0;
};

}  // namespace zt
