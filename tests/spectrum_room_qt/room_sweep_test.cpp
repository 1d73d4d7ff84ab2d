// A room measurement on a real sound server: the test run's private PulseAudio server whose
// default output runs through two parametric EQs of swh-plugins into a null sink, whose monitor
// is the default input (scripts/sound-test-server.sh, room mode). That chain is the room.
#include "spectrum/qt/room_sweep.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <complex>
#include <numbers>

#include "eqgraph/room_fit.h"
#include "spectrum/measured_response.h"

namespace zt {
namespace {

// The EQ's peaking filter (the cookbook's, with its width in octaves) at 48 kHz.
double PeakingDb(double hz, double gainDb, double centreHz, double octaves) {
    const double a = std::pow(10.0, gainDb / 40), w0 = 2 * std::numbers::pi * centreHz / 48000;
    const double alpha = std::sin(w0) * std::sinh(std::log(2.0) / 2 * octaves * w0 / std::sin(w0));
    const std::complex<double> z = std::polar(1.0, -2 * std::numbers::pi * hz / 48000);
    const std::complex<double> h =
        (1 + alpha * a - 2 * std::cos(w0) * z + (1 - alpha * a) * z * z) /
        (1 + alpha / a - 2 * std::cos(w0) * z + (1 - alpha / a) * z * z);
    return 20 * std::log10(std::abs(h));
}

// The room the server carries.
double RoomDb(double hz) {
    return PeakingDb(hz, -6, 200, 1) + PeakingDb(hz, 5, 3000, 1.5);
}

class RoomSweepTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Before anything asks the sound system: the room's server, not the general one.
        qputenv("PULSE_SERVER", "unix:" ZT_ROOM_SOUND_DIR "/native");
    }

    // Runs a measurement to its end: the recording, or the reason it failed.
    static std::optional<RoomRecording> Measure(RoomSweep& sweep, const SweepSettings& settings,
                                                QString* failure) {
        QSignalSpy finished(&sweep, &RoomSweep::finished);
        QSignalSpy failed(&sweep, &RoomSweep::failed);
        if (!sweep.Start(settings)) {
            *failure = sweep.ErrorText();
            return std::nullopt;
        }
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return !finished.isEmpty() || !failed.isEmpty(); }, 60000));
        if (!failed.isEmpty()) *failure = failed.first().first().toString();
        if (finished.isEmpty()) return std::nullopt;
        return finished.first().first().value<RoomRecording>();
    }
};

TEST_F(RoomSweepTest, MeasuresTheRoomAndTheFitFlattensIt) {
    RoomSweep sweep;
    QSignalSpy progress(&sweep, &RoomSweep::progress);
    QString failure;
    const std::optional<RoomRecording> result = Measure(sweep, {.amplitude = 0.3}, &failure);
    ASSERT_TRUE(result) << failure.toStdString();
    EXPECT_EQ(result->level.verdict, LevelVerdict::Good);
    EXPECT_GE(progress.size(), 2);
    EXPECT_EQ(progress.last().first().toInt(), 100);

    const MeasuredResponse measured =
        MeasureSweepRecording(result->sweep, result->recording, 48000.0, Smoothing::Sixth);
    // The server's level is the room's: only the shape is compared, at the level of 1 kHz.
    const auto at1k = std::lower_bound(measured.begin(), measured.end(), 1000.0,
                                       [](const ResponsePoint& p, double hz) { return p.hz < hz; });
    ASSERT_NE(at1k, measured.end());
    const double offset = at1k->db - RoomDb(at1k->hz);
    EXPECT_NEAR(offset, 0.0, 1.0);  // a sink and a monitor at unit gain
    for (const ResponsePoint& p : measured) {
        if (p.hz < 50 || p.hz > 15000) continue;
        ASSERT_NEAR(p.db - offset, RoomDb(p.hz), 0.5) << p.hz << " Hz";
    }

    ExchangeFitter fitter;
    const ExchangeSettings bands{
        std::vector<ExchangeBand>(15, ExchangeBand{0, 100, 120, 16, 10}), {}, {}};
    const RoomFit fit = FitRoom(ResponseOnGrid(measured), bands, {}, fitter);
    const int first = static_cast<int>(std::ceil(ResponseGrid::IndexOfFrequency(100)));
    const int last = static_cast<int>(std::floor(ResponseGrid::IndexOfFrequency(10000)));
    const CurveDeviation deviation = DeviationOf(fit.predicted, fit.target, first, last);
    EXPECT_LE(deviation.largestDb, 1.0) << "at " << deviation.atHz() << " Hz";
}

TEST_F(RoomSweepTest, ATooQuietInputEndsTheMeasurementAfterTheCheck) {
    RoomSweep sweep;
    QSignalSpy checked(&sweep, &RoomSweep::levelChecked);
    QString failure;
    EXPECT_FALSE(Measure(sweep, {.amplitude = 0.0005}, &failure));
    ASSERT_EQ(checked.size(), 1);
    EXPECT_EQ(checked.first().first().value<LevelCheck>().verdict, LevelVerdict::TooQuiet);
    EXPECT_TRUE(failure.contains(QStringLiteral("too quiet"))) << failure.toStdString();
    EXPECT_FALSE(sweep.Running());
}

TEST_F(RoomSweepTest, CancelEndsAtOnce) {
    RoomSweep sweep;
    QSignalSpy failed(&sweep, &RoomSweep::failed);
    QSignalSpy finished(&sweep, &RoomSweep::finished);
    ASSERT_TRUE(sweep.Start({.amplitude = 0.3})) << sweep.ErrorText().toStdString();
    QTest::qWait(300);
    sweep.Cancel();
    EXPECT_FALSE(sweep.Running());
    ASSERT_EQ(failed.size(), 1);
    // Nothing arrives after a cancel, and a new measurement can start.
    QTest::qWait(500);
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_EQ(failed.size(), 1);
    EXPECT_TRUE(sweep.Start({.seconds = 1.0, .amplitude = 0.3}));
    sweep.Cancel();
}

}  // namespace
}  // namespace zt
