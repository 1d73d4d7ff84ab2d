#include "presets/qt/preset_base_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <functional>

#include "tests/presets/temp_folder.h"

namespace zt {
namespace {

namespace fs = std::filesystem;

class PresetBaseFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("zt461-test"));
        QCoreApplication::setApplicationName(QStringLiteral("presets"));
        dataFolder =
            ToFilesystemPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        ASSERT_FALSE(dataFolder.empty());
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dataFolder, ignored);
        fs::remove(dataFolder.parent_path(), ignored);  // the organisation's folder, if empty
        QStandardPaths::setTestModeEnabled(false);
    }

    static QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

    test::TempFolder temp;
    fs::path dataFolder;
};

TEST_F(PresetBaseFolderTest, ExecutableFolderThatCanHoldPresetsIsKept) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> arrange;
    };
    const Case cases[] = {
        {"empty folder", [](const fs::path&) {}},
        {"mode root present", [](const fs::path& exe) { fs::create_directory(exe / "Mode"); }},
        {"preset folder present",
         [](const fs::path& exe) { fs::create_directories(exe / "Mode" / "KMode"); }},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path exe = temp.path() / std::to_string(n++);
        fs::create_directory(exe);
        c.arrange(exe);
        EXPECT_EQ(ChoosePresetBaseFolder(Q(exe)), exe);
        // The probe leaves nothing behind.
        for (const auto& entry : fs::recursive_directory_iterator(exe)) {
            EXPECT_EQ(entry.path().filename().string().find("probe"), std::string::npos);
        }
    }
}

TEST_F(PresetBaseFolderTest, ExecutableFolderThatCannotHoldPresetsGivesWayToAppData) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> arrange;
        bool needsOrdinaryUser;  // permission bits do not stop the administrator
    };
    const Case cases[] = {
        {"mode root is a file", [](const fs::path& exe) { test::WriteBytes(exe / "Mode", "x"); },
         false},
        {"preset folder is a file",
         [](const fs::path& exe) {
             fs::create_directory(exe / "Mode");
             test::WriteBytes(exe / "Mode" / "KMode", "x");
         },
         false},
        {"folder does not exist", [](const fs::path& exe) { fs::remove(exe); }, false},
        {"read-only folder",
         [](const fs::path& exe) {
             fs::permissions(exe, fs::perms::owner_read | fs::perms::owner_exec);
         },
         true},
        {"read-only preset folder",
         [](const fs::path& exe) {
             fs::create_directories(exe / "Mode" / "KMode");
             fs::permissions(exe / "Mode" / "KMode", fs::perms::owner_read | fs::perms::owner_exec);
         },
         true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsOrdinaryUser && geteuid() == 0) continue;
        const fs::path exe = temp.path() / std::to_string(n++);
        fs::create_directory(exe);
        c.arrange(exe);
        fs::remove_all(dataFolder);
        EXPECT_EQ(ChoosePresetBaseFolder(Q(exe)), dataFolder);
        EXPECT_TRUE(fs::is_directory(dataFolder));
        // Put the bits back so that the folder can be removed.
        std::error_code ignored;
        for (const fs::path& folder : {exe, exe / "Mode" / "KMode"}) {
            fs::permissions(folder, fs::perms::owner_all, ignored);
        }
    }
}

TEST_F(PresetBaseFolderTest, StartUpUsesTheRunningProgramsFolder) {
    int argc = 1;
    char name[] = "test_presets";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const PresetFolders folders = PresetFoldersAtStartUp();
    const QString programFolder = QCoreApplication::applicationDirPath();
    // The build folder is writable for its owner; another user gets the data folder.
    const fs::path expected =
        CanHoldPresets(programFolder) ? ToFilesystemPath(programFolder) : dataFolder;
    EXPECT_EQ(folders.applicationFolder, expected);
    EXPECT_EQ(folders.presetFolder, expected / "Mode" / "KMode");
}

}  // namespace
}  // namespace zt

namespace zt {
namespace {

TEST_F(PresetBaseFolderTest, AProgramFolderThatCannotBeWrittenSharesItsPresets) {
    if (geteuid() == 0) GTEST_SKIP() << "permission bits do not stop the administrator";
    const fs::path exe = temp.path() / "program";
    fs::create_directories(exe / "Mode" / "KMode");
    test::WriteBytes(exe / "Mode" / "KMode" / "Hall.Nddt", "x");
    fs::permissions(exe / "Mode" / "KMode", fs::perms::owner_read | fs::perms::owner_exec);
    const PresetFolders folders = PresetFoldersFor(Q(exe));
    fs::permissions(exe / "Mode" / "KMode", fs::perms::owner_all);
    EXPECT_EQ(folders.presetFolder, dataFolder / "Mode" / "KMode");
    EXPECT_EQ(folders.sharedPresetFolder, exe / "Mode" / "KMode");
}

TEST_F(PresetBaseFolderTest, AWritableProgramFolderSharesNothing) {
    const fs::path exe = temp.path() / "program";
    fs::create_directories(exe / "Mode" / "KMode");
    const PresetFolders folders = PresetFoldersFor(Q(exe));
    EXPECT_EQ(folders.presetFolder, exe / "Mode" / "KMode");
    EXPECT_TRUE(folders.sharedPresetFolder.empty());
}

}  // namespace
}  // namespace zt
