// TAudio against a real sound server: the private PulseAudio server of the test run, whose
// default input is a pipe source that the tests feed at real-time pace. Timing is checked only
// loosely; the machine may be busy.

#include "spectrum/qt/audio.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMediaDevices>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "spectrum/level_bars.h"
#include "support/sound_feeder.h"

namespace zt {
namespace {

using test::Silence;
using test::Sine;
using test::Sound;
using test::SoundFeeder;
using test::Square;

// What OnRecord received, from the capture thread.
class BlockLog {
public:
    RecordHandler Handler() {
        return [this](std::span<const std::uint8_t> left, std::span<const std::uint8_t> right) {
            std::lock_guard lock(lock_);
            left_.emplace_back(left.begin(), left.end());
            right_.emplace_back(right.begin(), right.end());
        };
    }
    std::size_t count() const {
        std::lock_guard lock(lock_);
        return left_.size();
    }
    std::vector<std::vector<std::uint8_t>> left() const {
        std::lock_guard lock(lock_);
        return left_;
    }
    std::vector<std::vector<std::uint8_t>> right() const {
        std::lock_guard lock(lock_);
        return right_;
    }
    void Clear() {
        std::lock_guard lock(lock_);
        left_.clear();
        right_.clear();
    }

private:
    mutable std::mutex lock_;
    std::vector<std::vector<std::uint8_t>> left_;
    std::vector<std::vector<std::uint8_t>> right_;
};

class TAudioTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string fifo = test::SoundFifoPath();
        ASSERT_FALSE(fifo.empty()) << test::kNoSoundServerText;
        feeder_ = std::make_unique<SoundFeeder>(fifo);
        ASSERT_TRUE(feeder_->ok()) << "cannot open the sound server's FIFO " << fifo;
        ASSERT_FALSE(QMediaDevices::defaultAudioInput().isNull())
            << "the test sound server offers no input";
        audio_.SetOnRecord(log_.Handler());
    }

    // Waits until `count` more blocks have arrived; false after a generous time.
    bool WaitForBlocks(std::size_t count, int timeoutMs = 20000) {
        const std::size_t target = log_.count() + count;
        return QTest::qWaitFor([&] { return log_.count() >= target; }, timeoutMs);
    }

    // The newest block after the sound has reached the capture: the FIFO, the server and the
    // capture each hold a little sound, so a few blocks pass first.
    std::vector<std::uint8_t> BlockOf(const Sound& sound) {
        feeder_->Play(sound);
        log_.Clear();
        if (!WaitForBlocks(12)) return {};
        return log_.left().back();
    }

    std::unique_ptr<SoundFeeder> feeder_;
    BlockLog log_;
    TAudio audio_;
};

TEST_F(TAudioTest, DeliversBlocksOf1024BytesAboutFortySevenTimesASecond) {
    feeder_->Play(Sine(1000.0, 60.0));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(audio_.StartRecording()) << audio_.ErrorText().toStdString();
    ASSERT_TRUE(WaitForBlocks(1)) << "no block within 20 s";
    const qint64 firstMs = clock.elapsed();
    RecordProperty("first_block_ms", static_cast<int>(firstMs));

    QTest::qWait(300);  // past what the server held back at the start
    const std::size_t before = log_.count();
    clock.restart();
    QTest::qWait(2000);
    const double perSecond = (log_.count() - before) * 1000.0 / clock.elapsed();
    RecordProperty("blocks_per_second", static_cast<int>(std::lround(perSecond)));
    EXPECT_GT(perSecond, 30.0);
    EXPECT_LT(perSecond, 65.0);
    for (const auto& block : log_.left()) ASSERT_EQ(block.size(), 1024u);
    for (const auto& right : log_.right()) ASSERT_TRUE(right.empty());
    EXPECT_TRUE(audio_.Recording());
    EXPECT_TRUE(audio_.Recorder().Triggered());
}

// A ramp that wraps at 251 shows whether any byte was lost, repeated or reordered within a
// block and from one block to the next.
TEST_F(TAudioTest, BlocksCarryTheSoundWholeAndInOrder) {
    feeder_->Play([](std::uint64_t j) { return static_cast<std::uint8_t>(j % 251); });
    ASSERT_TRUE(audio_.StartRecording()) << audio_.ErrorText().toStdString();
    ASSERT_TRUE(WaitForBlocks(20));
    const auto blocks = log_.left();
    int breaks = 0;
    for (std::size_t b = 3; b < blocks.size(); ++b) {
        std::uint8_t expected = static_cast<std::uint8_t>((blocks[b - 1].back() + 1) % 251);
        for (const std::uint8_t byte : blocks[b]) {
            if (byte != expected) ++breaks;
            expected = static_cast<std::uint8_t>((byte + 1) % 251);
        }
    }
    EXPECT_EQ(breaks, 0);
}

// Paused, the device stays open but nothing is captured or handed on; resumed, blocks come
// again with the sound of that moment. A pause set before the start holds from the start.
TEST_F(TAudioTest, APausedRecordingHandsOnNothingUntilItResumes) {
    feeder_->Play(Sine(1000.0, 60.0));
    audio_.SetPaused(true);
    ASSERT_TRUE(audio_.StartRecording()) << audio_.ErrorText().toStdString();
    EXPECT_TRUE(audio_.Paused());
    EXPECT_FALSE(WaitForBlocks(1, 1500)) << "a block came while paused";
    audio_.SetPaused(false);
    ASSERT_TRUE(WaitForBlocks(5, 5000)) << "no blocks after resuming";
    audio_.SetPaused(true);
    QTest::qWait(300);  // blocks on their way when the pause came
    const std::size_t paused = log_.count();
    EXPECT_FALSE(WaitForBlocks(1, 1000)) << "blocks came after the pause";
    EXPECT_EQ(log_.count(), paused);
    EXPECT_TRUE(audio_.Recording());
}

int TallestBar(const std::vector<std::uint8_t>& block, std::vector<SpectrumBar>& bars) {
    SpectrumAnalysis analysis;
    analysis.Analyse(block);
    SpectrumLevels levels;
    levels.Update(analysis, 0.0);
    LayOutSpectrumBars(levels, {883, 268, false}, bars);
    return static_cast<int>(
        std::min_element(bars.begin(), bars.end(), [](auto& a, auto& b) { return a.top < b.top; }) -
        bars.begin());
}

TEST_F(TAudioTest, TheAnalysisSeesTheSoundThatWasPlayed) {
    ASSERT_TRUE(audio_.StartRecording()) << audio_.ErrorText().toStdString();
    std::vector<SpectrumBar> bars;

    const std::vector<std::uint8_t> silence = BlockOf(Silence());
    ASSERT_EQ(silence.size(), 1024u);
    EXPECT_TRUE(std::all_of(silence.begin(), silence.end(), [](auto b) { return b == 128; }));

    const double x1k = (3.0 - 1.0) / 3.380211241711606 * 883;  // 1 kHz on the axis
    const int tone1k = TallestBar(BlockOf(Sine(1000.0, 40.0)), bars);
    EXPECT_LE(bars[tone1k].left, x1k);
    EXPECT_GT(bars[tone1k].right, x1k);

    const double x100 = (2.0 - 1.0) / 3.380211241711606 * 883;
    const int tone100 = TallestBar(BlockOf(Sine(100.0, 10.0)), bars);
    // Several low bars show the bin of 100 Hz; the one at 100 Hz is among the tallest.
    const auto at100 = static_cast<std::size_t>(x100 / 7);
    EXPECT_LE(bars[at100].top, bars[tone100].top + 1) << "bar " << at100 << ", tallest " << tone100;

    const int square = TallestBar(BlockOf(Square(48)), bars);
    EXPECT_LE(bars[square].top, 2) << "saturated at the ceiling";
}

TEST_F(TAudioTest, TriggerLevelAboveEverySampleDeliversNothingWhileBuffersCycle) {
    audio_.Recorder().SetTrigLevel(200);
    feeder_->Play(Sine(1000.0, 60.0));  // 68 .. 188
    ASSERT_TRUE(audio_.StartRecording()) << audio_.ErrorText().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return audio_.BuffersFilled() >= 20; }, 20000));
    EXPECT_EQ(log_.count(), 0u);
    EXPECT_EQ(audio_.BuffersDelivered(), 0u);
    EXPECT_FALSE(audio_.Recorder().Triggered());

    feeder_->Play(Square(48));  // reaches 255
    ASSERT_TRUE(WaitForBlocks(3));
    EXPECT_TRUE(audio_.Recorder().Triggered());
    feeder_->Play(Silence());  // once triggered, every buffer is delivered
    ASSERT_TRUE(WaitForBlocks(15));
    EXPECT_EQ(log_.left().back(), std::vector<std::uint8_t>(1024, 128));
}

TEST_F(TAudioTest, StopsAndStartsAgain) {
    feeder_->Play(Sine(440.0, 30.0));
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(audio_.StartRecording()) << audio_.ErrorText().toStdString();
        ASSERT_TRUE(WaitForBlocks(5)) << "round " << round;
        EXPECT_TRUE(audio_.StopRecording());
        EXPECT_FALSE(audio_.Recording());
        const std::size_t stopped = log_.count();
        QTest::qWait(200);
        EXPECT_EQ(log_.count(), stopped) << "no block after the stop returned";
    }
    EXPECT_TRUE(audio_.StopRecording()) << "stopping twice is harmless";
}

// The server turns its mono source into two equal channels; split delivery gives each as a
// 16-bit stream of its own.
TEST_F(TAudioTest, SplitsSixteenBitStereoIntoTwoChannels) {
    audio_.Recorder().SetChannels(TChannels::Stereo);
    audio_.Recorder().SetBitsPerSample(TBPS::Bits16);
    audio_.Recorder().SetSplitChannels(true);
    feeder_->Play(Sine(1000.0, 60.0));
    ASSERT_TRUE(audio_.StartRecording()) << audio_.ErrorText().toStdString();
    ASSERT_TRUE(WaitForBlocks(12));
    const auto left = log_.left().back();
    const auto right = log_.right().back();
    ASSERT_EQ(left.size(), 2048u);
    EXPECT_EQ(left, right);
    std::int16_t peak = 0;
    for (std::size_t i = 0; i + 1 < left.size(); i += 2) {
        std::int16_t s;
        std::memcpy(&s, &left[i], 2);
        peak = std::max<std::int16_t>(peak, static_cast<std::int16_t>(std::abs(s)));
    }
    EXPECT_GT(peak, 10000);  // 60 of 128 steps
}

TEST_F(TAudioTest, AnInputThatDoesNotExistOrAFormatNoBufferHoldsIsRefused) {
    audio_.SetAudioDeviceID(9);
    EXPECT_FALSE(audio_.StartRecording());
    EXPECT_EQ(audio_.ErrorText(),
              "Could not open the input device for recording: no sound input device");
    audio_.SetAudioDeviceID(12);
    EXPECT_EQ(audio_.AudioDeviceID(), -1);

    audio_.Recorder().SetNoSamples(0);
    EXPECT_FALSE(audio_.StartRecording());
    EXPECT_TRUE(audio_.ErrorText().startsWith("Could not open the input device for recording: "));
    EXPECT_FALSE(audio_.Recording());
    EXPECT_EQ(TAudio::Version(), "4.0 (32bit)");
}

// Runs where the sound system has no input at all (the test command runs it once more with no
// server); with an input present there is nothing to check.
TEST(TAudioWithoutInputTest, EveryStartFailsWithTheReason) {
    if (!QMediaDevices::audioInputs().isEmpty()) GTEST_SKIP() << "this machine has a sound input";
    TAudio audio;
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_FALSE(audio.StartRecording());
        EXPECT_EQ(audio.ErrorText(),
                  "Could not open the input device for recording: no sound input device");
        EXPECT_FALSE(audio.Recording());
    }
}

}  // namespace
}  // namespace zt
