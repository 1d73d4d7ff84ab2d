#pragma once
// Where the EQ exchange files come from and go to: the file dialogs, or a script in tests.

#include <QString>

class QWidget;

namespace zt {

class ExchangeFileChooser {
public:
    virtual ~ExchangeFileChooser() = default;
    // The file to export to, or empty when the user cancels.
    virtual QString SaveFileName(QWidget* parent, const QString& caption,
                                 const QString& suggested) = 0;
    // The file to import, or empty when the user cancels.
    virtual QString OpenFileName(QWidget* parent, const QString& caption) = 0;
};

class DialogFileChooser : public ExchangeFileChooser {
public:
    QString SaveFileName(QWidget* parent, const QString& caption,
                         const QString& suggested) override;
    QString OpenFileName(QWidget* parent, const QString& caption) override;

private:
    QString folder_;  // the folder used last, for the next dialog
};

}  // namespace zt
