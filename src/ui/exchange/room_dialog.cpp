#include "ui/exchange/room_dialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/state/window_state.h"
#include "ui/window/language.h"

namespace zt {
namespace {

QDoubleSpinBox* RoomSpinBox(double lowest, double highest, int decimals, double step) {
    auto* box = new QDoubleSpinBox;
    box->setRange(lowest, highest);
    box->setDecimals(decimals);
    box->setSingleStep(step);
    box->setKeyboardTracking(false);
    return box;
}

// Rows of the smoothing box.
constexpr Smoothing kSmoothingRows[] = {Smoothing::Third, Smoothing::Sixth, Smoothing::Twelfth};

}  // namespace

int SmoothingRow(Smoothing smoothing) {
    for (int row = 0; row < 3; ++row) {
        if (kSmoothingRows[row] == smoothing) return row;
    }
    return 1;
}

Smoothing SmoothingOfRow(int row) {
    return row >= 0 && row < 3 ? kSmoothingRows[row] : Smoothing::Sixth;
}

RoomDialog::RoomDialog(QWidget* parent, const Language& language)
    : QDialog(parent), language_(language) {
    setObjectName(QStringLiteral("RoomDialog"));
    measure = new QPushButton;
    cancel = new QPushButton;
    progress = new QProgressBar;
    progress->setRange(0, 100);
    progress->setValue(0);
    status = new QLabel;
    status->setWordWrap(true);
    status->setMinimumWidth(360);
    smoothing = new QComboBox;
    smoothing->addItems({QString(), QString(), QString()});
    load = new QPushButton;
    save = new QPushButton;
    target = new QComboBox;
    target->addItems({QString(), QString()});
    bassLift = RoomSpinBox(0.0, 12.0, 1, 0.5);
    bassCorner = RoomSpinBox(40.0, 500.0, 0, 10.0);
    trebleTilt = RoomSpinBox(-3.0, 3.0, 1, 0.1);
    fromHz = RoomSpinBox(20.0, 20000.0, 0, 10.0);
    toHz = RoomSpinBox(20.0, 20000.0, 0, 100.0);
    maxBoost = RoomSpinBox(0.0, 12.0, 1, 0.5);
    fit = new QPushButton;
    summary = new QLabel;
    summary->setWordWrap(true);
    close = new QPushButton;

    auto* layout = new QVBoxLayout(this);
    auto* measuring = new QHBoxLayout;
    measuring->addWidget(measure);
    measuring->addWidget(cancel);
    measuring->addWidget(progress, 1);
    layout->addLayout(measuring);
    layout->addWidget(status);

    auto* form = new QFormLayout;
    auto addRow = [&](QWidget* field) {
        captions_.push_back(new QLabel);
        form->addRow(captions_.back(), field);
    };
    addRow(smoothing);
    auto* files = new QHBoxLayout;
    files->addWidget(load);
    files->addWidget(save);
    files->addStretch();
    auto* filesRow = new QWidget;
    filesRow->setLayout(files);
    files->setContentsMargins(0, 0, 0, 0);
    addRow(filesRow);
    addRow(target);
    addRow(bassLift);
    addRow(bassCorner);
    addRow(trebleTilt);
    addRow(fromHz);
    addRow(toHz);
    addRow(maxBoost);
    layout->addLayout(form);

    auto* fitting = new QHBoxLayout;
    fitting->addWidget(fit);
    fitting->addWidget(summary, 1);
    layout->addLayout(fitting);
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(close);
    layout->addLayout(closing);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    cancel->setEnabled(false);
    ApplyLanguage();
}

void RoomDialog::ApplyLanguage() {
    const Language& l = language_;
    setWindowTitle(l.Pick("测量房间", "Measure room"));
    measure->setText(l.Pick("开始测量", "Measure"));
    cancel->setText(l.Pick("取消 (Esc)", "Cancel (Esc)"));
    smoothing->setItemText(0, l.Pick("1/3 倍频程", "1/3 octave"));
    smoothing->setItemText(1, l.Pick("1/6 倍频程", "1/6 octave"));
    smoothing->setItemText(2, l.Pick("1/12 倍频程", "1/12 octave"));
    load->setText(l.Pick("载入测量...", "Load..."));
    save->setText(l.Pick("保存测量...", "Save..."));
    target->setItemText(0, l.Pick("平直", "Flat"));
    target->setItemText(1, l.Pick("房间曲线", "House curve"));
    bassLift->setSuffix(QStringLiteral(" dB"));
    bassCorner->setSuffix(QStringLiteral(" Hz"));
    trebleTilt->setSuffix(l.Pick(" dB/倍频程", " dB/octave"));
    fromHz->setSuffix(QStringLiteral(" Hz"));
    toHz->setSuffix(QStringLiteral(" Hz"));
    maxBoost->setSuffix(QStringLiteral(" dB"));
    fit->setText(l.Pick("拟合 EQ", "Fit"));
    close->setText(l.Pick("关闭", "Close"));
    const char* captions[][2] = {
        {"平滑：", "Smoothing:"},
        {"测量文件：", "Measurement file:"},
        {"目标：", "Target:"},
        {"低音提升：", "Bass lift:"},
        {"低音转折频率：", "Bass corner:"},
        {"高音倾斜：", "Treble tilt:"},
        {"拟合范围，从：", "Fit from:"},
        {"到：", "Fit to:"},
        {"最大提升：", "Maximum boost:"},
    };
    for (std::size_t row = 0; row < captions_.size(); ++row) {
        captions_[row]->setText(l.Pick(captions[row][0], captions[row][1]));
    }
}

void RoomDialog::ShowSettings(const RoomState& room) {
    const QSignalBlocker blockers[] = {QSignalBlocker(smoothing),  QSignalBlocker(target),
                                       QSignalBlocker(bassLift),   QSignalBlocker(bassCorner),
                                       QSignalBlocker(trebleTilt), QSignalBlocker(fromHz),
                                       QSignalBlocker(toHz),       QSignalBlocker(maxBoost)};
    smoothing->setCurrentIndex(SmoothingRow(room.smoothing));
    target->setCurrentIndex(room.houseCurve ? 1 : 0);
    bassLift->setValue(room.fit.target.bassLiftDb);
    bassCorner->setValue(room.fit.target.bassCornerHz);
    trebleTilt->setValue(room.fit.target.trebleTiltDbPerOctave);
    fromHz->setValue(room.fit.fromHz);
    toHz->setValue(room.fit.toHz);
    maxBoost->setValue(room.fit.maxBoostDb);
    for (QWidget* house : {static_cast<QWidget*>(bassLift), static_cast<QWidget*>(bassCorner),
                           static_cast<QWidget*>(trebleTilt)}) {
        house->setEnabled(room.houseCurve);
    }
    save->setEnabled(!room.measured.empty());
    fit->setEnabled(!room.measured.empty());
}

void RoomDialog::reject() {
    if (escape_ && escape_()) return;
    QDialog::reject();
}

}  // namespace zt
