// Modes and preset files over a real serial line: the zt461-sim program on a pseudo-terminal
// and the editor's whole window. A mode saved under a name holds the sound of the moment and
// comes back when loaded; a preset file saved to the PC and loaded again puts its image into
// the processor; a damaged file changes neither the image nor the processor.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <fstream>

#include "link/protocol.h"
#include "params/page_table.h"
#include "presets/preset_format.h"
#include "sim/sim_state_dump.h"
#include "tests/support/link_driver.h"
#include "tests/support/sim_run.h"
#include "ui/app/editor_app.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/track_bar.h"

namespace zt::test {
namespace {

// Answers every question with the next scripted answer (Yes when none is left) and keeps the
// messages.
class ScriptedMessages : public WindowMessages {
public:
    void Inform(const QString& text, const QString&) override { shown.push_back(text); }
    bool Ask(const QString&, const QString&, AskButtons) override {
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<QString> shown;
    std::deque<bool> answers;
};

constexpr ParamAddress kMusicGain1 = 0x000C;  // gain of the first music EQ band

class ModesOverPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(presets.isValid());
        ASSERT_TRUE(sim.Start());
        auto scripted = std::make_unique<ScriptedMessages>();
        messages = scripted.get();
        app = std::make_unique<EditorApp>(std::move(scripted));
        app->SetPresetBaseFolder(presets.path().toStdString());
        app->Show();
        // The first link runs on the editor's own timers.
        ASSERT_TRUE(WaitFor([this] { return app->link().linkOnline(); }, 30000))
            << "no link to the simulator";
    }
    void TearDown() override { app.reset(); }

    template <typename T>
    T* Get(const char* name) {
        return app->registry().Get<T>(QString::fromLatin1(name));
    }
    void Click(const char* name) { Get<QAbstractButton>(name)->click(); }

    // Lets the link send what waits, then reads what the processor holds.
    SimState Settle() {
        EXPECT_TRUE(WaitFor([this] { return app->link().settled(); }, 20000));
        QTest::qWait(100);
        SimState state;
        EXPECT_TRUE(sim.Dump(state));
        return state;
    }
    void SetMusicGain(int raw) { Get<TrackBar>("MusEQGainBar1")->setValue(raw); }
    int ImageGain() { return app->model().image().Get(kMusicGain1); }

    void BecomeManager() {
        Get<PlainEdit>("SysPassEdit")->setText("123456");
        Click("RzBmpButton118");
        Click("SysManagerBtn");
        ASSERT_EQ(app->model().store().Get(kAddrManagerFlag), 1);
    }
    void LoadMode(int index) {
        auto* box = Get<Selector>("SysModeBox");
        box->setCurrentIndex(index);
        emit box->activated(index);
        Click("SysLoadModeBtn");
        ASSERT_TRUE(DriveThroughTransfer(app->link())) << "no download after loading " << index;
    }

    QTemporaryDir presets;
    SimRun sim{{}};
    std::unique_ptr<EditorApp> app;
    ScriptedMessages* messages = nullptr;
};

TEST_F(ModesOverPty, ASavedModeKeepsItsNameAndValuesAndComesBackWhenLoaded) {
    BecomeManager();
    SetMusicGain(150);
    auto* box = Get<Selector>("SysModeBox");
    box->setCurrentIndex(9);
    emit box->activated(9);
    Get<PlainEdit>("PresetModeEdit")->setText("Live Room");
    Click("SysSaveModeBtn");
    ASSERT_TRUE(WaitFor([this] { return !messages->shown.empty(); }, 20000));
    EXPECT_EQ(messages->shown.back(), "Save Success!");

    SimState state = Settle();
    EXPECT_EQ(state.modeNames[9], "Live Room");
    EXPECT_EQ(state.memory.Get(kMusicGain1), 150);
    EXPECT_EQ(box->itemText(9), "10-Live Room");

    // Another mode: the editor downloads it and shows its values.
    LoadMode(0);
    EXPECT_EQ(ImageGain(), Settle().memory.Get(kMusicGain1));
    EXPECT_NE(ImageGain(), 150);
    EXPECT_EQ(box->currentIndex(), 0);

    // The saved mode again: its values are back, in the processor and on the window.
    LoadMode(9);
    state = Settle();
    EXPECT_EQ(state.memory.Get(kMusicGain1), 150);
    EXPECT_EQ(ImageGain(), 150);
    EXPECT_EQ(Get<TrackBar>("MusEQGainBar1")->value(), 150);
    EXPECT_EQ(box->currentText(), "10-Live Room");
    EXPECT_EQ(Get<PlainEdit>("PresetModeEdit")->text(), "Live Room");
}

// Every value of a preset file that an upload carries: pages 0..24 (the file also holds the
// slot after each page's last, which no transfer carries) and 0x1E14.
void ExpectFileValuesEqual(const PageMemory& processor, const DeviceImage& image) {
    for (int page = 0; page < kPresetPageCount; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            ASSERT_EQ(processor.Get(page, slot), image.Get(page, slot)) << page << "/" << slot;
        }
    }
    EXPECT_EQ(processor.Get(kPresetExtraAddress), image.Get(kPresetExtraAddress));
}

TEST_F(ModesOverPty, APresetFileGoesBackIntoTheProcessorAndADamagedOneChangesNothing) {
    SetMusicGain(140);
    Settle();
    Get<QLineEdit>("FileEdit")->setText("Show");
    Click("RzBmpButton120");
    const std::string fileName = app->presetFolders().PresetFile("Show").string();
    const DeviceImage saved = app->model().image();

    SetMusicGain(60);
    Get<TrackBar>("MusHPFREBar")->setValue(100);
    ASSERT_EQ(Settle().memory.Get(kMusicGain1), 60);

    Get<QLineEdit>("FileEdit")->setText("Show");
    Click("RzBmpButton119");
    ASSERT_TRUE(DriveThroughTransfer(app->link()));
    SimState state = Settle();
    EXPECT_EQ(state.memory.Get(kMusicGain1), 140);
    ExpectFileValuesEqual(state.memory, saved);
    ExpectFileValuesEqual(state.memory, app->model().image());
    EXPECT_EQ(Get<TrackBar>("MusEQGainBar1")->value(), 140);

    // Damaged copies: a line less (count), a changed value (checksum), a pair that is no hex.
    std::ifstream in(fileName, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);  // keeps the CR
    auto write = [&](const char* name, std::vector<std::string> copy) {
        std::ofstream out(app->presetFolders().PresetFile(name), std::ios::binary);
        for (const std::string& line : copy) out << line << '\n';
    };
    std::vector<std::string> shorter = lines;
    shorter.erase(shorter.begin() + 40);
    std::vector<std::string> changed = lines;
    changed[40][0] = changed[40][0] == '0' ? '1' : '0';
    std::vector<std::string> notHex = lines;
    notHex[40][1] = 'x';
    write("Count", shorter);
    write("Checksum", changed);
    write("Hex", notHex);

    SetMusicGain(90);
    const SimState before = Settle();
    const DeviceImage imageBefore = app->model().image();
    for (const char* name : {"Count", "Checksum", "Hex"}) {
        messages->shown.clear();
        Get<QLineEdit>("FileEdit")->setText(name);
        Click("RzBmpButton119");
        EXPECT_EQ(messages->shown.size(), 1u) << name;
        EXPECT_TRUE(app->model().image() == imageBefore) << name;
        EXPECT_FALSE(app->link().transferRunning()) << name;
    }
    EXPECT_TRUE(Settle().memory == before.memory);
}

}  // namespace
}  // namespace zt::test
