#pragma once
// Qt's own texts (the standard buttons of message boxes, the file dialog) in the language of
// the editor: Debian's Qt translation package for Chinese, Qt's built-in English otherwise.

#include <QString>
#include <QTranslator>

namespace zt {

class QtTranslations {
public:
    QtTranslations() = default;
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;
    ~QtTranslations();

    // Follows the editor's language (1 Chinese, 0 English). Without the translation files Qt's
    // texts stay English. False when Chinese was asked for and could not be loaded.
    bool Apply(int language);
    bool chineseLoaded() const { return installed_; }

    // Where Qt's translation files are looked for.
    static QString Folder();

private:
    QTranslator translator_;
    bool loaded_ = false;
    bool installed_ = false;
};

}  // namespace zt
