#pragma once
// The room measurement in the window: "Measure room..." and the two curves' switches in the EQ
// graph's context menu, the measurement dialog, the measured and predicted curves behind the EQ
// curve, and the fit that goes into the channel shown as one step of the history. What it has
// measured and how it fits lives in WindowState::room.

#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

#include "eqgraph/room_fit.h"
#include "spectrum/qt/room_sweep.h"
#include "spectrum/response_text.h"
#include "ui/exchange/exchange_files.h"
#include "ui/exchange/room_curves.h"
#include "ui/exchange/room_dialog.h"

class QMenu;

namespace zt {

class EqExchangeSide;
class EqGraph;
class Language;
class WindowMessages;
struct WindowState;

class RoomSide : public QObject {
    Q_OBJECT
public:
    RoomSide(QWidget* window, EqGraph& graph, EqExchangeSide& exchange, WindowState& state,
             const Language& language, WindowMessages& messages);
    ~RoomSide() override;

    // Tests script the file dialogs.
    void SetFileChooser(std::unique_ptr<ExchangeFileChooser> chooser) {
        chooser_ = std::move(chooser);
    }

    // The context menu's entries: the dialog, and the switches of the two curves.
    void AddMenuEntries(QMenu& menu);
    // Shows the dialog (made on first use) in the window's language.
    RoomDialog& ShowDialog();
    RoomDialog* dialog() { return dialog_.get(); }
    RoomCurves& curves() { return curves_; }
    RoomSweep* sweep() { return sweep_.get(); }

    // Starts a measurement through the default sound output and input; false with the reason
    // shown when it cannot start.
    bool StartMeasurement();
    // Ends a running measurement; false when none runs.
    bool CancelMeasurement();
    // Load and save with the file chooser; false when cancelled or failed (with a message).
    bool Load();
    bool Save();
    // Loads response text read from `fileName`: a bad one is reported and changes nothing.
    bool LoadText(std::string_view text, const QString& fileName);
    // Fits the channel shown to the measurement and applies the fit as one step of the history;
    // the summary shows in the dialog. Empty when there is nothing to fit or the bands take no
    // edits now (with a message).
    std::optional<RoomFitSummary> Fit();

    void SetShowMeasured(bool shown);
    void SetShowPredicted(bool shown);

private:
    void UseMeasurement(MeasuredResponse response);
    void Connect(RoomDialog& dialog);
    void ReadSettings();
    void OnFinished(const RoomRecording& recording);
    void OnFailed(const QString& reason);
    void ShowRunning(bool running);
    void SetStatus(const QString& text);
    QString Caption() const;
    QString LevelMessage(const LevelCheck& check) const;
    QString FileErrorMessage(const ResponseTextReading& reading, const QString& fileName) const;
    QString SummaryText(const RoomFitSummary& summary, double fromHz, double toHz) const;

    QWidget* window_;
    EqGraph& graph_;
    EqExchangeSide& exchange_;
    WindowState& state_;
    const Language& language_;
    WindowMessages& messages_;
    RoomCurves curves_;
    ExchangeFitter fitter_;
    std::unique_ptr<ExchangeFileChooser> chooser_;
    std::unique_ptr<RoomDialog> dialog_;
    std::unique_ptr<RoomSweep> sweep_;
    // The last sweep's recording, measured again when the smoothing changes; none for a
    // measurement loaded from a file.
    std::optional<RoomRecording> recording_;
    std::optional<LevelCheck> levelSeen_;
};

}  // namespace zt
