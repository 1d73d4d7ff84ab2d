#pragma once
// The spectrum analyser wired in the composition root: the capture component TAudio, started
// at window creation, the bar display behind the EQ graph's curve, and the two buttons
// PinPPBtn (analyser on or off) and PinDCFBtn (low trigger: a lower floor of the level scale).

#include <memory>

#include "spectrum/qt/audio.h"
#include "ui/spectrum/spectrum_display.h"

namespace zt {

class BitmapButton;
class EqGraph;
class Language;
class WindowMessages;

class SpectrumSide : public GraphRepaint {
public:
    // Window creation: puts the bars under the graph's curve and starts capture, paused until
    // the analyser is switched on; a capture that cannot start leaves the sound card absent.
    // The two buttons are the graph panel's; the messages say when there is no sound card.
    struct Parts {
        BitmapButton* analyserButton;    // PinPPBtn
        BitmapButton* lowTriggerButton;  // PinDCFBtn
        WindowMessages& messages;
        const Language& language;
    };
    SpectrumSide(const Parts& parts, EqGraph& graph, const DragState& drag);
    ~SpectrumSide() override;

    // The spectrum button switches the analyser on or off. Without a sound card every press
    // says so and the analyser stays off.
    void OnPinPPBtnClick();
    // The low trigger button lowers or restores the floor of the bars' level scale.
    void OnPinDCFBtnClick();

    bool soundCardPresent() const { return soundCardPresent_; }
    SpectrumDisplay& display() { return display_; }
    TAudio& audio() { return *audio_; }

    void RepaintCached() override;

private:
    WindowMessages& messages_;
    const Language& language_;
    EqGraph& graph_;
    BitmapButton* pinPpBtn_;
    BitmapButton* pinDcfBtn_;
    SpectrumDisplay display_;
    // Declared after the display: capture, which hands blocks to the display's feed, stops
    // before the feed goes.
    std::unique_ptr<TAudio> audio_;
    bool soundCardPresent_ = false;
};

}  // namespace zt
