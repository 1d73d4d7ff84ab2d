#include "ui/widgets/plain_edit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <memory>

#include "ui/widgets/look.h"

namespace zt {

PlainEdit::PlainEdit(QWidget* parent) : QLineEdit(parent) {
    setFont(look::Font(look::kSmallText));
}

void PlainEdit::InsertFiltered(const QString& text) {
    if (isReadOnly()) return;
    QString kept;
    for (const QChar c : text) {
        // Line breaks and other control characters would act as keys (Enter commits).
        if (c.category() == QChar::Other_Control) continue;
        KeyPress press{c};
        emit keyPressed(&press);
        if (!press.swallowed) kept.append(c);
    }
    insert(kept);
}

void PlainEdit::PasteFiltered() {
    if (const QClipboard* clipboard = QGuiApplication::clipboard()) {
        InsertFiltered(clipboard->text(QClipboard::Clipboard));
    }
}

void PlainEdit::mouseReleaseEvent(QMouseEvent* event) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard && clipboard->supportsSelection()) {
        // The middle button pastes the selection of the desktop, filtered like typing.
        deselect();
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        InsertFiltered(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

namespace {

// The character a key types, as the editor's key handlers see it; a null character for keys
// that type nothing (arrows, Delete, function keys).
QChar TypedCharacter(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Backspace:
            return QChar('\b');
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return QChar('\r');
        case Qt::Key_Escape:
            return QChar('\x1b');
        case Qt::Key_Delete:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return QChar();
        default:
            break;
    }
    const QString text = event.text();
    return text.isEmpty() ? QChar() : text.front();
}

// The standard editing shortcuts: they type nothing, so the character filter never sees them.
bool IsEditingShortcut(const QKeyEvent& event) {
    static constexpr QKeySequence::StandardKey kShortcuts[] = {QKeySequence::SelectAll,
                                                               QKeySequence::Copy,
                                                               QKeySequence::Cut,
                                                               QKeySequence::MoveToStartOfLine,
                                                               QKeySequence::MoveToEndOfLine,
                                                               QKeySequence::SelectStartOfLine,
                                                               QKeySequence::SelectEndOfLine,
                                                               QKeySequence::SelectPreviousChar,
                                                               QKeySequence::SelectNextChar,
                                                               QKeySequence::SelectStartOfDocument,
                                                               QKeySequence::SelectEndOfDocument};
    for (const QKeySequence::StandardKey shortcut : kShortcuts) {
        if (event.matches(shortcut)) return true;
    }
    return false;
}

}  // namespace

void PlainEdit::keyPressEvent(QKeyEvent* event) {
    emit keyDown(event->key(), event->modifiers());
    if (event->matches(QKeySequence::Paste)) {
        PasteFiltered();
        event->accept();
        return;
    }
    const QChar character = IsEditingShortcut(*event) ? QChar() : TypedCharacter(*event);
    if (!character.isNull()) {
        KeyPress press{character};
        emit keyPressed(&press);
        if (press.swallowed) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void PlainEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit left();
}

namespace {

// The Paste entry of a line edit's standard menu: its text names the Paste shortcut after a tab,
// or is the toolkit's own (translated) "&Paste".
QAction* PasteActionOf(const QMenu& menu) {
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    const QList<QKeySequence> pasteKeys = QKeySequence::keyBindings(QKeySequence::Paste);
    for (QAction* action : menu.actions()) {
        const QString text = action->text().section(QLatin1Char('\t'), 0, 0);
        const QString shortcut = action->text().section(QLatin1Char('\t'), 1);
        if (text == pasteText) return action;
        for (const QKeySequence& keys : pasteKeys) {
            if (!shortcut.isEmpty() && shortcut == keys.toString(QKeySequence::NativeText)) {
                return action;
            }
        }
    }
    return nullptr;
}

}  // namespace

QMenu* PlainEdit::CreateContextMenu() {
    QMenu* menu = createStandardContextMenu();
    if (QAction* paste = PasteActionOf(*menu)) {
        QObject::disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, &PlainEdit::PasteFiltered);
    }
    return menu;
}

void PlainEdit::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu(CreateContextMenu());
    menu->exec(event->globalPos());
}

void PlainEdit::dropEvent(QDropEvent* event) {
    if (isReadOnly() || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    deselect();
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    InsertFiltered(event->mimeData()->text());
    event->acceptProposedAction();
    setFocus(Qt::MouseFocusReason);
}

void ParkingEdit::focusInEvent(QFocusEvent* event) {
    // QLineEdit's own handling shows the caret and starts its blink timer.
    QWidget::focusInEvent(event);
}

ValueEdit::ValueEdit(QWidget* parent) : PlainEdit(parent) {
    setAlignment(Qt::AlignCenter);
    setBackground(QColor(look::kFace));
}

QColor ValueEdit::background() const {
    return palette().color(QPalette::Base);
}

void ValueEdit::setBackground(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    setPalette(p);
}

}  // namespace zt
