#pragma once
// RoomSweep: measures a room through the PC's default sound output and input, 48 kHz, 16 bits,
// mono. It records the room's background for a moment, plays a short sweep to check the level
// (too quiet or clipping ends the measurement with the reason), then plays the measuring sweep
// and records it with a tail for the sound system's latency and the room's decay. Everything
// runs on the thread that owns it; progress and the result arrive as signals.

#include <QAudioFormat>
#include <QBuffer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

#include "spectrum/level_check.h"
#include "spectrum/log_sweep.h"

class QAudioSink;
class QAudioSource;
class QIODevice;

namespace zt {

// What a finished measurement recorded: the sweep played and its recording from the moment
// playing started.
struct RoomRecording {
    std::vector<float> sweep;
    std::vector<float> recording;
    LevelCheck level;
};

class RoomSweep : public QObject {
    Q_OBJECT
public:
    // Seconds of background before the check, of the check sweep, and of recording after a
    // sweep has been played.
    static constexpr double kBackgroundSeconds = 0.5;
    static constexpr double kCheckSeconds = 0.5;
    static constexpr double kTailSeconds = 1.0;

    explicit RoomSweep(QObject* parent = nullptr);
    ~RoomSweep() override;

    // Starts a measurement with the sweep of `settings` (its sample rate is always 48 kHz).
    // False, with the reason in ErrorText, when there is no sound output or input for 48 kHz
    // 16-bit mono or the settings are out of range; nothing runs then.
    bool Start(const SweepSettings& settings = {});
    // Ends a running measurement at once, without a result; failed() reports it.
    void Cancel();
    bool Running() const { return phase_ != Phase::Idle; }
    QString ErrorText() const { return errorText_; }

    // The input's check recording judged against its background; with a verdict other than
    // Good, the measurement fails with it.
    static QString DescribeLevel(const LevelCheck& check);

signals:
    void levelChecked(const zt::LevelCheck& check);
    void progress(int percent);  // 0..100 over the measuring sweep
    void finished(const zt::RoomRecording& result);
    void failed(const QString& reason);

private:
    enum class Phase { Idle, Background, Check, Sweep };

    void OnInput();
    void EnterPhase(Phase phase, const std::vector<float>& playing);
    void PhaseDone();
    void Fail(const QString& reason);
    void Stop();
    std::size_t PhaseLength() const;

    QAudioFormat format_;
    std::unique_ptr<QAudioSource> source_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* input_ = nullptr;
    QBuffer output_;
    QByteArray outputBytes_;
    QTimer watchdog_;
    Phase phase_ = Phase::Idle;
    std::vector<float> sweep_;
    std::vector<float> checkSweep_;
    std::vector<float> background_;
    std::vector<float> recorded_;  // since the current phase began
    std::size_t playing_ = 0;      // samples the current phase plays
    LevelCheck level_;
    QString errorText_;
};

}  // namespace zt

Q_DECLARE_METATYPE(zt::RoomRecording)
Q_DECLARE_METATYPE(zt::LevelCheck)
