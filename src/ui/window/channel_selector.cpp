#include "ui/window/channel_selector.h"

#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/swapping.h"

namespace zt {
namespace {

bool ShowsSideButtons(int tab) {
    return tab == kTabMusic || tab == kTabMicA || tab == kTabMicB || tab == kTabMain ||
           tab == kTabSurround;
}

bool IsOutputTab(int tab) {
    return tab >= kTabMain && tab <= kTabSub;
}

bool IsStereoOutputTab(int tab) {
    return tab == kTabMain || tab == kTabSurround;
}

}  // namespace

ChannelSelector::ChannelSelector(Navigator& navigator, const Language& language,
                                 const ControlRegistry& registry, const GraphPanel& graph)
    : navigator_(navigator),
      language_(language),
      graph_(graph),
      mainLmuteBtn_(registry.Get<QWidget>("MainLmuteBtn")),
      mainRmuteBtn_(registry.Get<QWidget>("MainRmuteBtn")),
      label157_(registry.Get<QWidget>("Label157")),
      mainRdelayBar_(registry.Get<QWidget>("MainRdelayBar")),
      mainRdelayPane_(registry.Get<QWidget>("MainRdelayPane")) {
    for (int tab = 0; tab < kTabCount; ++tab) {
        for (const CaptionPair& pair : ChannelCaptions(tab)) {
            captions_[tab].push_back({registry.Get<QWidget>(pair.control), &pair});
        }
    }
    QObject::connect(&navigator, &Navigator::viewChanged, &follower_, [this] { Arrange(); });
}

void ChannelSelector::Arrange() {
    const int tab = navigator_.channel().currentTab;
    if (tab < 0 || tab >= kTabCount) return;

    graph_.copyGrop->setVisible(ShowsSideButtons(tab));
    graph_.singleDiscoGrop->setVisible(IsOutputTab(tab));
    ShowOutputSides(IsStereoOutputTab(tab));

    // On the output tabs, automatic mode keeps the side and EQ pass buttons out of reach.
    const bool enabled = tab <= kTabEffect || navigator_.channel().manualFlag == 1;
    graph_.copyGrop->setEnabled(enabled);
    graph_.eqPassGrop->setEnabled(enabled);

    ApplyCaptions(tab);
}

void ChannelSelector::ShowOutputSides(bool stereo) {
    mainLmuteBtn_->move(stereo ? kStereoLeftMuteLeft : kSingleMuteLeft, mainLmuteBtn_->y());
    if (stereo) mainRmuteBtn_->move(kStereoRightMuteLeft, mainRmuteBtn_->y());
    for (QWidget* w : {mainRmuteBtn_, label157_, mainRdelayBar_, mainRdelayPane_}) {
        w->setVisible(stereo);
    }
}

void ChannelSelector::ApplyCaptions(int tab) {
    for (const Caption& c : captions_[tab]) {
        const QString shown = language_.Pick(c.pair->chinese, c.pair->english);
        const QString other = language_.Other(c.pair->chinese, c.pair->english);
        if (SwappingControl* swapping = SwappingOf(c.control)) {
            swapping->setCaption(shown);
            PropsOf(c.control)->setHint(other);
        } else if (auto* button = qobject_cast<BitmapButton*>(c.control)) {
            button->setCaption(shown);
            // The side buttons keep the other language in their hint; the mute button's hint
            // holds its state.
            if (button == graph_.leftBtn || button == graph_.rightBtn) button->setHint(other);
        }
    }
}

}  // namespace zt
