#pragma once
// Which view the window shows: the tab, the channel it selects, the effect sub-page, the hint
// path and the sides and pages that the shared controls stand for. Every choice of the user, of
// the edit history and of the link goes through the navigator, which keeps the channel state
// and the selection consistent and ends each choice in one viewChanged. The views follow that
// event: the tab strip's looks, the arrangement of the graph's button groups and captions, the
// effect and hint buttons. Showing the values of the new view (a page refresh, a redraw) is the
// page switch's part.

#include <QObject>

#include "params/selection.h"
#include "ui/state/channel_state.h"

namespace zt {

// Where the user stood: the tab, the effect sub-page, and the sides and pages that the shared
// controls stood for. Undoing goes back there first, so that every logical address names the
// same processor address as when the edit was made, and the user sees what changes.
struct EditView {
    int tab = 0;
    int effectSubPage = 0;
    SelectionState selection;
    int micSide = 0;
    int mainSide = 0;
    int surroundSide = 0;
};
bool SameView(const EditView& a, const EditView& b);

// Effect sub-pages of the effect tab, in the order of their buttons.
enum EffectSubPage { kEchoA = 0, kEchoB = 1, kReverb = 2 };
inline constexpr int kEffectSubPageCount = 3;
// Paths of the hint tab; each shows one of the logical pages 25..27 through the same controls.
inline constexpr int kHintPathCount = 3;
inline constexpr int kFirstHintPage = 25;

class Navigator : public QObject {
    Q_OBJECT
public:
    Navigator(ChannelState& channel, SelectionState& selection, QObject* parent = nullptr);

    // Chooses the tab 0..9 and the channel it shows (the shared pages move to the tab's channel);
    // other tags change nothing. Returns the selected channel (page * 256 + sheet).
    int ChooseTab(int tab);
    // Chooses the channel of the current tab again, after a side, the scene or the language
    // changed what it stands for.
    int Reselect() { return ChooseTab(channel_.currentTab); }
    // Chooses the effect sub-page 0..2 (echo A, echo B, reverb); echo B is shown through the
    // echo A controls. Returns the sheet index of the sub-page among the effect pages (0 for the
    // echoes, 1 for the reverb), -1 for a sub-page out of range.
    int ChooseEffectSubPage(int subPage);
    // Chooses the hint path 0..2; false for a path out of range.
    bool ChooseHintPath(int path);
    // Goes back to a recorded view in one step: one viewChanged.
    void GoTo(const EditView& view);
    EditView Current() const;

    const ChannelState& channel() const { return channel_; }
    // The sides and the manual flag mirror their parameters (0x0008, 0x020D, 0x00A2, 0x00A3,
    // 0x00A0): the side and mode buttons and the page refresh write them here. The tab, the
    // channel, the page, the effect sub-page and the hint path change only through the choices
    // above.
    ChannelState& mirrors() { return channel_; }
    const SelectionState& selection() const { return selection_; }

signals:
    // The view changed; the channel state holds the new one.
    void viewChanged();

private:
    void ApplyEffectSubPage(int subPage);

    ChannelState& channel_;
    SelectionState& selection_;
};

}  // namespace zt
