#pragma once
// Which channel the tab strip shows, and the side choices of the pages that carry a left and a
// right (or MIC A and MIC B) set. The music side and the output scene live in SelectionState,
// because the address translation reads them.

#include "params/selection.h"

namespace zt {

// Tags of the ten tab buttons, in their order on the tab strip.
enum TabTag {
    kTabMusic = 0,
    kTabDynamicEq = 1,
    kTabMicA = 2,
    kTabMicB = 3,
    kTabEffect = 4,
    kTabMain = 5,
    kTabSurround = 6,
    kTabCenter = 7,
    kTabSub = 8,
    kTabHint = 9,
};
inline constexpr int kTabCount = 10;

// Sheets of the page container, by index.
enum SheetIndex {
    kSheetMusic = 0,
    kSheetMic = 1,
    kSheetEffect = 2,
    kSheetOutput = 3,
    kSheetHint = 4,
    kSheetSystem = 7,
    kSheetDynamicEq = 8,
};

// Side of a shared page: 0 left (MIC A), 1 both together, 2 right (MIC B).
enum Side { kSideLeft = 0, kSideTogether = 1, kSideRight = 2 };

struct ChannelState {
    int currentTab = kTabMusic;  // tag of the last tab button used
    int selectedChannel = 0;     // page * 256 + sheet index
    int selectedPage = 0;        // the page of the channel shown
    int micSide = kSideLeft;
    int mainSide = kSideLeft;
    int surroundSide = kSideLeft;
    int manualFlag = 1;     // mirrors 0x00A0: 1 manual, 0 automatic output EQ
    int effectSubPage = 0;  // the effect sub-page chosen last: 0 echo A, 1 echo B, 2 reverb
};

// The selection part of choosing a tab: moves the shared pages to the channel of the tab and
// returns the channel (page * 256 + sheet). Also sets selectedPage; the caller stores the result
// as the selected channel. Tags outside 0..9 change nothing and return the selected channel.
int ChooseChannel(int tab, ChannelState& channel, SelectionState& selection);

}  // namespace zt
