#include "ui/window/messages.h"

#include <QMessageBox>

namespace zt {

void MessageBoxes::Inform(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, owner_);
    box.exec();
}

void MessageBoxes::Warn(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, owner_);
    box.exec();
}

bool MessageBoxes::Ask(const QString& text, const QString& caption, AskButtons buttons) {
    const bool yesNo = buttons == AskButtons::YesNo;
    const QMessageBox::StandardButton accept = yesNo ? QMessageBox::Yes : QMessageBox::Ok;
    const QMessageBox::StandardButton decline = yesNo ? QMessageBox::No : QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, caption, text, accept | decline, owner_);
    box.setDefaultButton(decline);
    return box.exec() == accept;
}

}  // namespace zt
