#include "link/frame_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/page_table.h"
#include "tests/link/hex_bytes.h"

namespace zt {
namespace {

struct BuiltFrameCase {
    const char* what;
    Bytes built;
    const char* expected;
};

TEST(FrameCodecTest, BuildsTheFramesTheEditorSends) {
    const uint8_t none[1] = {};
    const BuiltFrameCase cases[] = {
        {"write 16 to 0x000A", BuildCommandFrame(kCommandWrite, 0x000A, 16),
         "F5 B1 06 B7 00 0A 10 00 C6"},
        {"connect", BuildCommandFrame(kCommandWrite, kAddrLinkControl, kLinkConnect),
         "F5 B1 06 B7 1E 30 11 00 0B"},
        {"keep-alive", BuildCommandFrame(kCommandWrite, kAddrLinkControl, kLinkKeepAlive),
         "F5 B1 06 B7 1E 30 66 00 60"},
        {"disconnect", BuildCommandFrame(kCommandWrite, kAddrLinkControl, kLinkDisconnect),
         "F5 B1 06 B7 1E 30 AA 00 A4"},
        {"request page 5", BuildCommandFrame(kCommandRead, kAddrPageRequest, 5),
         "F5 B1 06 B0 1E 10 05 00 D8"},
        {"request panel lock password",
         BuildFrame(kCommandRead, kAddrPanelPassword, std::span<const uint8_t>(none, 0)),
         "F5 B1 04 B0 1E 05 C8"},
        {"request mode name 3", BuildTextFrame(kAddrModeName, std::string("\x03\x00", 2)),
         "F5 B1 06 B0 1E 00 03 00 C6"},
        {"load mode 4", BuildCommandFrame(kCommandWrite, kAddrLoadMode, 4),
         "F5 B1 06 B7 1E 02 04 00 D0"},
        {"value above 255, low byte first", BuildCommandFrame(kCommandWrite, 0x0205, 0x1234),
         "F5 B1 06 B7 02 05 34 12 F9"},
        {"panel lock password", BuildTextFrame(kAddrPanelPassword, "1234"),
         "F5 B1 08 B7 1E 05 31 32 33 34 99"},
    };
    for (const auto& c : cases) EXPECT_EQ(HexText(c.built), c.expected) << c.what;
}

TEST(FrameCodecTest, SaveModeTextIsPaddedOrCutToTwentyNameBytes) {
    const Bytes shortName = BuildTextFrame(kAddrSaveMode, std::string("\x05\x00Live", 6));
    ASSERT_EQ(shortName.size(), 22u + kFrameOverhead);
    EXPECT_EQ(shortName[2], 26);
    EXPECT_EQ(shortName[3], kCommandWrite);
    EXPECT_EQ(shortName[6], 5);
    EXPECT_EQ(shortName[7], 0);
    EXPECT_EQ(std::string(shortName.begin() + 8, shortName.begin() + 28), "Live                ");
    EXPECT_EQ(shortName.back(),
              FrameChecksum(kCommandWrite, kAddrSaveMode, std::span(shortName).subspan(6, 22)));

    const Bytes longName =
        BuildTextFrame(kAddrSaveMode, std::string("\x10\x00", 2) + std::string(30, 'x'));
    ASSERT_EQ(longName.size(), 22u + kFrameOverhead);
    EXPECT_EQ(longName[6], 16);
    EXPECT_EQ(std::string(longName.begin() + 8, longName.begin() + 28), std::string(20, 'x'));
}

TEST(FrameCodecTest, DataBeyondTheLengthByteIsCutOff) {
    const Bytes data(300, 1);
    const Bytes frame = BuildFrame(kCommandWrite, 0x1E05, data);
    EXPECT_EQ(frame.size(), static_cast<size_t>(kMaxFrameData + kFrameOverhead));
    EXPECT_EQ(frame[2], 255);
}

TEST(FrameCodecTest, PageZeroUploadsInTwoChunks) {
    DeviceImage image;
    for (int slot = 0; slot < kSlotCount; ++slot) image.Set(0, slot, 1000 + slot);
    const std::vector<Bytes> frames = BuildPageUploadFrames(image, 0);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0][2], 230);
    EXPECT_EQ(HexText(std::span(frames[0]).first(8)), "F5 B1 E6 B7 1E 0F 00 00");
    EXPECT_EQ(frames[0][8] + 256 * frames[0][9], 1000);  // slot 0
    EXPECT_EQ(frames[0][8 + 2 * 111] + 256 * frames[0][9 + 2 * 111], 1111);
    EXPECT_EQ(frames[1].size(), 2u + 2u * (PageSlotCount(0) - 112) + kFrameOverhead);
    EXPECT_EQ(frames[1][6], 0x00);
    EXPECT_EQ(frames[1][7], 0xE0);
    EXPECT_EQ(frames[1][8] + 256 * frames[1][9], 1112);
    const size_t last = frames[1].size() - 3;
    EXPECT_EQ(frames[1][last] + 256 * frames[1][last + 1], 1000 + PageSlotCount(0) - 1);
}

TEST(FrameCodecTest, OtherPagesUploadInOneFrameHeadedByThePage) {
    DeviceImage image;
    image.Set(29, 0, 0xABCD);
    image.Set(29, 9, 7);
    const std::vector<Bytes> frames = BuildPageUploadFrames(image, 29);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(HexText(frames[0]).substr(0, 35), "F5 B1 1A B7 1E 0F 1D 00 CD AB 00 00");
    EXPECT_EQ(frames[0].size(), 2u + 2u * PageSlotCount(29) + kFrameOverhead);
    EXPECT_TRUE(BuildPageUploadFrames(image, 30).empty());
    EXPECT_TRUE(BuildPageUploadFrames(image, -1).empty());
}

TEST(FrameCodecTest, HexTextOfNothingIsEmpty) {
    EXPECT_EQ(HexText({}), "");
    EXPECT_EQ(HexText(FromHex("0A FF")), "0A FF");
}

// Applying received frames.
class ApplyFrameTest : public ::testing::Test {
protected:
    ApplyOutcome Apply(const Bytes& frame, int modeRecordCounter = 0) {
        return ApplyFrame(frame, FrameTargets{image, info, log, modeRecordCounter});
    }
    // A correctly summed frame from the processor.
    static Bytes Reply(ParamAddress address, const Bytes& data) {
        return BuildFrame(kCommandWrite, address, data);
    }

    DeviceImage image;
    DeviceInfo info;
    MemoryLog log;
};

TEST_F(ApplyFrameTest, ParameterPageFillsConsecutiveSlots) {
    const ApplyOutcome outcome = Apply(FromHex("F5 B1 0A B7 02 0F 01 00 02 00 03 00 C3"));
    EXPECT_TRUE(outcome.applied);
    EXPECT_TRUE(outcome.checksumOk);
    EXPECT_EQ(image.Get(0x020F), 1);
    EXPECT_EQ(image.Get(0x0210), 2);
    EXPECT_EQ(image.Get(0x0211), 3);
    EXPECT_EQ(image.Get(0x0212), 0);
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(ApplyFrameTest, WrongChecksumIsLoggedAndTheFrameStillApplies) {
    const Bytes frame = FromHex("F5 B1 06 B7 03 04 FF FF 00");
    const ApplyOutcome outcome = Apply(frame);
    EXPECT_FALSE(outcome.checksumOk);
    EXPECT_EQ(image.Get(0x0304), 65535);
    const std::vector<std::string> expected = {
        "3********************",
        "校验数据匹配不一致:177得到的验证数据：0",
        "接收到的错误数据：F5 B1 06 B7 03 04 FF FF 00",
    };
    EXPECT_EQ(log.lines(), expected);
}

TEST_F(ApplyFrameTest, ValuesPastTheLastSlotAndPagesAboveThirtyAreDropped) {
    // Slot 163 of page 1 starts a run that passes slot 164.
    Apply(Reply(0x01A3, {1, 0, 2, 0, 3, 0}));
    EXPECT_EQ(image.Get(1, 163), 1);
    EXPECT_EQ(image.Get(1, 164), 2);
    EXPECT_EQ(image.Get(2, 0), 0);
    // Page 31 and page 255 are outside the stores.
    const DeviceImage before = image;
    Apply(Reply(0x1F00, {9, 0}));
    Apply(Reply(0xFF05, {9, 0}));
    Apply(Reply(0x1FFF, {'a', 'b', 'c'}));
    EXPECT_EQ(image, before);
    EXPECT_EQ(info.modeNames[0], "");
}

TEST_F(ApplyFrameTest, SystemSlotsBelowFortyEightAreValues) {
    Apply(Reply(kAddrLoadMode, {7, 0}));
    Apply(Reply(kAddrManagerFlag, {1, 0}));
    Apply(Reply(kAddrUploadTail, {0x34, 0x12}));
    Apply(Reply(0x1E2F, {5, 0}));
    EXPECT_EQ(image.Get(kAddrLoadMode), 7);
    EXPECT_EQ(image.Get(kAddrManagerFlag), 1);
    EXPECT_EQ(image.Get(kAddrUploadTail), 0x1234);
    EXPECT_EQ(image.Get(0x1E2F), 5);
    // Ignored slots and slots from 48 on leave the image alone.
    for (ParamAddress ignored : {0x1E0B, 0x1E0C, 0x1E0F, 0x1E10, 0x1E30, 0x1E50}) {
        Apply(Reply(ignored, {9, 9}));
        EXPECT_EQ(image.Get(ignored), 0) << std::hex << ignored;
    }
}

TEST_F(ApplyFrameTest, PasswordsAreTakenAsText) {
    Apply(Reply(kAddrPanelPassword, {'1', '2', '3', '4'}));
    Apply(Reply(kAddrSystemPassword, {'9', '8', '7', '6', '5', '4'}));
    EXPECT_EQ(info.panelLockPassword, "1234");
    EXPECT_EQ(info.systemPassword, "987654");
    EXPECT_EQ(image.Get(kAddrPanelPassword), 0);
}

TEST_F(ApplyFrameTest, DeviceIdBecomesEightHexDigits) {
    const ApplyOutcome outcome = Apply(Reply(kAddrDeviceId, {0x12, 0x34, 0xAB, 0xCD}));
    EXPECT_TRUE(outcome.deviceIdChanged);
    EXPECT_EQ(info.deviceId, "1234ABCD");
    // A short ID frame gives what it carries and reads nothing beyond its data.
    Apply(Reply(kAddrDeviceId, {0x0F}));
    EXPECT_EQ(info.deviceId, "0F");
    EXPECT_FALSE(Apply(Reply(kAddrLoadMode, {1, 0})).deviceIdChanged);
}

struct ModeNameCase {
    const char* what;
    Bytes data;
    int counter;
    int index;  // entry expected to change, -1 none
    const char* name;
};

TEST_F(ApplyFrameTest, ModeNamesFollowTheRecordCounter) {
    const ModeNameCase cases[] = {
        {"stored under counter - 1", {'P', 'o', 'p'}, 3, 2, "Pop"},
        {"unprintable bytes become ?", {'A', 0x1D, 0x1E, 0x7F, 0x80, 0xFF}, 1, 0, "A?\x1E\x7F??"},
        {"20 characters kept", Bytes(20, 'n'), 22, 21, "nnnnnnnnnnnnnnnnnnnn"},
        {"21 characters dropped", Bytes(21, 'n'), 5, -1, ""},
        {"25 characters cut to 20", Bytes(25, 'm'), 5, 4, "mmmmmmmmmmmmmmmmmmmm"},
        {"counter 0 drops the name", {'Z'}, 0, -1, ""},
        {"empty name clears the entry", {}, 1, 0, ""},
        {"counter past the table drops the name", {'Q'}, 23, -1, ""},
    };
    for (const auto& c : cases) {
        info.modeNames.fill("old");
        Apply(Reply(kAddrModeName, c.data), c.counter);
        for (int i = 0; i < kDeviceModeCount; ++i) {
            EXPECT_EQ(info.modeNames[i], i == c.index ? c.name : "old") << c.what << " at " << i;
        }
    }
}

TEST_F(ApplyFrameTest, ShortOrMalformedFramesNeverReadPastTheirBytes) {
    // Fewer than 7 bytes is no frame at all.
    const Bytes full = FromHex("F5 B1 06 B7 00 0A 10 00 C6");
    for (size_t size = 0; size < 7; ++size) {
        EXPECT_FALSE(Apply(Bytes(full.begin(), full.begin() + size)).applied) << size;
    }
    EXPECT_EQ(image.Get(0x000A), 0);
    // A length byte promising more than the frame holds: only the data present is used.
    // (Each vector is exactly sized so that ASan would see a read past it.)
    Apply(FromHex("F5 B1 FF B7 00 20 05 00 06"));
    EXPECT_EQ(image.Get(0x0020), 5);
    EXPECT_EQ(image.Get(0x0021), 0);
    // A length byte below 4 describes no data.
    const ApplyOutcome tiny = Apply(FromHex("F5 B1 02 B7 00 30 99 99 10"));
    EXPECT_TRUE(tiny.applied);
    EXPECT_EQ(image.Get(0x0030), 0);
    Apply(FromHex("F5 B1 00 B7 1E 40 12 34 C9"));
    EXPECT_EQ(info.deviceId, "");
}

}  // namespace
}  // namespace zt
