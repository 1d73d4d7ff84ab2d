#pragma once
// Where the EQ exchange files come from and go to: the file dialogs, or a script in tests.

#include <QString>
#include <string>

class QWidget;

namespace zt {

// The folder and the file type (dialog filter) of the last export or import, kept between runs.
struct ExchangePlace {
    QString folder;
    QString type;
    bool operator==(const ExchangePlace&) const = default;
};

// Writes `text` as the whole file `name`, replacing it only once everything is written: false
// when it cannot be written, and the file as it was is kept.
bool WriteWholeFile(const QString& name, const std::string& text);

class ExchangeFileChooser {
public:
    virtual ~ExchangeFileChooser() = default;
    // Where the next dialog starts; a chooser without dialogs keeps nothing.
    virtual ExchangePlace lastPlace() const { return {}; }
    virtual void setLastPlace(const ExchangePlace&) {}
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

    ExchangePlace lastPlace() const override { return place_; }
    // A folder that is gone, or a type the dialogs do not offer, is left at its default.
    void setLastPlace(const ExchangePlace& place) override;

private:
    void Remember(const QString& name, const QString& type);
    QString StartFolder() const;

    ExchangePlace place_;  // used last, for the next dialog
};

}  // namespace zt
