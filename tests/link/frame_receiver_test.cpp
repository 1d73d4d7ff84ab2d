#include "link/frame_receiver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/frame_codec.h"
#include "tests/link/hex_bytes.h"

namespace zt {
namespace {

class RecordingSink : public FrameReceiver::Sink {
public:
    void OnShortMessage() override { found.push_back("ack"); }
    void OnFrame(std::span<const uint8_t> frame) override { found.push_back(HexText(frame)); }
    std::vector<std::string> found;
};

// Feeds the stream in receive events of the given sizes (the rest in one last event).
class FrameReceiverTest : public ::testing::Test {
protected:
    void Feed(const std::string& hex, std::vector<size_t> eventSizes = {}) {
        const Bytes stream = FromHex(hex);
        size_t at = 0;
        for (size_t size : eventSizes) {
            const std::span<const uint8_t> event(stream.data() + at, size);
            receiver.Receive(event, size, sink, log);
            at += size;
        }
        const std::span<const uint8_t> rest(stream.data() + at, stream.size() - at);
        if (!rest.empty()) receiver.Receive(rest, rest.size(), sink, log);
    }

    FrameReceiver receiver;
    RecordingSink sink;
    MemoryLog log;
};

const char* const kWrite16 = "F5 B1 06 B7 00 0A 10 00 C6";

TEST_F(FrameReceiverTest, AFrameInOneEventIsLoggedWithTheEventSize) {
    Feed(kWrite16);
    EXPECT_EQ(sink.found, std::vector<std::string>{kWrite16});
    EXPECT_EQ(log.lines(), std::vector<std::string>{"缓存长度K:C:L=9 9 5"});
    EXPECT_EQ(receiver.state(), RxState::Hunting);
}

TEST_F(FrameReceiverTest, AFrameSplitOverEventsIsCompletedByTheLaterOnes) {
    Feed(kWrite16, {4});
    EXPECT_EQ(sink.found, std::vector<std::string>{kWrite16});
    // The line reports the event that completed the body.
    EXPECT_EQ(log.lines(), std::vector<std::string>{"缓存长度K:C:L=5 5 5"});

    sink.found.clear();
    Feed(kWrite16, {1, 1, 1, 1, 1, 1, 1, 1});
    EXPECT_EQ(sink.found, std::vector<std::string>{kWrite16});
    EXPECT_EQ(log.lines().back(), "缓存长度K:C:L=1 1 5");

    sink.found.clear();
    Feed(kWrite16, {6});
    EXPECT_EQ(receiver.state(), RxState::Hunting);
    EXPECT_EQ(sink.found.size(), 1u);
}

TEST_F(FrameReceiverTest, AnIncompleteBodyWaitsForMoreBytes) {
    Feed("F5 B1 06 B7 00 0A");
    EXPECT_EQ(receiver.state(), RxState::Body);
    EXPECT_TRUE(sink.found.empty());
    receiver.Reset();
    EXPECT_EQ(receiver.state(), RxState::Hunting);
    Feed(kWrite16);
    EXPECT_EQ(sink.found, std::vector<std::string>{kWrite16});
}

struct StreamCase {
    const char* what;
    const char* stream;
    std::vector<std::string> found;
};

TEST_F(FrameReceiverTest, StreamsAreCutIntoFramesAndShortMessages) {
    const StreamCase cases[] = {
        {"noise before a short message", "00 13 EE BB", {"ack"}},
        {"the other short message", "EE AA", {"ack"}},
        {"a bad short message is dropped with its second byte",
         "EE 55 F5 B1 06 B7 00 0A 10 00 C6",
         {kWrite16}},
        {"a wrong second start byte drops the header", "F5 B2 06 B7 00 0A 10 00 C6 EE BB", {"ack"}},
        {"a command other than B7 or B0 drops the header", "F5 B1 06 B5 EE BB", {"ack"}},
        {"the dropped header's own bytes are not searched", "F5 F5 B1 06 B7 00 0A 10 00 C6", {}},
        {"a read command is a frame too", "F5 B1 04 B0 1E 05 C8", {"F5 B1 04 B0 1E 05 C8"}},
        {"a length below 4 does not swallow the next frame",
         "F5 B1 03 B7 F5 B1 06 B7 00 0A 10 00 C6",
         {kWrite16}},
        {"a zero length neither", "F5 B1 00 B0 EE BB", {"ack"}},
        {"two frames back to back, in order",
         "F5 B1 06 B7 00 0A 10 00 C6 F5 B1 06 B7 00 0B 11 00 C8",
         {kWrite16, "F5 B1 06 B7 00 0B 11 00 C8"}},
        {"a frame's body may hold start bytes",
         "F5 B1 06 B7 EE BB F5 EE 7A",
         {"F5 B1 06 B7 EE BB F5 EE 7A"}},
    };
    for (const auto& c : cases) {
        receiver.Reset();
        sink.found.clear();
        Feed(c.stream);
        EXPECT_EQ(sink.found, c.found) << c.what;
        EXPECT_EQ(receiver.state(), RxState::Hunting) << c.what;
    }
}

TEST_F(FrameReceiverTest, TheLongestFrameIsTakenWhole) {
    const Bytes data(kMaxFrameData, 0x42);
    const Bytes frame = BuildFrame(kCommandWrite, 0x0100, data);
    ASSERT_EQ(frame[2], 255);
    receiver.Receive(frame, frame.size(), sink, log);
    ASSERT_EQ(sink.found.size(), 1u);
    EXPECT_EQ(sink.found[0], HexText(frame));
    EXPECT_EQ(log.lines().back(), "缓存长度K:C:L=258 258 254");
}

}  // namespace
}  // namespace zt
