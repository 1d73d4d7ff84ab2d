#include "ui/exchange/room_side.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <cmath>
#include <stdexcept>

#include "eqgraph/response_grid.h"
#include "spectrum/response_text.h"
#include "ui/eqgraph/eq_graph.h"
#include "ui/exchange/eq_exchange_side.h"
#include "ui/state/window_state.h"
#include "ui/window/language.h"
#include "ui/window/messages.h"

namespace zt {
namespace {

// A response file larger than this is no measurement (a dense one of the most points a file may
// hold stays far below it).
constexpr qint64 kRoomFileLargestBytes = 16 * 1024 * 1024;

QString RoomDb(double db) {
    return QString::number(db, 'f', 1);
}

QString RoomHz(double hz) {
    return hz >= 1000.0 ? QString::number(hz / 1000.0, 'g', 3) + QStringLiteral(" kHz")
                        : QString::number(std::round(hz)) + QStringLiteral(" Hz");
}

ExchangeSettings ChannelSettingsOf(const ExchangeChannel& channel) {
    return {channel.bands, channel.highPass, channel.lowPass};
}

}  // namespace

RoomSide::RoomSide(QWidget* window, EqGraph& graph, EqExchangeSide& exchange, WindowState& state,
                   const Language& language, WindowMessages& messages)
    : window_(window),
      graph_(graph),
      exchange_(exchange),
      state_(state),
      language_(language),
      messages_(messages),
      curves_(
          state.room, [&exchange] { return ChannelSettingsOf(exchange.ChannelShown()); },
          [&graph] { graph.RepaintCached(); }),
      chooser_(std::make_unique<DialogFileChooser>()) {
    graph_.AddUnderlay(&curves_);
    exchange_.SetMoreEntries([this](QMenu& menu) { AddMenuEntries(menu); });
}

RoomSide::~RoomSide() {
    sweep_.reset();
    exchange_.SetMoreEntries(nullptr);
    graph_.RemoveUnderlay(&curves_);
}

QString RoomSide::Caption() const {
    return language_.Pick("测量房间", "Measure room");
}

void RoomSide::AddMenuEntries(QMenu& menu) {
    QAction* measure = menu.addAction(language_.Pick("测量房间...", "Measure room..."));
    connect(measure, &QAction::triggered, this, [this] { ShowDialog(); });
    const RoomState& room = state_.room;
    QAction* measured = menu.addAction(language_.Pick("显示测量曲线", "Show measured curve"));
    measured->setCheckable(true);
    measured->setChecked(room.showMeasured);
    measured->setEnabled(!room.measured.empty());
    connect(measured, &QAction::toggled, this, [this](bool on) { SetShowMeasured(on); });
    QAction* predicted = menu.addAction(language_.Pick("显示预测曲线", "Show predicted curve"));
    predicted->setCheckable(true);
    predicted->setChecked(room.showPredicted);
    predicted->setEnabled(!room.measured.empty());
    connect(predicted, &QAction::toggled, this, [this](bool on) { SetShowPredicted(on); });
}

void RoomSide::SetShowMeasured(bool shown) {
    state_.room.showMeasured = shown;
    curves_.VisibilityChanged();
}

void RoomSide::SetShowPredicted(bool shown) {
    state_.room.showPredicted = shown;
    // The channel may have changed while the curve was hidden.
    curves_.MeasurementChanged(curves_.level());
}

RoomDialog& RoomSide::ShowDialog() {
    if (!dialog_) {
        dialog_ = std::make_unique<RoomDialog>(window_, language_);
        Connect(*dialog_);
    }
    dialog_->ApplyLanguage();
    dialog_->ShowSettings(state_.room);
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
    return *dialog_;
}

void RoomSide::Connect(RoomDialog& dialog) {
    dialog.SetEscape([this] { return CancelMeasurement(); });
    connect(dialog.measure, &QPushButton::clicked, this, [this] { StartMeasurement(); });
    connect(dialog.cancel, &QPushButton::clicked, this, [this] { CancelMeasurement(); });
    connect(dialog.load, &QPushButton::clicked, this, [this] { Load(); });
    connect(dialog.save, &QPushButton::clicked, this, [this] { Save(); });
    connect(dialog.fit, &QPushButton::clicked, this, [this] { Fit(); });
    connect(dialog.smoothing, &QComboBox::currentIndexChanged, this, [this] { ReadSettings(); });
    connect(dialog.target, &QComboBox::currentIndexChanged, this, [this] { ReadSettings(); });
    for (QDoubleSpinBox* box : {dialog.bassLift, dialog.bassCorner, dialog.trebleTilt,
                                dialog.fromHz, dialog.toHz, dialog.maxBoost}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { ReadSettings(); });
    }
}

void RoomSide::ReadSettings() {
    RoomState& room = state_.room;
    const RoomDialog& d = *dialog_;
    const Smoothing smoothing = SmoothingOfRow(d.smoothing->currentIndex());
    const bool smoothingChanged = smoothing != room.smoothing;
    const bool rangeChanged =
        d.fromHz->value() != room.fit.fromHz || d.toHz->value() != room.fit.toHz;
    room.smoothing = smoothing;
    room.houseCurve = d.target->currentIndex() == 1;
    room.fit.target = {d.bassLift->value(), d.bassCorner->value(), d.trebleTilt->value()};
    room.fit.fromHz = d.fromHz->value();
    room.fit.toHz = d.toHz->value();
    room.fit.maxBoostDb = d.maxBoost->value();
    dialog_->ShowSettings(room);
    if (smoothingChanged && recording_) {
        UseMeasurement(MeasureSweepRecording(recording_->sweep, recording_->recording,
                                             kMeasurementSampleRate, smoothing));
    } else if (rangeChanged && !room.measured.empty()) {
        curves_.MeasurementChanged();  // the curves sit at the level over the range
    }
}

void RoomSide::UseMeasurement(MeasuredResponse response) {
    state_.room.measured = std::move(response);
    curves_.MeasurementChanged();
    if (dialog_) dialog_->ShowSettings(state_.room);
}

void RoomSide::SetStatus(const QString& text) {
    if (dialog_) dialog_->status->setText(text);
}

void RoomSide::ShowRunning(bool running) {
    if (!dialog_) return;
    dialog_->measure->setEnabled(!running);
    dialog_->cancel->setEnabled(running);
    dialog_->load->setEnabled(!running);
    dialog_->fit->setEnabled(!running && !state_.room.measured.empty());
    dialog_->save->setEnabled(!running && !state_.room.measured.empty());
}

bool RoomSide::StartMeasurement() {
    if (sweep_ && sweep_->Running()) return false;
    sweep_ = std::make_unique<RoomSweep>();
    levelSeen_.reset();
    connect(sweep_.get(), &RoomSweep::levelChecked, this, [this](const LevelCheck& check) {
        levelSeen_ = check;
        SetStatus(LevelMessage(check));
    });
    connect(sweep_.get(), &RoomSweep::progress, this, [this](int percent) {
        if (dialog_) dialog_->progress->setValue(percent);
    });
    connect(sweep_.get(), &RoomSweep::finished, this,
            [this](const RoomRecording& recording) { OnFinished(recording); });
    connect(sweep_.get(), &RoomSweep::failed, this,
            [this](const QString& reason) { OnFailed(reason); });
    if (dialog_) dialog_->progress->setValue(0);
    if (!sweep_->Start()) {
        const QString reason = language_.Pick("无法开始测量：", "The measurement cannot start: ") +
                               sweep_->ErrorText();
        SetStatus(reason);
        messages_.Inform(reason, Caption());
        return false;
    }
    SetStatus(language_.Pick("正在检查电平...", "Checking the level..."));
    ShowRunning(true);
    return true;
}

bool RoomSide::CancelMeasurement() {
    if (!sweep_ || !sweep_->Running()) return false;
    sweep_->Cancel();
    return true;
}

void RoomSide::OnFinished(const RoomRecording& recording) {
    ShowRunning(false);
    recording_ = recording;
    UseMeasurement(MeasureSweepRecording(recording.sweep, recording.recording,
                                         kMeasurementSampleRate, state_.room.smoothing));
    ShowRunning(false);
    SetStatus(language_.Pick("测量完成。", "Measured.") + QLatin1Char(' ') +
              LevelMessage(recording.level));
}

void RoomSide::OnFailed(const QString& reason) {
    ShowRunning(false);
    if (dialog_) dialog_->progress->setValue(0);
    if (levelSeen_ && levelSeen_->verdict != LevelVerdict::Good) {
        const QString message = LevelMessage(*levelSeen_);
        SetStatus(message);
        messages_.Inform(message, Caption());
        return;
    }
    SetStatus(language_.Pick("测量已停止：", "The measurement stopped: ") + reason);
}

QString RoomSide::LevelMessage(const LevelCheck& check) const {
    const QString peak = RoomDb(check.peakDbfs);
    const QString aboveBackground = RoomDb(check.rmsDbfs - check.backgroundRmsDbfs);
    switch (check.verdict) {
        case LevelVerdict::Clipping:
            return language_
                .Pick("输入削波（%1 个采样达到满幅）：请调低输出或输入音量后再测量。",
                      "The input clips (%1 samples at full scale): turn the output or the input "
                      "down and measure again.")
                .arg(check.clippedSamples);
        case LevelVerdict::TooQuiet:
            return language_
                .Pick(
                    "输入太小（峰值 %1 dBFS，高出背景噪声 %2 dB）：请调高输出或输入音量后再测量。",
                    "The input is too quiet (peak %1 dBFS, %2 dB above the background): turn "
                    "the output or the input up and measure again.")
                .arg(peak, aboveBackground);
        case LevelVerdict::Good:
            break;
    }
    return language_
        .Pick("电平合适（峰值 %1 dBFS，高出背景噪声 %2 dB）。",
              "The level is good (peak %1 dBFS, %2 dB above the background).")
        .arg(peak, aboveBackground);
}

bool RoomSide::Load() {
    const QString name =
        chooser_->OpenFileName(window_, language_.Pick("载入测量", "Load a measurement"));
    if (name.isEmpty()) return false;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        messages_.Inform(language_.Pick("无法读取文件：", "Could not read the file: ") + name,
                         Caption());
        return false;
    }
    const QByteArray bytes = file.read(kRoomFileLargestBytes + 1);
    if (bytes.size() > kRoomFileLargestBytes) {
        messages_.Inform(language_.Pick("文件太大，不是测量文件：",
                                        "The file is too large for a measurement: ") +
                             name,
                         Caption());
        return false;
    }
    return LoadText(std::string_view(bytes.constData(), bytes.size()), name);
}

bool RoomSide::LoadText(std::string_view text, const QString& fileName) {
    ResponseTextReading reading = ReadResponseText(text);
    if (reading.error != ResponseTextError::None) {
        messages_.Inform(FileErrorMessage(reading, fileName), Caption());
        return false;
    }
    if (CoveredGridSpan(reading.response).first >= CoveredGridSpan(reading.response).last) {
        messages_.Inform(language_.Pick("文件中的测量不在 10 Hz 到 24 kHz 之内：",
                                        "The file's measurement lies outside 10 Hz to 24 kHz: ") +
                             fileName,
                         Caption());
        return false;
    }
    recording_.reset();
    UseMeasurement(std::move(reading.response));
    SetStatus(language_.Pick("已载入 ", "Loaded ") + QFileInfo(fileName).fileName());
    return true;
}

QString RoomSide::FileErrorMessage(const ResponseTextReading& reading,
                                   const QString& fileName) const {
    QString what;
    if (!language_.chinese()) {
        what = QString::fromStdString(DescribeResponseTextError(reading));
    } else {
        switch (reading.error) {
            case ResponseTextError::NoPoints:
                what = QStringLiteral("文件中没有测量（至少需要两行“频率 dB”）。");
                break;
            case ResponseTextError::BadNumber:
                what = QStringLiteral("第 %1 行的频率或电平不是数字。");
                break;
            case ResponseTextError::MissingLevel:
                what = QStringLiteral("第 %1 行只有频率，没有电平。");
                break;
            case ResponseTextError::OutOfRange:
                what = QStringLiteral("第 %1 行的频率或电平超出范围。");
                break;
            case ResponseTextError::NotRising:
                what = QStringLiteral("第 %1 行的频率不高于上一行。");
                break;
            case ResponseTextError::TooManyPoints:
                what = QStringLiteral("第 %1 行起点数太多。");
                break;
            case ResponseTextError::None:
                break;
        }
        if (what.contains(QLatin1String("%1"))) what = what.arg(reading.line);
    }
    return language_.Pick("无法载入测量 ", "Could not load the measurement ") + fileName +
           QStringLiteral("\n") + what;
}

bool RoomSide::Save() {
    const RoomState& room = state_.room;
    if (room.measured.empty()) return false;
    const QString name =
        chooser_->SaveFileName(window_, language_.Pick("保存测量", "Save the measurement"),
                               QStringLiteral("Room measurement.txt"));
    if (name.isEmpty()) return false;
    const std::string text = WriteResponseText(room.measured, {"Room measurement, ZT461 editor"});
    if (!WriteWholeFile(name, text)) {
        messages_.Inform(language_.Pick("无法写入文件：", "Could not write the file: ") + name,
                         Caption());
        return false;
    }
    return true;
}

std::optional<RoomFitSummary> RoomSide::Fit() {
    const RoomState& room = state_.room;
    if (room.measured.empty()) return std::nullopt;
    if (!exchange_.CanImport()) {
        messages_.Inform(language_.Pick("此通道的 EQ 现在不能修改。",
                                        "The EQ of this channel takes no changes now."),
                         Caption());
        return std::nullopt;
    }
    // The fit stays within what the measurement covers.
    const GridSpan covered = CoveredGridSpan(room.measured);
    RoomFitSettings settings = room.fit;
    settings.fromHz = std::max(settings.fromHz, ResponseGrid::FrequencyOfIndex(covered.first));
    settings.toHz = std::min(settings.toHz, ResponseGrid::FrequencyOfIndex(covered.last));
    if (!room.houseCurve) settings.target = HouseCurve{};
    std::optional<RoomFit> fit;
    if (settings.fromHz < settings.toHz) {
        try {
            fit = FitRoom(ResponseOnGrid(room.measured),
                          ChannelSettingsOf(exchange_.ChannelShown()), settings, fitter_);
        } catch (const std::invalid_argument&) {
        }
    }
    if (!fit) {
        messages_.Inform(language_.Pick("拟合范围不在测量之内。",
                                        "The fitting range lies outside the measurement."),
                         Caption());
        return std::nullopt;
    }
    if (!exchange_.ApplySettings(fit->settings)) return std::nullopt;
    // The curves at the target's level: the predicted result lies on the target.
    curves_.MeasurementChanged(fit->levelDb);
    const RoomFitSummary summary = SummaryOf(*fit);
    if (dialog_) dialog_->summary->setText(SummaryText(summary, settings.fromHz, settings.toHz));
    return summary;
}

QString RoomSide::SummaryText(const RoomFitSummary& summary, double fromHz, double toHz) const {
    return language_
        .Pick("预测与目标的偏差（%1 到 %2）：均方根 %3 dB，最大 %4 dB（%5）。",
              "Predicted deviation from the target, %1 to %2: RMS %3 dB, largest %4 dB (at "
              "%5).")
        .arg(RoomHz(fromHz), RoomHz(toHz), RoomDb(summary.rmsDb), RoomDb(summary.largestDb),
             RoomHz(summary.atHz));
}

}  // namespace zt
