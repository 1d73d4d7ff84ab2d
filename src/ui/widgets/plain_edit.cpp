#include "ui/widgets/plain_edit.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/widgets/look.h"

namespace zt {

PlainEdit::PlainEdit(QWidget* parent) : QLineEdit(parent) {
    setFont(look::Font(look::kSmallText));
}

void PlainEdit::mouseReleaseEvent(QMouseEvent* event) {
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

}  // namespace

void PlainEdit::keyPressEvent(QKeyEvent* event) {
    emit keyDown(event->key(), event->modifiers());
    const QChar character = TypedCharacter(*event);
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
