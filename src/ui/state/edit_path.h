#pragma once
// The one way a parameter value of the window changes: set (address, raw value, how it is
// sent). It stores the value once, notes it for the edit history, hands it to the link through
// the window's door (which the panel lock closes) and tells every view that follows the stores
// with one changed event per value set.
//
// While something only shows stored values again (a page refresh, a click that selects a field),
// a ShowOnly scope is open: values are stored and shown but nothing is sent, and the panel lock
// does not refuse them.

#include <QObject>

#include "params/param_model.h"
#include "ui/state/edit_recorder.h"
#include "ui/state/window_writes.h"

namespace zt {

class EditPath : public QObject, public PacedParamWriter {
    Q_OBJECT

public:
    enum class Send {
        Now,    // stored, then sent or queued for the processor at once
        Paced,  // stored, then sent after the processor acknowledged the frame before
        Never,  // stored only, to show it: not noted as a write
    };

    EditPath(ParamModel& model, WindowWrites& writes) : model_(model), writes_(writes) {}

    // The history that notes every value set; null notes nothing.
    void SetRecorder(EditRecorder* recorder) { recorder_ = recorder; }

    // Whether a value may be set now: not while the panel lock holds the window, unless it is
    // only shown.
    bool TakesEdits() const { return showing() || writes_.Admits(); }
    bool showing() const { return showOnly_ > 0; }

    // Stores `raw` at logical address `a` and sends it as `send` says (never while a ShowOnly
    // scope is open). False, with nothing stored, when the window takes no edit now.
    bool Set(ParamAddress a, int raw, Send send = Send::Now);

    // A paced write of a replayed or generated run of values (an EQ reset).
    void WriteParameterPaced(ParamAddress logical, int value) override {
        Set(logical, value, Send::Paced);
    }

    class ShowOnly {
    public:
        explicit ShowOnly(EditPath& path) : path_(path) { ++path_.showOnly_; }
        ~ShowOnly() { --path_.showOnly_; }
        ShowOnly(const ShowOnly&) = delete;
        ShowOnly& operator=(const ShowOnly&) = delete;

    private:
        EditPath& path_;
    };

signals:
    // A value was sent, or a stored value changed. Views redraw from the stores on it.
    void changed(int address);

private:
    ParamModel& model_;
    WindowWrites& writes_;
    EditRecorder* recorder_ = nullptr;
    int showOnly_ = 0;
};

}  // namespace zt
