#pragma once
// The capture side of TAudio. It lives on TAudio's capture thread: it owns the QAudioSource,
// reads the recorded bytes into one buffer of the recorder's buffer size and, each time the
// buffer is full, runs the trigger scan and hands the buffer to the record handler. The buffers
// are made when recording starts; the capture path itself allocates nothing.

#include <QAudioDevice>
#include <QAudioFormat>
#include <QIODevice>
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "spectrum/recorder.h"

class QAudioSource;

namespace zt {

// Called on the capture thread with each delivered buffer: the first channel (or the whole
// buffer) and, with SplitChannels, the second channel. It must copy what it keeps.
using RecordHandler =
    std::function<void(std::span<const std::uint8_t> left, std::span<const std::uint8_t> right)>;

// What a recording runs with, fixed when it starts.
struct CaptureSettings {
    QAudioDevice device;
    QAudioFormat format;
    int bufferSize = 0;
    bool splitChannels = false;
    TBPS bits = TBPS::Bits8;
    std::int16_t trigLevel = 0;
};

class CaptureWorker : public QObject {
    Q_OBJECT
public:
    CaptureWorker(TRecorder& recorder, RecordHandler& onRecord);
    ~CaptureWorker() override;

    // Both run on the capture thread (TAudio calls them across threads and waits a while).
    // Open returns an empty text on success, else the whole error text, which it also keeps as
    // the late error in case nobody waited for it.
    Q_INVOKABLE QString Open(const zt::CaptureSettings& settings);
    Q_INVOKABLE void Close();

    // Called on the owner's thread: whether recording is wanted. A sound system that takes long
    // to start may finish an Open after the owner has stopped waiting, or even after it asked
    // to stop; such a recording is closed at once and delivers nothing.
    void SetWanted(bool wanted) { wanted_.store(wanted, std::memory_order_release); }
    // Called on the owner's thread: while paused the device stays open but the sound system
    // holds its samples back, so nothing wakes the capture thread; a part-filled buffer is
    // dropped. Takes effect on the capture thread, for a recording running or still to start.
    void SetPaused(bool paused);
    bool paused() const { return paused_.load(std::memory_order_acquire); }

    bool active() const { return active_.load(std::memory_order_acquire); }
    std::uint64_t buffersFilled() const { return buffersFilled_.load(std::memory_order_relaxed); }
    std::uint64_t buffersDelivered() const {
        return buffersDelivered_.load(std::memory_order_relaxed);
    }
    // The text of a failure after recording started, empty while none happened.
    QString lateError() const;

private:
    QString Start(const CaptureSettings& settings);
    void ReadRecorded();
    void Deliver();
    void OnStateChanged();
    // On the capture thread: suspends or resumes the source as `paused_` says.
    void ApplyPause();

    TRecorder& recorder_;
    RecordHandler& onRecord_;
    CaptureSettings settings_;
    std::unique_ptr<QAudioSource> source_;
    // The sound system deletes the device it read from when the stream fails (its server went
    // away, say), so the pointer must notice that.
    QPointer<QIODevice> io_;
    std::vector<std::uint8_t> buffer_;
    std::vector<std::uint8_t> left_;
    std::vector<std::uint8_t> right_;
    std::size_t filled_ = 0;
    std::atomic<bool> active_{false};
    std::atomic<bool> wanted_{false};
    std::atomic<bool> paused_{false};
    std::atomic<std::uint64_t> buffersFilled_{0};
    std::atomic<std::uint64_t> buffersDelivered_{0};
    mutable std::mutex errorLock_;
    QString lateError_;
};

// The platform's text for a sound-system error.
QString AudioErrorText(int error);
// The message, one space and the system's text, or the message alone when that text is empty.
QString ErrorText(const char* message, const QString& systemText);

}  // namespace zt

Q_DECLARE_METATYPE(zt::CaptureSettings)
