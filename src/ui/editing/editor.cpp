#include "ui/editing/editor.h"

#include <QApplication>
#include <QStackedWidget>
#include <QWheelEvent>

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

namespace zt {
namespace {

constexpr int kWheelNotch = 120;

// The window's mouse wheel: while a value edit is selected for stepping, a turn steps it and
// the wheel goes no further.
class WheelStepping : public QObject {
public:
    WheelStepping(Editor& editor, QWidget* window)
        : QObject(window), editor_(editor), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel || !watched->isWidgetType()) return false;
        if (static_cast<QWidget*>(watched)->window() != window_) return false;
        return editor_.WheelStep(static_cast<QWheelEvent*>(event)->angleDelta().y());
    }

private:
    Editor& editor_;
    QWidget* window_;
};

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
    : model_(model),
      path_(path),
      modes_(modes),
      shared_(shared),
      window_(window),
      navigator_(navigator),
      channel_(navigator.mirrors()),
      context_(std::make_unique<QObject>()) {
    QObject::connect(&navigator_, &Navigator::viewChanged, context_.get(),
                     [this] { ShowViewLooks(); });
}

Editor::~Editor() {
    // The controls may outlive the editor; their handlers go with it.
    delete wheelFilter_;
}

QWidget* Editor::Bound(ParamAddress a) const {
    return binding_ && IsStoreAddress(a) ? binding_->BoundControl(a) : nullptr;
}

QWidget* Editor::Pane(ParamAddress a) const {
    return binding_ && IsStoreAddress(a) ? binding_->BoundPane(a) : nullptr;
}

QWidget* Editor::Companion(ParamAddress a, int entry) const {
    if (!binding_ || !IsStoreAddress(a) || entry < 0 || entry > 3) return nullptr;
    return binding_->BoundCompanion(a, entry);
}

void Editor::Attach(const ControlRegistry& registry, const BindingLookup& binding,
                    const ControlLists& lists, QWidget* window) {
    binding_ = &binding;
    ResolveControls(registry, lists);
    // Binding starts the two edit references; an editor attached without it starts them here.
    if (!shared_.currentValueEdit) {
        shared_.currentValueEdit = Named<ValueEdit>(registry, QStringLiteral("MusFreEdit1"));
    }
    if (!shared_.highlightedEdit) shared_.highlightedEdit = controls_.example;
    Connect(registry);
    if (window && qApp && !wheelFilter_) {
        wheelFilter_ = new WheelStepping(*this, window);  // removes itself when deleted
        qApp->installEventFilter(wheelFilter_);
    }
}

void Editor::ResolveControls(const ControlRegistry& r, const ControlLists& lists) {
    EditorControls& c = controls_;
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
    c.autoButton = Named<BitmapButton>(r, QStringLiteral("AutoModeBtn"));
    c.manualButton = Named<BitmapButton>(r, QStringLiteral("ManulModeBtn"));
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

    auto pair = [&](int address, const char* first, const char* second, bool hints) {
        return SwitchPair{address, Named<BitmapButton>(r, QLatin1String(first)),
                          Named<BitmapButton>(r, QLatin1String(second)), hints};
    };
    c.switches = {pair(0x1D09, "SysVolRunBtn1", "SysVolRunBtn2", true),
                  pair(0x1E04, "SysPanelBtn1", "SysPanelBtn2", true),
                  pair(0x1E08, "SysUserBtn", "SysManagerBtn", true),
                  pair(0x0911, "SysRemoteBtn1", "SysRemoteBtn2", false)};
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

void Editor::Connect(const ControlRegistry& registry) {
    for (QWidget* control : registry.InCreationOrder()) {
        if (auto* bar = qobject_cast<TrackBar*>(control)) {
            ConnectTrackBar(bar);
        } else if (auto* edit = qobject_cast<ValueEdit*>(control)) {
            QObject::connect(edit, &PlainEdit::clicked, context_.get(), [this, edit] {
                auto gesture = Gesture();
                OnValueEditClick(edit);
            });
            QObject::connect(edit, &PlainEdit::keyPressed, context_.get(),
                             [this, edit](KeyPress* press) {
                                 auto gesture = Gesture();
                                 OnValueEditKeyPress(edit, press);
                             });
            QObject::connect(edit, &PlainEdit::keyDown, context_.get(),
                             [this, edit](int key, Qt::KeyboardModifiers modifiers) {
                                 const bool step = key == Qt::Key_Up || key == Qt::Key_Down ||
                                                   key == Qt::Key_Left || key == Qt::Key_Right;
                                 auto gesture = Gesture(step ? edit : nullptr);
                                 OnValueEditKeyDown(edit, key, modifiers);
                             });
            QObject::connect(edit, &PlainEdit::left, context_.get(), [this] {
                auto gesture = Gesture();
                OnValueEditLeave();
            });
        } else if (auto* spin = qobject_cast<SpinButtons*>(control)) {
            QObject::connect(spin, &SpinButtons::upClicked, context_.get(), [this, spin] {
                auto gesture = Gesture(spin);
                OnSpinButton(spin, true);
            });
            QObject::connect(spin, &SpinButtons::downClicked, context_.get(), [this, spin] {
                auto gesture = Gesture(spin);
                OnSpinButton(spin, false);
            });
        } else if (auto* selector = qobject_cast<Selector*>(control)) {
            ConnectSelector(selector);
        } else if (auto* label = qobject_cast<TypeLabel*>(control)) {
            QObject::connect(label, &TypeLabel::clicked, context_.get(), [this, label] {
                auto gesture = Gesture();
                OnTypeLabelClick(label);
            });
        } else if (auto* button = qobject_cast<BitmapButton*>(control)) {
            ConnectBitmapButton(button);
        } else if (auto* tool = qobject_cast<SwappingToolButton*>(control)) {
            for (SwappingToolButton* each : controls_.effectButtons) {
                if (each == tool) {
                    QObject::connect(tool, &QToolButton::clicked, context_.get(),
                                     [this, tool] { OnEffectSubPageClick(tool); });
                }
            }
            for (SwappingToolButton* each : controls_.hintButtons) {
                if (each == tool) {
                    QObject::connect(tool, &QToolButton::clicked, context_.get(),
                                     [this, tool] { OnHintPathClick(tool); });
                }
            }
        }
    }
    ConnectRangeHandles();
    for (int box = 0; box < 3; ++box) {
        if (QAbstractSlider* bar = controls_.bandScrollBars[box]) {
            QObject::connect(bar, &QAbstractSlider::valueChanged, context_.get(),
                             [this, box](int position) { OnBandScroll(box, position); });
        }
    }
}

void Editor::ConnectRangeHandles() {
    for (const VolumeGroup& group : controls_.volumeGroups) {
        for (RangeHandle* handle : {group.startMarker, group.maximumMarker}) {
            if (!handle) continue;
            QObject::connect(handle, &RangeHandle::pressed, context_.get(),
                             [this, handle](QPoint, Qt::MouseButton button) {
                                 if (button == Qt::LeftButton) BeginHeldGesture(handle);
                             });
            QObject::connect(handle, &RangeHandle::released, context_.get(),
                             [this, handle] { EndHeldGesture(handle); });
        }
    }
}

bool Editor::IsVolumeBar(const TrackBar* bar) const {
    for (const VolumeGroup& group : controls_.volumeGroups) {
        if (bar == group.normal || bar == group.start || bar == group.maximum) return true;
    }
    return false;
}

void Editor::ConnectTrackBar(TrackBar* bar) {
    // A drag of the handle is one gesture from press to release, however many values it passes;
    // outside a drag (keys, the wheel, clicks beside the handle) the bar steps.
    QObject::connect(bar, &QAbstractSlider::sliderPressed, context_.get(),
                     [this, bar] { BeginHeldGesture(bar); });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, context_.get(),
                     [this, bar] { EndHeldGesture(bar); });
    if (IsVolumeBar(bar)) {
        QObject::connect(bar, &QAbstractSlider::valueChanged, context_.get(), [this, bar] {
            auto gesture = Gesture(bar);
            OnVolumeBarChange(bar);
        });
    } else if (Bound(bar->tag()) == bar || bar == controls_.rightDelayBar) {
        QObject::connect(bar, &QAbstractSlider::valueChanged, context_.get(), [this, bar] {
            auto gesture = Gesture(bar);
            OnTrackBarChange(bar);
        });
    } else {
        // Band gain bars, and the bars of the point editor panel that carry no address.
        QObject::connect(bar, &QAbstractSlider::valueChanged, context_.get(), [this, bar] {
            auto gesture = Gesture(bar);
            OnGainBarChange(bar);
        });
    }
}

void Editor::ConnectSelector(Selector* selector) {
    const ParamAddress a = selector->tag();
    const bool bound = Bound(a) == selector;
    QWidget* first = Companion(a, 0);
    void (Editor::*handler)(Selector*) = nullptr;
    if (bound && (qobject_cast<TypeLabel*>(first) || qobject_cast<BitmapButton*>(first))) {
        handler = &Editor::OnTypeSelectorChange;
    } else if (selector->hint() == QLatin1String("20") || selector->hint() == QLatin1String("21")) {
        handler = &Editor::OnCrossoverSelectorChange;
    } else if (bound && PageOf(a) == kSystemPage && selector != controls_.modeBox) {
        // The input choices of the system page; the mode list has handlers of its own.
        handler = &Editor::OnPlainSelectorChange;
    }
    if (!handler) return;
    QObject::connect(selector, &QComboBox::activated, context_.get(), [this, selector, handler] {
        auto gesture = Gesture();
        (this->*handler)(selector);
    });
}

void Editor::ConnectBitmapButton(BitmapButton* button) {
    auto on = [&](auto handler) {
        QObject::connect(button, &QAbstractButton::clicked, context_.get(),
                         [this, button, handler] {
                             auto gesture = Gesture();
                             (this->*handler)(button);
                         });
    };
    auto in = [button](const auto& list) {
        return std::find(list.begin(), list.end(), button) != list.end();
    };
    if (in(controls_.sceneButtons)) return on(&Editor::OnSceneClick);
    if (in(controls_.sideButtons)) return on(&Editor::OnSideClick);
    if (button == controls_.autoButton || button == controls_.manualButton) {
        return on(&Editor::OnAutoManualClick);
    }
    if (button == controls_.eqPassButton) return on(&Editor::OnEqPassClick);
    if (button == controls_.eqResetButton) {
        QObject::connect(button, &QAbstractButton::clicked, context_.get(), [this] {
            auto gesture = Gesture();
            OnEqResetClick();
        });
        return;
    }
    for (const SwitchPair& pair : controls_.switches) {
        if (button == pair.first || button == pair.second) return on(&Editor::OnSwitchClick);
    }
    for (Selector* selector : controls_.triggerSelectors) {
        for (int entry = 0; selector && entry < 3; ++entry) {
            if (Companion(selector->tag(), entry) == button)
                return on(&Editor::OnTriggerButtonClick);
        }
    }
    if (button == controls_.leftMute || button == controls_.rightMute) {
        return on(&Editor::OnMuteButtonClick);
    }
    if (Bound(button->tag()) == button) return on(&Editor::OnPhaseButtonClick);
}

void Editor::ReselectEffectSubPage() {
    const int last = channel_.effectSubPage;
    if (last >= 0 && last < kEffectSubPageCount) {
        OnEffectSubPageClick(controls_.effectButtons[last]);
    }
}

bool Editor::WheelStep(int angleDelta) {
    if (!state_.wheelStepping || !shared_.currentValueEdit ||
        shared_.currentValueEdit == controls_.example || !TakesEdits()) {
        return false;
    }
    auto gesture = Gesture(shared_.currentValueEdit);
    state_.wheelRemainder += angleDelta;
    while (state_.wheelRemainder >= kWheelNotch) {
        state_.wheelRemainder -= kWheelNotch;
        CommitTypedValue(kStepUp);
    }
    while (state_.wheelRemainder <= -kWheelNotch) {
        state_.wheelRemainder += kWheelNotch;
        CommitTypedValue(kStepDown);
    }
    return true;
}

void Editor::EndWheelStepping() {
    state_.wheelStepping = false;
    state_.wheelRemainder = 0;
}

}  // namespace zt
