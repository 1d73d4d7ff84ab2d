#pragma once
// The edit history as the window's writes see it. A gesture (a typed value, a click, a track bar
// from press to release, a reset) becomes one step; gestures nest, and only the outermost one
// ends a step. A gesture that is one step of a control (a wheel notch, an arrow key, a spin
// button click) names that control as its step source, so that a run of such steps is one step
// of the history. Every value set inside a gesture is noted with the processor address it went
// to and whether it was sent, so that undoing the step can send the old value the same way.

#include "params/param_address.h"

namespace zt {

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

}  // namespace zt
