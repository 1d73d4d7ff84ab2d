#include "ui/exchange/eq_exchange_side.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QSaveFile>
#include <QStackedWidget>
#include <algorithm>

#include "eqgraph/drag_rules.h"
#include "params/page_table.h"
#include "params/param_model.h"
#include "ui/editing/editor.h"
#include "ui/exchange/import_report.h"
#include "ui/state/window_state.h"
#include "ui/widgets/swapping.h"
#include "ui/window/channel_state.h"
#include "ui/window/language.h"
#include "ui/window/messages.h"
#include "ui/window/tab_strip.h"

namespace zt {
namespace {

constexpr int kDynamicEqPage = 1;

}  // namespace

EqExchangeSide::EqExchangeSide(const Parts& parts, Editor& editor, ParamModel& model,
                               const ChannelState& channel, const Language& language,
                               WindowMessages& messages, EditRecorder& recorder, EqRedraw& redraw)
    : parts_(parts),
      editor_(editor),
      model_(model),
      channel_(channel),
      language_(language),
      messages_(messages),
      recorder_(recorder),
      redraw_(redraw),
      chooser_(std::make_unique<DialogFileChooser>()) {
    if (parts_.image) parts_.image->installEventFilter(this);
}

EqExchangeSide::~EqExchangeSide() {
    delete menu_;
}

const ExchangeQTable& EqExchangeSide::QTable() {
    if (!qTable_) qTable_.emplace(cookbook_);
    return *qTable_;
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
    const int page = channel_.selectedPage;
    const PageLayout& layout = PageLayoutOf(page);
    const ParamStore& store = model_.store();
    ExchangeChannel channel;
    if (parts_.tabs && channel_.currentTab >= 0 && channel_.currentTab < kTabCount) {
        channel.name = parts_.tabs->tabs[channel_.currentTab]->text().toStdString();
    }
    for (int band = 0; band < layout.bandCount; ++band) {
        const int slot = layout.firstBandSlot + band * layout.bandStep;
        channel.bands.push_back(
            {store.Get(page, slot + kFieldType), store.Get(page, slot + kFieldFrequency),
             store.Get(page, slot + kFieldGain), store.Get(page, slot + kFieldQ),
             store.Get(page, slot + kFieldShelfQ)});
    }
    auto crossover = [&](const CrossoverSlots& at) -> std::optional<ExchangeCrossover> {
        if (!at.exists()) return std::nullopt;
        return ExchangeCrossover{store.Get(page, at.typeSlot), store.Get(page, at.frequencySlot)};
    };
    channel.highPass = crossover(layout.highPass);
    channel.lowPass = crossover(layout.lowPass);
    return channel;
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
    const std::string text = FormatEqExchange(channel, QTable(), cookbook_);
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
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
    return ImportText(std::string_view(bytes.constData(), bytes.size())).imported > 0;
}

EqImport EqExchangeSide::ImportText(std::string_view text) {
    const ExchangeChannel channel = ChannelShown();
    const EqImport result = ParseEqExchange(text, channel.bands, QTable());
    if (result.imported > 0) Apply(result.bands);
    const QString report = ImportReport(result, language_);
    if (!report.isEmpty()) messages_.Inform(report, Caption());
    return result;
}

void EqExchangeSide::Apply(const std::vector<ExchangeBand>& bands) {
    const int page = channel_.selectedPage;
    const PageLayout& layout = PageLayoutOf(page);
    const ParamStore& store = model_.store();
    // One step of the history; every value waits for the acknowledgement of the one before.
    GestureScope gesture(&recorder_);
    editor_.SetPacedWrites(true);
    // From the last band to the first, so that the graph's label ends on the first filter.
    const int count = std::min(layout.bandCount, static_cast<int>(bands.size()));
    for (int band = count - 1; band >= 0; --band) {
        const ExchangeBand& b = bands[band];
        const int slot = layout.firstBandSlot + band * layout.bandStep;
        // The type first: it decides which Q field the band's Q edit shows.
        const int fields[kBandFieldCount] = {b.type, b.frequencyIndex, b.gainStep, b.qIndex,
                                             b.slopeIndex};
        for (int field = 0; field < kBandFieldCount; ++field) {
            const ParamAddress address = MakeAddress(page, slot + field);
            if (store.Get(address) != fields[field]) editor_.SetParameter(address, fields[field]);
        }
    }
    editor_.SetPacedWrites(false);
    editor_.RefreshPage(page);
    redraw_.DrawEqCurve(kAllPages, page);
}

}  // namespace zt
