#include "ui/app/editor_app.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <algorithm>
#include <exception>

#include "link/qt/link_window.h"
#include "link/qt/port_list.h"
#include "link/qt/status_dialog.h"
#include "presets/qt/preset_base_folder.h"
#include "ui/app/editing_side.h"
#include "ui/app/eq_graph_side.h"
#include "ui/app/spectrum_side.h"
#include "ui/app/system_side.h"
#include "ui/binding/bind_controls.h"
#include "ui/exchange/room_side.h"
#include "ui/spectrum/howl_finder_side.h"
#include "ui/widgets/swapping.h"
#include "ui/window/memo_log.h"
#include "ui/window/value_tooltips.h"
#include "ui/window/version_display.h"
#include "ui/window/window_chrome.h"

namespace zt {

inline constexpr int kTimer1PeriodMs = 10;

EditorApp::EditorApp(std::unique_ptr<WindowMessages> messages)
    : window_(std::make_unique<TForm1>(registry_)),
      log_(std::make_unique<MemoLog>(registry_.Get<QPlainTextEdit>("Memo2"))),
      messages_(messages ? std::move(messages) : std::make_unique<MessageBoxes>(window_.get())) {
    selector_ =
        std::make_unique<ChannelSelector>(navigator_, language_, registry_, window_->graph());
    WindowLinkView::Parts parts;
    parts.window = window_.get();
    parts.sysModeBox = registry_.Get<QComboBox>("SysModeBox");
    parts.deviceIdLabel = registry_.Get<QLabel>("DeviceIDLabel");
    parts.binding = &binding_;
    parts.model = &model_;
    linkView_ =
        std::make_unique<WindowLinkView>(parts, language_, *messages_, navigator_, refresh_);
    linkWindow_ = std::make_unique<TForm3>(model_, *linkView_, *log_);
    // A child of the main window, so that closing the main window ends the editor even while
    // the dialog is up.
    statusDialog_ = std::make_unique<TForm2>(window_.get());
    linkView_->SetStatusDialog(statusDialog_.get());
    writes_ = std::make_unique<WindowWrites>(linkWindow_->engine(), windowState_);
    path_ = std::make_unique<EditPath>(model_, *writes_);
    AutoRelink::Hooks relinkHooks;
    relinkHooks.startSearch = [this] {
        ReadPortList();
        link().OnLinkButton(LinkButton::LinkBtn);
    };
    relinkHooks.showImage = [this] { linkView_->ShowImage(); };
    relink_ = std::make_unique<AutoRelink>(link(), model_, *linkView_, *messages_, language_,
                                           std::move(relinkHooks));
    linkView_->SetFilter(relink_.get());
    ShowVersion(*window_, *statusDialog_);

    languageSwitch_ = std::make_unique<LanguageSwitch>(language_, registry_, [this] {
        qtTranslations_.Apply(language_.current());
        linkView_->ApplyLanguage();
        LayOutTabStrip(window_->tabStrip());
    });
    pageSwitcher_ =
        std::make_unique<PageSwitcher>(*window_, navigator_, refresh_, services_, windowState_);
    editing_ = std::make_unique<EditingSide>(EditingSide::Parts{
        .model = model_,
        .path = *path_,
        .link = link(),
        .binding = binding_,
        .registry = registry_,
        .editorState = editorState_,
        .windowState = windowState_,
        .navigator = navigator_,
        .pages = *pageSwitcher_,
        .window = *window_,
        .language = language_,
        .messages = *messages_,
        .services = services_,
    });
    refresh_.target = &editing_->editor();
    graph_ = std::make_unique<EqGraphSide>(
        EqGraphSide::Parts{
            .window = *window_,
            .registry = registry_,
            .binding = binding_,
            .store = model_.store(),
            .editorState = editorState_,
            .windowState = windowState_,
            .channel = channel_,
            .services = services_,
        },
        editing_->editor());
    const GraphPanel& panel = window_->graph();
    spectrum_ = std::make_unique<SpectrumSide>(
        SpectrumSide::Parts{panel.pinPpBtn, panel.pinDcfBtn, *messages_, language_},
        graph_->graph(), graph_->drag());
    howlFinder_ = std::make_unique<HowlFinderSide>(
        HowlFinderSide::Parts{window_.get(), panel.image1, panel.howlFinderBtn, panel.notchBtn},
        graph_->graph(), editing_->editor(), editing_->history(), *editing_, model_, channel_,
        language_, *messages_, windowState_);
    system_ = std::make_unique<SystemSide>(SystemSide::Parts{
        .link = link(),
        .writes = *writes_,
        .model = model_,
        .log = *log_,
        .registry = registry_,
        .window = *window_,
        .windowState = windowState_,
        .language = language_,
        .messages = *messages_,
        .services = services_,
        .editor = editing_->editor(),
        .undoControls = editing_->undoControls(),
        .folders = [this]() -> const PresetFolders& { return presetFolders_; },
        .showReplacedImage = [this] { ShowReplacedImage(); },
        .showMusicPage = [this] { pageSwitcher_->OnTabClicked(kTabMusic); },
    });
    Wire();
}

EditorApp::~EditorApp() {
    // The window may outlive the sides while it closes: nothing reaches them from here on.
    refresh_.target = nullptr;
}

LinkEngine& EditorApp::link() {
    return linkWindow_->engine();
}

void EditorApp::Show() {
    // The window opens in the middle of its screen, never above or left of it.
    if (const QScreen* screen = window_->screen()) {
        const QRect area = screen->availableGeometry();
        QPoint topLeft = area.center() - QPoint(window_->width() / 2, window_->height() / 2);
        topLeft.setX(std::max(topLeft.x(), area.left()));
        topLeft.setY(std::max(topLeft.y(), area.top()));
        window_->move(topLeft);
    }
    window_->show();
}

void EditorApp::Wire() {
    TForm1& w = *window_;
    QObject::connect(&w, &TForm1::firstShown, &w, [this] { StartUp(); });
    QObject::connect(&w, &TForm1::closing, &w, [this] { OnClosing(); });

    pageSwitcher_->Connect();

    const TabStrip& strip = w.tabStrip();
    QObject::connect(strip.linkBtn, &QAbstractButton::clicked, &w, [this] {
        // "Unlink" while the window links again by itself stops it.
        if (relink_->active()) {
            const bool busy = link().searchRunning() || link().transferRunning();
            relink_->StopOnLinkButton();
            if (busy) link().OnLinkButton(LinkButton::UnLinkBtn);
            return;
        }
        if (link().linkOnline()) {
            relink_->MarkInStep();  // what was edited online is on the processor
        } else {
            // An adapter plugged in (or a bridge's port made) since the last search is tried.
            ReadPortList();
            relink_->BeforeSearch();
        }
        link().OnLinkButton(LinkButton::LinkBtn);
    });
    QObject::connect(strip.unLinkBtn, &QAbstractButton::clicked, &w, [this] {
        if (relink_->active()) relink_->StopOnLinkButton();
        if (link().linkOnline()) relink_->MarkInStep();
        link().OnLinkButton(LinkButton::UnLinkBtn);
    });

    // The effect sub-page and hint path buttons look selected while pressed, like the tabs;
    // their clicks set the final looks.
    for (const char* name : {"EchoAToolButton", "EchoBToolButton", "RvbToolButton", "HintMusBtn",
                             "HintMicABtn", "HintMicBBtn"}) {
        ShowSelectedWhilePressed(registry_.Get<SwappingToolButton>(name));
    }

    SwappingToolButton* language = strip.languageButton;
    ShowSelectedWhilePressed(language);
    QObject::connect(language, &QAbstractButton::released, language,
                     [language] { language->setSelectedLook(false); });
    QObject::connect(language, &QAbstractButton::clicked, &w, [this] { OnLanguageButton(); });

    // The volume keys work only while the first sheet of the right column is shown.
    QObject::connect(w.advPageControl1(), &QTabWidget::currentChanged, &w,
                     [&w](int index) { w.setKeyPreview(index == 0); });
    w.SetVolumeBars(registry_.Get<QAbstractSlider>("SysMusNormalVolBar"),
                    registry_.Get<QAbstractSlider>("SysMicNormalVolBar"),
                    registry_.Get<QAbstractSlider>("SysEffNormalVolBar"));

    QObject::connect(w.graph().image1, &GraphImage::bitmapRebuilt, &w, [this] {
        if (services_.graph) services_.graph->RebuildGraph();
    });

    timer1_.setInterval(kTimer1PeriodMs);
    QObject::connect(&timer1_, &QTimer::timeout, &w, [this] {
        if (services_.timer1) services_.timer1->OnTimer1Tick();
    });
    graph_->graph().SetTicksWantedChanged([this] { UpdateTimer1(); });
}

void EditorApp::UpdateTimer1() {
    const bool wanted = services_.timer1 && services_.timer1->WantsTicks();
    if (wanted && window_->startUpComplete()) {
        if (!timer1_.isActive()) timer1_.start();
    } else {
        timer1_.stop();
    }
}

void EditorApp::StartUp() {
    TForm1& w = *window_;
    BindControls(registry_, model_.image(), editorState_, binding_);
    editing_->Attach();
    graph_->pointEditing().SetGesture(&editing_->graphGesture());
    room_ = std::make_unique<RoomSide>(window_.get(), graph_->graph(), editing_->exchange(),
                                       windowState_, language_, *messages_);
    tooltips_ = std::make_unique<ValueTooltips>(binding_, model_, language_);
    tooltips_->Attach(registry_);
    graph_->Attach();
    model_.ResetEq(kAllPages, link(), refresh_);
    relink_->MarkInStep();
    StartLink();
    presetFolders_ =
        presetBase_.empty() ? PresetFoldersAtStartUp() : MakePresetFolders(presetBase_);
    if (!presetBase_.empty()) presetFolders_.sharedPresetFolder = presetShared_;
    PrepareModeFolders(presetFolders_);
    if (services_.presetFiles) services_.presetFiles->ListPresetFiles();
    ApplyStartLanguage();
    if (link().lockStage() != 2) pageSwitcher_->OnTabClicked(kTabMusic);
    w.setStartUpComplete();
    UpdateTimer1();
}

void EditorApp::ShowReplacedImage() {
    linkView_->ShowImage();
}

void EditorApp::StartLink() {
    // A port list that cannot be read, or a search that fails to start, leaves the window off
    // line; the user can press the link button later.
    try {
        ReadPortList();
        link().OnLinkButton(LinkButton::LinkBtn);
    } catch (const std::exception&) {
    }
}

void EditorApp::ReadPortList() {
    std::vector<PortEntry> ports;
    try {
        ports = ListPorts();
    } catch (const std::exception&) {
        return;  // the list the last search had stays
    }
    PutPortFirst(ports, preferredPort_);
    QComboBox* list = window_->tabStrip().comComboBox1;
    list->clear();
    for (const PortEntry& port : ports) list->addItem(QString::fromStdString(port.name));
    linkWindow_->SetPorts(std::move(ports));
}

void EditorApp::ApplyStartLanguage() {
    SwappingToolButton* button = window_->tabStrip().languageButton;
    const int language = button->tag();
    languageSwitch_->SetLanguage(language);
    // The first language may be the one the window was built in: no switch, but Qt's own
    // texts must follow it too.
    qtTranslations_.Apply(language_.current());
    ShowWordTexts(registry_, language_);
    button->setTag(1 - language);
}

void EditorApp::OnLanguageButton() {
    ApplyStartLanguage();
    navigator_.Reselect();
    refresh_.RefreshPage(channel_.selectedPage);
}

void EditorApp::OnClosing() {
    link().OnMainWindowClose();
    // The disconnect frame must leave before the editor ends.
    linkWindow_->port().Drain(0);
    statusDialog_->hide();
}

}  // namespace zt
