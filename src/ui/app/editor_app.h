#pragma once
// The editor's composition root: the parameter model, the main window TForm1, the link's home
// TForm3 with the link engine, the status dialog TForm2, and the pieces of the window that
// choose pages, switch the language and show the link. Program start creates one and shows
// the main window; its first showing runs the start-up sequence.

#include <QTimer>
#include <memory>

#include "link/link_engine.h"
#include "params/diagnostic_log.h"
#include "params/param_model.h"
#include "presets/preset_folders.h"
#include "ui/binding/control_binding.h"
#include "ui/binding/editor_state.h"
#include "ui/state/channel_state.h"
#include "ui/state/edit_path.h"
#include "ui/state/window_state.h"
#include "ui/state/window_writes.h"
#include "ui/widgets/control_registry.h"
#include "ui/window/auto_relink.h"
#include "ui/window/channel_selector.h"
#include "ui/window/language.h"
#include "ui/window/main_window.h"
#include "ui/window/messages.h"
#include "ui/window/page_switch.h"
#include "ui/window/qt_translations.h"
#include "ui/window/window_hooks.h"
#include "ui/window/window_link_view.h"

namespace zt {

class EditingSide;
class ValueTooltips;
class EqGraphSide;
class HowlFinderSide;
class RoomSide;
class SpectrumSide;
class SystemSide;
class TForm2;
class TForm3;

class EditorApp {
public:
    // Program start: the main window (its create step), then the link window, then the status
    // dialog. `messages` replaces the message boxes (tests); null shows real ones.
    explicit EditorApp(std::unique_ptr<WindowMessages> messages = nullptr);
    ~EditorApp();

    // Shows the main window; the first showing runs the start-up sequence.
    void Show();

    TForm1& window() { return *window_; }
    TForm2& statusDialog() { return *statusDialog_; }
    TForm3& linkWindow() { return *linkWindow_; }
    LinkEngine& link();
    // What the window is in (the panel lock), and the one door of its writes to the link.
    WindowState& windowState() { return windowState_; }
    WindowWrites& writes() { return *writes_; }
    // The one way the window's parameter values change.
    EditPath& editPath() { return *path_; }
    ParamModel& model() { return model_; }
    ControlRegistry& registry() { return registry_; }
    ControlBinding& binding() { return binding_; }
    EditorState& editorState() { return editorState_; }
    ChannelState& channel() { return channel_; }
    // The one way the view changes.
    Navigator& navigator() { return navigator_; }
    Language& language() { return language_; }
    LanguageSwitch& languageSwitch() { return *languageSwitch_; }
    const QtTranslations& qtTranslations() const { return qtTranslations_; }
    // The range tooltips of the parameter controls; there once start-up has bound the controls.
    const ValueTooltips* tooltips() const { return tooltips_.get(); }
    ChannelSelector& channelSelector() { return *selector_; }
    PageSwitcher& pageSwitcher() { return *pageSwitcher_; }
    WindowLinkView& linkView() { return *linkView_; }
    AutoRelink& relink() { return *relink_; }
    EditingSide& editingSide() { return *editing_; }
    DiagnosticLog& log() { return *log_; }
    QTimer& timer1() { return timer1_; }
    const PresetFolders& presetFolders() const { return presetFolders_; }
    // Puts the preset folders below `folder` instead of the program's folder; set before Show.
    void SetPresetBaseFolder(std::filesystem::path folder) { presetBase_ = std::move(folder); }
    // With a base folder set above: a read-only preset folder beside the program (tests).
    void SetSharedPresetFolder(std::filesystem::path folder) {
        presetShared_ = folder;
        presetFolders_.sharedPresetFolder = std::move(folder);
    }
    // The port whose processor answered last: the search tries it first, then the others.
    void SetPreferredPort(std::string name) { preferredPort_ = std::move(name); }
    EditingSide& editing() { return *editing_; }
    SystemSide& system() { return *system_; }

    // A preset file replaced the device image while the link was not online: every page and
    // the current channel show it, as after a download (which also ends the undo history).
    void ShowReplacedImage();
    // The EQ graph on Image1 with its point editing.
    EqGraphSide& eqGraph() { return *graph_; }
    // The spectrum analyser: sound-card capture and the bars behind the EQ curve.
    SpectrumSide& spectrum() { return *spectrum_; }
    // The feedback finder: its capture, the markers on the graph and the notches.
    HowlFinderSide& howlFinder() { return *howlFinder_; }
    WindowMessages& messages() { return *messages_; }
    // The room measurement: its dialog, its curves on the graph, its fit; made at start-up.
    RoomSide& room() { return *room_; }

    // The parts of the window that later pieces of the editor fill.
    WindowServices& services() { return services_; }
    // The page refresh; until one is set, refreshing shows nothing.
    void SetPageRefresher(PageRefresher* refresher) { refresh_.target = refresher; }
    PageRefresher* pageRefresher() const { return refresh_.target; }

    // The language button: applies the language of the button's tag, turns the tag to the other
    // language, then names the channel again and refreshes its page.
    void OnLanguageButton();

private:
    // Forwards the page refresh to the part of the window that does it.
    struct RefreshRelay : PageRefresher {
        PageRefresher* target = nullptr;
        void RefreshPage(int page) override {
            if (target) target->RefreshPage(page);
        }
    };

    void StartUp();
    void StartLink();
    // The system's serial ports and the virtual ports, read again into the port list.
    void ReadPortList();
    void ApplyStartLanguage();
    void Wire();
    void OnClosing();
    // Timer1 runs while a part of the window wants its tick, once start-up is complete.
    void UpdateTimer1();

    ParamModel model_;
    ControlRegistry registry_;
    ControlBinding binding_;
    EditorState editorState_;
    ChannelState channel_;
    Navigator navigator_{channel_, model_.selection()};
    WindowState windowState_;
    Language language_;
    WindowServices services_;
    RefreshRelay refresh_;
    PresetFolders presetFolders_;
    std::filesystem::path presetBase_;
    std::filesystem::path presetShared_;
    std::string preferredPort_;

    std::unique_ptr<TForm1> window_;
    std::unique_ptr<DiagnosticLog> log_;
    std::unique_ptr<WindowMessages> messages_;
    std::unique_ptr<ChannelSelector> selector_;
    std::unique_ptr<WindowLinkView> linkView_;
    std::unique_ptr<AutoRelink> relink_;
    std::unique_ptr<TForm3> linkWindow_;
    std::unique_ptr<TForm2> statusDialog_;
    std::unique_ptr<WindowWrites> writes_;
    std::unique_ptr<EditPath> path_;
    std::unique_ptr<LanguageSwitch> languageSwitch_;
    QtTranslations qtTranslations_;
    std::unique_ptr<PageSwitcher> pageSwitcher_;
    std::unique_ptr<EditingSide> editing_;
    std::unique_ptr<ValueTooltips> tooltips_;
    std::unique_ptr<SystemSide> system_;
    std::unique_ptr<EqGraphSide> graph_;
    std::unique_ptr<SpectrumSide> spectrum_;
    std::unique_ptr<HowlFinderSide> howlFinder_;
    std::unique_ptr<RoomSide> room_;
    QTimer timer1_;
};

}  // namespace zt
