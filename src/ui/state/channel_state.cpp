#include "ui/state/channel_state.h"

namespace zt {
namespace {

int OutputChannel(int firstPage, int side, const SelectionState& selection) {
    return firstPage + selection.outputScene + (side == kSideRight ? 3 : 0);
}

}  // namespace

int ChooseChannel(int tab, ChannelState& channel, SelectionState& selection) {
    int result = 0;
    switch (tab) {
        case kTabMusic:
            result = 0x0000;
            break;
        case kTabDynamicEq:
            result = 0x0108;
            break;
        case kTabMicA:
            selection.micPage = 2;
            if (channel.micSide != kSideTogether) channel.micSide = kSideLeft;
            result = 0x0201;
            break;
        case kTabMicB:
            if (channel.micSide == kSideTogether) {
                selection.micPage = 2;
            } else {
                selection.micPage = 3;
                channel.micSide = kSideRight;
            }
            result = 0x0201;
            break;
        case kTabEffect:
            // Echo B is shown through the echo A controls, so its channel is page 4's.
            result = selection.effectPage == 24 ? 0x0402 : selection.effectPage * 256 + 2;
            break;
        case kTabMain:
            selection.outputPage = OutputChannel(6, channel.mainSide, selection);
            result = 0x0603;
            break;
        case kTabSurround:
            selection.outputPage = OutputChannel(12, channel.surroundSide, selection);
            result = 0x0603;
            break;
        case kTabCenter:
            selection.outputPage = OutputChannel(18, kSideLeft, selection);
            result = 0x0603;
            break;
        case kTabSub:
            selection.outputPage = OutputChannel(21, kSideLeft, selection);
            result = 0x0603;
            break;
        case kTabHint:
            result = 0x1904;
            break;
        default:
            return channel.selectedChannel;
    }
    channel.selectedPage = result / 256;
    return result;
}

}  // namespace zt
