#include "ui/app/spectrum_side.h"

#include "eqgraph/eq_point_list.h"
#include "ui/eqgraph/eq_graph.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/window/language.h"
#include "ui/window/main_window.h"
#include "ui/window/messages.h"

namespace zt {
namespace {

// The button shows the display's state; the state is the display's, not the button's.
void ShowState(BitmapButton* button, bool on) {
    button->setHint(on ? QStringLiteral("1") : QStringLiteral("0"));
    button->setShowsPressed(on);
}

}  // namespace

SpectrumSide::SpectrumSide(const Parts& parts, EqGraph& graph, const DragState& drag)
    : messages_(parts.messages),
      language_(parts.language),
      graph_(graph),
      pinPpBtn_(parts.analyserButton),
      pinDcfBtn_(parts.lowTriggerButton),
      display_(*this, drag),
      audio_(std::make_unique<TAudio>()) {
    graph_.AddUnderlay(&display_);
    SpectrumFeed& feed = display_.feed();
    audio_->SetOnRecord([&feed](std::span<const std::uint8_t> left, std::span<const std::uint8_t>) {
        feed.Offer(left);
    });
    audio_->Recorder().SetTriggered(false);
    // Capture sleeps while the analyser is off: its blocks would only be dropped.
    audio_->SetPaused(true);
    soundCardPresent_ = audio_->StartRecording();

    QObject::connect(pinPpBtn_, &QAbstractButton::clicked, pinPpBtn_,
                     [this] { OnPinPPBtnClick(); });
    QObject::connect(pinDcfBtn_, &QAbstractButton::clicked, pinDcfBtn_,
                     [this] { OnPinDCFBtnClick(); });
}

SpectrumSide::~SpectrumSide() {
    audio_.reset();
    graph_.RemoveUnderlay(&display_);
}

void SpectrumSide::OnPinPPBtnClick() {
    if (!soundCardPresent_) {
        messages_.Inform(language_.Pick("没检测到音频设备", "Audio device is not detected"),
                         QString::fromLatin1(kApplicationTitle));
        ShowState(pinPpBtn_, false);
        display_.SetAnalyserOn(false);
        graph_.TicksWantedChanged();
        RepaintCached();
        return;
    }
    const bool on = !display_.analyserOn();
    ShowState(pinPpBtn_, on);
    display_.SetAnalyserOn(on);
    graph_.TicksWantedChanged();
    audio_->SetPaused(!on);
    // Switched on, the bars come with the next drawing tick; switched off, they and their scale
    // go now: the whole picture is drawn again, not only where the curve changed.
    if (!on) RepaintCached();
}

void SpectrumSide::OnPinDCFBtnClick() {
    const bool low = !display_.lowTrigger();
    ShowState(pinDcfBtn_, low);
    display_.SetLowTrigger(low);
}

void SpectrumSide::RepaintCached() {
    graph_.RepaintCached();
}

}  // namespace zt
