#pragma once
// The narrow interfaces through which the editing side of the window reaches what it does not
// own: the link (write parameter and its SuppressSend flag), the window's channel selection,
// the EQ graph's redraw and the panel lock check.

#include <string>
#include <vector>

#include "params/param_address.h"

class QWidget;

namespace zt {

// Write parameter of the link: stores the value in both stores and, unless sending is
// suppressed or the link is off line, sends it or queues it for the processor. While the panel
// lock holds the window it takes no write: nothing is stored or sent, and the call says false.
class ParameterLink {
public:
    virtual ~ParameterLink() = default;
    virtual bool TakesWrites() const = 0;
    virtual bool WriteParameter(ParamAddress logical, int value) = 0;
    virtual bool SuppressSend() const = 0;
    virtual void SetSuppressSend(bool suppress) = 0;
    // The 22 items of the mode list ("1-Name" … "MF6-Name") as the processor reported them.
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

// The window's select channel for a tab 0..9: moves the shared pages to the tab's channel,
// arranges the groups and captions for it and returns page * 256 + sheet; the caller stores it.
class ChannelChoice {
public:
    virtual ~ChannelChoice() = default;
    virtual int SelectChannel(int tab) = 0;
};

// The EQ graph: redraws the curve item `item` of logical page `page` (100: the whole graph).
class EqRedraw {
public:
    virtual ~EqRedraw() = default;
    virtual void DrawEqCurve(int item, int page) = 0;
};

// The edit history beside set value. A gesture (a typed value, a click, a track bar from press
// to release, a reset) becomes one step; gestures nest, and only the outermost one ends a step.
// A gesture that is one step of a control (a wheel notch, an arrow key, a spin button click)
// names that control as its step source, so that a run of such steps is one step of the history.
// Every write parameter inside a gesture is noted with the processor address it went to and
// whether it was sent, so that undoing the step can send the old value the same way.
class EditRecorder {
public:
    virtual ~EditRecorder() = default;
    virtual void BeginGesture(const void* stepSource) = 0;
    virtual void EndGesture() = 0;
    virtual void NoteWrite(ParamAddress logical, ParamAddress device, bool sent) = 0;
    // The whole image came from outside (a download, a loaded mode or preset file): the history
    // ends here.
    virtual void ClearHistory() = 0;
};

// Opens a gesture for as long as it lives; a null recorder records nothing.
class GestureScope {
public:
    explicit GestureScope(EditRecorder* recorder, const void* stepSource = nullptr)
        : recorder_(recorder) {
        if (recorder_) recorder_->BeginGesture(stepSource);
    }
    ~GestureScope() {
        if (recorder_) recorder_->EndGesture();
    }
    GestureScope(const GestureScope&) = delete;
    GestureScope& operator=(const GestureScope&) = delete;

private:
    EditRecorder* recorder_;
};

// The panel lock check that ends every page refresh.
class LockCheck {
public:
    virtual ~LockCheck() = default;
    virtual void CheckPanelLock() = 0;
};

}  // namespace zt
