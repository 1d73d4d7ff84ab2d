#include "ui/undo/edit_history.h"

#include <QUndoCommand>
#include <utility>

namespace zt {

namespace {
constexpr int kStepRunId = 1;
}

// One step: it was applied when the user made the edit, so the push's first redo does nothing.
// A step of a control takes in the next step of the same control made soon after in the same
// view; a run that ends where it began leaves no step.
class EditStep : public QUndoCommand {
public:
    EditStep(EditHistory& history, EditRecord record, const void* stepSource, qint64 madeMs)
        : history_(history), record_(std::move(record)), stepSource_(stepSource), lastMs_(madeMs) {}

    void undo() override { history_.Replay(record_, true); }
    void redo() override {
        if (pushed_) history_.Replay(record_, false);
        pushed_ = true;
    }

    int id() const override { return stepSource_ ? kStepRunId : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const EditStep*>(other);
        if (next->stepSource_ != stepSource_ || next->lastMs_ - lastMs_ > kStepRunGapMs ||
            !SameView(record_.after, next->record_.before)) {
            return false;
        }
        record_.changes = MergeChanges(record_.changes, next->record_.changes);
        record_.after = next->record_.after;
        lastMs_ = next->lastMs_;
        setObsolete(record_.changes.empty());
        return true;
    }

private:
    EditHistory& history_;
    EditRecord record_;
    const void* stepSource_;
    qint64 lastMs_;
    bool pushed_ = false;
};

EditHistory::EditHistory(const DeviceImage& image, EditReplay& replay, QObject* parent)
    : QObject(parent), image_(image), replay_(replay) {
    steady_.start();
    clock_ = [this] { return steady_.elapsed(); };
}

EditHistory::~EditHistory() = default;

void EditHistory::BeginGesture(const void* stepSource) {
    if (replaying_) return;
    if (depth_++ > 0) return;
    snapshot_ = image_;
    viewBefore_ = replay_.CurrentView();
    stepSource_ = stepSource;
    notes_.Clear();
}

void EditHistory::EndGesture() {
    if (replaying_ || depth_ == 0) return;
    if (--depth_ > 0) return;
    EditRecord record{viewBefore_, replay_.CurrentView(), ImageChanges(snapshot_, image_, notes_)};
    notes_.Clear();
    if (record.changes.empty()) return;
    stack_.push(new EditStep(*this, std::move(record), stepSource_, clock_()));
}

void EditHistory::NoteWrite(ParamAddress logical, ParamAddress device, bool sent) {
    if (depth_ > 0 && !replaying_) notes_.Note(logical, device, sent);
}

void EditHistory::ClearHistory() {
    if (replaying_) return;
    stack_.clear();
    if (depth_ > 0) {
        // A gesture still under way starts again from the image that just came in.
        snapshot_ = image_;
        viewBefore_ = replay_.CurrentView();
        notes_.Clear();
    }
}

bool EditHistory::MayReplay() const {
    return depth_ == 0 && !replaying_ && replay_.CanReplay();
}

bool EditHistory::Undo() {
    if (!stack_.canUndo() || !MayReplay()) return false;
    stack_.undo();
    return true;
}

bool EditHistory::Redo() {
    if (!stack_.canRedo() || !MayReplay()) return false;
    stack_.redo();
    return true;
}

void EditHistory::Replay(const EditRecord& record, bool undo) {
    replaying_ = true;
    replay_.Replay(record, undo);
    replaying_ = false;
}

}  // namespace zt
