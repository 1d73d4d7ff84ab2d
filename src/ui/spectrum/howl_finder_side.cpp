#include "ui/spectrum/howl_finder_side.h"

#include <QMenu>
#include <cmath>

#include "params/page_table.h"
#include "params/param_model.h"
#include "ui/editing/editor.h"
#include "ui/eqgraph/eq_graph.h"
#include "ui/spectrum/howl_marker.h"
#include "ui/state/channel_state.h"
#include "ui/state/window_state.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/window/language.h"
#include "ui/window/main_window.h"
#include "ui/window/messages.h"

namespace zt {
namespace {

// The microphone sheet's logical page; its addresses follow MicPage (2 MIC A, 3 MIC B).
constexpr int kMicBPage = 3;
// Rows of flags, so that howls close together keep their texts apart.
constexpr int kMarkerRows = 3;

QString FrequencyText(double hz) {
    return hz < 1000.0 ? QString::number(hz, 'f', 0) + QStringLiteral(" Hz")
                       : QString::number(hz / 1000.0, 'f', 2) + QStringLiteral(" kHz");
}

}  // namespace

HowlFinderSide::HowlFinderSide(const Parts& parts, const EqGraph& graph, Editor& editor,
                               EditRecorder& recorder, EqRedraw& redraw, ParamModel& model,
                               const ChannelState& channel, const Language& language,
                               WindowMessages& messages, WindowState& state)
    : parts_(parts),
      graph_(graph),
      editor_(editor),
      recorder_(recorder),
      redraw_(redraw),
      model_(model),
      channel_(channel),
      language_(language),
      messages_(messages),
      state_(state) {
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &HowlFinderSide::Poll);
    connect(parts_.finderButton, &QAbstractButton::clicked, this, &HowlFinderSide::OnFinderButton);
    connect(parts_.notchButton, &QAbstractButton::clicked, this, &HowlFinderSide::NotchLoudest);
    ShowButtons();
}

HowlFinderSide::~HowlFinderSide() {
    poll_.stop();
    for (HowlMarker* marker : markers_) delete marker;
}

void HowlFinderSide::OnFinderButton() {
    if (!SetOn(!state_.finder.on)) {
        Inform(language_.Pick("没检测到音频设备", "Audio device is not detected"));
    }
}

bool HowlFinderSide::SetOn(bool on) {
    const bool done = capture_.SetOn(on);
    state_.finder.on = on && done;
    if (state_.finder.on) {
        poll_.start();
    } else {
        poll_.stop();
    }
    Poll();
    ShowButtons();
    return done;
}

void HowlFinderSide::Poll() {
    state_.finder.marks = capture_.feed().Marks();
    ShowMarkers();
}

void HowlFinderSide::ShowButtons() {
    parts_.finderButton->setShowsPressed(state_.finder.on);
    parts_.notchButton->setEnabled(state_.finder.on);
}

QString HowlFinderSide::MarkerText(const HowlMark& mark) const {
    const QString level = QString::number(std::lround(mark.levelDb)) + QStringLiteral(" dB");
    return language_.Pick("啸叫 ", "Howl ") + FrequencyText(mark.hz) + QLatin1Char(' ') + level;
}

void HowlFinderSide::ShowMarkers() {
    const std::vector<HowlMark>& marks = state_.finder.marks;
    while (markers_.size() > marks.size()) {
        delete markers_.back();
        markers_.pop_back();
    }
    while (markers_.size() < marks.size()) {
        auto* marker = new HowlMarker(parts_.image);
        const int index = static_cast<int>(markers_.size());
        marker->SetMenu([this, index](const QPoint& at) { ShowMarkerMenu(index, at); });
        markers_.push_back(marker);
    }
    // From left to right in rows, so that neighbours stand one above the other.
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const int x = static_cast<int>(std::lround(graph_.mapping().XOfFrequency(marks[i].hz)));
        markers_[i]->Show(MarkerText(marks[i]), x, static_cast<int>(i) % kMarkerRows,
                          marks[i].current);
    }
}

QString HowlFinderSide::ChannelName() const {
    if (channel_.micSide == kSideTogether) return QStringLiteral("MIC A + MIC B");
    return model_.selection().micPage == kMicBPage ? QStringLiteral("MIC B")
                                                   : QStringLiteral("MIC A");
}

void HowlFinderSide::Inform(const QString& text) {
    messages_.Inform(text, QString::fromLatin1(kApplicationTitle));
}

QMenu* HowlFinderSide::ShowMarkerMenu(int index, const QPoint& globalPosition) {
    if (index < 0 || index >= static_cast<int>(state_.finder.marks.size())) return nullptr;
    delete menu_;
    menu_ = new QMenu(parts_.window);
    menu_->setAttribute(Qt::WA_DeleteOnClose);
    const double hz = state_.finder.marks[static_cast<std::size_t>(index)].hz;
    QAction* notch = menu_->addAction(language_.Pick("陷波 ", "Notch ") + FrequencyText(hz));
    notch->setEnabled(!state_.locked);
    connect(notch, &QAction::triggered, this, [this, hz] { Notch(hz); });
    menu_->popup(globalPosition);
    return menu_;
}

bool HowlFinderSide::NotchLoudest() {
    if (state_.finder.marks.empty()) {
        Inform(language_.Pick("没有检测到啸叫。", "No howl is marked."));
        return false;
    }
    return Notch(state_.finder.marks.front().hz);
}

std::vector<ExchangeBand> HowlFinderSide::BandsShown(std::vector<bool>& freeEverywhere) const {
    const PageLayout& layout = PageLayoutOf(kMicrophonePage);
    const ParamStore& store = model_.store();
    std::vector<ExchangeBand> bands;
    freeEverywhere.clear();
    for (int band = 0; band < layout.bandCount; ++band) {
        const int slot = layout.firstBandSlot + band * layout.bandStep;
        auto read = [&](auto get) {
            return ExchangeBand{get(slot + kFieldType), get(slot + kFieldFrequency),
                                get(slot + kFieldGain), get(slot + kFieldQ),
                                get(slot + kFieldShelfQ)};
        };
        bands.push_back(read([&](int s) { return store.Get(kMicrophonePage, s); }));
        // Both microphones shown together: a write reaches MIC B as well.
        bool free = true;
        if (channel_.micSide == kSideTogether) {
            free = IsFreeBand(
                read([&](int s) { return model_.image().Get(MakeAddress(kMicBPage, s)); }));
        }
        freeEverywhere.push_back(free);
    }
    return bands;
}

bool HowlFinderSide::Notch(double hz) {
    if (state_.locked) return false;
    if (channel_.selectedPage != kMicrophonePage) {
        Inform(language_.Pick("陷波只用于麦克风通道：请先选择麦克A或麦克B。",
                              "A notch goes on a microphone channel: choose MIC A or MIC B "
                              "first."));
        return false;
    }
    std::vector<bool> freeEverywhere;
    const std::vector<ExchangeBand> bands = BandsShown(freeEverywhere);
    const NotchPlan plan = PlanNotch(bands, hz, freeEverywhere);
    switch (plan.outcome) {
        case NotchPlan::Outcome::NoFreeBand:
            Inform(language_
                       .Pick("%1 没有空闲的频段：每个频段都已调整。请先直通或归零一个频段。",
                             "%1 has no free band: every band is shaped. Bypass a band or "
                             "set its gain to 0 dB first.")
                       .arg(ChannelName()));
            return false;
        case NotchPlan::Outcome::AtDeepest:
            Inform(language_
                       .Pick("%1 频段 %2 的陷波已是最深 (-18 dB)。",
                             "The notch on band %2 of %1 is at its deepest (-18 dB).")
                       .arg(ChannelName())
                       .arg(plan.band + 1));
            return false;
        case NotchPlan::Outcome::Placed:
        case NotchPlan::Outcome::Deepened:
            break;
    }
    Write(plan);
    return true;
}

void HowlFinderSide::Write(const NotchPlan& plan) {
    const PageLayout& layout = PageLayoutOf(kMicrophonePage);
    const int slot = layout.firstBandSlot + plan.band * layout.bandStep;
    // One step of the history; the type first, as it decides which Q field the band uses.
    const std::pair<int, int> fields[] = {{kFieldType, plan.setting.type},
                                          {kFieldFrequency, plan.setting.frequencyIndex},
                                          {kFieldGain, plan.setting.gainStep},
                                          {kFieldQ, plan.setting.qIndex}};
    GestureScope gesture(&recorder_);
    editor_.SetPacedWrites(true);
    for (const auto& [field, value] : fields) {
        const ParamAddress address = MakeAddress(kMicrophonePage, slot + field);
        if (model_.image().Get(model_.ToDeviceAddress(address)) != value) {
            editor_.SetParameter(address, value);
        }
    }
    editor_.SetPacedWrites(false);
    editor_.RefreshPage(kMicrophonePage);
    redraw_.DrawEqCurve(kAllPages, kMicrophonePage);
}

}  // namespace zt
