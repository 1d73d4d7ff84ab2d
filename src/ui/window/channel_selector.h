#pragma once
// Select channel: turns a page tab into the selection of the shared pages, and arranges the
// window for that channel: which button groups under the graph are shown and enabled, where the
// output mutes sit, and the captions that name the channel.

#include <vector>

#include "params/selection.h"
#include "ui/widgets/control_registry.h"
#include "ui/window/channel_state.h"
#include "ui/window/graph_panel.h"
#include "ui/window/language.h"

namespace zt {

class ChannelSelector {
public:
    ChannelSelector(ChannelState& channel, SelectionState& selection, const Language& language,
                    const ControlRegistry& registry, const GraphPanel& graph);

    // Select channel (tab 0..9) -> selected channel. The caller stores the result.
    int SelectChannel(int tab);

    // Lefts of the output mutes: both mutes side by side for the stereo outputs, the left mute
    // alone in the middle for the others.
    static constexpr int kStereoLeftMuteLeft = 583;
    static constexpr int kStereoRightMuteLeft = 679;
    static constexpr int kSingleMuteLeft = 631;

private:
    struct Caption {
        QWidget* control;
        const CaptionPair* pair;
    };
    void ShowOutputSides(bool stereo);
    void ApplyCaptions(int tab);

    ChannelState& channel_;
    SelectionState& selection_;
    const Language& language_;
    const GraphPanel& graph_;
    QWidget* mainLmuteBtn_;
    QWidget* mainRmuteBtn_;
    QWidget* label157_;
    QWidget* mainRdelayBar_;
    QWidget* mainRdelayPane_;
    std::vector<Caption> captions_[kTabCount];
};

}  // namespace zt
