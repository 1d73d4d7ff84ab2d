#pragma once
// The controls the editing handlers address directly: the fixed lists that binding built and
// the single controls of the graph panel, the output sheet and the right column. Taken once
// when the editor is attached; a control the window does not have stays null and is skipped.

#include <array>

#include "ui/binding/control_lists.h"

class QAbstractSlider;
class QLabel;
class QStackedWidget;
class QWidget;

namespace zt {

class BandNumberLabel;
class BandScrollBox;
class BitmapButton;
class PlainEdit;
class RangeHandle;
class Selector;
class StatusPane;
class SwappingToolButton;
class TrackBar;
class ValueEdit;

// One of the three volume groups of the system page: the bars, their markers and the label that
// shows the start or maximum value while it changes.
struct VolumeGroup {
    TrackBar* normal = nullptr;
    TrackBar* start = nullptr;
    TrackBar* maximum = nullptr;
    RangeHandle* startMarker = nullptr;
    RangeHandle* maximumMarker = nullptr;
    QWidget* label = nullptr;
};

// A two-button switch of the system page and the address it writes.
struct SwitchPair {
    int address = 0;
    BitmapButton* first = nullptr;   // value 0
    BitmapButton* second = nullptr;  // value 1
};

// The fixed lists come from binding, which resolved them once.
struct EditorControls : ControlLists {
    ValueEdit* example = nullptr;
    BitmapButton* phaseTemplate = nullptr;  // ExampleBtn2

    // Pages and band boxes.
    QStackedWidget* pageItem = nullptr;                // FormPageItem
    QWidget* effectPages = nullptr;                    // EffPageControl
    std::array<QAbstractSlider*, 3> bandScrollBars{};  // music, microphone, output
    std::array<BandScrollBox*, 3> bandBoxes{};

    // Graph panel.
    QWidget* eqPassLabel = nullptr;
    BitmapButton* eqPassButton = nullptr;  // MusEQAllpassBtn
    BitmapButton* eqResetButton = nullptr;
    std::array<BitmapButton*, 2> autoManualButtons{};  // index = manual flag: auto, manual
    QWidget* copyGroup = nullptr;
    QWidget* eqPassGroup = nullptr;

    // Output sheet.
    BitmapButton* leftMute = nullptr;
    BitmapButton* rightMute = nullptr;
    TrackBar* rightDelayBar = nullptr;
    StatusPane* rightDelayPane = nullptr;
    std::array<QWidget*, 5> outputGroups{};  // level group, limiter, crossover, bands, scroll bar

    // Dynamic EQ trigger selectors.
    std::array<Selector*, 3> triggerSelectors{};

    // System page.
    std::array<SwitchPair, 4> switches{};
    QWidget* userManagerGroup = nullptr;        // SysUserMangerGrop
    std::array<VolumeGroup, 3> volumeGroups{};  // music, microphone, effect
    Selector* modeBox = nullptr;                // SysModeBox
    Selector* modeBox2 = nullptr;               // SysModeBox2
    PlainEdit* modeNameEdit = nullptr;          // PresetModeEdit

    QWidget* linkButton = nullptr;
    QWidget* unlinkButton = nullptr;
};

}  // namespace zt
