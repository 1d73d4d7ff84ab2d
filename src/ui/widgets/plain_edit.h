#pragma once
// Edit fields. PlainEdit is a text field whose handlers see every gesture the way the editor
// needs them: a click, each typed character (which a handler may swallow), each key as it goes
// down, and leaving the field. Pasted and dropped text reaches the field character by character
// through the same keyPressed filter as typing; the standard editing shortcuts (select all,
// copy, cut, paste, Home, End, Shift with the arrows) type nothing and pass that filter. ValueEdit
// is the edit of a parameter value: its hint holds the value kind, and its background shows whether
// it is the current or the highlighted edit.

#include <QLineEdit>

class QMenu;

#include "ui/widgets/control_props.h"

namespace zt {

// One typed character on its way into an edit. A handler of keyPressed sets swallowed to keep
// it out of the field. Backspace arrives as '\b', Enter as '\r', Escape as '\x1b'.
struct KeyPress {
    QChar character;
    bool swallowed = false;
};

class PlainEdit : public QLineEdit, public ControlProps {
    Q_OBJECT
public:
    explicit PlainEdit(QWidget* parent = nullptr);

    // Inserts `text` in place of the selection as if it were typed: control characters are
    // dropped and every other character goes through keyPressed.
    void InsertFiltered(const QString& text);
    // Pastes the clipboard's text through the filter.
    void PasteFiltered();
    // The standard context menu of the field, its Paste going through the filter; the caller
    // owns it.
    QMenu* CreateContextMenu();

signals:
    // A left click released over the field.
    void clicked();
    // A key went down, before it reaches the field; the key is never consumed here.
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    // A character is about to be typed into the field.
    void keyPressed(zt::KeyPress* press);
    // The keyboard focus left the field.
    void left();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// The edit that holds the keyboard focus out of sight (Examplexx). It takes typed text like any
// edit but starts no caret: a caret nobody can see would blink on, waking the idle window twice
// a second for a repaint of nothing.
class ParkingEdit : public PlainEdit {
    Q_OBJECT
public:
    using PlainEdit::PlainEdit;

protected:
    void focusInEvent(QFocusEvent* event) override;
};

class ValueEdit : public PlainEdit {
    Q_OBJECT
public:
    explicit ValueEdit(QWidget* parent = nullptr);

    // Background of the field: white normally, grey while current or highlighted.
    QColor background() const;
    void setBackground(const QColor& colour);
};

}  // namespace zt
