#include "ui/undo/undo_controls.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QToolTip>

#include "ui/undo/edit_history.h"
#include "ui/widgets/control_registry.h"
#include "ui/widgets/look.h"
#include "ui/window/language.h"
#include "ui/window/window_geometry.h"

namespace zt {
namespace {

// The three window buttons at the right end of the title strip are this wide each.
constexpr int kWindowButtonsWidth = 3 * 30;
constexpr int kGapBeforeWindowButtons = 6;

bool IsUndoKey(const QKeyEvent* key) {
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
           key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
           key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);
}

}  // namespace

UndoButton::UndoButton(Direction direction, const Language& language, QWidget* parent)
    : QAbstractButton(parent), direction_(direction), language_(language) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setAttribute(Qt::WA_Hover);
    resize(sizeHint());
}

QString UndoButton::toolTipText() const {
    return direction_ == Direction::Undo
               ? language_.Pick("撤销 (Ctrl+Z)", "Undo (Ctrl+Z)")
               : language_.Pick("重做 (Ctrl+Y, Ctrl+Shift+Z)", "Redo (Ctrl+Y, Ctrl+Shift+Z)");
}

bool UndoButton::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::ToolTip:
            // Always in the language shown now; a language switch needs nothing of its own.
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), toolTipText(), this);
            return true;
        case QEvent::HoverEnter:
            hovered_ = true;
            update();
            break;
        case QEvent::HoverLeave:
            hovered_ = false;
            update();
            break;
        default:
            break;
    }
    return QAbstractButton::event(event);
}

void UndoButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (isEnabled() && (isDown() || hovered_)) {
        p.fillRect(rect().adjusted(0, 0, 0, -2),
                   isDown() ? QColor(look::kAccent).darker(120) : QColor(look::kAccent));
    }
    const QColor ink = isEnabled() ? QColor(Qt::white) : QColor(110, 112, 118);
    p.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    // An arc with its arrow head on the left (undo) or mirrored to the right (redo).
    const double cx = width() / 2.0;
    const double cy = (height() - 2) / 2.0 + 1;
    if (direction_ == Direction::Redo) {
        p.translate(2 * cx, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.moveTo(cx - 4.5, cy - 2);
    arc.lineTo(cx + 1.5, cy - 2);
    arc.arcTo(QRectF(cx - 2, cy - 2, 7, 7), 90, -180);
    arc.lineTo(cx - 2.5, cy + 5);
    p.drawPath(arc);
    p.drawPolyline(
        QPolygonF({QPointF(cx - 2, cy - 5), QPointF(cx - 5, cy - 2), QPointF(cx - 2, cy + 1)}));
}

UndoControls::UndoControls(QWidget* window, QWidget* client, ControlRegistry& registry,
                           const Language& language, EditHistory& history)
    : window_(window),
      client_(client),
      history_(history),
      undo_(new UndoButton(UndoButton::Direction::Undo, language, client)),
      redo_(new UndoButton(UndoButton::Direction::Redo, language, client)) {
    undo_->setObjectName(QStringLiteral("UndoBtn"));
    redo_->setObjectName(QStringLiteral("RedoBtn"));
    registry.Add(undo_);
    registry.Add(redo_);
    connect(undo_, &QAbstractButton::clicked, this, &UndoControls::Undo);
    connect(redo_, &QAbstractButton::clicked, this, &UndoControls::Redo);

    const auto add = [this](const QKeySequence& keys, bool undo) {
        auto* key = new QShortcut(keys, window_);
        key->setContext(Qt::WindowShortcut);
        connect(key, &QShortcut::activated, this, [this, undo] { undo ? Undo() : Redo(); });
    };
    add(QKeySequence(Qt::CTRL | Qt::Key_Z), true);
    add(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), false);
    add(QKeySequence(Qt::CTRL | Qt::Key_Y), false);

    const QUndoStack& stack = history_.stack();
    connect(&stack, &QUndoStack::canUndoChanged, this, &UndoControls::UpdateEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, this, &UndoControls::UpdateEnabled);
    UpdateEnabled();

    client_->installEventFilter(this);
    // The value edits take Ctrl+Z for their own text; in this window the edit history has it.
    qApp->installEventFilter(this);
    Place();
}

void UndoControls::EnterPendingTyping() {
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == window_ && qobject_cast<QLineEdit*>(focus)) focus->clearFocus();
}

void UndoControls::Undo() {
    EnterPendingTyping();
    history_.Undo();
}

void UndoControls::Redo() {
    EnterPendingTyping();
    history_.Redo();
}

void UndoControls::UpdateEnabled() {
    const bool takesEdits = !takesEdits_ || takesEdits_();
    undo_->setEnabled(takesEdits && history_.stack().canUndo());
    redo_->setEnabled(takesEdits && history_.stack().canRedo());
}

void UndoControls::Place() {
    const int right = client_->width() - kWindowButtonsWidth - kGapBeforeWindowButtons;
    const QSize size = undo_->sizeHint();
    redo_->setGeometry(right - size.width(), 0, size.width(), kTitleStripHeight);
    undo_->setGeometry(right - 2 * size.width(), 0, size.width(), kTitleStripHeight);
    undo_->raise();
    redo_->raise();
}

bool UndoControls::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        Place();
    } else if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
               static_cast<QWidget*>(watched)->window() == window_ &&
               IsUndoKey(static_cast<QKeyEvent*>(event))) {
        // Left unaccepted, the key goes on to the window's shortcuts instead of the edit.
        event->ignore();
        return true;
    }
    return false;
}

}  // namespace zt
