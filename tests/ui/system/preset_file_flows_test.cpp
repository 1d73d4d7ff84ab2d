// The preset files of the PC on the system sheet: the file list, saving the device image to a
// file and loading a file into the image and the processor.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <fstream>

#include "presets/preset_format.h"
#include "presets/preset_messages.h"
#include "presets/preset_scramble.h"
#include "system_fixture.h"
#include "ui/widgets/track_bar.h"

namespace zt {
namespace {

using Question = RecordingMessages::Question;

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// Entry line n of a preset file, as plain text.
std::string EntryLine(ParamAddress address, int value, int n) {
    return std::to_string(address ^ n) + " " + std::to_string(value ^ n);
}

class PresetFileFlowsTest : public SystemFixture {
protected:
    const PresetFolders& folders() { return app().presetFolders(); }
    QTableWidget* list() { return Get<QTableWidget>("ValueListEditor1"); }
    QLineEdit* fileEdit() { return Get<QLineEdit>("FileEdit"); }

    std::vector<QString> Column(int column) {
        std::vector<QString> texts;
        for (int row = 0; row < list()->rowCount(); ++row) {
            texts.push_back(list()->item(row, column)->text());
        }
        return texts;
    }

    // A preset file of an image that differs from the one in the editor: the music EQ gains.
    void PutPresetFile(const std::string& name, int gain) {
        DeviceImage image = app().model().image();
        for (int band = 0; band < 15; ++band) image.Set(0, 12 + 5 * band, gain);
        WriteFile(folders().PresetFile(name), PresetFileText(image));
    }
    bool ImageHoldsGain(int gain) {
        for (int band = 0; band < 15; ++band) {
            if (app().model().image().Get(0, 12 + 5 * band) != gain) return false;
        }
        return true;
    }
};

TEST_F(PresetFileFlowsTest, TheListShowsEveryPresetFileInNameOrderWithoutRegardToCase) {
    for (const char* file : {"beta.Nddt", "Alpha.Nddt", "gamma.Nddt", "Beta.Nddt", "notes.txt",
                             "old.Nddt.bak", "half.Ntmp", "gamma-2.Nddt"}) {
        WriteFile(folders().presetFolder / file, "x");
    }
    std::filesystem::create_directory(folders().presetFolder / "folder.Nddt");
    system().presetFiles().ListPresetFiles();
    // Whole file names are compared: "-" sorts before the extension's ".".
    EXPECT_EQ(Column(0), (std::vector<QString>{"0", "1", "2", "3", "4"}));
    EXPECT_EQ(Column(1), (std::vector<QString>{"Alpha", "Beta", "beta", "gamma-2", "gamma"}));
    EXPECT_EQ(fileEdit()->text(), "Alpha");
    EXPECT_EQ(list()->horizontalHeaderItem(0)->text(), "NO.");
    EXPECT_EQ(list()->horizontalHeaderItem(1)->text(), "File Name");

    // A click copies the row's name; typing in the list changes nothing.
    emit list()->cellClicked(4, 0);
    EXPECT_EQ(fileEdit()->text(), "gamma");
    list()->setCurrentCell(4, 1);
    for (const char* keys : {"a", "B", "0"}) QTest::keyClicks(list(), keys);
    EXPECT_EQ(list()->currentRow(), 4);
    EXPECT_EQ(Column(1), (std::vector<QString>{"Alpha", "Beta", "beta", "gamma-2", "gamma"}));
    EXPECT_EQ(fileEdit()->text(), "gamma");
}

TEST_F(PresetFileFlowsTest, SavingUnderAnExistingNameAsksOnce) {
    struct Case {
        int language;
        bool answer;
        QString question;
        QString caption;
    };
    const Case cases[] = {
        {kEnglish, false, "File already exists, overwrite it right?", "*Confirm*"},
        {kChinese, false, QStringLiteral("文件已存在,覆盖它吗?"), QStringLiteral("*系统提示*")},
        {kEnglish, true, "File already exists, overwrite it right?", "*Confirm*"},
    };
    fileEdit()->setText("Studio");
    Click("RzBmpButton120");
    EXPECT_TRUE(messages_->asked.empty()) << "a new name is saved unasked";
    const std::string saved = ReadFile(folders().PresetFile("Studio"));
    ASSERT_EQ(saved, PresetFileText(app().model().image()));
    EXPECT_EQ(Column(1), std::vector<QString>{"Studio"});

    app().model().image().Set(0, 12, 150);
    for (const Case& c : cases) {
        app().languageSwitch().SetLanguage(c.language);
        messages_->asked.clear();
        messages_->answers = {c.answer};
        fileEdit()->setText("Studio");
        Click("RzBmpButton120");
        EXPECT_EQ(messages_->asked,
                  (std::vector<Question>{{c.question, c.caption, AskButtons::OkCancel}}));
        EXPECT_EQ(ReadFile(folders().PresetFile("Studio")) == saved, !c.answer);
    }
    EXPECT_EQ(ReadFile(folders().PresetFile("Studio")), PresetFileText(app().model().image()));
    EXPECT_EQ(fileEdit()->text(), "Studio");
}

TEST_F(PresetFileFlowsTest, AFileAddedSinceTheListWasFilledIsNotOverwrittenUnasked) {
    PutPresetFile("Outside", 100);
    const std::string before = ReadFile(folders().PresetFile("Outside"));
    fileEdit()->setText("Outside");
    messages_->answers = {false};
    Click("RzBmpButton120");
    EXPECT_EQ(messages_->asked.size(), 1u);
    EXPECT_EQ(ReadFile(folders().PresetFile("Outside")), before);
}

// Saving under an empty name does nothing; loading one asks, then says the name is no file name.
TEST_F(PresetFileFlowsTest, AnEmptyNameSavesNothingAndLoadsNothing) {
    fileEdit()->clear();
    Click("RzBmpButton120");
    EXPECT_TRUE(messages_->asked.empty());
    EXPECT_TRUE(messages_->shown.empty());
    const DeviceImage image = app().model().image();
    messages_->answers.push_back(true);
    Click("RzBmpButton119");
    ASSERT_EQ(messages_->asked.size(), 1u);
    EXPECT_EQ(messages_->asked[0].text, "Load File Data： ?");
    ASSERT_EQ(messages_->shown.size(), 1u);
    // The message, then the name typed (none).
    EXPECT_EQ(messages_->shown[0].first,
              QString::fromStdString(kInvalidFileNameText.english + "\n\"\""));
    EXPECT_EQ(app().model().image(), image);
    EXPECT_TRUE(std::filesystem::is_empty(folders().presetFolder));
}

TEST_F(PresetFileFlowsTest, LoadingOffLineAsksThenShowsTheFileOnTheWindow) {
    PutPresetFile("Bright", 150);
    struct Case {
        int language;
        bool answer;
        QString question;
    };
    const Case cases[] = {
        {kChinese, false, QStringLiteral("加载模式：Bright ?")},
        {kEnglish, true, QStringLiteral("Load File Data：Bright ?")},
    };
    for (const Case& c : cases) {
        app().languageSwitch().SetLanguage(c.language);
        messages_->asked.clear();
        messages_->answers = {c.answer};
        refresher_.pages.clear();
        fileEdit()->setText("Bright");
        Click("RzBmpButton119");
        const QString caption = c.language == kChinese ? QStringLiteral("确认") : "Confirm";
        EXPECT_EQ(messages_->asked,
                  (std::vector<Question>{{c.question, caption, AskButtons::YesNo}}));
        EXPECT_EQ(ImageHoldsGain(150), c.answer);
    }
    // Every page is shown anew (which also starts the undo history again); the music page
    // shows the loaded gains.
    EXPECT_NE(std::find(refresher_.pages.begin(), refresher_.pages.end(), kAllPages),
              refresher_.pages.end());
    EXPECT_EQ(Get<TrackBar>("MusEQGainBar1")->value(), 150);
    EXPECT_TRUE(messages_->shown.empty());
}

TEST_F(PresetFileFlowsTest, ADamagedOrMissingFileChangesNothing) {
    PutPresetFile("Good", 150);
    const std::vector<std::string> lines = Lines(ReadFile(folders().PresetFile("Good")));
    std::vector<std::string> badCount = lines;
    badCount.erase(badCount.begin() + 10);  // an entry line less
    std::vector<std::string> badChecksum = lines;
    badChecksum[20] = ScrambleLine(EntryLine(MakeAddress(0, 18), 7, 20));  // another value
    std::vector<std::string> badHex = lines;
    badHex[30][4] = 'G';
    struct Case {
        const char* name;
        std::string bytes;
        QString message;
    };
    const Case cases[] = {
        {"Count", Joined(badCount), "Data file is corrupted!"},
        {"Checksum", Joined(badChecksum), "Data file is corrupted!"},
        {"Hex", Joined(badHex), "File format error!"},
        {"Missing", "", "File not find!"},
    };
    const DeviceImage before = app().model().image();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.bytes.empty()) WriteFile(folders().PresetFile(c.name), c.bytes);
        messages_->shown.clear();
        messages_->answers = {true};
        fileEdit()->setText(c.name);
        Click("RzBmpButton119");
        ASSERT_EQ(messages_->shown.size(), 1u);
        // The message, then the file it is about.
        const QString file = QString::fromStdString(folders().PresetFile(c.name).string());
        EXPECT_EQ(messages_->shown[0].first, c.message + "\n" + file);
        EXPECT_EQ(messages_->shown[0].second, QString::fromLatin1(kApplicationTitle));
        // A damaged file carries the warning sign; a missing one is only a message.
        EXPECT_EQ(messages_->warned.size(), std::string(c.name) == "Missing" ? 0u : 1u);
        messages_->warned.clear();
        EXPECT_TRUE(app().model().image() == before);
    }
}

TEST_F(PresetFileFlowsTest, LoadingOnlineUploadsTheFileToTheProcessor) {
    PutPresetFile("Bright", 150);
    LinkNow();
    // An edit still waiting for its acknowledgement must not undo part of the upload.
    app().link().WriteParameterPaced(0x000C, 90);
    app().link().WriteParameter(0x0011, 90);
    messages_->answers = {true};
    fileEdit()->setText("Bright");
    Click("RzBmpButton119");
    EXPECT_EQ(window().tabStrip().linkLabel->text(), "Download...");
    ASSERT_TRUE(DriveOnline());
    ASSERT_TRUE(WaitFor([&] { return app().link().settled(); }, 20000));
    QTest::qWait(50);
    EXPECT_TRUE(ImageHoldsGain(150));
    for (int page = 0; page < kTransferPageCount; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            ASSERT_EQ(sim_.processor().memory().Get(page, slot),
                      app().model().image().Get(page, slot))
                << page << "/" << slot;
        }
    }
    EXPECT_EQ(Get<TrackBar>("MusEQGainBar1")->value(), 150);
    EXPECT_TRUE(messages_->shown.empty());
}

// An installed program: its own presets lie beside it in a folder this run cannot write, so
// the run keeps its files in a folder of its own.
TEST_F(PresetFileFlowsTest, ASharedFolderBesideTheProgramIsListedAndLoadedNeverWritten) {
    const std::filesystem::path shared =
        std::filesystem::path(runtime_.path().toStdString()) / "program" / "Mode" / "KMode";
    std::filesystem::create_directories(shared);
    DeviceImage image = app().model().image();
    for (int band = 0; band < 15; ++band) image.Set(0, 12 + 5 * band, 160);
    WriteFile(shared / "Hall.Nddt", PresetFileText(image));
    WriteFile(shared / "Club.Nddt", PresetFileText(image));
    PutPresetFile("Club", 100);  // the run's own file of that name comes first
    app().SetSharedPresetFolder(shared);
    app().system().presetFiles().ListPresetFiles();
    EXPECT_EQ(Column(1), (std::vector<QString>{"Club", "Hall"}));
    EXPECT_EQ(list()->item(1, 1)->toolTip().toStdString(), (shared / "Hall.Nddt").string());

    messages_->answers = {true, true};
    fileEdit()->setText("Hall");
    Click("RzBmpButton119");
    EXPECT_TRUE(ImageHoldsGain(160));
    fileEdit()->setText("Club");
    Click("RzBmpButton119");
    EXPECT_TRUE(ImageHoldsGain(100));
    EXPECT_TRUE(messages_->shown.empty());

    // Saving under a shared name asks nothing (nothing is replaced), writes the run's folder
    // and says where the file went.
    const std::string sharedHall = ReadFile(shared / "Hall.Nddt");
    messages_->asked.clear();
    fileEdit()->setText("Hall");
    Click("RzBmpButton120");
    EXPECT_TRUE(messages_->asked.empty());
    EXPECT_EQ(ReadFile(shared / "Hall.Nddt"), sharedHall);
    const std::filesystem::path saved = folders().presetFolder / "Hall.Nddt";
    EXPECT_EQ(ReadFile(saved), PresetFileText(app().model().image()));
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].first.toStdString(), "File saved to: " + saved.string());
    EXPECT_EQ(list()->item(1, 1)->toolTip().toStdString(), saved.string());
}

TEST_F(PresetFileFlowsTest, TheListFollowsItsFolderAndKeepsWhatWasTyped) {
    PutPresetFile("Bar", 100);
    app().system().presetFiles().ListPresetFiles();
    ASSERT_EQ(Column(1), std::vector<QString>{"Bar"});
    fileEdit()->setText("Typing");
    // A file copied in shows at once; a removed one goes.
    PutPresetFile("Aula", 120);
    ASSERT_TRUE(WaitFor([&] { return Column(1).size() == 2; }, 5000)) << "the list stays";
    EXPECT_EQ(Column(1), (std::vector<QString>{"Aula", "Bar"}));
    EXPECT_EQ(list()->item(list()->currentRow(), 1)->text(), "Bar") << "the chosen row stays";
    EXPECT_EQ(fileEdit()->text(), "Typing");
    std::filesystem::remove(folders().PresetFile("Bar"));
    ASSERT_TRUE(WaitFor([&] { return Column(1).size() == 1; }, 5000));
    EXPECT_EQ(Column(1), std::vector<QString>{"Aula"});
    EXPECT_EQ(fileEdit()->text(), "Typing");
}

TEST_F(PresetFileFlowsTest, TheListShowsSixRowsAtATime) {
    for (const char* name : {"A", "B", "C", "D", "E", "F", "G", "H"}) PutPresetFile(name, 100);
    app().system().presetFiles().ListPresetFiles();
    window().advPageControl1()->setCurrentIndex(2);  // the system sheet
    QApplication::processEvents();
    ASSERT_TRUE(list()->isVisible());
    int whole = 0;
    for (int row = 0; row < list()->rowCount(); ++row) {
        const int top = list()->rowViewportPosition(row);
        if (top >= 0 && top + list()->rowHeight(row) <= list()->viewport()->height()) ++whole;
    }
    EXPECT_GE(whole, 6);
}

TEST_F(PresetFileFlowsTest, OpenFileLoadsAPresetKeptAnywhere) {
    const std::filesystem::path elsewhere =
        std::filesystem::path(runtime_.path().toStdString()) / "elsewhere";
    std::filesystem::create_directories(elsewhere);
    DeviceImage image = app().model().image();
    for (int band = 0; band < 15; ++band) image.Set(0, 12 + 5 * band, 130);
    WriteFile(elsewhere / "Stage.Nddt", PresetFileText(image));
    WriteFile(elsewhere / "Broken.Nddt", "not a preset");
    QString startedIn;
    QString chosen;
    app().system().presetFiles().SetPresetFileChooser([&](const QString& folder) {
        startedIn = folder;
        return chosen;
    });
    // Cancelled: nothing happens.
    Click("OpenPresetFileBtn");
    EXPECT_EQ(startedIn.toStdString(), folders().presetFolder.string());
    EXPECT_TRUE(messages_->shown.empty());

    chosen = QString::fromStdString((elsewhere / "Stage.Nddt").string());
    Click("OpenPresetFileBtn");
    EXPECT_TRUE(ImageHoldsGain(130));
    EXPECT_EQ(Get<TrackBar>("MusEQGainBar1")->value(), 130);
    EXPECT_TRUE(messages_->shown.empty());

    chosen = QString::fromStdString((elsewhere / "Broken.Nddt").string());
    Click("OpenPresetFileBtn");
    ASSERT_EQ(messages_->warned.size(), 1u);
    EXPECT_TRUE(messages_->warned[0].endsWith(chosen)) << messages_->warned[0].toStdString();
    EXPECT_TRUE(ImageHoldsGain(130));
}

}  // namespace
}  // namespace zt
