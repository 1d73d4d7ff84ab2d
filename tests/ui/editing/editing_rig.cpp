#include "tests/ui/editing/editing_rig.h"

#include <QApplication>
#include <QTest>

#include "link/protocol.h"
#include "params/page_table.h"

namespace zt::test {

EditingRig::EditingRig() {
    window = BuildRigWindow(registry, binding, pages);
    port.SetReceiver([this](const Bytes& bytes, int count) {
        engine.OnReceive(bytes, static_cast<size_t>(count));
    });
    view.afterTransfer = [this] {
        editor->RefreshPage(kAllPages);
        channel.selectedChannel = SelectChannel(channel.currentTab);
        editor->RefreshPage(channel.selectedPage);
    };
    editor = std::make_unique<Editor>(model, parameters, engine, channel, *this);
    editor->SetEqRedraw(&redraw);
    editor->SetPlainMessage([this](const QString& text) { messages.push_back(text); });
    editor->Attach(registry, binding, window.get());
    // Start-up: defaults for every EQ band, a refresh of every page, then the music tab.
    model.ResetEq(kAllPages, engine, *editor);
    ChooseTab(kTabMusic);
    window->show();
    QApplication::setActiveWindow(window.get());
    (void)QTest::qWaitForWindowActive(window.get(), 2000);
}

EditingRig::~EditingRig() { editor.reset(); }

int EditingRig::SelectChannel(int tab) {
    const int result = ChooseChannel(tab, channel, model.selection());
    const bool output = tab >= kTabMain && tab <= kTabSub;
    registry.Find("CopyGrop")->setVisible(tab == 0 || tab == 2 || tab == 3 || tab == 5 || tab == 6);
    registry.Find("SingleDiscoGrop")->setVisible(output);
    const bool enabled = tab <= kTabEffect || channel.manualFlag == 1;
    registry.Find("CopyGrop")->setEnabled(enabled);
    registry.Find("EQPassGrop")->setEnabled(enabled);
    return result;
}

void EditingRig::ChooseTab(int tab) {
    for (QWidget* each : registry.InCreationOrder()) {
        auto* button = qobject_cast<SwappingToolButton*>(each);
        if (button && button->objectName().startsWith("Form")) button->setSelectedLook(button->tag() == tab);
    }
    channel.currentTab = tab;
    channel.selectedChannel = SelectChannel(tab);
    pages->setCurrentIndex(channel.selectedChannel % 256);
    if (tab == kTabEffect) {
        editor->ReselectEffectSubPage();
    } else {
        editor->RefreshPage(channel.selectedPage);
    }
    editor->EndWheelStepping();
}

bool EditingRig::Link() {
    engine.SetPortNames({port.portName()});
    engine.OnLinkButton(LinkButton::LinkBtn);
    for (int ms = 0; ms < 30000 && !engine.linkOnline(); ++ms) Run(1);
    Run(100);
    TakeWrites();
    return engine.linkOnline();
}

void EditingRig::Run(int ms) {
    for (int i = 0; i < ms; ++i) {
        ++clock.now;
        port.Advance(1);
        port.Deliver();
        if (clock.Due(clock.search)) engine.OnSearchTick();
        if (clock.Due(clock.transfer)) engine.OnTransferTick();
        if (clock.Due(clock.hold)) engine.OnHoldTick();
    }
}

std::vector<Received> EditingRig::TakeWrites() {
    Run(200);
    std::vector<Received> writes;
    const auto& frames = sim.log();
    for (size_t i = seenFrames_; i < frames.size(); ++i) {
        const SimFrame& f = frames[i];
        if (f.command != kCommandWrite || f.data.size() != 2 || f.address == kAddrLinkControl) {
            continue;
        }
        writes.push_back({f.address, f.data[0] | (f.data[1] << 8)});
    }
    seenFrames_ = frames.size();
    return writes;
}

}  // namespace zt::test
