#include "ui/window/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

#include "ui/window/window_geometry.h"

namespace zt {
namespace {

// Bounds of a stored window: larger values are not a window any screen shows.
constexpr int kMinWindowSide = 100;
constexpr int kMaxWindowSide = 16384;
constexpr int kMaxCoordinate = 65536;
constexpr int kMaxTextLength = 4096;
// How much of the title strip a screen must show for the window to be grabbed and moved.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 10;

std::optional<int> IntIn(const QSettings& s, const QString& key, int low, int high) {
    bool ok = false;
    const int value = s.value(key).toString().trimmed().toInt(&ok);
    if (!ok || value < low || value > high) return std::nullopt;
    return value;
}

std::optional<bool> Bool(const QSettings& s, const QString& key) {
    const QString text = s.value(key).toString().trimmed().toLower();
    if (text == QLatin1String("true")) return true;
    if (text == QLatin1String("false")) return false;
    return std::nullopt;
}

// A stored text without control characters and of a sane length, else empty.
QString Text(const QSettings& s, const QString& key) {
    const QVariant value = s.value(key);
    if (value.typeId() != QMetaType::QString) return {};
    const QString text = value.toString();
    if (text.size() > kMaxTextLength) return {};
    const bool clean = std::none_of(text.begin(), text.end(),
                                    [](QChar c) { return c.category() == QChar::Other_Control; });
    return clean ? text : QString();
}

std::optional<QRect> WindowPlace(const QSettings& s) {
    const auto x = IntIn(s, QStringLiteral("window/x"), -kMaxCoordinate, kMaxCoordinate);
    const auto y = IntIn(s, QStringLiteral("window/y"), -kMaxCoordinate, kMaxCoordinate);
    const auto width = IntIn(s, QStringLiteral("window/width"), kMinWindowSide, kMaxWindowSide);
    const auto height = IntIn(s, QStringLiteral("window/height"), kMinWindowSide, kMaxWindowSide);
    if (!x || !y || !width || !height) return std::nullopt;
    return QRect(*x, *y, *width, *height);
}

long long RectArea(const QRect& rect) {
    return rect.isEmpty() ? 0 : static_cast<long long>(rect.width()) * rect.height();
}

// Squared distance between the centres of two rectangles.
long long Distance(const QRect& a, const QRect& b) {
    const QPoint d = a.center() - b.center();
    return static_cast<long long>(d.x()) * d.x() + static_cast<long long>(d.y()) * d.y();
}

}  // namespace

QString SettingsFile::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/zt461/zt461-editor.conf");
}

EditorSettings SettingsFile::Load() const {
    EditorSettings settings;
    const QFileInfo info(path_);
    if (!info.isFile()) return settings;
    const QSettings s(path_, QSettings::IniFormat);
    if (s.status() != QSettings::NoError) return settings;

    if (const auto language = IntIn(s, QStringLiteral("window/language"), 0, 1)) {
        settings.language = *language;
    }
    settings.windowPlace = WindowPlace(s);
    settings.maximised = Bool(s, QStringLiteral("window/maximised")).value_or(false);
    settings.lastPort = Text(s, QStringLiteral("link/lastPort"));
    settings.lowTrigger = Bool(s, QStringLiteral("spectrum/lowTrigger")).value_or(false);
    const QString folder = Text(s, QStringLiteral("exchange/folder"));
    if (QDir::isAbsolutePath(folder)) settings.exchangeFolder = folder;
    settings.exchangeType = Text(s, QStringLiteral("exchange/type"));
    settings.readBack = Bool(s, QStringLiteral("link/readBack")).value_or(true);
    return settings;
}

bool SettingsFile::Save(const EditorSettings& settings) const {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSettings s(path_, QSettings::IniFormat);
    // Whatever a damaged file held goes; only the editor's own keys are written.
    s.clear();
    s.setValue(QStringLiteral("window/language"), settings.language);
    if (settings.windowPlace) {
        const QRect& place = *settings.windowPlace;
        s.setValue(QStringLiteral("window/x"), place.x());
        s.setValue(QStringLiteral("window/y"), place.y());
        s.setValue(QStringLiteral("window/width"), place.width());
        s.setValue(QStringLiteral("window/height"), place.height());
    }
    s.setValue(QStringLiteral("window/maximised"), settings.maximised);
    if (!settings.lastPort.isEmpty())
        s.setValue(QStringLiteral("link/lastPort"), settings.lastPort);
    s.setValue(QStringLiteral("spectrum/lowTrigger"), settings.lowTrigger);
    s.setValue(QStringLiteral("link/readBack"), settings.readBack);
    if (!settings.exchangeFolder.isEmpty()) {
        s.setValue(QStringLiteral("exchange/folder"), settings.exchangeFolder);
    }
    if (!settings.exchangeType.isEmpty()) {
        s.setValue(QStringLiteral("exchange/type"), settings.exchangeType);
    }
    s.sync();
    // A damaged file read before keeps its format error in the status; the write itself is
    // what counts.
    return s.status() != QSettings::AccessError;
}

QRect PlaceOnScreens(const QRect& place, const QList<QRect>& screens) {
    if (screens.isEmpty()) return place;
    const QRect titleStrip(place.x(), place.y(), place.width(), kTitleStripHeight);
    for (const QRect& screen : screens) {
        const QRect shown = titleStrip.intersected(screen);
        if (shown.width() >= std::min(kGrabWidth, place.width()) && shown.height() >= kGrabHeight) {
            return place;
        }
    }
    // The screen that shows most of the window; where none shows any, the nearest one.
    const QRect* target = &screens.front();
    for (const QRect& screen : screens) {
        const long long area = RectArea(place.intersected(screen));
        const long long best = RectArea(place.intersected(*target));
        if (area > best ||
            (area == 0 && best == 0 && Distance(place, screen) < Distance(place, *target))) {
            target = &screen;
        }
    }
    QRect moved(place.topLeft(), place.size().boundedTo(target->size()));
    moved.moveLeft(std::clamp(moved.left(), target->left(), target->right() - moved.width() + 1));
    moved.moveTop(std::clamp(moved.top(), target->top(), target->bottom() - moved.height() + 1));
    return moved;
}

}  // namespace zt
