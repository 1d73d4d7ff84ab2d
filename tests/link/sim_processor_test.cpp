// The simulated processor: factory state, answers to every request of a download, stored
// writes, uploads, modes and passwords, and its robustness to split and noisy input.

#include <gtest/gtest.h>

#include <cctype>

#include "link/link_engine.h"
#include "params/page_table.h"
#include "sim/sim_processor.h"
#include "tests/link/sim_support.h"

namespace zt {
namespace {

using namespace simtest;

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

TEST(SimFactoryTest, StartsWithPlausibleSettings) {
    SimProcessor sim;
    const PageMemory& m = sim.memory();
    // EQ bands at their defaults on every EQ page: PEQ, 0 dB, Q 1.00 / 0.71.
    for (int page = 0; page < kTransferPageCount; ++page) {
        const PageLayout& layout = PageLayoutOf(page);
        for (int band = 0; band < layout.bandCount; ++band) {
            const int slot = layout.firstBandSlot + band * layout.bandStep;
            EXPECT_EQ(m.Get(page, slot + kFieldType), 1) << page << "/" << band;
            EXPECT_EQ(m.Get(page, slot + kFieldFrequency), EqDefaultFrequency(layout.kind, band));
            EXPECT_EQ(m.Get(page, slot + kFieldQ), 16);
            EXPECT_EQ(m.Get(page, slot + kFieldShelfQ), 10);
        }
    }
    // Low-pass filters open everywhere except on the subwoofer.
    EXPECT_EQ(m.Get(0, 7), 360);
    for (int page : {2, 3, 4, 24}) EXPECT_EQ(m.Get(page, 12), 360) << page;
    EXPECT_EQ(m.Get(5, 9), 360);
    for (int page = 6; page <= 20; ++page) EXPECT_EQ(m.Get(page, 19), 360) << page;
    for (int page = 21; page <= 23; ++page) EXPECT_LT(m.Get(page, 19), 200) << page;
    // Volumes within their bars, start below maximum.
    for (int slot = 0; slot < 9; ++slot) {
        EXPECT_GT(m.Get(29, slot), 0);
        EXPECT_LE(m.Get(29, slot), 84);
    }
    EXPECT_LE(m.Get(29, 5), m.Get(29, 6));
    // Every value fits the 16 bits a frame carries.
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            ASSERT_GE(m.Get(page, slot), 0);
            ASSERT_LE(m.Get(page, slot), 0xFFFF);
        }
    }
    for (int mode = 0; mode < kDeviceModeCount; ++mode) {
        EXPECT_FALSE(sim.modeName(mode).empty());
        EXPECT_LE(sim.modeName(mode).size(), 20u);
    }
    EXPECT_EQ(sim.systemPassword().size(), 6u);
    EXPECT_TRUE(AllDigits(sim.systemPassword()));
    EXPECT_EQ(sim.panelPassword().size(), 4u);
    EXPECT_TRUE(AllDigits(sim.panelPassword()));
    EXPECT_EQ(sim.currentMode(), 0);
    // Factory modes differ from one another, so that loading one shows.
    EXPECT_FALSE(sim.modeMemory(16) == sim.modeMemory(18));
}

TEST(SimProcessorTest, AcknowledgesLinkControlAndEveryWrite) {
    SimProcessor sim;
    const Bytes ack{0xEE, 0xBB};
    EXPECT_EQ(sim.Receive(Connect()), ack);
    EXPECT_TRUE(sim.connected());
    EXPECT_EQ(sim.Receive(KeepAlive()), ack);
    EXPECT_EQ(sim.Receive(Write(0x000A, 16)), ack);
    EXPECT_EQ(sim.Receive(Write(kAddrManagerFlag, 1)), ack);
    EXPECT_EQ(sim.Receive(Write(kAddrLinkControl, kLinkDisconnect)), ack);
    EXPECT_FALSE(sim.connected());
    EXPECT_EQ(sim.memory().Get(0x000A), 16);
    EXPECT_EQ(sim.managerFlag(), 1);
}

TEST(SimProcessorTest, AnswersEveryPageWithItsSlots) {
    SimProcessor sim;
    sim.memory().Set(0, 163, 4321);  // last slot of page 0, in its second frame
    sim.memory().Set(28, 36, 77);
    EditorSide editor;
    for (int page = 0; page < kTransferPageCount; ++page) {
        const int frames = editor.Apply(sim.Receive(RequestPage(page)));
        EXPECT_EQ(frames, page == 0 ? 2 : 1) << page;
    }
    EXPECT_EQ(editor.checksumErrors, 0);
    for (int page = 0; page < kTransferPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const int expected = slot < PageSlotCount(page) ? sim.memory().Get(page, slot) : 0;
            ASSERT_EQ(editor.image.Get(page, slot), expected) << page << "/" << slot;
        }
    }
    // Page 0 leaves as slots 0..111 and 112..164.
    const Answers page0 = Cut(sim.Receive(RequestPage(0)));
    ASSERT_EQ(page0.frames.size(), 2u);
    EXPECT_EQ(page0.frames[0][2], 4 + 224);
    EXPECT_EQ(page0.frames[1][5], 112);
    EXPECT_EQ(page0.frames[1][2], 4 + 2 * (165 - 112));
    // Pages that do not exist get no answer.
    EXPECT_TRUE(sim.Receive(RequestPage(30)).empty());
}

TEST(SimProcessorTest, AnswersModeNamesAndSystemItems) {
    SimProcessor sim;
    sim.SetModeName(3, "Studio");
    sim.memory().Set(kAddrPanelKeyLock, 1);
    EditorSide editor;
    for (int mode = 0; mode < kDeviceModeCount; ++mode) {
        // The editor files a reply under its record counter minus one.
        EXPECT_EQ(editor.Apply(sim.Receive(RequestModeName(mode)), mode + 1), 1);
    }
    for (int mode = 0; mode < kDeviceModeCount; ++mode) {
        EXPECT_EQ(editor.info.modeNames[mode], sim.modeName(mode)) << mode;
    }
    EXPECT_EQ(editor.info.modeNames[3], "Studio");
    for (ParamAddress item :
         {kAddrSaveMode, kAddrLoadMode, kAddrSystemItem3, kAddrPanelKeyLock, kAddrManagerFlag,
          kAddrSystemPassword, kAddrPanelPassword, kAddrUploadTail}) {
        EXPECT_EQ(editor.Apply(sim.Receive(ReadItem(item))), 1) << std::hex << item;
    }
    EXPECT_EQ(editor.info.systemPassword, sim.systemPassword());
    EXPECT_EQ(editor.info.panelLockPassword, sim.panelPassword());
    EXPECT_EQ(editor.image.Get(kAddrPanelKeyLock), 1);
    EXPECT_EQ(editor.image.Get(kAddrLoadMode), 0);
    // The device ID, which the editor shows when it arrives.
    editor.Apply(sim.Receive(ReadItem(kAddrDeviceId)));
    EXPECT_EQ(editor.info.deviceId.size(), 8u);
}

TEST(SimProcessorTest, WritesLandOnlyInsideTheMemory) {
    SimProcessor sim;
    const PageMemory before = sim.memory();
    // A frame of several values that runs past the last slot, pages beyond the system page.
    const Bytes values(2 * 10, 0x11);
    for (const Bytes& frame : {BuildFrame(kCommandWrite, MakeAddress(3, 160), values),
                               BuildFrame(kCommandWrite, MakeAddress(31, 0), values),
                               BuildFrame(kCommandWrite, MakeAddress(255, 255), values),
                               Write(MakeAddress(30, 200), 9)}) {
        EXPECT_EQ(sim.Receive(frame), (Bytes{0xEE, 0xBB}));
    }
    PageMemory expected = before;
    for (int slot = 160; slot < kSlotCount; ++slot) expected.Set(3, slot, 0x1111);
    EXPECT_TRUE(sim.memory() == expected);
}

TEST(SimProcessorTest, UploadReplacesThePages) {
    SimProcessor sim;
    DeviceImage image;
    for (int page = 0; page < kTransferPageCount; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            image.Set(page, slot, (page * 1000 + slot * 7) & 0xFFFF);
        }
    }
    int acks = 0;
    for (int page = 0; page < kTransferPageCount; ++page) {
        for (const Bytes& frame : BuildPageUploadFrames(image, page)) {
            acks += Cut(sim.Receive(frame)).acks;
        }
    }
    acks += Cut(sim.Receive(Write(kAddrUploadTail, 2))).acks;
    EXPECT_EQ(acks, 32);  // page 0 in two frames, then the tail value
    for (int page = 0; page < kTransferPageCount; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            ASSERT_EQ(sim.memory().Get(page, slot), image.Get(page, slot)) << page << "/" << slot;
        }
    }
    EXPECT_EQ(sim.memory().Get(kAddrUploadTail), 2);
    // The editor comes online with its first keep-alive after the upload.
    sim.Receive(KeepAlive());
    EXPECT_EQ(sim.onlineCount(), 1);
}

TEST(SimProcessorTest, SavesAndLoadsModes) {
    SimProcessor sim;
    sim.memory().Set(4, 5, 99);  // echo delay
    const std::string save{static_cast<char>(5), '\0'};
    EXPECT_EQ(Cut(sim.Receive(BuildTextFrame(kAddrSaveMode, save + "Studio"))).acks, 1);
    EXPECT_EQ(sim.modeName(5), "Studio");  // the blank padding is not part of the name
    EXPECT_EQ(sim.modeMemory(5).Get(4, 5), 99);

    sim.memory().Set(4, 5, 12);
    sim.memory().Set(29, 0, 10);
    sim.Receive(Write(kAddrLoadMode, 5));
    EXPECT_EQ(sim.currentMode(), 5);
    EXPECT_EQ(sim.memory().Get(4, 5), 99);
    EXPECT_EQ(sim.memory().Get(29, 0), sim.modeMemory(5).Get(29, 0));

    // A factory mode leaves the volumes alone.
    sim.memory().Set(29, 0, 10);
    sim.Receive(Write(kAddrLoadMode, 18));
    EXPECT_EQ(sim.currentMode(), 18);
    EXPECT_EQ(sim.memory().Get(4, 5), sim.modeMemory(18).Get(4, 5));
    EXPECT_EQ(sim.memory().Get(29, 0), 10);

    // Modes that do not exist change nothing.
    const PageMemory before = sim.memory();
    sim.Receive(Write(kAddrLoadMode, 22));
    sim.Receive(BuildTextFrame(kAddrSaveMode, std::string{static_cast<char>(40), '\0'} + "X"));
    EXPECT_TRUE(sim.memory() == before);
}

TEST(SimProcessorTest, StoresNewPasswords) {
    SimProcessor sim;
    sim.Receive(BuildTextFrame(kAddrSystemPassword, "654321"));
    sim.Receive(BuildTextFrame(kAddrPanelPassword, "9876"));
    EXPECT_EQ(sim.systemPassword(), "654321");
    EXPECT_EQ(sim.panelPassword(), "9876");
    EditorSide editor;
    editor.Apply(sim.Receive(ReadItem(kAddrSystemPassword)));
    EXPECT_EQ(editor.info.systemPassword, "654321");
}

TEST(SimProcessorTest, ReportsTheEditorOnlineAfterACompleteDownload) {
    SimProcessor sim;
    sim.Receive(Connect());
    sim.Receive(KeepAlive());
    EXPECT_EQ(sim.onlineCount(), 0);
    for (int page = 0; page < kTransferPageCount; ++page) sim.Receive(RequestPage(page));
    for (int mode = 0; mode < kDeviceModeCount; ++mode) sim.Receive(RequestModeName(mode));
    sim.Receive(ReadItem(kAddrUploadTail));
    EXPECT_EQ(sim.onlineCount(), 0);
    sim.Receive(KeepAlive());
    sim.Receive(KeepAlive());
    EXPECT_EQ(sim.onlineCount(), 1);
}

TEST(SimProcessorTest, IgnoresFramesThatDoNotAddUp) {
    SimProcessor sim;
    Bytes frame = Write(0x000A, 16);
    frame.back() ^= 1;
    EXPECT_TRUE(sim.Receive(frame).empty());
    EXPECT_NE(sim.memory().Get(0x000A), 16);
    ASSERT_EQ(sim.log().size(), 1u);
    EXPECT_FALSE(sim.log().back().checksumOk);
}

// The same traffic in different pieces and with noise gives the same answers.
TEST(SimProcessorTest, ReassemblesSplitAndNoisyInput) {
    const std::vector<Bytes> frames{Connect(), RequestPage(5), Write(0x020F, 300),
                                    ReadItem(kAddrSystemPassword), RequestModeName(17)};
    SimProcessor whole;
    const Bytes expected = whole.Receive(Join(frames));

    struct Case {
        const char* name;
        Bytes noise;     // put before every frame, or only the first
        size_t piece;    // bytes per Receive call
        bool onlyFirst;  // a lying length holds the frames after it until enough bytes came
    };
    const std::vector<Case> cases{
        {"byte by byte", {}, 1, false},
        {"pieces of 4", {}, 4, false},
        {"noise between frames", {0x00, 0x13, 0xEE, 0x42}, 1000, false},
        {"false starts", {0xF5, 0xB2, 0x06, 0xF5, 0xB1, 0x02, 0xB7}, 3, false},
        {"a header that lies about its length", {0xF5, 0xB1, 0x20, 0xB7, 0x00}, 7, true},
    };
    for (const Case& c : cases) {
        SimProcessor sim;
        Bytes stream;
        for (const Bytes& f : frames) {
            if (!c.onlyFirst || stream.empty()) {
                stream.insert(stream.end(), c.noise.begin(), c.noise.end());
            }
            stream.insert(stream.end(), f.begin(), f.end());
        }
        Bytes answers;
        for (size_t i = 0; i < stream.size(); i += c.piece) {
            const Bytes part = sim.Receive(stream.data() + i, std::min(c.piece, stream.size() - i));
            answers.insert(answers.end(), part.begin(), part.end());
        }
        EXPECT_EQ(answers, expected) << c.name;
        EXPECT_EQ(sim.memory().Get(0x020F), 300) << c.name;
    }
}

TEST(SimProcessorTest, KeepsALogOfReceivedFrames) {
    SimProcessor sim;
    sim.Receive(Join({Connect(), RequestPage(3), BuildTextFrame(kAddrPanelPassword, "1111")}));
    ASSERT_EQ(sim.log().size(), 3u);
    EXPECT_EQ(sim.log()[1].command, kCommandRead);
    EXPECT_EQ(sim.log()[1].address, kAddrPageRequest);
    EXPECT_EQ(sim.log()[1].data, (Bytes{3, 0}));
    EXPECT_EQ(sim.log()[2].data, (Bytes{'1', '1', '1', '1'}));
    EXPECT_EQ(sim.framesReceived(), 3);
}

}  // namespace
}  // namespace zt
