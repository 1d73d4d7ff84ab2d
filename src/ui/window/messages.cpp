#include "ui/window/messages.h"

#include <QMessageBox>

namespace zt {

void MessageBoxes::Inform(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, owner_);
    box.exec();
}

}  // namespace zt
