// The tab buttons, the effect sub-page buttons and the hint path buttons: their looks and what
// each choice stands for.

#include "params/page_table.h"
#include "ui/editing/editor.h"
#include "ui/widgets/swapping.h"
#include "ui/window/channel_state.h"

namespace zt {
namespace {

template <size_t N, typename T>
int IndexIn(const std::array<T*, N>& list, const QWidget* control) {
    for (size_t i = 0; i < N; ++i) {
        if (list[i] && list[i] == control) return static_cast<int>(i);
    }
    return -1;
}

template <size_t N>
void SelectOne(const std::array<SwappingToolButton*, N>& list, int chosen) {
    for (size_t i = 0; i < N; ++i) {
        if (list[i]) list[i]->setSelectedLook(static_cast<int>(i) == chosen);
    }
}

}  // namespace

void Editor::SelectTab(int tab) {
    SelectOne(parts_.controls.tabButtons, tab);
    parts_.channel.currentTab = tab;
    parts_.channel.selectedChannel = selector_.SelectChannel(tab);
}

int Editor::TabAction(SwappingToolButton* tool) {
    if (!tool || IndexIn(parts_.controls.tabButtons, tool) < 0) return 0;
    SelectTab(tool->tag());
    return parts_.channel.selectedChannel;
}

int Editor::EffectSubPageAction(SwappingToolButton* tool) {
    const int index = IndexIn(parts_.controls.effectButtons, tool);
    if (index < 0) return 0;
    SelectOne(parts_.controls.effectButtons, tool->tag());
    constexpr int kEffectPages[] = {4, 24, 5};
    if (tool->tag() >= 0 && tool->tag() < 3) {
        parts_.model.selection().effectPage = kEffectPages[tool->tag()];
    }
    return tool->tag() == 2 ? 0x0501 : 0x0400;
}

int Editor::HintPathAction(SwappingToolButton* tool) {
    const int index = IndexIn(parts_.controls.hintButtons, tool);
    if (index < 0) return 0;
    SelectOne(parts_.controls.hintButtons, tool->tag());
    if (tool->tag() >= 0 && tool->tag() < 3) parts_.model.selection().hiddenPage = 25 + tool->tag();
    return 0x1900;
}

}  // namespace zt
