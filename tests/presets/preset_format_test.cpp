#include "presets/preset_format.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <sstream>

#include "params/page_table.h"

namespace zt {
namespace {

TEST(PresetFormat, SavedPagesFollowThePageTable) {
    int entries = 0;
    for (int page = 0; page < kPresetPageCount; ++page) {
        // A file holds every slot a transfer carries, the last one included.
        EXPECT_EQ(kPresetLastSlot[page], PageSlotCount(page) - 1) << "page " << page;
        entries += kPresetLastSlot[page] + 1;
    }
    EXPECT_EQ(entries, 1878);
}

TEST(PresetFormat, Checksum) {
    struct Case {
        int64_t sum;
        int32_t checksum;
    };
    const Case cases[] = {
        {0, 0},     {1, 255},  {255, 1},   {256, 0},        {257, 255},       {1000, 24},
        {-1, -255}, {-256, 0}, {-2, -254}, {0x7FFFFFFF, 1}, {0x100000000, 0},  // wraps to 0
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PresetChecksum(static_cast<uint32_t>(c.sum)), c.checksum) << c.sum;
    }
}

TEST(PresetFormat, PlainLinesOfAnAllZeroImage) {
    const std::vector<std::string> lines = PresetPlainLines(DeviceImage{});
    ASSERT_EQ(lines.size(), 1883u);
    EXPECT_EQ(lines[0], "R7 233");
    EXPECT_EQ(lines[1], "Vorel 89");
    EXPECT_EQ(lines[2], "2 2");
    EXPECT_EQ(lines[3], "2 3");
    EXPECT_EQ(lines[4], "6 4");                                       // slot 2 of page 0
    EXPECT_EQ(lines[2 + 165], std::to_string(256 ^ 167) + " 167");    // page 1 starts after 165
    EXPECT_EQ(lines[1879], std::to_string(0x1830 ^ 1879) + " 1879");  // page 24, slot 48
    EXPECT_EQ(lines[1880], "6476 1880");
    EXPECT_EQ(lines[1881], "Intoal: 1881");
    EXPECT_EQ(lines[1882], "CCCCK: 0");
}

TEST(PresetFormat, NegativeValuesStayNegative) {
    DeviceImage image;
    image.Set(0, 0, -1);
    const std::vector<std::string> lines = PresetPlainLines(image);
    EXPECT_EQ(lines[2], "2 -3");
    EXPECT_EQ(lines[1882], "CCCCK: -255");
}

TEST(PresetFormat, SavesOnlyThePagesOfTheFileAndTheExtraSlot) {
    DeviceImage image;
    image.Set(0x1E14, 77);
    image.Set(0x1E15, 5);  // beside the extra slot
    image.Set(0x1931, 9);  // page 25
    image.Set(0x0031, 3);  // inside page 0
    image.Set(0x1831, 4);  // page 24 beyond slot 48
    const std::vector<std::string> lines = PresetPlainLines(image);
    EXPECT_EQ(lines[1880], "6476 " + std::to_string(77 ^ 1880));
    EXPECT_EQ(lines[1882], "CCCCK: " + std::to_string(PresetChecksum(80)));
}

TEST(PresetFormat, FileTextIsScrambledLinesEndedByCrLf) {
    const std::string text = PresetFileText(DeviceImage{});
    EXPECT_EQ(text.substr(0, 14), "0C10E4A33849\r\n");
    EXPECT_EQ(text.substr(text.size() - 18), "1D6487D24040C306\r\n");
    std::size_t lineEnds = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2)) {
        ++lineEnds;
    }
    EXPECT_EQ(lineEnds, 1883u);
    EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF\r\n"), std::string::npos);
}

// A full image of random values, negative ones included.
DeviceImage AnyValueImage(uint32_t seed) {
    std::mt19937 random(seed);
    DeviceImage image;
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            image.Set(page, slot, static_cast<int32_t>(random()));
        }
    }
    return image;
}

bool IsSavedAddress(int page, int slot) {
    if (page < kPresetPageCount) return slot <= kPresetLastSlot[page];
    return MakeAddress(page, slot) == kPresetExtraAddress;
}

TEST(PresetFormat, RandomImageRoundTripsOverWhatAFileHolds) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        const DeviceImage saved = AnyValueImage(seed);
        const DeviceImage before = AnyValueImage(seed + 100);
        std::istringstream file(PresetFileText(saved));
        MemoryLog log;
        const PresetContent content = ReadPresetContent(file, log);
        ASSERT_EQ(content.check, PresetCheck::kAccepted);
        EXPECT_EQ(content.entries.size(), 1879u);
        EXPECT_EQ(log.lines().size(), 1879u);

        DeviceImage loaded = before;
        ApplyPresetContent(content, loaded);
        for (int page = 0; page < kPageCount; ++page) {
            for (int slot = 0; slot < kSlotCount; ++slot) {
                const DeviceImage& expected = IsSavedAddress(page, slot) ? saved : before;
                ASSERT_EQ(loaded.Get(page, slot), expected.Get(page, slot))
                    << "seed " << seed << " page " << page << " slot " << slot;
            }
        }
    }
}

TEST(PresetFormat, LogShowsEachEntryAsAddressAndValue) {
    DeviceImage image;
    image.Set(0, 1, -7);
    image.Set(0x1E14, 300);
    std::istringstream file(PresetFileText(image));
    MemoryLog log;
    log.Append("from an earlier read");
    ASSERT_EQ(ReadPresetContent(file, log).check, PresetCheck::kAccepted);
    ASSERT_EQ(log.lines().size(), 1879u);
    EXPECT_EQ(log.lines()[0], "0 0");
    EXPECT_EQ(log.lines()[1], "1 -7");
    EXPECT_EQ(log.lines()[165], "256 0");
    EXPECT_EQ(log.lines().back(), "7700 300");
}

}  // namespace
}  // namespace zt
