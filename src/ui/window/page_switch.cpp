#include "ui/window/page_switch.h"

#include <QLineEdit>

#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/swapping.h"

namespace zt {

PageSwitcher::PageSwitcher(TForm1& window, ChannelState& channel, ChannelSelector& selector,
                           PageRefresher& refresher, const WindowServices& services,
                           const WindowState& state)
    : window_(window),
      channel_(channel),
      selector_(selector),
      refresher_(refresher),
      services_(services),
      state_(state) {}

void PageSwitcher::Connect() {
    for (SwappingToolButton* tab : window_.tabStrip().tabs) {
        ShowSelectedWhilePressed(tab);
        const int tag = tab->tag();
        QObject::connect(tab, &QAbstractButton::clicked, &window_,
                         [this, tag] { OnTabClicked(tag); });
    }
}

int PageSwitcher::TabAction(int tag) {
    const auto& tabs = window_.tabStrip().tabs;
    for (int i = 0; i < kTabCount; ++i) tabs[i]->setSelectedLook(i == tag);
    channel_.currentTab = tag;
    return selector_.SelectChannel(tag);
}

void PageSwitcher::OnTabClicked(int tag) {
    if (tag < 0 || tag >= kTabCount) return;
    if (state_.locked) {
        // While the window is locked only the music page may be shown, and it already is.
        if (tag != kTabMusic) window_.tabStrip().tabs[tag]->setSelectedLook(false);
        return;
    }
    channel_.selectedChannel = TabAction(tag);
    const int sheet = channel_.selectedChannel % 256;
    window_.formPageItem()->setCurrentIndex(sheet);

    if (services_.graph) services_.graph->SetCurveColour(kEqCurveColour);
    if (tag == kTabEffect) {
        if (services_.editing) services_.editing->ReselectEffectSubPage();
    } else {
        refresher_.RefreshPage(channel_.selectedPage);
    }
    if (services_.graph) services_.graph->DrawEqCurve(100, channel_.selectedPage);

    if (services_.editing) services_.editing->EndWheelStepping();
    window_.tabStrip().examplexx->setFocus(Qt::OtherFocusReason);

    window_.graph().musEqAllpassBtn->setVisible(sheet != kSheetDynamicEq);
}

void ShowSelectedWhilePressed(SwappingToolButton* button) {
    QObject::connect(button, &QAbstractButton::pressed, button,
                     [button] { button->setSelectedLook(true); });
}

}  // namespace zt
