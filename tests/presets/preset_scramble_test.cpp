#include "presets/preset_scramble.h"

#include <gtest/gtest.h>

#include <string>

namespace zt {
namespace {

struct KnownLine {
    std::string plain;
    std::string stored;
};

// Stored forms worked out by hand from the key 5E 27 C4 91 0B 7A E3 36.
const KnownLine kKnownLines[] = {
    {"R7 233", "0C10E4A33849"},
    {"Vorel 89", "0848B6F4675ADB0F"},
    {"2 2", "6C07F6"},
    {"Intoal: 1881", "1749B0FE6A16D9166F1FFCA0"},  // the key restarts after 8 bytes
    {"CCCCK: 0", "1D6487D24040C306"},
    {"", ""},
};

TEST(PresetScramble, KnownLinesBothWays) {
    for (const KnownLine& line : kKnownLines) {
        EXPECT_EQ(ScrambleLine(line.plain), line.stored) << line.plain;
        EXPECT_EQ(UnscrambleLine(line.stored), line.plain) << line.stored;
    }
}

TEST(PresetScramble, EveryByteSurvivesTheRoundTrip) {
    std::string plain;
    for (int byte = 0; byte < 256; ++byte) plain.push_back(static_cast<char>(byte));
    const std::string stored = ScrambleLine(plain);
    EXPECT_EQ(stored.size(), 512u);
    EXPECT_EQ(stored.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(UnscrambleLine(stored), plain);
}

TEST(PresetScramble, ReadsLowerCaseAndDropsATrailingOddCharacter) {
    EXPECT_EQ(UnscrambleLine("0c10e4a33849"), "R7 233");
    EXPECT_EQ(UnscrambleLine("0c10E4a33849"), "R7 233");
    EXPECT_EQ(UnscrambleLine("0C10E4A338497"), "R7 233");
    EXPECT_EQ(UnscrambleLine("0C10E4A33849Z"), "R7 233");  // the odd character is not read
    EXPECT_EQ(UnscrambleLine("0"), "");
}

TEST(PresetScramble, RejectsAPairThatIsNotHexadecimal) {
    for (const char* stored : {"0G", "0C10E4A3384 ", "-1", "0x10", "\xC3\xA9"}) {
        EXPECT_EQ(UnscrambleLine(stored), std::nullopt) << stored;
        EXPECT_FALSE(IsScrambledLine(stored)) << stored;
    }
    for (const KnownLine& line : kKnownLines) EXPECT_TRUE(IsScrambledLine(line.stored));
    EXPECT_TRUE(IsScrambledLine("0C10E4A33849Z")) << "the odd character is not read";
}

}  // namespace
}  // namespace zt
