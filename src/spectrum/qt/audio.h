#pragma once
// TAudio: the sound-card capture component. It records from the system's default input device
// (or the input AudioDeviceID names) in the format of its TRecorder settings, on a capture thread
// of its own, and hands every filled buffer to OnRecord on that thread. Recording runs from
// StartRecording to StopRecording or the component's end.

#include <QString>
#include <QThread>
#include <functional>
#include <memory>

#include "spectrum/qt/capture_worker.h"
#include "spectrum/recorder.h"

namespace zt {

class TAudio {
public:
    TAudio();
    ~TAudio();  // stops recording

    TAudio(const TAudio&) = delete;
    TAudio& operator=(const TAudio&) = delete;

    // -1 is the system's default input; 0 .. 9 index the system's inputs; anything else is
    // stored as -1. Takes effect at the next start.
    int AudioDeviceID() const { return deviceId_; }
    void SetAudioDeviceID(int id) { deviceId_ = (id >= 0 && id < 10) ? id : -1; }

    // The format settings take effect at the next start; Triggered and the handler are shared
    // with the capture thread.
    TRecorder& Recorder() { return recorder_; }
    const TRecorder& Recorder() const { return recorder_; }
    static QString Version() { return QStringLiteral("4.0 (32bit)"); }

    // Set only while not recording.
    void SetOnRecord(RecordHandler handler);

    // Opens the device in the recorder's format and starts capture. False, with the reason in
    // ErrorText, when there is no such input device, when it cannot record that format (nothing
    // else is captured in its place) or when the sound system refuses to start.
    bool StartRecording();
    // A sound system that does not answer within a moment never holds up the caller: the start
    // then goes on in the background (Recording() turns true when it is done, a failure shows
    // in ErrorText), and a stop takes effect when the start is done.
    // Stops capture; no handler call happens after it returns. True also when not recording.
    bool StopRecording();
    bool Recording() const;
    // While paused the device stays open and recording resumes where the sound is then, but
    // nothing is captured and nothing wakes the capture thread; also before a start. Returns at
    // once.
    void SetPaused(bool paused) { worker_->SetPaused(paused); }
    bool Paused() const { return worker_->paused(); }

    // The last failure; nothing shows it to the user.
    QString ErrorText() const;

    // Buffers filled by the device since the component was made, and those handed to OnRecord.
    std::uint64_t BuffersFilled() const;
    std::uint64_t BuffersDelivered() const;

private:
    // Sets the error text of a failed opening.
    bool Fail(const QString& systemText);
    // Runs the work on the capture thread and waits for it a bounded time; false when the
    // capture thread did not get to it in that time.
    bool RunOnCaptureThread(std::function<void()> work);

    int deviceId_ = -1;
    TRecorder recorder_;
    RecordHandler onRecord_;
    QString errorText_;
    bool recording_ = false;
    // Left running, never destroyed, when the sound system holds it at the component's end.
    QThread* thread_;
    std::unique_ptr<CaptureWorker> worker_;
};

}  // namespace zt
