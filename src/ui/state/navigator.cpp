#include "ui/state/navigator.h"

namespace zt {
namespace {

// The effect page each sub-page stands for.
constexpr int kEffectPages[kEffectSubPageCount] = {4, 24, 5};

}  // namespace

bool SameView(const EditView& a, const EditView& b) {
    const SelectionState& x = a.selection;
    const SelectionState& y = b.selection;
    return a.tab == b.tab && a.effectSubPage == b.effectSubPage && a.micSide == b.micSide &&
           a.mainSide == b.mainSide && a.surroundSide == b.surroundSide && x.micPage == y.micPage &&
           x.effectPage == y.effectPage && x.outputPage == y.outputPage &&
           x.hiddenPage == y.hiddenPage && x.outputScene == y.outputScene &&
           x.musicEqSet == y.musicEqSet;
}

Navigator::Navigator(ChannelState& channel, SelectionState& selection, QObject* parent)
    : QObject(parent), channel_(channel), selection_(selection) {}

int Navigator::ChooseTab(int tab) {
    if (tab < 0 || tab >= kTabCount) return channel_.selectedChannel;
    channel_.currentTab = tab;
    channel_.selectedChannel = ChooseChannel(tab, channel_, selection_);
    emit viewChanged();
    return channel_.selectedChannel;
}

int Navigator::ChooseEffectSubPage(int subPage) {
    if (subPage < 0 || subPage >= kEffectSubPageCount) return -1;
    ApplyEffectSubPage(subPage);
    emit viewChanged();
    return subPage == kReverb ? 1 : 0;
}

void Navigator::ApplyEffectSubPage(int subPage) {
    channel_.effectSubPage = subPage;
    selection_.effectPage = kEffectPages[subPage];
    // Echo B is edited through the echo A controls, on echo A's page.
    channel_.selectedPage = subPage == kReverb ? 5 : 4;
    channel_.selectedChannel = channel_.selectedPage * 256 + kSheetEffect;
}

bool Navigator::ChooseHintPath(int path) {
    if (path < 0 || path >= kHintPathCount) return false;
    selection_.hiddenPage = kFirstHintPage + path;
    channel_.selectedPage = kFirstHintPage;
    channel_.selectedChannel = kFirstHintPage * 256 + kSheetHint;
    emit viewChanged();
    return true;
}

void Navigator::GoTo(const EditView& view) {
    selection_ = view.selection;
    channel_.micSide = view.micSide;
    channel_.mainSide = view.mainSide;
    channel_.surroundSide = view.surroundSide;
    if (view.tab >= 0 && view.tab < kTabCount) {
        channel_.currentTab = view.tab;
        channel_.selectedChannel = ChooseChannel(view.tab, channel_, selection_);
    }
    if (view.tab == kTabEffect && view.effectSubPage >= 0 &&
        view.effectSubPage < kEffectSubPageCount) {
        ApplyEffectSubPage(view.effectSubPage);
    }
    emit viewChanged();
}

EditView Navigator::Current() const {
    return {channel_.currentTab, channel_.effectSubPage, selection_,
            channel_.micSide,    channel_.mainSide,      channel_.surroundSide};
}

}  // namespace zt
