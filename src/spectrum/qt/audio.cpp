#include "spectrum/qt/audio.h"

#include <QMediaDevices>
#include <QMetaObject>
#include <QSemaphore>

namespace zt {
namespace {

const char* const kOpenFailure = "Could not open the input device for recording:";

// How long the window waits for the sound system to start or stop a recording. A device that
// produces no sound at all can keep the sound system's start waiting for ever.
constexpr int kAnswerMs = 3000;

QAudioFormat FormatOf(const TRecorder& recorder) {
    QAudioFormat format;
    format.setSampleRate(recorder.SampleRate());
    format.setChannelCount(recorder.ChannelCount());
    format.setSampleFormat(recorder.BitsPerSample() == TBPS::Bits16 ? QAudioFormat::Int16
                                                                    : QAudioFormat::UInt8);
    return format;
}

QString DescribeFormat(const TRecorder& recorder) {
    return QStringLiteral("%1-bit %2 at %3 Hz")
        .arg(recorder.BytesPerSample() * 8)
        .arg(recorder.ChannelCount() == 2 ? QStringLiteral("stereo") : QStringLiteral("mono"))
        .arg(recorder.SampleRate());
}

}  // namespace

TAudio::TAudio()
    : thread_(new QThread), worker_(std::make_unique<CaptureWorker>(recorder_, onRecord_)) {
    qRegisterMetaType<CaptureSettings>();
    thread_->setObjectName(QStringLiteral("sound capture"));
    worker_->moveToThread(thread_);
    thread_->start();
}

TAudio::~TAudio() {
    StopRecording();
    // The worker is destroyed on its own thread, where its objects live, after whatever that
    // thread still has to finish; it delivers nothing more once recording is no longer wanted.
    CaptureWorker* worker = worker_.release();
    QMetaObject::invokeMethod(
        worker, [worker] { delete worker; }, Qt::QueuedConnection);
    thread_->quit();
    if (thread_->wait(kAnswerMs)) {
        delete thread_;
    } else {
        qWarning("The sound system does not answer; its capture thread is left to end alone");
        QObject::connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
    }
}

bool TAudio::RunOnCaptureThread(std::function<void()> work) {
    auto done = std::make_shared<QSemaphore>();
    QMetaObject::invokeMethod(
        worker_.get(),
        [work = std::move(work), done] {
            work();
            done->release();
        },
        Qt::QueuedConnection);
    return done->tryAcquire(1, kAnswerMs);
}

void TAudio::SetOnRecord(RecordHandler handler) {
    if (!recording_) onRecord_ = std::move(handler);
}

bool TAudio::Fail(const QString& systemText) {
    errorText_ = zt::ErrorText(kOpenFailure, systemText);
    return false;
}

bool TAudio::StartRecording() {
    if (recording_) return true;
    const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
    QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (deviceId_ >= 0) device = deviceId_ < inputs.size() ? inputs[deviceId_] : QAudioDevice();
    if (device.isNull()) {
        return Fail(QStringLiteral("no sound input device"));
    }
    if (recorder_.BufferSize() <= 0 || recorder_.SampleRate() == 0) {
        return Fail(QStringLiteral("no buffer can hold %1 samples at %2 Hz")
                        .arg(recorder_.NoSamples())
                        .arg(recorder_.SampleRate()));
    }
    const QAudioFormat format = FormatOf(recorder_);
    if (!device.isFormatSupported(format)) {
        return Fail(QStringLiteral("%1 cannot record %2")
                        .arg(device.description(), DescribeFormat(recorder_)));
    }

    CaptureSettings settings;
    settings.device = device;
    settings.format = format;
    settings.bufferSize = recorder_.BufferSize();
    settings.splitChannels = recorder_.SplitChannels();
    settings.bits = recorder_.BitsPerSample();
    settings.trigLevel = recorder_.TrigLevel();
    auto failure = std::make_shared<QString>();
    CaptureWorker* worker = worker_.get();
    worker->SetWanted(true);
    const bool answered =
        RunOnCaptureThread([worker, settings, failure] { *failure = worker->Open(settings); });
    if (answered && !failure->isEmpty()) {
        worker->SetWanted(false);
        errorText_ = *failure;
        return false;
    }
    recording_ = true;
    return true;
}

bool TAudio::StopRecording() {
    if (!recording_) return true;
    CaptureWorker* worker = worker_.get();
    worker->SetWanted(false);
    RunOnCaptureThread([worker] { worker->Close(); });
    recording_ = false;
    return true;
}

bool TAudio::Recording() const {
    return recording_ && worker_->active();
}

QString TAudio::ErrorText() const {
    const QString late = worker_ ? worker_->lateError() : QString();
    return late.isEmpty() ? errorText_ : late;
}

std::uint64_t TAudio::BuffersFilled() const {
    return worker_->buffersFilled();
}

std::uint64_t TAudio::BuffersDelivered() const {
    return worker_->buffersDelivered();
}

}  // namespace zt
