#include "presets/preset_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <random>
#include <utility>

#include "presets/preset_format.h"
#include "presets/preset_scramble.h"
#include "presets/preset_text.h"
#include "tests/presets/temp_folder.h"

namespace zt {
namespace {

using Message = std::pair<std::string, std::string>;

class RecordedMessages : public PresetMessages {
public:
    void ShowBilingualMessage(const std::string& chinese, const std::string& english) override {
        shown.emplace_back(chinese, english);
    }
    void ShowBilingualWarning(const std::string& chinese, const std::string& english) override {
        shown.emplace_back(chinese, english);
        ++warnings;
    }
    std::vector<Message> shown;
    int warnings = 0;  // of the shown, those with a warning sign
};

class CountingUploader : public ImageUploader {
public:
    void UploadImage() override { ++uploads; }
    int uploads = 0;
};

// A message about a file: the message, then the file (or the name typed) on a line of its own.
Message MessageOf(const BilingualText& text, const std::string& what) {
    return {text.chinese + "\n" + what, text.english + "\n" + what};
}

DeviceImage RandomImage(uint32_t seed) {
    std::mt19937 random(seed);
    DeviceImage image;
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            image.Set(page, slot, static_cast<int32_t>(random() % 2000) - 1000);
        }
    }
    return image;
}

std::string StoredText(const std::vector<std::string>& plainLines) {
    std::string text;
    for (const std::string& plain : plainLines) text += ScrambleLine(plain) + "\r\n";
    return text;
}

// An entry line with its address and value masked for line n.
std::string EntryLine(int32_t address, int32_t value, int32_t n) {
    return std::to_string(address ^ n) + " " + std::to_string(value ^ n);
}

std::size_t FilesBelow(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        (void)entry;
        ++count;
    }
    return count;
}

class PresetFilesTest : public ::testing::Test {
protected:
    void SetUp() override { PrepareModeFolders(folders); }

    // The plain lines of a valid file of another image than the one in memory.
    std::vector<std::string> FileLines() const { return PresetPlainLines(RandomImage(8)); }

    void PutFile(const std::string& name, const std::string& bytes) const {
        test::WriteBytes(folders.PresetFile(name), bytes);
    }

    test::TempFolder temp;
    PresetFolders folders = MakePresetFolders(temp.path());
    DeviceImage image = RandomImage(7);
    MemoryLog log;
    RecordedMessages messages;
    CountingUploader uploader;
    PresetFiles files{folders, image, log, messages, uploader};
};

TEST_F(PresetFilesTest, SavedFileReadsBackAndIsUploaded) {
    const DeviceImage saved = image;
    ASSERT_TRUE(files.WritePresetFile("Studio"));
    EXPECT_EQ(test::ReadBytes(folders.presetFolder / "Studio.Nddt"), PresetFileText(saved));

    image = RandomImage(9);
    ASSERT_TRUE(files.ReadPresetFile("Studio"));
    EXPECT_EQ(image.Get(0, 164), saved.Get(0, 164));
    EXPECT_EQ(image.Get(0x1E14), saved.Get(0x1E14));
    EXPECT_EQ(image.Get(0x1E15), RandomImage(9).Get(0x1E15));  // not in the file
    EXPECT_EQ(uploader.uploads, 1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(log.lines().size(), 1879u);
}

TEST_F(PresetFilesTest, SavingUnderAnExistingNameReplacesTheFile) {
    ASSERT_TRUE(files.WritePresetFile("Live"));
    image = RandomImage(11);
    ASSERT_TRUE(files.WritePresetFile("Live"));
    EXPECT_EQ(test::ReadBytes(folders.PresetFile("Live")), PresetFileText(RandomImage(11)));
    EXPECT_EQ(FilesBelow(folders.presetFolder), 1u);  // no temporary file left behind
}

TEST_F(PresetFilesTest, AMissingFileIsReportedAndChangesNothing) {
    std::filesystem::create_directory(folders.PresetFile("folder"));
    for (const char* name : {"absent", "folder"}) {
        const DeviceImage before = image;
        log.Append("kept");
        messages.shown.clear();
        EXPECT_FALSE(files.ReadPresetFile(name));
        EXPECT_EQ(image, before);
        const std::string file = folders.PresetFile(name).string();
        EXPECT_EQ(messages.shown, std::vector<Message>{MessageOf(kFileNotFoundText, file)});
        EXPECT_EQ(messages.shown[0], Message("文件不存在\n" + file, "File not find!\n" + file));
        EXPECT_EQ(messages.warnings, 0) << "a missing file is no damaged one";
        EXPECT_EQ(log.lines().back(), "kept");
    }
    EXPECT_EQ(uploader.uploads, 0);
}

struct BadFile {
    const char* what;
    std::function<std::string(std::vector<std::string>)> text;  // from the plain lines of a file
    BilingualText message;
};

std::string ChangeLine(std::vector<std::string> lines, std::size_t n, std::string line) {
    lines[n] = std::move(line);
    return StoredText(lines);
}

std::string FieldOfLine(const std::string& line, std::size_t field) {
    return SplitFields(line, ' ')[field];
}

std::string ValueOfLine(const std::vector<std::string>& lines, int32_t n) {
    return std::to_string(std::stoi(FieldOfLine(lines[n], 1)) ^ n);
}

const BadFile kBadFiles[] = {
    {"model number", [](auto l) { return ChangeLine(l, 0, "R7 234"); }, kFileFormatErrorText},
    {"maker number", [](auto l) { return ChangeLine(l, 1, "Vorel 88"); }, kFileFormatErrorText},
    {"header without number", [](auto l) { return ChangeLine(l, 0, "R7233"); },
     kFileFormatErrorText},
    {"header number not decimal", [](auto l) { return ChangeLine(l, 1, "Vorel 0x59"); },
     kFileFormatErrorText},
    {"pair not hexadecimal",
     [](auto l) {
         std::string text = StoredText(l);
         text[text.size() / 2] = 'G';
         return text;
     },
     kFileFormatErrorText},
    {"empty file", [](auto) { return std::string(); }, kFileFormatErrorText},
    {"one line", [](auto l) { return StoredText({l[0]}); }, kFileFormatErrorText},
    {"headers only",
     [](auto l) {
         return StoredText({l[0], l[1]});
     },
     kFileCorruptedText},
    {"entry deleted",
     [](auto l) {
         l.erase(l.begin() + 500);
         return StoredText(l);
     },
     kFileCorruptedText},
    {"entry inserted",
     [](auto l) {
         l.insert(l.begin() + 500, l[500]);
         return StoredText(l);
     },
     kFileCorruptedText},
    {"blank line inserted",
     [](auto l) {
         l.insert(l.begin() + 500, "");
         return StoredText(l);
     },
     kFileCorruptedText},
    {"value changed without the checksum",
     [](auto l) {
         return ChangeLine(
             l, 500,
             FieldOfLine(l[500], 0) + " " + std::to_string(std::stoi(FieldOfLine(l[500], 1)) ^ 1));
     },
     kFileCorruptedText},
    {"checksum changed",
     [](auto l) {
         return ChangeLine(l, 1882,
                           "CCCCK: " + std::to_string(std::stoi(FieldOfLine(l[1882], 1)) + 256));
     },
     kFileCorruptedText},
    {"value not a number",
     [](auto l) { return ChangeLine(l, 500, FieldOfLine(l[500], 0) + " 1x"); }, kFileCorruptedText},
    {"address not a number",
     [](auto l) { return ChangeLine(l, 500, "x " + FieldOfLine(l[500], 1)); }, kFileCorruptedText},
    {"value missing", [](auto l) { return ChangeLine(l, 500, FieldOfLine(l[500], 0)); },
     kFileCorruptedText},
    {"last entry missing its value", [](auto l) { return ChangeLine(l, 1880, "6476"); },
     kFileCorruptedText},
    // Addresses outside the image; the value is kept so that the checksum still fits.
    {"page beyond the image",
     [](auto l) { return ChangeLine(l, 2, EntryLine(31 * 256, std::stoi(ValueOfLine(l, 2)), 2)); },
     kFileCorruptedText},
    {"slot above 164",
     [](auto l) { return ChangeLine(l, 2, EntryLine(165, std::stoi(ValueOfLine(l, 2)), 2)); },
     kFileCorruptedText},
    {"negative address",
     [](auto l) { return ChangeLine(l, 2, EntryLine(-1, std::stoi(ValueOfLine(l, 2)), 2)); },
     kFileCorruptedText},
    {"last entry outside the image",
     [](auto l) {
         return ChangeLine(l, 1880, EntryLine(0x1EA5, std::stoi(ValueOfLine(l, 1880)), 1880));
     },
     kFileCorruptedText},
    {"count not a number", [](auto l) { return ChangeLine(l, 1881, "Intoal: many"); },
     kFileCorruptedText},
    {"count missing", [](auto l) { return ChangeLine(l, 1881, "Intoal:"); }, kFileCorruptedText},
    {"count negative", [](auto l) { return ChangeLine(l, 1881, "Intoal: -1"); },
     kFileCorruptedText},
    {"checksum not a number", [](auto l) { return ChangeLine(l, 1882, "CCCCK: ?"); },
     kFileCorruptedText},
};

TEST_F(PresetFilesTest, AFileThatFailsAnyCheckLeavesTheImageUnchanged) {
    for (const BadFile& bad : kBadFiles) {
        SCOPED_TRACE(bad.what);
        PutFile("bad", bad.text(FileLines()));
        const DeviceImage before = image;
        messages.shown.clear();
        EXPECT_FALSE(files.ReadPresetFile("bad"));
        EXPECT_EQ(image, before);
        EXPECT_EQ(messages.shown,
                  std::vector<Message>{MessageOf(bad.message, folders.PresetFile("bad").string())});
    }
    // Every one of them is a damaged file: a warning.
    EXPECT_EQ(messages.warnings, static_cast<int>(std::size(kBadFiles)));
    EXPECT_EQ(uploader.uploads, 0);
}

TEST_F(PresetFilesTest, LogIsClearedOnceTheHeaderPassesAndShowsTheEntriesRead) {
    struct Case {
        const char* what;
        std::string text;
        std::size_t logLines;
    };
    std::vector<std::string> lines = FileLines();
    std::vector<std::string> shortened = lines;
    shortened.pop_back();
    std::vector<std::string> badChecksum = lines;
    badChecksum[1882] = "CCCCK: 300";
    std::vector<std::string> badHeader = lines;
    badHeader[0] = "R7 1";
    std::vector<std::string> badEntry = lines;
    badEntry[12] = "x y";
    const Case cases[] = {
        {"wrong header keeps the last log", StoredText(badHeader), 1},
        {"wrong count clears it", StoredText(shortened), 0},
        {"an entry that is no number stops it", StoredText(badEntry), 10},
        {"wrong checksum after every entry", StoredText(badChecksum), 1879},
        {"accepted", StoredText(lines), 1879},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log.Clear();
        log.Append("last read");
        PutFile("logged", c.text);
        files.ReadPresetFile("logged");
        EXPECT_EQ(log.lines().size(), c.logLines);
    }
}

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST_F(PresetFilesTest, AcceptedVariantsOfTheStoredForm) {
    const DeviceImage saved = RandomImage(8);
    const std::string text = PresetFileText(saved);
    std::vector<std::string> otherWords = PresetPlainLines(saved);
    otherWords[0] = "ZT 233";
    otherWords[1] = "Maker 89";
    const std::pair<const char*, std::string> variants[] = {
        {"lower-case hexadecimal", LowerCase(text)},
        {"odd-length lines", ReplaceAll(text, "\r\n", "Q\r\n")},
        {"LF line ends", ReplaceAll(text, "\r\n", "\n")},
        {"no final line end", text.substr(0, text.size() - 2)},
        {"other header words", StoredText(otherWords)},
    };
    for (const auto& [what, bytes] : variants) {
        SCOPED_TRACE(what);
        image = RandomImage(7);
        PutFile("variant", bytes);
        EXPECT_TRUE(files.ReadPresetFile("variant"));
        EXPECT_EQ(image.Get(0, 0), saved.Get(0, 0));
        EXPECT_EQ(image.Get(0x1830), saved.Get(0x1830));
        EXPECT_EQ(image.Get(0x1E14), saved.Get(0x1E14));
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(uploader.uploads, 5);
}

TEST_F(PresetFilesTest, AShorterFileLoadsAsFarAsItGoes) {
    const std::vector<std::string> lines = {"R7 233",
                                            "Vorel 89",
                                            EntryLine(0x0203, 40, 2),
                                            EntryLine(0x1E14, -5, 3),
                                            "Intoal: 4",
                                            "CCCCK: " + std::to_string(PresetChecksum(35))};
    PutFile("short", StoredText(lines));
    DeviceImage expected = image;
    expected.Set(0x0203, 40);
    expected.Set(0x1E14, -5);
    EXPECT_TRUE(files.ReadPresetFile("short"));
    EXPECT_EQ(image, expected);
    EXPECT_EQ(uploader.uploads, 1);
}

TEST(PresetNames, Validation) {
    const std::pair<std::string, bool> cases[] = {
        {"Studio", true},
        {"KTV room 2", true},
        {"a.b", true},
        {"..x", true},
        {"\xE5\xBD\x95\xE9\x9F\xB3", true},  // Chinese characters
        {"", false},
        {".", false},
        {"..", false},
        {"../x", false},
        {"..\\x", false},
        {"a/b", false},
        {"/etc/passwd", false},
        {"C:x", false},
        {"a*b", false},
        {"a?b", false},
        {"a\"b", false},
        {"a<b", false},
        {"a>b", false},
        {"a|b", false},
        {std::string("a\0b", 3), false},
        {"a\tb", false},
        {"a\nb", false},
        {"trailing.", false},
        {"trailing ", false},
        {std::string(250, 'n'), true},
        {std::string(251, 'n'), false},  // with ".Nddt" longer than a file name may be
    };
    for (const auto& [name, valid] : cases) EXPECT_EQ(IsValidPresetName(name), valid) << name;
}

TEST_F(PresetFilesTest, ANameThatWouldLeaveThePresetFolderIsRefused) {
    const std::string outside = "../../escaped";
    test::WriteBytes(folders.PresetFile(outside), PresetFileText(RandomImage(8)));
    const std::size_t filesBefore = FilesBelow(temp.path());
    const DeviceImage before = image;
    for (const std::string& name : {outside, std::string("sub/x"), std::string("")}) {
        SCOPED_TRACE(name);
        messages.shown.clear();
        EXPECT_FALSE(files.WritePresetFile(name));
        EXPECT_FALSE(files.ReadPresetFile(name));
        EXPECT_EQ(messages.shown,
                  std::vector<Message>(2, MessageOf(kInvalidFileNameText, "\"" + name + "\"")));
    }
    EXPECT_EQ(FilesBelow(temp.path()), filesBefore);
    EXPECT_EQ(image, before);
    EXPECT_EQ(uploader.uploads, 0);
}

// Runs the action with the process's file size limit lowered, as a full disk would stop a
// write halfway.
void WithFileSizeLimit(rlim_t bytes, const std::function<void()>& action) {
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = old;
    lowered.rlim_cur = bytes;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
    action();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
}

TEST_F(PresetFilesTest, AFailedSaveKeepsTheOldFile) {
    const std::string oldBytes = PresetFileText(RandomImage(8));
    struct Case {
        const char* what;
        std::function<void(PresetFiles&)> save;
    };
    const Case cases[] = {
        {"temporary file cannot be made",
         [&](PresetFiles& f) {
             std::filesystem::create_directory(folders.presetFolder / "Old.Ntmp");
             EXPECT_FALSE(f.WritePresetFile("Old"));
             std::filesystem::remove(folders.presetFolder / "Old.Ntmp");
         }},
        {"disk full halfway",
         [&](PresetFiles& f) {
             WithFileSizeLimit(4096, [&] { EXPECT_FALSE(f.WritePresetFile("Old")); });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PutFile("Old", oldBytes);
        messages.shown.clear();
        c.save(files);
        EXPECT_EQ(test::ReadBytes(folders.PresetFile("Old")), oldBytes);
        EXPECT_EQ(messages.shown, std::vector<Message>{MessageOf(
                                      kFileNotSavedText, folders.PresetFile("Old").string())});
        EXPECT_EQ(FilesBelow(folders.presetFolder), 1u);
    }
}

TEST_F(PresetFilesTest, SavingIntoAMissingPresetFolderFailsCleanly) {
    std::filesystem::remove_all(folders.presetFolder);
    EXPECT_FALSE(files.WritePresetFile("Studio"));
    EXPECT_EQ(messages.shown, std::vector<Message>{MessageOf(
                                  kFileNotSavedText, folders.PresetFile("Studio").string())});
    EXPECT_FALSE(std::filesystem::exists(folders.presetFolder));
}

}  // namespace
}  // namespace zt
