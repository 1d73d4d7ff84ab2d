#pragma once
// Capture for the feedback finder: its own recording from the sound card in 16-bit mono at
// 48 kHz, blocks of 1024 samples, handed to the finder's feed on the capture thread. The
// spectrum display keeps its own capture and format. The recording opens when the finder is
// first switched on and sleeps (paused) while it is off.

#include <QString>
#include <memory>

#include "spectrum/howl_feed.h"
#include "spectrum/qt/audio.h"

namespace zt {

class HowlCapture {
public:
    HowlCapture();
    ~HowlCapture();  // stops recording before the feed goes

    HowlCapture(const HowlCapture&) = delete;
    HowlCapture& operator=(const HowlCapture&) = delete;

    // Switches the finder on or off. False, with the reason in ErrorText, when it was to be
    // switched on and the sound card cannot record; the finder then stays off.
    bool SetOn(bool on);
    bool on() const { return feed_.on(); }
    QString ErrorText() const { return audio_ ? audio_->ErrorText() : QString(); }

    HowlFeed& feed() { return feed_; }
    // Null until the finder was first switched on.
    TAudio* audio() { return audio_.get(); }

private:
    HowlFeed feed_;
    // Declared after the feed: capture, which hands blocks to the feed, stops before it goes.
    std::unique_ptr<TAudio> audio_;
};

}  // namespace zt
