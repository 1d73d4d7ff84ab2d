#pragma once
// TForm2, the device status dialog: the link's status text, the port being tried, the transfer
// progress and a note asking for patience. It stays on top of every window at the centre of the
// screen while the link searches or transfers; closing it only hides it.

#include <QDialog>
#include <QString>

class QLabel;

namespace zt {

class LedProgressBar;

class TForm2 : public QDialog {
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);

    // 1 Chinese, 0 English: the window caption and the note.
    void SetLanguage(int language);
    int language() const { return language_; }

    // A copy of the main window's link status text.
    void SetLinkText(const QString& text);
    // The port being tried (initially "COM1").
    void SetPortName(const QString& name);
    // Progress of a transfer: counter / total as a percent.
    void SetProgress(int counter, int total);
    // Shows the dialog in front, centred on the screen the first time.
    void ShowOnTop();

    // counter / total × 100 rounded to the nearest integer, halves to even; 0 when total is 0.
    static int ProgressPercent(int counter, int total);

    QLabel* linkLabel() const { return linkLabel_; }
    QLabel* comLabel() const { return comLabel_; }
    QLabel* warnLabel() const { return warnLabel_; }
    LedProgressBar* progressBar() const { return progress_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* linkLabel_;
    QLabel* comLabel_;
    QLabel* warnLabel_;
    LedProgressBar* progress_;
    int language_ = 1;
    bool placed_ = false;
};

}  // namespace zt
