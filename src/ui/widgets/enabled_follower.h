#pragma once
// A caption that reads as disabled while the control it names is disabled, as the rest of a
// greyed page does; the control may be disabled on its own or through its group.

class QWidget;

namespace zt {

// From now on `label` is enabled exactly while `control` is.
void FollowEnabledState(QWidget* label, QWidget* control);

}  // namespace zt
