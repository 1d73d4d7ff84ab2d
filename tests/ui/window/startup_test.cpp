// The window as the start-up sequence leaves it, and the volume keys.
#include <QAbstractEventDispatcher>
#include <QAbstractSlider>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

#include "link/qt/status_dialog.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/swapping.h"
#include "ui/window/window_chrome.h"
#include "window_fixture.h"

namespace zt {
namespace {

using StartUp = WindowFixture;

TEST_F(StartUp, OpensInEnglishOnTheMusicPage) {
    EXPECT_TRUE(window().startUpComplete());
    EXPECT_EQ(app().language().current(), kEnglish);

    const char* const tabs[] = {"Music", "Dynamic EQ", "MIC A",  "MIC B", "Effect",
                                "Main",  "Surround",   "Center", "SUB",   "Hint"};
    const auto& strip = window().tabStrip();
    for (int tag = 0; tag < kTabCount; ++tag) {
        EXPECT_EQ(strip.tabs[tag]->text(), tabs[tag]);
        EXPECT_EQ(strip.tabs[tag]->selectedLook(), tag == kTabMusic) << tag;
    }
    EXPECT_TRUE(strip.tabs[kTabHint]->isHidden());

    QTabWidget* right = window().advPageControl1();
    ASSERT_EQ(right->count(), 3);
    EXPECT_EQ(right->tabText(0), "Main Volume");
    EXPECT_EQ(right->tabText(1), "Volume Set");
    EXPECT_EQ(right->tabText(2), "System setting");
    EXPECT_EQ(right->currentIndex(), 0);
    EXPECT_TRUE(window().keyPreview());

    EXPECT_EQ(window().formPageItem()->currentIndex(), kSheetMusic);
    EXPECT_EQ(app().channel().currentTab, kTabMusic);
    EXPECT_EQ(app().channel().selectedChannel, 0);
    EXPECT_FALSE(window().graph().copyGrop->isHidden());
    EXPECT_TRUE(window().graph().singleDiscoGrop->isHidden());
    EXPECT_EQ(window().graph().leftBtn->text(), "Left");

    // The language button names the other language and holds the one its click applies.
    EXPECT_FALSE(strip.languageButton->isHidden());
    EXPECT_EQ(strip.languageButton->text(), QStringLiteral("中文"));
    EXPECT_EQ(strip.languageButton->tag(), kChinese);

    // An idle window sleeps: the 10 ms tick runs only while the analyser is on.
    EXPECT_FALSE(app().timer1().isActive());
    EXPECT_EQ(app().timer1().interval(), 10);
}

TEST_F(StartUp, BindsResetsAndRefreshesBeforeTheMusicPage) {
    // The EQ reset of every page refreshes all pages; the music tab then refreshes its page.
    ASSERT_GE(refresher_.pages.size(), 2u);
    EXPECT_EQ(refresher_.pages.front(), kAllPages);
    EXPECT_EQ(refresher_.pages.back(), 0);

    const DeviceImage& image = app().model().image();
    EXPECT_EQ(image.Get(6, 19), 360) << "binding opens the low-pass filters";
    EXPECT_EQ(image.Get(0, 10), 1) << "the EQ reset makes band 1 of music a PEQ";
    EXPECT_EQ(image.Get(0, 12), 120) << "at 0 dB";
    EXPECT_EQ(PropsOf(Get<QWidget>("MusFreEdit1"))->tag(), 0x000B);
}

TEST_F(StartUp, StartsTheLinkSearch) {
    // The port folder is empty: the search is on, and nothing has failed yet.
    EXPECT_TRUE(app().link().searchRunning());
    const auto& strip = window().tabStrip();
    EXPECT_EQ(strip.linkLabel->text(), "Search...");
    EXPECT_EQ(strip.linkLabel->hint(), QStringLiteral("设备搜索..."));
    EXPECT_EQ(strip.linkBtn->text(), "Unlink");
    EXPECT_TRUE(strip.linkBtn->linkedLook());
    EXPECT_TRUE(app().statusDialog().isVisible());
    EXPECT_EQ(app().statusDialog().windowTitle(), "Device Staus");
    EXPECT_EQ(app().statusDialog().linkLabel()->text(), "Search...");
    EXPECT_TRUE(messages_->shown.empty());
}

struct VolumeKey {
    Qt::Key key;
    const char* bar;
    int step;
};

// Brings a normal volume to `value` as a user can: the maximum volumes wide open, then one step
// per change, since a normal volume rises by one step per change.
void SetVolume(const ControlRegistry& registry, QAbstractSlider* bar, int value) {
    for (const char* maximum : {"SysMusMaxVolBar", "SysMicMaxVolBar", "SysEffMaxVolBar"}) {
        registry.Get<QAbstractSlider>(QString::fromLatin1(maximum))->setValue(84);
    }
    while (bar->value() < value) bar->setValue(bar->value() + 1);
    bar->setValue(value);
}

constexpr VolumeKey kVolumeKeys[] = {
    {Qt::Key_Q, "SysMusNormalVolBar", +1}, {Qt::Key_A, "SysMusNormalVolBar", -1},
    {Qt::Key_W, "SysMicNormalVolBar", +1}, {Qt::Key_S, "SysMicNormalVolBar", -1},
    {Qt::Key_E, "SysEffNormalVolBar", +1}, {Qt::Key_D, "SysEffNormalVolBar", -1},
};

TEST_F(StartUp, VolumeKeysStepTheNormalVolumesOnTheFirstSheet) {
    for (const VolumeKey& k : kVolumeKeys) {
        for (Qt::KeyboardModifiers mods : {Qt::NoModifier, Qt::ShiftModifier}) {
            auto* bar = Get<QAbstractSlider>(k.bar);
            SetVolume(app().registry(), bar, 40);
            QTest::keyClick(window().windowHandle(), k.key, mods);
            EXPECT_EQ(bar->value(), 40 + k.step) << k.bar << " key " << k.key;
        }
        // With Ctrl, Alt or Meta held the key is a shortcut (Ctrl+A selects a field's text).
        for (Qt::KeyboardModifiers mods :
             {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::AltModifier),
              Qt::KeyboardModifiers(Qt::MetaModifier)}) {
            auto* bar = Get<QAbstractSlider>(k.bar);
            SetVolume(app().registry(), bar, 40);
            QTest::keyClick(window().windowHandle(), k.key, mods);
            EXPECT_EQ(bar->value(), 40) << k.bar << " key " << k.key << " with " << mods.toInt();
        }
    }
}

TEST_F(StartUp, VolumeKeysReachTheFocusedFieldToo) {
    QLineEdit* field = window().tabStrip().examplexx;
    window().activateWindow();
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }, 20000));
    auto* bar = Get<QAbstractSlider>("SysMusNormalVolBar");
    SetVolume(app().registry(), bar, 10);
    QTest::keyClick(window().windowHandle(), Qt::Key_Q, Qt::NoModifier);
    EXPECT_EQ(bar->value(), 11);
    EXPECT_EQ(field->text(), "q");
}

// Timers running for an edit's caret (its line control child runs them).
qsizetype CaretTimers(const QLineEdit* edit) {
    qsizetype timers = 0;
    for (QObject* child : edit->children()) {
        if (qstrcmp(child->metaObject()->className(), "QWidgetLineControl") == 0) {
            timers += QAbstractEventDispatcher::instance()->registeredTimers(child).size();
        }
    }
    return timers;
}

TEST_F(StartUp, TheParkingFieldTakesTextButStartsNoCaretThatWouldWakeTheWindow) {
    // An ordinary edit with the focus blinks its caret.
    auto* ordinary = new QLineEdit(&window());
    ordinary->setGeometry(10, 10, 60, 20);
    ordinary->show();
    window().activateWindow();
    ordinary->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ordinary->hasFocus(); }, 20000));
    EXPECT_GT(CaretTimers(ordinary), 0);

    QLineEdit* field = window().tabStrip().examplexx;
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }, 20000));
    EXPECT_EQ(CaretTimers(field), 0);
    QTest::keyClick(field, Qt::Key_5);
    EXPECT_TRUE(field->text().endsWith('5')) << field->text().toStdString();
    EXPECT_EQ(CaretTimers(field), 0);
    delete ordinary;
}

TEST_F(StartUp, VolumeKeysAreInertOnTheOtherSheets) {
    for (int sheet : {1, 2}) {
        window().advPageControl1()->setCurrentIndex(sheet);
        EXPECT_FALSE(window().keyPreview());
        for (const VolumeKey& k : kVolumeKeys) {
            auto* bar = Get<QAbstractSlider>(k.bar);
            SetVolume(app().registry(), bar, 40);
            QTest::keyClick(window().windowHandle(), k.key);
            EXPECT_EQ(bar->value(), 40) << k.bar << " on sheet " << sheet;
        }
    }
    window().advPageControl1()->setCurrentIndex(0);
    EXPECT_TRUE(window().keyPreview());
}

}  // namespace
}  // namespace zt
