#include "ui/widgets/selector.h"

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

void Selector::wheelEvent(QWheelEvent* event) {
    if (hasFocus()) {
        QComboBox::wheelEvent(event);
    } else {
        event->ignore();
    }
}

}  // namespace zt
