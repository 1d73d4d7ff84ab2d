#pragma once
// The editor's settings between runs, kept with QSettings in an INI file in the user's
// configuration folder: the language, the window's place and size (and whether it was
// maximised), the port that answered last, the spectrum's low-trigger ("Normal") range and the
// folder and file type of the last EQ export or import, and whether the link reads values
// back. A missing, unreadable or damaged file,
// or a value out of its range, gives the defaults: the start never stops over settings.

#include <QList>
#include <QRect>
#include <QString>
#include <optional>

namespace zt {

struct EditorSettings {
    int language = 0;  // 1 Chinese, 0 English: the window opens in English
    // The window's normal (not maximised) place and size; none: the middle of the screen.
    std::optional<QRect> windowPlace;
    bool maximised = false;
    QString lastPort;         // the port whose processor answered last; tried first
    bool lowTrigger = false;  // the spectrum's low-trigger range (PinDCFBtn)
    QString exchangeFolder;   // the folder of the last EQ export or import
    QString exchangeType;     // the file type (dialog filter) chosen then
    bool readBack = true;     // the link checks the processor's values after edits

    bool operator==(const EditorSettings&) const = default;
};

class SettingsFile {
public:
    explicit SettingsFile(QString path) : path_(std::move(path)) {}

    // $XDG_CONFIG_HOME/zt461/zt461-editor.conf, ~/.config when the variable is unset.
    static QString DefaultPath();

    const QString& path() const { return path_; }

    // The stored settings; every value that is missing or out of range keeps its default, and
    // a file that cannot be read or parsed gives the defaults throughout.
    EditorSettings Load() const;
    // Replaces the file's content with the settings; false when it could not be written.
    bool Save(const EditorSettings& settings) const;

private:
    QString path_;
};

// A window place that no screen shows enough of to grab (at least a piece of its title strip)
// is moved onto the screen it overlaps most, else the nearest, and shrunk to fit that screen;
// any other place is kept. `screens` are the screens' available areas.
QRect PlaceOnScreens(const QRect& place, const QList<QRect>& screens);

}  // namespace zt
