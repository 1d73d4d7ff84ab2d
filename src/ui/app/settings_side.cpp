#include "ui/app/settings_side.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include "link/qt/link_window.h"
#include "ui/app/editing_side.h"
#include "ui/app/editor_app.h"
#include "ui/app/spectrum_side.h"
#include "ui/exchange/eq_exchange_side.h"
#include "ui/widgets/swapping.h"

namespace zt {
namespace {

constexpr int kPlaceSaveDelayMs = 500;

QList<QRect> AvailableScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
    return areas;
}

}  // namespace

SettingsSide::SettingsSide(EditorApp& app, SettingsFile file)
    : app_(app), file_(std::move(file)), loaded_(file_.Load()), lastPort_(loaded_.lastPort) {
    // The start-up applies the language in the language button's tag.
    app_.window().tabStrip().languageButton->setTag(loaded_.language);
    app_.SetPreferredPort(loaded_.lastPort.toStdString());
    if (loaded_.lowTrigger != app_.spectrum().display().lowTrigger()) {
        app_.spectrum().OnPinDCFBtnClick();
    }
    app_.link().SetReadBackEnabled(loaded_.readBack);
    placeSave_.setSingleShot(true);
    placeSave_.setInterval(kPlaceSaveDelayMs);
    Wire();
}

void SettingsSide::Wire() {
    TForm1& window = app_.window();
    connect(&placeSave_, &QTimer::timeout, this, [this] { SaveNow(); });
    window.installEventFilter(this);
    // The EQ exchange is made by the start-up sequence, which runs first.
    connect(&window, &TForm1::firstShown, this, [this] {
        if (ExchangeFileChooser* chooser = Chooser()) {
            chooser->setLastPlace({loaded_.exchangeFolder, loaded_.exchangeType});
        }
    });
    // These run after the editor's own handlers of the same signals.
    connect(&window, &TForm1::closing, this, [this] { SaveNow(); });
    connect(window.tabStrip().languageButton, &QAbstractButton::clicked, this,
            [this] { SaveNow(); });
    if (auto* lowTrigger = app_.registry().Find(QStringLiteral("PinDCFBtn"))) {
        if (auto* button = qobject_cast<QAbstractButton*>(lowTrigger)) {
            connect(button, &QAbstractButton::clicked, this, [this] { SaveNow(); });
        }
    }
    // The read-back switch of the link's status line.
    app_.linkView().OfferReadBackSwitch([this](bool on) {
        app_.link().SetReadBackEnabled(on);
        SaveNow();
    });
    // The hold timer runs while the link is up: its first tick online names the port.
    connect(&app_.linkWindow().holdTimer(), &QTimer::timeout, this,
            [this] { NoteAnsweringPort(); });
}

ExchangeFileChooser* SettingsSide::Chooser() const {
    if (!app_.window().startUpComplete()) return nullptr;
    return &app_.editing().exchange().fileChooser();
}

void SettingsSide::NoteAnsweringPort() {
    LinkEngine& link = app_.link();
    if (!link.linkOnline()) return;
    const int index = link.portIndex();
    if (index < 0 || index >= static_cast<int>(link.portNames().size())) return;
    const QString port = QString::fromStdString(link.portNames()[index]);
    if (port == lastPort_) return;
    lastPort_ = port;
    SaveNow();
}

void SettingsSide::ShowWindow() {
    TForm1& window = app_.window();
    if (!loaded_.windowPlace) {
        app_.Show();
    } else {
        window.setGeometry(PlaceOnScreens(*loaded_.windowPlace, AvailableScreenAreas()));
        window.show();
    }
    if (loaded_.maximised && !window.isMaximisedByUs()) window.ToggleMaximised();
}

EditorSettings SettingsSide::Capture() const {
    const TForm1& window = app_.window();
    EditorSettings now;
    now.language = app_.language().current();
    if (window.isVisible()) {
        now.windowPlace = window.restoredGeometry();
    } else {
        now.windowPlace = loaded_.windowPlace;
    }
    now.maximised = window.isMaximisedByUs();
    now.lastPort = lastPort_;
    now.lowTrigger = app_.spectrum().display().lowTrigger();
    now.readBack = app_.link().readBackEnabled();
    const ExchangeFileChooser* chooser = Chooser();
    const ExchangePlace place = chooser
                                    ? chooser->lastPlace()
                                    : ExchangePlace{loaded_.exchangeFolder, loaded_.exchangeType};
    now.exchangeFolder = place.folder;
    now.exchangeType = place.type;
    return now;
}

void SettingsSide::SaveNow() {
    placeSave_.stop();
    // A file that cannot be written leaves the editor as it is; the next change tries again.
    file_.Save(Capture());
}

bool SettingsSide::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &app_.window() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        if (app_.window().isVisible()) placeSave_.start();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zt
