#include "ui/widgets/selector.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QWheelEvent>

#include "ui/widgets/look.h"

namespace zt {

Selector::Selector(QWidget* parent) : QComboBox(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setFont(look::Font(look::kSmallText));
}

Selector::Selector(const QStringList& items, QWidget* parent) : Selector(parent) {
    addItems(items);
}

bool Selector::PopupMade() const {
    // The list's frame is the selector's one child frame.
    return findChild<QFrame*>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
}

void Selector::changeEvent(QEvent* event) {
    // A combo box hands a new font to its list at once and so makes the list; one not made yet
    // takes the font when it first opens. The font is set before the size is first asked for,
    // so no size is kept for the old one.
    if (event->type() == QEvent::FontChange && !PopupMade()) {
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}

void Selector::showPopup() {
    QWidget* popup = view()->window();
    if (popup->font() != font()) popup->setFont(font());
    QComboBox::showPopup();
}

void Selector::wheelEvent(QWheelEvent* event) {
    if (hasFocus()) {
        QComboBox::wheelEvent(event);
    } else {
        event->ignore();
    }
}

}  // namespace zt
