#include "spectrum/log_sweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "spectrum/measured_response.h"
#include "spectrum/room_signals.h"

namespace zt {
namespace {

using testing_support::kRoomRate;
using testing_support::RoomDb;
using testing_support::ThroughRoom;

TEST(LogSweep, RisesExponentiallyBetweenItsEnds) {
    SweepSettings settings;
    settings.startHz = 100, settings.endHz = 10000, settings.seconds = 1.0;
    const std::vector<float> sweep = MakeLogSweep(settings);
    ASSERT_EQ(sweep.size(), 48000u);
    // Upward zero crossings around a time give the frequency there: 100 Hz * 100^t.
    for (double t : {0.25, 0.5, 0.75}) {
        const auto centre = static_cast<std::size_t>(t * kRoomRate);
        std::vector<double> crossings;
        for (std::size_t i = centre - 600; i < centre + 600; ++i) {
            if (sweep[i] <= 0 && sweep[i + 1] > 0) {
                crossings.push_back(i + sweep[i] / (sweep[i] - sweep[i + 1]));
            }
        }
        ASSERT_GE(crossings.size(), 3u);
        const double hz = (crossings.size() - 1) * kRoomRate / (crossings.back() - crossings[0]);
        EXPECT_NEAR(hz / (100 * std::pow(100.0, t)), 1.0, 0.02) << t;
    }
    const float peak = *std::max_element(sweep.begin(), sweep.end());
    EXPECT_NEAR(peak, 0.5, 1e-3);
    EXPECT_EQ(sweep.front(), 0.0f);  // faded in and out: no click
    EXPECT_EQ(sweep.back(), 0.0f);
}

TEST(LogSweep, RefusesSettingsOutOfRange) {
    auto with = [](auto change) {
        SweepSettings s;
        change(s);
        return s;
    };
    for (const SweepSettings& s : {with([](SweepSettings& s) { s.startHz = 0; }),
                                   with([](SweepSettings& s) { s.endHz = 24000; }),
                                   with([](SweepSettings& s) { s.endHz = s.startHz; }),
                                   with([](SweepSettings& s) { s.seconds = 0; }),
                                   with([](SweepSettings& s) { s.amplitude = 1.5; }),
                                   with([](SweepSettings& s) { s.fadeInSeconds = 5; })}) {
        EXPECT_THROW(MakeLogSweep(s), std::invalid_argument);
    }
}

TEST(LogSweep, SmoothFftLengthIsTheNextProductOfTwoThreeAndFive) {
    const std::pair<std::size_t, std::size_t> cases[] = {
        {0, 1}, {1, 1}, {7, 8}, {11, 12}, {48000, 48000}, {48001, 48600}, {262145, 262440}};
    for (auto [n, expected] : cases) EXPECT_EQ(SmoothFftLength(n), expected) << n;
}

// A sweep through a room of cookbook filters after a sound card's latency, recorded and
// deconvolved.
struct RoomCase {
    const char* name;
    std::vector<CookbookFilter> room;
    friend void PrintTo(const RoomCase& c, std::ostream* os) { *os << c.name; }
};

class SweepThroughRoom : public ::testing::TestWithParam<RoomCase> {};

TEST_P(SweepThroughRoom, GivesTheRoomsMagnitudeFrom50HzTo15kHz) {
    const std::vector<float> sweep = MakeLogSweep({});
    const std::size_t latency = 3000, tail = 24000;
    const std::vector<float> recording = ThroughRoom(sweep, GetParam().room, latency, tail);
    const SweepDeconvolver deconvolver(sweep, recording.size());
    const PowerSpectrum spectrum =
        WindowedPowerSpectrum(deconvolver.ImpulseResponse(recording), kRoomRate);
    for (Smoothing smoothing : {Smoothing::None, Smoothing::Twelfth, Smoothing::Sixth}) {
        const MeasuredResponse measured = SmoothedResponse(spectrum, smoothing, 50.0, 15000.0);
        ASSERT_EQ(measured.size(), 395u);  // 48 points an octave
        for (const ResponsePoint& p : measured) {
            ASSERT_NEAR(p.db, RoomDb(GetParam().room, p.hz), 0.5)
                << p.hz << " Hz, smoothing " << static_cast<int>(smoothing);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rooms, SweepThroughRoom,
                         ::testing::Values(RoomCase{"Straight", {}},
                                           RoomCase{"BoomAndDip",
                                                    {{CookbookType::Peaking, 120, 8, 2.0},
                                                     {CookbookType::Peaking, 2500, -6, 1.5}}},
                                           RoomCase{"ShelvesAndQuietLevel",
                                                    {{CookbookType::LowShelf, 150, 6, 0.7},
                                                     {CookbookType::HighShelf, 6000, -8, 0.7},
                                                     {CookbookType::Peaking, 1000, -20, 0.5}}},
                                           RoomCase{"LoudspeakerRollOff",
                                                    {{CookbookType::HighPass, 60, 0, 0.7},
                                                     {CookbookType::LowPass, 16000, 0, 0.7}}}),
                         [](const auto& info) { return info.param.name; });

TEST(SweepDeconvolution, LeavesDistortionAndNoiseOutOfTheResponse) {
    const std::vector<float> sweep = MakeLogSweep({});
    const std::vector<CookbookFilter> room{{CookbookType::Peaking, 400, 5, 1.0}};
    std::vector<float> recording = ThroughRoom(sweep, room, 500, 24000);
    // A loudspeaker's second and third harmonics at -30 dB, and hiss 50 dB below the sweep.
    std::mt19937 generator(7);
    std::normal_distribution<float> hiss(0.0f, 0.5f * 0.7f * 0.00316f);
    for (float& s : recording) s = s + 0.03f * s * s + 0.03f * s * s * s + hiss(generator);
    const SweepDeconvolver deconvolver(sweep, recording.size());
    const MeasuredResponse measured =
        SmoothedResponse(WindowedPowerSpectrum(deconvolver.ImpulseResponse(recording), kRoomRate),
                         Smoothing::Sixth, 50.0, 15000.0);
    for (const ResponsePoint& p : measured) ASSERT_NEAR(p.db, RoomDb(room, p.hz), 0.5) << p.hz;
}

TEST(SweepDeconvolution, TakesARecordingOfAnyLengthUpToTheLongest) {
    const std::vector<float> sweep = MakeLogSweep({.seconds = 1.0});
    const SweepDeconvolver deconvolver(sweep, 60000);
    EXPECT_GE(deconvolver.Length(), 60000 + sweep.size());
    for (std::size_t length : {std::size_t{0}, std::size_t{100}, std::size_t{200000}}) {
        const std::vector<float> recording(length, 0.25f);
        const std::vector<float> response = deconvolver.ImpulseResponse(recording);
        EXPECT_EQ(response.size(), deconvolver.Length());
        EXPECT_TRUE(std::all_of(response.begin(), response.end(),
                                [](float v) { return std::isfinite(v); }));
    }
}

}  // namespace
}  // namespace zt
