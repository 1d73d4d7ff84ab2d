#include "ui/window/page_switch.h"

#include <QLineEdit>

#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/swapping.h"

namespace zt {

PageSwitcher::PageSwitcher(TForm1& window, Navigator& navigator, PageRefresher& refresher,
                           const WindowServices& services, const WindowState& state)
    : window_(window),
      navigator_(navigator),
      refresher_(refresher),
      services_(services),
      state_(state) {
    QObject::connect(&navigator_, &Navigator::viewChanged, &follower_, [this] { ShowTabLooks(); });
}

void PageSwitcher::Connect() {
    for (SwappingToolButton* tab : window_.tabStrip().tabs) {
        ShowSelectedWhilePressed(tab);
        const int tag = tab->tag();
        QObject::connect(tab, &QAbstractButton::clicked, &window_,
                         [this, tag] { OnTabClicked(tag); });
    }
}

void PageSwitcher::ShowTabLooks() {
    const auto& tabs = window_.tabStrip().tabs;
    const int tab = navigator_.channel().currentTab;
    for (int i = 0; i < kTabCount; ++i) tabs[i]->setSelectedLook(i == tab);
}

void PageSwitcher::OnTabClicked(int tag) {
    if (tag < 0 || tag >= kTabCount) return;
    if (state_.locked) {
        // While the window is locked only the music page may be shown, and it already is.
        if (tag != kTabMusic) window_.tabStrip().tabs[tag]->setSelectedLook(false);
        return;
    }
    navigator_.ChooseTab(tag);
    ShowView();
}

void PageSwitcher::ShowView() {
    const ChannelState& channel = navigator_.channel();
    const int sheet = channel.selectedChannel % 256;
    window_.formPageItem()->setCurrentIndex(sheet);

    if (services_.graph) services_.graph->SetCurveColour(kEqCurveColour);
    if (channel.currentTab == kTabEffect) {
        if (services_.editing) services_.editing->ReselectEffectSubPage();
    } else {
        refresher_.RefreshPage(channel.selectedPage);
    }
    if (services_.graph) services_.graph->DrawEqCurve(100, channel.selectedPage);

    if (services_.editing) services_.editing->EndWheelStepping();
    window_.tabStrip().examplexx->setFocus(Qt::OtherFocusReason);

    window_.graph().musEqAllpassBtn->setVisible(sheet != kSheetDynamicEq);
}

void ShowSelectedWhilePressed(SwappingToolButton* button) {
    QObject::connect(button, &QAbstractButton::pressed, button,
                     [button] { button->setSelectedLook(true); });
}

}  // namespace zt
