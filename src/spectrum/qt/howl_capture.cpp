#include "spectrum/qt/howl_capture.h"

namespace zt {

HowlCapture::HowlCapture() = default;

HowlCapture::~HowlCapture() {
    audio_.reset();
}

bool HowlCapture::SetOn(bool on) {
    if (!on) {
        feed_.SetOn(false);
        if (audio_) audio_->SetPaused(true);
        return true;
    }
    if (!audio_) {
        audio_ = std::make_unique<TAudio>();
        TRecorder& recorder = audio_->Recorder();
        recorder.SetChannels(TChannels::Mono);
        recorder.SetBitsPerSample(TBPS::Bits16);
        recorder.SetSampleRate(48000);
        recorder.SetNoSamples(static_cast<std::int16_t>(HowlDetector::kHop));
        // Every block counts: no trigger level holds the first ones back.
        recorder.SetTriggered(true);
        HowlFeed& feed = feed_;
        audio_->SetOnRecord([&feed](std::span<const std::uint8_t> samples,
                                    std::span<const std::uint8_t>) { feed.Offer(samples); });
    }
    // Opens the device the first time, and again after a failed try; at once when it runs.
    if (!audio_->StartRecording()) return false;
    feed_.SetOn(true);
    audio_->SetPaused(false);
    return true;
}

}  // namespace zt
