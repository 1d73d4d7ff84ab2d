#pragma once
// The editor's settings at work: read once before the window is shown and put in place (the
// language the start-up applies, the window's place, the port the search tries first, the
// spectrum's range, the EQ exchange dialogs' folder and type), and written back whenever one
// of them changes and when the window closes.

#include <QObject>
#include <QTimer>

#include "ui/window/settings_store.h"

namespace zt {

class EditorApp;
class ExchangeFileChooser;

class SettingsSide : public QObject {
    Q_OBJECT
public:
    // Reads the file and prepares the editor, which is made but not yet shown.
    SettingsSide(EditorApp& app, SettingsFile file);

    // Shows the main window at its stored place, brought onto a screen, and maximised when it
    // was; without a stored place, in the middle of its screen.
    void ShowWindow();

    // What was read at the start.
    const EditorSettings& loaded() const { return loaded_; }
    // The editor's settings as they are now.
    EditorSettings Capture() const;
    // Writes the settings as they are now.
    void SaveNow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Wire();
    void NoteAnsweringPort();
    // The EQ exchange's file chooser; none before the start-up sequence has made it.
    ExchangeFileChooser* Chooser() const;

    EditorApp& app_;
    SettingsFile file_;
    EditorSettings loaded_;
    QString lastPort_;
    // Moving the window by hand gives many moves; one write follows them.
    QTimer placeSave_;
};

}  // namespace zt
