#include "spectrum/qt/capture_worker.h"

#include <QAudioSource>
#include <new>

namespace zt {

QString AudioErrorText(int error) {
    switch (static_cast<QAudio::Error>(error)) {
        case QAudio::NoError:
            return {};
        case QAudio::OpenError:
            return QStringLiteral("An error occurred opening the audio device");
        case QAudio::IOError:
            return QStringLiteral("An error occurred during read/write of audio device");
        case QAudio::UnderrunError:
            return QStringLiteral(
                "Audio data is not being fed to the audio device at a fast enough rate");
        case QAudio::FatalError:
            return QStringLiteral(
                "A non-recoverable error has occurred, the audio device is not usable");
    }
    return QStringLiteral("Unknown sound system error");
}

QString ErrorText(const char* message, const QString& systemText) {
    const QString text = QString::fromLatin1(message);
    return systemText.isEmpty() ? text : text + QLatin1Char(' ') + systemText;
}

CaptureWorker::CaptureWorker(TRecorder& recorder, RecordHandler& onRecord)
    : recorder_(recorder), onRecord_(onRecord) {}

CaptureWorker::~CaptureWorker() {
    Close();
}

QString CaptureWorker::Open(const CaptureSettings& settings) {
    Close();
    const QString failure = Start(settings);
    std::lock_guard lock(errorLock_);
    lateError_ = failure;
    return failure;
}

QString CaptureWorker::Start(const CaptureSettings& settings) {
    settings_ = settings;
    const auto size = static_cast<std::size_t>(settings.bufferSize);
    try {
        buffer_.assign(size, 0);
        left_.assign(settings.splitChannels ? size / 2 : 0, 0);
        right_.assign(settings.splitChannels ? size / 2 : 0, 0);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Not enough memory to allocate Wave Buffer");
    }
    filled_ = 0;

    source_ = std::make_unique<QAudioSource>(settings.device, settings.format);
    // A few buffers of room in the sound system, so a busy moment loses nothing.
    source_->setBufferSize(4 * settings.bufferSize);
    io_ = source_->start();
    if (io_ == nullptr || source_->error() != QAudio::NoError) {
        const QAudio::Error error = source_->error();
        source_.reset();
        io_ = nullptr;
        // A device that opened but would not run fails to start; anything else fails to open.
        const bool opened = error != QAudio::NoError && error != QAudio::OpenError;
        return ErrorText(opened ? "Error starting wave record:"
                                : "Could not open the input device for recording:",
                         AudioErrorText(error));
    }
    if (!wanted_.load(std::memory_order_acquire)) {
        Close();  // stopped while the sound system was still starting
        return {};
    }
    connect(io_, &QIODevice::readyRead, this, &CaptureWorker::ReadRecorded);
    connect(source_.get(), &QAudioSource::stateChanged, this, &CaptureWorker::OnStateChanged);
    active_.store(true, std::memory_order_release);
    ApplyPause();
    return {};
}

void CaptureWorker::SetPaused(bool paused) {
    paused_.store(paused, std::memory_order_release);
    QMetaObject::invokeMethod(this, &CaptureWorker::ApplyPause, Qt::QueuedConnection);
}

void CaptureWorker::ApplyPause() {
    if (!source_) return;
    const bool suspended = source_->state() == QAudio::SuspendedState;
    if (paused() && !suspended) {
        source_->suspend();
        filled_ = 0;  // the rest of this buffer would come after the pause
    } else if (!paused() && suspended) {
        source_->resume();
    }
}

void CaptureWorker::Close() {
    active_.store(false, std::memory_order_release);
    if (!source_) return;
    source_->disconnect(this);
    if (io_) io_->disconnect(this);
    source_->stop();
    source_.reset();
    io_ = nullptr;
    filled_ = 0;  // a part-filled buffer is never delivered
}

QString CaptureWorker::lateError() const {
    std::lock_guard lock(errorLock_);
    return lateError_;
}

void CaptureWorker::ReadRecorded() {
    // The sound system suspends a source only once it runs; what comes before is dropped here.
    if (paused()) {
        ApplyPause();
        while (io_ != nullptr && io_->read(reinterpret_cast<char*>(buffer_.data()),
                                           static_cast<qint64>(buffer_.size())) > 0) {
        }
        filled_ = 0;
        return;
    }
    // A pause asked for while reading ends the delivery at once, not after what is buffered.
    while (io_ != nullptr && active() && wanted_.load(std::memory_order_acquire) && !paused()) {
        const qint64 got = io_->read(reinterpret_cast<char*>(buffer_.data() + filled_),
                                     static_cast<qint64>(buffer_.size() - filled_));
        if (got <= 0) return;
        filled_ += static_cast<std::size_t>(got);
        if (filled_ == buffer_.size()) {
            Deliver();
            filled_ = 0;
        }
    }
}

void CaptureWorker::Deliver() {
    buffersFilled_.fetch_add(1, std::memory_order_relaxed);
    if (!recorder_.Triggered() && ReachesTrigger(buffer_, settings_.bits, settings_.trigLevel)) {
        recorder_.SetTriggered(true);
    }
    if (!recorder_.Triggered() || !onRecord_) return;
    buffersDelivered_.fetch_add(1, std::memory_order_relaxed);
    if (settings_.splitChannels) {
        SplitStereo(buffer_, settings_.bits, left_, right_);
        onRecord_(left_, right_);
    } else {
        onRecord_(buffer_, {});
    }
}

void CaptureWorker::OnStateChanged() {
    if (!source_) return;
    if (source_->error() == QAudio::NoError) {
        ApplyPause();
        return;
    }
    // The device went away or failed while recording: the bars simply stop changing.
    if (source_->state() == QAudio::StoppedState) active_.store(false, std::memory_order_release);
    std::lock_guard lock(errorLock_);
    lateError_ = ErrorText("Error adding input buffer", AudioErrorText(source_->error()));
}

}  // namespace zt
