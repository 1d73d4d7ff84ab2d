#pragma once
// The processor's two passwords on the right column: the system password that opens the user /
// manager choice and its change, the panel lock password and its change, and the digit filter
// of every password field.

#include <QObject>

#include "link/link_engine.h"
#include "ui/state/window_writes.h"
#include "ui/system/prompts.h"
#include "ui/widgets/control_registry.h"

class QAbstractButton;

namespace zt {

class PlainEdit;
struct KeyPress;

// Lets Backspace, Enter and the digits through and swallows every other typed character; also
// keeps pasted text to digits.
void FilterDigits(PlainEdit* field);
bool PassesDigitFilter(const KeyPress& press);

class PasswordFlows {
public:
    PasswordFlows(LinkEngine& link, WindowWrites& writes, Prompts& prompts,
                  const ControlRegistry& registry);

    // Connects the handlers; `context` ends them.
    void Connect(QObject* context);

    // The OK button of the system password: opens the user / manager choice while online.
    void OnSystemPasswordOk();
    // A key typed in `field`, one of the three fields of the system password change, before it
    // reaches the field. Enter in a field says what is wrong with it; a finished change says
    // what happened.
    void OnSystemPasswordKey(KeyPress* press, PlainEdit* field = nullptr);
    // The OK button of the panel lock group: the current password opens the new-password field;
    // a wrong one is said.
    void OnPanelPasswordOk();
    // The modify button of the panel lock group: stores and sends the new password.
    void OnPanelPasswordModify();

private:
    void ResetSystemPasswordFields();

    LinkEngine& link_;
    WindowWrites& writes_;
    Prompts& prompts_;
    PlainEdit* sysPassEdit_;
    QWidget* userManagerGroup_;
    PlainEdit* oldSystem_;          // SysPanelLabel1
    PlainEdit* newSystem1_;         // NewSysPassLabel1
    PlainEdit* newSystem2_;         // NewSysPassLabel2
    PlainEdit* oldPanel_;           // PassPanelLabel1
    PlainEdit* newPanel_;           // NewPassLabel1
    QAbstractButton* systemOk_;     // RzBmpButton118
    QAbstractButton* panelOk_;      // RzBmpButton22
    QAbstractButton* panelModify_;  // RzBmpButton23
};

}  // namespace zt
