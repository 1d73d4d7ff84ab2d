#include "ui/editing/editor.h"

#include <QStackedWidget>

#include "ui/state/channel_state.h"
#include "ui/widgets/band_scroll_box.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/control_registry.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/range_handle.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"

namespace zt {
namespace {

template <typename T>
T* Named(const ControlRegistry& registry, const QString& name) {
    return qobject_cast<T*>(registry.Find(name));
}

template <typename T, size_t N>
void NamedList(const ControlRegistry& registry, std::array<T*, N>& list,
               std::initializer_list<const char*> names) {
    size_t i = 0;
    for (const char* name : names) {
        if (i < N) list[i++] = Named<T>(registry, QLatin1String(name));
    }
}

}  // namespace

Editor::Editor(ParamModel& model, EditPath& path, Navigator& navigator, const ModeListSource& modes,
               EditorState& shared, WindowState& window)
    : navigator_(navigator),
      parts_(model, path, shared, window, navigator.mirrors()),
      looks_(parts_),
      bands_(parts_),
      writes_(parts_, *this),
      volumes_(parts_, writes_),
      setter_(parts_, writes_, bands_, volumes_),
      outputs_(parts_),
      handlers_(parts_, writes_, setter_, looks_, outputs_),
      display_(parts_, handlers_, setter_, volumes_, looks_, modes),
      wheel_(parts_, setter_),
      wiring_(parts_, handlers_, volumes_, bands_, looks_) {
    QObject::connect(&navigator_, &Navigator::viewChanged, connections_.get(),
                     [this] { ShowViewLooks(); });
}

Editor::~Editor() = default;

void Editor::Attach(const ControlRegistry& registry, const BindingLookup& binding,
                    const ControlLists& lists, QWidget* window) {
    parts_.binding = &binding;
    ResolveControls(registry, lists);
    EditorState& shared = parts_.shared;
    // Binding starts the two edit references; an editor attached without it starts them here.
    if (!shared.currentValueEdit) {
        shared.currentValueEdit = Named<ValueEdit>(registry, QStringLiteral("MusFreEdit1"));
    }
    if (!shared.highlightedEdit) shared.highlightedEdit = parts_.controls.example;
    wiring_.Connect(registry, connections_.get());
    ConnectChoiceButtons(registry);
    wheel_.Watch(window);
}

void Editor::ResolveControls(const ControlRegistry& r, const ControlLists& lists) {
    EditorControls& c = parts_.controls;
    static_cast<ControlLists&>(c) = lists;

    c.example = Named<ValueEdit>(r, QStringLiteral("Example"));
    c.phaseTemplate = Named<BitmapButton>(r, QStringLiteral("ExampleBtn2"));
    c.pageItem = Named<QStackedWidget>(r, QStringLiteral("FormPageItem"));
    c.effectPages = r.Find(QStringLiteral("EffPageControl"));
    NamedList(r, c.bandScrollBars, {"MusPanScrollBar", "MicPanScrollBar", "MainPanScrollBar"});
    NamedList(r, c.bandBoxes, {"MusScrollBox", "MicScrollBox", "MainScrollBox"});

    c.eqPassLabel = r.Find(QStringLiteral("EQPassLabel"));
    c.eqPassButton = Named<BitmapButton>(r, QStringLiteral("MusEQAllpassBtn"));
    c.eqResetButton = Named<BitmapButton>(r, QStringLiteral("EQResetBtn"));
    c.autoManualButtons = {Named<BitmapButton>(r, QStringLiteral("AutoModeBtn")),
                           Named<BitmapButton>(r, QStringLiteral("ManulModeBtn"))};
    c.copyGroup = r.Find(QStringLiteral("CopyGrop"));
    c.eqPassGroup = r.Find(QStringLiteral("EQPassGrop"));

    c.leftMute = Named<BitmapButton>(r, QStringLiteral("MainLmuteBtn"));
    c.rightMute = Named<BitmapButton>(r, QStringLiteral("MainRmuteBtn"));
    c.rightDelayBar = Named<TrackBar>(r, QStringLiteral("MainRdelayBar"));
    c.rightDelayPane = Named<StatusPane>(r, QStringLiteral("MainRdelayPane"));
    // The group of the output levels and phases, found by name or, failing that, by its bars.
    QWidget* levelGroup = r.Find(QStringLiteral("OutLevelGroup"));
    if (QWidget* levelBar = r.Find(QStringLiteral("MainMusLevelBar")); !levelGroup && levelBar) {
        levelGroup = levelBar->parentWidget();
    }
    c.outputGroups = {
        levelGroup, r.Find(QStringLiteral("OutLimiteGroup")), r.Find(QStringLiteral("OutLHPGroup")),
        r.Find(QStringLiteral("AdvGroupBox21")), r.Find(QStringLiteral("MainPanScrollBar"))};

    NamedList(r, c.triggerSelectors, {"DEQTypeBox1", "DEQTypeBox2", "DEQTypeBox3"});

    auto pair = [&](int address, const char* first, const char* second) {
        return SwitchPair{address, Named<BitmapButton>(r, QLatin1String(first)),
                          Named<BitmapButton>(r, QLatin1String(second))};
    };
    c.switches = {pair(0x1D09, "SysVolRunBtn1", "SysVolRunBtn2"),
                  pair(0x1E04, "SysPanelBtn1", "SysPanelBtn2"),
                  pair(0x1E08, "SysUserBtn", "SysManagerBtn"),
                  pair(0x0911, "SysRemoteBtn1", "SysRemoteBtn2")};
    c.userManagerGroup = r.Find(QStringLiteral("SysUserMangerGrop"));

    auto group = [&](const char* name, const char* label) {
        const QString n = QLatin1String(name);
        return VolumeGroup{Named<TrackBar>(r, "Sys" + n + "NormalVolBar"),
                           Named<TrackBar>(r, "Sys" + n + "StartVolBar"),
                           Named<TrackBar>(r, "Sys" + n + "MaxVolBar"),
                           Named<RangeHandle>(r, n + "StartImage"),
                           Named<RangeHandle>(r, n + "MaxImage"),
                           r.Find(QLatin1String(label))};
    };
    c.volumeGroups = {group("Mus", "musLabel"), group("Mic", "micLabel"), group("Eff", "EffLabel")};
    c.modeBox = Named<Selector>(r, QStringLiteral("SysModeBox"));
    c.modeBox2 = Named<Selector>(r, QStringLiteral("SysModeBox2"));
    c.modeNameEdit = Named<PlainEdit>(r, QStringLiteral("PresetModeEdit"));
    c.linkButton = r.Find(QStringLiteral("LinkBtn"));
    c.unlinkButton = r.Find(QStringLiteral("UnLinkBtn"));
}

void Editor::ConnectChoiceButtons(const ControlRegistry& registry) {
    QObject* context = connections_.get();
    const EditorControls& c = parts_.controls;
    auto in = [](const auto& list, const QWidget* control) {
        return std::find(list.begin(), list.end(), control) != list.end();
    };
    for (QWidget* control : registry.InCreationOrder()) {
        if (auto* button = qobject_cast<BitmapButton*>(control)) {
            void (Editor::*handler)(BitmapButton*) = nullptr;
            if (in(c.sceneButtons, button)) handler = &Editor::OnSceneClick;
            if (in(c.sideButtons, button)) handler = &Editor::OnSideClick;
            if (handler) {
                QObject::connect(button, &QAbstractButton::clicked, context,
                                 [this, button, handler] {
                                     auto gesture = parts_.Gesture();
                                     (this->*handler)(button);
                                 });
            } else if (button == c.eqResetButton) {
                QObject::connect(button, &QAbstractButton::clicked, context, [this] {
                    auto gesture = parts_.Gesture();
                    OnEqResetClick();
                });
            }
        } else if (auto* tool = qobject_cast<SwappingToolButton*>(control)) {
            if (in(c.effectButtons, tool)) {
                QObject::connect(tool, &QToolButton::clicked, context,
                                 [this, tool] { OnEffectSubPageClick(tool); });
            }
            if (in(c.hintButtons, tool)) {
                QObject::connect(tool, &QToolButton::clicked, context,
                                 [this, tool] { OnHintPathClick(tool); });
            }
        }
    }
}

void Editor::ReselectEffectSubPage() {
    const int last = parts_.channel.effectSubPage;
    if (last >= 0 && last < kEffectSubPageCount) {
        OnEffectSubPageClick(parts_.controls.effectButtons[last]);
    }
}

}  // namespace zt
