#pragma once
// Programme material for the feedback finder's tests, made at test time at 48 kHz as floats in
// -1 .. 1: pink noise, sung vowels with vibrato (a small additive voice of its own), speech from
// espeak-ng (resampled by sox), and a howl: a sine that builds up at a steady rate.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace zt::testing_support {

inline constexpr double kProgrammeRate = 48000.0;

inline double RmsDb(const std::vector<float>& signal) {
    double sum = 0.0;
    for (const float s : signal) sum += static_cast<double>(s) * s;
    return 10.0 *
           std::log10(sum / static_cast<double>(std::max<std::size_t>(signal.size(), 1)) + 1e-30);
}

// Scales the signal to an RMS level in dB relative to full scale (a full-scale sine is -3 dB).
inline void ScaleToRms(std::vector<float>& signal, double rmsDb) {
    const auto gain = static_cast<float>(std::pow(10.0, (rmsDb - RmsDb(signal)) / 20.0));
    for (float& s : signal) s *= gain;
}

// Pink noise (Paul Kellet's filter of white noise).
inline std::vector<float> PinkNoise(double seconds, double rmsDb, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> white(0.0, 1.0);
    std::vector<float> out(static_cast<std::size_t>(seconds * kProgrammeRate));
    double b0 = 0, b1 = 0, b2 = 0, b3 = 0, b4 = 0, b5 = 0, b6 = 0;
    for (float& s : out) {
        const double w = white(random);
        b0 = 0.99886 * b0 + w * 0.0555179;
        b1 = 0.99332 * b1 + w * 0.0750759;
        b2 = 0.96900 * b2 + w * 0.1538520;
        b3 = 0.86650 * b3 + w * 0.3104856;
        b4 = 0.55000 * b4 + w * 0.5329522;
        b5 = -0.7616 * b5 - w * 0.0168980;
        s = static_cast<float>(b0 + b1 + b2 + b3 + b4 + b5 + b6 + w * 0.5362);
        b6 = w * 0.115926;
    }
    ScaleToRms(out, rmsDb);
    return out;
}

// One sung note: a harmonic voice on the vowel "ah" (formants 700, 1220 and 2600 Hz), held
// straight for a moment and then with vibrato of `depthCents` at about 5.5 Hz, with a soft
// onset and release.
struct SungNote {
    double f0 = 220.0;
    double seconds = 2.0;
    double depthCents = 50.0;
    double straightSeconds = 0.3;
};

inline double VowelEnvelope(double hz) {
    double gain = 0.0;
    for (const auto& [centre, width, level] :
         {std::array{700.0, 110.0, 1.0}, std::array{1220.0, 120.0, 0.5},
          std::array{2600.0, 160.0, 0.25}}) {
        const double x = (hz - centre) / width;
        gain += level / (1.0 + x * x);
    }
    // The glottal source falls about 12 dB per octave.
    return gain * std::min(1.0, 100.0 * 100.0 / (hz * hz) + 0.02);
}

inline void AddSungNote(std::vector<float>& out, std::size_t start, const SungNote& note,
                        std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> jitter(0.9, 1.1);
    const double rate = 5.5 * jitter(random);
    const auto length = static_cast<std::size_t>(note.seconds * kProgrammeRate);
    const int harmonics = static_cast<int>(8000.0 / note.f0);
    std::vector<double> gains(harmonics + 1, 0.0);
    for (int h = 1; h <= harmonics; ++h) gains[h] = VowelEnvelope(h * note.f0) * jitter(random);
    const double* gain = gains.data();
    double phase = 0.0;  // the fundamental's; harmonic h stands at h times it
    double vibratoPhase = 0.0;
    for (std::size_t j = 0; j < length && start + j < out.size(); ++j) {
        const double t = static_cast<double>(j) / kProgrammeRate;
        // Vibrato grows in after the straight start.
        const double depth =
            note.depthCents * std::clamp((t - note.straightSeconds) / 0.3, 0.0, 1.0);
        vibratoPhase += 2.0 * std::numbers::pi * rate / kProgrammeRate;
        const double f0 = note.f0 * std::pow(2.0, depth * std::sin(vibratoPhase) / 1200.0);
        const double envelope =
            std::min({1.0, t / 0.05, (note.seconds - t) / 0.08}) * (1.0 + 0.1 * std::sin(0.7 * t));
        phase += 2.0 * std::numbers::pi * f0 / kProgrammeRate;
        if (phase > 2.0 * std::numbers::pi) phase -= 2.0 * std::numbers::pi;
        // sin(h phase) for every harmonic from one sine and one cosine:
        // sin((h + 1) x) = 2 cos(x) sin(h x) - sin((h - 1) x).
        const double twiceCos = 2.0 * std::cos(phase);
        double sine = std::sin(phase), below = 0.0, sample = 0.0;
        for (int h = 1; h <= harmonics; ++h) {
            sample += gain[h] * sine;
            const double above = twiceCos * sine - below;
            below = sine;
            sine = above;
        }
        out[start + j] += static_cast<float>(envelope * sample);
    }
}

// A melody of sung notes, one after the other with short breaths, some with little vibrato.
inline std::vector<float> SungVowels(double seconds, double rmsDb, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> semitone(-9, 12);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<float> out(static_cast<std::size_t>(seconds * kProgrammeRate), 0.0f);
    std::size_t at = 0;
    const double base = seed % 2 == 0 ? 220.0 : 130.8;  // a woman's and a man's voice
    while (at < out.size()) {
        SungNote note;
        note.f0 = base * std::pow(2.0, semitone(random) / 12.0);
        note.seconds = 0.6 + 2.4 * unit(random);
        note.depthCents = 15.0 + 60.0 * unit(random);
        note.straightSeconds = 0.1 + 0.5 * unit(random);
        AddSungNote(out, at, note, static_cast<std::uint32_t>(random()));
        at += static_cast<std::size_t>((note.seconds + 0.05 + 0.3 * unit(random)) * kProgrammeRate);
    }
    ScaleToRms(out, rmsDb);
    return out;
}

// Speech from espeak-ng, resampled to 48 kHz by sox; empty when either is missing.
inline std::vector<float> EspeakSpeech(const std::string& text, const std::string& voice, int pitch,
                                       double rmsDb) {
    const std::string command = "espeak-ng -v " + voice + " -p " + std::to_string(pitch) +
                                " -s 160 --stdout \"" + text +
                                "\" 2>/dev/null | sox -t wav - -t raw -r 48000 -e signed -b 16 "
                                "-c 1 - 2>/dev/null";
    std::vector<float> out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    std::int16_t buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, sizeof(std::int16_t), 4096, pipe)) > 0) {
        for (std::size_t j = 0; j < got; ++j)
            out.push_back(static_cast<float>(buffer[j]) / 32768.0f);
    }
    pclose(pipe);
    if (!out.empty()) ScaleToRms(out, rmsDb);
    return out;
}

// A howl: a sine of `hz` that starts `startDb` below the level `targetDb` (RMS, dB) and builds up
// at `dbPerSecond` until it stands at `targetDb + 20`, where it holds (the system would clip).
struct HowlShape {
    double hz = 1000.0;
    double dbPerSecond = 20.0;
    double startSeconds = 1.0;
    double startDb = -60.0;  // RMS at the start
    double holdDb = -6.0;    // RMS where it stops growing
};

// RMS level of the howl at time t, dB; -inf before its start.
inline double HowlLevelAt(const HowlShape& howl, double t) {
    if (t < howl.startSeconds) return -1000.0;
    return std::min(howl.holdDb, howl.startDb + (t - howl.startSeconds) * howl.dbPerSecond);
}

inline void AddHowl(std::vector<float>& out, const HowlShape& howl) {
    for (std::size_t j = 0; j < out.size(); ++j) {
        const double t = static_cast<double>(j) / kProgrammeRate;
        const double level = HowlLevelAt(howl, t);
        if (level < -300.0) continue;
        const double amplitude = std::sqrt(2.0) * std::pow(10.0, level / 20.0);
        out[j] +=
            static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * howl.hz * t + 0.3));
    }
}

}  // namespace zt::testing_support
