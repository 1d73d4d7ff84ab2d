// Saving and loading a full device image as a preset file, on disk and in memory.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "presets/preset_files.h"
#include "presets/preset_format.h"

namespace zt {
namespace {

class NoMessages : public PresetMessages {
public:
    void ShowBilingualMessage(const std::string&, const std::string&) override { ++shown; }
    int shown = 0;
};

class NoUpload : public ImageUploader {
public:
    void UploadImage() override {}
};

DeviceImage FullImage() {
    std::mt19937 random(42);
    DeviceImage image;
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            image.Set(page, slot, static_cast<int32_t>(random() % 65536));
        }
    }
    return image;
}

// A preset folder of its own for one benchmark, removed afterwards.
class BenchFolder {
public:
    BenchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zt461-bench-XXXXXX");
        if (mkdtemp(pattern.data()) != nullptr) base_ = pattern;
        folders_ = MakePresetFolders(base_);
        PrepareModeFolders(folders_);
    }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(base_, ignored);
    }
    const PresetFolders& folders() const { return folders_; }

private:
    std::filesystem::path base_;
    PresetFolders folders_;
};

void BM_WritePresetFile(benchmark::State& state) {
    BenchFolder folder;
    DeviceImage image = FullImage();
    MemoryLog log;
    NoMessages messages;
    NoUpload uploader;
    PresetFiles files(folder.folders(), image, log, messages, uploader);
    for (auto _ : state) {
        if (!files.WritePresetFile("Bench")) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WritePresetFile)->Unit(benchmark::kMicrosecond);

void BM_ReadPresetFile(benchmark::State& state) {
    BenchFolder folder;
    DeviceImage image = FullImage();
    MemoryLog log;
    NoMessages messages;
    NoUpload uploader;
    PresetFiles files(folder.folders(), image, log, messages, uploader);
    files.WritePresetFile("Bench");
    for (auto _ : state) {
        if (!files.ReadPresetFile("Bench")) state.SkipWithError("read failed");
    }
}
BENCHMARK(BM_ReadPresetFile)->Unit(benchmark::kMicrosecond);

void BM_PresetFileText(benchmark::State& state) {
    const DeviceImage image = FullImage();
    for (auto _ : state) benchmark::DoNotOptimize(PresetFileText(image));
}
BENCHMARK(BM_PresetFileText)->Unit(benchmark::kMicrosecond);

void BM_ReadPresetContent(benchmark::State& state) {
    const std::string text = PresetFileText(FullImage());
    MemoryLog log;
    for (auto _ : state) {
        std::istringstream in(text);
        benchmark::DoNotOptimize(ReadPresetContent(in, log));
    }
}
BENCHMARK(BM_ReadPresetContent)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zt
