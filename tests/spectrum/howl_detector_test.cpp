#include "spectrum/howl_detector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "programme_signals.h"

namespace zt {
namespace {

using namespace testing_support;

constexpr double kProgrammeDb = -20.0;
constexpr double kTwentyFourthOctave = 1.0 / 24.0;

double Octaves(double a, double b) {
    return std::abs(std::log2(a / b));
}

// Speech of several voices and pitches, made once for all tests of this program.
const std::vector<float>& Speech() {
    static const std::vector<float> speech = [] {
        const char* const texts[] = {
            "Good evening everybody and welcome to the show. Tonight we have a long list of "
            "singers, so please keep your songs short, and remember that the microphone works "
            "best when you hold it close. Let us start with a song that everybody knows.",
            "One two, one two, check. Can you hear me at the back of the room? The sound is a "
            "little low on the left side, could you turn the monitor up a bit, please? Thank "
            "you, that is much better, now the next singer can come up to the stage.",
        };
        std::vector<float> all;
        for (const auto& [voice, pitch] : std::vector<std::pair<std::string, int>>{
                 {"en", 40}, {"en+f3", 60}, {"en+m3", 25}, {"en-us+f2", 75}}) {
            for (const char* text : texts) {
                const std::vector<float> part = EspeakSpeech(text, voice, pitch, kProgrammeDb);
                all.insert(all.end(), part.begin(), part.end());
            }
        }
        return all;
    }();
    return speech;
}

std::vector<float> Programme(const std::string& kind, double seconds, std::uint32_t seed) {
    if (kind == "pink noise") return PinkNoise(seconds, kProgrammeDb, seed);
    if (kind == "sung vowels") return SungVowels(seconds, kProgrammeDb, seed);
    const std::vector<float>& speech = Speech();
    const auto length = static_cast<std::size_t>(seconds * kProgrammeRate);
    std::vector<float> out(length);
    const std::size_t offset = (seed * 480000u) % std::max<std::size_t>(speech.size(), 1);
    for (std::size_t j = 0; j < length && !speech.empty(); ++j) {
        out[j] = speech[(offset + j) % speech.size()];
    }
    return out;
}

struct Detection {
    bool found = false;
    double seconds = 0.0;
    double hz = 0.0;
    int otherAlarms = 0;  // howls flagged at another frequency
};

// Feeds the signal block by block (as capture delivers it) and notes the first howl near `hz`.
Detection Detect(const std::vector<float>& signal, double hz) {
    HowlDetector detector;
    Detection detection;
    for (std::size_t at = 0; at + 1024 <= signal.size(); at += 1024) {
        detector.Process(std::span(signal).subspan(at, 1024));
        for (const Howl& howl : detector.Howls()) {
            if (Octaves(howl.hz, hz) > 1.0 / 12.0) {
                ++detection.otherAlarms;
            } else if (!detection.found) {
                detection = {true, static_cast<double>(at + 1024) / kProgrammeRate, howl.hz,
                             detection.otherAlarms};
            }
        }
    }
    return detection;
}

TEST(HowlDetectorTest, RefinesAPeakBetweenBins) {
    // The parabola's vertex of symmetric values lies on the middle bin; of a rising one beyond.
    EXPECT_DOUBLE_EQ(RefinePeak(-10.0, 0.0, -10.0).offset, 0.0);
    EXPECT_GT(RefinePeak(-12.0, 0.0, -3.0).offset, 0.2);
    EXPECT_DOUBLE_EQ(RefinePeak(0.0, 0.0, 0.0).offset, 0.0);  // flat: no vertex
    for (const double hz : {100.0, 111.7, 1000.0, 1011.7, 3456.0, 7990.0}) {
        std::vector<float> tone(48000);
        AddHowl(tone, {hz, 0.0, 0.0, -20.0, -20.0});
        HowlDetector detector;
        detector.Process(tone);
        ASSERT_EQ(detector.Howls().size(), 1u) << hz << " Hz";
        EXPECT_LT(std::abs(detector.Howls()[0].hz - hz), 0.1 * detector.BinHz()) << hz << " Hz";
        EXPECT_NEAR(detector.Howls()[0].levelDb, -17.0, 0.5) << hz << " Hz";  // RMS + 3 dB
    }
}

// Howls building up over programme at several rates: the time from the moment the howl stands
// 10 dB above the programme (RMS) to the flag (negative: flagged before), the howl's level over
// the programme then, and the error of the frequency found.
TEST(HowlDetectorTest, FlagsABuildingHowlAtItsFrequencyWithinAFewTenthsOfASecond) {
    ASSERT_FALSE(Speech().empty())
        << "espeak-ng and sox are needed (scripts/setup.sh installs them)";
    std::printf("%-12s %7s %8s %10s %10s %12s\n", "programme", "Hz", "dB/s", "delay s", "over dB",
                "error oct");
    double worstDelay = -10.0;
    double worstError = 0.0;
    std::uint32_t seed = 1;
    for (const std::string kind : {"pink noise", "speech", "sung vowels"}) {
        for (const double hz : {100.0, 180.0, 440.0, 1000.0, 1730.0, 3150.0, 5000.0, 8000.0}) {
            for (const double rate : {10.0, 30.0, 100.0}) {
                const HowlShape howl{hz, rate, 2.0, kProgrammeDb - 30.0, kProgrammeDb + 16.0};
                const double at10 = howl.startSeconds + 40.0 / rate;
                std::vector<float> signal = Programme(kind, at10 + 1.5, seed++);
                AddHowl(signal, howl);
                const Detection found = Detect(signal, hz);
                SCOPED_TRACE(kind + " " + std::to_string(hz) + " Hz " + std::to_string(rate) +
                             " dB/s");
                EXPECT_TRUE(found.found);
                if (!found.found) continue;
                const double delay = found.seconds - at10;
                const double over = HowlLevelAt(howl, found.seconds) - kProgrammeDb;
                const double error = Octaves(found.hz, hz);
                std::printf("%-12s %7.0f %8.0f %10.3f %10.1f %12.4f\n", kind.c_str(), hz, rate,
                            delay, over, error);
                EXPECT_LE(delay, 0.3);
                EXPECT_LE(error, kTwentyFourthOctave);
                EXPECT_EQ(found.otherAlarms, 0);
                worstDelay = std::max(worstDelay, delay);
                worstError = std::max(worstError, error);
            }
        }
    }
    std::printf("worst delay %.3f s, worst frequency error %.4f octave\n", worstDelay, worstError);
}

// The same over programme at several levels, from a quiet room to a loud one, in 16-bit
// samples as the finder's capture records them: the howl builds at 30 dB/s from 30 dB under the
// programme to 12 dB over it.
TEST(HowlDetectorTest, FlagsAHowlOverProgrammeAtEveryLevelInSixteenBitSamples) {
    ASSERT_FALSE(Speech().empty())
        << "espeak-ng and sox are needed (scripts/setup.sh installs them)";
    std::printf("%-12s %8s %7s %10s %12s\n", "programme", "level dB", "Hz", "delay s", "error oct");
    std::uint32_t seed = 100;
    for (const std::string kind : {"pink noise", "speech"}) {
        for (const double level : {-55.0, -35.0, -15.0}) {
            for (const double hz : {250.0, 1000.0, 4000.0}) {
                const double rate = 30.0;
                const HowlShape howl{hz, rate, 2.0, level - 30.0, level + 12.0};
                const double at10 = howl.startSeconds + 40.0 / rate;
                std::vector<float> signal = Programme(kind, at10 + 1.5, seed++);
                ScaleToRms(signal, level);
                AddHowl(signal, howl);
                for (float& s : signal) {
                    s = static_cast<float>(std::clamp(std::lround(s * 32767.0f), -32768L, 32767L)) /
                        32768.0f;
                }
                const Detection found = Detect(signal, hz);
                SCOPED_TRACE(kind + " at " + std::to_string(level) + " dB, " + std::to_string(hz) +
                             " Hz");
                ASSERT_TRUE(found.found);
                const double delay = found.seconds - at10;
                const double error = Octaves(found.hz, hz);
                std::printf("%-12s %8.0f %7.0f %10.3f %12.4f\n", kind.c_str(), level, hz, delay,
                            error);
                EXPECT_LE(delay, 0.3);
                EXPECT_LE(error, kTwentyFourthOctave);
                EXPECT_EQ(found.otherAlarms, 0);
            }
        }
    }
}

// Minutes of programme without a howl: speech of several voices, sung vowels with vibrato (and
// a straight start to every note, the classic false alarm), pink noise, and speech over noise.
TEST(HowlDetectorTest, RaisesNoFalseAlarmOverMinutesOfProgramme) {
    ASSERT_FALSE(Speech().empty())
        << "espeak-ng and sox are needed (scripts/setup.sh installs them)";
    struct Row {
        std::string kind;
        std::vector<float> signal;
    };
    std::vector<Row> rows;
    rows.push_back({"speech", Speech()});
    rows.push_back({"sung vowels, a woman", SungVowels(60.0, kProgrammeDb, 2)});
    rows.push_back({"sung vowels, a man", SungVowels(60.0, kProgrammeDb, 3)});
    rows.push_back({"pink noise", PinkNoise(60.0, kProgrammeDb, 4)});
    std::vector<float> mixed = PinkNoise(Speech().size() / kProgrammeRate, kProgrammeDb - 15, 5);
    for (std::size_t j = 0; j < mixed.size(); ++j) mixed[j] += Speech()[j];
    rows.push_back({"speech over noise", mixed});
    double minutes = 0.0;
    int alarms = 0;
    for (const Row& row : rows) {
        HowlDetector detector;
        int rowAlarms = 0;
        bool flagged = false;
        for (std::size_t at = 0; at + 1024 <= row.signal.size(); at += 1024) {
            detector.Process(std::span(row.signal).subspan(at, 1024));
            const bool now = !detector.Howls().empty();
            if (now && !flagged) {
                ++rowAlarms;
                std::printf("  alarm in %s at %.2f s: %.1f Hz\n", row.kind.c_str(),
                            at / kProgrammeRate, detector.Howls()[0].hz);
            }
            flagged = now;
        }
        const double rowMinutes = row.signal.size() / kProgrammeRate / 60.0;
        std::printf("%-22s %5.2f min, %d false alarms\n", row.kind.c_str(), rowMinutes, rowAlarms);
        minutes += rowMinutes;
        alarms += rowAlarms;
        EXPECT_EQ(rowAlarms, 0) << row.kind;
    }
    std::printf("%.1f minutes of programme, %d false alarms\n", minutes, alarms);
    EXPECT_GE(minutes, 5.0);
}

TEST(HowlDetectorTest, SilenceAndResetFlagNothing) {
    HowlDetector detector;
    detector.Process(std::vector<float>(48000, 0.0f));
    EXPECT_TRUE(detector.Howls().empty());
    std::vector<float> tone(48000);
    AddHowl(tone, {1000.0, 0.0, 0.0, -20.0, -20.0});
    detector.Process(tone);
    EXPECT_EQ(detector.Howls().size(), 1u);
    detector.Reset();
    EXPECT_TRUE(detector.Howls().empty());
    EXPECT_EQ(detector.Frames(), 0u);
    // 8-bit and 16-bit samples read as the same sound.
    std::vector<std::int16_t> wide(tone.size());
    std::vector<std::uint8_t> narrow(tone.size());
    for (std::size_t j = 0; j < tone.size(); ++j) {
        wide[j] = static_cast<std::int16_t>(std::lround(tone[j] * 32767.0f));
        narrow[j] = static_cast<std::uint8_t>(std::lround(128.0f + tone[j] * 127.0f));
    }
    for (const auto& feed : std::vector<std::function<void(HowlDetector&)>>{
             [&](HowlDetector& d) { d.Process(wide); },
             [&](HowlDetector& d) { d.Process(narrow); }}) {
        HowlDetector other;
        feed(other);
        ASSERT_EQ(other.Howls().size(), 1u);
        EXPECT_NEAR(other.Howls()[0].hz, 1000.0, 2.0);
    }
}

}  // namespace
}  // namespace zt
