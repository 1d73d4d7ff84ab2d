// The editor's settings between runs: the file's round trip and its failures, a window place
// brought back onto a screen, and the settings at work in a whole editor.
#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "ui/app/editing_side.h"
#include "ui/app/settings_side.h"
#include "ui/app/spectrum_side.h"
#include "ui/exchange/eq_exchange_side.h"
#include "ui/widgets/swapping.h"
#include "ui/window/window_fixture.h"
#include "ui/window/window_link_view.h"

namespace zt {
namespace {

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

EditorSettings EverySettingChanged(const QString& folder) {
    EditorSettings s;
    s.language = kChinese;
    s.windowPlace = QRect(-40, 30, 1300, 700);
    s.maximised = true;
    s.lastPort = QStringLiteral("ttyUSB1");
    s.lowTrigger = true;
    s.exchangeFolder = folder;
    s.exchangeType = QStringLiteral("* (*)");
    s.readBack = false;
    return s;
}

TEST(SettingsFileTest, FreshRoundTripDamagedAndUnreadable) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("config/zt461/zt461-editor.conf");
    const EditorSettings defaults;
    EXPECT_EQ(SettingsFile(path).Load(), defaults) << "no file yet";

    const EditorSettings changed = EverySettingChanged(dir.path());
    ASSERT_TRUE(SettingsFile(path).Save(changed));
    EXPECT_EQ(SettingsFile(path).Load(), changed);

    struct Case {
        const char* name;
        QByteArray bytes;
        EditorSettings expected;
    };
    EditorSettings onlyGoodValues;
    onlyGoodValues.lastPort = QStringLiteral("ZT461-SIM");
    EditorSettings beforeTheCut;
    beforeTheCut.language = kChinese;
    const Case cases[] = {
        {"binary noise", QByteArray("\x01\xff\xfe[[[\0=\n=\0", 12), defaults},
        // The parser reads on; the value cut short is left at its default.
        {"cut in a value", QByteArray("[window]\nlanguage=1\nx=5\0\0\0", 26), beforeTheCut},
        {"values out of range",
         "[window]\nlanguage=7\nx=10\ny=10\nwidth=5\nheight=600\nmaximised=perhaps\n"
         "[link]\nlastPort=ZT461-SIM\n[spectrum]\nlowTrigger=2\n"
         "[exchange]\nfolder=relative/folder\n",
         onlyGoodValues},
        {"empty", "", defaults},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, c.bytes);
        EXPECT_EQ(SettingsFile(path).Load(), c.expected);
        // The next save replaces the damage with a clean file.
        ASSERT_TRUE(SettingsFile(path).Save(changed));
        EXPECT_EQ(SettingsFile(path).Load(), changed);
    }

    // A folder where the file should be cannot be read (nor written): defaults, no stop.
    const QString folderInstead = dir.filePath("folder.conf");
    ASSERT_TRUE(QDir().mkpath(folderInstead));
    EXPECT_EQ(SettingsFile(folderInstead).Load(), defaults);
    EXPECT_FALSE(SettingsFile(folderInstead).Save(changed));
}

TEST(PlaceOnScreensTest, APlaceNoScreenShowsIsBroughtBack) {
    const QRect left(0, 0, 1920, 1050);     // available area, a task bar below
    const QRect right(1920, 0, 1280, 800);  // a second screen to the right
    const QList<QRect> two{left, right};
    struct Case {
        const char* name;
        QRect place;
        QList<QRect> screens;
        QRect expected;
    };
    const Case cases[] = {
        {"on the first screen", {100, 100, 1206, 611}, two, {100, 100, 1206, 611}},
        {"across both screens", {1500, 50, 1206, 611}, two, {1500, 50, 1206, 611}},
        {"title strip partly above but grabbable",
         {100, -10, 1206, 611},
         two,
         {100, -10, 1206, 611}},
        {"on a screen that is gone", {3400, 100, 1206, 611}, two, {1994, 100, 1206, 611}},
        {"far left", {-5000, 200, 1206, 611}, two, {0, 200, 1206, 611}},
        {"title strip above every screen", {300, -600, 1206, 611}, two, {300, 0, 1206, 611}},
        {"below the task bar", {300, 1045, 1206, 611}, two, {300, 439, 1206, 611}},
        {"larger than the screen it lands on", {4000, 0, 1600, 900}, {right}, {1920, 0, 1280, 800}},
        {"no screens known", {9000, 9000, 1206, 611}, {}, {9000, 9000, 1206, 611}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlaceOnScreens(c.place, c.screens), c.expected);
    }
}

// A whole editor, offscreen, whose settings live in a file of the test's own.
class SettingsSideTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        savedRuntime_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", dir_.path().toUtf8());
        path_ = dir_.filePath("zt461-editor.conf");
    }
    void TearDown() override {
        side_.reset();
        app_.reset();
        qputenv("XDG_RUNTIME_DIR", savedRuntime_);
    }

    void Start() {
        auto messages = std::make_unique<RecordingMessages>();
        app_ = std::make_unique<EditorApp>(std::move(messages));
        app_->SetPresetBaseFolder(dir_.path().toStdString());
        side_ = std::make_unique<SettingsSide>(*app_, SettingsFile(path_));
        side_->ShowWindow();
    }
    void Restart() {
        side_.reset();
        app_.reset();
        Start();
    }
    EditorSettings Stored() const { return SettingsFile(path_).Load(); }

    QTemporaryDir dir_;
    QByteArray savedRuntime_;
    QString path_;
    std::unique_ptr<EditorApp> app_;
    std::unique_ptr<SettingsSide> side_;
};

TEST_F(SettingsSideTest, AFreshStartOpensInEnglishInTheMiddleAndWritesNothing) {
    Start();
    EXPECT_EQ(app_->language().current(), kEnglish);
    EXPECT_FALSE(app_->spectrum().display().lowTrigger());
    EXPECT_TRUE(app_->link().readBackEnabled());
    EXPECT_FALSE(app_->window().isMaximisedByUs());
    EXPECT_FALSE(QFile::exists(path_));
}

TEST_F(SettingsSideTest, StoredSettingsAreInPlaceAfterTheStart) {
    EditorSettings stored = EverySettingChanged(dir_.path());
    stored.maximised = false;
    stored.windowPlace = QRect(20, 30, 1206, 611);
    ASSERT_TRUE(SettingsFile(path_).Save(stored));
    Start();
    EXPECT_EQ(app_->language().current(), kChinese);
    EXPECT_EQ(app_->window().tabStrip().tabs[kTabMusic]->text(), QStringLiteral("音乐"));
    EXPECT_EQ(app_->window().geometry(), *stored.windowPlace);
    EXPECT_TRUE(app_->spectrum().display().lowTrigger());
    EXPECT_FALSE(app_->link().readBackEnabled());
    EXPECT_EQ(app_->editing().exchange().fileChooser().lastPlace(),
              (ExchangePlace{dir_.path(), QStringLiteral("* (*)")}));
    // The language button switches to the other language next.
    EXPECT_EQ(app_->window().tabStrip().languageButton->tag(), kEnglish);
    // Nothing changed, so closing writes the same back.
    app_->window().close();
    EXPECT_EQ(Stored(), stored);
}

TEST_F(SettingsSideTest, ChangesAreWrittenAndKeptAcrossARestart) {
    Start();
    app_->window().tabStrip().languageButton->click();  // to Chinese
    EXPECT_EQ(Stored().language, kChinese);
    app_->registry().Get<QAbstractButton>(QStringLiteral("PinDCFBtn"))->click();
    EXPECT_TRUE(Stored().lowTrigger);
    // The read-back switch in the status line's menu: on by default, off when chosen.
    QAction* readBack = app_->linkView().readBackSwitch();
    EXPECT_TRUE(readBack->isChecked());
    EXPECT_EQ(readBack->text(), QStringLiteral("编辑后回读核对设备参数"));
    readBack->trigger();
    EXPECT_FALSE(app_->link().readBackEnabled());
    EXPECT_FALSE(readBack->isChecked());
    EXPECT_FALSE(Stored().readBack);
    app_->window().move(60, 70);
    app_->window().ToggleMaximised();
    app_->window().close();
    EXPECT_TRUE(Stored().maximised);

    Restart();
    EXPECT_EQ(app_->language().current(), kChinese);
    EXPECT_TRUE(app_->spectrum().display().lowTrigger());
    EXPECT_TRUE(app_->window().isMaximisedByUs());
    EXPECT_FALSE(app_->link().readBackEnabled());
    app_->linkView().readBackSwitch()->trigger();
    EXPECT_TRUE(app_->link().readBackEnabled());
    EXPECT_TRUE(Stored().readBack);
    // Restoring returns to the place the window had before it was maximised.
    app_->window().ToggleMaximised();
    EXPECT_EQ(app_->window().pos(), QPoint(60, 70));
}

TEST_F(SettingsSideTest, AMovedWindowIsWrittenOnceTheMovesEnd) {
    Start();
    for (int x = 10; x <= 50; x += 10) app_->window().move(x, 40);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(path_); }, 3000));
    ASSERT_TRUE(Stored().windowPlace.has_value());
    EXPECT_EQ(Stored().windowPlace->topLeft(), QPoint(50, 40));
}

TEST_F(SettingsSideTest, AnOffScreenPlaceIsBroughtBackAndADamagedFileGivesDefaults) {
    EditorSettings stored;
    stored.windowPlace = QRect(30000, 30000, 1206, 611);
    ASSERT_TRUE(SettingsFile(path_).Save(stored));
    Start();
    const QRect screen = app_->window().screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(app_->window().geometry()))
        << app_->window().geometry().x() << "," << app_->window().geometry().y();
    Restart();

    WriteBytes(path_, QByteArray("\0\0garbage\xff", 11));
    Restart();
    EXPECT_EQ(app_->language().current(), kEnglish);
    EXPECT_FALSE(app_->spectrum().display().lowTrigger());
}

}  // namespace
}  // namespace zt
