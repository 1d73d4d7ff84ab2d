#include "ui/exchange/exchange_files.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace zt {
namespace {

const QString kFilter = QStringLiteral("EQ (*.txt);;* (*)");

}  // namespace

QString DialogFileChooser::SaveFileName(QWidget* parent, const QString& caption,
                                        const QString& suggested) {
    const QString start = (folder_.isEmpty() ? QDir::homePath() : folder_) + "/" + suggested;
    const QString name = QFileDialog::getSaveFileName(parent, caption, start, kFilter);
    if (!name.isEmpty()) folder_ = QFileInfo(name).absolutePath();
    return name;
}

QString DialogFileChooser::OpenFileName(QWidget* parent, const QString& caption) {
    const QString name = QFileDialog::getOpenFileName(
        parent, caption, folder_.isEmpty() ? QDir::homePath() : folder_, kFilter);
    if (!name.isEmpty()) folder_ = QFileInfo(name).absolutePath();
    return name;
}

}  // namespace zt
