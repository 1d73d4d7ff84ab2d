// The feedback finder's capture against the test run's private sound server: a tone played into
// the pipe source is recorded in 16-bit and marked at its frequency; switched off, the finder
// marks nothing, and the spectrum display's own 8-bit capture runs beside it undisturbed.

#include "spectrum/qt/howl_capture.h"

#include <gtest/gtest.h>

#include <QMediaDevices>
#include <QTest>
#include <atomic>
#include <memory>

#include "support/sound_feeder.h"

namespace zt {
namespace {

using test::Sine;
using test::SoundFeeder;

class HowlCaptureTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string fifo = test::SoundFifoPath();
        ASSERT_FALSE(fifo.empty()) << test::kNoSoundServerText;
        feeder_ = std::make_unique<SoundFeeder>(fifo);
        ASSERT_TRUE(feeder_->ok());
        ASSERT_FALSE(QMediaDevices::defaultAudioInput().isNull());
    }

    bool MarkedNear(double hz) {
        const std::vector<HowlMark> marks = capture_.feed().Marks();
        return !marks.empty() && std::abs(marks[0].hz - hz) < 3.0;
    }

    std::unique_ptr<SoundFeeder> feeder_;
    HowlCapture capture_;
};

TEST_F(HowlCaptureTest, MarksATonePlayedIntoTheInputAndNothingOnceOff) {
    std::atomic<std::size_t> displayBlocks{0};
    TAudio display;  // the spectrum display's capture, 8-bit as always
    display.SetOnRecord([&](std::span<const std::uint8_t> left, std::span<const std::uint8_t>) {
        if (left.size() == 1024) ++displayBlocks;
    });
    ASSERT_TRUE(display.StartRecording()) << display.ErrorText().toStdString();

    feeder_->Play(Sine(1500.0, 40.0));
    ASSERT_TRUE(capture_.SetOn(true)) << capture_.ErrorText().toStdString();
    ASSERT_NE(capture_.audio(), nullptr);
    EXPECT_EQ(capture_.audio()->Recorder().BitsPerSample(), TBPS::Bits16);
    ASSERT_TRUE(QTest::qWaitFor([&] { return MarkedNear(1500.0); }, 20000))
        << "no marker near 1500 Hz within 20 s";
    EXPECT_TRUE(QTest::qWaitFor([&] { return displayBlocks >= 20; }, 20000));

    ASSERT_TRUE(capture_.SetOn(false));
    EXPECT_TRUE(capture_.feed().Marks().empty());
    EXPECT_TRUE(capture_.audio()->Paused());
    // On again at another frequency: the new tone is marked, the old one is forgotten.
    feeder_->Play(Sine(700.0, 40.0));
    QTest::qWait(300);  // the old tone still on its way through the server
    ASSERT_TRUE(capture_.SetOn(true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return MarkedNear(700.0); }, 20000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return capture_.feed().Marks().size() == 1; }, 20000));
}

}  // namespace
}  // namespace zt
