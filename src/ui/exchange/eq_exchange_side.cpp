#include "ui/exchange/eq_exchange_side.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QStackedWidget>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <memory>

#include "eqgraph/drag_rules.h"
#include "eqgraph/exchange_channel.h"
#include "link/link_engine.h"
#include "params/page_table.h"
#include "params/param_model.h"
#include "ui/editing/editor.h"
#include "ui/exchange/import_report.h"
#include "ui/state/channel_state.h"
#include "ui/state/window_state.h"
#include "ui/widgets/swapping.h"
#include "ui/window/language.h"
#include "ui/window/messages.h"
#include "ui/window/tab_strip.h"

namespace zt {
namespace {

constexpr int kDynamicEqPage = 1;
constexpr int kMusicPage = 0;
// The music channel's second set of bands lies this many slots after the first.
constexpr int kMusicSetDistance = 75;
constexpr int kRightSet = 2;  // MusicEqSet of the right set
// Input volumes of kind 5 and 22: half a dB per step, -10 .. +10 dB.
constexpr int kInputLevelMaximum = 40;
constexpr double kInputLevelStepsPerDb = 2.0;

}  // namespace

EqExchangeSide::EqExchangeSide(const Parts& parts, Editor& editor, ParamModel& model,
                               const ChannelState& channel, const Language& language,
                               WindowMessages& messages, EditRecorder& recorder)
    : parts_(parts),
      editor_(editor),
      model_(model),
      channel_(channel),
      language_(language),
      messages_(messages),
      recorder_(recorder),
      chooser_(std::make_unique<DialogFileChooser>()) {
    if (parts_.image) parts_.image->installEventFilter(this);
}

EqExchangeSide::~EqExchangeSide() {
    delete menu_;
}

bool EqExchangeSide::CanExport() const {
    const int page = channel_.selectedPage;
    return page != kDynamicEqPage && PageLayoutOf(page).bandCount > 0;
}

bool EqExchangeSide::CanImport() const {
    if (!CanExport()) return false;
    if (parts_.windowState && parts_.windowState->locked) return false;
    auto* pages = qobject_cast<QStackedWidget*>(parts_.formPageItem);
    return !pages || !EditingLockedOut(pages->currentIndex(), channel_.manualFlag == 0);
}

QString EqExchangeSide::Caption() const {
    return language_.Pick("EQ 文件", "EQ file");
}

ExchangeChannel EqExchangeSide::ChannelShown() const {
    ExchangeChannel channel = ExchangeChannelAt(model_.store(), channel_.selectedPage);
    if (parts_.tabs && channel_.currentTab >= 0 && channel_.currentTab < kTabCount) {
        channel.name = parts_.tabs->tabs[channel_.currentTab]->text().toStdString();
    }
    return channel;
}

ExchangeImportRequest EqExchangeSide::RequestShown() const {
    const ExchangeChannel channel = ChannelShown();
    ExchangeImportRequest request;
    request.current = {channel.bands, channel.highPass, channel.lowPass};
    if (channel_.selectedPage == kMusicPage) {
        // The set not shown, straight from the device image.
        const bool rightShown = model_.selection().musicEqSet == kRightSet;
        const int first = PageLayoutOf(kMusicPage).firstBandSlot;
        request.otherSet = ExchangeBandsAt(model_.image(), kMusicPage,
                                           rightShown ? first : first + kMusicSetDistance);
        request.otherIsRight = !rightShown;
    }
    return request;
}

std::vector<ParamAddress> EqExchangeSide::InputLevelSlots() const {
    switch (channel_.selectedPage) {
        case kMusicPage:  // IN1, IN2 and the optical input
            return {MakeAddress(kMusicPage, 0), MakeAddress(kMusicPage, 1),
                    MakeAddress(kMusicPage, 2)};
        case kMicrophonePage:
            return {MakeAddress(kMicrophonePage, 0)};
        default:
            return {};
    }
}

QMenu* EqExchangeSide::ShowMenu(const QPoint& globalPosition) {
    delete menu_;
    menu_ = new QMenu(parts_.window);
    menu_->setAttribute(Qt::WA_DeleteOnClose);
    QAction* exporting = menu_->addAction(language_.Pick("导出 EQ 到文件...", "Export EQ..."));
    QAction* importing = menu_->addAction(language_.Pick("从文件导入 EQ...", "Import EQ..."));
    exporting->setEnabled(CanExport());
    importing->setEnabled(CanImport());
    connect(exporting, &QAction::triggered, this, [this] { Export(); });
    connect(importing, &QAction::triggered, this, [this] { Import(); });
    if (moreEntries_) {
        menu_->addSeparator();
        moreEntries_(*menu_);
    }
    menu_->popup(globalPosition);
    return menu_;
}

bool EqExchangeSide::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parts_.image && event->type() == QEvent::ContextMenu) {
        ShowMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return false;
}

bool EqExchangeSide::Export() {
    if (!CanExport()) return false;
    const ExchangeChannel channel = ChannelShown();
    const QString suggested = QString::fromStdString(channel.name).simplified() + " EQ.txt";
    const QString name =
        chooser_->SaveFileName(parts_.window, language_.Pick("导出 EQ", "Export EQ"), suggested);
    if (name.isEmpty()) return false;
    const std::string text = FormatEqExchange(channel, cookbook_);
    if (!WriteWholeFile(name, text)) {
        messages_.Inform(language_.Pick("无法写入文件：", "Could not write the file: ") + name,
                         Caption());
        return false;
    }
    return true;
}

bool EqExchangeSide::Import() {
    if (!CanImport()) return false;
    const QString name =
        chooser_->OpenFileName(parts_.window, language_.Pick("导入 EQ", "Import EQ"));
    if (name.isEmpty()) return false;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        messages_.Inform(language_.Pick("无法读取文件：", "Could not read the file: ") + name,
                         Caption());
        return false;
    }
    // One byte more than the largest file the import reads tells a file that is too large.
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxExchangeFileSize) + 1);
    return ImportText(std::string_view(bytes.constData(), bytes.size())).changed;
}

EqImport EqExchangeSide::ImportText(std::string_view text) {
    const ExchangeImportRequest request = RequestShown();
    const EqImport result = ImportEqExchange(text, request, fitter_, cookbook_);
    const bool inputLevel = !InputLevelSlots().empty();
    const QString report =
        ImportReport(result, {request.otherSet.has_value(), inputLevel}, language_);
    double preampDb = 0.0;
    const bool asks = result.changed && result.hasPreamp && inputLevel && result.preampDb != 0.0;
    if (asks) {
        // The answer decides what is written: asked first, with the summary.
        const QString question = report + "\n\n" + PreampQuestion(result.preampDb, language_);
        if (messages_.Ask(question, Caption(), AskButtons::YesNo)) preampDb = result.preampDb;
    }
    written_.clear();
    if (result.changed) Apply(result, request, preampDb);
    ReportWhenConfirmed(asks ? QString() : report, std::move(written_));
    written_.clear();
    return result;
}

void EqExchangeSide::ReportWhenConfirmed(const QString& report, std::vector<ParamAddress> written) {
    std::sort(written.begin(), written.end());
    auto show = [this, report, written](const WriteConfirmation& confirmation) {
        std::vector<ParamAddress> notLanded;
        for (ParamAddress device : confirmation.notConfirmed) {
            if (std::binary_search(written.begin(), written.end(), device)) {
                notLanded.push_back(device);
            }
        }
        const QString missing = NotLandedReport(notLanded, language_);
        const QString text =
            report.isEmpty() || missing.isEmpty() ? report + missing : report + "\n\n" + missing;
        if (!text.isEmpty()) messages_.Inform(text, Caption());
    };
    if (!parts_.link || written.empty()) {
        show({});
        return;
    }
    // Told at once (nothing to wait for), the summary shows here; told later, from inside one
    // of the link's ticks, it opens from the event loop, as the link goes on meanwhile.
    auto waiting = std::make_shared<bool>(false);
    QPointer<EqExchangeSide> self(this);
    parts_.link->WhenWritesConfirmed([self, waiting, show](const WriteConfirmation& confirmation) {
        if (!*waiting) {
            show(confirmation);
        } else if (self) {
            QTimer::singleShot(0, self.data(), [show, confirmation] { show(confirmation); });
        }
    });
    *waiting = true;
}

void EqExchangeSide::Apply(const EqImport& result, const ExchangeImportRequest& request,
                           double preampDb) {
    AsOneStep([&] {
        if (result.other) {
            // The set not shown is reached by addressing it as if it were shown: the music EQ's
            // addresses follow MusicEqSet, which is put back before anything else happens. The
            // logical store follows each switch, so that every band's Q goes to the field its
            // own type uses.
            SelectionState& selection = model_.selection();
            const int shown = selection.musicEqSet;
            selection.musicEqSet = request.otherIsRight ? kRightSet : 0;
            model_.RebuildParamStore();
            WriteBands(result.other->settings.bands,
                       PageLayoutOf(channel_.selectedPage).firstBandSlot);
            selection.musicEqSet = shown;
            model_.RebuildParamStore();
        }
        WriteCrossovers(result.shown.settings);
        WriteBands(result.shown.settings.bands, PageLayoutOf(channel_.selectedPage).firstBandSlot);
        WritePreamp(preampDb);
    });
}

bool EqExchangeSide::ApplySettings(const ExchangeSettings& settings) {
    if (!CanImport()) return false;
    AsOneStep([&] {
        WriteCrossovers(settings);
        WriteBands(settings.bands, PageLayoutOf(channel_.selectedPage).firstBandSlot);
    });
    return true;
}

void EqExchangeSide::AsOneStep(const std::function<void()>& writes) {
    const int page = channel_.selectedPage;
    // One step of the history; every value waits for the acknowledgement of the one before.
    GestureScope gesture(&recorder_);
    editor_.SetPacedWrites(true);
    writes();
    editor_.SetPacedWrites(false);
    // The refresh shows every value of the page and ends with one redraw of the graph.
    editor_.RefreshPage(page);
}

void EqExchangeSide::WriteBands(const std::vector<ExchangeBand>& bands, int firstSlot) {
    const int page = channel_.selectedPage;
    const PageLayout& layout = PageLayoutOf(page);
    // From the last band to the first, so that the graph's label ends on the first filter.
    const int count = std::min(layout.bandCount, static_cast<int>(bands.size()));
    for (int band = count - 1; band >= 0; --band) {
        const ExchangeBand& b = bands[band];
        const int slot = firstSlot + band * layout.bandStep;
        // The type first: it decides which Q field the band's Q edit shows.
        const int fields[kBandFieldCount] = {b.type, b.frequencyIndex, b.gainStep, b.qIndex,
                                             b.slopeIndex};
        for (int field = 0; field < kBandFieldCount; ++field) {
            const ParamAddress address = MakeAddress(page, slot + field);
            if (model_.image().Get(model_.ToDeviceAddress(address)) != fields[field]) {
                Write(address, fields[field]);
            }
        }
    }
}

void EqExchangeSide::WriteCrossovers(const ExchangeSettings& settings) {
    const int page = channel_.selectedPage;
    const PageLayout& layout = PageLayoutOf(page);
    const std::pair<const std::optional<ExchangeCrossover>*, const CrossoverSlots*> filters[] = {
        {&settings.highPass, &layout.highPass}, {&settings.lowPass, &layout.lowPass}};
    for (const auto& [filter, at] : filters) {
        if (!*filter || !at->exists()) continue;
        const int values[] = {(*filter)->filterType, (*filter)->frequencyIndex};
        const int addresses[] = {at->typeSlot, at->frequencySlot};
        for (int i = 0; i < 2; ++i) {
            const ParamAddress address = MakeAddress(page, addresses[i]);
            if (model_.store().Get(address) != values[i]) Write(address, values[i]);
        }
    }
}

void EqExchangeSide::WritePreamp(double preampDb) {
    if (preampDb == 0.0) return;
    const int steps = static_cast<int>(std::lround(preampDb * kInputLevelStepsPerDb));
    for (const ParamAddress address : InputLevelSlots()) {
        const int value = std::clamp(model_.store().Get(address) + steps, 0, kInputLevelMaximum);
        if (value != model_.store().Get(address)) Write(address, value);
    }
}

void EqExchangeSide::Write(ParamAddress logical, int value) {
    written_.push_back(model_.ToDeviceAddress(logical));
    editor_.SetParameter(logical, value);
}

}  // namespace zt
