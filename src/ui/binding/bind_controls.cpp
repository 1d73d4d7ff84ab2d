#include "ui/binding/bind_controls.h"

#include <QPushButton>
#include <stdexcept>

#include "params/page_table.h"
#include "ui/binding/control_binding.h"
#include "ui/binding/editor_state.h"
#include "ui/catalogue/catalogue.h"
#include "ui/catalogue/page_tables.h"
#include "ui/widgets/band_number_label.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/control_registry.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt {

namespace {

constexpr int kLastPictureTakingPage = 28;  // the system volume bars keep their own look

QWidget* Resolve(const ControlRegistry& registry, const QString& name) {
    if (name.isEmpty()) return nullptr;
    return registry.Get<QWidget>(name);
}

void FillBindings(const ControlRegistry& registry, ControlBinding& binding) {
    for (const catalogue::SlotBinding& slot : catalogue::CatalogueBindings()) {
        std::array<QWidget*, kCompanionCount> companions{};
        for (int i = 0; i < kCompanionCount; ++i) {
            companions[i] = Resolve(registry, slot.companions[i]);
        }
        binding.Bind(slot.address, Resolve(registry, slot.control), Resolve(registry, slot.pane),
                     companions);
    }
}

template <typename T, std::size_t N>
void FillList(const ControlRegistry& registry, const std::array<const char*, N>& names,
              std::array<T*, N>& list) {
    for (std::size_t i = 0; i < N; ++i) list[i] = registry.Get<T>(names[i]);
}

void FillBandLabels(const ControlRegistry& registry, ControlLists& lists) {
    for (const catalogue::EqBandBlock& block : catalogue::EqBandBlocks()) {
        for (int band = 1; band <= block.bands; ++band) {
            lists.bandLabels[block.labelRow][band - 1] =
                registry.Get<BandNumberLabel>(QString(block.labelPrefix) + QString::number(band));
        }
    }
    constexpr int kDynamicEqRow = 8;
    for (int band = 1; band <= catalogue::DynamicEqBlock().bands; ++band) {
        lists.bandLabels[kDynamicEqRow][band - 1] =
            registry.Get<BandNumberLabel>("DEQPointLabel" + QString::number(band));
    }
}

void FillLists(const ControlRegistry& registry, ControlLists& lists) {
    FillList(registry, kTabButtonNames, lists.tabButtons);
    FillList(registry, kEffectButtonNames, lists.effectButtons);
    FillList(registry, kHintButtonNames, lists.hintButtons);
    FillBandLabels(registry, lists);
    FillList(registry, kModeButtonNames, lists.modeButtons);
    FillList(registry, kFactoryButtonNames, lists.factoryButtons);
    FillList(registry, kSideButtonNames, lists.sideButtons);
    FillList(registry, kSceneButtonNames, lists.sceneButtons);
}

void SetTag(QWidget* control, ParamAddress address) {
    if (ControlProps* props = PropsOf(control)) props->setTag(address);
}

// The controls whose look binding copies onto the others.
struct PictureModels {
    const TrackBar* parameterBar;  // MicHPFreBar
    const TrackBar* gainBar;       // MusEQGainBar1
};

void AddressControl(QWidget* control, ParamAddress address, const PictureModels& models) {
    if (!control) return;
    const bool addressed = qobject_cast<Selector*>(control) || qobject_cast<TrackBar*>(control) ||
                           qobject_cast<QPushButton*>(control) ||
                           qobject_cast<BitmapButton*>(control) ||
                           qobject_cast<ValueEdit*>(control);
    if (!addressed) return;
    SetTag(control, address);
    auto* bar = qobject_cast<TrackBar*>(control);
    if (bar && PageOf(address) <= kLastPictureTakingPage) {
        bar->TakePicturesOf(*models.parameterBar);
    }
}

void AddressPane(QWidget* pane, ParamAddress address) {
    if (qobject_cast<StatusPane*>(pane) || qobject_cast<Selector*>(pane) ||
        qobject_cast<BitmapButton*>(pane)) {
        SetTag(pane, address);
    }
}

void AddressCompanions(const ControlBinding& binding, ParamAddress address,
                       const PictureModels& models) {
    QWidget* first = binding.CompanionOf(address, 0);
    if (qobject_cast<TypeLabel*>(first)) {
        for (int entry = 0; entry < kCompanionCount; ++entry) {
            auto* label = binding.CompanionAs<TypeLabel>(address, entry);
            if (!label) continue;
            label->setTag(address);
            label->setHint(QString::number(entry));
            // Band columns show their type labels on the left edge; the dynamic-EQ bands lay
            // them out in a row of their own.
            if (PageOf(address) != catalogue::DynamicEqBlock().page) label->move(1, label->y());
        }
    } else if (auto* gainBar = qobject_cast<TrackBar*>(first)) {
        gainBar->setTag(address);
        if (PageOf(address) != catalogue::DynamicEqBlock().page) {
            gainBar->TakePicturesOf(*models.gainBar);
            gainBar->resize(models.gainBar->width(), gainBar->height());
        }
    } else if (auto* spin = qobject_cast<SpinButtons*>(first)) {
        spin->setTag(address);
    }
    // The dynamic-EQ trigger buttons keep their trigger codes as tags.
}

void AddressVisitedSlots(const ControlBinding& binding, const PictureModels& models) {
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            const ParamAddress address = MakeAddress(page, slot);
            AddressControl(binding.BoundControlOf(address), address, models);
            AddressPane(binding.PaneOf(address), address);
            AddressCompanions(binding, address, models);
        }
    }
}

void OpenLowPassFilters(DeviceImage& image) {
    image.Set(0, 7, kLowPassDefault);
    for (int page : {2, 3, 4, 24}) image.Set(page, 12, kLowPassDefault);
    image.Set(5, 9, kLowPassDefault);
    for (int page = 6; page <= 23; ++page) image.Set(page, 19, kLowPassDefault);
}

// Keeps the refresh-in-progress flag set for a scope, and clears it however the scope ends.
class RefreshInProgress {
public:
    explicit RefreshInProgress(EditorState& state) : state_(state) {
        state_.refreshInProgress = true;
    }
    ~RefreshInProgress() { state_.refreshInProgress = false; }
    RefreshInProgress(const RefreshInProgress&) = delete;
    RefreshInProgress& operator=(const RefreshInProgress&) = delete;

private:
    EditorState& state_;
};

}  // namespace

void BindControls(const ControlRegistry& registry, DeviceImage& image, EditorState& state,
                  ControlBinding& binding) {
    binding.Clear();
    FillBindings(registry, binding);
    FillLists(registry, binding.lists());
    state.currentValueEdit = registry.Get<ValueEdit>("MusFreEdit1");
    state.highlightedEdit = registry.Get<ValueEdit>("Example");

    const PictureModels models{registry.Get<TrackBar>("MicHPFreBar"),
                               registry.Get<TrackBar>("MusEQGainBar1")};
    RefreshInProgress refreshing(state);
    AddressVisitedSlots(binding, models);
    OpenLowPassFilters(image);
}

}  // namespace zt
