#pragma once
// The two panels that lie over the main area: the unlock panel FirstCheckGrop, shown while the
// window is locked, and the EQ point editor EQCotrolGrop, which lies below the visible area and
// is never seen. The editor's controls follow the graph point being edited: their tags are the
// slots of that point's band, so that the ordinary handlers act on that band.

#include <QGroupBox>
#include <QWidget>

#include "params/param_address.h"
#include "ui/widgets/control_registry.h"

namespace zt {

class BitmapButton;
class PlainEdit;
class SpinButtons;
class TrackBar;
class ValueEdit;

struct UnlockPanel {
    QGroupBox* firstCheckGrop = nullptr;
    PlainEdit* panelPassWordEdit = nullptr;
    BitmapButton* rzBmpButton4 = nullptr;
};

UnlockPanel BuildUnlockPanel(QWidget* parent, ControlRegistry& registry);

class EqPointEditor {
public:
    EqPointEditor(QWidget* parent, ControlRegistry& registry);

    QWidget* panel() const { return panel_; }

    // Points the editor at the band whose frequency index lies at `frequencySlot` (field 1 of
    // the band): frequency, gain and Q controls take the addresses of fields 1, 2 and 3.
    void FollowBand(ParamAddress frequencySlot);
    ParamAddress followedBand() const { return frequencySlot_; }

private:
    struct Row {
        TrackBar* bar = nullptr;
        ValueEdit* edit = nullptr;
        SpinButtons* spin = nullptr;
    };
    Row MakeRow(int index, const char* bar, const char* edit, const char* spin, int maximum,
                int kind, const char* caption, ControlRegistry& registry);

    QWidget* panel_;
    Row frequency_, gain_, q_;
    ParamAddress frequencySlot_ = 0;
};

}  // namespace zt
