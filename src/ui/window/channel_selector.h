#pragma once
// Arranges the window for the channel the navigator chose: which button groups under the graph
// are shown and enabled, where the output mutes sit, and the captions that name the channel. It
// follows every view change.

#include <vector>

#include "params/selection.h"
#include "ui/state/navigator.h"
#include "ui/widgets/control_registry.h"
#include "ui/window/graph_panel.h"
#include "ui/window/language.h"

namespace zt {

class ChannelSelector {
public:
    ChannelSelector(Navigator& navigator, const Language& language, const ControlRegistry& registry,
                    const GraphPanel& graph);

    // Arranges the window for the navigator's tab.
    void Arrange();

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

    const Navigator& navigator_;
    const Language& language_;
    const GraphPanel& graph_;
    QWidget* mainLmuteBtn_;
    QWidget* mainRmuteBtn_;
    QWidget* label157_;
    QWidget* mainRdelayBar_;
    QWidget* mainRdelayPane_;
    std::vector<Caption> captions_[kTabCount];
    QObject follower_;  // ends the view-change connection with the selector
};

}  // namespace zt
