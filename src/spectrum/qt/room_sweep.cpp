#include "spectrum/qt/room_sweep.h"

#include <QAudioSink>
#include <QAudioSource>
#include <QMediaDevices>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace zt {
namespace {

constexpr int kRate = 48000;
// A phase that has not ended this long after it should have: the sound system stalled.
constexpr int kStallMs = 5000;

std::size_t Samples(double seconds) {
    return static_cast<std::size_t>(std::lround(seconds * kRate));
}

QByteArray Pcm16(const std::vector<float>& samples) {
    QByteArray bytes(static_cast<qsizetype>(samples.size() * 2), Qt::Uninitialized);
    auto* out = reinterpret_cast<std::int16_t*>(bytes.data());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        out[i] = static_cast<std::int16_t>(
            std::clamp(std::lround(samples[i] * 32767.0), -32768L, 32767L));
    }
    return bytes;
}

}  // namespace

RoomSweep::RoomSweep(QObject* parent) : QObject(parent) {
    format_.setSampleRate(kRate);
    format_.setChannelCount(1);
    format_.setSampleFormat(QAudioFormat::Int16);
    watchdog_.setSingleShot(true);
    connect(&watchdog_, &QTimer::timeout, this, [this] {
        Fail(tr("The sound card stopped playing or recording during the measurement."));
    });
}

RoomSweep::~RoomSweep() {
    Stop();
}

bool RoomSweep::Start(const SweepSettings& settings) {
    if (Running()) return true;
    SweepSettings s = settings;
    s.sampleRate = kRate;
    SweepSettings check = s;
    check.seconds = kCheckSeconds;
    check.fadeInSeconds = std::min(s.fadeInSeconds, kCheckSeconds / 4);
    try {
        sweep_ = MakeLogSweep(s);
        checkSweep_ = MakeLogSweep(check);
    } catch (const std::invalid_argument&) {
        errorText_ = tr("The sweep's settings are out of range.");
        return false;
    }
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    const QAudioDevice input = QMediaDevices::defaultAudioInput();
    if (output.isNull() || input.isNull()) {
        errorText_ = tr("A measurement needs a sound output and a sound input.");
        return false;
    }
    if (!output.isFormatSupported(format_) || !input.isFormatSupported(format_)) {
        errorText_ = tr("The sound card cannot play and record 48 kHz 16-bit sound.");
        return false;
    }
    source_ = std::make_unique<QAudioSource>(input, format_);
    sink_ = std::make_unique<QAudioSink>(output, format_);
    input_ = source_->start();
    if (input_ == nullptr || source_->error() != QAudio::NoError) {
        source_.reset();
        sink_.reset();
        errorText_ = tr("The sound input could not be opened for recording.");
        return false;
    }
    connect(input_, &QIODevice::readyRead, this, &RoomSweep::OnInput);
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::StoppedState && sink_ && sink_->error() != QAudio::NoError &&
            sink_->error() != QAudio::UnderrunError) {
            Fail(tr("The sound output failed during the measurement."));
        }
    });
    errorText_.clear();
    background_.clear();
    EnterPhase(Phase::Background, {});
    return true;
}

void RoomSweep::Cancel() {
    if (Running()) Fail(tr("The measurement was cancelled."));
}

QString RoomSweep::DescribeLevel(const LevelCheck& check) {
    switch (check.verdict) {
        case LevelVerdict::Good:
            return {};
        case LevelVerdict::Clipping:
            return tr("The input clips (%1 samples at full scale): turn the input or the "
                      "loudspeaker down and measure again.")
                .arg(check.clippedSamples);
        case LevelVerdict::TooQuiet:
            return tr("The input is too quiet (peak %1 dBFS, %2 dB above the background): turn "
                      "the input or the loudspeaker up and measure again.")
                .arg(check.peakDbfs, 0, 'f', 1)
                .arg(check.rmsDbfs - check.backgroundRmsDbfs, 0, 'f', 1);
    }
    return {};
}

std::size_t RoomSweep::PhaseLength() const {
    if (phase_ == Phase::Background) return Samples(kBackgroundSeconds);
    return playing_ + Samples(kTailSeconds);
}

void RoomSweep::EnterPhase(Phase phase, const std::vector<float>& playing) {
    phase_ = phase;
    recorded_.clear();
    playing_ = playing.size();
    if (!playing.empty()) {
        sink_->stop();
        output_.close();
        outputBytes_ = Pcm16(playing);
        output_.setData(outputBytes_);
        output_.open(QIODevice::ReadOnly);
        sink_->start(&output_);
    }
    watchdog_.start(static_cast<int>(PhaseLength() * 1000 / kRate) + kStallMs);
}

void RoomSweep::OnInput() {
    if (!Running() || input_ == nullptr) return;
    const QByteArray bytes = input_->readAll();
    const auto* pcm = reinterpret_cast<const std::int16_t*>(bytes.constData());
    const std::vector<float> samples =
        SamplesFromPcm16({pcm, static_cast<std::size_t>(bytes.size() / 2)});
    recorded_.insert(recorded_.end(), samples.begin(), samples.end());
    if (phase_ == Phase::Sweep) {
        emit progress(
            static_cast<int>(std::min<std::size_t>(100, recorded_.size() * 100 / PhaseLength())));
    }
    if (recorded_.size() >= PhaseLength()) PhaseDone();
}

void RoomSweep::PhaseDone() {
    recorded_.resize(PhaseLength());
    switch (phase_) {
        case Phase::Background:
            background_ = std::move(recorded_);
            EnterPhase(Phase::Check, checkSweep_);
            return;
        case Phase::Check:
            level_ = CheckLevel(recorded_, background_);
            emit levelChecked(level_);
            if (level_.verdict != LevelVerdict::Good) return Fail(DescribeLevel(level_));
            EnterPhase(Phase::Sweep, sweep_);
            return;
        case Phase::Sweep: {
            RoomRecording result{sweep_, std::move(recorded_), level_};
            Stop();
            emit progress(100);
            emit finished(result);
            return;
        }
        case Phase::Idle:
            return;
    }
}

void RoomSweep::Fail(const QString& reason) {
    Stop();
    errorText_ = reason;
    emit failed(reason);
}

void RoomSweep::Stop() {
    phase_ = Phase::Idle;
    watchdog_.stop();
    if (sink_) sink_->stop();
    if (source_) source_->stop();
    input_ = nullptr;
    // Stopping may come from one of their own signals: they go once that has returned.
    if (sink_) sink_.release()->deleteLater();
    if (source_) source_.release()->deleteLater();
    output_.close();
}

}  // namespace zt
