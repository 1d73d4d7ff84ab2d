#pragma once
// The edit history of the window: every gesture of the user that changes parameters becomes one
// step of a QUndoStack, holding processor addresses and values and the view the user stood in.
// Steps are found by comparing the device image before and after the gesture, so a reset or a
// copy between sides is one step however many values it writes, and nothing a handler does can
// slip past the history. Undo and redo hand a step to the window's replay, which applies the
// values as the user would have.

#include <QElapsedTimer>
#include <QObject>
#include <QUndoStack>
#include <functional>

#include "params/image_changes.h"
#include "params/selection.h"
#include "ui/editing/editing_ports.h"
#include "ui/state/navigator.h"

namespace zt {

struct EditRecord {
    EditView before;
    EditView after;
    std::vector<ParamChange> changes;
};

// The window's side of the history.
class EditReplay {
public:
    virtual ~EditReplay() = default;
    virtual EditView CurrentView() const = 0;
    // False while the window takes no edits (the panel lock is up).
    virtual bool CanReplay() const = 0;
    // Applies the values before (undo) or after (redo) the record's changes and ends in the view
    // the user had before (undo) or after (redo) the edit.
    virtual void Replay(const EditRecord& record, bool undo) = 0;
};

// Steps of one control (wheel notches, arrow keys, spin button clicks) that follow each other
// within this time, in the same view, are one step of the history.
inline constexpr qint64 kStepRunGapMs = 1000;

class EditHistory : public QObject, public EditRecorder {
    Q_OBJECT
public:
    EditHistory(const DeviceImage& image, EditReplay& replay, QObject* parent = nullptr);
    ~EditHistory() override;

    // The milliseconds that tell whether control steps follow each other; a steady clock unless
    // a test steps its own.
    void SetClock(std::function<qint64()> clock) { clock_ = std::move(clock); }

    void BeginGesture(const void* stepSource) override;
    void EndGesture() override;
    void NoteWrite(ParamAddress logical, ParamAddress device, bool sent) override;
    void ClearHistory() override;

    // Undo or redo the next step; false when there is none, a gesture is still under way or the
    // window takes no edits now.
    bool Undo();
    bool Redo();

    QUndoStack& stack() { return stack_; }
    const QUndoStack& stack() const { return stack_; }
    bool gestureOpen() const { return depth_ > 0; }

private:
    friend class EditStep;
    void Replay(const EditRecord& record, bool undo);
    bool MayReplay() const;

    const DeviceImage& image_;
    EditReplay& replay_;
    QUndoStack stack_;
    int depth_ = 0;
    bool replaying_ = false;
    DeviceImage snapshot_;
    EditView viewBefore_;
    const void* stepSource_ = nullptr;
    WriteNotes notes_;
    QElapsedTimer steady_;
    std::function<qint64()> clock_;
};

}  // namespace zt
