// The spectrum display on the real window: bars behind the EQ curve from blocks handed to the
// display's feed, the 11-tick cycle, freezing during a marker drag, the two buttons, and the
// message when there is no sound card.
#include <QMediaDevices>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "support/sound_feeder.h"
#include "tests/spectrum/sound_blocks.h"
#include "tests/ui/eqgraph/graph_window.h"
#include "ui/app/spectrum_side.h"
#include "ui/spectrum/howl_finder_side.h"
#include "ui/spectrum/spectrum_scale.h"
#include "ui/widgets/bitmap_button.h"

namespace zt::test {
namespace {

using testing_support::SilenceBlock;
using testing_support::ToneBlock;

constexpr QRgb kBar = kSpectrumBarColour;

class SpectrumOnTheGraph : public GraphWindow {
protected:
    void SetUp() override {
        GraphWindow::SetUp();
        // The test steps Timer1 itself and hands the display its blocks: capture would add
        // whatever sound the server carries.
        app().timer1().stop();
        spectrum().audio().StopRecording();
    }
    SpectrumSide& spectrum() { return app().spectrum(); }
    SpectrumDisplay& display() { return spectrum().display(); }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) app().eqGraph().OnTimer1Tick();
    }
    void Offer(const std::vector<std::uint8_t>& block) { display().feed().Offer(block); }
    // Height of the bar in a column: from its top row of bar colour to the bottom of the plot
    // (the curve may cross it); 0 when the column has none.
    int BarRows(int x) {
        const int height = panel().image1->height();
        for (int y = 0; y < height; ++y) {
            if (PixelAt(x, y) == kBar) return height - y;
        }
        return 0;
    }
    int X(double hz) { return Round(graph().mapping().XOfFrequency(hz)); }
};

TEST_F(SpectrumOnTheGraph, BarsStandBehindTheCurveEveryElevenTicks) {
    display().SetAnalyserOn(true);
    Offer(ToneBlock(1000.0, 100.0));  // about -2 dB, its leakage far off below the floor
    Ticks(4);
    EXPECT_EQ(display().analysis().Magnitude(43), 0.0f) << "no analysis before tick 5";
    Ticks(1);
    EXPECT_GT(display().analysis().Magnitude(43), 80.0f);
    Ticks(5);
    EXPECT_EQ(BarRows(X(1000)), 0) << "drawn at tick 11, not before";
    Ticks(1);
    EXPECT_EQ(display().tickCounter(), 0);

    const int height = panel().image1->height();
    EXPECT_GT(BarRows(X(1000) - 1), height - 30) << "the 1 kHz bar reaches near the top";
    EXPECT_EQ(BarRows(X(15000)), 2) << "far off the floor stub";
    // The flat curve of the music page runs along 0 dB over the bar.
    const int curveY = Round(graph().mapping().YOfGain(0));
    EXPECT_NE(PixelAt(X(1000) - 1, curveY), kBar);
    EXPECT_EQ(PixelAt(X(1000) - 1, curveY + 4), kBar);

    // A full redraw of the curve draws the bars too.
    graph().DrawEqCurve(kAllItems, app().channel().selectedPage);
    EXPECT_GT(BarRows(X(1000) - 1), height - 30);
}

TEST_F(SpectrumOnTheGraph, BarsFollowThePlotSize) {
    ResizeWindow(QSize(1920, 1080));
    const int width = panel().image1->width();
    ASSERT_GT(width, 1500);
    display().SetAnalyserOn(true);
    Offer(ToneBlock(1000.0, 20.0));
    Ticks(11);
    const int step = width / kSpectrumNominalBars;
    ASSERT_EQ(display().bars().front().right, step - 1);
    EXPECT_EQ(display().bars().back().left, width / step * step);
    const auto tallest = std::min_element(display().bars().begin(), display().bars().end(),
                                          [](auto& a, auto& b) { return a.top < b.top; });
    EXPECT_LE(tallest->left, X(1000));
    EXPECT_GE(tallest->right, X(1000));
    EXPECT_GT(BarRows(tallest->left), panel().image1->height() / 2);
}

TEST_F(SpectrumOnTheGraph, BarsFreezeWhileAMarkerIsDraggedAndFollowAfterRelease) {
    display().SetAnalyserOn(true);
    Offer(ToneBlock(1000.0, 100.0));
    Ticks(11);
    ASSERT_GT(BarRows(X(1000) - 1), 100);

    EqMarker* marker = panel().markers[3];
    const QPoint centre(marker->width() / 2, marker->height() / 2);
    QTest::mousePress(marker, Qt::LeftButton, {}, centre);
    ASSERT_TRUE(app().eqGraph().drag().dragging);
    Ticks(1);               // the feed learns of the drag
    Offer(SilenceBlock());  // refused while dragging
    QTest::mouseMove(marker, centre + QPoint(30, -20));
    Ticks(22);
    EXPECT_GT(BarRows(X(1000) - 1), 100) << "frozen during the drag";
    EXPECT_EQ(display().tickCounter(), 0) << "the cycle stands still";

    QTest::mouseRelease(marker, Qt::LeftButton, {}, centre + QPoint(30, -20));
    Ticks(1);  // the feed learns of the release
    Offer(ToneBlock(3000.0, 100.0));
    Ticks(11);
    EXPECT_GT(BarRows(X(3000)), 100) << "after release the bars follow the sound again";
}

// The window's 10 ms tick runs while the analyser is on and stops with it.
TEST_F(SpectrumOnTheGraph, TheTickRunsOnlyWhileTheAnalyserIsOn) {
    if (!spectrum().soundCardPresent()) FAIL() << kNoSoundServerText;
    EXPECT_FALSE(app().timer1().isActive());
    panel().pinPpBtn->click();
    ASSERT_TRUE(display().analyserOn());
    EXPECT_TRUE(app().timer1().isActive());
    EXPECT_EQ(app().timer1().interval(), 10);
    panel().pinPpBtn->click();
    EXPECT_FALSE(app().timer1().isActive());
}

// Switching the analyser off removes the bars at once; switching it on again shows nothing of
// what was captured before, neither the last result nor a block that was never analysed.
TEST_F(SpectrumOnTheGraph, SwitchingOnAgainNeverShowsEarlierSound) {
    if (!spectrum().soundCardPresent()) FAIL() << kNoSoundServerText;
    BitmapButton* pinPp = panel().pinPpBtn;
    pinPp->click();
    ASSERT_TRUE(display().analyserOn());
    EXPECT_EQ(pinPp->hint(), "1");
    EXPECT_TRUE(pinPp->showsPressed());
    Offer(ToneBlock(1000.0, 100.0));
    Ticks(11);
    ASSERT_GT(BarRows(X(1000) - 1), 100);
    Offer(ToneBlock(2000.0, 100.0));  // not analysed before the switch
    Ticks(3);

    pinPp->click();
    EXPECT_FALSE(display().analyserOn());
    EXPECT_EQ(pinPp->hint(), "0");
    EXPECT_EQ(BarRows(X(1000) - 1), 0) << "the redraw after switching off has no bars";

    pinPp->click();
    EXPECT_EQ(display().tickCounter(), 3) << "the cycle goes on where it stood";
    Ticks(8);
    EXPECT_EQ(BarRows(X(1000) - 1), 2);
    EXPECT_EQ(BarRows(X(2000) + 2), 2);
    Offer(ToneBlock(2000.0, 100.0));
    Ticks(11);
    EXPECT_GT(BarRows(X(2000) + 2), 100);
    EXPECT_TRUE(messages_->shown.empty());
}

// While the analyser is on, the plot's right edge carries the bars' own decibel scale, a tick
// and a label every 10 dB from 0 dB to the floor; switched off, the graph is as before.
TEST_F(SpectrumOnTheGraph, TheBarsScaleStandsOnTheRightEdgeWhileTheAnalyserIsOn) {
    EXPECT_EQ(SpectrumScaleLevels(kSpectrumFloorDb),
              (std::vector<int>{0, -10, -20, -30, -40, -50}));
    EXPECT_EQ(SpectrumScaleLevels(kSpectrumLowTriggerFloorDb).back(), -60);
    const int width = panel().image1->width();
    const int height = panel().image1->height();
    const auto scalePixels = [&] {
        int count = 0;
        for (int x = width - 40; x < width; ++x) {
            for (int y = 0; y < height; ++y) count += PixelAt(x, y) == kSpectrumScaleColour;
        }
        return count;
    };
    EXPECT_EQ(scalePixels(), 0);
    display().SetAnalyserOn(true);
    Offer(SilenceBlock());
    Ticks(11);
    EXPECT_GT(scalePixels(), 20);
    for (const bool low : {false, true}) {
        display().SetLowTrigger(low);
        Ticks(11);
        const double floorDb = low ? kSpectrumLowTriggerFloorDb : kSpectrumFloorDb;
        for (const int level : SpectrumScaleLevels(floorDb)) {
            const int row = SpectrumScaleRow(level, height, floorDb);
            EXPECT_NEAR(row, SpectrumDbToY(level, height, floorDb), 1.0) << level << " dB";
            EXPECT_EQ(PixelAt(width - 2, row), kSpectrumScaleColour) << level << " dB, low " << low;
        }
    }
    // The button switches the analyser it shows as on to off: the full redraw has no scale.
    panel().pinPpBtn->click();
    EXPECT_FALSE(display().analyserOn());
    EXPECT_EQ(scalePixels(), 0);
}

TEST_F(SpectrumOnTheGraph, LowTriggerButtonLowersTheFloorAtTheNextDrawing) {
    std::vector<std::uint8_t> block = SilenceBlock();
    // A burst of a one-step tone, near -55 dB: under the normal floor, above the low one.
    const std::vector<std::uint8_t> burst = ToneBlock(1000.0, 1.0, 120);
    std::copy(burst.begin(), burst.end(), block.begin() + 452);
    display().SetAnalyserOn(true);
    Offer(block);
    Ticks(11);
    EXPECT_EQ(BarRows(X(1000) - 1), 2);

    BitmapButton* pinDcf = panel().pinDcfBtn;
    pinDcf->click();
    EXPECT_EQ(pinDcf->hint(), "1");
    EXPECT_TRUE(display().lowTrigger());
    EXPECT_EQ(BarRows(X(1000) - 1), 2) << "not before the next drawing";
    Ticks(11);
    EXPECT_GT(BarRows(X(1000) - 1), 20);
    pinDcf->click();
    EXPECT_FALSE(display().lowTrigger());
    EXPECT_EQ(pinDcf->hint(), "0");
}

// Runs where the sound system has no input (the test command runs it once more with no sound
// server); elsewhere there is nothing to check.
TEST_F(SpectrumOnTheGraph, WithoutASoundCardEveryPressSaysSoInTheCurrentLanguage) {
    if (!QMediaDevices::audioInputs().isEmpty()) GTEST_SKIP() << "this machine has a sound input";
    ASSERT_FALSE(spectrum().soundCardPresent());
    BitmapButton* pinPp = panel().pinPpBtn;
    for (int press = 0; press < 3; ++press) {
        pinPp->click();
        EXPECT_FALSE(display().analyserOn());
        EXPECT_EQ(pinPp->hint(), "0");
        EXPECT_FALSE(pinPp->showsPressed());
    }
    const QString chinese = QString::fromUtf8("没检测到音频设备");
    const QString english = QStringLiteral("Audio device is not detected");
    const bool wasChinese = app().language().chinese();
    ASSERT_EQ(messages_->shown.size(), 3u);
    EXPECT_EQ(messages_->shown[2].first, wasChinese ? chinese : english);
    app().OnLanguageButton();
    ASSERT_NE(app().language().chinese(), wasChinese);
    pinPp->click();
    ASSERT_EQ(messages_->shown.size(), 4u);
    EXPECT_EQ(messages_->shown[3].first, wasChinese ? english : chinese);
    Offer(ToneBlock(1000.0, 100.0));
    Ticks(22);
    EXPECT_EQ(BarRows(X(1000) - 1), 0);
}

// The feedback finder records on its own; without a sound input it too says so and stays off,
// and its notch button stays unusable.
TEST_F(SpectrumOnTheGraph, WithoutASoundCardTheHowlFinderSaysSoAndStaysOff) {
    if (!QMediaDevices::audioInputs().isEmpty()) GTEST_SKIP() << "this machine has a sound input";
    messages_->shown.clear();
    panel().howlFinderBtn->click();
    EXPECT_FALSE(app().windowState().finder.on);
    EXPECT_FALSE(app().howlFinder().capture().on());
    EXPECT_FALSE(panel().howlFinderBtn->showsPressed());
    EXPECT_FALSE(panel().notchBtn->isEnabled());
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].first,
              app().language().Pick("没检测到音频设备", "Audio device is not detected"));
}

}  // namespace
}  // namespace zt::test
