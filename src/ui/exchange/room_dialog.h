#pragma once
// The room measurement's dialog: measuring (level message, progress bar, Escape cancels a
// running sweep), the smoothing, loading and saving a measurement, the fit's target, range and
// maximum boost, and the fit with its summary. It only shows; RoomSide does the work.

#include <QDialog>
#include <functional>
#include <vector>

#include "spectrum/measured_response.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace zt {

class Language;
struct RoomState;

class RoomDialog : public QDialog {
public:
    RoomDialog(QWidget* parent, const Language& language);

    // The texts in the language of the window.
    void ApplyLanguage();
    // The widgets show `room` (without emitting their change signals).
    void ShowSettings(const RoomState& room);
    // Escape (or the window's close) while `escape` returns true is taken by it: a running
    // sweep is cancelled instead of the dialog closing.
    void SetEscape(std::function<bool()> escape) { escape_ = std::move(escape); }
    void reject() override;

    QPushButton* measure = nullptr;
    QPushButton* cancel = nullptr;
    QProgressBar* progress = nullptr;
    QLabel* status = nullptr;
    QComboBox* smoothing = nullptr;  // 1/3, 1/6, 1/12 octave
    QPushButton* load = nullptr;
    QPushButton* save = nullptr;
    QComboBox* target = nullptr;  // flat, house curve
    QDoubleSpinBox* bassLift = nullptr;
    QDoubleSpinBox* bassCorner = nullptr;
    QDoubleSpinBox* trebleTilt = nullptr;
    QDoubleSpinBox* fromHz = nullptr;
    QDoubleSpinBox* toHz = nullptr;
    QDoubleSpinBox* maxBoost = nullptr;
    QPushButton* fit = nullptr;
    QLabel* summary = nullptr;
    QPushButton* close = nullptr;

private:
    const Language& language_;
    std::function<bool()> escape_;
    // The form's row captions, in the order of the rows.
    std::vector<QLabel*> captions_;
};

// The smoothing box's row of a smoothing (1/6 octave for one it does not offer), and back.
int SmoothingRow(Smoothing smoothing);
Smoothing SmoothingOfRow(int row);

}  // namespace zt
