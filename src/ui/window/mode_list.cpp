#include "ui/window/mode_list.h"

#include <QComboBox>
#include <QLineEdit>

#include "presets/mode_names.h"

namespace zt {

void ShowModeItems(QComboBox* box, const std::vector<std::string>& items) {
    const int index = box->currentIndex();
    box->clear();
    for (const std::string& item : items) box->addItem(QString::fromStdString(item));
    box->setCurrentIndex(index < box->count() ? index : -1);
}

void ShowChosenMode(QComboBox* box, QLineEdit* nameEdit, int index) {
    box->setCurrentIndex(index);
    if (nameEdit) {
        nameEdit->setText(
            QString::fromStdString(ModeNamePart(box->currentText().toStdString(), index)));
    }
}

}  // namespace zt
