#pragma once
// The EQ exchange of the window: a context menu on the empty area of the EQ graph exports the
// bands and crossovers of the channel shown to a filter file, or imports a filter file into its
// bands (and crossovers, and on the music channel both sets). An import is one step of the edit
// history, the file's preamp on the input level included when the user wants it, and reaches the
// processor paced; its report shows once the processor confirmed the values (or named those it
// did not). Both work off line.

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "eqgraph/eq_exchange.h"
#include "params/param_address.h"
#include "ui/exchange/exchange_files.h"

class QMenu;
class QWidget;

namespace zt {

class EditRecorder;
class Editor;
class Language;
class LinkEngine;
class ParamModel;
class WindowMessages;
struct ChannelState;
struct TabStrip;
struct WindowState;

class EqExchangeSide : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QWidget* window = nullptr;  // parent of the dialogs and the menu
        QWidget* image = nullptr;   // Image1: its empty area takes the context menu
        const TabStrip* tabs = nullptr;
        QWidget* formPageItem = nullptr;
        const WindowState* windowState = nullptr;  // the panel lock
        LinkEngine* link = nullptr;                // confirms what an import wrote
    };
    EqExchangeSide(const Parts& parts, Editor& editor, ParamModel& model,
                   const ChannelState& channel, const Language& language, WindowMessages& messages,
                   EditRecorder& recorder);
    ~EqExchangeSide() override;

    // Tests script the file dialogs.
    void SetFileChooser(std::unique_ptr<ExchangeFileChooser> chooser) {
        chooser_ = std::move(chooser);
    }

    ExchangeFileChooser& fileChooser() { return *chooser_; }

    // Whether the channel shown has bands to exchange (the dynamic EQ's bands do not), and
    // whether they may be changed now (not while the panel lock is up or the output EQ runs
    // automatically).
    bool CanExport() const;
    bool CanImport() const;

    // The menu, shown at a point of the screen.
    QMenu* ShowMenu(const QPoint& globalPosition);
    // Entries another part of the window adds to the menu, after a separator.
    void SetMoreEntries(std::function<void(QMenu&)> add) { moreEntries_ = std::move(add); }

    // Export and import with the file chooser; false when cancelled or failed.
    bool Export();
    bool Import();
    // Imports text into the channel shown; one summary of the import is shown once the
    // processor confirmed the values written, or named those it did not (at once off line). A
    // file with a preamp the channel can take asks about it first, with the summary; then only
    // the values not confirmed follow.
    EqImport ImportText(std::string_view text);

    // The channel shown as the exchange sees it.
    ExchangeChannel ChannelShown() const;

    // Puts settings fitted elsewhere (a room correction) into the channel shown: its bands,
    // and its crossovers where the settings hold them. One step of the history, reaching the
    // processor paced, like an import; nothing happens where the bands take no edits now.
    bool ApplySettings(const ExchangeSettings& settings);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ExchangeImportRequest RequestShown() const;
    // The input level slots of the channel shown: the music inputs, the microphone's level.
    std::vector<ParamAddress> InputLevelSlots() const;
    void Apply(const EqImport& result, const ExchangeImportRequest& request, double preampDb);
    // Runs `writes` as one step of the history with paced writes, then shows the result.
    void AsOneStep(const std::function<void()>& writes);
    void WriteBands(const std::vector<ExchangeBand>& bands, int firstSlot);
    void WriteCrossovers(const ExchangeSettings& settings);
    void WritePreamp(double preampDb);
    // Editor's write of a logical address, remembered as the device address it reached.
    void Write(ParamAddress logical, int value);
    // Shows `report`, with the values of `written` the processor did not confirm, once the link
    // has compared them.
    void ReportWhenConfirmed(const QString& report, std::vector<ParamAddress> written);
    QString Caption() const;

    Parts parts_;
    Editor& editor_;
    ParamModel& model_;
    const ChannelState& channel_;
    const Language& language_;
    WindowMessages& messages_;
    EditRecorder& recorder_;
    std::unique_ptr<ExchangeFileChooser> chooser_;
    CookbookResponse cookbook_;
    // Keeps the band shapes it computed for the next import.
    ExchangeFitter fitter_;
    QPointer<QMenu> menu_;
    std::function<void(QMenu&)> moreEntries_;
    std::vector<ParamAddress> written_;  // device addresses of the step being written
};

}  // namespace zt
