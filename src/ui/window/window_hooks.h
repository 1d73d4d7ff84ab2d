#pragma once
// What the window's start-up and page switch ask of the parts of the editor that draw the EQ
// graph, edit values and list preset files. Each part fills its interface when it is wired into
// the window (WindowServices); a part that is not wired is left out of the sequence.

#include <QColor>

namespace zt {

// The EQ graph on Image1.
class EqGraphView {
public:
    virtual ~EqGraphView() = default;
    // The colour the curve is drawn with; every page switch sets it again.
    virtual void SetCurveColour(const QColor& colour) = 0;
    // Redraws after a change of one item (0..99) or everything (100) of a page, now.
    virtual void DrawEqCurve(int item, int page) = 0;
    // The same once the window has handled the event at hand, in one drawing with every other
    // request made before then.
    virtual void RequestRedraw(int item, int page) = 0;
    // Image1 has a fresh blank bitmap of a new size: draw the grid and the curves again.
    virtual void RebuildGraph() = 0;
};

// The editing side of a page switch.
class PageSwitchEditing {
public:
    virtual ~PageSwitchEditing() = default;
    // Ends mouse-wheel stepping of a value field.
    virtual void EndWheelStepping() = 0;
    // The effect tab shows the effect sub-page that was chosen last (echo A, echo B, reverb).
    virtual void ReselectEffectSubPage() = 0;
};

// The preset files of the PC in the list of the "系统设定" sheet.
class PresetFileList {
public:
    virtual ~PresetFileList() = default;
    virtual void ListPresetFiles() = 0;
};

// The work of Timer1, every 10 ms while a part of the window wants it (the spectrum analysis
// while the analyser is on); an idle window has no tick.
class Timer1Work {
public:
    virtual ~Timer1Work() = default;
    virtual bool WantsTicks() const = 0;
    virtual void OnTimer1Tick() = 0;
};

struct WindowServices {
    EqGraphView* graph = nullptr;
    PageSwitchEditing* editing = nullptr;
    PresetFileList* presetFiles = nullptr;
    Timer1Work* timer1 = nullptr;
};

}  // namespace zt
