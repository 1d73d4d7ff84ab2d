#pragma once
// Set value and commit typed value: the one road from a raw value to the text a control shows,
// its companion track bar, the stores and the link.

#include <QString>
#include <functional>

#include "params/param_address.h"

class QWidget;

namespace zt {

struct EditingParts;
class BandSelection;
class EditWrites;
class Language;
class VolumeBars;

// Step keys of set value and commit typed value.
inline constexpr int kStepNone = 0;
inline constexpr int kStepUp = 1;
inline constexpr int kStepDown = 11;

class ValueSetter {
public:
    ValueSetter(EditingParts& parts, EditWrites& writes, BandSelection& bands, VolumeBars& volumes)
        : parts_(parts), writes_(writes), bands_(bands), volumes_(volumes) {}

    // The language of the words among the values shown ("Atk x 2"); English without one.
    void SetLanguage(const Language* language) { language_ = language; }
    // The plain message box of a typed value without a kind.
    void SetPlainMessage(std::function<void(const QString&)> show) { message_ = std::move(show); }

    // Shows raw value `raw` in a value edit, value pane or EQ type selector, limits it, moves the
    // companion track bar, stores it and, unless silent, writes it.
    void SetValue(QWidget* control, int key, bool silent, double raw);
    // Sets a parameter as the user would: through set value on the control that shows it, so
    // that the control, both stores and the processor follow, or with a plain write where no
    // control does or where the control limits the value more than `value` needs.
    void SetParameter(ParamAddress a, int value);
    // Parses the current value edit's text and sets it, stepped by `key`.
    void CommitTypedValue(int key);
    // The current value edit shows the text of its last selection or commit again.
    void RestoreLastGoodText();

private:
    void ShowPlainMessage(QWidget* parent, const QString& text) const;

    EditingParts& parts_;
    EditWrites& writes_;
    BandSelection& bands_;
    VolumeBars& volumes_;
    const Language* language_ = nullptr;
    std::function<void(const QString&)> message_;
};

}  // namespace zt
