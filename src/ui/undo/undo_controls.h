#pragma once
// The undo and redo of the window: two small buttons in the title strip, left of the window
// buttons, with a tooltip in the current language, enabled only while there is something to
// undo or redo; and the keys Ctrl+Z (undo), Ctrl+Shift+Z and Ctrl+Y (redo) anywhere in the
// window, value edits included.

#include <QAbstractButton>
#include <QObject>
#include <functional>

#include "ui/widgets/control_props.h"

namespace zt {

class ControlRegistry;
class EditHistory;
class Language;

// UndoBtn and RedoBtn: an arrow turning left or right.
class UndoButton : public QAbstractButton, public ControlProps {
    Q_OBJECT
public:
    enum class Direction { Undo, Redo };
    UndoButton(Direction direction, const Language& language, QWidget* parent);

    Direction direction() const { return direction_; }
    // The tooltip in the current language.
    QString toolTipText() const;

    QSize sizeHint() const override { return {22, 23}; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    Direction direction_;
    const Language& language_;
    bool hovered_ = false;
};

class UndoControls : public QObject {
    Q_OBJECT
public:
    // `client` is the window's client area holding the title strip; the buttons keep their
    // place at its right end whenever it changes size.
    UndoControls(QWidget* window, QWidget* client, ControlRegistry& registry,
                 const Language& language, EditHistory& history);

    // Whether the window takes edits now (not while the panel lock holds it); the arrows look
    // disabled when it does not. Without one it always does.
    void SetTakesEdits(std::function<bool()> takesEdits) { takesEdits_ = std::move(takesEdits); }
    // Enables each arrow while the window takes edits and there is something to undo or redo.
    void UpdateEnabled();

    UndoButton* undoButton() const { return undo_; }
    UndoButton* redoButton() const { return redo_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();
    // A value typed but not yet entered is entered first (its field loses the focus), so that
    // undo takes back the typing as its own step.
    void EnterPendingTyping();
    void Undo();
    void Redo();

    QWidget* window_;
    QWidget* client_;
    EditHistory& history_;
    UndoButton* undo_;
    UndoButton* redo_;
    std::function<bool()> takesEdits_;
};

}  // namespace zt
