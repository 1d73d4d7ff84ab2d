// A save killed at any moment (SIGKILL: no handler, no clean-up) leaves the preset file whole:
// either the old file or, once the save got that far, the new one, never a part of either.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "presets/preset_file_names.h"
#include "presets/preset_files.h"
#include "presets/preset_format.h"
#include "tests/presets/temp_folder.h"

namespace zt {
namespace {

using Clock = std::chrono::steady_clock;

DeviceImage ImageOf(int32_t value) {
    DeviceImage image;
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) image.Set(page, slot, value + slot);
    }
    return image;
}

// Saves `text` over `file` in a child process and kills it after `delay`; true when the child
// ended by the kill (false: it had finished the save before).
bool SaveAndKill(const std::filesystem::path& file, const std::string& text,
                 std::chrono::microseconds delay) {
    const pid_t child = fork();
    if (child == 0) {
        _exit(ReplaceFileContent(file, text) ? 0 : 1);
    }
    EXPECT_GT(child, 0);
    if (child <= 0) return false;
    usleep(static_cast<useconds_t>(delay.count()));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status);
}

TEST(PresetKill, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
    test::TempFolder temp;
    const PresetFolders folders = MakePresetFolders(temp.path());
    PrepareModeFolders(folders);
    const std::filesystem::path file = folders.PresetFile("Show");
    const std::string oldText = PresetFileText(ImageOf(100));
    const std::string newText = PresetFileText(ImageOf(-7));

    // How long a whole save takes here, so that the kills fall before, during and after it.
    ASSERT_TRUE(ReplaceFileContent(file, newText));
    const auto started = Clock::now();
    ASSERT_TRUE(ReplaceFileContent(file, oldText));
    const auto saveTime =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started);

    std::mt19937 random(461);
    std::uniform_int_distribution<int64_t> moment(0, saveTime.count() * 6 / 5);
    int killed = 0, oldKept = 0, newWhole = 0;
    const auto budget = Clock::now() + std::chrono::seconds(3);
    for (int round = 0; round < 200 && Clock::now() < budget; ++round) {
        killed += SaveAndKill(file, newText, std::chrono::microseconds(moment(random)));
        const std::string after = test::ReadBytes(file);
        ASSERT_TRUE(after == oldText || after == newText)
            << "round " << round << ": a damaged file of " << after.size() << " bytes";
        after == oldText ? ++oldKept : ++newWhole;
        EXPECT_EQ(ListPresetNames(folders.presetFolder), std::vector<std::string>{"Show"});
        ASSERT_TRUE(ReplaceFileContent(file, oldText));
    }
    // The moments spread over the save: some kills came before the rename, some saves ended.
    EXPECT_GT(killed, 0);
    EXPECT_GT(oldKept, 0);
    std::printf("save %lld us; %d kills, old kept %d, new whole %d\n",
                static_cast<long long>(saveTime.count()), killed, oldKept, newWhole);
}

}  // namespace
}  // namespace zt
