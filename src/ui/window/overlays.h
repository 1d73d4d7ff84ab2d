#pragma once
// The panel that lies over the main area: the unlock panel FirstCheckGrop, shown while the
// window is locked.

#include <QGroupBox>
#include <QWidget>

#include "ui/widgets/control_registry.h"

namespace zt {

class BitmapButton;
class PlainEdit;

struct UnlockPanel {
    QGroupBox* firstCheckGrop = nullptr;
    PlainEdit* panelPassWordEdit = nullptr;
    BitmapButton* rzBmpButton4 = nullptr;
};

UnlockPanel BuildUnlockPanel(QWidget* parent, ControlRegistry& registry);

}  // namespace zt
