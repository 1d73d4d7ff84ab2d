#include "ui/window/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "ui/window/language.h"

namespace zt {

QtTranslations::~QtTranslations() {
    if (installed_) QCoreApplication::removeTranslator(&translator_);
}

QString QtTranslations::Folder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool QtTranslations::Apply(int language) {
    if (language != kChinese) {
        if (installed_) QCoreApplication::removeTranslator(&translator_);
        installed_ = false;
        return true;
    }
    if (!loaded_) loaded_ = translator_.load(QStringLiteral("qtbase_zh_CN"), Folder());
    if (loaded_ && !installed_) installed_ = QCoreApplication::installTranslator(&translator_);
    return installed_;
}

}  // namespace zt
