#pragma once
// The window of the editing tests: the real sheets of the page container and the right column,
// built and bound as on the main window, with stand-ins for what the main window builds around
// them (the tab strip's buttons and the graph panel's groups), and the editor attached.

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>
#include <memory>

#include "params/page_table.h"
#include "ui/binding/bind_controls.h"
#include "ui/binding/control_binding.h"
#include "ui/editing/binding_lookup.h"
#include "ui/editing/editor.h"
#include "ui/sheets/page_sheets.h"
#include "ui/state/channel_state.h"
#include "ui/widgets/band_number_label.h"
#include "ui/widgets/band_scroll_box.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/control_registry.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/range_handle.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt::test {

namespace rig {

template <typename T>
T* Make(T* control, const QString& name, ControlRegistry& registry, int x, int y, int w, int h) {
    control->setObjectName(name);
    control->setGeometry(x, y, w, h);
    registry.Add(control);
    return control;
}

}  // namespace rig

class RecordingRedraw : public EqRedraw {
public:
    void DrawEqCurve(int item, int page) override { calls.push_back({item, page}); }
    std::vector<std::pair<int, int>> calls;
};

// The real sheets of FormPageItem and AdvPageControl1, with stand-ins for what the main window
// itself builds around them: the tab strip's buttons and the graph panel's groups.
inline std::unique_ptr<QWidget> BuildSheetsWindow(ControlRegistry& r, QStackedWidget*& pages) {
    auto window = std::make_unique<QWidget>();
    window->setObjectName("TForm1");
    window->resize(1210, 620);
    QWidget* w = window.get();
    for (int i = 0; i < 10; ++i) {
        rig::Make(new SwappingToolButton(kTabButtonNames[i], kTabButtonNames[i], w),
                  kTabButtonNames[i], r, 70 * i, 0, 68, 30)
            ->setTag(i);
    }
    pages = rig::Make(new QStackedWidget(w), "FormPageItem", r, 0, 60, 944, 232);
    BuildPageSheets(pages, r);
    auto* right = rig::Make(new QTabWidget(w), "AdvPageControl1", r, 944, 25, 260, 584);
    BuildRightColumn(right, r);
    rig::Make(new QLabel("EQ PASS", w), "EQPassLabel", r, 500, 300, 80, 20);
    auto* passGroup = rig::Make(new QWidget(w), "EQPassGrop", r, 0, 560, 200, 30);
    rig::Make(new BitmapButton("EQ", passGroup), "MusEQAllpassBtn", r, 0, 0, 60, 22);
    rig::Make(new BitmapButton("EQ reset", passGroup), "EQResetBtn", r, 70, 0, 60, 22);
    auto* modes = rig::Make(new QWidget(w), "SingleDiscoGrop", r, 210, 560, 400, 30);
    int x = 0;
    for (const char* name :
         {"AutoModeBtn", "ManulModeBtn", "SingModeBtn", "DiscoModeBtn", "CodeModeBtn"}) {
        auto* button = rig::Make(new BitmapButton(name, modes), name, r, x, 0, 70, 22);
        button->setTag(x < 140 ? 0x00A0 : 0x00A1);
        x += 75;
    }
    auto* copy = rig::Make(new QWidget(w), "CopyGrop", r, 620, 560, 240, 30);
    for (int tag = 0; tag < 3; ++tag) {
        rig::Make(new BitmapButton(kSideButtonNames[tag], copy), kSideButtonNames[tag], r, 75 * tag,
                  0, 70, 22)
            ->setTag(tag);
    }
    return window;
}

// The small window with the editor attached: the channel's arrangement and the page switch as
// the main window runs them, over whatever link the test gives.
class RigFrame {
public:
    RigFrame() = default;
    ~RigFrame() { editor.reset(); }

    // Builds and binds the window, attaches the editor, resets every EQ band as start-up does
    // and shows the music tab.
    void Start(ParamModel& model, EditPath& path, const ModeListSource& modes) {
        navigator = std::make_unique<Navigator>(channel, model.selection());
        window = BuildSheetsWindow(registry, pages);
        QObject::connect(navigator.get(), &Navigator::viewChanged, window.get(),
                         [this] { Arrange(); });
        BindControls(registry, model.image(), editorState, binding);
        lookup = std::make_unique<ControlBindingLookup>(binding);
        editor = std::make_unique<Editor>(model, path, *navigator, modes, editorState, windowState);
        editor->SetEqRedraw(&redraw);
        editor->SetPlainMessage([this](const QString& text) { messages.push_back(text); });
        editor->Attach(registry, *lookup, binding.lists(), window.get());
        model.ResetEq(kAllPages, path, *editor);
        ChooseTab(kTabMusic);
        window->show();
        QApplication::setActiveWindow(window.get());
        const QDeadlineTimer deadline(2000);
        while (!window->isActiveWindow() && !deadline.hasExpired()) QApplication::processEvents();
    }

    // The link's refresh after a complete download.
    void RefreshAfterTransfer() {
        editor->RefreshPage(kAllPages);
        navigator->Reselect();
        editor->RefreshPage(channel.selectedPage);
    }

    // The arrangement of the graph's groups for the navigator's tab, and the tab strip's looks.
    void Arrange() {
        const int tab = channel.currentTab;
        for (QWidget* each : registry.InCreationOrder()) {
            auto* button = qobject_cast<SwappingToolButton*>(each);
            if (button && button->objectName().startsWith("Form")) {
                button->setSelectedLook(button->tag() == tab);
            }
        }
        const bool output = tab >= kTabMain && tab <= kTabSub;
        QWidget* copy = registry.Find("CopyGrop");
        copy->setVisible(tab == 0 || tab == 2 || tab == 3 || tab == 5 || tab == 6);
        registry.Find("SingleDiscoGrop")->setVisible(output);
        const bool enabled = tab <= kTabEffect || channel.manualFlag == 1;
        copy->setEnabled(enabled);
        registry.Find("EQPassGrop")->setEnabled(enabled);
    }

    // The page switch of a tab button.
    void ChooseTab(int tab) {
        navigator->ChooseTab(tab);
        pages->setCurrentIndex(channel.selectedChannel % 256);
        if (tab == kTabEffect) {
            editor->ReselectEffectSubPage();
        } else {
            editor->RefreshPage(channel.selectedPage);
        }
        editor->EndWheelStepping();
    }

    template <typename T>
    T* Get(const char* name) const {
        return registry.Get<T>(QString::fromLatin1(name));
    }

    ControlRegistry registry;
    ControlBinding binding;
    std::unique_ptr<ControlBindingLookup> lookup;
    QStackedWidget* pages = nullptr;
    std::unique_ptr<QWidget> window;
    EditorState editorState;
    WindowState windowState;
    ChannelState channel;
    std::unique_ptr<Navigator> navigator;
    RecordingRedraw redraw;
    std::vector<QString> messages;
    std::unique_ptr<Editor> editor;
};

}  // namespace zt::test
