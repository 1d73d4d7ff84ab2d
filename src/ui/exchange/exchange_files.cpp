#include "ui/exchange/exchange_files.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

namespace zt {

bool WriteWholeFile(const QString& name, const std::string& text) {
    QSaveFile file(name);
    return file.open(QIODevice::WriteOnly) &&
           file.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size()) &&
           file.commit();
}
namespace {

const QString kFilter = QStringLiteral("EQ (*.txt);;* (*)");

}  // namespace

void DialogFileChooser::setLastPlace(const ExchangePlace& place) {
    place_ = {};
    if (!place.folder.isEmpty() && QFileInfo(place.folder).isDir()) place_.folder = place.folder;
    if (kFilter.split(QStringLiteral(";;")).contains(place.type)) place_.type = place.type;
}

void DialogFileChooser::Remember(const QString& name, const QString& type) {
    if (name.isEmpty()) return;
    place_.folder = QFileInfo(name).absolutePath();
    if (!type.isEmpty()) place_.type = type;
}

QString DialogFileChooser::StartFolder() const {
    return place_.folder.isEmpty() ? QDir::homePath() : place_.folder;
}

QString DialogFileChooser::SaveFileName(QWidget* parent, const QString& caption,
                                        const QString& suggested) {
    QString type = place_.type;
    const QString name = QFileDialog::getSaveFileName(
        parent, caption, StartFolder() + "/" + suggested, kFilter, &type);
    Remember(name, type);
    return name;
}

QString DialogFileChooser::OpenFileName(QWidget* parent, const QString& caption) {
    QString type = place_.type;
    const QString name =
        QFileDialog::getOpenFileName(parent, caption, StartFolder(), kFilter, &type);
    Remember(name, type);
    return name;
}

}  // namespace zt
