#include "presets/preset_folders.h"
#include "presets/preset_file_names.h"

#include <gtest/gtest.h>

#include "tests/presets/temp_folder.h"

namespace zt {
namespace {

namespace fs = std::filesystem;

TEST(PresetFolders, NamesFollowTheBaseFolder) {
    for (const fs::path& base : {fs::path("/opt/zt461"), fs::path("/opt/zt461/")}) {
        const PresetFolders folders = MakePresetFolders(base);
        EXPECT_EQ(folders.applicationFolder, fs::path("/opt/zt461"));
        EXPECT_EQ(folders.modeRoot, fs::path("/opt/zt461/Mode"));
        EXPECT_EQ(folders.presetFolder, fs::path("/opt/zt461/Mode/KMode"));
        EXPECT_EQ(folders.markerFile, fs::path("/opt/zt461/Mode/mod.dat"));
        EXPECT_EQ(folders.PresetFile("Studio"), fs::path("/opt/zt461/Mode/KMode/Studio.Nddt"));
        EXPECT_EQ(folders.PresetFile("a.b"), fs::path("/opt/zt461/Mode/KMode/a.b.Nddt"));
    }
}

TEST(PresetFolders, PreparationWithoutMarkerMakesBothFolders) {
    test::TempFolder temp;
    const PresetFolders folders = MakePresetFolders(temp.path());
    PrepareModeFolders(folders);
    EXPECT_TRUE(fs::is_directory(folders.modeRoot));
    EXPECT_TRUE(fs::is_directory(folders.presetFolder));
    EXPECT_FALSE(fs::exists(folders.markerFile));  // never written

    // A second start finds everything in place and changes nothing.
    test::WriteBytes(folders.PresetFile("kept"), "0C10E4A33849\r\n");
    PrepareModeFolders(folders);
    EXPECT_EQ(test::ReadBytes(folders.PresetFile("kept")), "0C10E4A33849\r\n");
}

TEST(PresetFolders, PreparationWithMarkerMakesOnlyThePresetFolder) {
    test::TempFolder temp;
    const PresetFolders folders = MakePresetFolders(temp.path());
    fs::create_directory(folders.modeRoot);
    test::WriteBytes(folders.markerFile, "E\r\n");
    PrepareModeFolders(folders);
    EXPECT_TRUE(fs::is_directory(folders.presetFolder));
    EXPECT_EQ(test::ReadBytes(folders.markerFile), "E\r\n");  // read, not changed
}

TEST(PresetFolders, FoldersThatCannotBeMadeArePassedOver) {
    test::TempFolder temp;
    // The mode root is taken by a file, and the base folder does not even exist.
    const PresetFolders blocked = MakePresetFolders(temp.path());
    test::WriteBytes(blocked.modeRoot, "not a folder");
    const PresetFolders missing = MakePresetFolders(temp.path() / "gone");
    for (const PresetFolders& folders : {blocked, missing}) {
        EXPECT_NO_THROW(PrepareModeFolders(folders));
        EXPECT_FALSE(fs::is_directory(folders.presetFolder));
    }
    EXPECT_EQ(test::ReadBytes(blocked.modeRoot), "not a folder");
}

}  // namespace
}  // namespace zt

namespace zt {
namespace {

// A run that writes its presets to a folder of its own while the program's folder holds presets
// it cannot write.
struct TwoFolders {
    TwoFolders() {
        folders = MakePresetFolders(temp.path() / "data");
        folders.sharedPresetFolder = temp.path() / "program" / "Mode" / "KMode";
        std::filesystem::create_directories(folders.presetFolder);
        std::filesystem::create_directories(folders.sharedPresetFolder);
    }
    void Put(const std::filesystem::path& folder, const std::string& file) {
        test::WriteBytes(folder / file, "x");
    }
    test::TempFolder temp;
    PresetFolders folders;
};

TEST(PresetFolders, BothFoldersAreListedWithEachNameOnce) {
    TwoFolders two;
    two.Put(two.folders.presetFolder, "Mine.Nddt");
    two.Put(two.folders.presetFolder, "Hall.Nddt");
    two.Put(two.folders.sharedPresetFolder, "Hall.Nddt");
    two.Put(two.folders.sharedPresetFolder, "bar.Nddt");
    two.Put(two.folders.sharedPresetFolder, "notes.txt");
    EXPECT_EQ(ListPresetNames(two.folders), (std::vector<std::string>{"bar", "Hall", "Mine"}));
    // Without a shared folder only the writable one counts.
    two.folders.sharedPresetFolder.clear();
    EXPECT_EQ(ListPresetNames(two.folders), (std::vector<std::string>{"Hall", "Mine"}));
}

TEST(PresetFolders, ALoadReadsTheWritableFolderFirstAndASaveAlwaysGoesThere) {
    TwoFolders two;
    const PresetFolders& f = two.folders;
    two.Put(f.sharedPresetFolder, "Hall.Nddt");
    two.Put(f.sharedPresetFolder, "Bar.Nddt");
    two.Put(f.presetFolder, "Bar.Nddt");
    EXPECT_EQ(f.FindPresetFile("Hall"), f.sharedPresetFolder / "Hall.Nddt");
    EXPECT_EQ(f.FindPresetFile("Bar"), f.presetFolder / "Bar.Nddt");
    EXPECT_EQ(f.FindPresetFile("None"), f.presetFolder / "None.Nddt");
    EXPECT_EQ(f.PresetFile("Hall"), f.presetFolder / "Hall.Nddt");
    EXPECT_TRUE(f.SavesElsewhere());
    EXPECT_FALSE(MakePresetFolders(two.temp.path()).SavesElsewhere());
}

}  // namespace
}  // namespace zt
