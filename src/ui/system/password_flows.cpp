#include "ui/system/password_flows.h"

#include <QAbstractButton>
#include <QRegularExpressionValidator>

#include "link/protocol.h"
#include "ui/widgets/plain_edit.h"

namespace zt {
namespace {

const BilingualText kWrongPassword{"密码错误!", "Wrong password!"};
const BilingualText kWrongOldPassword{"旧密码错误!", "Wrong old password!"};
const BilingualText kPasswordsDiffer{"密码不一致!", "The two new passwords differ!"};
const BilingualText kPasswordUnchanged{"新密码与当前密码相同, 未修改。",
                                       "The new password is the current one: nothing changed."};
const BilingualText kSystemPasswordChanged{"系统密码已修改!", "System password changed!"};
const BilingualText kPanelPasswordChanged{"面板锁密码已修改!", "Panel lock password changed!"};
const BilingualText kNotOnline{"设备未连接, 请先联机再修改密码。",
                               "Off line: link to the processor to change its password."};
const BilingualText kPasswordCaption{"提示", "Confirm"};

BilingualText TooShort(int length) {
    const std::string n = std::to_string(length);
    return {"新密码必须是 " + n + " 位数字!", "The new password must have " + n + " digits!"};
}

bool Matches(const QString& typed, const std::string& password, int length) {
    return static_cast<int>(password.size()) == length && typed.toStdString() == password;
}

}  // namespace

bool PassesDigitFilter(const KeyPress& press) {
    const QChar c = press.character;
    return c == QChar('\b') || c == QChar('\r') || (c >= QChar('0') && c <= QChar('9'));
}

void FilterDigits(PlainEdit* field) {
    QObject::connect(field, &PlainEdit::keyPressed, field, [](KeyPress* press) {
        if (!PassesDigitFilter(*press)) press->swallowed = true;
    });
    // Pasting goes round the typed keys; a password the processor keeps must stay typeable.
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
}

PasswordFlows::PasswordFlows(LinkEngine& link, WindowWrites& writes, Prompts& prompts,
                             const ControlRegistry& r)
    : link_(link),
      writes_(writes),
      prompts_(prompts),
      sysPassEdit_(r.Get<PlainEdit>(QStringLiteral("SysPassEdit"))),
      userManagerGroup_(r.Get<QWidget>(QStringLiteral("SysUserMangerGrop"))),
      oldSystem_(r.Get<PlainEdit>(QStringLiteral("SysPanelLabel1"))),
      newSystem1_(r.Get<PlainEdit>(QStringLiteral("NewSysPassLabel1"))),
      newSystem2_(r.Get<PlainEdit>(QStringLiteral("NewSysPassLabel2"))),
      oldPanel_(r.Get<PlainEdit>(QStringLiteral("PassPanelLabel1"))),
      newPanel_(r.Get<PlainEdit>(QStringLiteral("NewPassLabel1"))),
      systemOk_(r.Get<QAbstractButton>(QStringLiteral("RzBmpButton118"))),
      panelOk_(r.Get<QAbstractButton>(QStringLiteral("RzBmpButton22"))),
      panelModify_(r.Get<QAbstractButton>(QStringLiteral("RzBmpButton23"))) {}

void PasswordFlows::Connect(QObject* context) {
    for (PlainEdit* field : {sysPassEdit_, oldPanel_, newPanel_}) FilterDigits(field);
    for (PlainEdit* field : {oldSystem_, newSystem1_, newSystem2_}) {
        // The change steps run after the filter, on every key, swallowed or not.
        FilterDigits(field);
        QObject::connect(field, &PlainEdit::keyPressed, context,
                         [this, field](KeyPress* press) { OnSystemPasswordKey(press, field); });
    }
    auto onClick = [context](QAbstractButton* button, auto handler) {
        QObject::connect(button, &QAbstractButton::clicked, context, handler);
    };
    onClick(systemOk_, [this] { OnSystemPasswordOk(); });
    onClick(panelOk_, [this] { OnPanelPasswordOk(); });
    onClick(panelModify_, [this] { OnPanelPasswordModify(); });
}

void PasswordFlows::OnSystemPasswordOk() {
    const QString typed = sysPassEdit_->text();
    sysPassEdit_->clear();
    if (Matches(typed, link_.deviceInfo().systemPassword, kSystemPasswordLength)) {
        if (link_.linkOnline()) userManagerGroup_->setEnabled(true);
        return;
    }
    prompts_.Inform(kWrongPassword, kPasswordCaption);
}

void PasswordFlows::OnSystemPasswordKey(KeyPress* press, PlainEdit* field) {
    // The fields as they stand before this key reaches one of them: each is confirmed by the
    // key after it, in practice Enter, which also says what went wrong.
    const bool enter = press && press->character == QChar('\r');
    std::string& password = link_.deviceInfo().systemPassword;
    if (!Matches(oldSystem_->text(), password, kSystemPasswordLength) || !link_.linkOnline()) {
        if (enter && field == oldSystem_ && !oldSystem_->text().isEmpty()) {
            prompts_.Inform(link_.linkOnline() ? kWrongOldPassword : kNotOnline, kPasswordCaption);
            oldSystem_->clear();
        }
        return;
    }
    newSystem1_->setEnabled(true);
    const QString first = newSystem1_->text();
    const QString second = newSystem2_->text();
    if (first.size() == kSystemPasswordLength) newSystem2_->setEnabled(true);
    if (enter && (field == newSystem1_ || field == newSystem2_) &&
        (field == newSystem1_ ? first : second).size() != kSystemPasswordLength) {
        prompts_.Inform(TooShort(kSystemPasswordLength), kPasswordCaption);
        return;
    }
    if (first.size() != kSystemPasswordLength || second.size() != kSystemPasswordLength) return;

    if (first.toStdString() != password && first == second) {
        if (writes_.WriteString(kAddrSystemPassword, first.toStdString())) {
            password = first.toStdString();
            prompts_.Inform(kSystemPasswordChanged, kPasswordCaption);
        }
    } else if (first != second) {
        prompts_.Inform(kPasswordsDiffer, kPasswordCaption);
    } else {
        prompts_.Inform(kPasswordUnchanged, kPasswordCaption);
    }
    ResetSystemPasswordFields();
}

void PasswordFlows::ResetSystemPasswordFields() {
    newSystem1_->setEnabled(false);
    newSystem2_->setEnabled(false);
    oldSystem_->clear();
    newSystem1_->clear();
    newSystem2_->clear();
}

void PasswordFlows::OnPanelPasswordOk() {
    if (!Matches(oldPanel_->text(), link_.deviceInfo().panelLockPassword, kPanelPasswordLength)) {
        // The typed text stays, so that a slip can be mended.
        prompts_.Inform(kWrongOldPassword, kPasswordCaption);
        return;
    }
    newPanel_->setEnabled(true);
    oldPanel_->clear();
}

void PasswordFlows::OnPanelPasswordModify() {
    const QString typed = newPanel_->text();
    if (typed.size() != kPanelPasswordLength) {
        prompts_.Inform(TooShort(kPanelPasswordLength), kPasswordCaption);
        return;
    }
    if (!writes_.WriteString(kAddrPanelPassword, typed.toStdString())) return;
    link_.deviceInfo().panelLockPassword = typed.toStdString();
    newPanel_->setEnabled(false);
    newPanel_->clear();
    oldPanel_->clear();
    prompts_.Inform(kPanelPasswordChanged, kPasswordCaption);
}

}  // namespace zt
